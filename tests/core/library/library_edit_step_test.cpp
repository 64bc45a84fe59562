#include <gtest/gtest.h>

#include "core/library/library_data.h"
#include "core/library/library_edit_step.h"
#include "core/library/sh_line.h"
#include "core/platform/scripted_prompts.h"
#include "tests/core/support/library_support.h"

namespace kestro {
namespace {

struct CRecords : CLibraryJournal {
    void Record(CLibraryEditRecord record) override { records.push_back(std::move(record)); }
    std::vector<CLibraryEditRecord> records;
};

// Everything an edit may change: every element record, the menus and the fonts.
struct CLibraryState {
    std::vector<std::vector<uint8_t>> elements;
    std::vector<uint8_t> menus;
    CLibraryFonts fonts;
    bool operator==(const CLibraryState&) const = default;
};

// Names the part that differs, so a failure says where.
std::string Difference(const CLibraryState& a, const CLibraryState& b) {
    if (a.elements.size() != b.elements.size()) return "element count";
    for (size_t i = 0; i < a.elements.size(); ++i)
        if (a.elements[i] != b.elements[i]) {
            std::string d = "element " + std::to_string(i) + " sizes " +
                            std::to_string(a.elements[i].size()) + "/" +
                            std::to_string(b.elements[i].size());
            for (size_t k = 0; k < std::min(a.elements[i].size(), b.elements[i].size()); ++k)
                if (a.elements[i][k] != b.elements[i][k]) {
                    d += " at " + std::to_string(k) + ": " + std::to_string(a.elements[i][k]) +
                         " vs " + std::to_string(b.elements[i][k]);
                    break;
                }
            return d;
        }
    if (a.menus != b.menus) return "menus";
    if (a.fonts != b.fonts) return "fonts";
    return "";
}

CLibraryState StateOf(CLibraryData& library) {
    CLibraryState state{{}, library.GetMenus().GetBytes(), library.GetFonts()};
    for (uint32_t id = 0; id < library.GetElementCount(); ++id)
        state.elements.push_back(ElementRecordBytes(library, id));
    for (uint32_t id : {CLibraryData::kControlId, CLibraryData::kPortId, CLibraryData::kLabelId})
        state.elements.push_back(ElementRecordBytes(library, id));
    return state;
}

class LibraryEditStep : public ::testing::Test {
protected:
    LibraryEditStep() {
        m_library.New("/nonexistent/KESTRO.LIB");
        test::FillLibrary(m_library, 5);
        for (uint32_t id = 0; id < 5; ++id)
            m_library.GetMenus().AppendElement(uint16_t(id), "e");
        m_library.SetFonts(m_library.GetFonts());  // symbol texts carry the library's fonts
        m_library.SetModified(false);
        m_library.SetJournal(&m_journal);
    }

    CScriptedPrompts m_prompts;
    CLibraryData m_library{m_prompts};
    CRecords m_journal;
};

TEST_F(LibraryEditStep, StepWithoutChangeRecordsNothingAndLeavesTheLibraryUnmodified) {
    CLibraryEditStep step(m_library, "Nothing");
    step.TouchElement(2);
    step.TouchMenus();
    step.TouchFonts();
    EXPECT_FALSE(step.Commit());
    EXPECT_FALSE(m_library.IsModified());
    EXPECT_TRUE(m_journal.records.empty());
}

// Shapes, a built-in symbol, a new element with its menu entry, a deletion from the
// middle of the table and a font: undone in reverse they give the first state back
// byte for byte, redone in order the last.
TEST_F(LibraryEditStep, UndoAndRedoOfMixedStepsRestoreEveryByte) {
    const CLibraryState start = StateOf(m_library);
    // An open library window holds its element: undo and redo keep the object.
    const CLibElement* held = m_library.GetElement(2);
    {
        CLibraryEditStep step(m_library, "Add Line");
        step.TouchElement(2);
        m_library.GetElement(2)->AddShape(
            std::make_unique<CSHLine>(CPointF{0, 0}, CPointF{9, 9}, 1, 0));
        m_library.GetElement(2)->GetOutputPoints().push_back({-30, 0});
        EXPECT_TRUE(step.Commit());
        EXPECT_TRUE(m_library.IsModified());
    }
    {
        CLibraryEditStep step(m_library, "Edit Port");
        step.TouchElement(CLibraryData::kPortId);
        m_library.GetPortElement().SetDescription("a port");
        step.Commit();
    }
    {
        CLibraryEditStep step(m_library, "New Element");
        step.TouchElement(m_library.GetElementCount());
        step.TouchMenus();
        const uint16_t id = m_library.AppendElement(CLibElement::MakeNew("TESTX"));
        m_library.GetMenus().AppendElement(id, "TESTX");
        step.Commit();
    }
    {
        CLibraryEditStep step(m_library, "Delete");
        step.TouchElement(1);
        step.TouchMenus();
        m_library.DeleteElement(*m_library.GetElement(1));
        step.Commit();
    }
    {
        CLibraryEditStep step(m_library, "Fonts");
        step.TouchFonts();
        CLibraryFont font = m_library.GetFonts()[1];
        font.weight = 700;
        m_library.SetFont(1, font);
        step.Commit();
    }
    ASSERT_EQ(m_journal.records.size(), 5u);
    EXPECT_EQ(m_journal.records[2].elements.front().before.size(), 0u);
    const CLibraryState end = StateOf(m_library);
    ASSERT_NE(start, end);

    for (auto it = m_journal.records.rbegin(); it != m_journal.records.rend(); ++it)
        UndoLibraryRecord(m_library, *it);
    EXPECT_EQ(Difference(StateOf(m_library), start), "");
    EXPECT_EQ(m_library.GetElement(2)->GetIdentifier(), 2);
    EXPECT_EQ(m_library.GetElement(2), held);
    EXPECT_EQ(held->GetShapes().size(), 1u);
    for (const CLibraryEditRecord& record : m_journal.records)
        RedoLibraryRecord(m_library, record);
    EXPECT_EQ(Difference(StateOf(m_library), end), "");
    EXPECT_EQ(m_library.FindElementByName("TESTX"), 4);
}

}  // namespace
}  // namespace kestro
