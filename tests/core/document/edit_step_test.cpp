#include <gtest/gtest.h>

#include "core/document/edit_step.h"
#include "core/document/internal_clipboard.h"
#include "core/objects/sim_link.h"
#include "core/objects/sim_part.h"
#include "core/objects/sub_cir_part.h"
#include "core/objects/wire.h"
#include "tests/core/support/circuit_support.h"

namespace kestro {
namespace {

using test::CSheetWorld;
using test::CTestView;
using test::kResistor;

// A history as far as these tests need one: it keeps every record.
struct CJournal : CEditJournal {
    void OnEditCommitted(CCircuit&, CEditRecord record) override {
        records.push_back(std::move(record));
    }
    std::vector<CEditRecord> records;
};

using Kind = CEditOperation::Kind;

class EditStep : public ::testing::Test {
protected:
    EditStep() {
        sheet->AddObserver(view);
        sheet->SetEditJournal(&journal);
    }
    // The journal goes before the sheet, which tells its journal when its contents go.
    ~EditStep() override { sheet->SetEditJournal(nullptr); }

    CPart* Wire(CPointF a, CPointF b) { return sheet->AddObject(CWire::Create(env, a, b)); }
    std::vector<Kind> Kinds(size_t record) const {
        std::vector<Kind> kinds;
        for (const CEditOperation& operation : journal.records.at(record).operations)
            kinds.push_back(operation.kind);
        return kinds;
    }

    CSheetWorld world;
    const CPartEnvironment& env = world.context.parts;
    std::shared_ptr<CCircuit> sheet = world.NewSheet();
    CTestView view;
    CJournal journal;
};

TEST_F(EditStep, OneCommitMarksModifiedAndReportsTheJoinedArea) {
    {
        CEditStep step(*sheet, "Wires");
        step.Add(CWire::Create(env, {100, 100}, {200, 100}));
        {
            CEditStep inner(*sheet, "inner");  // joins the open step
            EXPECT_FALSE(inner.IsOutermost());
            inner.Add(CWire::Create(env, {300, 300}, {300, 400}));
        }
        EXPECT_FALSE(sheet->IsModified()) << "nothing is committed while the step is open";
        EXPECT_TRUE(view.hints.empty());
    }
    EXPECT_TRUE(sheet->IsModified());
    ASSERT_EQ(journal.records.size(), 1u);
    EXPECT_EQ(journal.records[0].name, "Wires");
    EXPECT_FALSE(journal.records[0].wasModified);
    EXPECT_EQ(Kinds(0), (std::vector<Kind>{Kind::Added, Kind::Added}));
    ASSERT_EQ(view.hints, std::vector<int>{CCircuit::kHintArea});
    EXPECT_EQ(view.areas.back(), (CRectF{100, 100, 300, 400}));
    EXPECT_EQ(sheet->GetOpenEdit(), nullptr);
}

TEST_F(EditStep, AStepThatChangesNothingCommitsNothing) {
    { CEditStep step(*sheet, "Nothing"); }
    CSelection selection;
    sheet->MoveSelection(selection, 10, 0);
    EXPECT_FALSE(sheet->IsModified());
    EXPECT_TRUE(journal.records.empty());
    EXPECT_TRUE(view.hints.empty());
}

TEST_F(EditStep, RemovedObjectsAreKeptWholeWithTheirPlaceAndLinks) {
    CSimPart* r1 = sheet->PlaceElement(kResistor, {100, 100}, 0);
    CSimLink* link = r1->GetLink(0);
    CPart* after = Wire({120, 100}, {200, 100});
    const uint32_t number = r1->GetNumber();
    view.selection.Add(*r1);
    sheet->RefreshSelection(view.selection);
    sheet->DeleteSelection(view.selection);
    EXPECT_EQ(sheet->GetObjects().front().get(), after);
    ASSERT_EQ(journal.records.size(), 2u);
    const CEditRecord& record = journal.records[1];
    EXPECT_EQ(record.name, "Delete");
    ASSERT_EQ(record.operations.size(), 2u);
    const CEditOperation& element = record.operations[0];
    EXPECT_EQ(element.kind, Kind::Removed);
    EXPECT_EQ(element.removed.get(), r1) << "the very object, not a copy";
    EXPECT_EQ(element.previous, nullptr) << "it was first in the list";
    EXPECT_EQ(element.links, std::vector<CSimLink*>{link});
    EXPECT_EQ(element.removed->GetNumber(), number);
    EXPECT_EQ(element.removed->GetName(), "R1");
    const CEditOperation& removedLink = record.operations[1];
    EXPECT_EQ(removedLink.removed.get(), link);
    EXPECT_FALSE(sheet->Contains(*link));
    EXPECT_EQ(r1->GetNode(0), nullptr) << "off its nodes";
}

TEST_F(EditStep, ChangedObjectsCarryTheirRecordsBeforeAndAfter) {
    CPart* wire = Wire({100, 100}, {200, 100});
    view.selection.Add(*wire);
    sheet->MoveSelection(view.selection, 0, 50);
    ASSERT_EQ(journal.records.size(), 1u);
    const CEditOperation& change = journal.records[0].operations.at(0);
    EXPECT_EQ(change.kind, Kind::Changed);
    EXPECT_EQ(change.part, wire);
    EXPECT_FALSE(change.before.empty());
    EXPECT_FALSE(change.after.empty());
    EXPECT_NE(change.before, change.after);
    EXPECT_EQ(journal.records[0].area, (CRectF{100, 100, 200, 150}));
    // Without a journal nothing is written down.
    sheet->SetEditJournal(nullptr);
    CEditStep step(*sheet, "Quiet");
    step.Change(*wire);
}

TEST_F(EditStep, DeletingInsideAStepHandsTheObjectToTheStep) {
    CPart* wire = Wire({100, 100}, {200, 100});
    {
        CEditStep step(*sheet, "Delete");
        sheet->DeleteObject(*wire);
        EXPECT_FALSE(sheet->Contains(*wire));
        EXPECT_EQ(wire->GetBounds(), (CRectF{100, 100, 200, 100})) << "still alive";
    }
    ASSERT_EQ(journal.records.size(), 1u);
    EXPECT_EQ(journal.records[0].operations.at(0).removed.get(), wire);
}

TEST_F(EditStep, TheWireCleanUpRunsLastInsideTheStep) {
    Wire({100, 100}, {300, 100});
    {
        CEditStep step(*sheet, "Wire");
        step.Add(CWire::Create(env, {200, 100}, {200, 200}));
        step.CleanUpWires({100, 100, 300, 200});
        EXPECT_EQ(sheet->GetObjectCount(), 2u) << "not before the commit";
    }
    EXPECT_EQ(sheet->GetObjectCount(), 3u) << "the long wire was split at the new wire's end";
    EXPECT_EQ(Kinds(0), (std::vector<Kind>{Kind::Added, Kind::Removed, Kind::Added, Kind::Added}));
}

TEST_F(EditStep, ChangingTheSheetsFieldsRepaintsEverything) {
    {
        CEditStep step(*sheet, "Title");
        step.ChangeSheet();
        sheet->GetTitleInfo()[1] = "Buck";
    }
    ASSERT_EQ(journal.records.size(), 1u);
    ASSERT_TRUE(journal.records[0].sheetBefore && journal.records[0].sheetAfter);
    EXPECT_EQ(journal.records[0].sheetBefore->titleInfo[1], "");
    EXPECT_EQ(journal.records[0].sheetAfter->titleInfo[1], "Buck");
    EXPECT_EQ(view.hints.back(), CCircuit::kHintGeneral);
    EXPECT_TRUE(sheet->IsModified());
}

TEST_F(EditStep, EveryEditOperationIsOneCommit) {
    CSimPart* r1 = sheet->PlaceElement(kResistor, {100, 100}, 0);
    view.selection.Add(*r1);
    sheet->RefreshSelection(view.selection);
    view.selection.UpdateBounds();
    sheet->RotateSelection(view.selection, 3);
    sheet->FlipSelection(view.selection, 0);
    CInternalClipboard clipboard;
    sheet->Copy(view.selection, clipboard);
    sheet->Paste(clipboard, view.selection, {400, 400}, 1);
    sheet->DeleteSelection(view.selection);
    sheet->UndoDelete(view.selection);
    std::vector<std::string> names;
    for (const CEditRecord& record : journal.records)
        names.push_back(record.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Place", "Rotate", "Flip", "Paste", "Delete",
                                               "Undo Delete"}));
}

// A sheet never saved is shared by its instances; the copies in the clipboard and the
// deletion buffer refer to it, and must take its interface as it is when they come back.
TEST_F(EditStep, APastedOrRestoredInstanceFollowsItsResizedSheet) {
    auto inner = world.NewSheet();
    inner->SetSymbolBox({0, 0, 40, 40});
    auto other = world.NewSheet();
    CPart* placed = other->AddObject(CSubCirPart::Create(env, inner, {100, 100}, 0));
    CPart* instance = sheet->AddObject(CSubCirPart::Create(env, inner, {100, 100}, 0));
    CSelection selection;
    selection.Add(*instance);
    selection.UpdateBounds();
    CInternalClipboard clipboard;
    sheet->Copy(selection, clipboard);
    sheet->DeleteSelection(selection);
    // The sheet grows while the copies wait.
    inner->SetSymbolBox({0, 0, 80, 100});
    other->UpdateInstancesOf(*inner);
    const size_t ports = inner->GetPortCount();
    const CRectF box = inner->GetSymbolBox();
    sheet->UndoDelete(selection);
    ASSERT_EQ(selection.Count(), 1u);
    EXPECT_EQ(selection.First()->GetTerminalCount(), ports);
    sheet->Paste(clipboard, selection, {500, 500});
    ASSERT_EQ(selection.Count(), 1u);
    EXPECT_EQ(selection.First()->GetTerminalCount(), ports);
    EXPECT_EQ(selection.First()->GetBounds().Width(), 80.0f);
    EXPECT_EQ(inner->GetSymbolBox(), box) << "the live sheet keeps its interface";
    EXPECT_EQ(inner->GetPortCount(), ports);
    EXPECT_EQ(placed->GetTerminalCount(), ports) << "the instance on the other sheet too";
    EXPECT_EQ(placed->GetBounds().Width(), 80.0f);
}

}  // namespace
}  // namespace kestro
