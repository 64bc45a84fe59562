#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/netlist/netlist_writer.h"
#include "core/objects/sim_label.h"
#include "core/objects/sim_part.h"
#include "core/objects/sim_term.h"
#include "core/objects/sub_cir_part.h"
#include "core/objects/wire.h"
#include "tests/core/support/circuit_support.h"

namespace kestro::test {

// Sheets drawn in memory on the small test library (R has netlist name N, pins at
// -20 and +20 on x; ports and labels have their pin 20 to the right of their position).
// Everything is placed by its pins, so a test reads as the circuit it draws.
class CNetlistBench {
public:
    CNetlistBench() {
        world.library.GetLabelElement().SetRect({-20, -10, 20, 10});
        world.library.GetLabelElement().GetOutputPoints() = {{20, 0}};
    }

    // A resistor whose left pin is at `left` (the right one 40 further).
    CSimPart* Resistor(CCircuit& sheet, CPointF left) {
        return sheet.PlaceElement(kResistor, {left.x + 20, left.y}, 0);
    }
    CSimPart* Ground(CCircuit& sheet, CPointF pin) { return sheet.PlaceElement(kGround, pin, 0); }
    CPart* Wire(CCircuit& sheet, CPointF a, CPointF b) {
        return sheet.AddObject(CWire::Create(env, a, b));
    }
    CPart* Label(CCircuit& sheet, const std::string& name, CPointF pin) {
        return sheet.AddObject(CSimLabel::Create(env, name, {pin.x - 20, pin.y}, 0));
    }
    CPart* Port(CCircuit& sheet, uint16_t number, CPointF pin) {
        return sheet.AddObject(CSimTerm::Create(env, number, {pin.x - 20, pin.y}, 0));
    }
    CSubCirPart* Instance(CCircuit& sheet, std::shared_ptr<CCircuit> inner, CPointF at) {
        CPart* part = sheet.AddObject(CSubCirPart::Create(env, std::move(inner), at, 0));
        return part ? part->AsSubCircuit() : nullptr;
    }
    // A sheet with a 40 by 20 symbol: 8 ports, 0 to 2 along the top.
    std::shared_ptr<CCircuit> SubSheet(const std::string& path) {
        auto sheet = world.NewSheet(path);
        sheet->SetSymbolBox({0, 0, 40, 20});
        return sheet;
    }

    static std::string NetlistOf(CCircuit& top, bool autoExit = false) {
        return CNetlistWriter(autoExit).Build(top);
    }
    // The lines of a netlist without their CR LF ends.
    static std::vector<std::string> LinesOf(const std::string& text) {
        std::vector<std::string> lines;
        size_t start = 0;
        for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
            lines.push_back(text.substr(start, end - start));
        if (start < text.size()) lines.push_back(text.substr(start) + "<no line end>");
        return lines;
    }

    CSheetWorld world;
    const CPartEnvironment& env = world.context.parts;
};

}  // namespace kestro::test
