#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kestro {

// One of the four fonts of symbol text, numbered 1 to 4 to the user and 0 to 3 inside.
struct CLibraryFont {
    std::string faceName;
    int32_t height = -12;  // logical-font height: negative means character height
    int32_t weight = 400;
    uint32_t italic = 0;
    int32_t pointSize = 10;

    friend bool operator==(const CLibraryFont&, const CLibraryFont&) = default;
};

using CLibraryFonts = std::array<CLibraryFont, 4>;

// The values every start gives the four fonts before a library is read.
CLibraryFonts StartupLibraryFonts();

// "%s, %i, %s, %s": face, point size, "BOLD" or a blank, "ITALIC" or a blank.
std::string DescribeLibraryFont(const CLibraryFont& font);

}  // namespace kestro
