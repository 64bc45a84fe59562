#pragma once

// The state a run leaves for the next (Isave and Iload): the voltage of every capacitor and
// the current of every inductor at the end time, by instance and part ("C1/C 23.97").
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace kestro::tarn {

// "<netlist without extension>.STA", beside the netlist.
std::string StateFileName(const std::string& netlistPath);

std::string WriteState(const std::map<std::string, double>& values);

struct CStateResult {
    std::optional<std::map<std::string, double>> values;
    std::string error;  // with the line, when values is empty
};
CStateResult ReadState(std::string_view text);

}  // namespace kestro::tarn
