#pragma once

#include <QDialog>

#include "core/library/library_fonts.h"

class QComboBox;
class QLineEdit;

namespace kestro {

// The text of a symbol (template 182): a line of text, "Enter Text" (1046), and which of
// the four library fonts it is written in (1045, described as in "Change Library Fonts",
// the first chosen at the start). The symbol editor's text tool asks with it.
class CSymbolTextDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTextId = 1046;
    static constexpr int kFontListId = 1045;

    CSymbolTextDlg(const CLibraryFonts& fonts, const QString& initial, QWidget* parent = nullptr);

    QString Text() const;
    // 0 to 3.
    int FontIndex() const;

private:
    QLineEdit* m_text;
    QComboBox* m_fonts;
};

}  // namespace kestro
