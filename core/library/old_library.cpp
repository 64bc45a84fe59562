#include "core/library/old_library.h"

#include <cstring>

#include "core/platform/byte_stream.h"

namespace kestro {

namespace {

int16_t I16(const uint8_t* p) {
    return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
}

uint32_t U32(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

float F32(const uint8_t* p) {
    const uint32_t bits = U32(p);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// A text field: the bytes up to its first zero, all of them when there is none.
std::string FixedText(const uint8_t* p, size_t size) {
    const void* zero = std::memchr(p, 0, size);
    const size_t length = zero ? static_cast<size_t>(static_cast<const uint8_t*>(zero) - p) : size;
    return std::string(reinterpret_cast<const char*>(p), length);
}

// Reads the parts of an old file in order, each of an exact size; a part the file cannot
// give in full is an error naming the part and where it began.
class COldCursor {
public:
    explicit COldCursor(CByteStream& file) : m_file(file), m_size(file.Size()) {}

    void Seek(uint64_t position) {
        m_position = position;
        m_file.Seek(position);
    }

    // The next `count` bytes; valid until the next call.
    const uint8_t* Take(size_t count, const std::string& part) {
        if (m_position > m_size || m_size - m_position < count)
            throw COldLibraryError(m_position, part + " cut off");
        m_buffer.resize(count);
        if (count > 0 && m_file.Read(m_buffer.data(), count) != count)
            throw COldLibraryError(m_position, part + " unreadable");
        m_position += count;
        m_consumed += count;
        return m_buffer.data();
    }

    // A 16-bit count that may not be negative.
    size_t Count(const std::string& part) {
        const int16_t count = I16(Take(2, part));
        if (count < 0) throw COldLibraryError(m_position - 2, part + " negative");
        return static_cast<size_t>(count);
    }

    uint64_t Position() const { return m_position; }
    uint64_t Size() const { return m_size; }
    // Bytes taken so far: records that share bytes take more than the file holds.
    uint64_t Consumed() const { return m_consumed; }

private:
    CByteStream& m_file;
    uint64_t m_size;
    uint64_t m_position = 0;
    uint64_t m_consumed = 0;
    std::vector<uint8_t> m_buffer;
};

COldAttribute ParseAttribute(const uint8_t* p) {
    COldAttribute a;
    a.name = FixedText(p, 31);
    a.type = p[31];
    a.unit = FixedText(p + 32, 26);
    a.value = F32(p + 58);
    a.text = FixedText(p + 62, 160);
    a.shown = I16(p + 222);
    a.key = OldAttributeKey(a.name, a.type);
    return a;
}

void ExpectMark(COldCursor& in, char mark, const std::string& part) {
    const uint64_t at = in.Position();
    if (in.Take(1, part)[0] != static_cast<uint8_t>(mark))
        throw COldLibraryError(at, part + " not '" + mark + "'");
}

// One element record from the cursor's position.
COldRecord ReadRecord(COldCursor& in, const std::string& name) {
    const uint64_t start = in.Position();
    const uint8_t* head = in.Take(kOldRecordHeader, name + ": header");
    if (head[0] != '#') throw COldLibraryError(start, name + ": start mark not '#'");
    COldRecord record;
    record.netlistName = FixedText(head + 3, 64);
    record.instanceName = FixedText(head + 67, 68);
    record.menuGroup = I16(head + 135);
    record.oldNumber = I16(head + 137);
    const int16_t drawingSize = I16(head + 139);
    if (drawingSize < 0) throw COldLibraryError(start + 139, name + ": drawing size negative");
    const uint8_t* drawing = in.Take(static_cast<size_t>(drawingSize), name + ": drawing");
    record.drawing.assign(drawing, drawing + drawingSize);

    const size_t ports = in.Count(name + ": port count");
    const uint8_t* p = in.Take(4 * ports, name + ": ports");
    for (size_t i = 0; i < ports; ++i)
        record.ports.push_back({I16(p + 4 * i), I16(p + 4 * i + 2)});
    const uint8_t* box = in.Take(8, name + ": symbol box");
    for (size_t i = 0; i < 4; ++i)
        record.box[i] = I16(box + 2 * i);

    const size_t attributes = in.Count(name + ": attribute count");
    const uint8_t* a = in.Take(kOldAttributeRecord * attributes, name + ": attributes");
    record.attributes.reserve(attributes);
    for (size_t i = 0; i < attributes; ++i)
        record.attributes.push_back(ParseAttribute(a + kOldAttributeRecord * i));
    ExpectMark(in, '$', name + ": end mark");
    return record;
}

}  // namespace

int32_t OldAttributeKey(std::string_view name, uint8_t type) {
    uint32_t h = 0;
    for (size_t i = 0; i < name.size() && i < 31 && name[i] != '\0'; ++i)
        h = (h + static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(name[i])))) *
            7u;
    const auto typeByte = static_cast<uint32_t>(static_cast<int32_t>(static_cast<int8_t>(type)));
    return static_cast<int32_t>(h * 10u + typeByte);
}

std::vector<COldRecord> ReadOldLibrary(CByteStream& file) {
    COldCursor in(file);
    in.Seek(0);
    const size_t count = in.Count("header: element count");
    in.Take(kOldLibraryHeader - 2, "header");
    const uint8_t* index = in.Take(kOldIndexEntry * count, "index");
    std::vector<uint32_t> offsets(count);
    for (size_t i = 0; i < count; ++i)
        offsets[i] = U32(index + kOldIndexEntry * i);

    std::vector<COldRecord> records;
    records.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        in.Seek(offsets[i]);
        records.push_back(ReadRecord(in, "element record " + std::to_string(i)));
        // Records of a sound file lie side by side; records read over each other again
        // and again would make a small damaged file take without end.
        if (in.Consumed() > in.Size())
            throw COldLibraryError(
                offsets[i], "element record " + std::to_string(i) + " overlaps other records");
    }
    return records;
}

COldRecord ReadOldRecord(CByteStream& file) {
    COldCursor in(file);
    in.Seek(0);
    return ReadRecord(in, "element record");
}

std::vector<COldMenuGroup> ReadOldMenuGroups(CByteStream& file) {
    COldCursor in(file);
    in.Seek(0);
    const size_t count = in.Count("group count");
    const uint8_t* p = in.Take(kOldMenuGroupRecord * count, "group records");
    std::vector<COldMenuGroup> groups(count);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* g = p + kOldMenuGroupRecord * i;
        groups[i] = {I16(g), I16(g + 2), FixedText(g + 4, 20)};
    }
    return groups;
}

}  // namespace kestro
