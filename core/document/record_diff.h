#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kestro {

// The difference of two records of one object, small when they differ in a few bytes
// (a moved object changes a handful of coordinates). Applied to either record it gives
// the other: the same difference serves undo and redo.
//
// Records of equal length: the bytes where they differ, XOR-ed, as runs of
// (u8 gap, u8 length, bytes), ended by (0, 0); a gap over 255 is taken in steps of
// (255, 0). Records of different lengths: both whole.
void AppendRecordDiff(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b,
                      std::vector<uint8_t>& out);
// The other record of the difference at `at` in `diffs`, given one of them (`toSecond`:
// `from` is the first, give the second). False when the difference does not fit `from`
// (nothing is written then).
bool ApplyRecordDiff(const std::vector<uint8_t>& diffs, size_t at, const std::vector<uint8_t>& from,
                     bool toSecond, std::vector<uint8_t>& to);

}  // namespace kestro
