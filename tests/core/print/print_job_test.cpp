#include "core/print/print_job.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/objects/wire.h"
#include "core/platform/recording_canvas.h"
#include "tests/core/support/circuit_support.h"

namespace kestro {
namespace {

using Kind = CCanvasCall::Kind;

// A printer whose page is 1000 by 1000 pixels: at zoom 1 one page holds 800 by 800 units
// (the scale is 1.25 pixels per unit), or 800 by 720 with the title block.
class PrintJob : public ::testing::Test {
protected:
    CPart* Wire(CPointF a, CPointF b) { return sheet->AddObject(CWire::Create(env, a, b)); }

    CPrintRequest Request(double zoom, bool legend = false) const {
        CPrintRequest request;
        request.printable = {1000, 1000};
        request.zoom = zoom;
        request.legend = legend;
        return request;
    }

    static std::vector<std::string> Texts(const CRecordingCanvas& canvas) {
        std::vector<std::string> texts;
        for (const auto& call : canvas.Calls())
            if (call.kind == Kind::Text) texts.push_back(call.text);
        return texts;
    }

    test::CSheetWorld world;
    const CPartEnvironment& env = world.context.parts;
    std::shared_ptr<CCircuit> sheet = world.NewSheet();
};

TEST_F(PrintJob, ADrawingThatFitsAPageAtTheZoomPrintsOnePageAndZoomingInSpreadsIt) {
    Wire({100, 100}, {700, 100});
    Wire({100, 600}, {700, 600});
    const CPrintJob one(*sheet, Request(1.0));
    ASSERT_TRUE(one.IsReady());
    EXPECT_DOUBLE_EQ(one.GetScale(), 1.25);
    EXPECT_DOUBLE_EQ(one.GetPageWidth(), 800.0);
    EXPECT_EQ(one.GetPageCount(), 1);
    // The extent starts at the sheet's page rectangle, not at the objects.
    EXPECT_EQ(one.GetExtent(), (CRectF{0, 0, 700, 600}));
    EXPECT_EQ(one.GetPages()[0], (CRectF{0, 0, 800, 800}));

    const CPrintJob four(*sheet, Request(2.0));
    ASSERT_EQ(four.GetPageCount(), 4);
    EXPECT_EQ(four.GetPages(),
              (std::vector<CRectF>{
                  {0, 0, 400, 400}, {400, 0, 800, 400}, {0, 400, 400, 800}, {400, 400, 800, 800}}));
}

TEST_F(PrintJob, PagesNoObjectMeetsAreLeftOutAndTheNumbersCountOnlyPrintedPages) {
    Wire({100, 100}, {200, 100});
    Wire({1700, 900}, {1750, 900});                   // middle row, right column
    Wire({1700, 1700}, {1750, 1700});                 // bottom row, right column
    const CPrintJob job(*sheet, Request(1.0, true));  // pages of 800 by 720 units
    ASSERT_EQ(job.GetPageCount(), 3);
    EXPECT_EQ(job.GetPages()[1], (CRectF{1600, 720, 2400, 1440}));
    EXPECT_EQ(job.GetPages()[2], (CRectF{1600, 1440, 2400, 2160}));

    CRecordingCanvas canvas;
    job.PrintPage(canvas, 2);
    const auto texts = Texts(canvas);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Page 2 of 3"), texts.end());
    // The page's own corner is at the device's top-left: the wire at x 1700 is 100 units in.
    const auto line =
        std::find_if(canvas.Calls().begin(), canvas.Calls().end(), [](const CCanvasCall& c) {
            return c.kind == Kind::Line && c.pen.color != CPaletteColor{0, 0, 0};
        });
    ASSERT_NE(line, canvas.Calls().end());
    EXPECT_EQ(line->points[0], (CPointI{125, 225}));  // (1700-1600, 900-720) × 1.25
}

TEST_F(PrintJob, AnObjectOnABorderBelongsToThePagesItOverlaps) {
    Wire({790, 100}, {800, 100});  // ends on the border: the first page only
    Wire({1600, 50}, {1600, 60});  // an upright wire on the third column's left border
    const CPrintJob job(*sheet, Request(1.0));
    EXPECT_EQ(job.GetPages(), (std::vector<CRectF>{{0, 0, 800, 800}, {1600, 0, 2400, 800}}));
}

TEST_F(PrintJob, NothingIsPrintedForAnEmptyDrawingOrAnEmptySelection) {
    const CPrintJob empty(*sheet, Request(1.0));
    EXPECT_EQ(empty.GetStatus(), CPrintJob::Status::Empty);
    EXPECT_EQ(empty.GetPageCount(), 0);
    EXPECT_EQ(empty.GetExtent(), (CRectF{0, 0, 10, 10}));
    CRecordingCanvas canvas;
    empty.PrintPage(canvas, 1);
    EXPECT_TRUE(canvas.Calls().empty());

    Wire({100, 100}, {200, 100});
    CPrintRequest area = Request(1.0);
    area.mode = PrintMode::SelectedArea;
    EXPECT_EQ(CPrintJob(*sheet, area).GetStatus(), CPrintJob::Status::Empty);
    // Objects that all lie before the sheet's page rectangle meet no page.
    sheet->SetDrawingArea({500, 500, 2500, 2500});
    EXPECT_EQ(CPrintJob(*sheet, Request(1.0)).GetStatus(), CPrintJob::Status::Empty);
}

TEST_F(PrintJob, AZoomThatWouldNeedTooManyPagesIsRefused) {
    Wire({100, 100}, {1900, 1900});
    const CPrintJob job(*sheet, Request(1000.0));
    EXPECT_EQ(job.GetStatus(), CPrintJob::Status::TooManyPages);
    EXPECT_EQ(job.GetPageCount(), 0);
    // A zoom that is no number is taken as 1.
    EXPECT_EQ(CPrintJob(*sheet, Request(std::nan(""))).GetPageCount(), 9);
}

TEST_F(PrintJob, TheLegendTakesTheBottomTenthAndWithoutItThePageIsFull) {
    Wire({100, 100}, {700, 100});
    const CPrintJob withLegend(*sheet, Request(1.0, true));
    EXPECT_DOUBLE_EQ(withLegend.GetDrawingHeight(), 900.0);
    EXPECT_DOUBLE_EQ(withLegend.GetPageHeight(), 720.0);
    CRecordingCanvas canvas;
    withLegend.PrintPage(canvas, 1);
    const auto describe = canvas.Describe();
    ASSERT_GE(describe.size(), 3u);
    EXPECT_EQ(describe.front(), "clip 0,0 1000,1000");
    const auto hole = std::find_if(describe.begin(), describe.end(), [](const std::string& d) {
        return d.starts_with("clip 0,0 1000,1000 without");
    });
    ASSERT_NE(hole, describe.end());
    EXPECT_EQ(*hole, "clip 0,0 1000,1000 without 617,905 950,965");
    EXPECT_EQ(describe.back(), "clip none");
    // The title block comes before the clip that keeps the drawing off it.
    EXPECT_LT(std::find(describe.begin(), describe.end(),
                        "text \"Page 1 of 1\" 839,950 950,965 "
                        "turns 0 height -10"),
              hole);

    const CPrintJob full(*sheet, Request(1.0, false));
    EXPECT_DOUBLE_EQ(full.GetPageHeight(), 800.0);
    canvas.ClearCalls();
    full.PrintPage(canvas, 1);
    EXPECT_TRUE(Texts(canvas).empty());
    EXPECT_EQ(canvas.Describe()[1], "clip 0,0 1000,1000");
}

TEST_F(PrintJob, PensAreAsWideOnPaperAsOnAScreen) {
    Wire({100, 100}, {700, 100});
    CPrintRequest request = Request(1.0);
    request.resolution = 600;
    CRecordingCanvas canvas;
    CPrintJob(*sheet, request).PrintPage(canvas, 1);
    EXPECT_DOUBLE_EQ(canvas.GetPenScale(), 6.25);
    EXPECT_EQ(canvas.DevicePenWidth({{0, 0, 0}, 1, kPenSolid}), 6);
    EXPECT_EQ(canvas.DevicePenWidth({{0, 0, 0}, 2, kPenSolid}), 13);  // 12.5 away from zero
}

TEST_F(PrintJob, ASelectedAreaFillsOnePageButATinyOneIsEnlargedAtMostTenTimes) {
    CPrintRequest request = Request(1.0);
    request.mode = PrintMode::SelectedArea;
    const CPart* tiny = Wire({100, 100}, {110, 100});
    const CPrintJob small(*sheet, request, {tiny});
    ASSERT_EQ(small.GetPageCount(), 1);
    EXPECT_EQ(small.GetExtent(), (CRectF{90, 90, 120, 110}));
    EXPECT_DOUBLE_EQ(small.GetScale(), 12.5);  // ten times 1.25, though 33 would fit

    const CPart* wide = Wire({100, 300}, {500, 300});
    const CPrintJob fitted(*sheet, request, {tiny, wide});
    EXPECT_EQ(fitted.GetExtent(), (CRectF{90, 90, 510, 310}));
    EXPECT_DOUBLE_EQ(fitted.GetScale(), 1000.0 / 420.0);
    // The zoom of the view plays no part.
    request.zoom = 3.0;
    EXPECT_DOUBLE_EQ(CPrintJob(*sheet, request, {tiny, wide}).GetScale(), 1000.0 / 420.0);
}

TEST_F(PrintJob, TheSelectedAreaIsCentredAcrossAndPlacedDownByThePagePosition) {
    CPrintRequest request = Request(1.0);
    request.mode = PrintMode::SelectedArea;
    const CPart* wire = Wire({100, 100}, {300, 100});  // 220 by 20 units with the margin
    const auto originFor = [&](int position) {
        request.pagePosition = position;
        return CPrintJob(*sheet, request, {wire}).SurfaceOrigin(1);
    };
    // 1000 / 220 pixels per unit: the page is 220 units square, the wire 200 wide and flat.
    EXPECT_FLOAT_EQ(originFor(kPageMiddle).x, 10.0f - 100.0f);
    EXPECT_FLOAT_EQ(originFor(kPageMiddle).y, 110.0f - 100.0f);
    EXPECT_FLOAT_EQ(originFor(kPageTop).y, 3.0f - 100.0f);
    EXPECT_FLOAT_EQ(originFor(kPageBottom).y, 217.0f - 100.0f);
}

TEST_F(PrintJob, ASelectedAreaDrawsOnlyItsObjectsAndTheirNodeMarkers) {
    const CPart* chosen = Wire({100, 100}, {200, 100});
    Wire({500, 500}, {600, 500});
    CPrintRequest request = Request(1.0);
    request.mode = PrintMode::SelectedArea;
    const CPrintJob job(*sheet, request, {chosen});
    CRecordingCanvas canvas;
    job.PrintPage(canvas, 1);
    int lines = 0, markers = 0;
    for (const auto& call : canvas.Calls()) {
        lines += call.kind == Kind::Line;
        markers += call.kind == Kind::Ellipse;
    }
    EXPECT_EQ(lines, 1);
    EXPECT_EQ(markers, 2);  // the chosen wire's open ends
}

}  // namespace
}  // namespace kestro
