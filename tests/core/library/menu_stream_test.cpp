#include <gtest/gtest.h>

#include "core/library/library_data.h"
#include "core/library/menu_manager.h"
#include "core/platform/byte_stream.h"
#include "core/platform/scripted_prompts.h"
#include "tests/core/support/library_support.h"

namespace kestro {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(MenuStream, RecordsAreCodesLabelsAndNestedBlocks) {
    const std::vector<CMenuItem> items{
        CMenuItem::Popup("P", {CMenuItem::Element(3, "R"), CMenuItem::Separator()}),
        CMenuItem::Element(1005, "Port")};
    const Bytes bytes = WriteMenuStream(items);
    EXPECT_EQ(bytes, (Bytes{0xF6, 0xFF, 2, 0, 'P', 0,   8,    0,    0, 0,  // popup, block of 8
                            3,    0,    2, 0, 'R', 0,   0xFF, 0xFF,        // R, separator
                            0xED, 0x03, 5, 0, 'P', 'o', 'r',  't',  0}));  // 1005
    EXPECT_EQ(ReadMenuStream(bytes.data(), bytes.size()), items);
}

TEST(MenuStream, ShortDataEndsTheLevelWithAnElementZero) {
    const Bytes bytes{0xFF, 0xFF, 0x07};
    EXPECT_EQ(ReadMenuStream(bytes.data(), bytes.size()),
              (std::vector<CMenuItem>{CMenuItem::Separator(), CMenuItem::Element(0, "")}));
    EXPECT_TRUE(ReadMenuStream(nullptr, 0).empty());
    // A nested block longer than the data is cut at the end.
    const Bytes popup{0xF6, 0xFF, 1, 0, 0, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF};
    EXPECT_EQ(ReadMenuStream(popup.data(), popup.size()),
              (std::vector<CMenuItem>{CMenuItem::Popup("", {CMenuItem::Separator()})}));
}

TEST(MenuStream, DeepNestingIsCutOff) {
    CMenuItem item = CMenuItem::Separator();
    for (int i = 0; i < 100; ++i)
        item = CMenuItem::Popup("p", {item});
    const Bytes bytes = WriteMenuStream({item});
    const auto items = ReadMenuStream(bytes.data(), bytes.size());
    int depth = 0;
    for (const CMenuItem* level = &items.at(0); !level->children.empty();
         level = &level->children[0])
        ++depth;
    EXPECT_EQ(depth, kMaxMenuDepth);
}

TEST(MenuManager, WritesItsStreamAsOneBlockAndKeepsIt) {
    CMenuManager menus;
    menus.SetItems({CMenuItem::Element(0, "GND")});
    CMemoryStream file;
    menus.WriteBlock(file);
    menus.WriteBlock(file);
    ASSERT_EQ(file.Size(), 512u);
    EXPECT_EQ(file.Bytes()[0], 8);  // 2 + 2 + 4 bytes of payload
    CMenuManager read;
    read.ReadBlock(file, 256);
    EXPECT_EQ(read.GetBytes(), menus.GetBytes());
    CMenuManager empty;
    CMemoryStream emptyFile;
    empty.WriteBlock(emptyFile);
    EXPECT_EQ(emptyFile.Size(), 256u);
}

TEST(MenuManager, AddedAndDeletedElementsKeepTheEntriesInStep) {
    CMenuManager menus;
    menus.SetItems({CMenuItem::Popup("P", {CMenuItem::Element(1, "A"), CMenuItem::Element(2, "B")}),
                    CMenuItem::Element(1006, "Label")});
    menus.AppendElement(3, "C");
    menus.RemoveElement(1);
    EXPECT_EQ(
        menus.GetItems(),
        (std::vector<CMenuItem>{CMenuItem::Popup("P", {CMenuItem::Element(1, "B")}),
                                CMenuItem::Element(1006, "Label"), CMenuItem::Element(2, "C")}));
}

TEST(MenuStream, SavingTurnsEmptyPopupsIntoSeparatorsAndRenamesEntries) {
    std::vector<CMenuItem> items{
        CMenuItem::Popup("Outer", {CMenuItem::Popup("Empty"), CMenuItem::Element(1, "old")}),
        CMenuItem::Popup("Holds only an empty one", {CMenuItem::Popup("Inner")}),
        CMenuItem::Element(7, "unknown"), CMenuItem::Separator()};
    PrepareMenuForSaving(items, [](int16_t code) -> std::optional<std::string> {
        if (code == 1) return "NEW";
        return std::nullopt;
    });
    // A popup whose only entry was an empty popup keeps a separator, so it is not empty.
    EXPECT_EQ(items,
              (std::vector<CMenuItem>{
                  CMenuItem::Popup("Outer", {CMenuItem::Separator(), CMenuItem::Element(1, "NEW")}),
                  CMenuItem::Popup("Holds only an empty one", {CMenuItem::Separator()}),
                  CMenuItem::Element(7, "unknown"), CMenuItem::Separator()}));
}

TEST(MenuStream, EntryNamesComeFromRegularAndBuiltInElements) {
    CScriptedPrompts prompts;
    CLibraryData library(prompts);
    library.New("unused.lib");
    test::FillLibrary(library, 3);
    library.GetElement(2)->SetName("RENAMED");
    EXPECT_EQ(library.MenuEntryName(2), "RENAMED");
    EXPECT_EQ(library.MenuEntryName(CLibraryData::kPortId), "Port");
    EXPECT_EQ(library.MenuEntryName(3), std::nullopt);
    EXPECT_EQ(library.MenuEntryName(-1), std::nullopt);
    EXPECT_EQ(library.MenuEntryName(1003), std::nullopt);
}

}  // namespace
}  // namespace kestro
