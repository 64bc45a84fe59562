// Painting of the schematic view: white, the grid, the page-division lines, the objects of
// the document on the canvas, the selection frame, then the drag's feedback and the
// placement ghost over everything.
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

#include "core/document/circuit.h"
#include "core/platform/settings.h"
#include "gui/editing/edit_tool.h"
#include "gui/editing/tracker.h"
#include "gui/views/kestro_view.h"
#include "gui/views/view_services.h"

namespace kestro {

namespace {

constexpr float kGridPitch = 10.0f;
constexpr double kMinGridPixels = 5.0;
// Page lines of a window beyond this count are not drawn one by one (a damaged page size).
constexpr int kMaxPageLines = 4000;
const QColor kPageLineColor(192, 192, 192);

}  // namespace

// --- Painting ------------------------------------------------------------------------------

void CKestroView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    PaintArea(painter, event->rect());
}

void CKestroView::PaintArea(QPainter& painter, const QRect& clip) {
    const QRect widened = clip.adjusted(-2, -2, 2, 2);
    const CPointF a = ToLogical(widened.topLeft());
    const CPointF b = ToLogical(widened.bottomRight() + QPoint(1, 1));
    const CRectF logicalClip = CRectF{a.x, a.y, b.x, b.y}.Normalized();
    // The background is always white, whatever the colours.
    painter.fillRect(widened, Qt::white);
    if (!m_document) return;
    const CSettings* settings = m_services.settings;
    if ((!settings || settings->grid) && !m_gridSuspended && m_zoom * kGridPitch >= kMinGridPixels)
        PaintGrid(painter, logicalClip);
    if (!settings || settings->printPageBorder) PaintPageLines(painter, logicalClip);

    const QPoint scroll = ScrollPosition();
    painter.save();
    painter.translate(-scroll.x(), -scroll.y());
    {
        CQPainterCanvas canvas(painter, &m_fonts);
        canvas.SetOrigin(m_origin);
        canvas.SetZoom(m_zoom);
        canvas.SetClip(logicalClip);
        // A selection being dragged is drawn by the drag, displaced.
        CMoveFeedback move;
        if (m_tracker && m_tracker->HidesSelection()) {
            move.selection = &m_selection;
            move.drawSelection = false;
            move.hidden = m_tracker->HiddenObjects();
        }
        m_document->DrawAll(canvas, move);
    }  // the canvas draws what it holds back before the painter is restored
    painter.restore();

    if (!m_moveInProgress && Editing().Tool().ShowsSelectionFrame()) PaintSelectionFrame(painter);
    PaintOverlays(painter);
}

void CKestroView::PaintGrid(QPainter& painter, const CRectF& clip) {
    const CSettings* settings = m_services.settings;
    const int role = settings ? settings->PaletteIndex(kRoleGrid) : 3;
    const CPaletteColor c = PaletteColor(role);
    const double left = std::trunc(clip.left / kGridPitch) * kGridPitch;
    const double top = std::trunc(clip.top / kGridPitch) * kGridPitch;
    const QPoint scroll = ScrollPosition();
    QPolygon dots;
    for (double y = top; y <= clip.bottom; y += kGridPitch) {
        const int py = static_cast<int>(RoundHalfAway((y + m_origin.y) * m_zoom)) - scroll.y();
        for (double x = left; x <= clip.right; x += kGridPitch)
            dots << QPoint(static_cast<int>(RoundHalfAway((x + m_origin.x) * m_zoom)) - scroll.x(),
                           py);
    }
    QPen pen(QColor(c.red, c.green, c.blue));
    pen.setWidth(0);
    painter.setPen(pen);
    painter.drawPoints(dots);
}

void CKestroView::PaintPageLines(QPainter& painter, const CRectF& clip) {
    if (clip.Width() <= 0.0f || clip.Height() <= 0.0f) return;
    const double pageWidth = m_services.printPageSize.width() / m_zoom;
    const double pageHeight = m_services.printPageSize.height() / m_zoom;
    if (!(pageWidth > 0.0) || !(pageHeight > 0.0)) return;
    const CRectF page = PageRect();
    QPen pen(kPageLineColor);
    pen.setWidth(0);
    pen.setStyle(Qt::DotLine);
    painter.setPen(pen);
    const QPoint scroll = ScrollPosition();
    const auto pixelX = [&](double x) {
        return TruncatePixel(m_zoom * (x + m_origin.x)) - scroll.x();
    };
    const auto pixelY = [&](double y) {
        return TruncatePixel(m_zoom * (y + m_origin.y)) - scroll.y();
    };
    const int top = pixelY(clip.top), bottom = pixelY(clip.bottom);
    const int left = pixelX(clip.left), right = pixelX(clip.right);
    const double firstColumn = std::ceil((clip.left - page.left) / pageWidth);
    for (int k = 0; k < kMaxPageLines; ++k) {
        const double x = page.left + (firstColumn + k) * pageWidth;
        if (x > clip.right) break;
        painter.drawLine(pixelX(x), top, pixelX(x), bottom);
    }
    const double firstRow = std::ceil((clip.top - page.top) / pageHeight);
    for (int k = 0; k < kMaxPageLines; ++k) {
        const double y = page.top + (firstRow + k) * pageHeight;
        if (y > clip.bottom) break;
        painter.drawLine(left, pixelY(y), right, pixelY(y));
    }
}

void CKestroView::PaintSelectionFrame(QPainter& painter) {
    const CRectF bounds = m_selection.GetBounds();
    if (IsEmptyAtTenth(bounds)) return;
    const QRect r = ToWindow(bounds);
    QPen pen(Qt::black);
    pen.setWidth(0);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(r.adjusted(-1, -1, 1, 1));
    painter.drawRect(r.adjusted(-3, -3, 3, 3));
}

}  // namespace kestro
