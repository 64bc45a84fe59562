#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/document/internal_clipboard.h"
#include "core/document/undo_history.h"
#include "core/objects/sim_link.h"
#include "core/objects/sim_part.h"
#include "core/objects/sim_term.h"
#include "core/objects/sub_cir_part.h"
#include "core/objects/wire.h"
#include "tests/core/support/schematic_support.h"

namespace kestro {
namespace {

using test::CSheetWorld;
using test::CTestView;
using test::SchematicBytes;

class UndoHistory : public ::testing::Test {
protected:
    UndoHistory() {
        sheet->AddObserver(view);
        test::FillEveryKind(*sheet);
        sheet->SetModified(false);
        history.Attach(*sheet);
    }
    ~UndoHistory() override { history.Detach(); }

    CSelection& Select(std::initializer_list<CPart*> parts) {
        view.selection.Clear();
        for (CPart* part : parts)
            view.selection.Add(*part);
        sheet->RefreshSelection(view.selection);
        view.selection.UpdateBounds();
        return view.selection;
    }
    CPart* Nth(size_t index) const {
        auto it = sheet->GetObjects().begin();
        std::advance(it, long(index % sheet->GetObjectCount()));
        return it->get();
    }
    void SetValue(CSimPart& element, double value) {
        CEditStep step(*sheet, "Attributes");
        step.Change(element);
        for (CSimLink* link : element.GetLinks())
            step.Change(*link);
        element.GetData().GetValue(1) = CGenType::MakeFloat(value);
        element.RefreshLinks();
    }
    // One gesture of the editor, chosen by `kind`, on objects chosen by `random`.
    void Gesture(int kind, std::mt19937& random) {
        const auto pick = [&] { return Nth(random()); };
        const auto coordinate = [&] { return float(10 * (random() % 60)); };
        if (sheet->GetObjectCount() == 0) kind = 0;
        switch (kind) {
            case 0:
                sheet->PlaceElement(test::kResistor, {coordinate(), coordinate()},
                                    int(random() % 4));
                break;
            case 1: {
                CEditStep step(*sheet, "Wire");
                const CPointF a{coordinate(), coordinate()};
                step.Add(CWire::Create(env, a, {a.x + 40, a.y}));
                step.CleanUpWires({a.x, a.y, a.x + 40, a.y});
                break;
            }
            case 2:
                sheet->MoveSelection(Select({pick(), pick()}), 20, -10);
                break;
            case 3:
                sheet->RotateSelection(Select({pick()}), int(random() % 3) + 1);
                break;
            case 4:
                sheet->FlipSelection(Select({pick(), pick()}), int(random() % 2));
                break;
            case 5:
                sheet->DeleteSelection(Select({pick(), pick()}));
                break;
            case 6:
                sheet->UndoDelete(view.selection);
                break;
            case 7: {
                CInternalClipboard clipboard;
                sheet->Copy(Select({pick(), pick()}), clipboard);
                sheet->Paste(clipboard, view.selection, {coordinate(), coordinate()}, 1);
                break;
            }
            case 8:
                if (CSimPart* element = pick()->AsSimPart();
                    element && element->GetData().GetCount() > 1)
                    SetValue(*element, double(random() % 1000));
                break;
            case 9: {
                CPart* part = pick();
                CEditStep step(*sheet, "Hide");
                step.Change(*part);
                part->SetState(part->GetState() ^ CPart::kStateHidden);
                break;
            }
            case 10: {
                CEditStep step(*sheet, "Title Block");
                step.ChangeSheet();
                sheet->GetTitleInfo()[1] = "rev " + std::to_string(random() % 100);
                break;
            }
        }
    }

    CSheetWorld world;
    const CPartEnvironment& env = world.context.parts;
    std::shared_ptr<CCircuit> sheet = world.NewSheet("/p/a.sch");
    CTestView view;
    CUndoHistory history;
};

TEST_F(UndoHistory, RandomGesturesUndoneGiveTheOriginalBytesAndRedoneTheFinalOnes) {
    for (unsigned seed : {1u, 7u, 19u, 2024u, 31337u}) {
        SCOPED_TRACE(seed);
        history.Clear();
        const std::vector<uint8_t> original = SchematicBytes(*sheet);
        std::mt19937 random(seed);
        for (int i = 0; i < 150; ++i)
            Gesture(int(random() % 11), random);
        const std::vector<uint8_t> final = SchematicBytes(*sheet);
        const size_t steps = history.UndoCount();
        ASSERT_GT(steps, 80u);
        // Halfway back and forth first: redo must follow any undo, not only a full one.
        for (size_t i = 0; i < steps / 2; ++i)
            ASSERT_TRUE(history.Undo());
        for (size_t i = 0; i < steps / 2; ++i)
            ASSERT_TRUE(history.Redo());
        EXPECT_EQ(SchematicBytes(*sheet), final);
        while (history.Undo()) {
        }
        EXPECT_EQ(SchematicBytes(*sheet), original);
        while (history.Redo()) {
        }
        EXPECT_EQ(SchematicBytes(*sheet), final);
    }
}

TEST_F(UndoHistory, NamesFollowTheStepsAndANewEditDropsTheRedoSteps) {
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(history.UndoName(), "");
    CPart* wire = sheet->AddObject(CWire::Create(env, {500, 500}, {600, 500}));
    sheet->MoveSelection(Select({wire}), 10, 0);
    sheet->DeleteSelection(Select({wire}));
    EXPECT_EQ(history.UndoName(), "Delete");
    EXPECT_TRUE(history.Undo());
    EXPECT_EQ(history.UndoName(), "Move");
    EXPECT_EQ(history.RedoName(), "Delete");
    EXPECT_TRUE(sheet->Contains(*wire)) << "the very object is back";
    EXPECT_EQ(wire->GetBounds(), (CRectF{510, 500, 610, 500}));
    EXPECT_TRUE(history.Undo());
    EXPECT_EQ(wire->GetBounds(), (CRectF{500, 500, 600, 500}));
    sheet->FlipSelection(Select({Nth(0)}), 0);
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.UndoName(), "Flip");
    EXPECT_EQ(history.UndoCount(), 1u);
}

TEST_F(UndoHistory, EachUndoAndRedoNamesTheObjectsItBroughtBackOrChanged) {
    EXPECT_EQ(CUndoHistory::Of(*sheet), &history);
    CSimPart* element = sheet->PlaceElement(test::kResistor, {700, 700}, 0);
    ASSERT_TRUE(element);
    ASSERT_GT(element->GetLinkCount(), 0u);
    CPart* wire = sheet->AddObject(CWire::Create(env, {500, 500}, {600, 500}));
    // Deleted with its text links: undone, all of it comes back, the element first.
    sheet->DeleteSelection(Select({element, wire}));
    ASSERT_TRUE(history.Undo());
    const std::vector<CPart*>& back = history.LastStepObjects();
    ASSERT_EQ(back.size(), 2 + element->GetLinkCount());
    EXPECT_FALSE(back.front()->IsLink());
    EXPECT_TRUE(std::find(back.begin(), back.end(), wire) != back.end());
    // Redone, nothing of it is on the sheet; a move names what moved either way.
    ASSERT_TRUE(history.Redo());
    EXPECT_TRUE(history.LastStepObjects().empty());
    ASSERT_TRUE(history.Undo());
    sheet->MoveSelection(Select({wire}), 10, 0);
    EXPECT_TRUE(history.LastStepObjects().empty()) << "a new edit forgets the last undo";
    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(history.LastStepObjects(), std::vector<CPart*>{wire});
    ASSERT_TRUE(history.Redo());
    EXPECT_EQ(history.LastStepObjects(), std::vector<CPart*>{wire});
    history.Detach();
    EXPECT_EQ(CUndoHistory::Of(*sheet), nullptr);
}

TEST_F(UndoHistory, BackAtTheSavedStateTheSheetIsNotModified) {
    sheet->MoveSelection(Select({Nth(2)}), 10, 0);
    EXPECT_TRUE(sheet->IsModified());
    history.Undo();
    EXPECT_FALSE(sheet->IsModified());
    history.Redo();
    EXPECT_TRUE(sheet->IsModified());
    // Saved after the move: the history stays, and the saved state moves there.
    sheet->SetModified(false);
    history.MarkSaved();
    EXPECT_TRUE(history.CanUndo());
    history.Undo();
    EXPECT_TRUE(sheet->IsModified());
    history.Redo();
    EXPECT_FALSE(sheet->IsModified());
    // Undone past the save, then a new edit: the saved state can never come back.
    history.Undo();
    sheet->MoveSelection(Select({Nth(2)}), 0, 10);
    history.Undo();
    EXPECT_TRUE(sheet->IsModified());
}

TEST_F(UndoHistory, ClearingOrEmptyingTheSheetForgetsEveryStep) {
    sheet->MoveSelection(Select({Nth(2)}), 10, 0);
    history.Clear();
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(history.MemoryUse(), 0u);
    EXPECT_FALSE(history.Undo());
    // A reload empties the sheet first: no record may outlive the objects it names.
    sheet->DeleteSelection(Select({Nth(0)}));
    sheet->DeleteContents();
    EXPECT_FALSE(history.CanUndo());
}

TEST_F(UndoHistory, TheOldestStepsGoWhenTheBudgetIsSpentButNeverTheNewestThousand) {
    CUndoHistory small(1);  // every step is over budget
    history.Detach();
    small.Attach(*sheet);
    CPart* wire = sheet->AddObject(CWire::Create(env, {500, 500}, {600, 500}));
    for (int i = 0; i < 1100; ++i)
        sheet->MoveSelection(Select({wire}), 10, 0);
    EXPECT_EQ(small.UndoCount(), CUndoHistory::kMinimumSteps);
    while (small.Undo()) {
    }
    EXPECT_EQ(wire->GetBounds().left, 1500.0f);
    EXPECT_TRUE(sheet->IsModified()) << "the saved state was dropped with the oldest steps";
    small.Detach();
}

TEST_F(UndoHistory, PortsLabelsAndLinksReturnToTheirTables) {
    CSimTerm* port = nullptr;
    for (const auto& part : sheet->GetObjects())
        if (part->AsPort()) port = part->AsPort();
    ASSERT_NE(port, nullptr);
    CSimPart* r1 = sheet->FindElementByName("R1");
    ASSERT_NE(r1, nullptr);
    CSimLink* link = r1->GetLink(0);
    sheet->DeleteSelection(Select({port, r1}));
    EXPECT_EQ(sheet->GetPortObject(3), nullptr);
    history.Undo();
    EXPECT_EQ(sheet->GetPortObject(3), port);
    EXPECT_EQ(sheet->FindElementByName("R1"), r1);
    EXPECT_EQ(r1->GetLinks(), std::vector<CSimLink*>{link});
    EXPECT_EQ(link->GetOwnerElement(), r1);
    EXPECT_NE(r1->GetNode(0), nullptr) << "connected again";
    history.Redo();
    EXPECT_EQ(sheet->FindElementByName("R1"), nullptr);
    // An attribute edit and its link's text come back together.
    history.Undo();
    SetValue(*r1, 47);
    const std::string edited = link->GetName();
    history.Undo();
    EXPECT_EQ(r1->GetData().GetValue(1).GetFloat(), 1000.0);
    history.Redo();
    EXPECT_EQ(r1->GetData().GetValue(1).GetFloat(), 47.0);
    EXPECT_EQ(link->GetName(), edited);
}

TEST_F(UndoHistory, ASubcircuitInstanceFollowsItsSheetsInterfaceBackAndForth) {
    auto inner = world.NewSheet();
    inner->SetSymbolBox({0, 0, 40, 40});
    CPart* instance = sheet->AddObject(CSubCirPart::Create(env, inner, {300, 100}, 0));
    CUndoHistory innerHistory;
    innerHistory.Attach(*inner);
    const size_t ports = instance->GetTerminalCount();
    {
        CEditStep step(*inner, "Size");
        step.ChangeSheet();
        inner->SetSymbolBox({0, 0, 80, 100});
    }
    sheet->UpdateInstancesOf(*inner);
    ASSERT_NE(instance->GetTerminalCount(), ports);
    innerHistory.Undo();
    EXPECT_EQ(inner->GetPortCount(), ports);
    EXPECT_EQ(instance->GetTerminalCount(), ports);
    sheet->MoveSelection(Select({instance}), 20, 0);
    history.Undo();
    EXPECT_TRUE(sheet->Contains(*instance));
    EXPECT_EQ(sheet->GetInstances(), std::vector<CSubCirPart*>{instance->AsSubCircuit()});
    EXPECT_EQ(instance->GetPosition().x, 300.0f);
    innerHistory.Detach();
}

}  // namespace
}  // namespace kestro
