#include <gtest/gtest.h>

#include "core/document/index/cell_hash.h"
#include "core/objects/label_object.h"
#include "core/objects/sim_label.h"
#include "core/objects/sim_node.h"
#include "core/objects/sim_part.h"
#include "core/objects/sim_term.h"
#include "core/objects/sub_cir_part.h"
#include "core/objects/wire.h"
#include "core/platform/recording_canvas.h"
#include "tests/core/support/circuit_support.h"

namespace kestro {
namespace {

using test::CSheetWorld;
using test::kGround;
using test::kResistor;

class Nodes : public ::testing::Test {
protected:
    CPart* Wire(CPointF a, CPointF b) { return sheet->AddObject(CWire::Create(env, a, b)); }

    CSheetWorld world;
    const CPartEnvironment& env = world.context.parts;
    std::shared_ptr<CCircuit> sheet = world.NewSheet();
};

TEST_F(Nodes, TerminalsCloserThanFourUnitsInBothAxesShareANode) {
    CPart* a = Wire({100, 50}, {100, 0});
    CPart* b = Wire({103, 53}, {200, 53});
    CPart* c = Wire({105, 50}, {105, 100});
    EXPECT_EQ(a->GetNode(0), b->GetNode(0));
    EXPECT_NE(a->GetNode(0), c->GetNode(0));
    EXPECT_EQ(a->GetNode(0)->GetPosition(), (CPointF{100, 50})) << "the first terminal's place";
    EXPECT_EQ(a->GetNode(0)->GetObjects().size(), 2u);
}

TEST_F(Nodes, TheFirstNodeInListOrderWinsWhenSeveralAreNear) {
    CPart* first = Wire({100, 50}, {100, 0});
    CPart* second = Wire({106, 50}, {106, 0});
    ASSERT_NE(first->GetNode(0), second->GetNode(0));
    CPart* between = Wire({103, 50}, {103, 100});
    EXPECT_EQ(between->GetNode(0), first->GetNode(0));
    // The same question against the other creation order.
    auto other = world.NewSheet();
    CPart* right = other->AddObject(CWire::Create(env, {106, 50}, {106, 0}));
    other->AddObject(CWire::Create(env, {100, 50}, {100, 0}));
    CPart* middle = other->AddObject(CWire::Create(env, {103, 50}, {103, 100}));
    EXPECT_EQ(middle->GetNode(0), right->GetNode(0));
    // The square is open: exactly 4 units away is outside.
    CPart* edge = Wire({110, 54}, {110, 200});
    EXPECT_NE(edge->GetNode(0), second->GetNode(0));
}

TEST_F(Nodes, ReconnectingKeepsTheSameNodesAndOrder) {
    Wire({0, 0}, {0, 50});
    Wire({0, 50}, {50, 50});
    Wire({50, 50}, {50, 0});
    std::vector<CPointF> before;
    for (const auto& node : sheet->GetNodes())
        before.push_back(node->GetPosition());
    sheet->ReconnectAll();
    ASSERT_EQ(sheet->GetNodes().size(), before.size());
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(sheet->GetNodes()[i]->GetPosition(), before[i]);
}

TEST_F(Nodes, MarkersShowOpenEndsAndJunctionsButNotPlainJoints) {
    Wire({0, 0}, {50, 0});
    Wire({50, 0}, {100, 0});
    Wire({50, 0}, {50, 50});
    CRecordingCanvas canvas;
    for (const auto& node : sheet->GetNodes())
        node->Draw(canvas);
    // Three open ends and one junction; no marker for plain joints.
    ASSERT_EQ(canvas.Calls().size(), 4u);
    int solid = 0;
    for (const auto& call : canvas.Calls()) {
        EXPECT_EQ(call.kind, CCanvasCall::Kind::Ellipse);
        EXPECT_EQ(call.pen.color, PaletteColor(world.settings.colorRoles[kRoleNode]));
        if (call.brush.color == call.pen.color) ++solid;
    }
    EXPECT_EQ(solid, 1);
    canvas.ClearCalls();
    auto plain = world.NewSheet();
    plain->AddObject(CWire::Create(env, {0, 0}, {50, 0}));
    plain->AddObject(CWire::Create(env, {50, 0}, {100, 0}));
    plain->GetNodes()[1]->Draw(canvas);
    EXPECT_TRUE(canvas.Calls().empty());
}

TEST_F(Nodes, AHiddenObjectIsNeitherConnectedNorDrawn) {
    auto wire = CWire::Create(env, {0, 0}, {50, 0});
    wire->SetState(CPart::kStateHidden);
    CPart* hidden = sheet->AddObject(std::move(wire));
    EXPECT_EQ(hidden->GetNode(0), nullptr);
    EXPECT_TRUE(sheet->GetNodes().empty());
    CRecordingCanvas canvas;
    sheet->DrawAll(canvas);
    EXPECT_TRUE(canvas.Calls().empty());
}

TEST_F(Nodes, LabelsOfOneNameWithoutRegardToCaseShareALabelObject) {
    CPart* vout = sheet->AddObject(CSimLabel::Create(env, "VOUT", {100, 100}, 0));
    CPart* lower = sheet->AddObject(CSimLabel::Create(env, "vout", {500, 500}, 0));
    CPart* other = sheet->AddObject(CSimLabel::Create(env, "VIN", {500, 100}, 0));
    EXPECT_EQ(vout->AsLabel()->GetLabelObject(), lower->AsLabel()->GetLabelObject());
    EXPECT_NE(vout->AsLabel()->GetLabelObject(), other->AsLabel()->GetLabelObject());
    EXPECT_EQ(sheet->GetLabelTable().size(), 2u);
    EXPECT_EQ(lower->GetName(), "VOUT");
    EXPECT_EQ(vout->AsLabel()->GetLabelObject()->GetLabels().size(), 2u);
    sheet->DeleteObject(*lower);
    EXPECT_EQ(vout->AsLabel()->GetLabelObject()->GetLabels().size(), 1u);
    EXPECT_EQ(sheet->GetLastLabelName(), "VIN");
}

TEST_F(Nodes, GroundAndDeadEndsFollowWhatIsAttached) {
    CSimPart* ground = sheet->PlaceElement(kGround, {100, 100}, 0);
    CPart* wire = Wire({100, 100}, {100, 200});
    EXPECT_TRUE(wire->GetNode(0)->IsGroundNode());
    EXPECT_FALSE(wire->GetNode(1)->IsGroundNode());
    EXPECT_EQ(ground->GetNode(0), wire->GetNode(0));

    auto sub = world.NewSheet("/sub.sch");
    sub->SetSymbolBox({0, 0, 40, 20});
    sub->AddObject(CSimTerm::Create(env, 0, {0, 0}, 0));
    CPart* instance = sheet->AddObject(CSubCirPart::Create(env, sub, {500, 500}, 0));
    ASSERT_EQ(instance->GetTerminalCount(), 8u);
    EXPECT_FALSE(instance->GetNode(0)->IsDeadEnd()) << "port 0 exists inside";
    EXPECT_TRUE(instance->GetNode(1)->IsDeadEnd()) << "no port 1 inside";
    sub->GetPortNodeNumbers() = std::vector<int32_t>(8, 3);
    sub->GetPortNodeNumbers()[0] = 0;
    EXPECT_TRUE(instance->GetNode(0)->IsGroundNode()) << "the inner net is ground";
    EXPECT_FALSE(instance->GetNode(1)->IsGroundNode());
    CRecordingCanvas canvas;
    instance->GetNode(1)->Draw(canvas);
    EXPECT_TRUE(canvas.Calls().empty()) << "dead ends show no marker";
}

TEST_F(Nodes, RemovingAnObjectLeavesEmptyNodesForTheCleanUp) {
    CPart* a = Wire({0, 0}, {50, 0});
    Wire({50, 0}, {100, 0});
    ASSERT_EQ(sheet->GetNodes().size(), 3u);
    sheet->DeleteObject(*a);
    EXPECT_TRUE(sheet->IsCleanupPending());
    EXPECT_EQ(sheet->GetNodes().size(), 3u);
    sheet->NodeCleanup();
    EXPECT_FALSE(sheet->IsCleanupPending());
    EXPECT_EQ(sheet->GetNodes().size(), 2u);
    // The index forgot the deleted node: a new terminal there makes a new one.
    CPart* again = Wire({0, 0}, {0, 50});
    EXPECT_EQ(again->GetNode(0)->GetObjects().size(), 1u);
}

TEST(CellHash, ErasingKeepsEveryOtherCellFindable) {
    CCellHash<int> cells;
    for (int i = 0; i < 500; ++i)
        cells.Get(CellKey(i % 23, i / 23)) = i;
    for (int i = 0; i < 500; i += 3)
        cells.Erase(CellKey(i % 23, i / 23));
    for (int i = 0; i < 500; ++i) {
        int* value = cells.Find(CellKey(i % 23, i / 23));
        if (i % 3 == 0) {
            EXPECT_EQ(value, nullptr) << i;
        } else {
            ASSERT_NE(value, nullptr) << i;
            EXPECT_EQ(*value, i);
        }
    }
    EXPECT_EQ(cells.CellCount(), 333u);
}

}  // namespace
}  // namespace kestro
