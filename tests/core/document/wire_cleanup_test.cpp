#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/document/wire_cleanup.h"
#include "core/objects/sim_node.h"
#include "core/platform/number_text.h"
#include "tests/core/support/netlist_support.h"

namespace kestro {
namespace {

class WireCleanup : public ::testing::Test, protected test::CNetlistBench {
protected:
    // The wires of the sheet as "x1,y1-x2,y2" with the smaller end first, sorted.
    std::vector<std::string> Wires() const {
        std::vector<std::string> wires;
        for (const auto& part : sheet->GetObjects()) {
            const CWire* wire = const_cast<CPart&>(*part).AsWire();
            if (!wire) continue;
            CPointF a = wire->GetEnd(0), b = wire->GetEnd(1);
            if (std::tie(b.x, b.y) < std::tie(a.x, a.y)) std::swap(a, b);
            auto text = [](CPointF p) { return Text(p.x) + "," + Text(p.y); };
            wires.push_back(text(a) + "-" + text(b));
        }
        std::sort(wires.begin(), wires.end());
        return wires;
    }
    // Hundredths are enough: the ends go through the wire's own frame and back.
    static std::string Text(float v) { return FormatG(std::round(v * 100.0) / 100.0, 6); }
    const CSimNode* NodeAt(CPointF at) const {
        for (const auto& node : sheet->GetNodes())
            if (node->GetPosition() == at) return node;
        return nullptr;
    }
    bool CleanUp(const CRectF& area = {-1000, -1000, 1000, 1000}) {
        return CleanUpWires(*sheet, area);
    }

    std::shared_ptr<CCircuit> sheet = world.NewSheet();
    using Strings = std::vector<std::string>;
};

TEST_F(WireCleanup, AWireIsSplitWhereANodeLiesOnIt) {
    Wire(*sheet, {0, 0}, {100, 0});
    Wire(*sheet, {50, 0}, {50, 50});
    Resistor(*sheet, {80, 0});  // its left pin lies on the wire too; its right pin does not
    EXPECT_TRUE(CleanUp());
    EXPECT_EQ(Wires(), (Strings{"0,0-50,0", "50,0-50,50", "50,0-80,0", "80,0-100,0"}));
    EXPECT_TRUE(sheet->IsCleanupPending());
    const CSimNode* joint = NodeAt({50, 0});
    ASSERT_NE(joint, nullptr);
    EXPECT_EQ(joint->GetObjects().size(), 3u) << "the T is a junction now";
}

TEST_F(WireCleanup, AWireLongerThanTheSheetHasNodesIsSplitAtEachOfThem) {
    // Its extent covers far more index cells than there are nodes: the node list is
    // walked instead, with the same result. Both pins of each resistor lie on it.
    Wire(*sheet, {0, 0}, {100000, 0});
    Resistor(*sheet, {30000, 0});
    Resistor(*sheet, {70000, 0});
    EXPECT_TRUE(CleanUp({-10, -10, 100010, 10}));
    EXPECT_EQ(Wires(), (Strings{"0,0-30000,0", "30000,0-30040,0", "30040,0-70000,0",
                                "70000,0-70040,0", "70040,0-100000,0"}));
}

TEST_F(WireCleanup, PositionsCompareAtATenthOfAUnit) {
    Wire(*sheet, {0, 0}, {100, 0});
    Wire(*sheet, {50, 0.04f}, {50, 50});  // within a tenth of the line: on it
    Wire(*sheet, {70, 0.3f}, {70, 50});   // a third of a unit off: beside it
    CleanUp();
    EXPECT_EQ(Wires(), (Strings{"0,0-50,0.04", "50,0.04-100,0", "50,0.04-50,50", "70,0.3-70,50"}));
}

TEST_F(WireCleanup, ADiagonalWireIsSplitOnlyAtNodesOnItsLine) {
    Wire(*sheet, {0, 0}, {100, 100});
    Wire(*sheet, {50, 50}, {50, 150});
    Wire(*sheet, {80, 20}, {80, -50});  // inside the extent, off the line
    CleanUp();
    EXPECT_EQ(Wires(), (Strings{"0,0-50,50", "50,50-100,100", "50,50-50,150", "80,-50-80,20"}));
}

TEST_F(WireCleanup, OfTwoEqualWiresTheLaterAtTheNodeGoes) {
    CPart* first = Wire(*sheet, {0, 0}, {0, 100});
    Wire(*sheet, {0, 100}, {0, 0});
    Resistor(*sheet, {0, 0});  // keeps the ends from being merged away
    test::CTestView view;
    sheet->AddObserver(view);
    view.selection.Add(*sheet->GetObjects().front());
    view.selection.Add(**std::next(sheet->GetObjects().begin()));
    EXPECT_TRUE(CleanUp());
    EXPECT_EQ(Wires(), (Strings{"0,0-0,100"}));
    EXPECT_TRUE(sheet->Contains(*first));
    EXPECT_EQ(view.selection.Count(), 1u) << "the removed wire left the selection";
    sheet->RemoveObserver(view);
}

TEST_F(WireCleanup, WiresOnOneLineMeetingEndToEndBecomeOne) {
    Wire(*sheet, {0, 0}, {50, 0});
    Wire(*sheet, {100, 0}, {50, 0});
    Wire(*sheet, {100, 0}, {150, 0});
    Wire(*sheet, {200, 0}, {150, 0});
    Wire(*sheet, {0, 100}, {0, 200});  // a corner is kept:
    Wire(*sheet, {0, 200}, {100, 200});
    Wire(*sheet, {300, 0}, {350, 0});  // a joint with a third object is kept:
    Wire(*sheet, {350, 0}, {400, 0});
    test::CNetlistBench::Label(*sheet, "A", {350, 0});
    EXPECT_TRUE(CleanUp());
    EXPECT_EQ(Wires(),
              (Strings{"0,0-200,0", "0,100-0,200", "0,200-100,200", "300,0-350,0", "350,0-400,0"}));
}

TEST_F(WireCleanup, OverlappingWiresEndAsOne) {
    Wire(*sheet, {0, 0}, {100, 0});
    Wire(*sheet, {50, 0}, {150, 0});
    CleanUp();
    EXPECT_EQ(Wires(), (Strings{"0,0-150,0"}));
}

TEST_F(WireCleanup, OnlyTheAreaIsTidied) {
    Wire(*sheet, {0, 0}, {50, 0});
    Wire(*sheet, {50, 0}, {100, 0});
    Wire(*sheet, {500, 0}, {550, 0});
    Wire(*sheet, {550, 0}, {600, 0});
    EXPECT_TRUE(CleanUp({-10, -10, 200, 10}));
    EXPECT_EQ(Wires(), (Strings{"0,0-100,0", "500,0-550,0", "550,0-600,0"}));
}

TEST_F(WireCleanup, NothingHappensForAPointAreaOrAnAreaWithoutWires) {
    Wire(*sheet, {0, 0}, {50, 0});
    Wire(*sheet, {50, 0}, {100, 0});
    EXPECT_FALSE(CleanUp({50, 0, 50.04f, 0}));
    EXPECT_FALSE(CleanUp({300, 300, 400, 400}));
    EXPECT_FALSE(sheet->IsCleanupPending());
    EXPECT_EQ(Wires().size(), 2u);
    EXPECT_FALSE(CleanUpWires(*world.NewSheet(), {0, 0, 100, 100}));
}

TEST_F(WireCleanup, AWireAlongTheAreaEdgeCounts) {
    Wire(*sheet, {0, 0}, {50, 0});
    Wire(*sheet, {50, 0}, {100, 0});
    EXPECT_TRUE(CleanUp({0, 0, 100, 100}));
    EXPECT_EQ(Wires(), (Strings{"0,0-100,0"}));
}

TEST_F(WireCleanup, HiddenWiresAreLeftAlone) {
    CPart* hidden = sheet->AddObject([&] {
        auto wire = CWire::Create(env, {0, 0}, {100, 0});
        wire->SetState(CPart::kStateHidden);
        return wire;
    }());
    Wire(*sheet, {50, 0}, {50, 50});
    EXPECT_FALSE(CleanUp());
    EXPECT_TRUE(sheet->Contains(*hidden));
}

TEST_F(WireCleanup, AbsurdCoordinatesFromADamagedFileDoNoHarm) {
    const float huge = 3e38f, nan = std::nanf("");
    Wire(*sheet, {-huge, 0}, {huge, 0});
    Wire(*sheet, {0, -huge}, {0, huge});
    Wire(*sheet, {nan, 0}, {10, nan});
    Wire(*sheet, {-huge, -huge}, {huge, huge});
    CleanUp({-huge, -huge, huge, huge});
    CleanUp({nan, nan, 100, 100});
    EXPECT_EQ(LinesOf(NetlistOf(*sheet)).size(), 1u);
}

}  // namespace
}  // namespace kestro
