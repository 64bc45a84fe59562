// The byte layout of the eight object records, written down field by field from the
// record tables: the kind tag, the common record (u32 number, f32 x 4 bounds, placement:
// u16 colour, f32 x, f32 y, u16 rotation, f32 sx, f32 sy, u32 state, u32 kind flags),
// then each kind's own fields. Each record is read (every field must land where the
// table puts it) and the object written again (the same bytes must come out), so a
// field moved in the reader, the writer or both fails here.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "core/document/object_records.h"
#include "core/objects/sim_control.h"
#include "core/objects/sim_label.h"
#include "core/objects/sim_link.h"
#include "core/objects/sim_part.h"
#include "core/objects/sim_term.h"
#include "core/objects/sim_text.h"
#include "core/objects/sub_cir_part.h"
#include "core/objects/wire.h"
#include "core/platform/record_buffer.h"
#include "tests/core/support/circuit_support.h"

namespace kestro {
namespace {

using test::CSheetWorld;
using test::kResistor;

// Little-endian bytes, put together in the order a record table lists its fields.
struct CBytes {
    std::vector<uint8_t> bytes;

    CBytes& U16(uint16_t v) {
        bytes.push_back(uint8_t(v));
        bytes.push_back(uint8_t(v >> 8));
        return *this;
    }
    CBytes& U32(uint32_t v) {
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(uint8_t(v >> shift));
        return *this;
    }
    CBytes& I32(int32_t v) { return U32(uint32_t(v)); }
    CBytes& F32(float v) { return U32(std::bit_cast<uint32_t>(v)); }
    CBytes& F64(double v) {
        const auto bits = std::bit_cast<uint64_t>(v);
        return U32(uint32_t(bits)).U32(uint32_t(bits >> 32));
    }
    CBytes& Rect(const CRectF& r) { return F32(r.left).F32(r.top).F32(r.right).F32(r.bottom); }
    // u16 length with the zero, the characters, the zero.
    CBytes& Str(const std::string& s) {
        U16(uint16_t(s.size() + 1));
        bytes.insert(bytes.end(), s.begin(), s.end());
        bytes.push_back(0);
        return *this;
    }
    // u32 length, then the bytes of another buffer.
    CBytes& Nested(const CBytes& inner) {
        U32(uint32_t(inner.bytes.size()));
        bytes.insert(bytes.end(), inner.bytes.begin(), inner.bytes.end());
        return *this;
    }
};

struct CCommon {
    uint32_t number;
    CRectF bounds;
    CPlacement placement;
    uint32_t state;
    uint32_t kindFlags;
};

// The kind tag and the common record.
CBytes TagAndCommon(uint16_t tag, const CCommon& c) {
    CBytes out;
    out.U16(tag).U32(c.number).Rect(c.bounds);
    out.U16(c.placement.color).F32(c.placement.x).F32(c.placement.y);
    out.U16(c.placement.rotation).F32(c.placement.sx).F32(c.placement.sy);
    out.U32(c.state).U32(c.kindFlags);
    return out;
}

struct CTextFields {
    std::string text;
    std::string face;
    int32_t height;
    uint32_t style;
    uint16_t colorIndex;
    CRectF extent;
    uint32_t lastWidth;
    CPointF anchor;
    uint16_t rotation;
    uint32_t usePlacementColor;
};

// The text record of a 3.30 file.
void AppendText(CBytes& out, const CTextFields& t) {
    out.Str(t.text).Str(t.face).I32(t.height).U32(t.style).U16(t.colorIndex).Rect(t.extent);
    out.U32(t.lastWidth).F32(t.anchor.x).F32(t.anchor.y).U16(t.rotation).U32(t.usePlacementColor);
}

void ExpectText(const CSHTextAdvance& shape, const CTextFields& t) {
    EXPECT_EQ(shape.GetText(), t.text);
    EXPECT_EQ(shape.GetFaceName(), t.face);
    EXPECT_EQ(shape.GetHeight(), t.height);
    EXPECT_EQ(shape.GetStyle(), t.style);
    EXPECT_EQ(shape.GetColorIndex(), t.colorIndex);
    EXPECT_EQ(shape.GetExtent(), t.extent);
    EXPECT_EQ(shape.GetLastWidth(), t.lastWidth);
    EXPECT_EQ(shape.GetAnchor(), t.anchor);
    EXPECT_EQ(shape.GetRotation(), t.rotation);
    EXPECT_EQ(shape.GetUsePlacementColor(), t.usePlacementColor);
}

// Identifiers of the resistor's definitions: "Name" (String) and "R" (Float).
constexpr uint32_t kNameId = 0x680DD044;
constexpr uint32_t kResistanceId = 0x00011011;
constexpr uint32_t kElementNumber = 0x1A2B3C4D;
constexpr uint32_t kState = 0x2C000100;

class ObjectRecordBytes : public ::testing::Test {
protected:
    ObjectRecordBytes() { sub->SetSymbolBox({0, 0, 40, 20}); }

    // Reads one object as a 3.30 file holds it; the record must be used up exactly.
    std::unique_ptr<CPart> Read(const CBytes& record) {
        CRecordBuffer buffer(BufferMode::Load);
        buffer.SetVersion(3, 30);
        buffer.Assign(record.bytes.data(), record.bytes.size());
        CSerialContext context = Context();
        CObjectRead read = ReadObjectRecord(buffer, context, env);
        EXPECT_FALSE(read.badTag);
        EXPECT_EQ(buffer.Remaining(), 0u) << "the record is read to its end and no further";
        return std::move(read.part);
    }

    std::vector<uint8_t> Write(CPart& part) {
        CRecordBuffer buffer;
        buffer.SetVersion(3, 30);
        CSerialContext context = Context();
        WriteObjectRecord(buffer, part, context);
        return std::vector<uint8_t>(buffer.Data(), buffer.Data() + buffer.Length());
    }

    CSerialContext Context() {
        CSerialContext context;
        context.document = sheet.get();
        context.relativePath = [](const std::string&) { return std::string("sub.sch"); };
        return context;
    }

    static void ExpectCommon(const CPart& part, uint16_t tag, const CCommon& c) {
        EXPECT_EQ(part.GetTag(), tag);
        EXPECT_EQ(part.GetNumber(), c.number);
        EXPECT_EQ(part.GetBounds(), c.bounds);
        EXPECT_EQ(part.GetPlacement(), c.placement);
        EXPECT_EQ(part.GetState(), c.state);
        EXPECT_EQ(part.GetKindFlags(), c.kindFlags);
    }

    CSheetWorld world;
    const CPartEnvironment& env = world.context.parts;
    std::shared_ptr<CCircuit> sheet = world.NewSheet("/sheets/top.sch");
    std::shared_ptr<CCircuit> sub = world.NewSheet("/sheets/sub.sch");
};

// The helpers above spelled out once, byte by byte.
TEST_F(ObjectRecordBytes, APortRecordByteByByte) {
    const std::vector<uint8_t> expected = {
        0x04, 0x00,              // kind tag 4
        0x64, 0x53, 0x42, 0x31,  // number 0x31425364
        0x00, 0x00, 0xF0, 0x43,  // bounds left 480
        0x00, 0x80, 0x13, 0x44,  // top 590
        0x00, 0x00, 0x02, 0x44,  // right 520
        0x00, 0x80, 0x18, 0x44,  // bottom 610
        0x04, 0x00,              // colour 4
        0x00, 0x00, 0xFA, 0x43,  // x 500
        0x00, 0x00, 0x16, 0x44,  // y 600
        0x02, 0x00,              // rotation 2
        0x00, 0x00, 0x80, 0x3F,  // sx 1
        0x00, 0x00, 0x80, 0xBF,  // sy -1
        0x00, 0x01, 0x00, 0x2C,  // state 0x2C000100
        0x10, 0x00, 0x00, 0x00,  // kind flags 0x10
        0x11, 0x00,              // port number 17
    };
    const CCommon common{0x31425364, {480, 590, 520, 610}, {4, 500, 600, 2, 1, -1}, kState, 0x10};
    CBytes record = TagAndCommon(CPart::kTagPort, common);
    record.U16(17);
    ASSERT_EQ(record.bytes, expected);

    auto part = Read(record);
    ASSERT_TRUE(part && part->IsPort());
    ExpectCommon(*part, CPart::kTagPort, common);
    EXPECT_EQ(part->AsPort()->GetPortNumber(), 17);
    EXPECT_EQ(Write(*part), expected);
}

TEST_F(ObjectRecordBytes, AnElementHoldsItsIdentifierTerminalCountAndNestedValues) {
    // Turned once and mirrored, its bounds' corner on the grid (reading snaps elements).
    const CCommon common{kElementNumber, {140, 40, 160, 80}, {7, 150, 60, 1, -1, 1}, kState, 0x10};
    CBytes values;
    values.U16(2);                                     // count
    values.U32(kNameId).U16(4).U32(0).Str("Rq7");      // String "Rq7"
    values.U32(kResistanceId).U16(1).U32(0x00A1B203);  // Float, exponent word (k, upper bytes)
    values.F64(4712.5);
    CBytes record = TagAndCommon(CPart::kTagSimPart, common);
    record.U16(kResistor).U16(2).Nested(values);

    auto part = Read(record);
    ASSERT_TRUE(part && part->IsSimPart());
    ExpectCommon(*part, CPart::kTagSimPart, common);
    const CSimPart& element = *part->AsSimPart();
    EXPECT_EQ(element.GetElementId(), kResistor);
    EXPECT_EQ(element.GetTerminalCount(), 2u);
    EXPECT_EQ(element.GetInstanceName(), "Rq7");
    const CGenType& resistance = element.GetData().GetValue(1);
    EXPECT_EQ(resistance.GetType(), CGenType::Float);
    EXPECT_EQ(resistance.GetExponentWord(), 0x00A1B203u);
    EXPECT_EQ(resistance.GetFloat(), 4712.5);
    EXPECT_EQ(Write(*part), record.bytes);
}

TEST_F(ObjectRecordBytes, AWireHoldsItsEndsInItsOwnFrame) {
    // Turned twice and mirrored in x: the own ends (-12.5, 3.75) and (30.25, -8.5) lie at
    // (88, 196.5) and (130.75, 208.75) on the sheet.
    const CCommon common{
        0x11223344, {88, 196.5f, 130.75f, 208.75f}, {2, 100.5f, 200.25f, 2, -1, 1}, kState, 0x10};
    CBytes record = TagAndCommon(CPart::kTagWire, common);
    record.F32(-12.5f).F32(3.75f).F32(30.25f).F32(-8.5f);

    auto part = Read(record);
    ASSERT_TRUE(part && part->IsWire());
    ExpectCommon(*part, CPart::kTagWire, common);
    EXPECT_EQ(part->AsWire()->GetEnd(0), (CPointF{88, 196.5f}));
    EXPECT_EQ(part->AsWire()->GetEnd(1), (CPointF{130.75f, 208.75f}));
    EXPECT_EQ(Write(*part), record.bytes);
}

TEST_F(ObjectRecordBytes, ASubcircuitHoldsBothPathsAndTheSheetsPortLayout) {
    // The 40 by 20 block turned three times and mirrored in y, at (300, 400).
    const CCommon common{0x21324354, {290, 380, 310, 420}, {3, 300, 400, 3, 1, -1}, kState, 0x10};
    CBytes record = TagAndCommon(CPart::kTagSubCircuit, common);
    record.Str("/sheets/sub.sch").Str("sub.sch");
    record.U16(8);  // port count
    record.U16(8);  // positions, clockwise from the top left
    for (CPointF p :
         {CPointF{-10, -10}, {0, -10}, {10, -10}, {20, 0}, {10, 10}, {0, 10}, {-10, 10}, {-20, 0}})
        record.F32(p.x).F32(p.y);
    record.Rect({-20, -10, 20, 10});

    auto part = Read(record);
    ASSERT_TRUE(part && part->IsSubCircuit());
    ExpectCommon(*part, CPart::kTagSubCircuit, common);
    EXPECT_EQ(part->AsSubCircuit()->GetSheet(), sub.get());
    EXPECT_EQ(part->AsSubCircuit()->GetPath(), "/sheets/sub.sch");
    EXPECT_EQ(part->GetTerminalCount(), 8u);
    EXPECT_EQ(Write(*part), record.bytes);
}

TEST_F(ObjectRecordBytes, ATextHoldsEveryFieldOfItsTextRecord) {
    const CCommon common{
        0x41526374, {1.75f, 7.75f, 15.75f, 52.75f}, {5, 12.5f, 34.75f, 1, 1, 1}, kState, 0};
    const CTextFields text{"Vout \xE2\x89\xA5 5",
                           "Courier New",
                           -17,
                           0x00011190,
                           6,
                           {-21.5f, -6.25f, 23.5f, 7.75f},
                           43,
                           {3.5f, -4.5f},
                           3,
                           1};
    CBytes record = TagAndCommon(CPart::kTagText, common);
    AppendText(record, text);

    auto part = Read(record);
    ASSERT_TRUE(part && part->IsText());
    ExpectCommon(*part, CPart::kTagText, common);
    ExpectText(part->AsText()->GetTextShape(), text);
    EXPECT_EQ(Write(*part), record.bytes);
}

TEST_F(ObjectRecordBytes, TheSimulationControlHoldsOnlyTheCommonRecord) {
    const CCommon common{0x51627384, {680, 780, 720, 820}, {7, 700, 800, 0, -1, 1}, kState, 0};
    const CBytes record = TagAndCommon(CPart::kTagSimControl, common);

    auto part = Read(record);
    ASSERT_TRUE(part && part->IsSimControl());
    ExpectCommon(*part, CPart::kTagSimControl, common);
    EXPECT_EQ(Write(*part), record.bytes);
}

TEST_F(ObjectRecordBytes, ATextLinkHoldsItsTextOwnerAttributeAndDefinition) {
    const CCommon common{0x61728394, {130, 85, 170, 96}, {5, 150, 90.5f, 0, 1, 1}, kState, 0};
    const CTextFields text{"4.7kOhm", "Arial",      -13, 0x00020190, 2, {-20, -5.5f, 20, 5.5f},
                           40,        {1.5f, 2.5f}, 2,   0};
    CBytes record = TagAndCommon(CPart::kTagLink, common);
    AppendText(record, text);
    record.U32(kElementNumber).U16(1).U32(kResistanceId);

    auto part = Read(record);
    ASSERT_TRUE(part && part->IsLink());
    ExpectCommon(*part, CPart::kTagLink, common);
    CSimLink& link = *part->AsLink();
    ExpectText(link.GetTextShape(), text);
    EXPECT_EQ(link.GetOwnerNumber(), kElementNumber);
    EXPECT_EQ(link.GetAttributeIndex(), 1u);
    EXPECT_EQ(link.GetDefinitionId(), kResistanceId);
    // Written with its owner found again (the writer takes the owner's number).
    auto owner = CSimPart::Create(env, kResistor, {150, 60}, 0);
    owner->SetNumber(kElementNumber);
    link.ResolveOwner(
        [&owner](uint32_t number) { return number == kElementNumber ? owner.get() : nullptr; });
    ASSERT_EQ(link.GetOwnerElement(), owner.get());
    EXPECT_EQ(Write(link), record.bytes);
}

TEST_F(ObjectRecordBytes, ALabelHoldsItsName) {
    const CCommon common{0x71829304, {890, 80, 910, 120}, {6, 900, 100, 3, -1, -1}, kState, 0x10};
    CBytes record = TagAndCommon(CPart::kTagLabel, common);
    record.Str("Vout");

    auto part = Read(record);
    ASSERT_TRUE(part && part->IsLabel());
    ExpectCommon(*part, CPart::kTagLabel, common);
    EXPECT_EQ(part->GetName(), "Vout");
    EXPECT_EQ(part->AsLabel()->GetLabelObject(), sheet->FindLabel("VOUT"));
    EXPECT_EQ(Write(*part), record.bytes);
}

}  // namespace
}  // namespace kestro
