#include "gui/attributes/ex_combo_box_ctrl.h"

namespace kestro {

CExComboBoxCtrl::CExComboBoxCtrl(QWidget* parent) : QComboBox(parent) {
    connect(this, &QComboBox::currentIndexChanged, this, &CExComboBoxCtrl::OnSelectionChanged);
}

CExComboBoxCtrl* CExComboBoxCtrl::Create(const QRect& rect, QWidget* parent, int id,
                                         const CControlModel& model) {
    auto* list = new CExComboBoxCtrl(parent);
    PlaceLikeModel(*list, rect, id, model);
    return list;
}

void CExComboBoxCtrl::SetLocked(bool locked) {
    m_options = locked ? (m_options | kLocked) : (m_options & ~kLocked);
}

void CExComboBoxCtrl::OnSelectionChanged(int index) {
    if (m_returning) return;
    if (IsLocked() && m_last >= 0) {
        m_returning = true;
        setCurrentIndex(m_last);
        m_returning = false;
        return;
    }
    m_changed = true;
    m_last = index;
}

}  // namespace kestro
