#include "core/platform/record_buffer.h"

#include <gtest/gtest.h>

#include <vector>

namespace kestro {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Payload(const CRecordBuffer& b) {
    return Bytes(b.Data(), b.Data() + b.Length());
}

CRecordBuffer Loader(const Bytes& bytes) {
    CRecordBuffer b(BufferMode::Load);
    b.Assign(bytes.data(), bytes.size());
    return b;
}

TEST(RecordBufferEncoding, ScalarsArePackedLittleEndian) {
    CRecordBuffer b;
    int16_t a = -2;
    uint16_t c = 0x1234;
    int32_t d = 0x01020304;
    uint32_t e = 0xAABBCCDD;
    float f = 1.0f;
    b.Value(a);
    b.Value(c);
    b.Value(d);
    b.Value(e);
    b.Value(f);
    EXPECT_EQ(Payload(b), (Bytes{0xFE, 0xFF, 0x34, 0x12, 0x04, 0x03, 0x02, 0x01, 0xDD, 0xCC, 0xBB,
                                 0xAA, 0x00, 0x00, 0x80, 0x3F}));
}

TEST(RecordBufferEncoding, PairsAndRectanglesAreConsecutiveFloats) {
    CRecordBuffer b;
    float x = 1.0f, y = -1.0f;
    b.Pair(x, y);
    CRectF r{0, 0, 2, 0};
    b.Rect(r);
    EXPECT_EQ(Payload(b), (Bytes{0, 0, 0x80, 0x3F, 0, 0, 0x80, 0xBF, 0, 0, 0, 0,
                                 0, 0, 0,    0,    0, 0, 0,    0x40, 0, 0, 0, 0}));
}

TEST(RecordBufferEncoding, StringsAreCountedWithTheirZero) {
    CRecordBuffer b;
    std::string abc = "abc", empty;
    b.String(abc);
    b.String(empty);
    EXPECT_EQ(Payload(b), (Bytes{4, 0, 'a', 'b', 'c', 0, 1, 0, 0}));
}

TEST(RecordBufferEncoding, PointListsBlocksReservedAndNested) {
    CRecordBuffer b;
    std::vector<CPointF> points{{1, 2}};
    b.Points(points);
    uint8_t block[3] = {7, 8, 9};
    b.Block(block, 3);
    b.Reserved(2);
    CRecordBuffer inner;
    inner.Put<uint16_t>(5);
    b.Nested(inner);
    EXPECT_EQ(Payload(b),
              (Bytes{1, 0, 0, 0, 0x80, 0x3F, 0, 0, 0, 0x40, 7, 8, 9, 0, 0, 2, 0, 0, 0, 5, 0}));
}

TEST(RecordBufferEncoding, EveryKindReadsBackWhatWasWritten) {
    CRecordBuffer out;
    int16_t a = -7;
    int32_t c = -123456;
    double d = 0.1;
    std::string s = "Vout";
    std::vector<CPointF> pts{{1.5f, -2.5f}, {3, 4}};
    CRectF r{-20, -10, 20, 10};
    out.Value(a);
    out.Value(c);
    out.Value(d);
    out.String(s);
    out.Points(pts);
    out.Rect(r);

    CRecordBuffer in = Loader(Payload(out));
    int16_t a2 = 0;
    int32_t c2 = 0;
    double d2 = 0;
    std::string s2;
    std::vector<CPointF> pts2;
    CRectF r2;
    in.Value(a2);
    in.Value(c2);
    in.Value(d2);
    in.String(s2);
    in.Points(pts2);
    in.Rect(r2);
    EXPECT_EQ(a2, a);
    EXPECT_EQ(c2, c);
    EXPECT_EQ(d2, d);
    EXPECT_EQ(s2, s);
    EXPECT_EQ(pts2, pts);
    EXPECT_EQ(r2, r);
    EXPECT_EQ(in.Remaining(), 0u);
}

TEST(RecordBufferShortData, ValuesPastTheEndReadAsZero) {
    CRecordBuffer in = Loader({1, 2});
    int32_t v = 99;
    in.Value(v);
    EXPECT_EQ(v, 0);  // only 2 bytes remain
    uint16_t w = 0;
    in.Value(w);
    EXPECT_EQ(w, 0x0201);
    float f = 5;
    in.Value(f);
    EXPECT_EQ(f, 0.0f);
}

TEST(RecordBufferShortData, ShortStringStaysUnchanged) {
    CRecordBuffer in = Loader({5, 0, 'a', 'b'});
    std::string s = "kept";
    in.String(s);
    EXPECT_EQ(s, "kept");
}

TEST(RecordBufferShortData, StringEndsAtFirstZero) {
    CRecordBuffer in = Loader({4, 0, 'a', 0, 'b', 0, 9});
    std::string s;
    in.String(s);
    EXPECT_EQ(s, "a");
    uint8_t next = 0;
    in.Block(&next, 1);
    EXPECT_EQ(next, 9);
}

TEST(RecordBufferShortData, BlockIsZeroFilledAndNestedIsClamped) {
    CRecordBuffer in = Loader({1, 2});
    uint8_t block[4] = {9, 9, 9, 9};
    in.Block(block, 4);
    EXPECT_EQ(Bytes(block, block + 4), (Bytes{1, 2, 0, 0}));

    CRecordBuffer nested = Loader({10, 0, 0, 0, 'x', 'y'});
    CRecordBuffer inner;
    nested.Nested(inner);
    EXPECT_TRUE(inner.IsLoading());
    EXPECT_EQ(inner.Length(), 2u);
}

TEST(RecordBufferShortData, PointListIsResizedFirst) {
    CRecordBuffer in = Loader({3, 0, 0, 0, 0x80, 0x3F});
    std::vector<CPointF> pts;
    in.Points(pts);
    ASSERT_EQ(pts.size(), 3u);
    EXPECT_EQ(pts[0].x, 1.0f);
    EXPECT_EQ(pts[2], (CPointF{0, 0}));
}

TEST(RecordBufferShortData, ReservedSkipsAtMostToTheEnd) {
    CRecordBuffer in = Loader({1, 2, 3});
    in.Reserved(1012);
    EXPECT_EQ(in.Remaining(), 0u);
}

class RecordFraming : public ::testing::Test {
protected:
    CMemoryStream file;
    CRecordBuffer out{BufferMode::Store, &file};
};

TEST_F(RecordFraming, EndRecordWritesLengthAndPayloadAndEmptiesTheBuffer) {
    out.Put<uint16_t>(0x0102);
    out.EndRecord();
    EXPECT_EQ(file.Bytes(), (Bytes{2, 0, 0, 0, 2, 1}));
    EXPECT_EQ(out.Length(), 0u);
}

TEST_F(RecordFraming, KeepFlagLeavesThePayloadForAnotherWrite) {
    out.SetFlags(CRecordBuffer::kKeepData);
    out.Put<uint8_t>(7);
    out.EndRecord();
    out.EndRecord();
    EXPECT_EQ(file.Bytes(), (Bytes{1, 0, 0, 0, 7, 1, 0, 0, 0, 7}));
}

TEST_F(RecordFraming, EmptyRecordIsRefusedWithCodeOne) {
    try {
        out.EndRecord();
        FAIL();
    } catch (const CIOBufferException& e) {
        EXPECT_EQ(e.GetCause(), 1);
        EXPECT_STREQ(e.what(), "IO Buffer Error: Attempt to save empty buffer.");
    }
    EXPECT_EQ(file.Size(), 0u);
}

TEST_F(RecordFraming, SixtyFourThousandBytesIsTheLimit) {
    std::vector<uint8_t> big(64000, 0xAB);
    out.PutBytes(big.data(), big.size());
    EXPECT_NO_THROW(out.EndRecord());
    out.PutBytes(big.data(), big.size());
    out.Put<uint8_t>(1);
    try {
        out.EndRecord();
        FAIL();
    } catch (const CIOBufferException& e) {
        EXPECT_EQ(e.GetCause(), 2);
        EXPECT_STREQ(e.what(), "IO Buffer Error: Buffer too large.");
    }
    EXPECT_EQ(file.Size(), 64004u);
}

TEST_F(RecordFraming, ReadingAnOversizedLengthRaisesCodeTwo) {
    CMemoryStream bad(Bytes{0x01, 0xFA, 0, 0, 1});  // 64001
    CRecordBuffer in(BufferMode::Load, &bad);
    EXPECT_THROW(in.NextRecord(), CIOBufferException);
    CMemoryStream ok(Bytes{0x00, 0xFA, 0, 0});  // 64000, payload missing
    CRecordBuffer in2(BufferMode::Load, &ok);
    EXPECT_TRUE(in2.NextRecord());
    EXPECT_EQ(in2.Length(), 0u);
}

TEST_F(RecordFraming, RecordsReadBackInOrderAndShortLengthsGiveEmptyRecords) {
    out.Put<int32_t>(3);
    out.EndRecord();
    out.Put<int32_t>(30);
    out.EndRecord();
    file.Write("\x02\x00", 2);  // a cut-off length
    file.Seek(0);
    CRecordBuffer in(BufferMode::Load, &file);
    ASSERT_TRUE(in.NextRecord());
    EXPECT_EQ(in.Get<int32_t>(), 3);
    ASSERT_TRUE(in.NextRecord());
    EXPECT_EQ(in.Get<int32_t>(), 30);
    EXPECT_FALSE(in.NextRecord());
    EXPECT_EQ(in.Get<int32_t>(), 0);
}

TEST_F(RecordFraming, ZeroLengthGivesAnEmptyRecord) {
    CMemoryStream zero(Bytes{0, 0, 0, 0, 5});
    CRecordBuffer in(BufferMode::Load, &zero);
    EXPECT_FALSE(in.NextRecord());
    EXPECT_EQ(in.Get<uint8_t>(), 0);
}

TEST_F(RecordFraming, ReadRecordAtReportsBytesConsumed) {
    file.Write("pad!", 4);
    out.Put<uint16_t>(9);
    out.EndRecord();
    CRecordBuffer in(BufferMode::Load, &file);
    EXPECT_EQ(in.ReadRecordAt(4), 6u);
    EXPECT_EQ(in.Get<uint16_t>(), 9);
    EXPECT_EQ(in.ReadRecordAt(100), 0u);
}

struct PaddedCase {
    size_t payload;
    uint32_t block;
    size_t onDisk;
};

class PaddedWrite : public ::testing::TestWithParam<PaddedCase> {};

TEST_P(PaddedWrite, TakesWholeBlocks) {
    const auto c = GetParam();
    CMemoryStream file;
    CRecordBuffer out(BufferMode::Store, &file);
    std::vector<uint8_t> payload(c.payload, 0x5A);
    out.PutBytes(payload.data(), payload.size());
    out.WritePadded(c.block);
    ASSERT_EQ(file.Size(), c.onDisk);
    const auto& bytes = file.Bytes();
    uint32_t length = 0;
    std::memcpy(&length, bytes.data(), 4);
    EXPECT_EQ(length, c.payload);  // the length field holds the unpadded length
    for (size_t i = 4 + c.payload; i < bytes.size(); ++i)
        ASSERT_EQ(bytes[i], 0) << i;
}

INSTANTIATE_TEST_SUITE_P(Sizes, PaddedWrite,
                         ::testing::Values(PaddedCase{10, 256, 256}, PaddedCase{252, 256, 256},
                                           PaddedCase{253, 256, 512}, PaddedCase{36, 252, 252},
                                           PaddedCase{0, 256, 256}));

TEST(RecordFramingPadded, TotalOfFourBytesIsEmptyAndOversizeIsRefused) {
    CMemoryStream file;
    CRecordBuffer out(BufferMode::Store, &file);
    EXPECT_THROW(out.WritePadded(4), CIOBufferException);
    std::vector<uint8_t> big(63997, 1);
    out.PutBytes(big.data(), big.size());
    try {
        out.WritePadded(256);  // pads beyond 64000
        FAIL();
    } catch (const CIOBufferException& e) {
        EXPECT_EQ(e.GetCause(), 2);
    }
    EXPECT_EQ(file.Size(), 0u);
}

TEST(RecordBufferException, UnknownCausesShareOneMessage) {
    EXPECT_STREQ(CIOBufferException(7).what(), "Operation Aborted due to IO Buffer Error.");
}

TEST(RecordBufferVersion, IsCarriedForReaders) {
    CRecordBuffer b(BufferMode::Load);
    b.SetVersion(3, 20);
    EXPECT_TRUE(b.IsAtLeast(3, 20));
    EXPECT_FALSE(b.IsAtLeast(3, 21));
    EXPECT_TRUE(b.IsAtLeast(2, 99));
}

}  // namespace
}  // namespace kestro
