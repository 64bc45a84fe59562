#include "core/document/record_diff.h"

#include <algorithm>
#include <cstring>

namespace kestro {

namespace {

constexpr uint8_t kXorRuns = 0, kWhole = 1;
// Runs closer than this are joined: a run's header costs two bytes.
constexpr size_t kJoinGap = 2;

void PutLength(std::vector<uint8_t>& out, size_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

bool GetLength(const std::vector<uint8_t>& in, size_t& at, size_t& value) {
    if (at + 4 > in.size()) return false;
    value = 0;
    for (int i = 0; i < 4; ++i)
        value |= size_t(in[at + size_t(i)]) << (8 * i);
    at += 4;
    return true;
}

void AppendRuns(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b,
                std::vector<uint8_t>& out) {
    size_t done = 0;  // bytes before it are written or skipped
    size_t i = 0;
    while (i < a.size()) {
        if (a[i] == b[i]) {
            ++i;
            continue;
        }
        // A run from i: up to 255 bytes, through gaps of up to kJoinGap equal bytes.
        size_t end = i + 1;
        for (size_t j = end; j < a.size() && j - i < 255; ++j) {
            if (j - end > kJoinGap) break;
            if (a[j] != b[j]) end = j + 1;
        }
        size_t gap = i - done;
        for (; gap > 255; gap -= 255) {
            out.push_back(255);
            out.push_back(0);
        }
        out.push_back(static_cast<uint8_t>(gap));
        out.push_back(static_cast<uint8_t>(end - i));
        for (size_t j = i; j < end; ++j)
            out.push_back(static_cast<uint8_t>(a[j] ^ b[j]));
        done = i = end;
    }
    out.push_back(0);
    out.push_back(0);
}

}  // namespace

void AppendRecordDiff(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b,
                      std::vector<uint8_t>& out) {
    if (a.size() == b.size()) {
        out.push_back(kXorRuns);
        AppendRuns(a, b, out);
        return;
    }
    out.push_back(kWhole);
    PutLength(out, a.size());
    PutLength(out, b.size());
    out.insert(out.end(), a.begin(), a.end());
    out.insert(out.end(), b.begin(), b.end());
}

bool ApplyRecordDiff(const std::vector<uint8_t>& diffs, size_t at, const std::vector<uint8_t>& from,
                     bool toSecond, std::vector<uint8_t>& to) {
    if (at >= diffs.size()) return false;
    if (diffs[at++] == kWhole) {
        size_t first = 0, second = 0;
        if (!GetLength(diffs, at, first) || !GetLength(diffs, at, second)) return false;
        if (at + first + second > diffs.size()) return false;
        if (from.size() != (toSecond ? first : second)) return false;
        const auto begin = diffs.begin() + long(at + (toSecond ? first : 0));
        to.assign(begin, begin + long(toSecond ? second : first));
        return true;
    }
    std::vector<uint8_t> result = from;
    size_t position = 0;
    for (;;) {
        if (at + 2 > diffs.size()) return false;
        const size_t gap = diffs[at], length = diffs[at + 1];
        at += 2;
        if (gap == 0 && length == 0) break;
        position += gap;
        if (position + length > result.size() || at + length > diffs.size()) return false;
        for (size_t j = 0; j < length; ++j)
            result[position + j] ^= diffs[at + j];
        position += length;
        at += length;
    }
    to = std::move(result);
    return true;
}

}  // namespace kestro
