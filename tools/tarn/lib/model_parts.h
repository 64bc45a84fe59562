#pragma once

// Building blocks the models share: switches, diodes, latches, control outputs and
// periodic waveforms.
#include <string>
#include <utility>
#include <vector>

#include "tools/tarn/lib/deck.h"

namespace kestro::tarn {

inline constexpr double kSwitchOn = 1e-3;  // ohms
inline constexpr double kSwitchOff = 1e6;  // ohms

// "V(3)", or "0" for ground, for use inside an ngspice expression.
std::string V(const std::string& node);
// "V(3,4)".
std::string V(const std::string& a, const std::string& b);

// Drives a control output pin with an expression of node voltages and time.
void ControlOutput(CElementContext& c, size_t pin, const std::string& expression,
                   const std::string& tag = "o");

// A switch between a and b, on while the control node is above 0.5.
void Switch(CElementContext& c, const std::string& tag, const std::string& a, const std::string& b,
            const std::string& control, double ron);
// A diode from anode to cathode with forward drop vd.
void Diode(CElementContext& c, const std::string& tag, const std::string& anode,
           const std::string& cathode, double vd);
// A switch in series with a diode: conducts from a to b only, while the control is on.
void OneWaySwitch(CElementContext& c, const std::string& tag, const std::string& a,
                  const std::string& b, const std::string& control, double ron, double vd);
// A node that keeps its value: it follows `target` (an expression giving 0 or 1) within a
// small fraction of the time step; the target may read the node itself, which is how it
// remembers. Returns the node.
std::string Latch(CElementContext& c, const std::string& tag, const std::string& target,
                  bool startOn);

// A waveform repeating every `period` seconds, given by its corners over one period as
// (fraction of the period, value) pairs from 0 to 1, and delayed by `delay` periods.
// Returns the ngspice source text: "PWL(...) r=0".
std::string PeriodicWave(std::vector<std::pair<double, double>> corners, double period,
                         double delay);
// A gating pattern: on between the first and second angle, the third and the fourth and so
// on (degrees of one period); a last angle without a partner keeps it on to 360.
std::vector<std::pair<double, double>> GatingCorners(const std::vector<double>& angles,
                                                     double edgeFraction);

}  // namespace kestro::tarn
