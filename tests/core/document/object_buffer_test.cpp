// The internal clipboard and the deletion buffer keep objects as records of the current
// version, so nothing a later version added is lost through cut and paste or delete and
// undo.
#include <gtest/gtest.h>

#include "core/document/internal_clipboard.h"
#include "core/objects/sim_part.h"
#include "core/objects/sim_text.h"
#include "tests/core/support/circuit_support.h"

namespace kestro {
namespace {

using test::CSheetWorld;
using test::kCapacitor;
using test::kResistor;

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

    CSheetWorld world;
    const CPartEnvironment& env = world.context.parts;
    std::shared_ptr<CCircuit> sheet = world.NewSheet();
    CSelection selection;
};

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
