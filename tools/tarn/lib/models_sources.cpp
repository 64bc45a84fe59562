// Independent and controlled sources.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/tarn/lib/model_parts.h"
#include "tools/tarn/lib/model_table.h"

namespace kestro::tarn {

namespace {

constexpr ValueKind F = ValueKind::Float;
constexpr double kPi = std::numbers::pi;

const std::vector<const char*> kVoltagePins = {"positive terminal", "negative terminal"};
const std::vector<const char*> kCurrentPins = {"terminal the current leaves the source by",
                                               "terminal the current enters the source by"};

// A source of the given ngspice waveform: a voltage from pin 0 to pin 1, or a current
// leaving by pin 0.
void Source(CElementContext& c, bool current, const std::string& waveform) {
    if (current)
        c.Line(c.Device('I', "s") + " " + c.Pin(1) + " " + c.Pin(0) + " " + waveform);
    else
        c.Line(c.Device('V', "s") + " " + c.Pin(0) + " " + c.Pin(1) + " " + waveform);
}

// A behavioural source of an expression in time.
void ExpressionSource(CElementContext& c, bool current, const std::string& expression) {
    if (current)
        c.Line(c.Device('B', "s") + " " + c.Pin(1) + " " + c.Pin(0) + " I=" + expression);
    else
        c.Line(c.Device('B', "s") + " " + c.Pin(0) + " " + c.Pin(1) + " V=" + expression);
}

// Peak, frequency, phase in degrees, offset, start time.
void Sine(CElementContext& c, bool current) {
    const double peak = c.Float(0), freq = c.Float(1), phase = c.Float(2);
    const double offset = c.Float(3), start = c.Float(4);
    c.Require(freq >= 0, "the frequency must not be negative");
    const std::string wave = DeckNumber(offset) + "+" + DeckNumber(peak) + "*sin(" +
                             DeckNumber(2 * kPi * freq) + "*time+" + DeckNumber(phase * kPi / 180) +
                             ")";
    if (start <= 0)
        ExpressionSource(c, current, wave);
    else
        ExpressionSource(c, current, "time>=" + DeckNumber(start) + " ? " + wave + " : 0");
}

// A step from the first value to the second at the given time.
void Step(CElementContext& c, bool current) {
    const double before = c.Float(0), after = c.Float(1), at = c.Float(2);
    const double edge = std::max(c.Tstep() * 1e-3, 1e-12);
    if (at <= 0) {
        Source(c, current, "DC " + DeckNumber(after));
        return;
    }
    Source(c, current,
           "PWL(0 " + DeckNumber(before) + " " + DeckNumber(at) + " " + DeckNumber(before) + " " +
               DeckNumber(at + edge) + " " + DeckNumber(after) + ")");
}

// Corners of a rectangular wave high for `duty` of the period, with short edges.
std::vector<std::pair<double, double>> SquareCorners(double low, double high, double duty,
                                                     double edge) {
    duty = std::clamp(duty, edge, 1 - edge);
    return {{0, low}, {edge, high}, {duty, high}, {duty + edge, low}, {1, low}};
}

// The edge of rectangular waves as a fraction of their period.
double EdgeFraction(const CElementContext& c, double period) {
    return std::clamp(std::min(c.Tstep() * 0.05, period * 1e-3) / period, 1e-9, 1e-3);
}

void ControlledByCurrent(CElementContext& c, char letter, bool swapOutput) {
    const std::string meter = c.Device('V', "i");
    c.Line(meter + " " + c.Pin(0) + " " + c.Pin(1) + " 0");
    const std::string a = swapOutput ? c.Pin(3) : c.Pin(2);
    const std::string b = swapOutput ? c.Pin(2) : c.Pin(3);
    c.Line(c.Device(letter, "o") + " " + a + " " + b + " " + meter + " " + DeckNumber(c.Float(0)));
}

void ControlledByVoltage(CElementContext& c, char letter, bool swapOutput) {
    const std::string a = swapOutput ? c.Pin(3) : c.Pin(2);
    const std::string b = swapOutput ? c.Pin(2) : c.Pin(3);
    c.Line(c.Device(letter, "o") + " " + a + " " + b + " " + c.Pin(0) + " " + c.Pin(1) + " " +
           DeckNumber(c.Float(0)));
}

}  // namespace

void AddSourceModels(std::vector<CModel>& table) {
    table.push_back({"VDC",
                     "DC voltage source",
                     kVoltagePins,
                     {{"V", "V", F}},
                     "An ngspice DC voltage source.",
                     "",
                     [](CElementContext& c) { Source(c, false, "DC " + DeckNumber(c.Float(0))); }});
    table.push_back({"IDC",
                     "DC current source",
                     kCurrentPins,
                     {{"I", "A", F}},
                     "An ngspice DC current source.",
                     "",
                     [](CElementContext& c) { Source(c, true, "DC " + DeckNumber(c.Float(0))); }});
    const std::vector<CValueRule> sineVoltage = {{"Vpk", "V", F},
                                                 {"Freq", "Hz", F},
                                                 {"Phase", "deg", F},
                                                 {"Voff", "V", F},
                                                 {"Tstart", "s", F}};
    table.push_back({"VSIN", "Sine voltage source", kVoltagePins, sineVoltage,
                     "Voff + Vpk sin(2 pi Freq t + Phase) from Tstart on, 0 before.", "",
                     [](CElementContext& c) { Sine(c, false); }});
    const std::vector<CValueRule> sineCurrent = {{"Ipk", "A", F},
                                                 {"Freq", "Hz", F},
                                                 {"Phase", "deg", F},
                                                 {"Ioff", "A", F},
                                                 {"Tstart", "s", F}};
    table.push_back({"ISIN", "Sine current source", kCurrentPins, sineCurrent,
                     "Ioff + Ipk sin(2 pi Freq t + Phase) from Tstart on, 0 before.", "",
                     [](CElementContext& c) { Sine(c, true); }});
    table.push_back(
        {"VSIN3",
         "Three-phase sine voltage source",
         {"neutral", "phase a", "phase b", "phase c"},
         {{"Vll", "V", F}, {"Freq", "Hz", F}, {"Phase", "deg", F}},
         "Three sine sources from the neutral, each of peak Vll x sqrt(2/3); phase a starts at "
         "Phase, b lags a by 120 degrees and c lags b.",
         "",
         [](CElementContext& c) {
             const double peak = c.Float(0) * std::sqrt(2.0 / 3.0);
             for (int k = 0; k < 3; ++k) {
                 const double phase = (c.Float(2) - 120.0 * k) * kPi / 180;
                 c.Line(c.Device('B', std::string(1, char('a' + k))) + " " + c.Pin(1 + k) + " " +
                        c.Pin(0) + " V=" + DeckNumber(peak) + "*sin(" +
                        DeckNumber(2 * kPi * c.Float(1)) + "*time+" + DeckNumber(phase) + ")");
             }
         }});
    const std::vector<CValueRule> wave = {
        {"Vpp", "V", F}, {"Freq", "Hz", F}, {"Duty", "", F}, {"Voff", "V", F}, {"Phase", "deg", F}};
    table.push_back(
        {"VSQ", "Square-wave voltage source", kVoltagePins, wave,
         "A periodic piecewise-linear source: Voff + Vpp for Duty of the period, Voff for the "
         "rest, delayed by Phase.",
         "The edges take 1/1000 of the period or 1/20 of the time step, whichever is shorter.",
         [](CElementContext& c) {
             const double freq = c.Float(1);
             c.Require(freq > 0, "the frequency must be above 0");
             if (freq <= 0) return;
             const double period = 1 / freq;
             Source(c, false,
                    PeriodicWave(SquareCorners(c.Float(3), c.Float(3) + c.Float(0), c.Float(2),
                                               EdgeFraction(c, period)),
                                 period, c.Float(4) / 360));
         }});
    table.push_back(
        {"VTRI", "Triangle-wave voltage source", kVoltagePins, wave,
         "A periodic piecewise-linear source rising from Voff to Voff + Vpp for Duty "
         "of the period and falling for the rest, delayed by Phase.",
         "", [](CElementContext& c) {
             const double freq = c.Float(1);
             c.Require(freq > 0, "the frequency must be above 0");
             if (freq <= 0) return;
             const double duty = std::clamp(c.Float(2), 1e-6, 1 - 1e-6);
             Source(
                 c, false,
                 PeriodicWave({{0, c.Float(3)}, {duty, c.Float(3) + c.Float(0)}, {1, c.Float(3)}},
                              1 / freq, c.Float(4) / 360));
         }});
    table.push_back({"VSTEP",
                     "Step voltage source",
                     kVoltagePins,
                     {{"V1", "V", F}, {"V2", "V", F}, {"Tstep", "s", F}},
                     "V1 until Tstep, then V2 (a piecewise-linear source).",
                     "The step takes 1/1000 of the time step.",
                     [](CElementContext& c) { Step(c, false); }});
    table.push_back({"ISTEP",
                     "Step current source",
                     kCurrentPins,
                     {{"I1", "A", F}, {"I2", "A", F}, {"Tstep", "s", F}},
                     "I1 until Tstep, then I2 (a piecewise-linear source).",
                     "The step takes 1/1000 of the time step.",
                     [](CElementContext& c) { Step(c, true); }});
    table.push_back({"VRAMP",
                     "Ramp voltage source",
                     kVoltagePins,
                     {{"V1", "V", F}, {"V2", "V", F}, {"Tstart", "s", F}, {"Tend", "s", F}},
                     "V1 until Tstart, a straight line to V2 at Tend, V2 afterwards.",
                     "Tend must come after Tstart.",
                     [](CElementContext& c) {
                         const double start = std::max(c.Float(2), 0.0), end = c.Float(3);
                         c.Require(end > start, "Tend must come after Tstart");
                         std::string points = "PWL(";
                         if (start > 0) points += "0 " + DeckNumber(c.Float(0)) + " ";
                         Source(c, false,
                                points + DeckNumber(start) + " " + DeckNumber(c.Float(0)) + " " +
                                    DeckNumber(end) + " " + DeckNumber(c.Float(1)) + ")");
                     }});
    table.push_back(
        {"VPWL",
         "Piecewise linear voltage source",
         kVoltagePins,
         {{"Points", "", ValueKind::Text}, {"Repeat", "", ValueKind::Boolean}},
         "An ngspice piecewise-linear source through the (time, voltage) pairs of Points; with "
         "Repeat the table starts again from its first point after its last.",
         "Times must rise strictly; numbers may carry the suffixes p n u m k M G.",
         [](CElementContext& c) {
             const auto numbers = ParseNumberList(c.Text(0));
             c.Require(numbers && numbers->size() >= 2 && numbers->size() % 2 == 0,
                       "Points must be pairs of numbers: time and voltage");
             if (!numbers || numbers->size() < 2 || numbers->size() % 2) return;
             std::string points = "PWL(";
             for (size_t i = 0; i < numbers->size(); i += 2) {
                 c.Require((*numbers)[i] >= 0, "the times of Points must not be negative");
                 if (i > 0)
                     c.Require((*numbers)[i] > (*numbers)[i - 2], "the times of Points must rise");
                 points += (i ? " " : "") + DeckNumber((*numbers)[i]) + " " +
                           DeckNumber((*numbers)[i + 1]);
             }
             points += ")";
             if (c.Boolean(1) && numbers->size() >= 4)
                 points += " r=" + DeckNumber(numbers->front());
             Source(c, false, points);
         }});
    const std::vector<const char*> controlledPins = {"positive controlling terminal",
                                                     "negative controlling terminal",
                                                     "output terminal 1", "output terminal 2"};
    table.push_back({"VCVS",
                     "Voltage-controlled voltage source",
                     controlledPins,
                     {{"Gain", "", F}},
                     "An ngspice E source: v(N3, N4) = Gain x v(N1, N2).",
                     "",
                     [](CElementContext& c) { ControlledByVoltage(c, 'E', false); }});
    table.push_back({"VCCS",
                     "Voltage-controlled current source",
                     controlledPins,
                     {{"Gain", "A/V", F}},
                     "An ngspice G source: Gain x v(N1, N2) leaves by N3 and enters by N4.",
                     "",
                     [](CElementContext& c) { ControlledByVoltage(c, 'G', true); }});
    const std::vector<const char*> currentControlledPins = {
        "controlling current in", "controlling current out", "output terminal 1",
        "output terminal 2"};
    table.push_back({"CCVS",
                     "Current-controlled voltage source",
                     currentControlledPins,
                     {{"Gain", "V/A", F}},
                     "A 0 V source measures the current from N1 to N2; an ngspice H source "
                     "makes v(N3, N4) = Gain x that current.",
                     "",
                     [](CElementContext& c) { ControlledByCurrent(c, 'H', false); }});
    table.push_back({"CCCS",
                     "Current-controlled current source",
                     currentControlledPins,
                     {{"Gain", "", F}},
                     "A 0 V source measures the current from N1 to N2; an ngspice F source "
                     "makes Gain x that current leave by N3 and enter by N4.",
                     "",
                     [](CElementContext& c) { ControlledByCurrent(c, 'F', true); }});
}

}  // namespace kestro::tarn
