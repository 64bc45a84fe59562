#include "tools/tarn/lib/netlist_reader.h"

#include <charconv>
#include <cmath>

namespace kestro::tarn {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Lines may end in a line feed, a carriage return and a line feed, or nothing.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

CNetlistResult Failure(int line, std::string message) {
    return {std::nullopt, {line, std::move(message)}};
}

std::optional<CSimulationLine> ReadSimulationLine(const std::vector<CField>& fields,
                                                  std::string& problem) {
    if (fields.size() < 7 || !fields[0].quoted) {
        problem =
            "the first line must be the simulation line: a quoted name, then Tstep, Ttotal, "
            "Tprint, Iprint, Iload, Isave and Auto-exit";
        return std::nullopt;
    }
    CSimulationLine line;
    line.name = fields[0].text;
    const char* names[] = {"Tstep", "Ttotal", "Tprint"};
    double* targets[] = {&line.tstep, &line.ttotal, &line.tprint};
    for (int i = 0; i < 3; ++i) {
        const auto value = fields[i + 1].quoted ? std::nullopt : ParseNumber(fields[i + 1].text);
        if (!value || !std::isfinite(*value)) {
            problem = std::string(names[i]) + " is not a number: \"" + fields[i + 1].text + "\"";
            return std::nullopt;
        }
        *targets[i] = *value;
    }
    const char* flags[] = {"Iprint", "Iload", "Isave", "Auto-exit"};
    long long values[4] = {1, 0, 0, 0};
    for (size_t i = 0; i < 4 && 4 + i < fields.size(); ++i) {
        const auto value = fields[4 + i].quoted ? std::nullopt : ParseWhole(fields[4 + i].text);
        if (!value) {
            problem =
                std::string(flags[i]) + " is not a whole number: \"" + fields[4 + i].text + "\"";
            return std::nullopt;
        }
        values[i] = *value;
    }
    if (values[0] < 1 || values[0] > 1000000000) {
        problem = "Iprint must be at least 1";
        return std::nullopt;
    }
    line.iprint = static_cast<int>(values[0]);
    line.iload = values[1] != 0;
    line.isave = values[2] != 0;
    line.autoExit = values[3] != 0;
    return line;
}

}  // namespace

std::string CNetlistError::Text() const {
    return line > 0 ? "line " + std::to_string(line) + ": " + message : message;
}

std::optional<std::vector<CField>> SplitFields(std::string_view line) {
    std::vector<CField> fields;
    size_t i = 0;
    while (true) {
        while (i < line.size() && IsBlank(line[i]))
            ++i;
        if (i >= line.size()) return fields;
        if (line[i] == '\'') {
            size_t close = i + 1;
            while (true) {
                close = line.find('\'', close);
                if (close == std::string_view::npos) return std::nullopt;
                if (close + 1 >= line.size() || IsBlank(line[close + 1])) break;
                ++close;
            }
            fields.push_back({std::string(line.substr(i + 1, close - i - 1)), true});
            i = close + 1;
        } else {
            const size_t start = i;
            while (i < line.size() && !IsBlank(line[i]))
                ++i;
            fields.push_back({std::string(line.substr(start, i - start)), false});
        }
    }
}

CNetlistResult ReadNetlist(std::string_view text) {
    const std::vector<std::string_view> lines = SplitLines(text);
    CNetlist netlist;
    bool haveSimulationLine = false;
    for (size_t index = 0; index < lines.size(); ++index) {
        const int lineNumber = static_cast<int>(index + 1);
        const std::string_view line = Trim(lines[index]);
        if (line.empty()) continue;
        if (line.find('\0') != std::string_view::npos)
            return Failure(lineNumber, "the line holds a zero byte: this is not a netlist");
        const auto fields = SplitFields(line);
        if (!fields) return Failure(lineNumber, "a quoted text is not closed");
        if (!haveSimulationLine) {
            std::string problem;
            const auto simulation = ReadSimulationLine(*fields, problem);
            if (!simulation) return Failure(lineNumber, problem);
            netlist.simulation = *simulation;
            haveSimulationLine = true;
            continue;
        }
        if (fields->size() < 2 || !(*fields)[0].quoted || !(*fields)[1].quoted)
            return Failure(lineNumber,
                           "an element line must start with the quoted element name and the "
                           "quoted instance name");
        CElementLine element;
        element.lineNumber = lineNumber;
        element.netlistName = (*fields)[0].text;
        element.instance = (*fields)[1].text;
        element.fields.assign(fields->begin() + 2, fields->end());
        netlist.elements.push_back(std::move(element));
    }
    if (!haveSimulationLine) return Failure(0, "the netlist is empty: it has no simulation line");
    return {std::move(netlist), {}};
}

std::optional<long long> ParseWhole(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

std::optional<double> ParseNumber(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty() || text.front() == '+') return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<double> ParseEngineering(std::string_view text) {
    if (text.empty()) return std::nullopt;
    static constexpr struct {
        char letter;
        double scale;
    } kSuffixes[] = {{'k', 1e3},  {'M', 1e6},  {'G', 1e9},  {'m', 1e-3},
                     {'u', 1e-6}, {'n', 1e-9}, {'p', 1e-12}};
    for (const auto& suffix : kSuffixes) {
        if (text.back() != suffix.letter) continue;
        const auto number = ParseNumber(text.substr(0, text.size() - 1));
        if (!number) return std::nullopt;
        return *number * suffix.scale;
    }
    return ParseNumber(text);
}

std::optional<std::vector<double>> ParseNumberList(std::string_view text) {
    std::vector<double> numbers;
    size_t i = 0;
    while (true) {
        while (i < text.size() && (IsBlank(text[i]) || text[i] == ','))
            ++i;
        if (i >= text.size()) return numbers;
        const size_t start = i;
        while (i < text.size() && !IsBlank(text[i]) && text[i] != ',')
            ++i;
        const auto number = ParseEngineering(text.substr(start, i - start));
        if (!number) return std::nullopt;
        numbers.push_back(*number);
    }
}

}  // namespace kestro::tarn
