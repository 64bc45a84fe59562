#pragma once

#include <QComboBox>
#include <cstdint>

#include "gui/attributes/control_model.h"

namespace kestro {

// A drop-down list that remembers whether its selection changed since the mark was
// cleared, and that can be locked: a locked list returns to its previous selection.
class CExComboBoxCtrl : public QComboBox {
    Q_OBJECT
public:
    static constexpr uint16_t kLocked = 0x1;

    explicit CExComboBoxCtrl(QWidget* parent = nullptr);
    static CExComboBoxCtrl* Create(const QRect& rect, QWidget* parent, int id,
                                   const CControlModel& model);

    uint16_t Options() const { return m_options; }
    void SetOptions(uint16_t options) { m_options = options; }
    void SetLocked(bool locked);
    bool IsLocked() const { return (m_options & kLocked) != 0; }
    bool IsChanged() const { return m_changed; }
    void ClearChanged() { m_changed = false; }
    // -1 when there has been none.
    int LastSelection() const { return m_last; }

private:
    void OnSelectionChanged(int index);

    uint16_t m_options = 0;
    int m_last = -1;
    bool m_changed = false;
    bool m_returning = false;
};

}  // namespace kestro
