// The internal clipboard and the deletion buffer keep objects as records of the current
// version, so nothing a later version added is lost through cut and paste or delete and
// undo.
#include <gtest/gtest.h>

#include <sstream>

#include "core/document/internal_clipboard.h"
#include "core/objects/sim_control.h"
#include "core/objects/sim_label.h"
#include "core/objects/sim_link.h"
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
using test::kCapacitor;
using test::kResistor;

void DescribeText(std::ostream& out, const CSHTextAdvance& t) {
    const CRectF& e = t.GetExtent();
    out << " text \"" << t.GetText() << "\" " << t.GetFaceName() << " " << t.GetHeight() << " "
        << t.GetStyle() << " colour " << t.GetColorIndex() << " extent " << e.left << "," << e.top
        << "," << e.right << "," << e.bottom << " width " << t.GetLastWidth() << " anchor "
        << t.GetAnchor().x << "," << t.GetAnchor().y << " turn " << t.GetRotation()
        << " placement colour " << t.GetUsePlacementColor();
}

// Everything an object keeps through a buffer but its number, in exact float digits.
std::string Describe(const CPart& part) {
    std::ostringstream out;
    out << std::hexfloat;
    const CRectF& b = part.GetBounds();
    const CPlacement& p = part.GetPlacement();
    out << "tag " << part.GetTag() << " bounds " << b.left << "," << b.top << "," << b.right << ","
        << b.bottom << " placement " << p.color << " " << p.x << "," << p.y << " " << p.rotation
        << " " << p.sx << "," << p.sy << " state " << part.GetState() << " flags "
        << part.GetKindFlags() << " terminals " << part.GetTerminalCount() << " name \""
        << part.GetName() << "\"";
    if (const CSimPart* element = part.AsSimPart()) {
        out << " element " << element->GetElementId() << " links " << element->GetLinkCount();
        for (const CGenType& value : element->GetData().GetValues())
            out << " [" << value.GetType() << " " << value.GetExponentWord() << " "
                << value.GetFloat() << " " << value.GetInteger() << " " << value.GetString() << "]";
    }
    if (const CWire* wire = const_cast<CPart&>(part).AsWire())
        out << " ends " << wire->GetEnd(0).x << "," << wire->GetEnd(0).y << " " << wire->GetEnd(1).x
            << "," << wire->GetEnd(1).y;
    if (const CSubCirPart* instance = part.AsSubCircuit())
        out << " sheet " << instance->GetSheet() << " " << instance->GetPath();
    if (const CSimTerm* port = const_cast<CPart&>(part).AsPort())
        out << " port " << port->GetPortNumber();
    if (const CSimText* text = const_cast<CPart&>(part).AsText())
        DescribeText(out, text->GetTextShape());
    if (const CSimLink* link = part.AsLink()) {
        DescribeText(out, link->GetTextShape());
        out << " attribute " << link->GetAttributeIndex() << " of "
            << (link->GetOwnerElement() ? link->GetOwnerElement()->GetName() : "nothing");
    }
    return out.str();
}

std::vector<std::string> DescribeAll(const CCircuit& sheet) {
    std::vector<std::string> all;
    for (const auto& part : sheet.GetObjects())
        all.push_back(Describe(*part));
    return all;
}

class ObjectBuffer : public ::testing::Test {
protected:
    // A text with every field of the newer records away from its default.
    CSimText& AddTurnedText() {
        auto text = CSimText::Create(env, "Vout", {200, 200}, 0);
        CSHTextAdvance& shape = text->GetTextShape();
        shape.SetAnchor({3, 4});
        shape.SetRotation(2);
        shape.SetUsePlacementColor(0);
        shape.SetColorIndex(5);
        text->TextChanged();
        return *static_cast<CSimText*>(sheet->AddObject(std::move(text)));
    }

    static void ExpectTurnedText(const CPart& part) {
        ASSERT_TRUE(part.IsText());
        const CSHTextAdvance& shape = static_cast<const CSimText&>(part).GetTextShape();
        EXPECT_EQ(shape.GetAnchor(), (CPointF{3, 4}));
        EXPECT_EQ(shape.GetRotation(), 2);
        EXPECT_EQ(shape.GetUsePlacementColor(), 0u);
        EXPECT_EQ(shape.GetColorIndex(), 5);
    }

    // One object of every kind, each with fields away from what a new one has.
    void AddEveryKind() {
        CSimPart* element = sheet->PlaceElement(kResistor, {100, 100}, 1);
        sheet->FlipObject(*element, 0);
        element->SetInstanceName("Rq7");
        CGenType resistance = CGenType::MakeFloat(4712.5, 3);
        resistance.SetExponentWord(0x00A1B203);
        element->GetData().GetValue(1) = resistance;
        CSHTextAdvance& shown = element->GetLink(0)->GetTextShape();
        shown.SetStyle(0x00020190);
        shown.SetColorIndex(3);
        shown.SetUsePlacementColor(1);
        auto wire = CWire::Create(env, {0, 0}, {40, 30});
        wire->SetState(CPart::kStateHidden | 0x100);
        sheet->AddObject(std::move(wire));
        sheet->AddObject(CSubCirPart::Create(env, sub, {300, 300}, 3));
        CPart* port = sheet->AddObject(CSimTerm::Create(env, 5, {400, 100}, 2));
        sheet->FlipObject(*port, 1);
        AddTurnedText();
        sheet->AddObject(CSimControl::Create(env, {600, 600}, 0));
        sheet->AddObject(CSimLabel::Create(env, "Vout", {700, 100}, 3));
        ASSERT_EQ(sheet->GetObjectCount(), 8u);
    }

    CSheetWorld world;
    const CPartEnvironment& env = world.context.parts;
    std::shared_ptr<CCircuit> sheet = world.NewSheet();
    std::shared_ptr<CCircuit> sub = world.NewSheet("/sheets/sub.sch");
    CSelection selection;
};

TEST_F(ObjectBuffer, EveryKindComesBackWholeThroughDeleteAndUndo) {
    AddEveryKind();
    const std::vector<std::string> before = DescribeAll(*sheet);
    sheet->SelectAll(selection);
    sheet->DeleteSelection(selection);
    ASSERT_EQ(sheet->GetObjectCount(), 0u);
    // The buffer carries the version its records were written in, and starts with the
    // object count (u32), each object's kind tag (u16) and record following.
    const CRecordBuffer& data = sheet->GetDeletionBuffer().GetData();
    EXPECT_EQ(data.GetVersionMajor(), 3);
    EXPECT_EQ(data.GetVersionMinor(), 30);
    ASSERT_GE(data.Length(), 6u);
    EXPECT_EQ(std::vector<uint8_t>(data.Data(), data.Data() + 6),
              (std::vector<uint8_t>{8, 0, 0, 0, CPart::kTagSimPart, 0}));
    sheet->UndoDelete(selection);
    EXPECT_EQ(selection.Count(), 8u);
    EXPECT_EQ(DescribeAll(*sheet), before);
    EXPECT_TRUE(test::IndexesAgreeWithObjects(*sheet));
}

TEST_F(ObjectBuffer, EveryKindComesBackWholeThroughCopyAndPaste) {
    AddEveryKind();
    sheet->SelectAll(selection);
    CInternalClipboard clipboard;
    sheet->Copy(selection, clipboard);
    // Pasted onto another sheet at the centre it was copied from: nothing moves, and
    // no name or port number is taken there.
    auto other = world.NewSheet();
    CSelection pasted;
    other->Paste(clipboard, pasted, clipboard.GetBounds().Center());
    EXPECT_EQ(pasted.Count(), 8u);
    EXPECT_EQ(DescribeAll(*other), DescribeAll(*sheet));
    EXPECT_TRUE(test::IndexesAgreeWithObjects(*other));
}

TEST_F(ObjectBuffer, ATextLinkDeletedByItselfReturnsToItsElement) {
    CSimPart* element = sheet->PlaceElement(kResistor, {100, 100}, 0);
    sheet->AddObject(CWire::Create(env, {0, 0}, {0, 50}));
    CSimLink* link = element->GetLink(0);
    const std::string shown = Describe(*link);
    selection.Add(*link);
    selection.UpdateBounds();
    sheet->DeleteSelection(selection);
    ASSERT_EQ(element->GetLinkCount(), 0u);
    ASSERT_TRUE(sheet->CanUndoDelete());
    sheet->UndoDelete(selection);
    ASSERT_EQ(selection.Count(), 1u);
    ASSERT_EQ(element->GetLinkCount(), 1u);
    EXPECT_EQ(element->GetLink(0), selection.First());
    EXPECT_EQ(Describe(*selection.First()), shown);
    EXPECT_EQ(sheet->NextObject(element), selection.First()) << "right after its element";
    EXPECT_TRUE(test::IndexesAgreeWithObjects(*sheet));
}

TEST_F(ObjectBuffer, APastedInstanceOfANeverSavedSheetTakesTheSheetsPortsOfNow) {
    auto unsaved = world.NewSheet();  // no path: the clipboard keeps the sheet itself
    unsaved->SetSymbolBox({0, 0, 40, 20});
    CPart* first = sheet->AddObject(CSubCirPart::Create(env, unsaved, {100, 100}, 0));
    selection.Add(*first);
    selection.UpdateBounds();
    CInternalClipboard clipboard;
    sheet->Copy(selection, clipboard);
    // The sheet is resized after the copy, and its instance follows.
    unsaved->SetSymbolBox({0, 0, 60, 40});
    sheet->UpdateInstancesOf(*unsaved);
    ASSERT_EQ(first->GetTerminalCount(), 16u);
    sheet->Paste(clipboard, selection, {400, 400});
    ASSERT_EQ(selection.Count(), 1u);
    EXPECT_EQ(selection.First()->AsSubCircuit()->GetSheet(), unsaved.get());
    EXPECT_EQ(unsaved->GetPortCount(), 16u) << "the copy does not shrink the sheet back";
    EXPECT_EQ(selection.First()->GetTerminalCount(), 16u);
    EXPECT_TRUE(test::IndexesAgreeWithObjects(*sheet)) << "the first instance stays connected";
}

TEST_F(ObjectBuffer, ATextKeepsAnchorTurnAndColourThroughCopyAndPaste) {
    selection.Add(AddTurnedText());
    selection.UpdateBounds();
    CInternalClipboard clipboard;
    sheet->Copy(selection, clipboard);
    sheet->Paste(clipboard, selection, {400, 400});
    ASSERT_EQ(selection.Count(), 1u);
    ExpectTurnedText(*selection.First());
}

TEST_F(ObjectBuffer, ATextKeepsAnchorTurnAndColourThroughDeleteAndUndo) {
    selection.Add(AddTurnedText());
    selection.UpdateBounds();
    sheet->DeleteSelection(selection);
    sheet->UndoDelete(selection);
    ASSERT_EQ(selection.Count(), 1u);
    ExpectTurnedText(*selection.First());
}

TEST_F(ObjectBuffer, ValuesFindTheirDefinitionByIdentifierWhenTheLibraryChangedMeanwhile) {
    CLibElement& element = *world.library.GetElement(kResistor);
    element.AddDefinition(CNetLine("T", "C", CGenType::MakeFloat(27), 0x0));
    CSimPart* part = sheet->PlaceElement(kResistor, {100, 100}, 0);
    part->GetData().GetValue(1) = CGenType::MakeFloat(47);  // R
    part->GetData().GetValue(2) = CGenType::MakeFloat(85);  // T
    sheet->SelectAll(selection);
    CInternalClipboard clipboard;
    sheet->Copy(selection, clipboard);
    // The library's definitions are reordered before the paste: T before R.
    auto& definitions = element.GetDefinitions();
    std::swap(definitions[1], definitions[2]);
    sheet->Paste(clipboard, selection, {400, 400});
    const CSimPart* pasted = selection.First()->AsSimPart();
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(pasted->GetData().GetValue(1).GetFloat(), 85.0);  // T
    EXPECT_EQ(pasted->GetData().GetValue(2).GetFloat(), 47.0);  // R
}

TEST_F(ObjectBuffer, AFloatKeepsItsDoublePrecision) {
    CSimPart* part = sheet->PlaceElement(kCapacitor, {100, 100}, 0);
    part->GetData().GetValue(1) = CGenType::MakeFloat(1.000000123e-6);
    sheet->SelectAll(selection);
    sheet->DeleteSelection(selection);
    sheet->UndoDelete(selection);
    EXPECT_EQ(selection.First()->AsSimPart()->GetData().GetValue(1).GetFloat(), 1.000000123e-6);
}

}  // namespace
}  // namespace kestro
