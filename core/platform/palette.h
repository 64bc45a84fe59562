#pragma once

#include <array>
#include <cstdint>

namespace kestro {

struct CPaletteColor {
    uint8_t red, green, blue;
    friend bool operator==(const CPaletteColor&, const CPaletteColor&) = default;
};

// The eight drawing colours that colour roles and texts refer to by index.
inline constexpr std::array<CPaletteColor, 8> kPalette = {{
    {0, 0, 0},
    {0, 0, 128},
    {0, 0, 255},
    {0, 128, 0},
    {128, 0, 0},
    {128, 0, 128},
    {128, 128, 0},
    {255, 0, 0},
}};

// An index outside the palette is taken as 0.
inline CPaletteColor PaletteColor(int index) {
    return (index < 0 || index >= static_cast<int>(kPalette.size())) ? kPalette[0]
                                                                     : kPalette[index];
}

}  // namespace kestro
