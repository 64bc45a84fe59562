#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kestro {

// Number text that reads and prints the same on every platform and in every locale.

// printf("%.<precision>G") with the exponent written as sign and three digits: 1E-005.
std::string FormatG(double value, int precision);
// printf("%i").
std::string FormatInt(int64_t value);
// Plain decimal with at most `places` places and no exponent, trailing zeros dropped
// ("12.5", "-3", "0"): what SVG and PDF files take. Not finite values give "0".
std::string FormatDecimal(double value, int places = 3);

// atof: reads the longest leading decimal number (white space skipped, optional sign,
// digits, optional point and fraction, optional exponent); 0.0 when nothing is readable.
// Out-of-range numbers give plus or minus infinity, or zero.
double ParseLeadingDouble(std::string_view text);
// atoi-like: the leading whole number (white space skipped, optional sign), 0 when none.
int64_t ParseLeadingInt(std::string_view text);

}  // namespace kestro
