#pragma once

#include <string>

#include "tools/kestro-sch/dump_tree.h"

namespace kestro {

class CCircuit;

// Everything a schematic holds as read: the file's header values, the subcircuit
// interface, title texts, simulation parameters, element counters and each object in
// list order with its kind, number, placement, bounds, values and terminal positions.
CDumpNode DumpSchematic(CCircuit& sheet, const std::string& path);

}  // namespace kestro
