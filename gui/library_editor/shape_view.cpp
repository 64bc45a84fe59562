#include "gui/library_editor/shape_view.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <cmath>

#include "core/library/lib_element.h"
#include "core/platform/settings.h"
#include "gui/library_editor/shape_doc.h"
#include "gui/library_editor/shape_geometry.h"
#include "gui/library_editor/shape_tracker.h"

namespace kestro {

CShapeView::CShapeView(CShapeDoc& document, CShapeViewServices services, QWidget* parent)
    : QAbstractScrollArea(parent), m_document(document), m_services(std::move(services)) {
    setObjectName(QStringLiteral("shapeView"));
    setAccessibleName(m_document.Title());
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&m_document, &CShapeDoc::Changed, this, &CShapeView::OnDocumentChanged);
    RegisterCommands();
    UpdateScrollBars();
    UpdateCursor();
}

CShapeView::~CShapeView() = default;

CCommandTarget* CShapeView::NextCommandTarget() const {
    return &m_document;
}

// --- Mapping and scrolling ------------------------------------------------------------------

CRectF CShapeView::PageRect() const {
    return m_document.Element().GetRect().Normalized().Inflated(kMargin);
}

// The negated top-left corner of what the window shows: the box and the markers around it.
CPointF CShapeView::Origin() const {
    const CRectF page = PageRect();
    return {-page.left, -page.top};
}

QPoint CShapeView::ScrollPosition() const {
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

bool CShapeView::ScrollBy(QPoint delta) {
    const QPoint before = ScrollPosition();
    horizontalScrollBar()->setValue(before.x() + delta.x());
    verticalScrollBar()->setValue(before.y() + delta.y());
    return ScrollPosition() != before;
}

CPointF CShapeView::ToLogical(QPointF pixel) const {
    const QPoint scroll = ScrollPosition();
    const CPointF origin = Origin();
    return {float((pixel.x() + scroll.x()) / m_zoom - origin.x),
            float((pixel.y() + scroll.y()) / m_zoom - origin.y)};
}

QPoint CShapeView::ToWindow(CPointF logical) const {
    const QPoint scroll = ScrollPosition();
    const CPointF origin = Origin();
    return {RoundToInt((logical.x + origin.x) * m_zoom) - scroll.x(),
            RoundToInt((logical.y + origin.y) * m_zoom) - scroll.y()};
}

QRect CShapeView::ToWindow(const CRectF& logical) const {
    const CRectF r = logical.Normalized();
    return QRect(ToWindow(CPointF{r.left, r.top}), ToWindow(CPointF{r.right, r.bottom}));
}

void CShapeView::UpdateScrollBars() {
    const CRectF page = PageRect();
    const int width = RoundToInt(page.Width() * m_zoom);
    const int height = RoundToInt(page.Height() * m_zoom);
    const QSize client = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, width - client.width()));
    verticalScrollBar()->setRange(0, std::max(0, height - client.height()));
    horizontalScrollBar()->setPageStep(client.width());
    verticalScrollBar()->setPageStep(client.height());
    horizontalScrollBar()->setSingleStep(std::max(1, RoundToInt(10 * m_zoom)));
    verticalScrollBar()->setSingleStep(std::max(1, RoundToInt(10 * m_zoom)));
}

// The logical point at the window's top-left corner stays where it is.
void CShapeView::SetZoom(double zoom) {
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    const CPointF corner = ToLogical(QPointF(0, 0));
    m_zoom = zoom;
    UpdateScrollBars();
    const CPointF origin = Origin();
    horizontalScrollBar()->setValue(RoundToInt((corner.x + origin.x) * m_zoom));
    verticalScrollBar()->setValue(RoundToInt((corner.y + origin.y) * m_zoom));
    viewport()->update();
    UpdateCommands();
}

void CShapeView::ZoomToFit() {
    const CRectF page = PageRect();
    const QSize client = viewport()->size();
    const double fit =
        std::min(client.width() / double(page.Width()), client.height() / double(page.Height()));
    SetZoom(std::max(1.0, std::floor(fit)));
}

void CShapeView::ZoomIn() {
    const double factor = m_services.settings ? m_services.settings->zoomFactor : 1.2;
    if (m_zoom < kMaxZoom) SetZoom(m_zoom * factor);
}

void CShapeView::ZoomOut() {
    const double factor = m_services.settings ? m_services.settings->zoomFactor : 1.2;
    if (m_zoom > kMinZoom) SetZoom(m_zoom / factor);
}

void CShapeView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CShapeView::scrollContentsBy(int, int) {
    viewport()->update();
}

void CShapeView::DrawOnCanvas(QPainter& painter, const std::function<void(CCanvas&)>& draw) {
    const QPoint scroll = ScrollPosition();
    painter.save();
    painter.translate(-scroll.x(), -scroll.y());
    {
        CQPainterCanvas canvas(painter, &m_fonts);
        canvas.SetOrigin(Origin());
        canvas.SetZoom(m_zoom);
        if (m_services.settings) canvas.SetColorRoles(m_services.settings->colorRoles);
        draw(canvas);
    }  // the canvas draws what it holds back before the painter is restored
    painter.restore();
}

// --- Selection ------------------------------------------------------------------------------

void CShapeView::Select(std::vector<CShape*> shapes) {
    // Kept in the element's order, so copies and Tab follow the drawing order.
    std::vector<CShape*> ordered;
    for (const auto& shape : m_document.Element().GetShapes())
        if (std::find(shapes.begin(), shapes.end(), shape.get()) != shapes.end())
            ordered.push_back(shape.get());
    m_selection = std::move(ordered);
    RecomputeBounds();
    viewport()->update();
    UpdateCommands();
}

void CShapeView::ClearSelection() {
    if (m_selection.empty()) return;
    Select({});
}

void CShapeView::RecomputeBounds() {
    std::vector<const CShape*> shapes(m_selection.begin(), m_selection.end());
    m_bounds = kestro::SelectionBounds(shapes);
}

QPoint CShapeView::HandlePixel(int handle) const {
    const QRect frame = ToWindow(m_bounds).adjusted(-3, -3, 3, 3);
    const CRectF f{float(frame.left()), float(frame.top()), float(frame.right()),
                   float(frame.bottom())};
    const CPointF c = HandleCentre(f, handle);
    return {RoundToInt(c.x), RoundToInt(c.y)};
}

// Corners first: on a small frame they are what the user aims for.
int CShapeView::HandleAt(QPoint pixel) const {
    if (m_selection.empty()) return -1;
    for (int handle = 0; handle < kHandleCount; ++handle) {
        const QPoint d = pixel - HandlePixel(handle);
        if (std::abs(d.x()) <= kHandleReach && std::abs(d.y()) <= kHandleReach) return handle;
    }
    return -1;
}

void CShapeView::OnDocumentChanged() {
    setAccessibleName(m_document.Title());
    // Shapes that are gone leave the selection.
    std::vector<CShape*> kept;
    for (CShape* shape : m_selection)
        for (const auto& owned : m_document.Element().GetShapes())
            if (owned.get() == shape) kept.push_back(shape);
    m_selection = std::move(kept);
    RecomputeBounds();
    UpdateScrollBars();
    viewport()->update();
    UpdateCommands();
}

// --- Painting -------------------------------------------------------------------------------

void CShapeView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.fillRect(event->rect(), Qt::white);
    PaintMarkers(painter);
    PaintGrid(painter, event->rect());
    PaintBox(painter);
    PaintShapes(painter);
    if (!m_tracker) PaintSelectionFrame(painter);
    if (m_tracker) m_tracker->PaintFeedback(painter);
}

void CShapeView::PaintMarkers(QPainter& painter) {
    const std::vector<CPointF>& candidates = m_document.Candidates();
    const std::vector<uint16_t>& marks = m_document.Marks();
    painter.save();
    painter.setPen(QPen(QColor(0, 0, 255), 0));
    QFont font = painter.font();
    const int textPixels = std::max(1, RoundToInt(CShapeDoc::kMarkerDepth * m_zoom * 0.7));
    font.setPixelSize(textPixels);
    painter.setFont(font);
    for (size_t i = 0; i < candidates.size(); ++i) {
        if (candidates[i].x == 0.0f && candidates[i].y == 0.0f) continue;
        const QRect r = ToWindow(m_document.MarkerRect(i));
        if (marks[i] == 0)
            painter.setBrush(Qt::NoBrush);
        else
            painter.setBrush(m_document.IsMarkFlagged(i) ? QColor(255, 0, 0) : QColor(0, 255, 0));
        painter.drawRect(r);
        if (marks[i] != 0 && textPixels >= 6)
            painter.drawText(r, Qt::AlignCenter, QString::number(marks[i]));
    }
    painter.restore();
}

// A dot at every whole unit once the zoom is large enough to tell them apart.
void CShapeView::PaintGrid(QPainter& painter, const QRect& area) {
    if (m_zoom < 3.0 || (m_services.settings && !m_services.settings->grid)) return;
    const CPointF from = ToLogical(area.topLeft()), to = ToLogical(area.bottomRight());
    QPolygon dots;
    for (double y = std::ceil(from.y); y <= to.y; y += 1.0)
        for (double x = std::ceil(from.x); x <= to.x; x += 1.0)
            dots << ToWindow(CPointF{float(x), float(y)});
    painter.save();
    painter.setPen(QPen(QColor(128, 128, 128), 0));
    painter.drawPoints(dots);
    painter.restore();
}

// The box itself is faint: shapes must stay inside it, terminals sit on its edge.
void CShapeView::PaintBox(QPainter& painter) {
    painter.save();
    painter.setPen(QPen(QColor(190, 190, 190), 0, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(ToWindow(m_document.Element().GetRect()));
    painter.restore();
}

void CShapeView::PaintShapes(QPainter& painter) {
    const bool hideSelection = m_tracker && m_tracker->HidesSelection();
    DrawOnCanvas(painter, [&](CCanvas& canvas) {
        CPlacement placement;
        placement.color = kShapeColorRole;
        for (const auto& shape : m_document.Element().GetShapes()) {
            if (hideSelection &&
                std::find(m_selection.begin(), m_selection.end(), shape.get()) != m_selection.end())
                continue;
            shape->Draw(canvas, placement);
        }
    });
}

void CShapeView::PaintSelectionFrame(QPainter& painter) {
    if (m_selection.empty()) return;
    const QRect r = ToWindow(m_bounds);
    painter.save();
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(r.adjusted(-1, -1, 1, 1));
    painter.drawRect(r.adjusted(-3, -3, 3, 3));
    painter.setBrush(Qt::black);
    const int half = kHandleSize / 2;
    for (int handle = 0; handle < kHandleCount; ++handle) {
        const QPoint c = HandlePixel(handle);
        painter.drawRect(QRect(c.x() - half, c.y() - half, kHandleSize - 1, kHandleSize - 1));
    }
    painter.restore();
}

}  // namespace kestro
