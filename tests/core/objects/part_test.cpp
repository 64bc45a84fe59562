#include <gtest/gtest.h>

#include "core/document/object_records.h"
#include "core/objects/library_messages.h"
#include "core/objects/part_factory.h"
#include "core/objects/sim_control.h"
#include "core/objects/sim_label.h"
#include "core/objects/sim_link.h"
#include "core/objects/sim_node.h"
#include "core/objects/sim_part.h"
#include "core/objects/sim_term.h"
#include "core/objects/sim_text.h"
#include "core/objects/sub_cir_part.h"
#include "core/objects/subcircuit_ports.h"
#include "core/objects/wire.h"
#include "core/platform/record_buffer.h"
#include "tests/core/support/circuit_support.h"

namespace kestro {
namespace {

using test::CSheetWorld;
using test::kGround;
using test::kResistor;

class PartBase : public ::testing::Test {
protected:
    CSheetWorld world;
    const CPartEnvironment& env = world.context.parts;
};

// Writes an object and reads it back through the factory, as files and buffers do.
std::unique_ptr<CPart> RoundTrip(CPart& part, CCircuit* document) {
    CRecordBuffer buffer;
    buffer.SetVersion(3, 30);
    CSerialContext context;
    context.document = document;
    WriteObjectRecord(buffer, part, context);
    buffer.StartReading();
    CObjectRead read = ReadObjectRecord(buffer, context, part.GetEnvironment());
    EXPECT_FALSE(read.badTag);
    EXPECT_EQ(buffer.Remaining(), 0u) << "the record is read exactly as written";
    return std::move(read.part);
}

void ExpectSameCommonFields(const CPart& a, const CPart& b) {
    EXPECT_EQ(a.GetTag(), b.GetTag());
    EXPECT_EQ(a.GetNumber(), b.GetNumber());
    EXPECT_EQ(a.GetBounds(), b.GetBounds());
    EXPECT_EQ(a.GetPlacement(), b.GetPlacement());
    EXPECT_EQ(a.GetState(), b.GetState());
    EXPECT_EQ(a.GetKindFlags(), b.GetKindFlags());
    EXPECT_EQ(a.GetTerminalCount(), b.GetTerminalCount());
    EXPECT_EQ(a.GetName(), b.GetName());
}

TEST_F(PartBase, TheFactoryMakesTheEightKindsAndNothingElse) {
    EXPECT_EQ(CreatePart(0, env), nullptr);
    EXPECT_EQ(CreatePart(9, env), nullptr);
    for (uint16_t tag = 1; tag <= 8; ++tag) {
        auto part = CreatePart(tag, env);
        ASSERT_TRUE(part);
        EXPECT_EQ(part->GetTag(), tag);
        const bool terminals = tag == 1 || tag == 2 || tag == 3 || tag == 4 || tag == 8;
        EXPECT_EQ(part->GetKindFlags(), terminals ? 0x10u : 0u) << tag;
        EXPECT_EQ(part->GetPlacement().sx, 1.0f);
    }
    auto wire = CreatePart(CPart::kTagWire, env);
    EXPECT_EQ(wire->AsWire(), wire.get());
    EXPECT_EQ(wire->AsSimPart(), nullptr);
    EXPECT_EQ(wire->GetPlacement().color, 2);
}

TEST_F(PartBase, ReadingAnElementSnapsItsBoundsToTheGrid) {
    auto element = CSimPart::Create(env, kResistor, {0, 0}, 0);
    CPlacement placement = element->GetPlacement();
    placement.x = 103;
    placement.y = 47;
    element->SetPlacement(placement);
    world.library.GetElement(kResistor)->SetRect({-20, -20, 20, 20});
    element->UpdateBounds();
    auto back = RoundTrip(*element, nullptr);
    EXPECT_EQ(back->GetBounds().left, 80.0f);
    EXPECT_EQ(back->GetBounds().top, 30.0f);
    EXPECT_EQ(back->GetPosition().x, 100.0f);
    EXPECT_EQ(back->GetPosition().y, 50.0f);
}

TEST_F(PartBase, FlipMirrorsTheSheetAxisWhateverTheRotation) {
    auto element = CSimPart::Create(env, kResistor, {100, 100}, 0);
    element->Flip(0);
    EXPECT_EQ(element->GetPlacement().sx, -1.0f);
    EXPECT_EQ(element->GetPlacement().sy, 1.0f);
    auto turned = CSimPart::Create(env, kResistor, {100, 100}, 1);
    turned->Flip(0);
    EXPECT_EQ(turned->GetPlacement().sx, 1.0f);
    EXPECT_EQ(turned->GetPlacement().sy, -1.0f);
    turned->Flip(1);
    EXPECT_EQ(turned->GetPlacement().sx, -1.0f);
    // Left-right on the sheet: the terminals swap sides.
    EXPECT_EQ(element->GetTerminalPosition(0).x, 120.0f);
}

TEST_F(PartBase, FourQuarterTurnsAboutTheOriginRestoreTheObject) {
    auto element = CSimPart::Create(env, kResistor, {10, 0}, 0);
    ASSERT_EQ(element->GetPosition().x, 10.0f);
    const CRectF bounds = element->GetBounds();
    element->Rotate({0, 0}, 1);
    EXPECT_EQ(element->GetPosition().x, 0.0f);
    EXPECT_EQ(element->GetPosition().y, -10.0f);
    EXPECT_EQ(element->GetPlacement().rotation, 1);
    EXPECT_EQ(element->GetBounds().Width(), 20.0f) << "bounds follow the turn";
    for (int i = 0; i < 3; ++i)
        element->Rotate({0, 0}, 1);
    EXPECT_EQ(element->GetPosition().x, 10.0f);
    EXPECT_EQ(element->GetPosition().y, 0.0f);
    EXPECT_EQ(element->GetPlacement().rotation, 0);
    EXPECT_EQ(element->GetBounds(), bounds);
    element->Rotate({0, 0}, -1);
    EXPECT_EQ(element->GetPlacement().rotation, 3);
}

TEST_F(PartBase, RectanglesThatOnlyShareAnEdgeDoNotIntersect) {
    auto element = CSimPart::Create(env, kResistor, {100, 100}, 0);
    const CRectF b = element->GetBounds();  // 80, 90, 120, 110
    EXPECT_FALSE(element->IntersectsRect({b.right, b.top, b.right + 10, b.bottom}));
    EXPECT_FALSE(element->IntersectsRect({b.left, b.bottom, b.right, b.bottom + 5}));
    EXPECT_TRUE(element->IntersectsRect({b.right - 0.5f, b.top, b.right + 10, b.bottom}));
    EXPECT_TRUE(element->IntersectsRect({b.right + 10, b.bottom, b.right - 0.5f, b.top}))
        << "the rectangle is normalised first";
}

TEST_F(PartBase, WiresAreVerticalOnlyWithEqualXAndDifferentY) {
    EXPECT_TRUE(CWire::Create(env, {10, 0}, {10, 30})->IsVertical());
    EXPECT_FALSE(CWire::Create(env, {10, 0}, {10, 0})->IsVertical());
    EXPECT_FALSE(CWire::Create(env, {0, 0}, {10, 0})->IsVertical());
}

TEST_F(PartBase, AnElementIsVerticalWhenItsFirstPinIsOnTheTopOrBottomEdge) {
    EXPECT_FALSE(CSimPart::Create(env, kResistor, {0, 0}, 0)->IsVertical());  // pin on the left
    EXPECT_TRUE(CSimPart::Create(env, kGround, {0, 0}, 0)->IsVertical());     // pin on the top
}

TEST_F(PartBase, AWireTurnsItsEndsAndSnapsThemToTheGrid) {
    auto wire = CWire::Create(env, {0, 0}, {30, 0});
    wire->Rotate({12, 0}, 1);  // ends go to (12, 12) and (12, -18), then to the grid
    EXPECT_EQ(wire->GetEnd(0).x, 10.0f);
    EXPECT_EQ(wire->GetEnd(0).y, 10.0f);
    EXPECT_EQ(wire->GetEnd(1).x, 10.0f);
    EXPECT_EQ(wire->GetEnd(1).y, -20.0f);
    EXPECT_EQ(wire->GetPlacement().rotation, 0);
    EXPECT_EQ(wire->GetBounds(), (CRectF{10, -20, 10, 10}));
}

TEST_F(PartBase, SubcircuitSymbolPortsFollowTheBoxSize) {
    const auto ports = SubcircuitPortPositions({0, 0, 40, 20});
    ASSERT_EQ(ports.size(), 8u);
    // Clockwise from the top left, never on a corner.
    EXPECT_EQ(ports[0], (CPointF{-10, -10}));
    EXPECT_EQ(ports[2], (CPointF{10, -10}));
    EXPECT_EQ(ports[3], (CPointF{20, 0}));
    EXPECT_EQ(ports[4], (CPointF{10, 10}));
    EXPECT_EQ(ports[7], (CPointF{-20, 0}));
    EXPECT_TRUE(SubcircuitPortPositions({0, 0, 10, 10}).empty());
    EXPECT_EQ(SubcircuitPortPositions({0, 0, 50, 70}).size(), 20u);
    EXPECT_TRUE(SubcircuitPortPositions({0, 0, 1e30f, 10}).empty()) << "absurd boxes give none";
}

TEST_F(PartBase, NetlistLinesOfElements) {
    auto sheet = world.NewSheet();
    CSimPart* r = sheet->PlaceElement(kResistor, {100, 100}, 0);
    CSimPart* ground = sheet->PlaceElement(kGround, {300, 300}, 0);
    ASSERT_TRUE(r && ground);
    r->GetNode(0)->SetNumber(1);
    r->GetNode(1)->SetNumber(2);
    std::string line;
    EXPECT_EQ(r->WriteNetlistLine(line, "S1"), 1);
    EXPECT_EQ(line, "'N' 'S1.R1' 1 2 1000 \n");
    line.clear();
    EXPECT_EQ(r->WriteNetlistLine(line, ""), 1);
    EXPECT_EQ(line, "'N' 'R1' 1 2 1000 \n");
    line.clear();
    EXPECT_EQ(ground->WriteNetlistLine(line, ""), 0);
    EXPECT_EQ(line, "");
    EXPECT_EQ(r->GetValuesText(), "1000 Ohm");
}

TEST_F(PartBase, APortOrLabelWithoutLibraryOutputPointIsReported) {
    world.library.GetPortElement().GetOutputPoints().clear();
    world.library.GetLabelElement().GetOutputPoints().clear();
    auto port = CSimTerm::Create(env, 0, {50, 50}, 0);
    auto label = CSimLabel::Create(env, "A", {50, 50}, 0);
    EXPECT_EQ(port->GetTerminalPosition(0), port->GetPosition());
    label->GetTerminalPosition(0);
    ASSERT_EQ(world.prompts.Messages().size(), 2u);
    EXPECT_EQ(world.prompts.Messages()[0],
              "Library information for Port is Not correct.\nThe Port must have one output "
              "point\nPlease edit the Library information in\nMenu:\tEdit|Edit "
              "Library\nMenu:\t  Library|Edit Port");
    EXPECT_EQ(world.prompts.Messages()[1], MissingOutputPointMessage("Label"));
    EXPECT_NE(world.prompts.Messages()[1].find("Library|Edit Label"), std::string::npos);
}

TEST_F(PartBase, EveryKindRoundTripsThroughTheRecordBuffer) {
    auto sheet = world.NewSheet("/sheets/top.sch");
    auto sub = world.NewSheet("/sheets/sub.sch");
    sub->SetSymbolBox({0, 0, 40, 20});
    CSimPart* r = sheet->PlaceElement(kResistor, {100, 100}, 1);
    r->GetData().GetValue(1) = CGenType::MakeFloat(2200);
    std::vector<CPart*> parts{r};
    parts.push_back(sheet->AddObject(CWire::Create(env, {0, 0}, {0, 40})));
    parts.push_back(sheet->AddObject(CSubCirPart::Create(env, sub, {300, 300}, 2)));
    parts.push_back(sheet->AddObject(CSimTerm::Create(env, 3, {400, 100}, 0)));
    parts.push_back(sheet->AddObject(CSimText::Create(env, "hello", {10, 500}, 1)));
    parts.push_back(sheet->AddObject(CSimControl::Create(env, {600, 600}, 0)));
    parts.push_back(sheet->AddObject(CSimLabel::Create(env, "VOUT", {700, 100}, 3)));
    ASSERT_EQ(r->GetLinkCount(), 1u);
    parts.push_back(r->GetLink(0));
    sheet->GetPortNames()[3] = "in";
    for (CPart* part : parts) {
        ASSERT_TRUE(part);
        auto back = RoundTrip(*part, sheet.get());
        ASSERT_TRUE(back);
        SCOPED_TRACE(part->GetTag());
        ExpectSameCommonFields(*part, *back);
        EXPECT_FALSE(back->IsUnresolved());
    }
    auto element = RoundTrip(*r, sheet.get());
    EXPECT_EQ(element->AsSimPart()->GetData().GetValues(), r->GetData().GetValues());
    auto instance = RoundTrip(*parts[2], sheet.get());
    EXPECT_EQ(instance->AsSubCircuit()->GetSheet(), sub.get()) << "the open sheet is shared";
    EXPECT_EQ(instance->GetTerminalCount(), 8u);
    auto label = RoundTrip(*parts[6], sheet.get());
    EXPECT_EQ(label->AsLabel()->GetLabelObject(), parts[6]->AsLabel()->GetLabelObject());
}

TEST_F(PartBase, AnElementMissingFromTheLibraryIsMarkedWhenRead) {
    auto element = CSimPart::Create(env, kResistor, {100, 100}, 0);
    CRecordBuffer buffer;
    CSerialContext context;
    WriteObjectRecord(buffer, *element, context);
    buffer.StartReading();
    const std::vector<uint16_t> map{0, CLibraryData::kNoElement};
    context.elementMap = &map;
    CObjectRead read = ReadObjectRecord(buffer, context, env);
    EXPECT_TRUE(read.part->IsUnresolved());
    EXPECT_EQ(buffer.Remaining(), 0u) << "the rest of the record is passed over";
}

TEST_F(PartBase, AppendShapesPlacesCopiesRelativeToTheOrigin) {
    auto wire = CWire::Create(env, {100, 100}, {140, 100});
    CShapeList shapes;
    wire->AppendShapes(shapes, {100, 100});
    ASSERT_EQ(shapes.size(), 1u);
    EXPECT_EQ(shapes[0]->GetRect(), (CRectF{0, 0, 40, 0}));
}

}  // namespace
}  // namespace kestro
