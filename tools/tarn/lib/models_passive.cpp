// Resistors, inductors, capacitors, their branches, coupled inductors and transformers.
#include <cmath>

#include "tools/tarn/lib/model_parts.h"
#include "tools/tarn/lib/model_table.h"

namespace kestro::tarn {

namespace {

constexpr ValueKind F = ValueKind::Float;

void Resistor(CElementContext& c, const std::string& tag, const std::string& a,
              const std::string& b, double ohms) {
    c.Require(ohms > 0, "the resistance must be above 0");
    c.Line(c.Device('R', tag) + " " + a + " " + b + " " + DeckNumber(ohms));
}

void CheckedInductor(CElementContext& c, const std::string& tag, const std::string& a,
                     const std::string& b, double henries, double amps) {
    c.Require(henries > 0, "the inductance must be above 0");
    c.Inductor(tag, a, b, henries, amps);
}

void CheckedCapacitor(CElementContext& c, const std::string& tag, const std::string& a,
                      const std::string& b, double farads, double volts) {
    c.Require(farads > 0, "the capacitance must be above 0");
    c.Capacitor(tag, a, b, farads, volts);
}

// Series R, L and C between a and b; a part with no value is left out.
void SeriesBranch(CElementContext& c, const std::string& phase, const std::string& a,
                  const std::string& b, std::optional<double> r, std::optional<double> l,
                  std::optional<double> cap, double i0, double v0) {
    std::vector<std::string> nodes = {a};
    const int parts = int(r.has_value()) + int(l.has_value()) + int(cap.has_value());
    for (int i = 1; i < parts; ++i)
        nodes.push_back(c.Internal(phase + std::to_string(i)));
    nodes.push_back(b);
    size_t at = 0;
    if (r) {
        Resistor(c, phase + "R", nodes[at], nodes[at + 1], *r);
        ++at;
    }
    if (l) {
        CheckedInductor(c, phase + "L", nodes[at], nodes[at + 1], *l, i0);
        ++at;
    }
    if (cap) CheckedCapacitor(c, phase + "C", nodes[at], nodes[at + 1], *cap, v0);
}

// An ideal transformer: the primary voltage is ratio times the secondary voltage, the
// secondary current ratio times the primary current.
void IdealTransformer(CElementContext& c, const std::string& tag, const std::string& p1,
                      const std::string& p2, const std::string& s1, const std::string& s2,
                      double ratio) {
    const std::string sense = c.Internal(tag + "i");
    const std::string meter = c.Device('V', tag + "i");
    c.Line(c.Device('E', tag) + " " + p1 + " " + sense + " " + s1 + " " + s2 + " " +
           DeckNumber(ratio));
    c.Line(meter + " " + sense + " " + p2 + " 0");
    c.Line(c.Device('F', tag) + " " + s2 + " " + s1 + " " + meter + " " + DeckNumber(ratio));
}

// A transformer with winding resistances, leakage and magnetising inductances.
void RealTransformer(CElementContext& c, const std::string& tag, const std::string& p1,
                     const std::string& p2, const std::string& s1, const std::string& s2,
                     size_t firstValue) {
    const double n1 = c.Float(firstValue), n2 = c.Float(firstValue + 1);
    c.Require(n1 > 0 && n2 > 0, "the numbers of turns must be above 0");
    const std::string a = c.Internal(tag + "a"), m = c.Internal(tag + "m");
    const std::string b = c.Internal(tag + "b"), s = c.Internal(tag + "s");
    Resistor(c, tag + "rp", p1, a, std::max(c.Float(firstValue + 2), kSwitchOn));
    CheckedInductor(c, tag + "lp", a, m, c.Float(firstValue + 4), 0);
    CheckedInductor(c, tag + "lm", m, p2, c.Float(firstValue + 6), 0);
    IdealTransformer(c, tag, m, p2, s, s2, n1 / n2);
    CheckedInductor(c, tag + "ls", s, b, c.Float(firstValue + 5), 0);
    Resistor(c, tag + "rs", b, s1, std::max(c.Float(firstValue + 3), kSwitchOn));
}

const char* const kThreePhasePins[] = {"phase a, side 1", "phase b, side 1", "phase c, side 1",
                                       "phase a, side 2", "phase b, side 2", "phase c, side 2"};
std::vector<const char*> ThreePhasePins() {
    return {std::begin(kThreePhasePins), std::end(kThreePhasePins)};
}

const std::vector<const char*> kTransformerPins = {"primary, dotted end", "primary, other end",
                                                   "secondary, dotted end", "secondary, other end"};
const std::vector<const char*> kThreePhaseTransformerPins = {
    "primary phase A",   "primary phase B",   "primary phase C",
    "secondary phase a", "secondary phase b", "secondary phase c"};
const std::vector<CValueRule> kTransformerValues = {
    {"N1", "", F},  {"N2", "", F},  {"Rp", "Ohm", F}, {"Rs", "Ohm", F},
    {"Lp", "H", F}, {"Ls", "H", F}, {"Lm", "H", F}};

// Three single-phase units: primary windings in star, secondary in star or delta.
void ThreePhaseTransformer(CElementContext& c, bool real, bool delta) {
    const std::string np = c.Internal("np"), ns = c.Internal("ns");
    const char* tags[] = {"a", "b", "c"};
    for (size_t k = 0; k < 3; ++k) {
        const std::string s1 = c.Pin(3 + k);
        const std::string s2 = delta ? c.Pin(3 + (k + 1) % 3) : ns;
        if (real) {
            RealTransformer(c, tags[k], c.Pin(k), np, s1, s2, 0);
        } else {
            c.Require(c.Float(0) > 0 && c.Float(1) > 0, "the numbers of turns must be above 0");
            IdealTransformer(c, tags[k], c.Pin(k), np, s1, s2, c.Float(0) / c.Float(1));
        }
    }
}

}  // namespace

void AddPassiveModels(std::vector<CModel>& table) {
    table.push_back({"R",
                     "Resistor",
                     {"terminal 1", "terminal 2"},
                     {{"R", "Ohm", F}},
                     "An ngspice resistor.",
                     "",
                     [](CElementContext& c) { Resistor(c, "r", c.Pin(0), c.Pin(1), c.Float(0)); }});
    table.push_back({"L",
                     "Inductor",
                     {"terminal 1", "terminal 2"},
                     {{"L", "H", F}, {"I0", "A", F}},
                     "An ngspice inductor starting with the current I0 (from terminal 1 to 2).",
                     "",
                     [](CElementContext& c) {
                         CheckedInductor(c, "L", c.Pin(0), c.Pin(1), c.Float(0), c.Float(1));
                     }});
    table.push_back({"C",
                     "Capacitor",
                     {"terminal 1", "terminal 2"},
                     {{"C", "F", F}, {"V0", "V", F}},
                     "An ngspice capacitor starting with the voltage V0 (terminal 1 against 2).",
                     "",
                     [](CElementContext& c) {
                         CheckedCapacitor(c, "C", c.Pin(0), c.Pin(1), c.Float(0), c.Float(1));
                     }});
    table.push_back({"LC",
                     "LC branch",
                     {"terminal 1", "terminal 2"},
                     {{"L", "H", F}, {"C", "F", F}, {"I0", "A", F}, {"V0", "V", F}},
                     "An inductor and a capacitor in series.",
                     "",
                     [](CElementContext& c) {
                         SeriesBranch(c, "", c.Pin(0), c.Pin(1), std::nullopt, c.Float(0),
                                      c.Float(1), c.Float(2), c.Float(3));
                     }});
    table.push_back({"RL",
                     "RL branch",
                     {"terminal 1", "terminal 2"},
                     {{"R", "Ohm", F}, {"L", "H", F}, {"I0", "A", F}},
                     "A resistor and an inductor in series.",
                     "",
                     [](CElementContext& c) {
                         SeriesBranch(c, "", c.Pin(0), c.Pin(1), c.Float(0), c.Float(1),
                                      std::nullopt, c.Float(2), 0);
                     }});
    table.push_back({"RC",
                     "RC branch",
                     {"terminal 1", "terminal 2"},
                     {{"R", "Ohm", F}, {"C", "F", F}, {"V0", "V", F}},
                     "A resistor and a capacitor in series.",
                     "",
                     [](CElementContext& c) {
                         SeriesBranch(c, "", c.Pin(0), c.Pin(1), c.Float(0), std::nullopt,
                                      c.Float(1), 0, c.Float(2));
                     }});
    table.push_back(
        {"RLC",
         "RLC branch",
         {"terminal 1", "terminal 2"},
         {{"R", "Ohm", F}, {"L", "H", F}, {"C", "F", F}, {"I0", "A", F}, {"V0", "V", F}},
         "A resistor, an inductor and a capacitor in series.",
         "",
         [](CElementContext& c) {
             SeriesBranch(c, "", c.Pin(0), c.Pin(1), c.Float(0), c.Float(1), c.Float(2), c.Float(3),
                          c.Float(4));
         }});
    table.push_back({"RV",
                     "Variable resistor",
                     {"terminal 1", "terminal 2", "control input"},
                     {{"Gain", "Ohm", F}, {"Rmin", "Ohm", F}},
                     "A behavioural current source drawing V / max(Gain x control, Rmin).",
                     "Rmin must be above 0; the resistance changes without delay.",
                     [](CElementContext& c) {
                         c.Require(c.Float(1) > 0, "Rmin must be above 0");
                         c.Line(c.Device('B', "r") + " " + c.Pin(0) + " " + c.Pin(1) +
                                " I=" + V(c.Pin(0), c.Pin(1)) + "/max(" + DeckNumber(c.Float(0)) +
                                "*" + V(c.Pin(2)) + "," + DeckNumber(c.Float(1)) + ")");
                     }});
    table.push_back({"R3",
                     "Three-phase resistor",
                     ThreePhasePins(),
                     {{"R", "Ohm", F}},
                     "Three resistors, one per phase.",
                     "",
                     [](CElementContext& c) {
                         for (size_t k = 0; k < 3; ++k)
                             Resistor(c, std::to_string(k), c.Pin(k), c.Pin(k + 3), c.Float(0));
                     }});
    table.push_back({"L3",
                     "Three-phase inductor",
                     ThreePhasePins(),
                     {{"L", "H", F}, {"Ia0", "A", F}, {"Ib0", "A", F}, {"Ic0", "A", F}},
                     "Three uncoupled inductors, one per phase.",
                     "",
                     [](CElementContext& c) {
                         for (size_t k = 0; k < 3; ++k)
                             CheckedInductor(c, "L" + std::to_string(k), c.Pin(k), c.Pin(k + 3),
                                             c.Float(0), c.Float(1 + k));
                     }});
    table.push_back({"C3",
                     "Three-phase capacitor",
                     ThreePhasePins(),
                     {{"C", "F", F}, {"Va0", "V", F}, {"Vb0", "V", F}, {"Vc0", "V", F}},
                     "Three capacitors, one per phase.",
                     "",
                     [](CElementContext& c) {
                         for (size_t k = 0; k < 3; ++k)
                             CheckedCapacitor(c, "C" + std::to_string(k), c.Pin(k), c.Pin(k + 3),
                                              c.Float(0), c.Float(1 + k));
                     }});
    table.push_back({"RLC3",
                     "Three-phase RLC branch",
                     ThreePhasePins(),
                     {{"R", "Ohm", F}, {"L", "H", F}, {"C", "F", F}},
                     "Three series RLC branches, one per phase, starting at rest.",
                     "",
                     [](CElementContext& c) {
                         for (size_t k = 0; k < 3; ++k)
                             SeriesBranch(c, std::to_string(k), c.Pin(k), c.Pin(k + 3), c.Float(0),
                                          c.Float(1), c.Float(2), 0, 0);
                     }});
    table.push_back({"MUT2",
                     "Coupled inductors",
                     {"winding 1, dotted end", "winding 1, other end", "winding 2, dotted end",
                      "winding 2, other end"},
                     {{"L1", "H", F}, {"L2", "H", F}, {"M", "H", F}},
                     "Two ngspice inductors coupled with k = M / sqrt(L1 x L2).",
                     "M must be below sqrt(L1 x L2) (k below 1).",
                     [](CElementContext& c) {
                         const double l1 = c.Float(0), l2 = c.Float(1), m = c.Float(2);
                         CheckedInductor(c, "L1", c.Pin(0), c.Pin(1), l1, 0);
                         CheckedInductor(c, "L2", c.Pin(2), c.Pin(3), l2, 0);
                         if (l1 <= 0 || l2 <= 0) return;
                         const double k = m / std::sqrt(l1 * l2);
                         c.Require(std::fabs(k) < 1, "M must be below the square root of L1 x L2");
                         c.Line(c.Device('K', "k") + " " + c.Device('L', "L1") + " " +
                                c.Device('L', "L2") + " " + DeckNumber(k));
                     }});
    table.push_back({"TFI",
                     "Ideal transformer",
                     kTransformerPins,
                     {{"N1", "", F}, {"N2", "", F}},
                     "A voltage-controlled voltage source on the primary and a current-"
                     "controlled current source on the secondary: v1 = N1/N2 x v2, "
                     "i2 = N1/N2 x i1. It passes DC.",
                     "",
                     [](CElementContext& c) {
                         c.Require(c.Float(0) > 0 && c.Float(1) > 0,
                                   "the numbers of turns must be above 0");
                         IdealTransformer(c, "t", c.Pin(0), c.Pin(1), c.Pin(2), c.Pin(3),
                                          c.Float(0) / c.Float(1));
                     }});
    table.push_back({"TF1", "Single-phase transformer", kTransformerPins, kTransformerValues,
                     "The ideal transformer with Rp and Lp in series on the primary, Lm across "
                     "the primary behind them, and Ls and Rs in series on the secondary.",
                     "No saturation and no core losses; Rp and Rs of 0 become 1 mOhm.",
                     [](CElementContext& c) {
                         RealTransformer(c, "t", c.Pin(0), c.Pin(1), c.Pin(2), c.Pin(3), 0);
                     }});
    table.push_back({"TFI3",
                     "Ideal three-phase transformer",
                     kThreePhaseTransformerPins,
                     {{"N1", "", F}, {"N2", "", F}},
                     "Three ideal transformers, primaries and secondaries each in star with "
                     "floating star points.",
                     "",
                     [](CElementContext& c) { ThreePhaseTransformer(c, false, false); }});
    table.push_back({"TF3YY", "Three-phase transformer, star/star", kThreePhaseTransformerPins,
                     kTransformerValues,
                     "Three single-phase transformers (as TF1) in star on both sides, with "
                     "floating star points.",
                     "No coupling between the phases' cores.",
                     [](CElementContext& c) { ThreePhaseTransformer(c, true, false); }});
    table.push_back({"TF3YD", "Three-phase transformer, star/delta", kThreePhaseTransformerPins,
                     kTransformerValues,
                     "Three single-phase transformers (as TF1), primaries in star, secondaries "
                     "in delta: secondary winding a between a and b, b between b and c, c "
                     "between c and a.",
                     "No coupling between the phases' cores.",
                     [](CElementContext& c) { ThreePhaseTransformer(c, true, true); }});
}

}  // namespace kestro::tarn
