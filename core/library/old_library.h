#pragma once

// The element library of the previous program version (2.0), as its three files hold it:
// "ELEMENTS.LIB" (a header, an index of record offsets and the element records),
// "ELEMENTS.GND" (one element record, the ground element) and "ELEMENTS.MNU" (the
// groups of the element menu). All numbers are little-endian; texts are fixed-size
// fields ending at their first zero byte.
#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kestro {

class CByteStream;

inline constexpr const char* kOldLibraryFileError = "File error. (Old Version)";

// A part of an old library file that is short or lacks its mark. The message is always
// the one the user sees; the offset and what broke there are a detail for those who ask.
class COldLibraryError : public std::runtime_error {
public:
    COldLibraryError(uint64_t offset, std::string problem)
        : std::runtime_error(kOldLibraryFileError),
          m_offset(offset),
          m_problem(std::move(problem)) {}
    uint64_t Offset() const { return m_offset; }
    // "element record 3: end mark not '$'"
    const std::string& Problem() const { return m_problem; }
    // "<path>: reading stopped at byte 268, element record 0: attributes cut off"
    std::string Detail(const std::string& path) const {
        return path + ": reading stopped at byte " + std::to_string(m_offset) + ", " + m_problem;
    }

private:
    uint64_t m_offset;
    std::string m_problem;
};

// One attribute record (224 bytes).
struct COldAttribute {
    static constexpr uint8_t kFloat = 0, kBoolean = 1, kString = 2;  // any other: Float

    std::string name;  // at most 31 characters
    uint8_t type = kFloat;
    std::string unit;
    float value = 0;   // Float and Boolean
    std::string text;  // String
    int16_t shown = 0;
    // Matches the attribute values of old schematics to this attribute.
    int32_t key = 0;
};

// One element record of "ELEMENTS.LIB" or "ELEMENTS.GND".
struct COldRecord {
    std::string netlistName;
    std::string instanceName;  // the default name of new instances
    int16_t menuGroup = 0;     // a group of "ELEMENTS.MNU"; 0 the top level
    int16_t oldNumber = 0;
    std::vector<uint8_t> drawing;  // drawing commands; coordinates in eighths of a unit
    std::vector<std::array<int16_t, 2>> ports;
    std::array<int16_t, 4> box{};  // x1, y1, x2, y2
    std::vector<COldAttribute> attributes;
};

// One group record of "ELEMENTS.MNU" (24 bytes).
struct COldMenuGroup {
    int16_t number = 0;
    int16_t parent = 0;  // 0: the top level
    std::string name;
};

// Byte sizes of the fixed parts.
inline constexpr size_t kOldRecordHeader = 141;
inline constexpr size_t kOldAttributeRecord = 224;
inline constexpr size_t kOldIndexEntry = 6;
inline constexpr size_t kOldLibraryHeader = 6;
inline constexpr size_t kOldMenuGroupRecord = 24;

// The whole "ELEMENTS.LIB": header, index and every record it lists, in index order.
// Throws COldLibraryError for any short or unmarked part.
std::vector<COldRecord> ReadOldLibrary(CByteStream& file);
// A single-record file ("ELEMENTS.GND"): the record at offset 0.
COldRecord ReadOldRecord(CByteStream& file);
// "ELEMENTS.MNU": the group records in file order.
std::vector<COldMenuGroup> ReadOldMenuGroups(CByteStream& file);

// The key of an attribute: h = 0, then h = (h + c) x 7 for each name character c (a
// signed byte, at most 31); key = h x 10 + the type byte (signed). 32-bit, wrapping.
int32_t OldAttributeKey(std::string_view name, uint8_t type);

}  // namespace kestro
