#pragma once

#include "gui/attributes/attrib_base_dlg.h"

class QLineEdit;
class QPushButton;

namespace kestro {

class CExComboBoxCtrl;
class CSubCirPart;

// The page of a subcircuit instance: the file of its sheet ("Change File Name" gives it
// another) and the size of the sheet's block symbol, 40 to 400 units each way in steps
// of 10.
class CSubcircuitAttribute : public CAttribBaseDlg {
    Q_OBJECT
public:
    static constexpr int kFirstSize = 4;  // tens of units
    static constexpr int kLastSize = 40;
    static constexpr const char* kChangeTitle = "Change Subcircuit File Name";
    static constexpr const char* kAllInstancesQuestion =
        "Do You Want to Change the File Name for All Instances of This Subcircuit?";

    explicit CSubcircuitAttribute(CKestroAttributes& window);

    void LoadPage() override;
    bool ApplyPage() override;

    // The list index of a symbol extent: tenths rounded half away from zero, less 4.
    static int SizeIndex(float extent);

private:
    CSubCirPart* Instance() const;
    void ChangeFileName();
    void ShowPath();

    QLineEdit* m_file;
    QPushButton* m_change;
    CExComboBoxCtrl* m_width;
    CExComboBoxCtrl* m_height;
};

}  // namespace kestro
