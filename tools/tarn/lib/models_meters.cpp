// Probes and meters: they add columns to the result table and, where they sit in a
// current path, a 0 V source that carries the current.
#include "tools/tarn/lib/model_parts.h"
#include "tools/tarn/lib/model_table.h"

namespace kestro::tarn {

namespace {

constexpr ValueKind F = ValueKind::Float;

// Modes 0, 1 and 2 of the ammeter and voltmeter.
void Meter(CElementContext& c, const char* unit, std::vector<CTerm> terms, int mode, double freq) {
    CColumn column{c.Instance(), unit, std::move(terms)};
    c.Require(mode >= 0 && mode <= 2, "Mode must be 0, 1 or 2");
    if (mode != 0) {
        c.Require(freq > 0, "the frequency must be above 0");
        column.window = mode == 1 ? CColumn::Window::Average : CColumn::Window::Rms;
        column.period = freq > 0 ? 1 / freq : 0;
    }
    c.Column(std::move(column));
}

// A 0 V source from a to b; its current is the current from a to b.
int CurrentPath(CElementContext& c, const std::string& tag, const std::string& a,
                const std::string& b) {
    const std::string meter = c.Device('V', tag);
    c.Line(meter + " " + a + " " + b + " 0");
    return c.Current(meter);
}

const char* const kModeText =
    "Mode 0 records the instantaneous value, 1 its average and 2 its rms value over the last "
    "period of Freq (over what has run so far during the first period).";

}  // namespace

void AddMeterModels(std::vector<CModel>& table) {
    table.push_back({"VP",
                     "Node voltage probe",
                     {"the node"},
                     {},
                     "A column of the node's voltage against ground, in V.",
                     "",
                     [](CElementContext& c) {
                         c.Column({c.Instance(), "V", {{1, c.Voltage(c.Pin(0))}}});
                     }});
    table.push_back(
        {"VP2",
         "Two-node voltage probe",
         {"positive node", "negative node"},
         {},
         "A column of v(N1) - v(N2), in V.",
         "",
         [](CElementContext& c) {
             c.Column({c.Instance(), "V", {{1, c.Voltage(c.Pin(0))}, {-1, c.Voltage(c.Pin(1))}}});
         }});
    table.push_back({"VM",
                     "Voltmeter",
                     {"positive node", "negative node"},
                     {{"Mode", "", ValueKind::Integer}, {"Freq", "Hz", F}},
                     "A column of v(N1) - v(N2), in V.",
                     kModeText,
                     [](CElementContext& c) {
                         Meter(c, "V", {{1, c.Voltage(c.Pin(0))}, {-1, c.Voltage(c.Pin(1))}},
                               c.Integer(0), c.Float(1));
                     }});
    table.push_back(
        {"IP",
         "Current probe",
         {"current in", "current out"},
         {},
         "A 0 V source from N1 to N2 and a column of its current, in A.",
         "",
         [](CElementContext& c) {
             c.Column({c.Instance(), "A", {{1, CurrentPath(c, "p", c.Pin(0), c.Pin(1))}}});
         }});
    table.push_back({"AM",
                     "Ammeter",
                     {"current in", "current out"},
                     {{"Mode", "", ValueKind::Integer}, {"Freq", "Hz", F}},
                     "A 0 V source from N1 to N2 and a column of its current, in A.",
                     kModeText,
                     [](CElementContext& c) {
                         Meter(c, "A", {{1, CurrentPath(c, "p", c.Pin(0), c.Pin(1))}}, c.Integer(0),
                               c.Float(1));
                     }});
    table.push_back(
        {"WM",
         "Wattmeter",
         {"current in", "current out", "positive voltage node", "negative voltage node"},
         {{"Freq", "Hz", F}},
         "A 0 V source from N1 to N2 and a column of v(N3, N4) x its current averaged over the "
         "last period of Freq, in W.",
         "",
         [](CElementContext& c) {
             const double freq = c.Float(0);
             c.Require(freq > 0, "the frequency must be above 0");
             const int i = CurrentPath(c, "p", c.Pin(0), c.Pin(1));
             c.Column({c.Instance(),
                       "W",
                       {{1, c.Voltage(c.Pin(2)), i}, {-1, c.Voltage(c.Pin(3)), i}},
                       CColumn::Window::Average,
                       freq > 0 ? 1 / freq : 0});
         }});
    table.push_back(
        {"WM3",
         "Three-phase wattmeter",
         {"phase a in", "phase b in", "phase c in", "phase a out", "phase b out", "phase c out"},
         {{"Freq", "Hz", F}},
         "A 0 V source in each phase and a column of the sum of each phase's voltage against "
         "ground times its current, averaged over the last period of Freq, in W.",
         "Exact when the three currents add up to 0 (no return path), as in a three-wire "
         "system.",
         [](CElementContext& c) {
             const double freq = c.Float(0);
             c.Require(freq > 0, "the frequency must be above 0");
             std::vector<CTerm> terms;
             for (size_t k = 0; k < 3; ++k) {
                 const int i = CurrentPath(c, "p" + std::to_string(k), c.Pin(k), c.Pin(3 + k));
                 terms.push_back({1, c.Voltage(c.Pin(k)), i});
             }
             c.Column({c.Instance(), "W", std::move(terms), CColumn::Window::Average,
                       freq > 0 ? 1 / freq : 0});
         }});
}

}  // namespace kestro::tarn
