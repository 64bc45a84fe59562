#include <gtest/gtest.h>

#include <filesystem>

#include "core/library/library_data.h"
#include "core/library/library_source.h"
#include "core/platform/record_buffer.h"
#include "core/platform/scripted_prompts.h"
#include "tests/core/support/library_support.h"
#include "tests/core/support/temp_folder.h"

namespace kestro {
namespace {

using test::FileBytes;
using test::FillLibrary;
using Bytes = std::vector<uint8_t>;

class LibraryFile : public ::testing::Test {
protected:
    std::string SavedLibrary(int count, const std::string& name = "KESTRO.LIB") {
        CLibraryData library(m_prompts);
        library.New(m_folder.Path(name));
        FillLibrary(library, count);
        EXPECT_TRUE(library.Save()) << m_prompts.LastMessage();
        return m_folder.Path(name);
    }

    // Rewrites the version minor of a saved library in place.
    static void PatchMinor(const std::string& path, uint16_t minor) {
        Bytes bytes = FileBytes(path);
        bytes[10] = static_cast<uint8_t>(minor & 0xFF);
        bytes[11] = static_cast<uint8_t>(minor >> 8);
        CFileStream file;
        file.Open(path, CFileStream::Mode::Write);
        file.Write(bytes.data(), bytes.size());
        file.Close();
    }

    CTempFolder m_folder;
    CScriptedPrompts m_prompts;
};

TEST_F(LibraryFile, SavedLibraryStartsWithMagicHeaderLengthAndVersion) {
    const Bytes bytes = FileBytes(SavedLibrary(3));
    ASSERT_GE(bytes.size(), 256u + 4 + 12);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 12),
              (Bytes{0x45, 0x71, 0x96, 0x00, 0x24, 0x00, 0x00, 0x00, 0x03, 0x00, 0x1E, 0x00}));
    // The element table follows at 256 with N × 4 bytes; every block fills whole granules.
    EXPECT_EQ(Bytes(bytes.begin() + 256, bytes.begin() + 260), (Bytes{12, 0, 0, 0}));
    EXPECT_EQ(bytes.size() % 256, 0u);
}

TEST_F(LibraryFile, HeaderListsTheFontsBeforeTheLabelThoughTheLabelComesFirst) {
    const Bytes bytes = FileBytes(SavedLibrary(1));
    const auto word = [&](size_t at) {
        return uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
               uint32_t(bytes[at + 3]) << 24;
    };
    const uint32_t table = word(16), oldNumbers = word(20), menu = word(24), control = word(28),
                   port = word(32), fonts = word(36), label = word(40);
    EXPECT_EQ(table, 256u);
    EXPECT_LT(table, oldNumbers);
    EXPECT_LT(oldNumbers, menu);
    EXPECT_LT(menu, control);
    EXPECT_LT(control, port);
    EXPECT_LT(port, label);
    EXPECT_LT(label, fonts);
    EXPECT_EQ(word(table + 4), fonts + 256);  // element 0 right after the fonts
}

TEST_F(LibraryFile, EveryShapeKindAndValueSurvivesSaveAndOpen) {
    const std::string path = m_folder.Path("KESTRO.LIB");
    std::string before;
    {
        CLibraryData library(m_prompts);
        library.New(path);
        CLibraryFont font = library.GetFonts()[2];
        font.faceName = "Courier Bold";
        font.weight = 700;
        library.SetFont(2, font);
        library.AppendElement(test::ElementWithEveryShape("ALL", library.GetFonts()));
        library.GetMenus().SetItems({CMenuItem::Popup("P", {CMenuItem::Element(0, "ALL")})});
        library.SetOldNumbers({0, 7});
        ASSERT_TRUE(library.Save());
        EXPECT_FALSE(library.IsModified());
        before = WriteLibrarySource(library);
    }
    CLibraryData reopened(m_prompts);
    ASSERT_TRUE(reopened.Open(path));
    EXPECT_FALSE(reopened.IsElementLoaded(0));
    CLibElement* element = reopened.GetElement(0);
    ASSERT_TRUE(element);
    EXPECT_TRUE(reopened.IsElementLoaded(0));
    ASSERT_EQ(element->GetShapes().size(), 7u);
    const auto& text = static_cast<const CSHText&>(*element->GetShapes()[5]);
    EXPECT_EQ(text.GetFontIndex(), 2);
    EXPECT_EQ(text.GetFaceName(), "Courier Bold");  // copied from the library font on reading
    EXPECT_EQ(element->GetDefinition(1).GetValue(), CGenType::MakeFloat(4700, 3));
    EXPECT_EQ(WriteLibrarySource(reopened), before);

    // Saving what was read gives the same bytes again.
    const Bytes first = FileBytes(path);
    ASSERT_TRUE(reopened.Save());
    EXPECT_EQ(FileBytes(path), first);
}

TEST_F(LibraryFile, ElementTableHoldsNEntriesAndNothingBeyond) {
    const std::string path = SavedLibrary(4);
    CLibraryData library(m_prompts);
    ASSERT_TRUE(library.Open(path));
    EXPECT_EQ(library.GetElementCount(), 4u);
    EXPECT_EQ(library.GetElement(4), nullptr);
    EXPECT_EQ(library.GetElement(3)->GetName(), "E3");
    EXPECT_EQ(library.GetElement(CLibraryData::kPortId)->GetName(), "Port");
    EXPECT_EQ(library.GetElement(1003), nullptr);
}

TEST_F(LibraryFile, NamesAreFoundWithoutRegardToCase) {
    CLibraryData library(m_prompts);
    ASSERT_TRUE(library.Open(SavedLibrary(5)));
    EXPECT_EQ(library.FindElementByName("e3"), 3);
    EXPECT_EQ(library.FindElementByName("E3"), 3);
    EXPECT_EQ(library.FindElementByName(""), -1);
    EXPECT_EQ(library.FindElementByName("E33"), -1);
    CLibraryData empty(m_prompts);
    empty.New(m_folder.Path("x.lib"));
    EXPECT_EQ(empty.FindElementByName("E1"), -1);
}

TEST(OldNumbers, BinarySearchSkipsEntryZero) {
    CScriptedPrompts prompts;
    CLibraryData library(prompts);
    library.SetOldNumbers({5, 5, 9, 12, 40});
    EXPECT_EQ(library.FindElementByOldNumber(5), 1);
    EXPECT_EQ(library.FindElementByOldNumber(12), 3);
    EXPECT_EQ(library.FindElementByOldNumber(40), 4);
    EXPECT_EQ(library.FindElementByOldNumber(7), CLibraryData::kNoElement);
    EXPECT_EQ(library.FindElementByOldNumber(41), CLibraryData::kNoElement);
    library.SetOldNumbers({9, 10});
    EXPECT_EQ(library.FindElementByOldNumber(9), CLibraryData::kNoElement);
    EXPECT_EQ(library.FindElementByOldNumber(10), 1);
    library.SetOldNumbers({9});
    EXPECT_EQ(library.FindElementByOldNumber(9), CLibraryData::kNoElement);
}

TEST_F(LibraryFile, DeletingElementFiveOfTenShiftsIdentifiersAndNeverReadsAStaleOffset) {
    const std::string path = SavedLibrary(10);
    CLibraryData library(m_prompts);
    ASSERT_TRUE(library.Open(path));  // nothing read yet
    library.GetMenus().SetItems({CMenuItem::Element(4, "E4"), CMenuItem::Element(5, "E5"),
                                 CMenuItem::Element(9, "E9"), CMenuItem::Element(1005, "P")});
    library.DeleteElement(*library.GetElement(5));
    ASSERT_EQ(library.GetElementCount(), 9u);
    const char* expected[] = {"E0", "E1", "E2", "E3", "E4", "E6", "E7", "E8", "E9"};
    for (uint32_t i = 0; i < 9; ++i) {
        EXPECT_EQ(library.GetElement(i)->GetName(), expected[i]);
        EXPECT_EQ(library.GetElement(i)->GetIdentifier(), i);
    }
    EXPECT_EQ(library.GetOldNumbers().size(), 9u);
    EXPECT_EQ(library.GetOldNumbers()[5], 160);
    EXPECT_TRUE(library.IsModified());
    EXPECT_EQ(library.GetMenus().GetItems(),
              (std::vector<CMenuItem>{CMenuItem::Element(4, "E4"), CMenuItem::Element(8, "E9"),
                                      CMenuItem::Element(1005, "P")}));
    EXPECT_TRUE(m_prompts.shown.empty());
}

TEST_F(LibraryFile, AFailedSaveLeavesTheOldFileAndTheModifiedFlag) {
    const std::string path = SavedLibrary(3);
    const Bytes before = FileBytes(path);
    CLibraryData library(m_prompts);
    ASSERT_TRUE(library.Open(path));
    // A polygon of 9000 points makes a block over 64000 bytes: written after the others.
    auto big = CLibElement::MakeNew("BIG");
    big->AddShape(std::make_unique<CSHPoly>(std::vector<CPointF>(9000, CPointF{1, 1})));
    library.AppendElement(std::move(big));
    EXPECT_FALSE(library.Save());
    EXPECT_EQ(m_prompts.LastMessage(), "Can not save library file.");
    EXPECT_EQ(m_prompts.shown.back().icon, MessageIcon::Stop);
    EXPECT_TRUE(library.IsModified());
    EXPECT_EQ(FileBytes(path), before);
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(m_folder.Root()))
        files += entry.is_regular_file();
    EXPECT_EQ(files, 1u);  // no temporary file left behind
    // The elements still read from the old file are in memory, and the rest is usable.
    EXPECT_EQ(library.GetElement(2)->GetName(), "E2");
}

// The copy an autosave keeps: the bytes a save would write, elements not read yet
// included, with the library's path and modified mark left alone and nothing asked.
TEST_F(LibraryFile, ACopyIsTheBytesASaveWritesAndLeavesTheLibraryAlone) {
    const std::string path = SavedLibrary(4);
    const Bytes before = FileBytes(path);
    CLibraryData library(m_prompts);
    ASSERT_TRUE(library.Open(path));
    library.GetElement(1)->SetName("CHANGED");
    library.SetModified();
    ASSERT_FALSE(library.IsElementLoaded(3));
    CMemoryStream copy;
    ASSERT_TRUE(library.WriteCopy(copy));
    EXPECT_EQ(library.GetPath(), path);
    EXPECT_TRUE(library.IsModified());
    EXPECT_EQ(FileBytes(path), before) << "the user's file is not written";
    library.SetPath(m_folder.Path("saved.lib"));
    ASSERT_TRUE(library.Save());
    EXPECT_EQ(copy.Bytes(), FileBytes(m_folder.Path("saved.lib")));
    CLibraryData restored(m_prompts);
    ASSERT_TRUE(restored.OpenStream(std::make_unique<CMemoryStream>(copy.Bytes()), path, true));
    EXPECT_EQ(restored.GetElement(1)->GetName(), "CHANGED");
    EXPECT_EQ(restored.GetElement(3)->GetName(), "E3");
    EXPECT_TRUE(m_prompts.shown.empty());
}

// An element the file can no longer give makes the copy fail without a word: an
// autosave must never put a question in front of the user.
TEST_F(LibraryFile, ACopyOfALibraryWhoseFileWentBadFailsQuietly) {
    // A file that can no longer be read once the library was opened from it.
    struct CGoneBadStream : CMemoryStream {
        using CMemoryStream::CMemoryStream;
        size_t Read(void* dst, size_t count) override {
            if (bad) throw CFileException("KESTRO.LIB", 5);
            return CMemoryStream::Read(dst, count);
        }
        bool bad = false;
    };
    const std::string path = SavedLibrary(4);
    auto stream = std::make_unique<CGoneBadStream>(FileBytes(path));
    CGoneBadStream& file = *stream;
    CLibraryData library(m_prompts);
    ASSERT_TRUE(library.OpenStream(std::move(stream), path));
    library.GetElement(0);
    file.bad = true;
    CMemoryStream copy;
    EXPECT_FALSE(library.WriteCopy(copy));
    EXPECT_TRUE(m_prompts.shown.empty());
    EXPECT_TRUE(library.IsElementLoaded(0));
}

TEST_F(LibraryFile, FileErrorsShowTheSystemsText) {
    CLibraryData library(m_prompts);
    library.New(m_folder.Path("missing/KESTRO.LIB"));
    EXPECT_FALSE(library.Save());
    EXPECT_NE(m_prompts.LastMessage().find("No such file or directory"), std::string::npos);
    EXPECT_FALSE(library.Open(m_folder.Path("absent.lib")));
    EXPECT_NE(m_prompts.LastMessage().find("No such file or directory"), std::string::npos);
}

TEST_F(LibraryFile, WrongMagicIsAnInvalidFile) {
    const std::string path = m_folder.Path("KESTRO.LIB");
    CFileStream file;
    file.Open(path, CFileStream::Mode::Write);
    file.Write("SCH FILE", 8);
    file.Close();
    CLibraryData library(m_prompts);
    EXPECT_FALSE(library.Open(path));
    EXPECT_EQ(m_prompts.LastMessage(), "Invalid file. File name : KESTRO.LIB");
    EXPECT_EQ(library.GetElementCount(), 0u);
}

TEST_F(LibraryFile, MoreElementsThanIdentifiersIsAnInvalidFile) {
    const std::string path = SavedLibrary(1);
    Bytes bytes = FileBytes(path);
    bytes[12] = 0xED;  // 1005 elements
    bytes[13] = 0x03;
    CFileStream file;
    file.Open(path, CFileStream::Mode::Write);
    file.Write(bytes.data(), bytes.size());
    file.Close();
    CLibraryData library(m_prompts);
    EXPECT_FALSE(library.Open(path));
    EXPECT_EQ(m_prompts.LastMessage(), "Invalid file. File name : KESTRO.LIB");
}

TEST_F(LibraryFile, OlderLibrariesAreReadWholeMarkedModifiedAndGainALabel) {
    const std::string path = SavedLibrary(2);
    PatchMinor(path, 1);
    CLibraryData library(m_prompts);
    ASSERT_TRUE(library.Open(path));
    EXPECT_TRUE(library.IsModified());
    EXPECT_TRUE(library.IsElementLoaded(0) && library.IsElementLoaded(1));
    EXPECT_FALSE(library.GetElement(0)->IsGround());
    CLibElement& label = library.GetLabelElement();
    EXPECT_EQ(label.GetName(), "Label");
    EXPECT_EQ(label.GetOutputPoints(), (std::vector<CPointF>{{20, 0}}));
    EXPECT_EQ(label.GetRect(), (CRectF{-20, -10, 20, 10}));
    EXPECT_EQ(library.GetFonts()[0].pointSize, library.GetFonts()[0].height);
    ASSERT_TRUE(library.Save());
    EXPECT_EQ(library.GetVersionMinor(), 30);
}

TEST_F(LibraryFile, VersionX0MarksElementZeroAsGround) {
    const std::string path = SavedLibrary(2);
    PatchMinor(path, 0);
    CLibraryData library(m_prompts);
    ASSERT_TRUE(library.Open(path));
    EXPECT_TRUE(library.GetElement(0)->IsGround());
    EXPECT_FALSE(library.GetElement(1)->IsGround());
}

TEST_F(LibraryFile, PortIsAlwaysNamedPortAndOldIdentifiersAreRecomputed) {
    const std::string path = m_folder.Path("KESTRO.LIB");
    {
        CLibraryData library(m_prompts);
        library.New(path);
        library.GetPortElement().SetName("Terminal");
        FillLibrary(library, 1);
        library.GetElement(0)->GetDefinition(0).SetId(0x1234);
        ASSERT_TRUE(library.Save());
    }
    CLibraryData current(m_prompts);
    ASSERT_TRUE(current.Open(path));
    EXPECT_EQ(current.GetPortElement().GetName(), "Port");
    EXPECT_EQ(current.GetElement(0)->GetDefinition(0).GetId(), 0x1234u);
    PatchMinor(path, 20);
    CLibraryData old(m_prompts);
    ASSERT_TRUE(old.Open(path));
    EXPECT_EQ(old.GetElement(0)->GetDefinition(0).GetId(), 0x680DD044u);
}

TEST(AttributeIdentifier, FollowsNameAndType) {
    EXPECT_EQ(CNetLine::ComputeId("R", CGenType::Float), 0x00011011u);
    EXPECT_EQ(CNetLine::ComputeId("Name", CGenType::String), 0x680DD044u);
    EXPECT_EQ(CNetLine::ComputeId("name", CGenType::String), 0x680DD044u);
    EXPECT_NE(CNetLine::ComputeId("Name", CGenType::Float), 0x680DD044u);
    // Powers of two from 2^32 on wrap to zero: only the first 32 letters count in the sum.
    EXPECT_EQ(CNetLine::ComputeId(std::string(40, 'B'), CGenType::Float), 0x0841F281u);
}

class LibraryEditing : public ::testing::Test {
protected:
    void SetUp() override {
        m_library.New("/nonexistent/KESTRO.LIB");
        FillLibrary(m_library, 3);
        m_library.SetModified(false);
    }
    CScriptedPrompts m_prompts;
    CLibraryData m_library{m_prompts};
};

TEST_F(LibraryEditing, NewElementNameMustBeGivenAndUnused) {
    m_prompts.texts = {std::string(), std::string("e1"), std::string("NEW")};
    EXPECT_EQ(m_library.AddElement(), 3);
    EXPECT_EQ(m_prompts.Messages(),
              (std::vector<std::string>{
                  "Netlist Name Can Not be Empty.",
                  "This Netlist Name Already Exist.\nPlease Choose Another Name."}));
    CLibElement& element = *m_library.GetElement(3);
    EXPECT_EQ(element.GetName(), "NEW");
    EXPECT_EQ(element.GetFlags(), CLibElement::kShowInDialog);
    EXPECT_EQ(element.GetRect(), (CRectF{-20, -20, 20, 20}));
    ASSERT_EQ(element.GetDefinitionCount(), 1u);
    EXPECT_EQ(element.GetDefinition(0).GetName(), "Name");
    EXPECT_EQ(element.GetDefinition(0).GetValue(), CGenType::MakeString("NEW"));
    EXPECT_EQ(element.GetDefinition(0).GetFlags(), CNetLine::kTextLink);
    EXPECT_TRUE(m_library.IsModified());
    EXPECT_EQ(m_library.GetMenus().GetItems().back(), CMenuItem::Element(3, "NEW"));
    EXPECT_EQ(m_library.AddElement(), -1);  // cancelled
    EXPECT_EQ(m_library.GetElementCount(), 4u);
}

TEST_F(LibraryEditing, CopyOfAGroundElementAsksFirstAndCopiesEverything) {
    CLibElement& source = *m_library.GetElement(1);
    source.SetFlags(source.GetFlags() | CLibElement::kGround);
    m_prompts.answers = {Answer::No};
    EXPECT_EQ(m_library.CopyElement(source), -1);
    EXPECT_EQ(m_prompts.Messages(),
              (std::vector<std::string>{"You are creating a new GROUND element.\nDo you want to "
                                        "continue?"}));
    EXPECT_EQ(m_prompts.shown.back().buttons, MessageButtons::YesNoCancel);
    m_prompts.answers = {Answer::Yes};
    m_prompts.texts = {std::string("G2")};
    ASSERT_EQ(m_library.CopyElement(source), 3);
    CLibElement& copy = *m_library.GetElement(3);
    EXPECT_EQ(copy.GetName(), "G2");
    EXPECT_EQ(copy.GetIdentifier(), 3);
    EXPECT_EQ(copy.GetFlags(), source.GetFlags());
    EXPECT_EQ(copy.GetDescription(), source.GetDescription());
    EXPECT_EQ(copy.GetShapes().size(), source.GetShapes().size());
    EXPECT_EQ(copy.GetDefinition(0).GetValue(), CGenType::MakeString("E1"));
    EXPECT_EQ(source.GetIdentifier(), 1);
}

TEST_F(LibraryEditing, ElementNameTableMapsStoredIdentifiersToCurrentOnes) {
    CRecordBuffer table;
    m_library.WriteElementTable(table, {0, 1, 1}, 2);
    // u16 3, u16 30, u32 3, u32 2, then (u16 1, "E1") and (u16 2, "E2").
    EXPECT_EQ(table.Length(), 12u + 2 * (2 + 2 + 3));
    table.StartReading();
    std::vector<uint16_t> map;
    m_library.ReadElementTable(table, map);
    EXPECT_EQ(map, (std::vector<uint16_t>{65535, 1, 2}));

    m_library.DeleteElement(*m_library.GetElement(1));
    table.StartReading();
    m_library.ReadElementTable(table, map);
    EXPECT_EQ(map, (std::vector<uint16_t>{65535, 65535, 1}));
}

TEST_F(LibraryEditing, DamagedNameTablesNeitherOverrunNorSpin) {
    CRecordBuffer table;
    table.Put<uint16_t>(3);
    table.Put<uint16_t>(30);
    table.Put<uint32_t>(0xFFFFFFFF);
    table.Put<uint32_t>(0xFFFFFFFF);
    table.Put<uint16_t>(60000);
    table.PutString("e2");
    table.StartReading();
    std::vector<uint16_t> map;
    m_library.ReadElementTable(table, map);
    ASSERT_EQ(map.size(), 65536u);
    EXPECT_EQ(map[60000], 2);
}

TEST_F(LibraryEditing, FontChangesReachTheSymbolTexts) {
    auto element = CLibElement::MakeNew("TX");
    element->AddShape(std::make_unique<CSHText>(m_library.GetFonts()[0]));
    const uint16_t id = m_library.AppendElement(std::move(element));
    CLibraryFont font = m_library.GetFonts()[0];
    font.height = -30;
    m_library.SetFont(0, font);
    const auto& text = static_cast<const CSHText&>(*m_library.GetElement(id)->GetShapes()[0]);
    EXPECT_EQ(text.GetHeight(), -30);
    EXPECT_TRUE(m_library.IsModified());
}

}  // namespace
}  // namespace kestro
