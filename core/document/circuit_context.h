#pragma once

#include "core/objects/part_environment.h"

namespace kestro {

class CDocumentManager;

// What a circuit document gets at construction: the library, the live settings
// (colour roles, default text font, showing subcircuit names), the prompts (through
// `parts`) and the open documents. The application owns one for the whole run; it must
// outlive every document.
struct CCircuitContext {
    CPartEnvironment parts;
    CDocumentManager& documents;
};

}  // namespace kestro
