#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/canvas.h"
#include "core/platform/pdf_font_metrics.h"

namespace kestro {

// A sheet of paper of a PDF file and where the device pixels of the canvas lie on it.
struct CPdfPage {
    double width = 595.0;  // paper, in points (1/72 inch); A4 by default
    double height = 842.0;
    double resolution = 1200.0;  // device pixels per inch
    double left = 10.0;          // from the paper's left edge to device pixel (0, 0), in points
    double top = 10.0;           // from the paper's top edge to device pixel (0, 0), in points

    // The device pixels between the margins (the printable area a printer would report).
    CSizeI PrintableSize() const;
};

// A canvas that writes a PDF file of one or more pages, without a window system: the
// command-line tools print with it. Texts use the standard fonts (not embedded) in the
// Windows encoding, and are measured with those fonts' metrics. A pen one device pixel
// wide becomes the thinnest line a device can show, as a printer's cosmetic pens do; dash
// patterns keep their length on the screen (1/96 inch per pixel of the pattern).
class CPdfCanvas : public CCanvas {
public:
    // Begins a new page; drawing before the first call begins a default one.
    void StartPage(const CPdfPage& page = {});
    size_t PageCount() const { return m_pages.size(); }

    void Line(CPointI from, CPointI to) override;
    void Ellipse(const CRectI& box) override;
    void Arc(const CRectI& box, CPointI start, CPointI end) override;
    void Rectangle(const CRectI& box) override;
    void Polygon(std::span<const CPointI> points) override;
    void Pixel(CPointI at, CPaletteColor color) override;
    void Text(const CRectI& box, std::string_view text, const CLogicalFont& font, int quarterTurns,
              CPaletteColor color) override;
    CSizeI TextExtent(std::string_view text, const CLogicalFont& font) const override;
    void SetDeviceClip(std::optional<CDeviceClip> clip) override;

    // The whole file, with `title` in its document information. A file has at least one
    // page: an empty one when none was begun.
    std::string Document(std::string_view title = {}) const;

private:
    struct CPageContent {
        CPdfPage page;
        std::string content;
        bool clipOpen = false;
    };
    std::string& Out();
    void ForgetState();
    void ApplyStroke();
    void ApplyFill(CPaletteColor color);
    // Sets the pen and brush of a figure (before its path: PDF takes no settings inside
    // one) and gives the operator that ends the path, filling even-odd or not.
    const char* PreparePaint(bool evenOdd);
    bool HasPen() const { return GetPen().style != kPenNull; }
    // A figure within two pixels either way is its box filled with the pen colour.
    bool DrawTiny(const CRectI& box);

    std::vector<CPageContent> m_pages;
    std::array<bool, kPdfStandardFontCount> m_usedFonts{};
    // What the page's graphics state holds, so unchanged settings are not written again.
    std::optional<CPaletteColor> m_strokeColor;
    std::optional<CPaletteColor> m_fillColor;
    std::optional<int> m_lineWidth;
    std::optional<int> m_dashStyle;
};

}  // namespace kestro
