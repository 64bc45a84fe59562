#pragma once

#include <QFont>
#include <QString>
#include <functional>
#include <optional>

#include "core/library/library_fonts.h"
#include "core/platform/settings.h"

class QWidget;

namespace kestro {

// Asks the user for a font, starting from `initial`; nothing when cancelled. The editor
// shows the font dialog; tests answer themselves.
using CFontChooser = std::function<std::optional<QFont>(const QFont& initial)>;
CFontChooser FontDialogChooser(QWidget* parent);

// Stored fonts keep face names of at most 31 characters.
inline constexpr int kMaxFaceName = 31;

// Logical-font heights are pixels at 96 dots per inch: negative for the character height.
QFont TextFontToQFont(const CTextFontSetting& font);
CTextFontSetting TextFontFromQFont(const QFont& font);
QFont LibraryFontToQFont(const CLibraryFont& font);
CLibraryFont LibraryFontFromQFont(const QFont& font);

}  // namespace kestro
