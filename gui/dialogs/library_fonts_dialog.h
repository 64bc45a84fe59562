#pragma once

#include <QDialog>
#include <array>

#include "gui/dialogs/font_choice.h"

class QPushButton;

namespace kestro {

class CLibraryData;

// "Change Library Fonts" (template 183): buttons 1031 to 1034 show the four library fonts
// by their descriptions; pressing one asks for a font, and the one picked is stored in
// the library at once (the library is modified). Close (1) ends it; the library's text
// fonts are then rebuilt from the four entries.
class CLibraryFontsDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kFirstButtonId = 1031;

    CLibraryFontsDlg(CLibraryData& library, CFontChooser chooser, QWidget* parent = nullptr);

    QPushButton* FontButton(int index) const { return m_buttons[static_cast<size_t>(index)]; }
    // Asks for font `index` (0 to 3) as its button does.
    void ChangeFont(int index);

    void done(int result) override;

private:
    void RenewButton(int index);

    CLibraryData& m_library;
    CFontChooser m_chooser;
    std::array<QPushButton*, 4> m_buttons{};
};

}  // namespace kestro
