#include <gtest/gtest.h>

#include "core/platform/recording_canvas.h"
#include "core/platform/svg_canvas.h"

namespace kestro {
namespace {

TEST(CanvasMapping, AddsTheOriginThenZoomsRoundingHalfAwayFromZero) {
    CRecordingCanvas canvas;
    canvas.SetOrigin({10, -10});
    canvas.SetZoom(1.5);
    EXPECT_EQ(canvas.ToDevice({1, 0}), (CPointI{17, -15}));    // 16.5 -> 17
    EXPECT_EQ(canvas.ToDevice({-21, 9}), (CPointI{-17, -2}));  // -16.5 -> -17, -1.5 -> -2
    canvas.SetZoom(0);
    EXPECT_EQ(canvas.GetZoom(), 1.0);
    canvas.SetZoom(1e30);
    EXPECT_EQ(canvas.ToDeviceX(1), 1 << 28);  // absurd zooms stay inside device range
}

TEST(CanvasColours, RolesPaletteAndBlackAndWhite) {
    CRecordingCanvas canvas;
    CCanvas::ColorRoles roles{};
    roles[1] = 7;
    roles[2] = 12;  // outside the palette
    canvas.SetColorRoles(roles);
    EXPECT_EQ(canvas.RoleColor(1), PaletteColor(7));
    EXPECT_EQ(canvas.RoleColor(2), PaletteColor(0));
    EXPECT_EQ(canvas.RoleColor(99), PaletteColor(0));
    canvas.SelectRoleBrush(1);
    EXPECT_EQ(canvas.GetBrush().color, PaletteColor(7));
    canvas.SetMonochrome(true);
    canvas.SelectRolePen(1);
    canvas.SelectPaletteBrush(3);
    EXPECT_EQ(canvas.GetPen().color, (CPaletteColor{0, 0, 0}));
    EXPECT_EQ(canvas.GetBrush().color, (CPaletteColor{0, 0, 0}));
    canvas.SelectBackgroundBrush();
    EXPECT_EQ(canvas.GetBrush().color, (CPaletteColor{255, 255, 255}));
}

TEST(CanvasClip, CullsOnlyWhatLiesWhollyOutside) {
    CRecordingCanvas canvas;
    EXPECT_TRUE(canvas.IsVisible({1000, 1000, 1001, 1001}));
    canvas.SetClip(CRectF{0, 0, 100, 100});
    EXPECT_TRUE(canvas.IsVisible({90, 90, 120, 120}));
    EXPECT_FALSE(canvas.IsVisible({101, 0, 120, 10}));
}

TEST(FixedTextMetric, CountsCharactersNotBytes) {
    const CLogicalFont font{"x", -10, 400, false};
    EXPECT_EQ(FixedTextExtent("ab", font), (CSizeI{12, 10}));
    EXPECT_EQ(FixedTextExtent("\xC3\xBC\xC3\xBC", font), (CSizeI{12, 10}));
    EXPECT_EQ(FixedTextExtent("", font), (CSizeI{0, 10}));
}

TEST(SvgCanvas, WritesAStandaloneDocumentWithEscapedText) {
    CSvgCanvas canvas(100, 50);
    canvas.SelectColorPen({255, 0, 0}, 2, kPenDash);
    canvas.SelectHollowBrush();
    canvas.Rectangle({0, 0, 11, 11});
    canvas.Arc({0, 0, 21, 21}, {10, 0}, {10, 20});
    canvas.Text({0, 0, 10, 10}, "a<b&\x01\xE9", CLogicalFont{"Face\"", -10, 700, true}, 1,
                {0, 0, 255});
    const std::string svg = canvas.Document();
    EXPECT_EQ(svg.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg", 0), 0u);
    EXPECT_NE(svg.find("width=\"100\" height=\"50\""), std::string::npos);
    EXPECT_NE(svg.find("<rect x=\"0.5\" y=\"0.5\" width=\"10\" height=\"10\" fill=\"none\" "
                       "stroke=\"#ff0000\" stroke-width=\"2\" stroke-dasharray=\"18 6\"/>"),
              std::string::npos);
    // The left half, counter-clockwise from the top: an SVG arc with sweep flag 0.
    EXPECT_NE(svg.find("<path d=\"M10.5,0.5 A10 10 0 0 0 10.5,20.5\""), std::string::npos);
    EXPECT_NE(svg.find(">a&lt;b&amp; \xC3\xA9</text>"), std::string::npos);
    EXPECT_NE(svg.find("font-family=\"Face&quot;\""), std::string::npos);
    EXPECT_NE(svg.find("rotate(-90 5 5)"), std::string::npos);
}

}  // namespace
}  // namespace kestro
