#include "tools/graphon/lib/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace kestro::graphon {

namespace {

std::string Chars(double value, std::chars_format format, int precision) {
    char buffer[48];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
    return std::string(buffer, result.ptr);
}

// A CSV field: quoted when it holds a comma, a quote or a line end.
std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\n\r") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

}  // namespace

std::string FormatTick(double value, double step) {
    if (std::fabs(value) < step * 1e-9) value = 0;
    const double magnitude = std::max(std::fabs(value), step);
    if (magnitude >= 1e5 || step < 1e-4) return Chars(value, std::chars_format::general, 4);
    const int decimals = std::clamp(int(std::ceil(-std::log10(step) - 1e-9)), 0, 10);
    return Chars(value, std::chars_format::fixed, decimals);
}

std::string FormatValue(double value) {
    if (value == 0) return "0";
    return Chars(value, std::chars_format::general, 6);
}

std::string CsvText(const CResultData& data, const std::vector<size_t>& traces, double t0,
                    double t1) {
    std::string text = CsvField(data.timeName + " [" + data.timeUnit + "]");
    for (size_t trace : traces) {
        const CTrace& t = data.traces[trace];
        text += "," + CsvField(t.unit.empty() ? t.name : t.name + " [" + t.unit + "]");
    }
    text += '\n';
    const auto first = std::lower_bound(data.time.begin(), data.time.end(), t0);
    const auto last = std::upper_bound(data.time.begin(), data.time.end(), t1);
    for (auto it = first; it < last; ++it) {
        const size_t row = size_t(it - data.time.begin());
        text += Chars(*it, std::chars_format::general, 10);
        for (size_t trace : traces) {
            text += ',';
            text += Chars(data.traces[trace].values[row], std::chars_format::general, 9);
        }
        text += '\n';
    }
    return text;
}

}  // namespace kestro::graphon
