#include "core/platform/number_text.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace kestro {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The exponent of to_chars ("e-05", "e+100") rewritten as "E-005".
std::string WidenExponent(std::string text) {
    const auto e = text.find('e');
    if (e == std::string::npos) return text;
    std::string mantissa = text.substr(0, e);
    const char sign = text[e + 1];
    std::string digits = text.substr(e + 2);
    while (digits.size() < 3)
        digits.insert(digits.begin(), '0');
    return mantissa + 'E' + sign + digits;
}

}  // namespace

std::string FormatG(double value, int precision) {
    if (std::isnan(value)) return std::signbit(value) ? "-NAN" : "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), value,
                                      std::chars_format::general, precision < 1 ? 1 : precision);
    return WidenExponent(std::string(buffer, result.ptr));
}

std::string FormatInt(int64_t value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), value);
    return std::string(buffer, result.ptr);
}

std::string FormatDecimal(double value, int places) {
    if (!std::isfinite(value)) return "0";
    char text[400];
    const auto result =
        std::to_chars(text, text + sizeof(text), value, std::chars_format::fixed, places);
    if (result.ec != std::errc()) return "0";
    std::string out(text, result.ptr);
    if (out.find('.') != std::string::npos) {
        while (out.back() == '0')
            out.pop_back();
        if (out.back() == '.') out.pop_back();
    }
    return out == "-0" ? "0" : out;
}

double ParseLeadingDouble(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const size_t start = i;
    size_t digits = 0;
    int firstSignificant = 0;  // decimal position of the first non-zero digit
    bool seenSignificant = false;
    int position = 0;
    while (i < text.size() && IsDigit(text[i])) {
        if (!seenSignificant && text[i] != '0') {
            seenSignificant = true;
            firstSignificant = position;
        }
        ++position;
        ++digits;
        ++i;
    }
    const int integerDigits = position;
    if (i < text.size() && text[i] == '.') {
        ++i;
        int fraction = 0;
        while (i < text.size() && IsDigit(text[i])) {
            ++fraction;
            if (!seenSignificant && text[i] != '0') {
                seenSignificant = true;
                firstSignificant = integerDigits + fraction - 1;
            }
            ++digits;
            ++i;
        }
    }
    if (digits == 0) return 0.0;
    long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        bool expNegative = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) expNegative = text[j++] == '-';
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) {
                if (exponent < 100000) exponent = exponent * 10 + (text[j] - '0');
                ++j;
            }
            if (expNegative) exponent = -exponent;
            i = j;
        }
    }
    double value = 0.0;
    const auto result =
        std::from_chars(text.data() + start, text.data() + i, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Decide between overflow and underflow from the magnitude of the leading digit.
        const long magnitude = exponent + (integerDigits - firstSignificant);
        value = (seenSignificant && magnitude > 0) ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (result.ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

int64_t ParseLeadingInt(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t value = 0;
    while (i < text.size() && IsDigit(text[i])) {
        if (value < std::numeric_limits<int64_t>::max() / 10) value = value * 10 + (text[i] - '0');
        ++i;
    }
    return negative ? -value : value;
}

}  // namespace kestro
