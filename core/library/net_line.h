#pragma once

#include <cstdint>
#include <string>

#include "core/library/gen_type.h"

namespace kestro {

class CRecordBuffer;

// One attribute definition of a library element: name, unit, typed default value,
// flags and the identifier that matches stored values to it.
class CNetLine {
public:
    // Definition flags.
    static constexpr uint32_t kHidden = 0x2;
    static constexpr uint32_t kTextLink = 0x100;
    static constexpr uint32_t kLinkAtPlacement = 0x200;
    static constexpr uint32_t kPrimaryValue = 0x400;
    static constexpr uint32_t kNoQuotation = CGenType::kNoQuotation;

    CNetLine() = default;
    // The identifier is computed at once.
    CNetLine(std::string name, std::string unit, CGenType value, uint32_t flags);

    const std::string& GetName() const { return m_name; }
    void SetName(std::string name) { m_name = std::move(name); }
    const std::string& GetUnit() const { return m_unit; }
    void SetUnit(std::string unit) { m_unit = std::move(unit); }
    const CGenType& GetValue() const { return m_value; }
    CGenType& GetValue() { return m_value; }
    void SetValue(CGenType value) { m_value = std::move(value); }
    uint32_t GetFlags() const { return m_flags; }
    void SetFlags(uint32_t flags) { m_flags = flags; }
    uint32_t GetId() const { return m_id; }
    void SetId(uint32_t id) { m_id = id; }

    // Sets the identifier from the name and the value's type.
    void ComputeId() { m_id = ComputeId(m_name, m_value.GetType()); }
    static uint32_t ComputeId(const std::string& name, uint16_t type);

    // string name, string unit, the value's record, u32 flags, u32 identifier. Reading
    // data of 3.20 or older recomputes the identifier.
    void Serialize(CRecordBuffer& buffer);

private:
    std::string m_name;
    std::string m_unit;
    CGenType m_value;
    uint32_t m_flags = 0;
    uint32_t m_id = 0;
};

}  // namespace kestro
