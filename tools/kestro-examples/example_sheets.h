#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kestro {

class CCircuit;
class CCircuitDocumentManager;

// One example schematic: its file name and whether a netlist is written for it (a sheet
// only used as a subcircuit has none of its own).
struct CExampleFile {
    std::string fileName;
    std::shared_ptr<CCircuit> sheet;
    bool topLevel = true;
};

// Draws the example schematics with the bundled library and hands each to `keep` (which
// saves it) as soon as it is drawn, so a subcircuit has its file before the sheets that
// use it are drawn: a buck converter, a single-phase diode rectifier, a three-phase
// inverter built from one phase-leg subcircuit placed three times, and a buck converter
// under PI voltage control joined by labels.
void DrawExamples(CCircuitDocumentManager& manager,
                  const std::function<void(const CExampleFile&)>& keep);

}  // namespace kestro
