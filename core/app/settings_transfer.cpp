#include "core/app/settings_transfer.h"

#include <cmath>

#include "core/platform/number_text.h"
#include "core/platform/settings_store.h"

namespace kestro {

namespace {

void TransferInt(CSettingsStore& store, TransferDirection direction, const char* section,
                 const char* key, int32_t& value, int32_t defaultValue) {
    if (direction == TransferDirection::Read)
        value = store.GetInt(section, key, defaultValue);
    else
        store.SetInt(section, key, value);
}

void TransferZoom(CSettingsStore& store, TransferDirection direction, double& factor) {
    const int32_t stored = static_cast<int32_t>(factor * 100000.0);
    if (direction == TransferDirection::Write) {
        store.SetInt(kSectionStandard, "ZOOMFACTOR", stored);
        return;
    }
    factor = store.GetInt(kSectionStandard, "ZOOMFACTOR", stored) / 100000.0;
    if (factor < kMinZoomFactor) factor = kMinZoomFactor;
    if (factor > kMaxZoomFactor) factor = kMaxZoomFactor;
}

void TransferFont(CSettingsStore& store, TransferDirection direction, CTextFontSetting& font) {
    const CTextFontSetting defaults;
    if (direction == TransferDirection::Read)
        font.name = store.GetString(kSectionFont, "NAME", defaults.name);
    else
        store.SetString(kSectionFont, "NAME", font.name);
    TransferInt(store, direction, kSectionFont, "SIZE", font.size, defaults.size);
    TransferInt(store, direction, kSectionFont, "WEIGHT", font.weight, defaults.weight);
    TransferInt(store, direction, kSectionFont, "ITALIC", font.italic, defaults.italic);
}

void TransferColors(CSettingsStore& store, TransferDirection direction,
                    std::array<int16_t, kColorRoleCount>& roles) {
    const auto defaults = CSettings::DefaultColorRoles();
    for (int i = 0; i < kColorRoleCount; ++i) {
        const std::string key = "COLORVALUE" + FormatInt(i + 1);
        if (direction == TransferDirection::Read)
            roles[i] = static_cast<int16_t>(store.GetInt(kSectionColors, key, defaults[i]));
        else
            store.SetInt(kSectionColors, key, roles[i]);
    }
}

}  // namespace

void TransferSettings(CSettingsStore& store, CSettings& s, TransferDirection direction) {
    TransferInt(store, direction, kSectionStandard, "GRID", s.grid, s.grid);
    TransferInt(store, direction, kSectionStandard, "PRINT PAGE BORDER", s.printPageBorder,
                s.printPageBorder);
    TransferInt(store, direction, kSectionStandard, "PRINT PAGE LEGEND", s.printPageLegend,
                s.printPageLegend);
    TransferInt(store, direction, kSectionStandard, "PRINT PAGE POSITION", s.printPagePosition,
                s.printPagePosition);
    TransferZoom(store, direction, s.zoomFactor);
    TransferInt(store, direction, kSectionStandard, "CLOSETARN", s.closeTarn, s.closeTarn);
    TransferInt(store, direction, kSectionStandard, "SHOWSUBCIRCUITNAME", s.showSubcircuitName,
                s.showSubcircuitName);
    TransferInt(store, direction, kSectionStandard, "AUTOSAVE", s.autosaveSeconds,
                s.autosaveSeconds);
    TransferFont(store, direction, s.textFont);
    TransferColors(store, direction, s.colorRoles);
}

}  // namespace kestro
