#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/document/internal_clipboard.h"
#include "core/objects/sim_node.h"
#include "core/objects/sim_part.h"
#include "core/objects/wire.h"
#include "core/platform/number_text.h"
#include "tests/core/support/circuit_support.h"

namespace kestro {
namespace {

using test::CSheetWorld;
using test::kResistor;
using Strings = std::vector<std::string>;

// The resistor of the test library has its pins at (-20, 0) and (20, 0) of its centre.
class FollowingWires : public ::testing::Test {
protected:
    CPart* Wire(CPointF a, CPointF b) { return sheet->AddObject(CWire::Create(env, a, b)); }
    CSimPart* Resistor(CPointF at, int turns = 0) {
        return sheet->PlaceElement(kResistor, at, turns);
    }
    void Select(std::initializer_list<CPart*> parts) {
        selection.Clear();
        for (CPart* part : parts)
            selection.Add(*part);
        sheet->RefreshSelection(selection);
        selection.UpdateBounds();
    }
    // The wires as "x1,y1-x2,y2" with the smaller end first, sorted.
    Strings Wires() const {
        Strings wires;
        for (const auto& part : sheet->GetObjects()) {
            const CWire* wire = const_cast<CPart&>(*part).AsWire();
            if (!wire) continue;
            CPointF a = wire->GetEnd(0), b = wire->GetEnd(1);
            if (std::tie(b.x, b.y) < std::tie(a.x, a.y)) std::swap(a, b);
            auto text = [](CPointF p) {
                return FormatG(std::round(p.x), 6) + "," + FormatG(std::round(p.y), 6);
            };
            wires.push_back(text(a) + "-" + text(b));
        }
        std::sort(wires.begin(), wires.end());
        return wires;
    }
    bool EveryWireAcrossOrDown() const {
        for (const auto& part : sheet->GetObjects())
            if (const CWire* wire = const_cast<CPart&>(*part).AsWire()) {
                const CPointF a = wire->GetEnd(0), b = wire->GetEnd(1);
                if (!SameTenth(a.x, b.x) && !SameTenth(a.y, b.y)) return false;
            }
        return true;
    }
    static bool HasWire(const CSimNode* node) {
        return node && node->FindObject([](const CPart& p) { return p.IsWire(); });
    }
    // True when a wire ends at the node of every terminal of the element.
    static bool Wired(const CSimPart& element) {
        for (size_t i = 0; i < element.GetTerminalCount(); ++i)
            if (!HasWire(element.GetNode(i))) return false;
        return true;
    }

    CSheetWorld world;
    const CPartEnvironment& env = world.context.parts;
    std::shared_ptr<CCircuit> sheet = world.NewSheet();
    CSelection selection;
};

TEST_F(FollowingWires, AMovedResistorKeepsItsWiresWithBendsAtItsPins) {
    CSimPart* r1 = Resistor({100, 100});
    Wire({20, 100}, {80, 100});
    Wire({120, 100}, {200, 100});
    Select({r1});
    sheet->MoveSelection(selection, 0, -30);
    EXPECT_TRUE(Wired(*r1));
    EXPECT_TRUE(EveryWireAcrossOrDown());
    EXPECT_EQ(Wires(),
              (Strings{"120,100-200,100", "120,70-120,100", "20,100-80,100", "80,70-80,100"}));
}

TEST_F(FollowingWires, AWireAlongTheMoveStretchesOrShrinksAndGoesWhenItIsAPoint) {
    CSimPart* r1 = Resistor({100, 100});
    Wire({20, 100}, {80, 100});
    Wire({120, 100}, {140, 100});
    Select({r1});
    sheet->MoveSelection(selection, 20, 0);
    EXPECT_EQ(Wires(), Strings{"20,100-100,100"});
    EXPECT_TRUE(HasWire(r1->GetNode(0)));
}

TEST_F(FollowingWires, AWireBetweenTwoMovedObjectsMovesAlong) {
    CSimPart* r1 = Resistor({100, 100});
    CSimPart* r2 = Resistor({200, 100});
    Wire({120, 100}, {180, 100});
    Select({r1, r2});
    sheet->MoveSelection(selection, 30, 40);
    EXPECT_EQ(Wires(), Strings{"150,140-210,140"});
    EXPECT_TRUE(HasWire(r1->GetNode(1)));
    EXPECT_TRUE(HasWire(r2->GetNode(0)));
}

TEST_F(FollowingWires, AJunctionAtAPinStaysAndIsJoinedToThePinsNewPlace) {
    CSimPart* r1 = Resistor({100, 100});
    Wire({120, 100}, {200, 100});
    Wire({120, 100}, {120, 200});
    Select({r1});
    sheet->MoveSelection(selection, -40, -40);
    EXPECT_EQ(Wires(),
              (Strings{"120,100-120,200", "120,100-200,100", "80,100-120,100", "80,60-80,100"}));
    EXPECT_TRUE(HasWire(r1->GetNode(1)));
}

TEST_F(FollowingWires, ATurnedResistorKeepsItsWires) {
    CSimPart* r1 = Resistor({100, 100});
    Wire({20, 100}, {80, 100});
    Wire({120, 100}, {200, 100});
    Select({r1});
    sheet->RotateSelection(selection, 1);
    EXPECT_TRUE(Wired(*r1));
    EXPECT_TRUE(EveryWireAcrossOrDown());
    sheet->FlipSelection(selection, 1);
    EXPECT_TRUE(Wired(*r1));
    EXPECT_TRUE(EveryWireAcrossOrDown());
}

TEST_F(FollowingWires, PinsTouchingWithoutAWireComeApart) {
    CSimPart* r1 = Resistor({100, 100});
    CSimPart* r2 = Resistor({140, 100});
    ASSERT_EQ(r1->GetNode(1), r2->GetNode(0));
    Select({r1});
    sheet->MoveSelection(selection, 0, 50);
    EXPECT_TRUE(Wires().empty());
    EXPECT_NE(r1->GetNode(1), r2->GetNode(0));
}

TEST_F(FollowingWires, APastedAndTurnedSetLeavesTheWiresItLandsOnAlone) {
    CSimPart* r1 = Resistor({100, 100});
    Select({r1});
    CInternalClipboard clipboard;
    sheet->Copy(selection, clipboard);
    Wire({420, 400}, {500, 400});  // where the pasted resistor's right pin lands
    sheet->Paste(clipboard, selection, {400, 400}, 1);
    EXPECT_EQ(Wires(), Strings{"420,400-500,400"});
}

}  // namespace
}  // namespace kestro
