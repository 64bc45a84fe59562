#pragma once

#include <cstdint>
#include <string_view>

#include "core/platform/canvas.h"

namespace kestro {

// The twelve standard fonts every PDF reader has (Helvetica, Times and Courier, each
// regular, bold, italic and bold italic), which PDF files may use without embedding them.
// A font is named by its index: family × 4 + 1 for bold + 2 for italic.
inline constexpr int kPdfStandardFontCount = 12;

// The standard font that stands for a logical font: Courier for the typewriter faces,
// Times for the serif faces, Helvetica for everything else; bold from weight 600 up.
int PdfStandardFont(const CLogicalFont& font);
// "Helvetica-Bold" and so on.
const char* PdfBaseFontName(int index);
// Advance width of Windows-1252 text, in thousandths of the font size.
int64_t PdfTextWidth(int index, std::string_view windows1252);

}  // namespace kestro
