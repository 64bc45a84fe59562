#include "core/library/gen_type.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/platform/record_buffer.h"

namespace kestro {
namespace {

CGenType Parsed(const std::string& text) {
    CGenType v;
    v.SetType(CGenType::Float);
    v.SetFromText(text);
    return v;
}

struct ParseCase {
    const char* text;
    double value;
    int exponent;
    const char* display;
};

class EngineeringParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(EngineeringParse, GivesValueExponentAndDisplay) {
    const auto c = GetParam();
    const CGenType v = Parsed(c.text);
    EXPECT_EQ(v.GetType(), CGenType::Float);
    EXPECT_DOUBLE_EQ(v.GetFloat(), c.value) << c.text;
    EXPECT_EQ(v.GetExponent(), c.exponent) << c.text;
    EXPECT_EQ(v.GetDisplayText(), c.display) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Suffixes, EngineeringParse,
    ::testing::Values(ParseCase{"4.7k", 4700, 3, "4.7k"}, ParseCase{"10u", 1e-5, -6, "10u"},
                      ParseCase{"2.2 M", 2.2e6, 6, "2.2M"}, ParseCase{"1e3", 1000, 0, "1000"},
                      ParseCase{"5V", 5, 0, "5"}, ParseCase{"0k", 0, 0, "0"},
                      ParseCase{"abc", 0, 0, "0"}, ParseCase{"10kHz", 10, 0, "10"},
                      ParseCase{"1m", 0.001, -3, "1m"}, ParseCase{"1M", 1e6, 6, "1M"},
                      ParseCase{"1K", 1, 0, "1"}, ParseCase{"100n", 1e-7, -9, "100n"},
                      ParseCase{"1.5p", 1.5e-12, -12, "1.5p"}, ParseCase{"7.", 7, 0, "7"},
                      ParseCase{"7 ", 7, 0, "7"}, ParseCase{"k", 0, 0, "0"},
                      ParseCase{"-3m", -0.003, -3, "-3m"}, ParseCase{"5", 5, 0, "5"},
                      ParseCase{"  +2.5G", 2.5e9, 9, "2.5G"}, ParseCase{"1e", 1, 0, "1"}));

TEST(EngineeringParse, KeepsTheUpperBytesOfTheExponentWord) {
    CGenType v = CGenType::MakeFloat(1, 3);
    v.SetFromText("2");
    EXPECT_EQ(v.GetExponent(), 0);
}

TEST(Renderings, FloatWithSuffixInEveryForm) {
    const CGenType v = Parsed("4.7k");
    EXPECT_EQ(v.GetText(), "4700");
    EXPECT_EQ(v.GetDisplayText(), "4.7k");
    EXPECT_EQ(v.GetLinkText(), "4.7 k");
    EXPECT_EQ(v.GetNetlistText(0), "4700 ");  // the netlist never gets a suffix
    EXPECT_EQ(Parsed("100n").GetNetlistText(0), "1E-007 ");
}

TEST(Renderings, FloatWithoutSuffix) {
    const CGenType v = CGenType::MakeFloat(0.01);
    EXPECT_EQ(v.GetText(), "0.01");
    EXPECT_EQ(v.GetDisplayText(), "0.01");
    EXPECT_EQ(v.GetLinkText(), "0.01 ");
    EXPECT_EQ(v.GetNetlistText(0), "0.01 ");
    EXPECT_EQ(CGenType::MakeFloat(1e-5).GetText(), "1E-005");
    EXPECT_EQ(CGenType::MakeFloat(123456789012.0).GetText(), "1.23456789E+011");
    EXPECT_EQ(CGenType::MakeFloat(1.0 / 3).GetText(), "0.3333333333");
}

TEST(Renderings, BooleanIntegerStringAndInvalid) {
    EXPECT_EQ(CGenType::MakeBoolean(true).GetText(), "1");
    EXPECT_EQ(CGenType::MakeBoolean(false).GetLinkText(), "0 ");
    EXPECT_EQ(CGenType::MakeInteger(-42).GetNetlistText(0), "-42 ");
    const CGenType s = CGenType::MakeString("IRF540");
    EXPECT_EQ(s.GetText(), "IRF540");
    EXPECT_EQ(s.GetLinkText(), "IRF540 ");
    EXPECT_EQ(s.GetNetlistText(0), "'IRF540' ");
    EXPECT_EQ(s.GetNetlistText(CGenType::kNoQuotation), "IRF540 ");
    const CGenType empty = CGenType::MakeString("");
    EXPECT_EQ(empty.GetNetlistText(0), "'' ");
    EXPECT_EQ(empty.GetNetlistText(CGenType::kNoQuotation), " ");
    const CGenType invalid;
    EXPECT_EQ(invalid.GetText(), " ");
    EXPECT_EQ(invalid.GetDisplayText(), " ");
    EXPECT_EQ(invalid.GetLinkText(), " ");
    EXPECT_EQ(invalid.GetNetlistText(0), " ");
}

TEST(Renderings, ExponentOutsideTheTablesShowsNoSuffix) {
    const CGenType v = CGenType::MakeFloat(5, 30);
    EXPECT_EQ(v.GetDisplayText(), "5");
    EXPECT_EQ(v.GetLinkText(), "5 ");
}

TEST(TypeNames, AreSevenCharacters) {
    EXPECT_EQ(CGenType::MakeFloat(1).GetTypeName(), "Float  ");
    EXPECT_EQ(CGenType::MakeBoolean(1).GetTypeName(), "Boolean");
    EXPECT_EQ(CGenType::MakeInteger(1).GetTypeName(), "Integer");
    EXPECT_EQ(CGenType::MakeString("").GetTypeName(), "String ");
    EXPECT_EQ(CGenType().GetTypeName(), "Invalid");
}

TEST(SuffixExponent, MatchesCaseSensitively) {
    EXPECT_EQ(CGenType::SuffixExponent('k'), 3);
    EXPECT_EQ(CGenType::SuffixExponent('G'), 9);
    EXPECT_EQ(CGenType::SuffixExponent('p'), -12);
    EXPECT_EQ(CGenType::SuffixExponent(' '), 0);
    EXPECT_EQ(CGenType::SuffixExponent('K'), 0);
    EXPECT_EQ(CGenType::SuffixExponent('U'), 0);
}

TEST(SetFloat, RoundsToSixDigits) {
    CGenType v = CGenType::MakeFloat(1, 3);
    v.SetFloat(0.1f);
    EXPECT_EQ(v.GetFloat(), 0.1);  // the float 0.1f is not 0.1
    EXPECT_EQ(v.GetExponent(), 0);
    v.SetFloat(1234567.0f);
    EXPECT_EQ(v.GetFloat(), 1234570.0);
}

TEST(Copying, IsDeep) {
    CGenType a = CGenType::MakeString("one");
    CGenType b = a;
    b.SetStringValue("two");
    EXPECT_EQ(a.GetString(), "one");
    b = CGenType::MakeFloat(2, -3);
    EXPECT_EQ(b.GetExponent(), -3);
    EXPECT_TRUE(b.GetString().empty());
}

CGenType RoundTrip(CGenType v, uint16_t major, uint16_t minor) {
    CRecordBuffer out;
    out.SetVersion(major, minor);
    v.Serialize(out);
    CRecordBuffer in(BufferMode::Load);
    in.SetVersion(major, minor);
    in.Assign(out.Data(), out.Length());
    CGenType back = CGenType::MakeString("stale");
    back.Serialize(in);
    return back;
}

TEST(Serialize, Version330IsBitExactWithExponent) {
    const CGenType v = Parsed("4.7u");
    const CGenType back = RoundTrip(v, 3, 30);
    EXPECT_EQ(back.GetFloat(), v.GetFloat());
    EXPECT_EQ(back.GetExponent(), -6);
}

TEST(Serialize, OldVersionsKeepSingleFloatsRoundedToSixDigits) {
    const CGenType v = CGenType::MakeFloat(0.123456789, 3);
    for (uint16_t minor : {0, 3}) {
        const CGenType back = RoundTrip(v, 3, minor);
        EXPECT_EQ(back.GetType(), CGenType::Float);
        EXPECT_EQ(back.GetFloat(), 0.123457);
        EXPECT_EQ(back.GetExponent(), 0);
    }
}

TEST(Serialize, FloatLayoutBytes) {
    CRecordBuffer out;
    out.SetVersion(3, 3);
    CGenType v = CGenType::MakeFloat(1.0, 3);
    v.Serialize(out);
    EXPECT_EQ(std::vector<uint8_t>(out.Data(), out.Data() + out.Length()),
              (std::vector<uint8_t>{1, 0, 3, 0, 0, 0, 0, 0, 0x80, 0x3F}));
}

TEST(Serialize, StringsIntegersAndInvalid) {
    EXPECT_EQ(RoundTrip(CGenType::MakeString("Q1"), 3, 30).GetString(), "Q1");
    EXPECT_EQ(RoundTrip(CGenType::MakeString(""), 3, 30).GetType(), CGenType::String);
    EXPECT_EQ(RoundTrip(CGenType::MakeInteger(-5), 3, 30).GetInteger(), -5);
    EXPECT_EQ(RoundTrip(CGenType::MakeBoolean(true), 3, 30).GetInteger(), 1);
    EXPECT_EQ(RoundTrip(CGenType(), 3, 30).GetType(), CGenType::Invalid);
}

TEST(Serialize, EmptyInputReadsAZeroTypeCode) {
    CRecordBuffer in(BufferMode::Load);
    CGenType v = CGenType::MakeString("x");
    v.Serialize(in);
    EXPECT_EQ(v.GetType(), 0);
    EXPECT_EQ(v.GetText(), " ");
    EXPECT_EQ(v.GetTypeName(), "Invalid");
}

}  // namespace
}  // namespace kestro
