#include "core/library/library_fonts.h"

#include "core/platform/number_text.h"

namespace kestro {

CLibraryFonts StartupLibraryFonts() {
    CLibraryFonts fonts;
    const char* faces[] = {"Courier New", "MS Sans Serif", "Courier", "Arial"};
    for (size_t i = 0; i < fonts.size(); ++i)
        fonts[i].faceName = faces[i];
    return fonts;
}

std::string DescribeLibraryFont(const CLibraryFont& font) {
    return font.faceName + ", " + FormatInt(font.pointSize) + ", " +
           (font.weight > 420 ? "BOLD" : " ") + ", " + (font.italic ? "ITALIC" : " ");
}

}  // namespace kestro
