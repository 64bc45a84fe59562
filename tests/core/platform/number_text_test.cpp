#include "core/platform/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

namespace kestro {
namespace {

TEST(FormatG, MatchesPrintfWithThreeDigitExponents) {
    EXPECT_EQ(FormatG(1e-5, 6), "1E-005");
    EXPECT_EQ(FormatG(0.01, 6), "0.01");
    EXPECT_EQ(FormatG(0, 6), "0");
    EXPECT_EQ(FormatG(1e20, 6), "1E+020");
    EXPECT_EQ(FormatG(123456789, 6), "1.23457E+008");
    EXPECT_EQ(FormatG(123456, 6), "123456");
    EXPECT_EQ(FormatG(-2.5e-300, 10), "-2.5E-300");
    EXPECT_EQ(FormatG(4700, 10), "4700");
    EXPECT_EQ(FormatG(0.0001, 10), "0.0001");
    EXPECT_EQ(FormatG(0.00001, 10), "1E-005");
    EXPECT_EQ(FormatG(INFINITY, 6), "INF");
}

TEST(FormatG, IgnoresTheProcessLocale) {
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no German locale";
    EXPECT_EQ(FormatG(1.5, 6), "1.5");
    EXPECT_EQ(ParseLeadingDouble("1.5"), 1.5);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(ParseLeadingDouble, ReadsLikeAtof) {
    EXPECT_EQ(ParseLeadingDouble("  -3.5e2xyz"), -350);
    EXPECT_EQ(ParseLeadingDouble("+.5"), 0.5);
    EXPECT_EQ(ParseLeadingDouble("7."), 7);
    EXPECT_EQ(ParseLeadingDouble("1e"), 1);
    EXPECT_EQ(ParseLeadingDouble("1e+"), 1);
    EXPECT_EQ(ParseLeadingDouble("."), 0);
    EXPECT_EQ(ParseLeadingDouble("abc"), 0);
    EXPECT_EQ(ParseLeadingDouble(""), 0);
    EXPECT_EQ(ParseLeadingDouble("0x10"), 0);  // decimal only
    EXPECT_EQ(ParseLeadingDouble("inf"), 0);
    EXPECT_TRUE(std::isinf(ParseLeadingDouble("1e999")));
    EXPECT_TRUE(std::isinf(ParseLeadingDouble("-1e999")));
    EXPECT_EQ(ParseLeadingDouble("1e-999"), 0);
    EXPECT_EQ(ParseLeadingDouble("0.000001e-400"), 0);
}

TEST(ParseLeadingInt, ReadsTheLeadingWholeNumber) {
    EXPECT_EQ(ParseLeadingInt(" 42abc"), 42);
    EXPECT_EQ(ParseLeadingInt("-7"), -7);
    EXPECT_EQ(ParseLeadingInt("x"), 0);
    EXPECT_EQ(FormatInt(-12), "-12");
}

}  // namespace
}  // namespace kestro
