#include "core/platform/pdf_canvas.h"

#include <gtest/gtest.h>

#include <sstream>

#include "core/platform/number_text.h"
#include "core/platform/text_encoding.h"

namespace kestro {
namespace {

size_t Count(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// Every object the cross-reference table lists starts where the table says.
void ExpectValidCrossReferences(const std::string& pdf) {
    const size_t table = pdf.rfind("\nxref\n") + 1;
    ASSERT_NE(table, 0u);
    const size_t start = pdf.find("startxref\n");
    EXPECT_EQ(ParseLeadingInt(pdf.substr(start + 10)), int64_t(table));
    std::istringstream lines(pdf.substr(table + 5));
    int first = 0, count = 0;
    lines >> first >> count;
    std::string offset, generation, use;
    lines >> offset >> generation >> use;  // the free head of the list
    for (int number = 1; number < count; ++number) {
        lines >> offset >> generation >> use;
        ASSERT_EQ(use, "n");
        const auto at = static_cast<size_t>(ParseLeadingInt(offset));
        EXPECT_EQ(
            pdf.compare(at, std::to_string(number).size() + 6, std::to_string(number) + " 0 obj"),
            0)
            << "object " << number;
    }
}

TEST(PdfCanvas, WritesOnePageObjectPerPageWithValidCrossReferences) {
    CPdfCanvas canvas;
    canvas.StartPage();
    canvas.Line({0, 0}, {100, 0});
    canvas.StartPage({612, 792, 600, 18, 18});
    canvas.Rectangle({10, 10, 20, 20});
    const std::string pdf = canvas.Document("Buck");
    EXPECT_EQ(pdf.substr(0, 9), "%PDF-1.4\n");
    EXPECT_EQ(Count(pdf, "/Type /Page "), 2u);
    EXPECT_NE(pdf.find("/Count 2"), std::string::npos);
    EXPECT_NE(pdf.find("/MediaBox [0 0 612 792]"), std::string::npos);
    // Device pixels at 600 per inch, y downwards, from the margins.
    EXPECT_NE(pdf.find("q 0.12 0 0 -0.12 18 774 cm\n"), std::string::npos);
    EXPECT_NE(pdf.find("/Title (Buck)"), std::string::npos);
    EXPECT_EQ(pdf.substr(pdf.size() - 6), "%%EOF\n");
    ExpectValidCrossReferences(pdf);
    // A file always has a page.
    EXPECT_EQ(Count(CPdfCanvas().Document(), "/Type /Page "), 1u);
}

TEST(PdfCanvas, PrintableSizeIsThePaperInsideTheMarginsInDevicePixels) {
    EXPECT_EQ((CPdfPage{595, 842, 1200, 10, 10}.PrintableSize()), (CSizeI{9583, 13700}));
    EXPECT_EQ((CPdfPage{612, 792, 72, 0, 0}.PrintableSize()), (CSizeI{612, 792}));
}

TEST(PdfCanvas, FiguresUsePixelCentresThinPensAndTheirFillRules) {
    CPdfCanvas canvas;
    canvas.Line({1, 2}, {11, 2});
    canvas.SelectColorPen({255, 0, 0}, 3, kPenDash);
    canvas.SelectColorBrush({0, 0, 255});
    canvas.Polygon(std::vector<CPointI>{{0, 0}, {10, 0}, {0, 10}});
    canvas.SelectColorPen({0, 0, 0}, 1, kPenNull);
    canvas.Rectangle({0, 0, 4, 4});
    const std::string pdf = canvas.Document();
    EXPECT_NE(pdf.find("0 w 0 J 0 j\n[] 0 d\n1.5 2.5 m 11.5 2.5 l S\n"), std::string::npos);
    // Dashes keep their screen length: 18 and 6 pixels of 1/96 inch at 1200 per inch.
    EXPECT_NE(pdf.find("1 0 0 RG\n3 w 1 J 1 j\n[225 75] 0 d\n"), std::string::npos);
    EXPECT_NE(pdf.find("[225 75] 0 d\n0 0 1 rg\n0.5 0.5 m\n10.5 0.5 l\n0.5 10.5 l\nh\nB*\n"),
              std::string::npos);
    // Without a pen the fill covers the whole box.
    EXPECT_NE(pdf.find("0 0 4 4 re f\n"), std::string::npos);

    // Scaled up to paper, a one-pixel pen is a line of several device pixels.
    CPdfCanvas paper;
    paper.SetPenScale(12.5);
    paper.Line({0, 0}, {10, 0});
    EXPECT_NE(paper.Document().find("13 w 1 J 1 j\n"), std::string::npos);
}

TEST(PdfCanvas, TextsUseTheStandardFontsTheirMetricsAndEscapes) {
    CPdfCanvas canvas;
    const CLogicalFont courier{"Courier New", -10, 400, false};
    const CLogicalFont helvetica{"Arial", -10, 700, false};
    EXPECT_EQ(canvas.TextExtent("Hello", courier), (CSizeI{30, 10}));
    // H e l l o in bold Helvetica: 722 + 556 + 278 + 278 + 611 thousandths.
    EXPECT_EQ(canvas.TextExtent("Hello", helvetica).cx, 24);
    canvas.Text({0, 0, 30, 10}, "a(b)\\ \xC3\xA9\x01", courier, 0, {0, 0, 0});
    canvas.Text({0, 0, 10, 30}, "up", helvetica, 1, {0, 0, 0});
    const std::string pdf = canvas.Document();
    EXPECT_NE(pdf.find("(a\\(b\\)\\\\ \\351 ) Tj"), std::string::npos);
    // Turned a quarter: along the text is up the page, its top to the left.
    EXPECT_NE(pdf.find("/F1 10 Tf 0 -1 -1 0 8.5 21.11 Tm (up) Tj"), std::string::npos) << pdf;
    EXPECT_NE(pdf.find("/F1 5 0 R /F8 6 0 R"), std::string::npos);
    EXPECT_NE(pdf.find("/BaseFont /Courier /Encoding /WinAnsiEncoding"), std::string::npos);
    EXPECT_NE(pdf.find("/BaseFont /Helvetica-Bold "), std::string::npos);
}

TEST(PdfCanvas, ADeviceClipWithAHoleIsOpenedAndClosedInPairs) {
    CPdfCanvas canvas;
    canvas.SetDeviceClip(CDeviceClip{{0, 0, 100, 100}, CRectI{10, 80, 90, 95}});
    canvas.Line({0, 0}, {100, 100});
    canvas.SetDeviceClip(CDeviceClip{{0, 0, 100, 100}, std::nullopt});
    canvas.StartPage();  // the clip goes on with the next page
    const std::string pdf = canvas.Document();
    EXPECT_NE(pdf.find("q 0 0 100 100 re 10 80 80 15 re W* n\n"), std::string::npos);
    EXPECT_EQ(Count(pdf, "q 0 0 100 100 re W* n\n"), 2u);
    EXPECT_EQ(Count(pdf, "q "), Count(pdf, "Q\n"));
    ExpectValidCrossReferences(pdf);
}

TEST(TextEncoding, Windows1252FromUtf8ReplacesWhatTheCodePageLacks) {
    EXPECT_EQ(TextAsWindows1252("caf\xC3\xA9 \xE2\x82\xAC"), "caf\xE9 \x80");
    EXPECT_EQ(TextAsWindows1252("\xCE\xA9"), "?");       // Greek capital omega
    EXPECT_EQ(TextAsWindows1252("caf\xE9"), "caf\xE9");  // already Windows-1252
}

TEST(NumberText, FormatDecimalHasNoExponentAndNoTrailingZeros) {
    EXPECT_EQ(FormatDecimal(12.5), "12.5");
    EXPECT_EQ(FormatDecimal(-0.0001), "0");
    EXPECT_EQ(FormatDecimal(1e20), "100000000000000000000");
    EXPECT_EQ(FormatDecimal(2.0 / 3.0, 2), "0.67");
    EXPECT_EQ(FormatDecimal(std::nan("")), "0");
}

}  // namespace
}  // namespace kestro
