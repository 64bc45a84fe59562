#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/platform/palette.h"

namespace kestro {

// The default font of new text objects.
struct CTextFontSetting {
    std::string name = "Courier New";
    int32_t size = -16;  // logical-font height: negative means character height
    int32_t weight = 400;
    int32_t italic = 0;
    friend bool operator==(const CTextFontSetting&, const CTextFontSetting&) = default;
};

// Colour roles: each an index into the eight-colour drawing palette.
enum ColorRole : int {
    kRoleGrid = 0,
    kRoleNode = 1,
    kRoleWire = 2,
    kRoleSubcircuit = 3,
    kRolePort = 4,
    kRoleText = 5,
    kRoleLabel = 6,
    kRoleElements = 7,
    kColorRoleCount = 14,
};

// Every per-user setting with its built-in default.
struct CSettings {
    int32_t grid = 1;
    int32_t printPageBorder = 1;
    int32_t printPageLegend = 1;
    int32_t printPagePosition = 1;
    double zoomFactor = 1.2;
    int32_t closeTarn = 0;
    int32_t showSubcircuitName = 0;
    // Seconds between autosaves of modified sheets; 0 turns autosave off.
    int32_t autosaveSeconds = 120;
    CTextFontSetting textFont;
    std::array<int16_t, kColorRoleCount> colorRoles = DefaultColorRoles();

    static constexpr std::array<int16_t, kColorRoleCount> DefaultColorRoles() {
        return {3, 0, 7, 2, 4, 0, 1, 2, 0, 0, 0, 0, 0, 0};
    }
    // The palette index a role holds, 0 for roles or indices out of range.
    int PaletteIndex(int role) const;
};

inline constexpr double kMinZoomFactor = 1.2;
inline constexpr double kMaxZoomFactor = 5.0;

}  // namespace kestro
