#pragma once

#include <QDialog>
#include <optional>
#include <utility>

#include "core/library/library_fonts.h"
#include "gui/library_editor/shape_editor_state.h"

class QComboBox;

namespace kestro {

// Asks for a symbol text and its library font (the symbol text dialog); nothing when
// cancelled.
std::optional<CSymbolTextChoice> AskSymbolText(const CLibraryFonts& fonts, QWidget* parent);

// "Set Element Size": width and height in tens of units, 2 to 40 each.
class CSetSizeDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kSmallest = 2;
    static constexpr int kLargest = 40;

    CSetSizeDlg(int width, int height, QWidget* parent = nullptr);

    std::pair<int, int> Size() const;

    static std::optional<std::pair<int, int>> Ask(int width, int height, QWidget* parent);

private:
    QComboBox* m_width;
    QComboBox* m_height;
};

}  // namespace kestro
