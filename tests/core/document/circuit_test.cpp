#include <gtest/gtest.h>

#include "core/document/internal_clipboard.h"
#include "core/document/object_records.h"
#include "core/objects/sim_label.h"
#include "core/objects/sim_link.h"
#include "core/objects/sim_node.h"
#include "core/objects/sim_part.h"
#include "core/objects/sim_term.h"
#include "core/objects/sim_text.h"
#include "core/objects/sub_cir_part.h"
#include "core/objects/wire.h"
#include "core/platform/record_buffer.h"
#include "core/platform/recording_canvas.h"
#include "tests/core/support/circuit_support.h"

namespace kestro {
namespace {

using test::CSheetWorld;
using test::CTestView;
using test::kCapacitor;
using test::kResistor;

class Circuit : public ::testing::Test {
protected:
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& part : sheet->GetObjects())
            names.push_back(part->GetName());
        return names;
    }

    CSheetWorld world;
    const CPartEnvironment& env = world.context.parts;
    std::shared_ptr<CCircuit> sheet = world.NewSheet();
};

TEST_F(Circuit, ANewDocumentHasItsInitialFields) {
    EXPECT_EQ(sheet->GetVersionMajor(), 3);
    EXPECT_EQ(sheet->GetVersionMinor(), 30);
    EXPECT_EQ(sheet->GetDrawingArea(), (CRectF{0, 0, 2000, 2000}));
    EXPECT_EQ(sheet->GetSymbolBox(), (CRectF{-25, -35, 25, 35}));
    EXPECT_EQ(sheet->GetPortCount(), 20u);
    EXPECT_EQ(sheet->GetElementCounters().size(), world.library.GetElementCount());
    EXPECT_EQ(sheet->GetZoom(), 1.2f);
    auto& parameters = sheet->GetSimulationParameters();
    EXPECT_EQ(parameters[0].GetString(), ".TIME");
    EXPECT_EQ(parameters[1].GetFloat(), 1e-5);
    EXPECT_EQ(parameters[4].GetInteger(), 1);
    EXPECT_FALSE(sheet->CanUndoDelete());
}

TEST_F(Circuit, ElementsAreNamedWithCountersThatNeverGoBack) {
    CSimPart* r1 = sheet->PlaceElement(kResistor, {100, 100}, 0);
    CSimPart* r2 = sheet->PlaceElement(kResistor, {200, 100}, 0);
    EXPECT_EQ(r1->GetName(), "R1");
    EXPECT_EQ(r2->GetName(), "R2");
    sheet->DeleteObject(*r1);
    EXPECT_EQ(sheet->PlaceElement(kResistor, {300, 100}, 0)->GetName(), "R3");
    EXPECT_EQ(sheet->PlaceElement(kCapacitor, {300, 300}, 0)->GetName(), "C1");
    // A name taken by hand is skipped.
    r2->SetInstanceName("r4");
    EXPECT_EQ(sheet->PlaceElement(kResistor, {400, 100}, 0)->GetName(), "R5");
    EXPECT_EQ(sheet->FindElementByName("R4"), r2);
    EXPECT_EQ(sheet->FindElementByName("R2"), nullptr);
    EXPECT_EQ(sheet->FindElementByName("r4", kCapacitor), nullptr);
}

TEST_F(Circuit, TextLinksGoRightAfterTheirElement) {
    CSimPart* r1 = sheet->PlaceElement(kResistor, {100, 100}, 0);
    sheet->AddObject(CWire::Create(env, {0, 0}, {0, 50}));
    sheet->AddObject(CSimLink::Create(env, *r1, 0));
    std::vector<uint16_t> tags;
    for (const auto& part : sheet->GetObjects())
        tags.push_back(part->GetTag());
    EXPECT_EQ(tags, (std::vector<uint16_t>{1, 7, 7, 2}));
    EXPECT_EQ(Names(), (std::vector<std::string>{"R1", "R1", "1000Ohm", ""}));
    EXPECT_EQ(r1->GetLinkCount(), 2u);
    EXPECT_EQ(sheet->NextObject(r1)->GetTag(), 7);
    EXPECT_EQ(sheet->NextObject(sheet->GetObjects().back().get())->GetTag(), 1) << "wraps";
    EXPECT_EQ(sheet->NextObject(r1, false)->GetTag(), 2);
}

TEST_F(Circuit, ADuplicatePortIsRefusedWithItsMessage) {
    EXPECT_TRUE(sheet->AddObject(CSimTerm::Create(env, 2, {100, 100}, 0)));
    EXPECT_EQ(sheet->AddObject(CSimTerm::Create(env, 2, {200, 100}, 0)), nullptr);
    EXPECT_EQ(world.prompts.LastMessage(), "Duplicate ports are not allowed.");
    EXPECT_EQ(sheet->GetObjectCount(), 1u);
    EXPECT_EQ(sheet->FindFreePortNumber(), 0);
    // Without reports (reading a file) nothing is shown, but the port is still refused.
    world.prompts.shown.clear();
    EXPECT_EQ(sheet->AddObject(CSimTerm::Create(env, 2, {300, 100}, 0), false), nullptr);
    EXPECT_TRUE(world.prompts.shown.empty());
    // The slot frees when the port leaves.
    sheet->DeleteObject(*sheet->GetPortObject(2));
    EXPECT_TRUE(sheet->AddObject(CSimTerm::Create(env, 2, {300, 100}, 0)));
}

TEST_F(Circuit, ASubcircuitThatWouldContainItselfIsRefused) {
    auto inner = world.NewSheet("/inner.sch");
    ASSERT_TRUE(sheet->AddObject(CSubCirPart::Create(env, inner, {100, 100}, 0)));
    EXPECT_EQ(inner->AddObject(CSubCirPart::Create(env, sheet, {100, 100}, 0)), nullptr);
    EXPECT_EQ(world.prompts.LastMessage(), "Circular refference is not allowed.");
    EXPECT_EQ(inner->AddObject(CSubCirPart::Create(env, inner, {100, 100}, 0)), nullptr);
    auto deeper = world.NewSheet("/deeper.sch");
    ASSERT_TRUE(inner->AddObject(CSubCirPart::Create(env, deeper, {100, 100}, 0)));
    EXPECT_EQ(deeper->AddObject(CSubCirPart::Create(env, sheet, {100, 100}, 0)), nullptr);
    EXPECT_TRUE(deeper->IsAncestor(*sheet));
    std::vector<CCircuit*> top;
    deeper->GetTopLevelDocuments(top);
    EXPECT_EQ(top, std::vector<CCircuit*>{sheet.get()});
}

TEST_F(Circuit, TheParentLinkLastsWhileAnyInstanceUsesTheSheet) {
    auto sub = world.NewSheet("/sub.sch");
    CPart* first = sheet->AddObject(CSubCirPart::Create(env, sub, {100, 100}, 0));
    CPart* second = sheet->AddObject(CSubCirPart::Create(env, sub, {300, 100}, 0));
    EXPECT_EQ(sub->GetParents(), std::vector<CCircuit*>{sheet.get()});
    EXPECT_EQ(sheet->GetInstanceName(*second->AsSubCircuit()), "S2");
    sheet->DeleteObject(*first);
    EXPECT_EQ(sub->GetParents(), std::vector<CCircuit*>{sheet.get()});
    EXPECT_EQ(sheet->GetInstanceName(*second->AsSubCircuit()), "S1");
    sheet->DeleteObject(*second);
    EXPECT_TRUE(sub->GetParents().empty());
}

TEST_F(Circuit, ForEachObjectDescendsIntoSubcircuitsWhenAsked) {
    auto sub = world.NewSheet("/sub.sch");
    sub->PlaceElement(kCapacitor, {100, 100}, 0);
    sheet->AddObject(CSubCirPart::Create(env, sub, {100, 100}, 0));
    sheet->PlaceElement(kResistor, {300, 300}, 0);
    std::vector<uint16_t> seen;
    auto record = [&seen](CPart& part) {
        seen.push_back(part.GetTag());
        return false;
    };
    sheet->ForEachObject(record);
    EXPECT_EQ(seen, (std::vector<uint16_t>{3, 1, 7}));
    seen.clear();
    sheet->ForEachObject(record, [](CSubCirPart&) { return true; });
    EXPECT_EQ(seen, (std::vector<uint16_t>{1, 3, 1, 7}));
    EXPECT_EQ(sheet->ForEachObject([](CPart& part) { return part.GetName() == "C1"; },
                                   [](CSubCirPart&) { return true; }),
              sub->FindElementByName("C1"));
}

TEST_F(Circuit, ATextLinkWhoseOwnerWasDeletedIsDroppedOnReading) {
    CSimPart* r1 = sheet->PlaceElement(kResistor, {100, 100}, 0);
    CSimPart* r2 = sheet->PlaceElement(kResistor, {300, 100}, 0);
    sheet->DeleteObject(*r1);  // its link stays on the sheet without an owner
    ASSERT_EQ(sheet->GetObjectCount(), 3u);
    // Write the objects as the file does, one record each, and read them into a new sheet.
    CRecordBuffer file;
    CSerialContext context;
    context.document = sheet.get();
    for (const auto& part : sheet->GetObjects())
        WriteObjectRecord(file, *part, context);
    file.StartReading();
    auto copy = world.NewSheet();
    CObjectLoader loader(*copy, nullptr);
    while (file.Remaining() > 0)
        ASSERT_TRUE(loader.LoadOne(file));
    ASSERT_EQ(copy->GetObjectCount(), 2u);
    CSimPart* back = copy->GetObjects().front()->AsSimPart();
    ASSERT_TRUE(back);
    EXPECT_EQ(back->GetName(), r2->GetName());
    ASSERT_EQ(back->GetLinkCount(), 1u);
    EXPECT_EQ(back->GetLink(0), copy->GetObjects().back().get());
}

TEST_F(Circuit, PastingTwiceGivesTwoIndependentSets) {
    CTestView view;
    sheet->AddObserver(view);
    sheet->PlaceElement(kResistor, {100, 100}, 0);
    sheet->AddObject(CWire::Create(env, {120, 100}, {200, 100}));
    sheet->SelectAll(view.selection);
    CInternalClipboard clipboard;
    sheet->Copy(view.selection, clipboard);
    ASSERT_TRUE(clipboard.HasData());
    EXPECT_EQ(clipboard.GetGhosts().size(), 3u);

    sheet->Paste(clipboard, view.selection, {500, 500});
    const std::vector<CPart*> first = view.selection.Items();
    sheet->Paste(clipboard, view.selection, {500, 800});
    const std::vector<CPart*> second = view.selection.Items();
    ASSERT_EQ(first.size(), 3u);
    ASSERT_EQ(second.size(), 3u);
    EXPECT_EQ(sheet->GetObjectCount(), 9u);
    for (CPart* part : second)
        EXPECT_EQ(std::count(first.begin(), first.end(), part), 0);
    // Elements are renamed, links follow their own new element, wires join their pins.
    EXPECT_EQ(first[0]->GetName(), "R2");
    EXPECT_EQ(second[0]->GetName(), "R3");
    EXPECT_EQ(first[2]->AsLink()->GetOwnerElement(), first[0]);
    EXPECT_EQ(second[2]->AsLink()->GetOwnerElement(), second[0]);
    EXPECT_EQ(first[0]->GetNode(1), first[1]->GetNode(0));
    EXPECT_EQ(first[0]->GetBounds().Offset(0, 300), second[0]->GetBounds());
    EXPECT_TRUE(clipboard.HasData()) << "pasting leaves the clipboard as it was";
    EXPECT_TRUE(sheet->IsModified());
}

TEST_F(Circuit, PasteTurnsTheObjectsByThePlacementRotation) {
    CSelection selection;
    sheet->AddObject(CWire::Create(env, {100, 100}, {140, 100}));
    sheet->SelectAll(selection);
    CInternalClipboard clipboard;
    sheet->Copy(selection, clipboard);
    sheet->Paste(clipboard, selection, {300, 300}, 1);
    ASSERT_EQ(selection.Count(), 1u);
    EXPECT_TRUE(selection.First()->IsVertical());
}

TEST_F(Circuit, UndoDeleteRestoresOnlyTheLastDeletion) {
    CTestView view;
    sheet->AddObserver(view);
    CSimPart* r1 = sheet->PlaceElement(kResistor, {100, 100}, 0);
    sheet->AddObject(CWire::Create(env, {500, 500}, {600, 500}));
    view.selection.Add(*r1);
    sheet->RefreshSelection(view.selection);  // takes its link along
    EXPECT_EQ(view.selection.Count(), 2u);
    EXPECT_EQ(view.selection.CountedCount(), 1u);
    view.selection.UpdateBounds();
    sheet->DeleteSelection(view.selection);
    sheet->SelectAll(view.selection);
    sheet->DeleteSelection(view.selection);
    EXPECT_EQ(sheet->GetObjectCount(), 0u);
    ASSERT_TRUE(sheet->CanUndoDelete());
    sheet->UndoDelete(view.selection);
    EXPECT_FALSE(sheet->CanUndoDelete());
    ASSERT_EQ(sheet->GetObjectCount(), 1u);
    EXPECT_TRUE(sheet->GetObjects().front()->IsWire());
    EXPECT_EQ(view.selection.Count(), 1u);
    EXPECT_EQ(view.selection.First()->GetBounds(), (CRectF{500, 500, 600, 500}));
    ASSERT_NE(view.selection.First()->GetNode(0), nullptr) << "restored objects are connected";
}

TEST_F(Circuit, UndoDeleteBringsAnElementBackWithItsLinksAndName) {
    CSelection selection;
    sheet->PlaceElement(kResistor, {100, 100}, 0);
    sheet->SelectAll(selection);
    sheet->DeleteSelection(selection);
    sheet->UndoDelete(selection);
    ASSERT_EQ(sheet->GetObjectCount(), 2u);
    CSimPart* back = sheet->GetObjects().front()->AsSimPart();
    EXPECT_EQ(back->GetName(), "R1");
    EXPECT_EQ(back->GetLinkCount(), 1u);
}

TEST_F(Circuit, ViewsDropRemovedObjectsAndGetHints) {
    CTestView one, two;
    sheet->AddObserver(one);
    sheet->AddObserver(two);
    CPart* wire = sheet->AddObject(CWire::Create(env, {100, 100}, {200, 100}));
    sheet->AddObject(CWire::Create(env, {100, 300}, {200, 300}));
    sheet->SelectAll(one.selection);
    sheet->SelectAll(two.selection);
    one.selection.Clear();
    one.selection.Add(*wire);
    sheet->DeleteSelection(one.selection);
    EXPECT_EQ(two.selection.Count(), 1u) << "the other view forgot the deleted wire";
    ASSERT_FALSE(two.hints.empty());
    EXPECT_EQ(two.hints.back(), CCircuit::kHintArea);
    EXPECT_EQ(two.areas.back(), (CRectF{100, 100, 200, 100}));
    sheet->EnlargeDrawingArea({-100, 0, 10, 10});
    EXPECT_EQ(two.hints.back(), CCircuit::kHintPage);
    EXPECT_EQ(sheet->GetDrawingArea().left, -100.0f);
}

TEST_F(Circuit, SelectionBoundsAreAtLeastNineUnitsAboutTheCentre) {
    CSelection selection;
    CPart* wire = sheet->AddObject(CWire::Create(env, {100, 100}, {200, 100}));
    selection.Add(*wire);
    selection.UpdateBounds();
    EXPECT_EQ(selection.GetBounds(), (CRectF{100, 95.5f, 200, 104.5f}));
    selection.Clear();
    EXPECT_EQ(selection.UpdateBounds(), CRectF{});
    EXPECT_EQ(selection.GetBounds(), CRectF{});
}

TEST_F(Circuit, AClickPicksTheTopmostObjectAndADragEveryObjectItMeets) {
    CSelection selection;
    CPart* low = sheet->AddObject(CWire::Create(env, {100, 100}, {200, 100}));
    CPart* high = sheet->AddObject(CWire::Create(env, {150, 50}, {150, 150}));
    sheet->AddObject(CWire::Create(env, {500, 500}, {600, 500}));
    sheet->SelectByRect(selection, {149, 99, 151, 101});
    EXPECT_EQ(selection.Items(), std::vector<CPart*>{high});
    selection.Clear();
    sheet->SelectByRect(selection, {90, 90, 300, 95});  // 5 units high: an area
    EXPECT_EQ(selection.Items(), std::vector<CPart*>{high});
    selection.Clear();
    sheet->SelectByRect(selection, {300, 300, 0, 0});
    EXPECT_EQ(selection.Items(), (std::vector<CPart*>{low, high}));
    selection.Clear();
    sheet->SelectAt(selection, {120, 101});
    EXPECT_EQ(selection.Items(), std::vector<CPart*>{low});
    selection.Clear();
    sheet->SelectAt(selection, {120, 110});
    EXPECT_TRUE(selection.IsEmpty());
    EXPECT_EQ(sheet->DescribeObjectAt({120, 101}), "Wire");
    sheet->SelectNext(selection);
    EXPECT_EQ(selection.First(), low);
    sheet->SelectNext(selection, false);
    EXPECT_EQ(selection.First(), sheet->GetObjects().back().get());
}

TEST_F(Circuit, MovingTheSelectionReconnectsAndSnapsToWholeSteps) {
    CSelection selection;
    CSimPart* r1 = sheet->PlaceElement(kResistor, {100, 100}, 0);
    CSimPart* r2 = sheet->PlaceElement(kCapacitor, {140, 100}, 0);
    ASSERT_EQ(r1->GetNode(1), r2->GetNode(0));
    selection.Add(*r1);
    sheet->MoveSelection(selection, 14, 26);
    EXPECT_EQ(r1->GetPosition(), (CPointF{110, 130}));
    EXPECT_NE(r1->GetNode(1), r2->GetNode(0));
    EXPECT_EQ(sheet->ObjectAt({125, 138}), r1) << "the index follows the move";
    EXPECT_EQ(sheet->ObjectAt({100, 95}), nullptr);
    sheet->MoveSelection(selection, -10, -30);
    EXPECT_EQ(r1->GetNode(1), r2->GetNode(0));
}

TEST_F(Circuit, RotatingAndFlippingReconnect) {
    CSelection selection;
    CPart* wire = sheet->AddObject(CWire::Create(env, {100, 100}, {140, 100}));
    CPart* upright = sheet->AddObject(CWire::Create(env, {120, 80}, {120, 60}));
    selection.Add(*wire);
    selection.UpdateBounds();
    sheet->RotateSelection(selection, 1);
    EXPECT_TRUE(wire->IsVertical());
    EXPECT_EQ(wire->GetNode(1), upright->GetNode(0)) << "the turned end meets the other wire";
    CSimPart* r1 = sheet->PlaceElement(kResistor, {400, 400}, 0);
    const CPointF left = r1->GetTerminalPosition(0);
    sheet->FlipObject(*r1, 0);
    EXPECT_EQ(r1->GetTerminalPosition(1), left);
    EXPECT_EQ(r1->GetNode(1)->GetPosition(), left);
}

TEST_F(Circuit, DrawAllDrawsOnlyWhatMeetsTheClipThenTheMarkers) {
    sheet->AddObject(CWire::Create(env, {100, 100}, {200, 100}));
    sheet->AddObject(CWire::Create(env, {1000, 1000}, {1100, 1000}));
    CRecordingCanvas canvas;
    sheet->DrawAll(canvas);
    EXPECT_EQ(canvas.Calls().size(), 2u + 4u);  // two lines, four open ends
    canvas.ClearCalls();
    canvas.SetClip(CRectF{0, 0, 500, 500});
    sheet->DrawAll(canvas);
    ASSERT_EQ(canvas.Calls().size(), 3u);
    EXPECT_EQ(canvas.Calls()[0].kind, CCanvasCall::Kind::Line);
    EXPECT_EQ(canvas.Calls()[0].pen.color, PaletteColor(world.settings.colorRoles[kRoleWire]));
    // While moving, the selection is drawn displaced.
    CSelection selection;
    sheet->SelectAt(selection, {150, 100});
    canvas.ClearCalls();
    canvas.SetClip(std::nullopt);
    sheet->DrawAll(canvas, {&selection, {0, 50}});
    std::vector<int> lineRows;
    for (const auto& call : canvas.Calls())
        if (call.kind == CCanvasCall::Kind::Line) lineRows.push_back(call.points[0].y);
    EXPECT_EQ(lineRows, (std::vector<int>{1000, 150}));
}

TEST_F(Circuit, ASubcircuitReadFromAMissingFileGetsANewSheetWithTheStoredInterface) {
    auto sub = world.NewSheet("/old/sub.sch");
    sub->SetSymbolBox({0, 0, 40, 20});
    CPart* instance = sheet->AddObject(CSubCirPart::Create(env, sub, {100, 100}, 0));
    CRecordBuffer file;
    CSerialContext context;
    context.document = sheet.get();
    WriteObjectRecord(file, *instance, context);
    file.StartReading();
    world.documents.Remove(sub.get());
    sub->SetPathName("");  // no longer open under that path, and not on disk
    auto reader = world.NewSheet("/top.sch");
    CObjectLoader loader(*reader, nullptr);
    CPart* back = nullptr;
    ASSERT_TRUE(loader.LoadOne(file, &back));
    ASSERT_TRUE(back);
    CCircuit* stand = back->AsSubCircuit()->GetSheet();
    ASSERT_TRUE(stand);
    EXPECT_NE(stand, sub.get());
    EXPECT_EQ(stand->GetPortCount(), 8u);
    EXPECT_EQ(stand->GetSymbolBox(), (CRectF{-20, -10, 20, 10}));
    EXPECT_EQ(back->GetTerminalCount(), 8u);
    EXPECT_EQ(stand->GetParents(), std::vector<CCircuit*>{reader.get()});
}

TEST_F(Circuit, ANeverSavedSubcircuitComesBackFromTheBuffersWithItsContents) {
    auto unsaved = world.NewSheet();
    unsaved->PlaceElement(kCapacitor, {100, 100}, 0);
    CSelection selection;
    sheet->AddObject(CSubCirPart::Create(env, unsaved, {100, 100}, 0));
    sheet->SelectAll(selection);
    CInternalClipboard clipboard;
    sheet->Copy(selection, clipboard);
    sheet->DeleteSelection(selection);
    EXPECT_TRUE(unsaved->GetParents().empty());
    sheet->UndoDelete(selection);
    ASSERT_EQ(selection.Count(), 1u);
    EXPECT_EQ(selection.First()->AsSubCircuit()->GetSheet(), unsaved.get());
    EXPECT_EQ(unsaved->GetParents(), std::vector<CCircuit*>{sheet.get()});
    sheet->Paste(clipboard, selection, {500, 500});
    ASSERT_EQ(selection.Count(), 1u);
    EXPECT_EQ(selection.First()->AsSubCircuit()->GetSheet(), unsaved.get());
    EXPECT_EQ(unsaved->GetObjectCount(), 1u);
}

TEST_F(Circuit, AnUnknownTagStopsTheLoader) {
    CRecordBuffer file;
    file.Put<uint16_t>(9);
    file.StartReading();
    CObjectLoader loader(*sheet, nullptr);
    EXPECT_FALSE(loader.LoadOne(file));
    EXPECT_EQ(sheet->GetObjectCount(), 0u);
}

}  // namespace
}  // namespace kestro
