#include "core/print/title_block.h"

#include <gtest/gtest.h>

#include "core/platform/recording_canvas.h"

namespace kestro {
namespace {

// On a printable area 900 pixels wide and 1000 high the font is 10 pixels high, and the
// recording canvas measures 6 pixels per character.
constexpr CSizeI kPage{900, 1000};

CTitleBlock Layout(const CTitleInfo& info, CSizeI page = kPage, int number = 1, int count = 1) {
    const CRecordingCanvas measure;
    return LayoutTitleBlock(measure, page, info, number, count);
}

TEST(TitleBlock, IsAThirdOfThePageWideWithShortTextsAndSitsAtTheBottomRight) {
    const CTitleBlock block = Layout({"ACME", "Buck", "JD", "B", "01/02/2024"});
    EXPECT_EQ(block.font.height, -10);
    EXPECT_EQ(block.frame, (CRectI{555, 905, 855, 965}));  // right at 0.95, top at 0.905
    EXPECT_EQ(block.rowLines, (std::array<int32_t, 3>{920, 935, 950}));
    EXPECT_EQ(block.cellLines, (std::array<int32_t, 2>{655, 755}));
}

TEST(TitleBlock, GrowsWithTheWidestRowButNeverBeyondNineTenthsOfThePage) {
    const std::string forty(40, 'x');  // 240 pixels
    // "Title    " and the title: 54 + 240 + 240.
    EXPECT_EQ(Layout({"", forty + forty, "", "", ""}).frame.left, 855 - 534);
    // "ADesigned by:    " and the designer: 102 + 240.
    EXPECT_EQ(Layout({"", "", forty, "", ""}).frame.left, 855 - 342);
    // Three times "ARevision " and the revision: 3 × (60 + 60).
    EXPECT_EQ(Layout({"", "", "", std::string(10, 'r'), ""}).frame.left, 855 - 360);
    // Three times the last update when wider than a ninth: 3 × 120.
    EXPECT_EQ(Layout({"", "", "", "", std::string(20, 'd')}).frame.left, 855 - 360);
    // The company alone.
    EXPECT_EQ(Layout({forty + forty, "", "", "", ""}).frame.left, 855 - 480);
    // Never wider than 0.9 of the page: the left edge stops at 0.05.
    EXPECT_EQ(Layout({std::string(500, 'c'), "", "", "", ""}).frame.left, 45);
    // On a narrow page the page number decides: 3 × "Page 00 of 00 " = 252 > 300 / 3.
    const CTitleBlock narrow = Layout({}, {300, 1000});
    EXPECT_EQ(narrow.frame.right - narrow.frame.left, 252);
}

TEST(TitleBlock, RowsHoldTheFiveTextsWithTheirLabelsAndThePageNumber) {
    const CTitleBlock block = Layout({"ACME", "Buck", "JD", "B", "01/02/2024"}, kPage, 2, 3);
    std::vector<std::string> expected = {
        "text \"ACME\" 555,905 855,920",       // centred in the first row
        "text \" Title   \" 555,920 609,935",  // label at the left
        "text \"Buck\" 609,920 855,935",       // centred in the rest
        "text \" Designed by\" 555,935 627,950", "text \"JD\" 627,935 855,950",
        "text \"01/02/2024\" 555,950 655,965",    // first cell, centred
        "text \" Revision B\" 655,950 721,965",   // from the second cell's left edge
        "text \"Page 2 of 3\" 755,950 855,965"};  // third cell, centred
    ASSERT_EQ(block.texts.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        CCanvasCall call;
        call.kind = CCanvasCall::Kind::Text;
        call.box = block.texts[i].box;
        call.text = block.texts[i].text;
        call.font = block.font;
        EXPECT_EQ(DescribeCall(call), expected[i] + " turns 0 height -10");
    }
    // Empty fields leave their texts out; the labels and the page number stay.
    EXPECT_EQ(Layout({}).texts.size(), 4u);
}

TEST(TitleBlock, IsDrawnAsAFrameWithRowAndCellLinesInBlack) {
    CRecordingCanvas canvas;
    canvas.SetMonochrome(false);
    DrawTitleBlock(canvas, Layout({"ACME", "", "", "", ""}));
    const auto d = canvas.Describe();
    ASSERT_GE(d.size(), 6u);
    EXPECT_EQ(d[0], "rectangle 555,905 855,965");
    EXPECT_TRUE(canvas.Calls()[0].brush.hollow);
    EXPECT_EQ(d[1], "line 555,920 855,920");
    EXPECT_EQ(d[3], "line 555,950 855,950");
    EXPECT_EQ(d[4], "line 655,950 655,965");
    EXPECT_EQ(d[5], "line 755,950 755,965");
    for (const auto& call : canvas.Calls()) {
        EXPECT_EQ(call.pen.color, (CPaletteColor{0, 0, 0}));
        if (call.kind == CCanvasCall::Kind::Text) {
            EXPECT_EQ(call.color, (CPaletteColor{0, 0, 0}));
        }
    }
}

}  // namespace
}  // namespace kestro
