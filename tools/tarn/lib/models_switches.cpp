// Diodes, thyristors and controlled switches, alone and in bridges.
#include <algorithm>

#include "tools/tarn/lib/model_parts.h"
#include "tools/tarn/lib/model_table.h"

namespace kestro::tarn {

namespace {

constexpr ValueKind F = ValueKind::Float;
constexpr ValueKind B = ValueKind::Boolean;

// A switch that fires on a gate pulse and conducts until its current falls to the
// holding current: a latch that sets on the gate and holds on the current.
void Thyristor(CElementContext& c, bool bothWays, double vd, double holding, bool startOn) {
    const std::string a = c.Pin(0), k = c.Pin(1), gate = c.Pin(2);
    const std::string meter = c.Device('V', "i");
    const std::string into = c.Internal("i");
    c.Line(meter + " " + a + " " + into + " 0");
    const std::string hold = DeckNumber(std::max(holding, 1e-6));
    const std::string self = V(c.Internal("on"));
    const std::string target = bothWays ? "abs(" + V(gate) + ")>0.5 || (" + self +
                                              ">0.5 && abs(i(" + meter + "))>" + hold + ")"
                                        : "(" + V(gate) + ">0.5 && " + V(a, k) + ">0) || (" + self +
                                              ">0.5 && i(" + meter + ")>" + hold + ")";
    const std::string on = Latch(c, "on", target, startOn);
    if (bothWays) {
        Switch(c, "s", into, k, on, kSwitchOn);
        c.Require(vd == 0, "the forward drop of a triac must be 0 in this model");
    } else {
        OneWaySwitch(c, "s", into, k, on, kSwitchOn, vd);
    }
}

const std::vector<const char*> kGatedPins = {"terminal 1 (collector, drain, anode)",
                                             "terminal 2 (emitter, source, cathode)",
                                             "gate (on above 0.5)"};

// One leg of a bridge: upper switch with its diode from dc+ to the output, lower one from
// the output to dc-, the lower gate the inverse of the upper.
void InverterLeg(CElementContext& c, const std::string& tag, const std::string& plus,
                 const std::string& minus, const std::string& out, const std::string& gate,
                 double vce, double vd) {
    const std::string inverse = c.Internal(tag + "n");
    c.Line(c.Device('B', tag + "n") + " " + inverse + " 0 V=" + V(gate) + ">0.5 ? 0 : 1");
    OneWaySwitch(c, tag + "u", plus, out, gate, kSwitchOn, vce);
    Diode(c, tag + "ud", out, plus, vd);
    OneWaySwitch(c, tag + "l", out, minus, inverse, kSwitchOn, vce);
    Diode(c, tag + "ld", minus, out, vd);
}

}  // namespace

void AddSwitchModels(std::vector<CModel>& table) {
    table.push_back({"DIODE",
                     "Diode",
                     {"anode", "cathode"},
                     {{"Vd", "V", F}, {"State0", "", B}},
                     "A steep ngspice diode (see above) with the forward drop Vd.",
                     "",
                     [](CElementContext& c) { Diode(c, "d", c.Pin(0), c.Pin(1), c.Float(0)); }});
    table.push_back({"ZENER",
                     "Zener diode",
                     {"anode", "cathode"},
                     {{"Vz", "V", F}, {"Vd", "V", F}},
                     "The diode with a reverse breakdown at Vz (ngspice BV).",
                     "Vz must be above 0.",
                     [](CElementContext& c) {
                         c.Require(c.Float(0) > 0, "Vz must be above 0");
                         const std::string model = "kz" + c.Device('m', "z");
                         c.Line(".model " + model + " D(IS=1e-12 N=0.05 RS=1e-3 BV=" +
                                DeckNumber(c.Float(0)) + " IBV=1e-3 NBV=0.05)");
                         std::string end = c.Pin(1);
                         if (c.Float(1) != 0) {
                             end = c.Internal("d");
                             c.Line(c.Device('V', "d") + " " + end + " " + c.Pin(1) + " " +
                                    DeckNumber(c.Float(1)));
                         }
                         c.Line(c.Device('D', "z") + " " + c.Pin(0) + " " + end + " " + model);
                     }});
    table.push_back({"MOSFET",
                     "MOSFET (n-channel, with body diode)",
                     kGatedPins,
                     {{"Ron", "Ohm", F}, {"Vd", "V", F}, {"State0", "", B}},
                     "A switch of Ron from drain to source in both directions while the gate is "
                     "on, and the body diode (drop Vd) from source to drain.",
                     "",
                     [](CElementContext& c) {
                         c.Require(c.Float(0) >= 0, "Ron must not be negative");
                         Switch(c, "s", c.Pin(0), c.Pin(1), c.Pin(2), c.Float(0));
                         Diode(c, "d", c.Pin(1), c.Pin(0), c.Float(1));
                     }});
    table.push_back({"IGBT",
                     "IGBT",
                     kGatedPins,
                     {{"Vce", "V", F}, {"State0", "", B}},
                     "A switch in series with a diode of drop Vce: conducts from collector to "
                     "emitter only, while the gate is on.",
                     "",
                     [](CElementContext& c) {
                         OneWaySwitch(c, "s", c.Pin(0), c.Pin(1), c.Pin(2), kSwitchOn, c.Float(0));
                     }});
    table.push_back({"IGBTD",
                     "IGBT with antiparallel diode",
                     kGatedPins,
                     {{"Vce", "V", F}, {"Vd", "V", F}, {"State0", "", B}},
                     "The IGBT model and a diode of drop Vd from emitter to collector.",
                     "",
                     [](CElementContext& c) {
                         OneWaySwitch(c, "s", c.Pin(0), c.Pin(1), c.Pin(2), kSwitchOn, c.Float(0));
                         Diode(c, "d", c.Pin(1), c.Pin(0), c.Float(1));
                     }});
    table.push_back({"GTO",
                     "Gate turn-off thyristor",
                     kGatedPins,
                     {{"Vd", "V", F}, {"State0", "", B}},
                     "A switch in series with a diode of drop Vd, on while the gate is on.",
                     "Turns off with its gate, as an IGBT; no tail current.",
                     [](CElementContext& c) {
                         OneWaySwitch(c, "s", c.Pin(0), c.Pin(1), c.Pin(2), kSwitchOn, c.Float(0));
                     }});
    table.push_back({"NPN",
                     "NPN transistor",
                     {"collector", "emitter", "base (on above 0.5)"},
                     {{"Vce", "V", F}, {"State0", "", B}},
                     "A switch from collector to emitter in series with a diode of drop Vce.",
                     "A switch only: no linear region.",
                     [](CElementContext& c) {
                         OneWaySwitch(c, "s", c.Pin(0), c.Pin(1), c.Pin(2), kSwitchOn, c.Float(0));
                     }});
    table.push_back({"PNP",
                     "PNP transistor",
                     {"collector", "emitter", "base (on above 0.5)"},
                     {{"Vce", "V", F}, {"State0", "", B}},
                     "A switch from emitter to collector in series with a diode of drop Vce.",
                     "A switch only: no linear region.",
                     [](CElementContext& c) {
                         OneWaySwitch(c, "s", c.Pin(1), c.Pin(0), c.Pin(2), kSwitchOn, c.Float(0));
                     }});
    table.push_back({"SW",
                     "Ideal switch",
                     {"terminal 1", "terminal 2", "gate (closed above 0.5)"},
                     {{"Ron", "Ohm", F}, {"State0", "", B}},
                     "A switch of Ron in both directions while the gate is on.",
                     "",
                     [](CElementContext& c) {
                         c.Require(c.Float(0) >= 0, "Ron must not be negative");
                         Switch(c, "s", c.Pin(0), c.Pin(1), c.Pin(2), c.Float(0));
                     }});
    table.push_back({"BISW",
                     "Bidirectional switch",
                     {"terminal 1", "terminal 2", "gate (conducts above 0.5)"},
                     {{"Ron", "Ohm", F}, {"State0", "", B}},
                     "A switch of Ron in both directions while the gate is on; blocks both "
                     "polarities while off.",
                     "",
                     [](CElementContext& c) {
                         c.Require(c.Float(0) >= 0, "Ron must not be negative");
                         Switch(c, "s", c.Pin(0), c.Pin(1), c.Pin(2), c.Float(0));
                     }});
    table.push_back(
        {"THY",
         "Thyristor",
         {"anode", "cathode", "gate"},
         {{"Vd", "V", F}, {"Ih", "A", F}, {"State0", "", B}},
         "A switch in series with a diode of drop Vd, held by a latch: the latch "
         "sets while the gate is above 0.5 and the anode is positive, and holds "
         "while the current stays above Ih (at least 1 uA). State0 1 starts it "
         "conducting.",
         "The latch answers within a twentieth of the time step; no reverse "
         "recovery.",
         [](CElementContext& c) { Thyristor(c, false, c.Float(0), c.Float(1), c.Boolean(2)); }});
    table.push_back(
        {"TRIAC",
         "Triac",
         {"main terminal 2", "main terminal 1", "gate"},
         {{"Vd", "V", F}, {"Ih", "A", F}},
         "A switch in both directions held by a latch that sets while the gate is "
         "above 0.5 or below -0.5 and holds while the current in either direction "
         "stays above Ih (at least 1 uA).",
         "Vd must be 0.",
         [](CElementContext& c) { Thyristor(c, true, c.Float(0), c.Float(1), false); }});
    table.push_back({"DBR1",
                     "Single-phase diode bridge",
                     {"AC input 1", "AC input 2", "DC positive", "DC negative"},
                     {{"Vd", "V", F}},
                     "Four diodes of drop Vd.",
                     "",
                     [](CElementContext& c) {
                         for (size_t k = 0; k < 2; ++k) {
                             Diode(c, "u" + std::to_string(k), c.Pin(k), c.Pin(2), c.Float(0));
                             Diode(c, "l" + std::to_string(k), c.Pin(3), c.Pin(k), c.Float(0));
                         }
                     }});
    table.push_back({"DBR3",
                     "Three-phase diode bridge",
                     {"AC phase a", "AC phase b", "AC phase c", "DC positive", "DC negative"},
                     {{"Vd", "V", F}},
                     "Six diodes of drop Vd.",
                     "",
                     [](CElementContext& c) {
                         for (size_t k = 0; k < 3; ++k) {
                             Diode(c, "u" + std::to_string(k), c.Pin(k), c.Pin(3), c.Float(0));
                             Diode(c, "l" + std::to_string(k), c.Pin(4), c.Pin(k), c.Float(0));
                         }
                     }});
    table.push_back({"VSI1",
                     "Single-phase full-bridge inverter",
                     {"DC positive", "DC negative", "AC output of leg a", "AC output of leg b",
                      "gating signal of leg a", "gating signal of leg b"},
                     {{"Vce", "V", F}, {"Vd", "V", F}},
                     "Two legs of IGBTs with antiparallel diodes; a gating signal above 0.5 "
                     "turns the upper switch of its leg on and the lower off, below 0.5 the "
                     "reverse.",
                     "No dead time.",
                     [](CElementContext& c) {
                         for (size_t k = 0; k < 2; ++k)
                             InverterLeg(c, std::string(1, char('a' + k)), c.Pin(0), c.Pin(1),
                                         c.Pin(2 + k), c.Pin(4 + k), c.Float(0), c.Float(1));
                     }});
    table.push_back({"VSI3",
                     "Three-phase voltage-source inverter",
                     {"DC positive", "DC negative", "AC output of phase a", "AC output of phase b",
                      "AC output of phase c", "gating signal of leg a", "gating signal of leg b",
                      "gating signal of leg c"},
                     {{"Vce", "V", F}, {"Vd", "V", F}},
                     "Three legs as in VSI1.",
                     "No dead time.",
                     [](CElementContext& c) {
                         for (size_t k = 0; k < 3; ++k)
                             InverterLeg(c, std::string(1, char('a' + k)), c.Pin(0), c.Pin(1),
                                         c.Pin(2 + k), c.Pin(5 + k), c.Float(0), c.Float(1));
                     }});
}

}  // namespace kestro::tarn
