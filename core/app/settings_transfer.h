#pragma once

#include "core/platform/settings.h"

namespace kestro {

class CSettingsStore;

inline constexpr const char* kSectionStandard = "STANDARD OPTIONS";
inline constexpr const char* kSectionFont = "FONT OPTIONS";
inline constexpr const char* kSectionColors = "DEFAULTCOLORS";

enum class TransferDirection { Read, Write };

// Reads every setting (a missing key keeps its default) or writes every setting,
// key by key in the order of the settings table.
void TransferSettings(CSettingsStore& store, CSettings& settings, TransferDirection direction);

}  // namespace kestro
