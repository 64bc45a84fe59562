// Control blocks: signals are node voltages against ground; outputs are ideal sources.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/tarn/lib/model_parts.h"
#include "tools/tarn/lib/model_table.h"

namespace kestro::tarn {

namespace {

constexpr ValueKind F = ValueKind::Float;
constexpr ValueKind T = ValueKind::Text;
constexpr double kPi = std::numbers::pi;

// A number inside an expression: negative numbers in parentheses, so "u-" + N(-2) reads.
std::string N(double value) {
    return value < 0 ? "(" + DeckNumber(value) + ")" : DeckNumber(value);
}

std::string Logic(const std::string& node) {
    return "(" + V(node) + ">0.5)";
}

std::string OneOrZero(const std::string& condition) {
    return "(" + condition + ") ? 1 : 0";
}

// A state of one farad whose rate of change is the expression; returns its node.
std::string State(CElementContext& c, const std::string& tag, const std::string& rate,
                  double start) {
    const std::string node = c.Internal(tag);
    c.Line(c.Device('B', tag) + " 0 " + node + " I=" + rate);
    c.Capacitor(tag, node, "0", 1.0, start);
    return node;
}

// gain x N(s) / D(s) of the input, as states of the controllable canonical form. Time is
// scaled by a natural frequency of D so the states stay near the size of the input (ngspice
// judges convergence against absolute tolerances). Returns the output expression.
std::string LinearSystem(CElementContext& c, const std::string& input, std::vector<double> num,
                         std::vector<double> den, double gain) {
    while (!den.empty() && den.front() == 0)
        den.erase(den.begin());
    while (num.size() > 1 && num.front() == 0)
        num.erase(num.begin());
    if (den.empty()) {
        c.Fail("the denominator must have a coefficient other than 0");
        return "0";
    }
    if (num.size() > den.size()) {
        c.Fail("the order of the numerator must not exceed that of the denominator");
        return "0";
    }
    const size_t n = den.size() - 1;
    std::vector<double> a(n + 1), b(n + 1, 0.0);
    for (size_t i = 0; i <= n; ++i)
        a[i] = den[i] / den[0];
    for (size_t j = 0; j < num.size(); ++j)
        b[n + 1 - num.size() + j] = gain * num[j] / den[0];
    double w0 = 0;
    for (size_t i = 1; i <= n; ++i)
        if (a[i] != 0) w0 = std::max(w0, std::pow(std::fabs(a[i]), 1.0 / double(i)));
    if (w0 == 0) w0 = 1;
    for (size_t i = 1; i <= n; ++i) {
        a[i] /= std::pow(w0, double(i));
        b[i] /= std::pow(w0, double(i));
    }
    // z[k] holds x_(k+1); z[0] is the base state.
    std::vector<std::string> z(n);
    for (size_t k = 0; k < n; ++k)
        z[k] = V(c.Internal("z" + std::to_string(k)));
    for (size_t k = 0; k + 1 < n; ++k)
        State(c, "z" + std::to_string(k), N(w0) + "*" + z[k + 1], 0);
    if (n > 0) {
        std::string last = input;
        for (size_t i = 1; i <= n; ++i)
            if (a[i] != 0) last += "-" + N(a[i]) + "*" + z[n - i];
        State(c, "z" + std::to_string(n - 1), N(w0) + "*(" + last + ")", 0);
    }
    std::string output = N(b[0]) + "*" + input;
    for (size_t j = 1; j <= n; ++j) {
        const double coefficient = b[j] - b[0] * a[j];
        if (coefficient != 0) output += "+" + N(coefficient) + "*" + z[n - j];
    }
    return output;
}

void Filter(CElementContext& c, std::vector<double> num, std::vector<double> den) {
    ControlOutput(c, 1, LinearSystem(c, V(c.Pin(0)), std::move(num), std::move(den), c.Float(0)));
}

// Output = expression of the inputs, for blocks with inputs first and the output last.
using Formula = std::string (*)(const std::vector<std::string>& in);
CModel Block(const char* name, const char* title, std::vector<const char*> pins, const char* model,
             void (*translate)(CElementContext&)) {
    return {name, title, std::move(pins), {}, model, "", translate};
}

template <size_t Inputs>
void Apply(CElementContext& c, Formula formula) {
    std::vector<std::string> in;
    for (size_t i = 0; i < Inputs; ++i)
        in.push_back(V(c.Pin(i)));
    ControlOutput(c, Inputs, formula(in));
}

const std::vector<const char*> kOneInput = {"input u", "output"};
const std::vector<const char*> kTwoInputs = {"input u1", "input u2", "output"};

void AddArithmetic(std::vector<CModel>& table) {
    table.push_back({"CONST",
                     "Constant",
                     {"output"},
                     {{"Value", "", F}},
                     "A DC voltage source of Value.",
                     "",
                     [](CElementContext& c) {
                         c.Line(c.Device('V', "o") + " " + c.Pin(0) + " 0 DC " + N(c.Float(0)));
                     }});
    table.push_back(
        Block("SUM2", "Summer, two inputs", kTwoInputs, "u1 + u2.", [](CElementContext& c) {
            Apply<2>(c, [](const auto& in) { return in[0] + "+" + in[1]; });
        }));
    table.push_back(
        Block("SUM3", "Summer, three inputs", {"input u1", "input u2", "input u3", "output"},
              "u1 + u2 + u3.", [](CElementContext& c) {
                  Apply<3>(c, [](const auto& in) { return in[0] + "+" + in[1] + "+" + in[2]; });
              }));
    table.push_back(Block("SUB", "Subtractor", kTwoInputs, "u1 - u2.", [](CElementContext& c) {
        Apply<2>(c, [](const auto& in) { return in[0] + "-(" + in[1] + ")"; });
    }));
    table.push_back(
        {"GAIN", "Gain", kOneInput, {{"K", "", F}}, "K x u.", "", [](CElementContext& c) {
             ControlOutput(c, 1, N(c.Float(0)) + "*" + V(c.Pin(0)));
         }});
    table.push_back(Block("MULT", "Multiplier", kTwoInputs, "u1 x u2.", [](CElementContext& c) {
        Apply<2>(c, [](const auto& in) { return in[0] + "*" + in[1]; });
    }));
    table.push_back(Block(
        "DIV", "Divider", kTwoInputs, "u1 / u2, and 0 while u2 is 0.", [](CElementContext& c) {
            Apply<2>(c, [](const auto& in) { return in[1] + "==0 ? 0 : " + in[0] + "/" + in[1]; });
        }));
    table.push_back(Block(
        "SQRT", "Square root", kOneInput, "sqrt(u), and 0 for u below 0.", [](CElementContext& c) {
            Apply<1>(c, [](const auto& in) { return "sqrt(max(" + in[0] + ",0))"; });
        }));
    table.push_back(Block("ABS", "Absolute value", kOneInput, "|u|.", [](CElementContext& c) {
        Apply<1>(c, [](const auto& in) { return "abs(" + in[0] + ")"; });
    }));
    table.push_back(Block(
        "SIGN", "Sign function", kOneInput, "1 above 0, -1 below, 0 at 0.", [](CElementContext& c) {
            Apply<1>(c,
                     [](const auto& in) { return in[0] + ">0 ? 1 : (" + in[0] + "<0 ? -1 : 0)"; });
        }));
    table.push_back(
        Block("MIN", "Minimum", kTwoInputs, "The smaller of u1 and u2.", [](CElementContext& c) {
            Apply<2>(c, [](const auto& in) { return "min(" + in[0] + "," + in[1] + ")"; });
        }));
    table.push_back(
        Block("MAX", "Maximum", kTwoInputs, "The larger of u1 and u2.", [](CElementContext& c) {
            Apply<2>(c, [](const auto& in) { return "max(" + in[0] + "," + in[1] + ")"; });
        }));
    table.push_back({"LIM",
                     "Limiter",
                     kOneInput,
                     {{"Ymin", "", F}, {"Ymax", "", F}},
                     "u held between Ymin and Ymax.",
                     "Ymin must not exceed Ymax.",
                     [](CElementContext& c) {
                         c.Require(c.Float(0) <= c.Float(1), "Ymin must not exceed Ymax");
                         ControlOutput(c, 1,
                                       "min(max(" + V(c.Pin(0)) + "," + N(c.Float(0)) + ")," +
                                           N(c.Float(1)) + ")");
                     }});
    table.push_back(
        {"LUT",
         "Lookup table",
         kOneInput,
         {{"Table", "", T}},
         "Straight lines between the (input, output) pairs of Table; the end values are held "
         "outside.",
         "Inputs must rise strictly; numbers may carry the suffixes p n u m k M G.",
         [](CElementContext& c) {
             const auto numbers = ParseNumberList(c.Text(0));
             c.Require(numbers && numbers->size() >= 2 && numbers->size() % 2 == 0,
                       "Table must be pairs of numbers: input and output");
             if (!numbers || numbers->size() < 2 || numbers->size() % 2) return;
             const std::vector<double>& p = *numbers;
             const std::string u = V(c.Pin(0));
             std::string expression = N(p[p.size() - 1]);
             for (size_t i = p.size() - 2; i >= 2; i -= 2) {
                 c.Require(p[i] > p[i - 2], "the inputs of Table must rise");
                 const double slope = (p[i + 1] - p[i - 1]) / (p[i] - p[i - 2]);
                 expression = u + "<" + N(p[i]) + " ? " + N(p[i - 1]) + "+" + N(slope) + "*(" + u +
                              "-" + N(p[i - 2]) + ") : (" + expression + ")";
             }
             ControlOutput(c, 1, u + "<" + N(p[0]) + " ? " + N(p[1]) + " : (" + expression + ")");
         }});
    table.push_back(
        Block("COMP", "Comparator", {"non-inverting input u1", "inverting input u2", "output"},
              "1 while u1 is above u2, else 0.", [](CElementContext& c) {
                  Apply<2>(c, [](const auto& in) { return OneOrZero(in[0] + ">" + in[1]); });
              }));
    table.push_back(
        {"HYST",
         "Hysteresis",
         kOneInput,
         {{"Uon", "", F}, {"Uoff", "", F}, {"Ylow", "", F}, {"Yhigh", "", F}},
         "A latch set when u rises above Uon and cleared when it falls below Uoff; "
         "the output is Yhigh while it is set, Ylow otherwise (at the start).",
         "Uoff must not exceed Uon.",
         [](CElementContext& c) {
             c.Require(c.Float(1) <= c.Float(0), "Uoff must not exceed Uon");
             const std::string u = V(c.Pin(0));
             const std::string self = V(c.Internal("h"));
             const std::string set = Latch(c, "h",
                                           u + ">" + N(c.Float(0)) + " || (" + self + ">0.5 && " +
                                               u + ">=" + N(c.Float(1)) + ")",
                                           false);
             ControlOutput(c, 1, V(set) + ">0.5 ? " + N(c.Float(3)) + " : " + N(c.Float(2)));
         }});
}

void AddDynamics(std::vector<CModel>& table) {
    table.push_back({"INT",
                     "Integrator",
                     kOneInput,
                     {{"Ki", "", F}, {"Y0", "", F}},
                     "Y0 + Ki x the integral of u: a capacitor of 1 F charged by Ki x u.",
                     "No limits on the output.",
                     [](CElementContext& c) {
                         const std::string x =
                             State(c, "x", N(c.Float(0)) + "*" + V(c.Pin(0)), c.Float(1));
                         ControlOutput(c, 1, V(x));
                     }});
    table.push_back({"PI",
                     "PI controller",
                     {"input: the error", "output"},
                     {{"Kp", "", F}, {"Ki", "1/s", F}},
                     "Kp x e + Ki x the integral of e, the integral starting at 0.",
                     "No anti-windup: follow it by a limiter and expect overshoot after a long "
                     "saturation.",
                     [](CElementContext& c) {
                         const std::string e = V(c.Pin(0));
                         const std::string x = State(c, "x", N(c.Float(1)) + "*" + e, 0);
                         ControlOutput(c, 1, N(c.Float(0)) + "*" + e + "+" + V(x));
                     }});
    table.push_back({"PID",
                     "PID controller",
                     {"input: the error", "output"},
                     {{"Kp", "", F}, {"Ki", "1/s", F}, {"Kd", "s", F}, {"Tf", "s", F}},
                     "Kp x e + Ki x the integral of e + Kd x the derivative of e through a "
                     "first-order filter of time constant Tf.",
                     "Tf must be above 0; no anti-windup.",
                     [](CElementContext& c) {
                         const double tf = c.Float(3);
                         c.Require(tf > 0, "Tf must be above 0");
                         if (tf <= 0) return;
                         const std::string e = V(c.Pin(0));
                         const std::string x = State(c, "x", N(c.Float(1)) + "*" + e, 0);
                         const std::string f =
                             State(c, "f", "(" + e + "-" + V(c.Internal("f")) + ")/" + N(tf), 0);
                         ControlOutput(c, 1,
                                       N(c.Float(0)) + "*" + e + "+" + V(x) + "+" +
                                           N(c.Float(2) / tf) + "*(" + e + "-" + V(f) + ")");
                     }});
    table.push_back(
        {"TFN",
         "Transfer function",
         kOneInput,
         {{"K", "", F}, {"Num", "", T}, {"Den", "", T}},
         "K x N(s) / D(s) as states of the controllable canonical form, starting at rest.",
         "The order of N must not exceed that of D; coefficients may carry the suffixes p n u "
         "m k M G.",
         [](CElementContext& c) {
             const auto num = ParseNumberList(c.Text(1));
             const auto den = ParseNumberList(c.Text(2));
             c.Require(num && !num->empty(), "Num must be numbers separated by blanks");
             c.Require(den && !den->empty(), "Den must be numbers separated by blanks");
             if (!num || !den || num->empty() || den->empty()) return;
             ControlOutput(c, 1, LinearSystem(c, V(c.Pin(0)), *num, *den, c.Float(0)));
         }});
    table.push_back({"DIFF",
                     "Differentiator",
                     kOneInput,
                     {{"Kd", "", F}},
                     "Kd x du/dt: the input as a current through an inductor of 1 H, whose "
                     "voltage is the derivative.",
                     "A step of the input gives a spike as high as the time step is short.",
                     [](CElementContext& c) {
                         const std::string x = c.Internal("d");
                         c.Line(c.Device('B', "d") + " 0 " + x + " I=" + V(c.Pin(0)));
                         c.Inductor("d", x, "0", 1.0, 0);
                         ControlOutput(c, 1, N(c.Float(0)) + "*" + V(x));
                     }});
    const std::vector<CValueRule> secondOrder = {{"Gain", "", F}, {"Fc", "Hz", F}, {"Zeta", "", F}};
    table.push_back({"LPF", "Low-pass filter (second order)", kOneInput, secondOrder,
                     "Gain x w^2 / (s^2 + 2 Zeta w s + w^2), w = 2 pi Fc, as TFN.", "",
                     [](CElementContext& c) {
                         const double w = 2 * kPi * c.Float(1);
                         c.Require(w > 0, "Fc must be above 0");
                         Filter(c, {w * w}, {1, 2 * c.Float(2) * w, w * w});
                     }});
    table.push_back({"HPF", "High-pass filter (second order)", kOneInput, secondOrder,
                     "Gain x s^2 / (s^2 + 2 Zeta w s + w^2), w = 2 pi Fc, as TFN.", "",
                     [](CElementContext& c) {
                         const double w = 2 * kPi * c.Float(1);
                         c.Require(w > 0, "Fc must be above 0");
                         Filter(c, {1, 0, 0}, {1, 2 * c.Float(2) * w, w * w});
                     }});
    table.push_back({"BPF",
                     "Band-pass filter (second order)",
                     kOneInput,
                     {{"Gain", "", F}, {"F0", "Hz", F}, {"Bw", "Hz", F}},
                     "Gain x B s / (s^2 + B s + w^2), w = 2 pi F0, B = 2 pi Bw, as TFN.",
                     "",
                     [](CElementContext& c) {
                         const double w = 2 * kPi * c.Float(1), bw = 2 * kPi * c.Float(2);
                         c.Require(w > 0 && bw > 0, "F0 and Bw must be above 0");
                         Filter(c, {bw, 0}, {1, bw, w * w});
                     }});
}

void Carrier(CElementContext& c, std::vector<std::pair<double, double>> corners) {
    const double freq = c.Float(0);
    c.Require(freq > 0, "the frequency must be above 0");
    if (freq <= 0) return;
    c.Line(c.Device('V', "o") + " " + c.Pin(0) + " 0 " +
           PeriodicWave(std::move(corners), 1 / freq, c.Float(3) / 360));
}

void AddWaveforms(std::vector<CModel>& table) {
    const std::vector<CValueRule> carrier = {
        {"Freq", "Hz", F}, {"Ymin", "", F}, {"Ymax", "", F}, {"Phase", "deg", F}};
    table.push_back({"CARTRI",
                     "Triangle carrier",
                     {"output"},
                     carrier,
                     "A periodic piecewise-linear source rising from Ymin to Ymax in the first "
                     "half of the period and falling in the second, delayed by Phase.",
                     "",
                     [](CElementContext& c) {
                         Carrier(c, {{0, c.Float(1)}, {0.5, c.Float(2)}, {1, c.Float(1)}});
                     }});
    table.push_back({"CARSAW",
                     "Sawtooth carrier",
                     {"output"},
                     carrier,
                     "A periodic piecewise-linear source rising from Ymin to Ymax, falling back "
                     "in the last thousandth of the period, delayed by Phase.",
                     "",
                     [](CElementContext& c) {
                         Carrier(c, {{0, c.Float(1)}, {0.999, c.Float(2)}, {1, c.Float(1)}});
                     }});
    table.push_back(
        {"GATING",
         "Gating block",
         {"gating output"},
         {{"Freq", "Hz", F}, {"Points", "", T}},
         "A periodic piecewise-linear source of 1 between the first and second switching angle, "
         "the third and fourth and so on, 0 elsewhere; the pattern repeats at Freq.",
         "Angles must rise and lie between 0 and 360; each edge takes a thousandth of the "
         "period or a twentieth of the time step, whichever is shorter, centred on its angle.",
         [](CElementContext& c) {
             const double freq = c.Float(0);
             const auto angles = ParseNumberList(c.Text(1));
             c.Require(freq > 0, "the frequency must be above 0");
             c.Require(angles.has_value(), "Points must be angles in degrees separated by blanks");
             if (freq <= 0 || !angles) return;
             for (size_t i = 0; i < angles->size(); ++i) {
                 c.Require((*angles)[i] >= 0 && (*angles)[i] <= 360,
                           "the switching angles must lie between 0 and 360 degrees");
                 if (i > 0)
                     c.Require((*angles)[i] >= (*angles)[i - 1], "the switching angles must rise");
             }
             const double period = 1 / freq;
             const double edge = std::min(c.Tstep() * 0.05, period * 1e-3) / period;
             c.Line(c.Device('V', "o") + " " + c.Pin(0) + " 0 " +
                    PeriodicWave(GatingCorners(*angles, edge), period, 0));
         }});
    table.push_back({"ONOFF",
                     "On-off switch controller",
                     {"control input", "gating output"},
                     {{"Vth", "", F}},
                     "1 while the input is at least Vth, else 0.",
                     "",
                     [](CElementContext& c) {
                         ControlOutput(c, 1, OneOrZero(V(c.Pin(0)) + ">=" + N(c.Float(0))));
                     }});
}

void AddLogic(std::vector<CModel>& table) {
    const char* model = "Inputs count as 1 above 0.5; the output is 1 or 0.";
    table.push_back(Block("AND", "AND gate", kTwoInputs, model, [](CElementContext& c) {
        ControlOutput(c, 2, OneOrZero(Logic(c.Pin(0)) + " && " + Logic(c.Pin(1))));
    }));
    table.push_back(Block("OR", "OR gate", kTwoInputs, model, [](CElementContext& c) {
        ControlOutput(c, 2, OneOrZero(Logic(c.Pin(0)) + " || " + Logic(c.Pin(1))));
    }));
    table.push_back(Block("NOT", "NOT gate", {"input", "output"}, model, [](CElementContext& c) {
        ControlOutput(c, 1, Logic(c.Pin(0)) + " ? 0 : 1");
    }));
    table.push_back(Block("NAND", "NAND gate", kTwoInputs, model, [](CElementContext& c) {
        ControlOutput(c, 2, "(" + Logic(c.Pin(0)) + " && " + Logic(c.Pin(1)) + ") ? 0 : 1");
    }));
    table.push_back(Block("NOR", "NOR gate", kTwoInputs, model, [](CElementContext& c) {
        ControlOutput(c, 2, "(" + Logic(c.Pin(0)) + " || " + Logic(c.Pin(1)) + ") ? 0 : 1");
    }));
    table.push_back(Block("XOR", "XOR gate", kTwoInputs, model, [](CElementContext& c) {
        ControlOutput(c, 2, OneOrZero(Logic(c.Pin(0)) + " != " + Logic(c.Pin(1))));
    }));
}

void AddInterfaces(std::vector<CModel>& table) {
    table.push_back({"VSENS",
                     "Voltage sensor",
                     {"positive power node", "negative power node", "control output"},
                     {{"Gain", "", F}},
                     "Gain x the voltage between the power nodes, without loading them.",
                     "",
                     [](CElementContext& c) {
                         ControlOutput(c, 2, N(c.Float(0)) + "*" + V(c.Pin(0), c.Pin(1)));
                     }});
    table.push_back({"ISENS",
                     "Current sensor",
                     {"current in", "current out", "control output"},
                     {{"Gain", "", F}},
                     "A 0 V source carries the current; the output is Gain x that current.",
                     "",
                     [](CElementContext& c) {
                         const std::string meter = c.Device('V', "i");
                         c.Line(meter + " " + c.Pin(0) + " " + c.Pin(1) + " 0");
                         ControlOutput(c, 2, N(c.Float(0)) + "*i(" + meter + ")");
                     }});
    table.push_back({"CTOP",
                     "Control-to-power interface",
                     {"control input u", "positive power terminal", "negative power terminal"},
                     {{"Gain", "V", F}},
                     "A voltage source of Gain x u between the power terminals.",
                     "",
                     [](CElementContext& c) {
                         c.Line(c.Device('B', "o") + " " + c.Pin(1) + " " + c.Pin(2) +
                                " V=" + N(c.Float(0)) + "*" + V(c.Pin(0)));
                     }});
    table.push_back(Block(
        "ABC2DQ", "abc to dq transformation",
        {"input a", "input b", "input c", "input th", "output d", "output q"},
        "d = 2/3 (a cos th + b cos(th - 120 deg) + c cos(th + 120 deg)), q = -2/3 (a sin th + b "
        "sin(th - 120 deg) + c sin(th + 120 deg)).",
        [](CElementContext& c) {
            const std::string a = V(c.Pin(0)), b = V(c.Pin(1)), cc = V(c.Pin(2)), th = V(c.Pin(3));
            const std::string shift = N(2 * kPi / 3);
            const auto sum = [&](const char* f) {
                return a + "*" + f + "(" + th + ")+" + b + "*" + f + "(" + th + "-" + shift + ")+" +
                       cc + "*" + f + "(" + th + "+" + shift + ")";
            };
            ControlOutput(c, 4, N(2.0 / 3) + "*(" + sum("cos") + ")", "d");
            ControlOutput(c, 5, N(-2.0 / 3) + "*(" + sum("sin") + ")", "q");
        }));
    table.push_back(Block(
        "DQ2ABC", "dq to abc transformation",
        {"input d", "input q", "input th", "output a", "output b", "output c"},
        "a = d cos th - q sin th; b and c the same at th - 120 deg and th + 120 deg.",
        [](CElementContext& c) {
            const std::string d = V(c.Pin(0)), q = V(c.Pin(1)), th = V(c.Pin(2));
            const char* shifts[] = {"", "-", "+"};
            for (size_t k = 0; k < 3; ++k) {
                const std::string angle = k == 0 ? th : "(" + th + shifts[k] + N(2 * kPi / 3) + ")";
                ControlOutput(c, 3 + k, d + "*cos(" + angle + ")-" + q + "*sin(" + angle + ")",
                              std::string(1, char('a' + k)));
            }
        }));
    table.push_back(Block(
        "ABC2AB", "abc to alpha-beta transformation",
        {"input a", "input b", "input c", "output alpha", "output beta"},
        "alpha = 2/3 (a - b/2 - c/2), beta = (b - c) / sqrt(3).", [](CElementContext& c) {
            const std::string a = V(c.Pin(0)), b = V(c.Pin(1)), cc = V(c.Pin(2));
            ControlOutput(c, 3, N(2.0 / 3) + "*(" + a + "-0.5*" + b + "-0.5*" + cc + ")", "a");
            ControlOutput(c, 4, "(" + b + "-" + cc + ")/" + N(std::sqrt(3.0)), "b");
        }));
    table.push_back(Block("AB2ABC", "alpha-beta to abc transformation",
                          {"input alpha", "input beta", "output a", "output b", "output c"},
                          "a = alpha, b = -alpha/2 + sqrt(3)/2 beta, c = -alpha/2 - sqrt(3)/2 "
                          "beta.",
                          [](CElementContext& c) {
                              const std::string al = V(c.Pin(0)), be = V(c.Pin(1));
                              const std::string k = N(std::sqrt(3.0) / 2);
                              ControlOutput(c, 2, al, "a");
                              ControlOutput(c, 3, "-0.5*" + al + "+" + k + "*" + be, "b");
                              ControlOutput(c, 4, "-0.5*" + al + "-" + k + "*" + be, "c");
                          }));
}

}  // namespace

void AddControlModels(std::vector<CModel>& table) {
    AddArithmetic(table);
    AddDynamics(table);
    AddWaveforms(table);
    AddLogic(table);
    AddInterfaces(table);
}

}  // namespace kestro::tarn
