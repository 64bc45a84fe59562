#include "tools/kestro-examples/example_sheets.h"

#include <functional>

#include "core/document/circuit.h"
#include "core/hierarchy/circuit_document_manager.h"
#include "tools/kestro-examples/sheet_drafter.h"

namespace kestro {

namespace {

using Side = CSheetDrafter::Side;

// The switching stage shared by both buck converters: 48 V source, high-side MOSFET (its
// gate at (210, 120)), freewheeling diode, L C filter and a 5 Ohm load between the rails
// y = 100 and y = 300; a probe on the output node (480, 100). The load's top at
// (520, 100) and its bottom at (520, 300) are corners the caller may extend.
void DrawBuckPowerStage(CSheetDrafter& d, bool currentProbe) {
    CSimPart* source = d.Place("VDC", {100, 200}, 0, Side::Left);
    d.Set(source, "V", "48");
    d.Wire({{100, 170}, {100, 100}, {180, 100}});
    d.Place("MOSFET", {200, 100}, 1, Side::Above);  // drain left, source right, gate below
    d.Wire({{220, 100}, {260, 100}});
    d.Place("DIODE", {260, 200}, 2, Side::Right);  // cathode up to the switching node
    d.Wire({{260, 100}, {260, 180}});
    d.Wire({{260, 220}, {260, 300}});
    CSimPart* inductor = d.Place("L", {320, 100}, 0, Side::Above);
    d.Set(inductor, "L", "100u");
    d.Wire({{260, 100}, {300, 100}});
    if (currentProbe) {
        d.Place("IP", {380, 100}, 0, Side::Above);
        d.Wire({{340, 100}, {360, 100}});
        d.Wire({{400, 100}, {440, 100}});
    } else {
        d.Wire({{340, 100}, {440, 100}});
    }
    CSimPart* capacitor = d.Place("C", {440, 200}, 3, currentProbe ? Side::Right : Side::Left);
    d.Set(capacitor, "C", "100u");
    d.Wire({{440, 100}, {440, 180}});
    d.Wire({{440, 220}, {440, 300}});
    d.Place("VP", {480, 90}, 0, Side::Above);
    d.Wire({{440, 100}, {480, 100}});
    d.Wire({{480, 100}, {520, 100}});
    CSimPart* load = d.Place("R", {520, 200}, 3, currentProbe ? Side::Right : Side::Left);
    d.Set(load, "R", "5");
    d.Wire({{520, 100}, {520, 180}});
    d.Wire({{520, 220}, {520, 300}});
    d.Wire({{100, 230}, {100, 300}, {260, 300}});
    d.Wire({{260, 300}, {440, 300}});
    d.Wire({{440, 300}, {520, 300}});
    d.Ground({100, 300});
}

void DrawBuck(CSheetDrafter& d) {
    d.Text("Buck converter: 48 V in, 24 V out at 50 % duty, 20 kHz", {100, 30});
    d.Control({60, 30});
    DrawBuckPowerStage(d, true);
    CSimPart* gating = d.Place("GATING", {150, 160}, 0, Side::Below);
    d.Set(gating, "Freq", "20k");
    d.Set(gating, "Points", "0 180");
    d.Wire({{170, 160}, {210, 160}, {210, 120}});
    d.Simulate(1e-6, 0.01);
}

void DrawRectifier(CSheetDrafter& d) {
    d.Text("Single-phase diode bridge rectifier with a smoothing capacitor", {100, 30});
    d.Control({60, 30});
    // Two legs of two diodes between the rails y = 100 (+) and y = 300 (-); the source
    // with its line inductance lies between the legs' middle points.
    for (const float x : {160.0f, 420.0f}) {
        const Side side = x < 300 ? Side::Left : Side::Right;
        d.Place("DIODE", {x, 150}, 2, side);
        d.Place("DIODE", {x, 250}, 2, side);
        d.Wire({{x, 100}, {x, 130}});
        d.Wire({{x, 170}, {x, 200}});
        d.Wire({{x, 200}, {x, 230}});
        d.Wire({{x, 270}, {x, 300}});
    }
    d.Place("IP", {200, 200}, 0, Side::Above);
    CSimPart* line = d.Place("L", {260, 200}, 0, Side::Above);
    d.Set(line, "L", "1m");
    CSimPart* mains = d.Place("VSIN", {330, 200}, 1, Side::Above);  // + on the left
    d.Set(mains, "Vpk", "325");
    d.Set(mains, "Freq", "50");
    d.Wire({{160, 200}, {180, 200}});
    d.Wire({{220, 200}, {240, 200}});
    d.Wire({{280, 200}, {300, 200}});
    d.Wire({{360, 200}, {420, 200}});
    CSimPart* capacitor = d.Place("C", {500, 200}, 3, Side::Right);
    d.Set(capacitor, "C", "470u");
    CSimPart* load = d.Place("R", {580, 200}, 3, Side::Right);
    d.Set(load, "R", "50");
    d.Place("VP", {540, 90}, 0, Side::Above);
    d.Wire({{160, 100}, {420, 100}});
    d.Wire({{420, 100}, {500, 100}});
    d.Wire({{500, 100}, {540, 100}});
    d.Wire({{540, 100}, {580, 100}});
    d.Wire({{500, 100}, {500, 180}});
    d.Wire({{500, 220}, {500, 300}});
    d.Wire({{580, 100}, {580, 180}});
    d.Wire({{580, 220}, {580, 300}});
    d.Wire({{160, 300}, {420, 300}});
    d.Wire({{420, 300}, {500, 300}});
    d.Wire({{500, 300}, {580, 300}});
    d.Ground({160, 300});
    d.Simulate(1e-5, 0.1);
}

// Ports of the phase leg on its 40 by 60 block.
constexpr uint16_t kLegPlus = 1, kLegMinus = 9, kLegOutput = 5, kLegGate = 13;

void DrawPhaseLeg(CSheetDrafter& d, CCircuit& sheet) {
    sheet.SetSymbolBox({0, 0, 40, 60});
    d.Text("Phase leg: the gate signal G drives the upper switch, its inverse the lower", {20, 30});
    d.Port(kLegPlus, "P", {200, 80}, 3);
    d.Wire({{200, 80}, {200, 120}});
    d.Place("IGBTD", {200, 140}, 0, Side::Right);
    d.Place("IGBTD", {200, 260}, 0, Side::Right);
    d.Wire({{200, 160}, {200, 200}});
    d.Wire({{200, 200}, {200, 240}});
    d.Wire({{200, 200}, {300, 200}});
    d.Port(kLegOutput, "AC", {300, 200}, 2);
    d.Wire({{200, 280}, {200, 320}});
    d.Port(kLegMinus, "N", {200, 320}, 1);
    d.Port(kLegGate, "G", {60, 150}, 0);
    d.Wire({{60, 150}, {80, 150}});
    d.Wire({{80, 150}, {180, 150}});
    d.Wire({{80, 150}, {80, 270}, {100, 270}});
    d.Place("NOT", {120, 270}, 0, Side::Below);
    d.Wire({{140, 270}, {180, 270}});
}

void DrawInverter(CSheetDrafter& d, const std::shared_ptr<CCircuit>& leg) {
    d.Text("Three-phase inverter, six-step at 50 Hz: one phase-leg subcircuit placed three times",
           {100, 30});
    d.Control({60, 30});
    // A split DC link of 2 x 200 V with its middle point grounded.
    for (const float y : {150.0f, 250.0f}) {
        CSimPart* half = d.Place("VDC", {100, y}, 0, Side::Left);
        d.Set(half, "V", "200");
    }
    d.Wire({{100, 100}, {100, 120}});
    d.Wire({{100, 180}, {100, 200}});
    d.Wire({{100, 200}, {100, 220}});
    d.Wire({{100, 280}, {100, 300}});
    d.Wire({{100, 200}, {60, 200}});
    d.Ground({60, 200});
    d.Wire({{100, 100}, {260, 100}});
    d.Wire({{100, 300}, {260, 300}});
    // Legs at x = 260, 460, 660; each gating block switches its leg for half a period,
    // the phases 120 degrees apart.
    const char* patterns[] = {"0 180", "120 300", "0 60 240 360"};
    for (int phase = 0; phase < 3; ++phase) {
        const float x = 260.0f + 200.0f * phase;
        d.Instance(leg, {x, 200});
        d.Text(std::string("phase ") + char('a' + phase), {x - 95, 140});
        d.Wire({{x, 100}, {x, 170}});
        d.Wire({{x, 230}, {x, 300}});
        if (phase < 2) {
            d.Wire({{x, 100}, {x + 200, 100}});
            d.Wire({{x, 300}, {x + 200, 300}});
        }
        CSimPart* gating = d.Place("GATING", {x - 100, 200}, 0, Side::Below);
        d.Set(gating, "Freq", "50");
        d.Set(gating, "Points", patterns[phase]);
        d.Wire({{x - 80, 200}, {x - 20, 200}});
        // The phase output runs down, across the DC rail, to a star-connected R L load.
        const float out = x + 40.0f;
        d.Wire({{x + 20, 200}, {out, 200}});
        if (phase == 0) {
            d.Place("VP", {out, 190}, 0, Side::Above);
            d.Wire({{out, 200}, {out, 340}});
            d.Place("IP", {out, 360}, 3, Side::Right);
            d.Wire({{out, 380}, {out, 420}});
        } else {
            d.Wire({{out, 200}, {out, 420}});
        }
        CSimPart* load = d.Place("RL", {out, 450}, 3, Side::Right);
        d.Set(load, "R", "10");
        d.Set(load, "L", "10m");
    }
    d.Wire({{300, 480}, {300, 500}, {500, 500}});
    d.Wire({{500, 480}, {500, 500}});
    d.Wire({{500, 500}, {700, 500}, {700, 480}});
    d.Simulate(1e-5, 0.06);
}

void DrawClosedLoop(CSheetDrafter& d) {
    d.Text("Buck converter under PI voltage control: 48 V in, 24 V out", {100, 30});
    d.Control({60, 30});
    DrawBuckPowerStage(d, false);
    d.Wire({{210, 120}, {210, 140}});
    d.Label("GATE", {210, 140}, 1);
    // The output voltage, measured against ground, goes to the controller as VFB.
    d.Place("VSENS", {640, 200}, 0, Side::Left);
    d.Wire({{520, 100}, {640, 100}, {640, 180}});
    d.Wire({{640, 220}, {640, 300}, {520, 300}});
    d.Wire({{660, 200}, {680, 200}});
    d.Label("VFB", {680, 200}, 2);

    // Controller: reference - feedback -> PI -> limiter -> PWM against a carrier.
    d.Text("Controller", {80, 420});
    CSimPart* reference = d.Place("CONST", {100, 480}, 0, Side::Below);
    d.Set(reference, "Value", "24");
    d.Wire({{120, 480}, {160, 480}});
    d.Place("SUB", {180, 480}, 0, Side::Above);
    d.Wire({{180, 500}, {180, 540}, {160, 540}});
    d.Label("VFB", {160, 540}, 0);
    d.Wire({{200, 480}, {240, 480}});
    CSimPart* pi = d.Place("PI", {260, 480}, 0, Side::Above);
    d.Set(pi, "Kp", "0.005");
    d.Set(pi, "Ki", "5");
    d.HideValues(pi, Side::Above);  // its values show badly ("51/s")
    d.Wire({{280, 480}, {320, 480}});
    CSimPart* limiter = d.Place("LIM", {340, 480}, 0, Side::Above);
    d.Set(limiter, "Ymin", "0");
    d.Set(limiter, "Ymax", "0.95");
    d.Wire({{360, 480}, {400, 480}});
    d.Place("COMP", {420, 490}, 0, Side::Above);
    CSimPart* carrier = d.Place("CARTRI", {340, 560}, 0, Side::Below);
    d.Set(carrier, "Freq", "20k");
    d.Set(carrier, "Ymin", "0");
    d.Set(carrier, "Ymax", "1");
    d.Wire({{360, 560}, {380, 560}, {380, 500}, {400, 500}});
    d.Wire({{440, 490}, {460, 490}});
    d.Label("GATE", {460, 490}, 2);
    d.Simulate(1e-6, 0.02);
}

std::shared_ptr<CCircuit> Draw(CCircuitDocumentManager& manager,
                               const std::function<void(CSheetDrafter&, CCircuit&)>& draw) {
    std::shared_ptr<CCircuit> sheet = manager.NewDocument();
    CSheetDrafter drafter(*sheet);
    draw(drafter, *sheet);
    return sheet;
}

}  // namespace

void DrawExamples(CCircuitDocumentManager& manager,
                  const std::function<void(const CExampleFile&)>& keep) {
    keep({"buck_converter.sch", Draw(manager, [](auto& d, auto&) { DrawBuck(d); })});
    keep({"diode_rectifier.sch", Draw(manager, [](auto& d, auto&) { DrawRectifier(d); })});
    const auto leg = Draw(manager, DrawPhaseLeg);
    keep({"phase_leg.sch", leg, false});
    keep({"three_phase_inverter.sch",
          Draw(manager, [&leg](auto& d, auto&) { DrawInverter(d, leg); })});
    keep({"closed_loop_buck.sch", Draw(manager, [](auto& d, auto&) { DrawClosedLoop(d); })});
}

}  // namespace kestro
