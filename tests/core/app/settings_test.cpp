#include "core/app/settings_transfer.h"

#include <gtest/gtest.h>

#include "core/library/library_fonts.h"
#include "core/platform/program_folder.h"
#include "core/platform/settings_store.h"

namespace kestro {
namespace {

TEST(SettingsRead, EmptyStoreGivesEveryDefault) {
    CMemorySettingsStore store;
    CSettings s;
    s.grid = 0;
    s.textFont.name = "Other";
    s.textFont.size = 20;
    TransferSettings(store, s, TransferDirection::Read);
    EXPECT_EQ(s.grid, 0);  // a missing key keeps the current value
    s = CSettings{};
    TransferSettings(store, s, TransferDirection::Read);
    EXPECT_EQ(s.grid, 1);
    EXPECT_EQ(s.printPageBorder, 1);
    EXPECT_EQ(s.printPageLegend, 1);
    EXPECT_EQ(s.printPagePosition, 1);
    EXPECT_DOUBLE_EQ(s.zoomFactor, 1.2);
    EXPECT_EQ(s.closeTarn, 0);
    EXPECT_EQ(s.showSubcircuitName, 0);
    EXPECT_EQ(s.textFont, CTextFontSetting{});
    EXPECT_EQ(s.textFont.name, "Courier New");
    EXPECT_EQ(s.textFont.size, -16);
    EXPECT_EQ(s.colorRoles, CSettings::DefaultColorRoles());
}

TEST(SettingsRead, FontDefaultsDoNotFollowCurrentValues) {
    CMemorySettingsStore store;
    CSettings s;
    s.textFont = {"Arial", 10, 700, 1};
    TransferSettings(store, s, TransferDirection::Read);
    EXPECT_EQ(s.textFont, CTextFontSetting{});
}

TEST(SettingsRead, ZoomFactorIsDividedAndClamped) {
    for (auto [stored, expected] : {std::pair{50000, 1.2}, {900000, 5.0}, {300000, 3.0}}) {
        CMemorySettingsStore store;
        store.SetInt("STANDARD OPTIONS", "ZOOMFACTOR", stored);
        CSettings s;
        TransferSettings(store, s, TransferDirection::Read);
        EXPECT_DOUBLE_EQ(s.zoomFactor, expected) << stored;
    }
}

TEST(SettingsRead, ColorRolesAreSixteenBit) {
    CMemorySettingsStore store;
    store.SetInt("DEFAULTCOLORS", "COLORVALUE3", 0x10005);
    store.SetInt("DEFAULTCOLORS", "COLORVALUE14", -1);
    CSettings s;
    TransferSettings(store, s, TransferDirection::Read);
    EXPECT_EQ(s.colorRoles[2], 5);
    EXPECT_EQ(s.colorRoles[13], -1);
    EXPECT_EQ(s.PaletteIndex(13), 0);  // out of the palette
    EXPECT_EQ(s.PaletteIndex(kRoleWire), 5);
}

TEST(SettingsWrite, KeysInTableOrderAndReadBack) {
    CMemorySettingsStore store;
    CSettings s;
    s.zoomFactor = 2.5;
    s.colorRoles[0] = -2;
    s.textFont.name = "DejaVu Sans";
    TransferSettings(store, s, TransferDirection::Write);
    const auto& order = store.WriteOrder();
    ASSERT_EQ(order.size(), 26u);
    EXPECT_EQ(order[0], "STANDARD OPTIONS/GRID");
    EXPECT_EQ(order[4], "STANDARD OPTIONS/ZOOMFACTOR");
    EXPECT_EQ(order[7], "STANDARD OPTIONS/AUTOSAVE");
    EXPECT_EQ(order[8], "FONT OPTIONS/NAME");
    EXPECT_EQ(order[12], "DEFAULTCOLORS/COLORVALUE1");
    EXPECT_EQ(order[25], "DEFAULTCOLORS/COLORVALUE14");
    EXPECT_EQ(store.GetInt("STANDARD OPTIONS", "AUTOSAVE", 0), 120);
    EXPECT_EQ(store.GetInt("STANDARD OPTIONS", "ZOOMFACTOR", 0), 250000);
    EXPECT_EQ(store.GetInt("DEFAULTCOLORS", "COLORVALUE1", 0), -2);
    CSettings back;
    TransferSettings(store, back, TransferDirection::Read);
    EXPECT_DOUBLE_EQ(back.zoomFactor, 2.5);
    EXPECT_EQ(back.textFont.name, "DejaVu Sans");
    EXPECT_EQ(back.colorRoles[0], -2);
}

TEST(ProgramFolder, EndsInSlashOrIsEmpty) {
    EXPECT_EQ(ProgramFolderOf("/opt/kestro/bin/kestro"), "/opt/kestro/bin/");
    EXPECT_EQ(ProgramFolderOf("kestro"), "");
    EXPECT_EQ(ProgramFolderOf("/kestro"), "/");
    EXPECT_FALSE(RunningProgramFolder().empty());
    EXPECT_EQ(RunningProgramFolder().back(), '/');
}

TEST(LibraryFonts, StartUpValuesAndListing) {
    const auto fonts = StartupLibraryFonts();
    EXPECT_EQ(fonts[0].faceName, "Courier New");
    EXPECT_EQ(fonts[1].faceName, "MS Sans Serif");
    EXPECT_EQ(fonts[2].faceName, "Courier");
    EXPECT_EQ(fonts[3].faceName, "Arial");
    for (const auto& f : fonts) {
        EXPECT_EQ(f.height, -12);
        EXPECT_EQ(f.weight, 400);
        EXPECT_EQ(f.italic, 0u);
        EXPECT_EQ(f.pointSize, 10);
    }
    EXPECT_EQ(DescribeLibraryFont(fonts[0]), "Courier New, 10,  ,  ");
    CLibraryFont bold{"Arial", -12, 700, 1, 12};
    EXPECT_EQ(DescribeLibraryFont(bold), "Arial, 12, BOLD, ITALIC");
}

}  // namespace
}  // namespace kestro
