#include "core/library/gen_type.h"

#include <cmath>
#include <cstring>

#include "core/platform/number_text.h"
#include "core/platform/record_buffer.h"

namespace kestro {

namespace {
constexpr char kPositiveSuffixes[] = " kMG";
constexpr char kNegativeSuffixes[] = " munp";
constexpr int kPositiveCount = 4;
constexpr int kNegativeCount = 5;
}  // namespace

CGenType CGenType::MakeFloat(double value, int exponent) {
    CGenType v;
    v.m_type = Float;
    v.SetFloatValue(value, exponent);
    return v;
}

CGenType CGenType::MakeBoolean(bool value) {
    CGenType v;
    v.m_type = Boolean;
    v.m_integer = value ? 1 : 0;
    return v;
}

CGenType CGenType::MakeInteger(int32_t value) {
    CGenType v;
    v.m_type = Integer;
    v.m_integer = value;
    return v;
}

CGenType CGenType::MakeString(std::string text) {
    CGenType v;
    v.m_type = String;
    v.m_text = std::move(text);
    return v;
}

void CGenType::Clear() {
    m_text.clear();
    m_type = Invalid;
    m_exponentWord = 0;
    m_float = 0.0;
    m_integer = 0;
}

void CGenType::SetType(uint16_t type) {
    m_text.clear();
    m_float = 0.0;
    m_integer = 0;
    m_type = type;
}

void CGenType::SetFloatValue(double value, int exponent) {
    m_float = value;
    m_exponentWord = (m_exponentWord & ~0xFFu) | (static_cast<uint32_t>(exponent) & 0xFFu);
}

int CGenType::SuffixExponent(char c) {
    if (c == '\0') return 0;
    if (const char* p = std::strchr(kPositiveSuffixes, c)) return 3 * int(p - kPositiveSuffixes);
    if (const char* p = std::strchr(kNegativeSuffixes, c)) return -3 * int(p - kNegativeSuffixes);
    return 0;
}

void CGenType::SetFromText(const std::string& text) {
    m_exponentWord &= ~0xFFu;
    const double number = ParseLeadingDouble(text);
    m_float = number;
    if (number == 0.0) return;
    if (text.size() < 2) return;
    const char last = text.back();
    if ((last >= '0' && last <= '9') || last == '.') return;
    const int exponent = SuffixExponent(last);
    SetFloatValue(std::pow(10.0, exponent) * number, exponent);
}

void CGenType::SetFloat(float f) {
    Clear();
    m_type = Float;
    m_float = ParseLeadingDouble(FormatG(static_cast<double>(f), 6));
}

std::string CGenType::GetTypeName() const {
    switch (m_type) {
        case Float:
            return "Float  ";
        case Boolean:
            return "Boolean";
        case Integer:
            return "Integer";
        case String:
            return "String ";
        default:
            return "Invalid";
    }
}

std::string CGenType::GetText() const {
    switch (m_type) {
        case Float:
            return FormatG(m_float, 10);
        case Boolean:
        case Integer:
            return FormatInt(m_integer);
        case String:
            return m_text;
        default:
            return " ";
    }
}

char CGenType::SuffixLetter(int exponent) {
    // Exponents from a damaged file may point outside the tables; those show no suffix.
    if (exponent < 0 && -exponent / 3 < kNegativeCount) return kNegativeSuffixes[-exponent / 3];
    if (exponent > 0 && exponent / 3 < kPositiveCount) return kPositiveSuffixes[exponent / 3];
    return '\0';
}

std::string CGenType::EngineeringText(const char* separator) const {
    const int exponent = GetExponent();
    const char letter = SuffixLetter(exponent);
    if (exponent == 0 || letter == '\0') return FormatG(m_float, 10) + (*separator ? " " : "");
    std::string text = FormatG(m_float / std::pow(10.0, exponent), 10);
    text += separator;
    text += letter;
    return text;
}

std::string CGenType::GetDisplayText() const {
    if (m_type == Float) return EngineeringText("");
    return GetText();
}

std::string CGenType::GetLinkText() const {
    switch (m_type) {
        case Float:
            return EngineeringText(" ");
        case Boolean:
        case Integer:
        case String:
            return GetText() + " ";
        default:
            return " ";
    }
}

std::string CGenType::GetNetlistText(uint32_t definitionFlags) const {
    switch (m_type) {
        case Float:
            return FormatG(m_float, 10) + " ";
        case Boolean:
        case Integer:
            return FormatInt(m_integer) + " ";
        case String:
            if (definitionFlags & kNoQuotation) return m_text + " ";
            return "'" + m_text + "' ";
        default:
            return " ";
    }
}

void CGenType::Serialize(CRecordBuffer& buffer) {
    if (buffer.IsLoading()) Clear();
    buffer.Value(m_type);
    buffer.Value(m_exponentWord);
    switch (m_type) {
        case Float:
            // Files of 3.0 to 3.3 kept Floats in single precision.
            if (buffer.GetVersionMajor() == 3 && buffer.GetVersionMinor() <= 3) {
                float single = static_cast<float>(m_float);
                buffer.Value(single);
                if (buffer.IsLoading()) SetFloat(single);
            } else {
                buffer.Value(m_float);
            }
            break;
        case Boolean:
        case Integer:
            buffer.Value(m_integer);
            break;
        case String:
            buffer.String(m_text);
            break;
        default:
            break;
    }
}

bool operator==(const CGenType& a, const CGenType& b) {
    if (a.m_type != b.m_type || a.GetExponent() != b.GetExponent()) return false;
    switch (a.m_type) {
        case CGenType::Float:
            return a.m_float == b.m_float;
        case CGenType::Boolean:
        case CGenType::Integer:
            return a.m_integer == b.m_integer;
        case CGenType::String:
            return a.m_text == b.m_text;
        default:
            return true;
    }
}

}  // namespace kestro
