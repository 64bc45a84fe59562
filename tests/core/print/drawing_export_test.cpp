#include "core/print/drawing_export.h"

#include <gtest/gtest.h>

#include "core/objects/wire.h"
#include "core/platform/recording_canvas.h"
#include "tests/core/support/circuit_support.h"

namespace kestro {
namespace {

size_t Count(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

class DrawingExport : public ::testing::Test {
protected:
    void Wire(CPointF a, CPointF b) { sheet->AddObject(CWire::Create(env, a, b)); }

    test::CSheetWorld world;
    const CPartEnvironment& env = world.context.parts;
    std::shared_ptr<CCircuit> sheet = world.NewSheet();
};

TEST_F(DrawingExport, APdfHasOnePageForEachPrintedPage) {
    Wire({100, 100}, {200, 100});
    Wire({1900, 1900}, {1950, 1900});
    sheet->GetTitleInfo()[1] = "Two corners";
    CPdfExportOptions options;
    options.zoom = 1.0;
    const CPdfExport pdf = ExportPdf(*sheet, options);
    ASSERT_EQ(pdf.status, CPrintJob::Status::Ready);
    EXPECT_EQ(pdf.pages, 2);  // of a grid four pages across and three down
    EXPECT_EQ(Count(pdf.bytes, "/Type /Page "), 2u);
    EXPECT_NE(pdf.bytes.find("(Page 2 of 2) Tj"), std::string::npos);
    EXPECT_NE(pdf.bytes.find("/Title (Two corners)"), std::string::npos);

    // Fitted onto one page, without the title block, in black.
    options.mode = PrintMode::SelectedArea;
    options.legend = false;
    options.monochrome = true;
    const CPdfExport fitted = ExportPdf(*sheet, options);
    EXPECT_EQ(fitted.pages, 1);
    EXPECT_EQ(fitted.bytes.find(" Tj"), std::string::npos);
    EXPECT_EQ(fitted.bytes.find("1 0 0 RG"), std::string::npos);  // no red wires
}

TEST_F(DrawingExport, ASheetWithoutObjectsGivesNoFile) {
    const CPdfExport pdf = ExportPdf(*sheet);
    EXPECT_EQ(pdf.status, CPrintJob::Status::Empty);
    EXPECT_TRUE(pdf.bytes.empty());
    EXPECT_TRUE(ExportSvg(*sheet).empty());
}

TEST_F(DrawingExport, AnSvgHoldsTheWholeDrawingAtItsNaturalSize) {
    Wire({100, 100}, {200, 100});
    Wire({150, 100}, {150, 300});
    const std::string svg = ExportSvg(*sheet);
    EXPECT_NE(svg.find("width=\"120\" height=\"220\""), std::string::npos);
    CRecordingCanvas drawing;
    sheet->DrawAll(drawing);
    size_t elements = 0;
    for (size_t at = svg.find("\n<"); at != std::string::npos; at = svg.find("\n<", at + 1))
        elements += svg.compare(at + 1, 2, "</") != 0;
    EXPECT_EQ(elements, drawing.Calls().size() + 2);  // the root and the paper
    // One unit per pixel from the corner of the margin (a line ends past its last pixel).
    EXPECT_NE(svg.find("<path d=\"M10.5,10.5 L111.5,10.5\""), std::string::npos) << svg;
}

}  // namespace
}  // namespace kestro
