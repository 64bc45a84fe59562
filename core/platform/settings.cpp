#include "core/platform/settings.h"

namespace kestro {

int CSettings::PaletteIndex(int role) const {
    if (role < 0 || role >= kColorRoleCount) return 0;
    const int index = colorRoles[role];
    return (index < 0 || index >= static_cast<int>(kPalette.size())) ? 0 : index;
}

}  // namespace kestro
