#include <gtest/gtest.h>

#include <random>

#include "core/document/record_diff.h"

namespace kestro {
namespace {

// Both directions of one difference, stored behind another in the same bytes.
void ExpectRoundTrip(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    std::vector<uint8_t> diffs = {9, 9, 9};
    AppendRecordDiff(a, b, diffs);
    std::vector<uint8_t> out;
    ASSERT_TRUE(ApplyRecordDiff(diffs, 3, a, true, out));
    EXPECT_EQ(out, b);
    ASSERT_TRUE(ApplyRecordDiff(diffs, 3, b, false, out));
    EXPECT_EQ(out, a);
}

TEST(RecordDiff, GivesEitherRecordFromTheOther) {
    std::mt19937 random(5);
    for (int round = 0; round < 200; ++round) {
        std::vector<uint8_t> a(random() % 700);
        for (uint8_t& byte : a)
            byte = uint8_t(random());
        std::vector<uint8_t> b = a;
        // A few scattered changes, far apart and close together, or another length.
        for (unsigned n = random() % 6; n > 0 && !b.empty(); --n)
            b[random() % b.size()] ^= uint8_t(1 + random() % 255);
        if (round % 7 == 0) b.push_back(1);
        ExpectRoundTrip(a, b);
    }
    ExpectRoundTrip({}, {});
    std::vector<uint8_t> longRun(600, 0), flipped(600, 0xFF);
    ExpectRoundTrip(longRun, flipped);
}

TEST(RecordDiff, AMovedObjectCostsAFewBytesAndAWrongBaseIsRefused) {
    std::vector<uint8_t> a(80, 0), b = a;
    b[10] = 1;
    b[40] = 2;
    std::vector<uint8_t> diffs;
    AppendRecordDiff(a, b, diffs);
    EXPECT_LE(diffs.size(), 10u);
    std::vector<uint8_t> out = {7};
    EXPECT_FALSE(ApplyRecordDiff(diffs, 0, std::vector<uint8_t>(20, 0), true, out));
    EXPECT_EQ(out, std::vector<uint8_t>{7}) << "nothing written";
    EXPECT_FALSE(ApplyRecordDiff(diffs, diffs.size(), a, true, out));
    std::vector<uint8_t> cut(diffs.begin(), diffs.end() - 3);
    EXPECT_FALSE(ApplyRecordDiff(cut, 0, a, true, out));
}

}  // namespace
}  // namespace kestro
