#pragma once

#include "gui/attributes/attrib_base_dlg.h"

class QPushButton;

namespace kestro {

class CColorComboBox;
class CExComboBoxCtrl;
class CExEditCtrl;
class CSHTextAdvance;

// The page of a free text or a text link: the text (read only for a link, whose text is
// its attribute's value), its colour, its justification and its font.
class CTextAttrDlg : public CAttribBaseDlg {
    Q_OBJECT
public:
    explicit CTextAttrDlg(CKestroAttributes& window);

    void LoadPage() override;
    bool ApplyPage() override;

    // Style word values of the justification list: "Center", "Left", "Right".
    static uint32_t JustificationStyle(int index);
    static int JustificationIndex(uint32_t style);

private:
    CSHTextAdvance* Shape() const;
    // The style word with the justification the list shows.
    uint32_t ShownStyle(uint32_t style) const;
    // The text's extent and bounds follow a change of its text or font.
    void Remeasure();
    void ChooseFont();

    CExEditCtrl* m_text;
    QPushButton* m_font;
    CColorComboBox* m_color;
    CExComboBoxCtrl* m_justification;
};

}  // namespace kestro
