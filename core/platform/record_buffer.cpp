#include "core/platform/record_buffer.h"

#include <algorithm>

namespace kestro {

namespace {
// Short copies inline; long ones go to memcpy.
inline void CopySmall(uint8_t* dst, const char* src, size_t n) {
    if (n > 32) {
        std::memcpy(dst, src, n);
        return;
    }
    for (size_t i = 0; i < n; ++i)
        dst[i] = static_cast<uint8_t>(src[i]);
}
}  // namespace

std::string CReadPosition::Describe() const {
    std::string text;
    if (offset >= 0) text = "byte " + std::to_string(offset);
    if (record >= 0) text += (text.empty() ? "record " : ", record ") + std::to_string(record);
    return text;
}

const char* CIOBufferException::what() const noexcept {
    switch (m_cause) {
        case kEmptyBuffer:
            return "IO Buffer Error: Attempt to save empty buffer.";
        case kTooLarge:
            return "IO Buffer Error: Buffer too large.";
        default:
            return "Operation Aborted due to IO Buffer Error.";
    }
}

void CRecordBuffer::SetMode(BufferMode mode) {
    m_mode = mode;
    Clear();
}

void CRecordBuffer::Clear() {
    m_length = 0;
    m_cursor = 0;
}

void CRecordBuffer::Assign(const uint8_t* data, size_t size) {
    Clear();
    if (size > 0) std::memcpy(Grow(size), data, size);
    m_cursor = 0;
}

// Grows geometrically so that a long record costs linear time.
void CRecordBuffer::Reserve(size_t needed) {
    size_t capacity = std::max<size_t>(m_capacity * 2, 256);
    while (capacity < needed)
        capacity *= 2;
    auto storage = std::make_unique_for_overwrite<uint8_t[]>(capacity);
    if (m_length > 0) std::memcpy(storage.get(), m_storage.get(), m_length);
    m_storage = std::move(storage);
    m_capacity = capacity;
}

void CRecordBuffer::PutString(const std::string& s) {
    // The counted length includes the terminating zero; it must fit a record.
    const size_t counted = s.size() + 1;
    if (counted > kMaxRecord) throw CIOBufferException(CIOBufferException::kTooLarge);
    PutRaw(static_cast<uint16_t>(counted));
    uint8_t* p = Grow(counted);
    CopySmall(p, s.data(), s.size());
    p[s.size()] = 0;
}

void CRecordBuffer::String(std::string& s) {
    if (IsStoring()) {
        PutString(s);
        return;
    }
    const size_t start = m_cursor;
    uint16_t counted = 0;
    GetRaw(counted);
    if (m_length - m_cursor < counted) {
        m_cursor = start;  // too short: the string stays as it was
        return;
    }
    const auto* text = reinterpret_cast<const char*>(m_storage.get() + m_cursor);
    size_t size = 0;
    while (size < counted && text[size] != 0)
        ++size;  // names are short: no call
    s.assign(text, size);
    m_cursor += counted;
}

void CRecordBuffer::PutBytes(const void* bytes, size_t count) {
    if (count > 0) std::memcpy(Grow(count), bytes, count);
}

void CRecordBuffer::Block(void* bytes, size_t count) {
    if (IsStoring()) {
        PutBytes(bytes, count);
        return;
    }
    const size_t n = std::min(count, Remaining());
    if (n > 0) std::memcpy(bytes, m_storage.get() + m_cursor, n);
    if (count > n) std::memset(static_cast<uint8_t*>(bytes) + n, 0, count - n);
    m_cursor += n;
}

void CRecordBuffer::Points(std::vector<CPointF>& points) {
    if (IsStoring()) {
        if (points.size() > 0xFFFF) throw CIOBufferException(CIOBufferException::kTooLarge);
        PutRaw(static_cast<uint16_t>(points.size()));
        for (auto& p : points)
            Point(p);
        return;
    }
    uint16_t count = 0;
    GetRaw(count);
    points.assign(count, CPointF{});
    for (auto& p : points)
        Point(p);
}

void CRecordBuffer::Reserved(size_t count) {
    if (IsStoring()) {
        std::memset(Grow(count), 0, count);
        return;
    }
    m_cursor += std::min(count, Remaining());
}

void CRecordBuffer::Nested(CRecordBuffer& inner) {
    if (IsStoring()) {
        if (inner.Length() > 0xFFFFFFFFu) throw CIOBufferException(CIOBufferException::kTooLarge);
        PutRaw(static_cast<uint32_t>(inner.Length()));
        PutBytes(inner.Data(), inner.Length());
        return;
    }
    uint32_t count = 0;
    GetRaw(count);
    const size_t n = std::min<size_t>(count, Remaining());
    inner.m_mode = BufferMode::Load;
    inner.Assign(m_storage.get() + m_cursor, n);
    m_cursor += n;
}

void CRecordBuffer::WriteFramed(const uint8_t* payload, uint32_t length, uint32_t padding) {
    if (m_file == nullptr) return;
    const uint32_t little = ToLittle(length);
    m_file->Write(&little, 4);
    if (length > 0) m_file->Write(payload, length);
    static const uint8_t kZeros[256] = {};
    while (padding > 0) {
        const uint32_t n = std::min<uint32_t>(padding, sizeof(kZeros));
        m_file->Write(kZeros, n);
        padding -= n;
    }
}

void CRecordBuffer::EndRecord() {
    if (m_length == 0) throw CIOBufferException(CIOBufferException::kEmptyBuffer);
    if (m_length > kMaxRecord) throw CIOBufferException(CIOBufferException::kTooLarge);
    WriteFramed(m_storage.get(), static_cast<uint32_t>(m_length), 0);
    if (!(m_flags & kKeepData)) Clear();
}

bool CRecordBuffer::NextRecord() {
    Clear();
    if (m_file == nullptr) return false;
    const auto at = static_cast<int64_t>(m_file->Tell());
    uint8_t header[4];
    if (m_file->Read(header, 4) != 4) return false;
    uint32_t length = 0;
    std::memcpy(&length, header, 4);
    length = ToLittle(length);
    if (length == 0) return false;
    if (length > kMaxRecord)
        throw CIOBufferException(CIOBufferException::kTooLarge, {at, m_recordsRead});
    m_recordOffset = at;
    ++m_recordsRead;
    uint8_t* p = Grow(length);
    m_length = m_file->Read(p, length);
    m_cursor = 0;
    return true;
}

size_t CRecordBuffer::ReadRecordAt(uint64_t position) {
    if (m_file == nullptr) return 0;
    m_file->Seek(position);
    if (!NextRecord()) return 0;
    return m_length + 4;
}

void CRecordBuffer::WritePadded(uint32_t blockSize) {
    const uint32_t granule = std::max<uint32_t>(blockSize, 1);
    const uint32_t length = static_cast<uint32_t>(std::min<size_t>(m_length, 0xFFFFFFFFu));
    // The quotient is taken as a 16-bit number, as the library format has always done.
    const uint16_t quotient = static_cast<uint16_t>(length / granule);
    uint64_t total = uint64_t{granule} * (uint64_t{quotient} + 1);
    while (total < uint64_t{length} + 4)
        total += granule;
    if (total == 4) throw CIOBufferException(CIOBufferException::kEmptyBuffer);
    if (total - 4 > kMaxRecord) throw CIOBufferException(CIOBufferException::kTooLarge);
    WriteFramed(m_storage.get(), length, static_cast<uint32_t>(total - 4 - length));
    if (!(m_flags & kKeepData)) Clear();
}

}  // namespace kestro
