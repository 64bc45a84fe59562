#include <gtest/gtest.h>

#include "core/library/library_data.h"
#include "core/library/library_history.h"
#include "core/library/sh_line.h"
#include "core/platform/scripted_prompts.h"
#include "tests/core/support/library_support.h"

namespace kestro {
namespace {

class LibraryHistory : public ::testing::Test {
protected:
    LibraryHistory() {
        m_library.New("/nonexistent/KESTRO.LIB");
        test::FillLibrary(m_library, 4);
        m_library.SetFonts(m_library.GetFonts());
        m_library.SetModified(false);
        m_history.Attach(m_library);
    }

    void SetWeight(int weight) {
        CLibraryEditStep step(m_library, "Fonts");
        step.TouchFonts();
        CLibraryFont font = m_library.GetFonts()[1];
        font.weight = weight;
        m_library.SetFont(1, font);
        step.Commit();
    }
    void AddLine(uint32_t id) {
        CLibraryEditStep step(m_library, "Add Line");
        step.TouchElement(id);
        m_library.GetElement(id)->AddShape(
            std::make_unique<CSHLine>(CPointF{0, 0}, CPointF{9, 9}, 1, 0));
        step.Commit();
    }
    size_t ShapesOf(uint32_t id) { return m_library.GetElement(id)->GetShapes().size(); }
    int Weight() { return m_library.GetFonts()[1].weight; }

    CScriptedPrompts m_prompts;
    CLibraryData m_library{m_prompts};
    CLibraryHistory m_history;
};

TEST_F(LibraryHistory, StepsAreUndoneAndRedoneWholeAndANewOneDropsTheRedoSteps) {
    EXPECT_FALSE(m_history.CanUndo());
    EXPECT_EQ(m_history.UndoName(), "");
    const size_t shapes = ShapesOf(2);
    const int weight = Weight();
    AddLine(2);
    SetWeight(700);
    EXPECT_EQ(m_history.UndoName(), "Fonts");
    ASSERT_TRUE(m_history.Undo());
    EXPECT_EQ(Weight(), weight);
    EXPECT_EQ(m_history.UndoName(), "Add Line");
    EXPECT_EQ(m_history.RedoName(), "Fonts");
    ASSERT_TRUE(m_history.Undo());
    EXPECT_EQ(ShapesOf(2), shapes);
    EXPECT_FALSE(m_history.Undo());
    ASSERT_TRUE(m_history.Redo());
    EXPECT_EQ(ShapesOf(2), shapes + 1);
    // A new change here: "Fonts" can never come back.
    AddLine(3);
    EXPECT_FALSE(m_history.CanRedo());
    EXPECT_EQ(m_history.UndoCount(), 2u);
    EXPECT_EQ(Weight(), weight);
}

TEST_F(LibraryHistory, BackAtTheSavedStateTheLibraryIsNotModified) {
    SetWeight(700);
    EXPECT_TRUE(m_library.IsModified());
    m_history.Undo();
    EXPECT_FALSE(m_library.IsModified());
    m_history.Redo();
    EXPECT_TRUE(m_library.IsModified());
    // Saved with the new weight: the saved state moves there, the history stays.
    m_library.SetModified(false);
    m_history.MarkSaved();
    m_history.Undo();
    EXPECT_TRUE(m_library.IsModified());
    m_history.Redo();
    EXPECT_FALSE(m_library.IsModified());
    // Undone past the save, then a new change: the saved state is out of reach.
    m_history.Undo();
    SetWeight(300);
    m_history.Undo();
    EXPECT_TRUE(m_library.IsModified());
    m_history.Redo();
    EXPECT_TRUE(m_library.IsModified());
}

TEST_F(LibraryHistory, TheOldestStepsGoOverBudgetButNeverTheNewestThousand) {
    CLibraryHistory small(1);
    small.Attach(m_library);
    for (int i = 0; i < 1005; ++i)
        SetWeight(i % 2 ? 700 : 400);
    EXPECT_EQ(small.UndoCount(), CLibraryHistory::kMinimumSteps);
    EXPECT_EQ(m_history.UndoCount(), 0u) << "the library has one journal, the last attached";
    while (small.Undo()) {
    }
    EXPECT_TRUE(m_library.IsModified()) << "the saved state was among the dropped steps";
    small.Detach();
    EXPECT_EQ(m_library.GetJournal(), nullptr);
    EXPECT_EQ(small.MemoryUse(), 0u);
    SetWeight(100);  // nobody records it now
    EXPECT_FALSE(small.CanUndo());
}

// Undoing or redoing a step that takes an element out of the table or puts one in moves
// the identifiers from there on; the history tells from where, before it is done.
TEST_F(LibraryHistory, StepsThatRenumberTheElementsSayFromWhere) {
    EXPECT_EQ(m_history.FirstRenumberedByUndo(), std::nullopt);
    AddLine(2);
    EXPECT_EQ(m_history.FirstRenumberedByUndo(), std::nullopt);
    {
        CLibraryEditStep step(m_library, "Delete Element");
        step.TouchElement(1);
        step.TouchMenus();
        m_library.DeleteElement(*m_library.GetElement(1));
        ASSERT_TRUE(step.Commit());
    }
    EXPECT_EQ(m_history.FirstRenumberedByUndo(), 1u);
    ASSERT_TRUE(m_history.Undo());
    EXPECT_EQ(m_history.FirstRenumberedByRedo(), 1u);
    EXPECT_EQ(m_history.FirstRenumberedByUndo(), std::nullopt);  // the line
    ASSERT_TRUE(m_history.Redo());
    const uint32_t count = m_library.GetElementCount();
    ASSERT_EQ(m_library.AddElementNamed("NEWONE"), int(count));
    EXPECT_EQ(m_history.FirstRenumberedByUndo(), count);
    ASSERT_TRUE(m_history.Undo());
    EXPECT_EQ(m_history.FirstRenumberedByRedo(), count);
}

}  // namespace
}  // namespace kestro
