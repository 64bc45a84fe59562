#include "core/library/net_line.h"

#include "core/platform/record_buffer.h"

namespace kestro {

namespace {

// Letters a to z only are raised; each character is taken as a signed byte.
uint32_t Letter(char c) {
    int v = static_cast<signed char>(c);
    if (v >= 'a' && v <= 'z') v -= 'a' - 'A';
    return static_cast<uint32_t>(v - 65);
}

}  // namespace

CNetLine::CNetLine(std::string name, std::string unit, CGenType value, uint32_t flags)
    : m_name(std::move(name)), m_unit(std::move(unit)), m_value(std::move(value)), m_flags(flags) {
    ComputeId();
}

uint32_t CNetLine::ComputeId(const std::string& name, uint16_t type) {
    const size_t length = name.size();
    uint32_t head = 0;
    if (length >= 2)
        head = (Letter(name[0]) << 27) | (Letter(name[1]) << 22) | (Letter(name[length - 1]) << 17);
    uint32_t sum = 0;
    for (size_t i = 0; i < length; ++i)
        sum += i < 32 ? Letter(name[i]) << i : 0;  // 2^i wraps to 0 from bit 32 on
    return (static_cast<uint32_t>(length) << 4) | (head + (sum << 12)) | (type & 0xFFFFu);
}

void CNetLine::Serialize(CRecordBuffer& buffer) {
    buffer.String(m_name);
    buffer.String(m_unit);
    m_value.Serialize(buffer);
    buffer.Value(m_flags);
    buffer.Value(m_id);
    if (buffer.IsLoading() && !buffer.IsAtLeast(3, 21)) ComputeId();
}

}  // namespace kestro
