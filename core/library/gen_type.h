#pragma once

#include <cstdint>
#include <string>

namespace kestro {

class CRecordBuffer;

// One typed attribute value: a library default, a placed element's value or a
// simulation parameter. Floats carry a display exponent for engineering notation.
class CGenType {
public:
    enum Type : uint16_t { Float = 1, Boolean = 2, Integer = 3, String = 4, Invalid = 65535 };
    // Definition flag: a String goes into the netlist without apostrophes.
    static constexpr uint32_t kNoQuotation = 0x1000;

    CGenType() = default;
    static CGenType MakeFloat(double value, int exponent = 0);
    static CGenType MakeBoolean(bool value);
    static CGenType MakeInteger(int32_t value);
    static CGenType MakeString(std::string text);

    void Clear();
    uint16_t GetType() const { return m_type; }
    void SetType(uint16_t type);  // frees owned text; the value becomes 0

    // The display exponent: the low byte of the exponent word as a signed number.
    int GetExponent() const { return static_cast<int8_t>(m_exponentWord & 0xFF); }
    uint32_t GetExponentWord() const { return m_exponentWord; }
    // The whole stored exponent word (its bits above the low byte are kept as read).
    void SetExponentWord(uint32_t word) { m_exponentWord = word; }

    double GetFloat() const { return m_float; }
    int32_t GetInteger() const { return m_integer; }
    const std::string& GetString() const { return m_text; }
    void SetFloatValue(double value, int exponent = 0);
    void SetIntegerValue(int32_t value) { m_integer = value; }
    void SetStringValue(std::string text) { m_text = std::move(text); }

    // Parses engineering notation ("4.7k", "10u") into a Float; never rejects text.
    void SetFromText(const std::string& text);
    // Float of f rounded to six significant digits, exponent 0.
    void SetFloat(float f);
    static int SuffixExponent(char c);

    std::string GetTypeName() const;
    std::string GetText() const;
    std::string GetDisplayText() const;
    std::string GetLinkText() const;
    std::string GetFloatText() const { return GetDisplayText(); }
    std::string GetNetlistText(uint32_t definitionFlags) const;

    void Serialize(CRecordBuffer& buffer);

    // Same type, exponent and value.
    friend bool operator==(const CGenType& a, const CGenType& b);

private:
    // The letter for a display exponent, or 0 when the exponent has none.
    static char SuffixLetter(int exponent);
    std::string EngineeringText(const char* separator) const;

    uint32_t m_exponentWord = 0;
    uint16_t m_type = Invalid;
    double m_float = 0.0;
    int32_t m_integer = 0;
    std::string m_text;
};

}  // namespace kestro
