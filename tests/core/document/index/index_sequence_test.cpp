// Long random runs of the editing operations of a sheet, checking after every step that
// what the document keeps up to date incrementally (object, node and name indexes and the
// tables beside them) agrees with what its objects list says, worked out the slow way.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "core/document/internal_clipboard.h"
#include "core/document/wire_cleanup.h"
#include "core/objects/sim_control.h"
#include "core/objects/sim_label.h"
#include "core/objects/sim_link.h"
#include "core/objects/sim_node.h"
#include "core/objects/sim_part.h"
#include "core/objects/sim_term.h"
#include "core/objects/sim_text.h"
#include "core/objects/sub_cir_part.h"
#include "core/objects/wire.h"
#include "tests/core/support/circuit_support.h"
#include "tests/core/support/index_check.h"

namespace kestro {
namespace {

using test::CSheetWorld;
using test::CTestView;

// Objects are kept to about this many, so that every step can be checked by brute force.
constexpr size_t kCrowded = 50;
// Steps of each run: with three seeds each way, thousands of steps in all.
constexpr int kSteps = 500;

class CRandomEditing {
public:
    // `offGrid`: some wires get ends between grid points (as damaged or foreign files
    // can have), so terminals meet nodes made by others within the 4-unit reach.
    CRandomEditing(uint32_t seed, bool offGrid) : m_random(seed), m_offGrid(offGrid) {
        m_sheet->AddObserver(m_view);
        m_subs[0]->SetSymbolBox({0, 0, 40, 20});
        m_subs[1]->SetSymbolBox({0, 0, 60, 40});
        m_subs[2]->SetSymbolBox({0, 0, 30, 30});  // never saved
        m_subs[0]->AddObject(CSimTerm::Create(m_env, 0, {0, 0}, 0));
    }
    ~CRandomEditing() { m_sheet->RemoveObserver(m_view); }

    CCircuit& Sheet() { return *m_sheet; }

    // One editing step chosen at random; its name, for the failure message.
    std::string Step() {
        const bool crowded = m_sheet->GetObjectCount() > kCrowded;
        switch (Pick(crowded ? 8 : 24)) {
            case 0:
            case 1:
                return DeleteSome();
            case 2:
                return CutSome();
            case 3:
                return RemoveOne();
            case 4:
                return UndoDelete();
            case 5:
                return MoveSome();
            case 6:
                return TurnSome();
            case 7:
                return FlipOne();
            case 8:
            case 9:
                return PlaceElement();
            case 10:
            case 11:
                return AddWire();
            case 12:
                return AddLabel();
            case 13:
                return AddPort();
            case 14:
                return AddTextOrControl();
            case 15:
                return AddInstance();
            case 16:
                return AddLink();
            case 17:
                return CopySome();
            case 18:
                return Paste();
            case 19:
                return Rename();
            case 20:
                return ReshapeSubcircuit();
            case 21:
                return AddHidden();
            case 22:
                return Tidy();
            default:
                return Reconnect();
        }
    }

private:
    uint32_t Pick(uint32_t count) { return m_random() % count; }
    bool Chance(uint32_t inCount) { return Pick(inCount) == 0; }
    float GridValue() { return 10.0f * float(Pick(61)); }
    CPointF GridPoint() { return {GridValue(), GridValue()}; }
    // A point off the grid now and then (only in runs that allow it): anywhere, or just
    // inside or outside the 4-unit reach of a terminal already there.
    CPointF AnyPoint() {
        if (!m_offGrid || Chance(2)) return GridPoint();
        CPointF p = Chance(2) ? GridPoint() : SomeTerminal();
        p.x += 0.25f * float(Pick(49)) - 6.0f;
        p.y += 0.25f * float(Pick(49)) - 6.0f;
        return p;
    }
    CPart* RandomObject() {
        const auto& objects = m_sheet->GetObjects();
        if (objects.empty()) return nullptr;
        auto it = objects.begin();
        std::advance(it, Pick(uint32_t(objects.size())));
        return it->get();
    }
    // A terminal position of some object, so that new wires join what is there.
    CPointF SomeTerminal() {
        for (int tries = 0; tries < 4; ++tries) {
            CPart* part = RandomObject();
            if (part && part->GetTerminalCount() > 0)
                return part->GetTerminalPosition(Pick(uint32_t(part->GetTerminalCount())));
        }
        return GridPoint();
    }

    // A selection as a view makes one: by a rectangle or by clicks, links of selected
    // elements joining them.
    void SelectSome() {
        CSelection& selection = m_view.selection;
        selection.Clear();
        if (Chance(2)) {
            const CPointF a = GridPoint();
            const float w = 20.0f + float(Pick(200)), h = 20.0f + float(Pick(200));
            m_sheet->SelectByRect(selection, {a.x, a.y, a.x + w, a.y + h});
        } else {
            for (uint32_t n = 1 + Pick(4); n > 0; --n)
                if (CPart* part = RandomObject()) selection.Add(*part);
        }
        if (!Chance(4)) m_sheet->RefreshSelection(selection);
        selection.UpdateBounds();
    }

    std::string DeleteSome() {
        SelectSome();
        m_sheet->DeleteSelection(m_view.selection);
        return "delete";
    }
    std::string CutSome() {
        SelectSome();
        m_sheet->Copy(m_view.selection, m_clipboard);
        m_sheet->DeleteSelection(m_view.selection);
        return "cut";
    }
    std::string RemoveOne() {
        if (CPart* part = RandomObject()) m_sheet->RemoveObject(*part);
        return "remove one object";
    }
    std::string UndoDelete() {
        m_sheet->UndoDelete(m_view.selection);
        return "undo delete";
    }
    std::string MoveSome() {
        SelectSome();
        const float dx = 10.0f * (float(Pick(9)) - 4.0f), dy = 10.0f * (float(Pick(9)) - 4.0f);
        m_sheet->MoveSelection(m_view.selection, dx, dy);
        return "move";
    }
    std::string TurnSome() {
        SelectSome();
        m_sheet->RotateSelection(m_view.selection, 1 + int(Pick(3)));
        return "turn";
    }
    std::string FlipOne() {
        if (CPart* part = RandomObject()) m_sheet->FlipObject(*part, int(Pick(2)));
        return "flip";
    }
    std::string PlaceElement() {
        m_sheet->PlaceElement(uint16_t(Pick(3)), GridPoint(), int(Pick(4)));
        return "place element";
    }
    std::string AddWire() {
        const CPointF from = Chance(2) ? SomeTerminal() : AnyPoint();
        CPointF to = Chance(2) ? SomeTerminal() : AnyPoint();
        if (Chance(2)) to.y = from.y;             // mostly straight, as drawn
        if (Chance(30)) to.x = from.x + 5000.0f;  // longer than the index files in cells
        m_sheet->AddObject(CWire::Create(m_env, from, to));
        return "add wire";
    }
    std::string AddLabel() {
        static const char* const kNames[] = {"VOUT", "vout", "IN", "Gate", "gate", "N1"};
        m_sheet->AddObject(CSimLabel::Create(m_env, kNames[Pick(6)], GridPoint(), int(Pick(4))));
        return "add label";
    }
    std::string AddPort() {
        // Taken numbers are refused with a message, as the user sees them.
        m_sheet->AddObject(CSimTerm::Create(m_env, uint16_t(Pick(24)), GridPoint(), int(Pick(4))));
        return "add port";
    }
    std::string AddTextOrControl() {
        if (Chance(2))
            m_sheet->AddObject(CSimText::Create(m_env, "note " + std::to_string(Pick(100)),
                                                GridPoint(), int(Pick(4))));
        else
            m_sheet->AddObject(CSimControl::Create(m_env, GridPoint(), 0));
        return "add text or control";
    }
    std::string AddInstance() {
        m_sheet->AddObject(CSubCirPart::Create(m_env, m_subs[Pick(3)], GridPoint(), int(Pick(4))));
        return "add subcircuit";
    }
    std::string AddLink() {
        CPart* part = RandomObject();
        CSimPart* element = part ? part->AsSimPart() : nullptr;
        if (!element || element->GetData().GetCount() == 0) return "add no link";
        m_sheet->AddObject(
            CSimLink::Create(m_env, *element, Pick(uint32_t(element->GetData().GetCount()))));
        return "add link";
    }
    std::string CopySome() {
        SelectSome();
        m_sheet->Copy(m_view.selection, m_clipboard);
        return "copy";
    }
    std::string Paste() {
        m_sheet->Paste(m_clipboard, m_view.selection, GridPoint(), int(Pick(4)));
        return "paste";
    }
    std::string Rename() {
        static const char* const kNames[] = {"R1", "r1", "C2", "X", "x", "R100"};
        CPart* part = RandomObject();
        if (CSimPart* element = part ? part->AsSimPart() : nullptr)
            element->SetInstanceName(kNames[Pick(6)]);
        return "rename";
    }
    std::string ReshapeSubcircuit() {
        static const CRectF kBoxes[] = {
            {0, 0, 40, 20}, {0, 0, 60, 40}, {0, 0, 30, 30}, {0, 0, 50, 70}, {0, 0, 10, 10}};
        CCircuit& sub = *m_subs[Pick(3)];
        sub.SetSymbolBox(kBoxes[Pick(5)]);
        m_sheet->UpdateInstancesOf(sub);
        return "reshape subcircuit";
    }
    std::string AddHidden() {
        std::unique_ptr<CPart> part;
        if (Chance(2))
            part = CWire::Create(m_env, SomeTerminal(), AnyPoint());
        else
            part = CSimPart::Create(m_env, uint16_t(1 + Pick(2)), GridPoint(), 0);
        part->SetState(part->GetState() | CPart::kStateHidden);
        m_sheet->AddObject(std::move(part));
        return "add hidden object";
    }
    std::string Tidy() {
        if (Chance(3)) {
            m_sheet->NodeCleanup();
            return "node clean-up";
        }
        const CPointF a = GridPoint();
        CleanUpWires(*m_sheet, Chance(3) ? m_sheet->GetDrawingArea()
                                         : CRectF{a.x, a.y, a.x + 150.0f, a.y + 150.0f});
        return "wire clean-up";
    }
    std::string Reconnect() {
        m_sheet->ReconnectAll();
        return "reconnect all";
    }

    CSheetWorld m_world;
    const CPartEnvironment& m_env = m_world.context.parts;
    std::shared_ptr<CCircuit> m_sheet = m_world.NewSheet("/sheets/top.sch");
    std::shared_ptr<CCircuit> m_subs[3] = {m_world.NewSheet("/sheets/one.sch"),
                                           m_world.NewSheet("/sheets/two.sch"), m_world.NewSheet()};
    CTestView m_view;
    CInternalClipboard m_clipboard;
    std::mt19937 m_random;
    bool m_offGrid;
};

// On the grid, terminals meet exactly when they are at one point: two terminals share a
// node if and only if their positions are equal.
::testing::AssertionResult GridTerminalsMeetExactlyAtOnePoint(const CCircuit& sheet) {
    struct CTerminalAt {
        float x, y;
        const CSimNode* node;
    };
    std::vector<CTerminalAt> terminals;
    for (const auto& part : sheet.GetObjects())
        for (size_t i = 0; !part->IsHidden() && i < part->GetTerminalCount(); ++i) {
            const CPointF p = part->GetTerminalPosition(i);
            terminals.push_back({p.x, p.y, part->GetNode(i)});
        }
    auto byPoint = [](const CTerminalAt& a, const CTerminalAt& b) {
        return a.x != b.x ? a.x < b.x : a.y < b.y;
    };
    std::sort(terminals.begin(), terminals.end(), byPoint);
    std::vector<const CSimNode*> nodes;  // one per point
    for (size_t i = 0; i < terminals.size(); ++i) {
        const CTerminalAt& t = terminals[i];
        const bool samePoint = i > 0 && !byPoint(terminals[i - 1], t);
        if (samePoint && terminals[i - 1].node != t.node)
            return ::testing::AssertionFailure() << "two nodes at " << t.x << "," << t.y;
        if (!samePoint) nodes.push_back(t.node);
    }
    std::sort(nodes.begin(), nodes.end());
    if (std::adjacent_find(nodes.begin(), nodes.end()) != nodes.end())
        return ::testing::AssertionFailure() << "one node joins terminals at two points";
    return ::testing::AssertionSuccess();
}

// Terminals strewn finely over a few cells of the node index (whose borders lie 5 units
// from the grid points) join the first node in list order strictly within 4 units; many
// small sheets, so that every border and the reach's edge are met with few nodes about.
TEST(IndexNearCellBorders, TerminalsOffTheGridJoinTheFirstNodeWithinReach) {
    std::mt19937 random(99);
    auto coordinate = [&random] { return -6.0f + 0.05f * float(random() % 440); };
    for (int round = 0; round < 120; ++round) {
        CSheetWorld world;
        auto sheet = world.NewSheet();
        for (int i = 0; i < 12; ++i) {
            const CPointF from{coordinate(), coordinate()};
            const CPointF to{coordinate(), coordinate()};
            sheet->AddObject(CWire::Create(world.context.parts, from, to));
        }
        ASSERT_TRUE(test::IndexesAgreeWithObjects(*sheet)) << "round " << round;
    }
}

class IndexSequences : public ::testing::TestWithParam<uint32_t> {};

TEST_P(IndexSequences, OnTheGridIndexesAgreeWithTheObjectsListAfterEveryStep) {
    CRandomEditing editing(GetParam(), false);
    for (int step = 0; step < kSteps; ++step) {
        const std::string done = editing.Step();
        ASSERT_TRUE(test::IndexesAgreeWithObjects(editing.Sheet()))
            << "seed " << GetParam() << ", step " << step << ": " << done;
        ASSERT_TRUE(GridTerminalsMeetExactlyAtOnePoint(editing.Sheet()))
            << "seed " << GetParam() << ", step " << step << ": " << done;
    }
}

TEST_P(IndexSequences, OffTheGridIndexesAgreeWithTheObjectsListAfterEveryStep) {
    CRandomEditing editing(GetParam() * 7919u + 1u, true);
    for (int step = 0; step < kSteps; ++step) {
        const std::string done = editing.Step();
        ASSERT_TRUE(test::IndexesAgreeWithObjects(editing.Sheet()))
            << "seed " << GetParam() * 7919u + 1u << ", step " << step << ": " << done;
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, IndexSequences, ::testing::Values(1u, 2u, 3u));

}  // namespace
}  // namespace kestro
