#include "tools/tarn/lib/state_file.h"

#include "core/app/simulation_launch.h"
#include "tools/tarn/lib/netlist_reader.h"
#include "tools/tarn/lib/result_table.h"

namespace kestro::tarn {

namespace {

constexpr std::string_view kFirstLine = "tarn state 1";

}  // namespace

std::string StateFileName(const std::string& netlistPath) {
    const std::string result = ResultFileName(netlistPath);
    return result.substr(0, result.size() - 4) + ".STA";
}

std::string WriteState(const std::map<std::string, double>& values) {
    std::string text(kFirstLine);
    text += '\n';
    for (const auto& [key, value] : values) {
        text += key;
        text += '\t';
        AppendNumber(text, value, 17);
        text += '\n';
    }
    return text;
}

CStateResult ReadState(std::string_view text) {
    std::map<std::string, double> values;
    size_t start = 0;
    int lineNumber = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (lineNumber == 1) {
            if (line != kFirstLine)
                return {std::nullopt, "line 1: this is not a state saved by tarn"};
            continue;
        }
        if (line.empty()) continue;
        const size_t tab = line.rfind('\t');
        const auto value =
            tab == std::string_view::npos ? std::nullopt : ParseNumber(line.substr(tab + 1));
        if (!value || tab == 0)
            return {std::nullopt, "line " + std::to_string(lineNumber) +
                                      ": a name, a tab and a number are expected"};
        values[std::string(line.substr(0, tab))] = *value;
    }
    if (lineNumber == 0) return {std::nullopt, "the file is empty"};
    return {std::move(values), {}};
}

}  // namespace kestro::tarn
