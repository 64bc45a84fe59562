#pragma once

#include <cstdint>
#include <memory>

#include "core/objects/part.h"

namespace kestro {

// An empty object of the kind a tag names (1 to 8), ready to read its record; null for
// any other tag.
std::unique_ptr<CPart> CreatePart(uint16_t tag, const CPartEnvironment& environment);

}  // namespace kestro
