#pragma once

#include <array>

#include "gui/attributes/attrib_base_dlg.h"

class QLayout;

namespace kestro {

class CExComboBoxCtrl;
class CExEditCtrl;

// The page of the simulation control symbol: the run parameters the document keeps (time
// step, total time, print time, print step, load and save flags).
class CSimControlAttribute : public CAttribBaseDlg {
    Q_OBJECT
public:
    // Indices of the document's simulation parameters.
    enum Parameter { kTimeStep = 1, kTotalTime, kPrintTime, kPrintStep, kLoadFlag, kSaveFlag };

    explicit CSimControlAttribute(CKestroAttributes& window);

    void LoadPage() override;
    bool ApplyPage() override;

private:
    bool HasChanges() const;
    QLayout* WithUnit(QWidget* field, const char* unit);

    // Time Step, Total Time, Print Time, Print Step.
    std::array<CExEditCtrl*, 4> m_edits{};
    // Load Flag, Save Flag.
    std::array<CExComboBoxCtrl*, 2> m_flags{};
};

}  // namespace kestro
