#include <gtest/gtest.h>

#include "core/library/sh_arc.h"
#include "core/library/sh_ellipse.h"
#include "core/library/sh_line.h"
#include "core/library/sh_poly.h"
#include "core/library/sh_rrect.h"
#include "core/library/sh_text.h"
#include "core/platform/record_buffer.h"
#include "core/platform/recording_canvas.h"

namespace kestro {
namespace {

CPlacement At(float x, float y, uint16_t rotation = 0, float sx = 1, float sy = 1) {
    return CPlacement{7, x, y, rotation, sx, sy};
}

std::vector<std::string> Drawn(const CShape& shape, const CPlacement& placement,
                               double zoom = 1.0) {
    CRecordingCanvas canvas;
    canvas.SetZoom(zoom);
    shape.Draw(canvas, placement);
    return canvas.Describe();
}

TEST(Placement, LineTurnedOnceRunsUpwards) {
    CSHLine line({0, 0}, {10, 0});
    line.Transform(At(100, 50, 1));
    EXPECT_EQ(line.GetRect(), (CRectF{100, 50, 100, 40}));
}

TEST(Placement, LineMirroredInXRunsLeft) {
    CSHLine line({0, 0}, {10, 0});
    line.Transform(At(100, 50, 0, -1, 1));
    EXPECT_EQ(line.GetRect(), (CRectF{100, 50, 90, 50}));
}

TEST(Placement, OddTurnsScaleByTheOtherAxis) {
    // Mirroring first and turning afterwards: sy acts on the turned x for odd turns.
    const CPlacement placement = At(0, 0, 1, 1, -1);
    EXPECT_EQ(placement.Place({10, 0}), (CPointF{0, -10}));
    EXPECT_EQ(placement.Place({0, 10}), (CPointF{-10, 0}));
}

TEST(Placement, SerializesInFieldOrder) {
    CPlacement placement{7, 1.0f, 2.0f, 3, -1.0f, 1.0f};
    CRecordBuffer out;
    placement.Serialize(out);
    ASSERT_EQ(out.Length(), 20u);
    out.StartReading();
    CPlacement back;
    back.Serialize(out);
    EXPECT_EQ(back, placement);
}

TEST(Rotate90, PointTurnsAboutTheCentreAndFourTurnsRestoreIt) {
    EXPECT_EQ(TurnAbout({20, 0}, {0, 0}, 1), (CPointF{0, -20}));
    EXPECT_EQ(TurnAbout({20, 0}, {0, 0}, -1), TurnAbout({20, 0}, {0, 0}, 3));
    CSHLine line({20, 0}, {30, 5});
    CSHArc arc({0, 0, 10, 20}, 2);
    CSHTextAdvance text;
    text.SetAnchor({20, 0});
    for (int i = 0; i < 4; ++i) {
        line.Rotate90({5, 5});
        arc.Rotate90({5, 5});
        text.Rotate90({5, 5});
        if (i == 0) {
            EXPECT_EQ(line.GetFrom(), (CPointF{0, -10}));
            EXPECT_EQ(arc.GetOrientation(), 3);
            EXPECT_EQ(text.GetRotation(), 1);
        }
    }
    EXPECT_EQ(line.GetRect(), (CRectF{20, 0, 30, 5}));
    EXPECT_EQ(arc.GetRect(), (CRectF{0, 0, 10, 20}));
    EXPECT_EQ(arc.GetOrientation(), 2);
    EXPECT_EQ(text.GetAnchor(), (CPointF{20, 0}));
    EXPECT_EQ(text.GetRotation(), 0);
}

TEST(ArcOrientation, FollowsTheTurnAndFlipsUnderAMirrorAcrossItsOpening) {
    const CSHArc arc({0, -10, 10, 10}, 0);
    EXPECT_EQ(arc.EffectiveOrientation(At(0, 0, 1)), 1);
    EXPECT_EQ(arc.EffectiveOrientation(At(0, 0, 0, -1, 1)), 2);
    EXPECT_EQ(arc.EffectiveOrientation(At(0, 0, 0, 1, -1)), 0);  // mirror along the opening
    // Mirrored first, then turned: the left half mirrored in x is the right half, which
    // turned once is the upper half; mirrored in y it stays the left half.
    EXPECT_EQ(arc.EffectiveOrientation(At(0, 0, 1, -1, 1)), 3);
    EXPECT_EQ(arc.EffectiveOrientation(At(0, 0, 1, 1, -1)), 1);
}

TEST(ArcDrawing, DoublesTheBoxTowardsTheOpenSideAndRunsCounterClockwise) {
    // The left half of a circle of radius 10 centred on (10, 0).
    const CSHArc arc({0, -10, 10, 10}, 0);
    EXPECT_EQ(Drawn(arc, At(0, 0)),
              (std::vector<std::string>{"arc 0,-10 20,10 from 10,-10 to 10,10"}));
    // Turned once it is the lower half of a circle centred on (0, -10).
    EXPECT_EQ(Drawn(arc, At(0, 0, 1)),
              (std::vector<std::string>{"arc -10,-20 10,0 from -10,-10 to 10,-10"}));
    // Mirrored left-right it shows its right half.
    EXPECT_EQ(Drawn(arc, At(0, 0, 0, -1, 1)),
              (std::vector<std::string>{"arc -20,-10 0,10 from -10,10 to -10,-10"}));
}

TEST(LineDrawing, AxisParallelLinesReachTheirEndPixel) {
    EXPECT_EQ(Drawn(CSHLine({0, 0}, {10, 0}), At(100, 50, 1)),
              (std::vector<std::string>{"line 100,50 100,39"}));
    EXPECT_EQ(Drawn(CSHLine({0, 0}, {10, 0}), At(0, 0, 0, -1, 1)),
              (std::vector<std::string>{"line 0,0 -11,0"}));
    EXPECT_EQ(Drawn(CSHLine({0, 0}, {10, 5}), At(0, 0)),
              (std::vector<std::string>{"line 0,0 10,5"}));
}

TEST(LineDrawing, UsesItsOwnPenInThePlacementColour) {
    CRecordingCanvas canvas;
    CCanvas::ColorRoles roles{};
    roles[7] = 2;
    canvas.SetColorRoles(roles);
    CSHLine({0, 0}, {1, 1}, 3, kPenDot).Draw(canvas, At(0, 0));
    const CPen& pen = canvas.Calls().at(0).pen;
    EXPECT_EQ(pen.color, PaletteColor(2));
    EXPECT_EQ(pen.width, 3);
    EXPECT_EQ(pen.style, kPenDot);
    canvas.SetMonochrome(true);
    CSHLine({0, 0}, {1, 1}).Draw(canvas, At(0, 0));
    EXPECT_EQ(canvas.Calls().at(1).pen.color, (CPaletteColor{0, 0, 0}));
}

TEST(BoxDrawing, MapsRoundingHalfAwayFromZeroWithRightAndBottomPlusOne) {
    // (value + origin) × zoom: 2.5 -> 3 and -2.5 -> -3.
    CRecordingCanvas canvas;
    canvas.SetZoom(0.5);
    canvas.SetOrigin({0, 0});
    CSHEllipse({5, -5, 15, 25}).Draw(canvas, At(0, 0));
    CSHRRect({15, 25, 5, -5}).Draw(canvas, At(0, 0));
    EXPECT_EQ(canvas.Describe(),
              (std::vector<std::string>{"ellipse 3,-3 9,14", "rectangle 3,-3 9,14"}));
    EXPECT_FALSE(canvas.Calls()[0].brush.hollow);
    EXPECT_EQ(canvas.Calls()[0].brush.color, canvas.GetBackground());
}

TEST(PolyDrawing, PlacesEveryPointAndBoundsCoverThem) {
    CSHPoly poly({{0, 0}, {10, 0}, {5, -8}});
    EXPECT_EQ(poly.GetBounds(), (CRectF{0, -8, 10, 0}));
    EXPECT_EQ(Drawn(poly, At(10, 10, 2)), (std::vector<std::string>{"polygon 10,10 0,10 5,18"}));
}

TEST(TextTransform, HeightIsScaledAndNeverZero) {
    CSHTextAdvance text(CLogicalFont{"Arial", 1, 400, false});
    text.Transform(At(0, 0, 0, 0.5f, 1));
    EXPECT_EQ(text.GetHeight(), -1);
    CSHTextAdvance mirrored(CLogicalFont{"Arial", -12, 400, false});
    mirrored.Transform(At(0, 0, 3, -1, 1));
    EXPECT_EQ(mirrored.GetHeight(), 12);
    EXPECT_EQ(mirrored.GetRotation(), 3);
}

TEST(TextDrawing, CentresTheMeasuredTextAndTurnsItsBox) {
    CSHTextAdvance text(CLogicalFont{"Arial", -10, 400, false});
    text.SetText("ABCD");  // 4 × 6 = 24 by 10 with the fixed metric
    text.SetAnchor({50, 20});
    text.SetUsePlacementColor(1);
    EXPECT_EQ(Drawn(text, At(0, 0)),
              (std::vector<std::string>{"text \"ABCD\" 38,15 62,25 turns 0 height -10"}));
    EXPECT_EQ(Drawn(text, At(0, 0, 1)),
              (std::vector<std::string>{"text \"ABCD\" 15,-62 25,-38 turns 1 height -10"}));
    EXPECT_EQ(Drawn(text, At(0, 0), 2.0),
              (std::vector<std::string>{"text \"ABCD\" 76,30 124,50 turns 0 height -20"}));
}

TEST(TextDrawing, JustifiedTextKeepsItsEdgeOnTheExtent) {
    CSHTextAdvance text(CLogicalFont{"Arial", -10, 400, false});
    text.SetText("AB");
    text.SetStyle(text.GetStyle() | CSHTextAdvance::kJustifyLeft);
    text.SetExtent({-30, -5, 0, 5});
    EXPECT_EQ(Drawn(text, At(0, 0)).at(0), "text \"AB\" -30,-5 -18,5 turns 0 height -10");
    text.SetStyle(400 | CSHTextAdvance::kJustifyRight);
    EXPECT_EQ(Drawn(text, At(0, 0)).at(0), "text \"AB\" -12,-5 0,5 turns 0 height -10");
}

TEST(TextDrawing, TinyTextIsNotDrawnAndOwnColourIsUsedWithoutTheFlag) {
    CSHTextAdvance text(CLogicalFont{"Arial", -10, 400, false});
    text.SetText("A");
    EXPECT_TRUE(Drawn(text, At(0, 0), 0.1).empty());
    text.SetColorIndex(4);
    CRecordingCanvas canvas;
    text.Draw(canvas, At(0, 0));
    EXPECT_EQ(canvas.Calls().at(0).color, PaletteColor(4));
}

TEST(TextExtent, UpdateKeepsTheJustifiedEdgeAndBoundsTurnWithTheText) {
    CRecordingCanvas canvas;
    CSHTextAdvance text(CLogicalFont{"Arial", -10, 400, false});
    text.SetText("ABCD");
    text.UpdateExtent(canvas);
    EXPECT_EQ(text.GetExtent(), (CRectF{-12, -5, 12, 5}));
    EXPECT_EQ(text.GetLastWidth(), 24u);
    text.SetStyle(400 | CSHTextAdvance::kJustifyLeft);
    text.SetText("AB");
    text.UpdateExtent(canvas);
    EXPECT_EQ(text.GetExtent(), (CRectF{-12, -5, 0, 5}));
    text.SetAnchor({100, 0});
    text.SetRotation(1);
    EXPECT_EQ(text.GetBounds(), (CRectF{95, 0, 105, 12}));
    EXPECT_EQ(text.GetRect(), (CRectF{88, -5, 100, 5}));
}

TEST(TextSetRect, AnchorsAtTheCentre) {
    CSHTextAdvance text;
    text.SetRect({10, 20, 30, 24});
    EXPECT_EQ(text.GetAnchor(), (CPointF{20, 22}));
    EXPECT_EQ(text.GetExtent(), (CRectF{-10, -2, 10, 2}));
}

CRecordBuffer Stored(CShape& shape, uint16_t major = 3, uint16_t minor = 30) {
    CRecordBuffer out;
    out.SetVersion(major, minor);
    shape.Serialize(out, CShapeContext{});
    out.StartReading();
    return out;
}

TEST(ShapeRecords, SymbolTextFontNumberOutsideTheFourReadsAsFontZero) {
    CLibraryFonts fonts = StartupLibraryFonts();
    fonts[0].height = -20;
    CShapeContext context;
    context.libraryFonts = &fonts;
    CRecordBuffer record;
    record.PutString("T");
    record.Put<uint16_t>(7);
    CPlacement placement{0, 5, 6, 5, 1, 1};
    placement.Serialize(record);
    CRectF extent{-1, -2, 1, 2};
    record.Rect(extent);
    record.StartReading();
    CSHText text;
    text.Serialize(record, context);
    EXPECT_EQ(text.GetFontIndex(), 0);
    EXPECT_EQ(text.GetHeight(), -20);
    EXPECT_EQ(text.GetAnchor(), (CPointF{5, 6}));
    EXPECT_EQ(text.GetRotation(), 1);
    EXPECT_EQ(text.GetUsePlacementColor(), 1u);
}

TEST(ShapeRecords, TextAdvanceOfAVersion33FileKeepsAnchorTurnAndColourFlag) {
    CSHTextAdvance written(CLogicalFont{"Arial", -10, 700, true});
    written.SetText("old");
    written.SetAnchor({40, 50});
    written.SetRotation(2);
    written.SetUsePlacementColor(1);
    CRecordBuffer old = Stored(written, 3, 3);
    // text, face, height, style, colour, extent, width: nothing after the width.
    EXPECT_EQ(old.Length(), 6u + 8 + 4 + 4 + 2 + 16 + 4);
    CSHTextAdvance read;
    read.SetAnchor({1, 2});
    read.Serialize(old, CShapeContext{});
    EXPECT_EQ(read.GetText(), "old");
    EXPECT_EQ(read.GetFaceName(), "Arial");
    EXPECT_EQ(read.GetStyle(), 700u | CSHTextAdvance::kItalic);
    EXPECT_EQ(read.GetAnchor(), (CPointF{1, 2}));
    EXPECT_EQ(read.GetRotation(), 0);
    EXPECT_EQ(read.GetUsePlacementColor(), 0u);

    CRecordBuffer current = Stored(written);
    CSHTextAdvance full;
    full.Serialize(current, CShapeContext{});
    EXPECT_EQ(full.GetAnchor(), (CPointF{40, 50}));
    EXPECT_EQ(full.GetRotation(), 2);
    EXPECT_EQ(full.GetUsePlacementColor(), 1u);
}

TEST(ShapeFactory, MakesEveryKnownKindAndNothingForOthers) {
    const CShapeContext context;
    for (uint16_t code : {CShape::kLine, CShape::kEllipse, CShape::kArc, CShape::kText,
                          CShape::kTextAdvance, CShape::kRect, CShape::kPoly}) {
        auto shape = CreateShape(code, context);
        ASSERT_TRUE(shape) << code;
        EXPECT_EQ(shape->GetTypeCode(), code);
    }
    EXPECT_FALSE(CreateShape(0, context));
    EXPECT_FALSE(CreateShape(402, context));
}

TEST(ShapeList, UnknownCodesMakeNothingAndHugeCountsStopAtTheEnd) {
    CRecordBuffer record;
    record.Put<uint32_t>(0xFFFFFFFF);
    record.Put<uint16_t>(999);
    record.Put<uint16_t>(CShape::kEllipse);
    CRectF r{1, 2, 3, 4};
    record.Rect(r);
    record.StartReading();
    CShapeList shapes;
    SerializeShapes(record, shapes, CShapeContext{});
    ASSERT_EQ(shapes.size(), 1u);
    EXPECT_EQ(shapes[0]->GetRect(), r);
}

TEST(CloneTransformed, PlacesACopyAndMovesItByMinusTheOrigin) {
    const CSHLine line({0, 0}, {10, 0});
    auto copy = line.CloneTransformed(At(100, 50, 1), {100, 40});
    EXPECT_EQ(copy->GetTypeCode(), CShape::kLine);
    EXPECT_EQ(copy->GetRect(), (CRectF{0, 10, 0, 0}));
    EXPECT_EQ(line.GetRect(), (CRectF{0, 0, 10, 0}));
}

}  // namespace
}  // namespace kestro
