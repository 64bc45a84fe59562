#include "gui/attributes/ex_list_box.h"

#include <QScrollBar>

namespace kestro {

CExListBox::CExListBox(QWidget* parent) : QListWidget(parent) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setTextElideMode(Qt::ElideNone);
    connect(this, &QListWidget::currentRowChanged, this, &CExListBox::OnSelectionChanged);
}

void CExListBox::SetLocked(bool locked) {
    m_options = locked ? (m_options | kLocked) : (m_options & ~kLocked);
}

void CExListBox::AddString(const QString& text) {
    m_extent = std::max(m_extent, fontMetrics().horizontalAdvance(text));
    addItem(text);
}

void CExListBox::OnSelectionChanged(int row) {
    if (m_returning) return;
    if (IsLocked() && m_last >= 0) {
        m_returning = true;
        setCurrentRow(m_last);
        m_returning = false;
        return;
    }
    m_last = row;
}

}  // namespace kestro
