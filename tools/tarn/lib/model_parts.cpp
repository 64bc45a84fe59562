#include "tools/tarn/lib/model_parts.h"

#include <algorithm>
#include <cmath>

namespace kestro::tarn {

std::string V(const std::string& node) {
    return node == "0" ? "0" : "V(" + node + ")";
}

std::string V(const std::string& a, const std::string& b) {
    if (b == "0") return V(a);
    if (a == "0") return "(-" + V(b) + ")";
    return "V(" + a + "," + b + ")";
}

void ControlOutput(CElementContext& c, size_t pin, const std::string& expression,
                   const std::string& tag) {
    c.Line(c.Device('B', tag) + " " + c.Pin(pin) + " 0 V=" + expression);
}

void Switch(CElementContext& c, const std::string& tag, const std::string& a, const std::string& b,
            const std::string& control, double ron) {
    const std::string model = "sw" + c.Device('m', tag);
    c.Line(c.Device('S', tag) + " " + a + " " + b + " " + control + " 0 " + model);
    c.Line(".model " + model + " SW(VT=0.5 VH=0 RON=" + DeckNumber(std::max(ron, kSwitchOn)) +
           " ROFF=" + DeckNumber(kSwitchOff) + ")");
}

void Diode(CElementContext& c, const std::string& tag, const std::string& anode,
           const std::string& cathode, double vd) {
    c.SharedLine("diode", ".model kdiode D(IS=1e-12 N=0.05 RS=1e-3)");
    std::string junctionEnd = cathode;
    if (vd != 0) {
        junctionEnd = c.Internal(tag + "d");
        c.Line(c.Device('V', tag + "d") + " " + junctionEnd + " " + cathode + " " + DeckNumber(vd));
    }
    c.Line(c.Device('D', tag) + " " + anode + " " + junctionEnd + " kdiode");
    c.Line(c.Device('R', tag + "off") + " " + anode + " " + cathode + " " + DeckNumber(kSwitchOff));
}

void OneWaySwitch(CElementContext& c, const std::string& tag, const std::string& a,
                  const std::string& b, const std::string& control, double ron, double vd) {
    const std::string middle = c.Internal(tag + "m");
    Switch(c, tag, a, middle, control, ron);
    Diode(c, tag + "s", middle, b, vd);
}

std::string Latch(CElementContext& c, const std::string& tag, const std::string& target,
                  bool startOn) {
    const std::string node = c.Internal(tag);
    // A current equal to the target into 1 ohm parallel to tau farads: the node reaches the
    // target with the time constant tau, far below the time step.
    const double tau = c.Tstep() / 20;
    c.Line(c.Device('B', tag) + " 0 " + node + " I=(" + target + ") ? 1 : 0");
    c.Line(c.Device('R', tag) + " " + node + " 0 1");
    c.Line(c.Device('C', tag) + " " + node + " 0 " + DeckNumber(tau) +
           " ic=" + (startOn ? "1" : "0"));
    return node;
}

std::string PeriodicWave(std::vector<std::pair<double, double>> corners, double period,
                         double delay) {
    // The wave at a fraction of the period, by linear interpolation between corners.
    const auto at = [&corners](double x) {
        if (x <= corners.front().first) return corners.front().second;
        for (size_t i = 1; i < corners.size(); ++i) {
            const auto& [x1, y1] = corners[i];
            const auto& [x0, y0] = corners[i - 1];
            if (x <= x1) return x1 > x0 ? y0 + (y1 - y0) * (x - x0) / (x1 - x0) : y1;
        }
        return corners.back().second;
    };
    delay -= std::floor(delay);
    // The delayed wave over one period: its corners moved by the delay and wrapped.
    std::vector<double> xs = {0.0, 1.0};
    for (const auto& corner : corners) {
        double x = corner.first + delay;
        if (x >= 1) x -= 1;
        xs.push_back(x);
    }
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end(),
                         [](double p, double q) { return std::fabs(p - q) < 1e-12; }),
             xs.end());
    const auto delayed = [&](double x) {
        double source = x - delay;
        if (source < 0) source += 1;
        return at(source);
    };
    std::string text = "PWL(";
    for (size_t i = 0; i < xs.size(); ++i) {
        // At a corner where the delayed wave jumps, both sides are needed: the left limit
        // just before it is given by the previous segment's end.
        const double x = xs[i];
        const double value = i + 1 == xs.size() ? delayed(0.0) : delayed(x);
        if (i > 0) text += " ";
        text += DeckNumber(x * period) + " " + DeckNumber(value);
    }
    return text + ") r=0";
}

std::vector<std::pair<double, double>> GatingCorners(const std::vector<double>& angles,
                                                     double edgeFraction) {
    // Intervals of the period that are on, as fractions.
    std::vector<std::pair<double, double>> on;
    for (size_t i = 0; i < angles.size(); i += 2) {
        const double start = angles[i] / 360.0;
        const double end = i + 1 < angles.size() ? angles[i + 1] / 360.0 : 1.0;
        if (end > start) on.push_back({start, end});
    }
    const auto gate = [&on](double x) {
        for (const auto& [start, end] : on)
            if (x >= start && x < end) return 1.0;
        return 0.0;
    };
    // Each change becomes a ramp of edgeFraction centred on the switching angle.
    std::vector<double> changes;
    for (const auto& [start, end] : on) {
        changes.push_back(start);
        changes.push_back(end);
    }
    std::sort(changes.begin(), changes.end());
    const double half = edgeFraction / 2;
    std::vector<std::pair<double, double>> corners = {{0.0, gate(0.0)}};
    for (double x : changes) {
        if (x <= 0 || x >= 1) continue;
        const double before = gate(x - 1e-12);
        const double after = gate(x);
        if (before == after) continue;
        corners.push_back({std::max(x - half, corners.back().first), before});
        corners.push_back({std::min(x + half, 1.0), after});
    }
    // The wave returns to its value at 0 at the end of the period.
    const double last = corners.back().second;
    const double first = gate(0.0);
    if (last != first) {
        corners.push_back({std::max(1.0 - half, corners.back().first), last});
        corners.push_back({1.0, first});
    } else {
        corners.push_back({1.0, first});
    }
    return corners;
}

}  // namespace kestro::tarn
