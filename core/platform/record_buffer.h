#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "core/platform/byte_stream.h"
#include "core/platform/geometry.h"

namespace kestro {

// Where a reader stopped: the byte offset of a record's length word and the record's
// number in reading order (from 0); -1 where unknown. For those who ask to see it (the
// tools' --verbose): the user's message stays the system's own text.
struct CReadPosition {
    int64_t offset = -1;
    int64_t record = -1;
    bool IsKnown() const { return offset >= 0 || record >= 0; }
    // "byte 1234, record 7" (the known parts only).
    std::string Describe() const;
};

// Raised by the record buffer; the message is chosen by the cause code.
class CIOBufferException : public std::exception {
public:
    static constexpr int kEmptyBuffer = 1;
    static constexpr int kTooLarge = 2;

    explicit CIOBufferException(int cause, CReadPosition where = {})
        : m_cause(cause), m_where(where) {}
    int GetCause() const { return m_cause; }
    const CReadPosition& Where() const { return m_where; }
    const char* what() const noexcept override;

private:
    int m_cause;
    CReadPosition m_where;
};

enum class BufferMode : uint16_t { Load = 1, Store = 2 };

// The one binary serialisation facility: packed little-endian values of one record
// collected in memory, moved to and from a byte stream as length-framed records.
// One buffer either loads or stores; the value operations follow that direction.
// Reading never fails on short data: missing bytes read as zeros.
class CRecordBuffer {
public:
    static constexpr uint32_t kMaxRecord = 64000;
    static constexpr int kKeepData = 0x1000;  // end record leaves the payload in place

    explicit CRecordBuffer(BufferMode mode = BufferMode::Store, CByteStream* file = nullptr)
        : m_mode(mode), m_file(file) {}
    CRecordBuffer(const CRecordBuffer&) = delete;
    CRecordBuffer& operator=(const CRecordBuffer&) = delete;
    CRecordBuffer(CRecordBuffer&&) = default;
    CRecordBuffer& operator=(CRecordBuffer&&) = default;

    // Mode and framing context.
    bool IsLoading() const { return m_mode == BufferMode::Load; }
    bool IsStoring() const { return m_mode == BufferMode::Store; }
    BufferMode GetMode() const { return m_mode; }
    void SetMode(BufferMode mode);  // empties the buffer
    // Switches to loading what was stored, from its first byte (clipboard, undo buffer).
    void StartReading() {
        m_mode = BufferMode::Load;
        m_cursor = 0;
    }
    void SetFile(CByteStream* file) { m_file = file; }
    CByteStream* GetFile() const { return m_file; }
    int GetFlags() const { return m_flags; }
    void SetFlags(int flags) { m_flags = flags; }

    uint16_t GetVersionMajor() const { return m_versionMajor; }
    uint16_t GetVersionMinor() const { return m_versionMinor; }
    void SetVersion(uint16_t major, uint16_t minor) {
        m_versionMajor = major;
        m_versionMinor = minor;
    }
    // True for data of the given version or later.
    bool IsAtLeast(uint16_t major, uint16_t minor) const {
        return m_versionMajor > major || (m_versionMajor == major && m_versionMinor >= minor);
    }

    // Where the record last read from the file began, and its number among the records
    // this buffer has read.
    CReadPosition RecordPosition() const { return {m_recordOffset, m_recordsRead - 1}; }

    // Payload of the current record.
    const uint8_t* Data() const { return m_storage.get(); }
    size_t Length() const { return m_length; }
    size_t Cursor() const { return m_cursor; }
    size_t Remaining() const { return m_length - m_cursor; }
    void Clear();
    // Replaces the payload (for loading from memory); the cursor goes to its start.
    void Assign(const uint8_t* data, size_t size);

    // One operation per value kind; stores or loads according to the mode.
    void Value(int16_t& v) { Scalar(v); }
    void Value(uint16_t& v) { Scalar(v); }
    void Value(int32_t& v) { Scalar(v); }
    void Value(uint32_t& v) { Scalar(v); }
    void Value(float& v) { Scalar(v); }
    void Value(double& v) { Scalar(v); }
    void Pair(float& a, float& b) {
        Scalar(a);
        Scalar(b);
    }
    void Pair(int32_t& a, int32_t& b) {
        Scalar(a);
        Scalar(b);
    }
    void Point(CPointF& p) { Pair(p.x, p.y); }
    void Rect(CRectF& r) {
        Scalar(r.left);
        Scalar(r.top);
        Scalar(r.right);
        Scalar(r.bottom);
    }
    void String(std::string& s);
    void Block(void* bytes, size_t count);
    void Points(std::vector<CPointF>& points);
    void Reserved(size_t count);
    void Nested(CRecordBuffer& inner);

    // Explicit-direction helpers for computed values.
    template <typename T>
    void Put(T v) {
        PutRaw(v);
    }
    template <typename T>
    T Get() {
        T v{};
        GetRaw(v);
        return v;
    }
    void PutString(const std::string& s);
    void PutBytes(const void* bytes, size_t count);

    // Record framing to and from the file.
    void EndRecord();
    bool NextRecord();
    size_t ReadRecordAt(uint64_t position);
    void WritePadded(uint32_t blockSize);

private:
    // Values are stored through a packed struct of their own type rather than as bytes:
    // a char-typed store could alias the buffer's own members and would force the
    // compiler to reload them after every value.
    template <typename T>
    struct [[gnu::packed]] Unaligned {
        T value;
    };

    template <typename T>
    static T ToLittle(T v) {
        if constexpr (std::endian::native == std::endian::big) {
            unsigned char b[sizeof(T)];
            std::memcpy(b, &v, sizeof(T));
            for (size_t i = 0; i < sizeof(T) / 2; ++i)
                std::swap(b[i], b[sizeof(T) - 1 - i]);
            std::memcpy(&v, b, sizeof(T));
        }
        return v;
    }
    template <typename T>
    void PutRaw(T v) {
        if (m_capacity - m_length < sizeof(T)) Reserve(m_length + sizeof(T));
        reinterpret_cast<Unaligned<T>*>(m_storage.get() + m_length)->value = ToLittle(v);
        m_length += sizeof(T);
    }
    template <typename T>
    void GetRaw(T& v) {
        if (m_length - m_cursor >= sizeof(T)) {
            v = ToLittle(reinterpret_cast<const Unaligned<T>*>(m_storage.get() + m_cursor)->value);
            m_cursor += sizeof(T);
        } else {
            v = T{};
        }
    }
    template <typename T>
    void Scalar(T& v) {
        if (IsStoring())
            PutRaw(v);
        else
            GetRaw(v);
    }
    uint8_t* Grow(size_t count) {
        if (m_capacity - m_length < count) Reserve(m_length + count);
        uint8_t* p = m_storage.get() + m_length;
        m_length += count;
        return p;
    }
    void Reserve(size_t needed);
    void WriteFramed(const uint8_t* payload, uint32_t length, uint32_t padding);

    BufferMode m_mode;
    CByteStream* m_file;
    uint16_t m_versionMajor = 0;
    uint16_t m_versionMinor = 0;
    int m_flags = 0;
    std::unique_ptr<uint8_t[]> m_storage;
    size_t m_capacity = 0;
    size_t m_length = 0;
    size_t m_cursor = 0;
    int64_t m_recordOffset = -1;
    int64_t m_recordsRead = 0;
};

}  // namespace kestro
