#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/platform/canvas.h"
#include "core/platform/geometry.h"
#include "core/print/title_block.h"

namespace kestro {

class CCircuit;
class CPart;

enum class PrintMode {
    WholeDrawing = 0,  // cut into pages at the view's zoom
    SelectedArea = 1,  // the selected objects fitted onto one page
};

// Where a selected area sits on its page (the setting "PRINT PAGE POSITION").
enum PagePosition : int { kPageTop = 0, kPageMiddle = 1, kPageBottom = 2 };

struct CPrintRequest {
    PrintMode mode = PrintMode::WholeDrawing;
    // The device's printable area in pixels; 850 by 1100 when it reports none.
    CSizeI printable{850, 1100};
    bool legend = true;  // "PRINT PAGE LEGEND": the title block in the bottom tenth
    int pagePosition = kPageMiddle;
    double zoom = 1.2;  // the view's, which decides how much of the drawing a page holds
    // Device pixels per inch; pens are then as wide on paper as on a screen (0: unknown,
    // a pen pixel is a device pixel).
    double resolution = 0.0;
};

// What to print and where each page lies on the sheet: made when printing starts, then
// asked to draw one page at a time onto the printer's canvas.
//
// The whole drawing is cut into pages of the size the view's page-division lines show
// (the longer side 800 / zoom units), from the top-left corner of the sheet's page
// rectangle, row by row; pages that no object meets are left out, and page numbers count
// only the pages kept. A selected area is fitted onto one page, enlarged at most ten times
// the normal scale. With the legend the drawing keeps off the bottom tenth of each page,
// where the title block goes.
class CPrintJob {
public:
    enum class Status {
        Ready,
        Empty,         // no objects, or an empty area: nothing is printed
        TooManyPages,  // beyond kMaxPages (a huge zoom or a damaged sheet)
    };
    static constexpr size_t kMaxPages = 10000;
    static constexpr const char* kTooManyPagesMessage =
        "The drawing would need more than 10000 pages at this zoom.\nZoom out and print again.";
    static constexpr double kPageScale = 0.00125;      // a page's longer side is 800 units
    static constexpr double kMaxEnlargement = 10.0;    // of a selected area over kPageScale
    static constexpr float kAreaMargin = 10.0f;        // around a selected area
    static constexpr float kPositionGap = 3.0f;        // of a selected area at the top or bottom
    static constexpr double kDrawingShare = 0.9;       // of the height, with the legend
    static constexpr double kScreenResolution = 96.0;  // pixels per inch of pen widths

    // `selection` holds the objects of a selected area; the whole drawing ignores it.
    CPrintJob(const CCircuit& document, const CPrintRequest& request,
              std::vector<const CPart*> selection = {});

    Status GetStatus() const { return m_status; }
    bool IsReady() const { return m_status == Status::Ready; }
    PrintMode GetMode() const { return m_request.mode; }
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    // The kept pages in printing order, in sheet units.
    const std::vector<CRectF>& GetPages() const { return m_pages; }
    // The area printed, in sheet units; (0, 0)-(10, 10) when there is nothing to print.
    const CRectF& GetExtent() const { return m_extent; }
    // Device pixels per sheet unit.
    double GetScale() const { return m_scale; }
    double GetPageWidth() const { return m_pageWidth; }
    double GetPageHeight() const { return m_pageHeight; }
    CSizeI GetPrintableSize() const { return m_request.printable; }
    // Height of the part of a page the drawing uses, in device pixels.
    double GetDrawingHeight() const;

    // The canvas origin that puts page `number` (from 1) on the device: the page's
    // top-left corner at pixel (0, 0) for the whole drawing; a selected area centred
    // across and placed down the page by the page position.
    CPointF SurfaceOrigin(int number) const;
    // Draws page `number` (from 1): clipped to the printable area, the title block when
    // the legend is on, then the objects, kept off the title block. The canvas's mapping
    // and pen scale are set for the page; black-and-white mode is the caller's choice.
    // Nothing is drawn
    // for a number outside the pages.
    void PrintPage(CCanvas& canvas, int number) const;
    // The title block of page `number` on this canvas.
    CTitleBlock TitleBlockOf(const CCanvas& canvas, int number) const;

private:
    void PlanWholeDrawing();
    void PlanSelectedArea();
    void KeepPagesMeetingObjects(size_t across, size_t down);
    void DrawObjects(CCanvas& canvas) const;

    const CCircuit& m_document;
    CPrintRequest m_request;
    std::vector<const CPart*> m_selection;
    Status m_status = Status::Empty;
    CRectF m_extent{0, 0, 10, 10};
    CRectF m_areaBounds;  // of the selected objects, without the margin
    double m_scale = 1.0;
    double m_pageWidth = 0.0;
    double m_pageHeight = 0.0;
    std::vector<CRectF> m_pages;
};

}  // namespace kestro
