#include "gui/views/kestro_view.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "core/document/circuit.h"
#include "core/objects/sub_cir_part.h"
#include "core/platform/settings.h"
#include "gui/commands/command_ids.h"
#include "gui/editing/edit_commands.h"
#include "gui/editing/edit_tool.h"
#include "gui/editing/pan_tracker.h"
#include "gui/editing/tracker.h"
#include "gui/resources/edit_cursors.h"
#include "gui/resources/string_table.h"
#include "gui/views/view_services.h"

namespace kestro {

namespace {

// Whole lines of a scroll step, rounded away from zero.
int SnapStep(int delta, int line) {
    if (delta == 0 || line <= 0) return delta;
    return (delta > 0 ? delta / line + 1 : delta / line - 1) * line;
}

bool IsEmptyExtent(const CRectF& r) {
    return Tenths(r.right) <= Tenths(r.left) || Tenths(r.bottom) <= Tenths(r.top);
}

}  // namespace

int CKestroView::TruncatePixel(double v) {
    if (!std::isfinite(v)) return 0;
    return static_cast<int>(std::clamp(std::trunc(v), -1.0e9, 1.0e9));
}

CKestroView::CKestroView(std::shared_ptr<CCircuit> document, CViewServices& services,
                         CCommandTarget* next, QWidget* parent)
    : QAbstractScrollArea(parent),
      m_document(std::move(document)),
      m_services(services),
      m_next(next) {
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // A scroll-bar action ends with the whole window painted at once.
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()})
        connect(bar, &QScrollBar::sliderReleased, viewport(), [this] { viewport()->repaint(); });
    if (m_document) m_document->AddObserver(*this);
    RegisterCommands();
    RegisterEditingCommands(*this);
}

CKestroView::~CKestroView() {
    Editing().Ghost().Forget(*this);
    if (m_tracker) m_tracker.release()->deleteLater();
    Detach();
}

CEditState& CKestroView::Editing() const {
    return *m_services.editing;
}

void CKestroView::Detach() {
    // The document's commands go with it.
    m_next = nullptr;
    if (!m_document) return;
    if (m_services.viewDetaching) m_services.viewDetaching(*this);
    m_document->RemoveObserver(*this);
    if (m_tracker) m_tracker->OnCaptureLost();
    m_selection.Clear();
    m_findPosition = nullptr;
    m_document.reset();
    viewport()->update();
}

// --- Commands ------------------------------------------------------------------------------

void CKestroView::RegisterCommands() {
    Commands().Add(
        kIdZoomIn, [this] { ZoomIn(); }, [this](CCommandState& s) { s.enabled = CanZoomIn(); });
    Commands().Add(
        kIdZoomOut, [this] { ZoomOut(); }, [this](CCommandState& s) { s.enabled = CanZoomOut(); });
    Commands().Add(kIdFitToPage, [this] { FitToPage(); });
    RegisterScrollCommands();
}

void CKestroView::RegisterScrollCommands() {
    Commands().Add(kIdScrollLineUp, [this] { ScrollBy(0, -m_line.height()); });
    Commands().Add(kIdScrollLineDown, [this] { ScrollBy(0, m_line.height()); });
    Commands().Add(kIdScrollLineRight, [this] { ScrollBy(m_line.width(), 0); });
    Commands().Add(kIdScrollLineLeft, [this] { ScrollBy(-m_line.width(), 0); });
    Commands().Add(kIdScrollPageUp, [this] { ScrollBy(0, -m_page.height()); });
    Commands().Add(kIdScrollPageDown, [this] { ScrollBy(0, m_page.height()); });
    Commands().Add(kIdScrollPageLeft, [this] { ScrollBy(-m_page.width(), 0); });
    Commands().Add(kIdScrollPageRight, [this] { ScrollBy(m_page.width(), 0); });
    for (const int id : {kIdScrollToTop, kIdScrollToBottom, kIdScrollToLeft, kIdScrollToRight})
        Commands().Add(id, [this, id] { ScrollToExtentEdge(id); });
}

void CKestroView::ScrollToExtentEdge(int command) {
    if (!m_document) return;
    const CRectF extent = m_document->GetExtent().Normalized();
    if (IsEmptyExtent(extent)) return;
    QPoint position = ScrollPosition();
    switch (command) {
        case kIdScrollToTop:
            position.setY(TruncatePixel(m_zoom * (extent.top + m_origin.y)));
            break;
        case kIdScrollToBottom:
            position.setY(TruncatePixel(m_zoom * (extent.bottom + m_origin.y)) - m_page.height());
            break;
        case kIdScrollToLeft:
            position.setX(TruncatePixel(m_zoom * (extent.left + m_origin.x)));
            break;
        default:
            position.setX(TruncatePixel(m_zoom * (extent.right + m_origin.x)) - m_page.width());
            break;
    }
    ScrollTo(position);
}

// --- Mapping -------------------------------------------------------------------------------

QPoint CKestroView::ScrollPosition() const {
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

CPointF CKestroView::ToLogical(QPoint pixel) const {
    const double zoom = m_zoom == 0.0 ? 1.0 : m_zoom;
    const QPoint scroll = ScrollPosition();
    return {static_cast<float>((pixel.x() + scroll.x()) / zoom - m_origin.x),
            static_cast<float>((pixel.y() + scroll.y()) / zoom - m_origin.y)};
}

QPoint CKestroView::ToWindow(CPointF logical) const {
    const double zoom = m_zoom == 0.0 ? 1.0 : m_zoom;
    const QPoint scroll = ScrollPosition();
    return {TruncatePixel(zoom * (double(logical.x) + m_origin.x) - scroll.x()),
            TruncatePixel(zoom * (double(logical.y) + m_origin.y) - scroll.y())};
}

QRect CKestroView::ToWindow(const CRectF& logical) const {
    const CRectF r = logical.Normalized();
    const QPoint a = ToWindow(CPointF{r.left, r.top});
    const QPoint b = ToWindow(CPointF{r.right, r.bottom});
    return QRect(a, QPoint(b.x() - 1, b.y() - 1));
}

double CKestroView::ZoomFactor() const {
    const double factor = m_services.settings ? m_services.settings->zoomFactor : 1.2;
    return factor > 1.0 ? factor : 1.2;
}

CRectF CKestroView::PageRect() const {
    return m_document ? m_document->GetDrawingArea() : CRectF{0, 0, 2000, 2000};
}

// --- Zoom and scrolling --------------------------------------------------------------------

void CKestroView::SetZoom(double zoom, std::optional<CPointF> anchor, bool centre) {
    const CPointF at = anchor ? *anchor : ToLogical(QPoint(0, 0));
    const CRectF page = PageRect();
    const double w = std::fabs(double(page.Width())), h = std::fabs(double(page.Height()));
    if (!std::isfinite(zoom) || zoom <= 0.0) zoom = 1.0;
    for (int i = 0; i < 1000 && (zoom * w > kMaxPagePixels || zoom * h > kMaxPagePixels); ++i)
        zoom /= ZoomFactor();
    m_zoom = zoom;
    if (m_document) m_document->SetZoom(static_cast<float>(zoom));
    UpdateScrollBars();
    QPoint position(TruncatePixel(m_zoom * (double(at.x) + m_origin.x)),
                    TruncatePixel(m_zoom * (double(at.y) + m_origin.y)));
    if (centre) position -= QPoint(viewport()->width() / 2, viewport()->height() / 2);
    ScrollTo(position);
    viewport()->update();
}

void CKestroView::UpdateScrollBars() {
    const CRectF page = PageRect();
    const double w = std::fabs(double(page.Width())), h = std::fabs(double(page.Height()));
    m_total = QSize(TruncatePixel(m_zoom * w), TruncatePixel(m_zoom * h));
    const QSize client = viewport()->size();
    m_page =
        QSize(TruncatePixel(client.width() * 9 * 0.1), TruncatePixel(client.height() * 9 * 0.1));
    m_line = QSize(m_page.width() / 10, m_page.height() / 10);
    QScrollBar* hbar = horizontalScrollBar();
    QScrollBar* vbar = verticalScrollBar();
    hbar->setRange(0, std::max(0, m_total.width() - client.width()));
    vbar->setRange(0, std::max(0, m_total.height() - client.height()));
    hbar->setPageStep(std::max(1, m_page.width()));
    vbar->setPageStep(std::max(1, m_page.height()));
    hbar->setSingleStep(std::max(1, m_line.width()));
    vbar->setSingleStep(std::max(1, m_line.height()));
}

void CKestroView::ScrollTo(QPoint position) {
    // The scroll bars clamp to 0 … total − client; an axis without a bar stays at 0.
    horizontalScrollBar()->setValue(position.x());
    verticalScrollBar()->setValue(position.y());
}

bool CKestroView::ScrollBy(int dx, int dy, bool snap) {
    if (snap) {
        dx = SnapStep(dx, m_line.width());
        dy = SnapStep(dy, m_line.height());
    }
    const QPoint before = ScrollPosition();
    ScrollTo(before + QPoint(dx, dy));
    return ScrollPosition() != before;
}

bool CKestroView::CanZoomIn() const {
    const CRectF page = PageRect();
    const double next = m_zoom * ZoomFactor();
    return next * std::fabs(double(page.Width())) <= kMaxPagePixels &&
           next * std::fabs(double(page.Height())) <= kMaxPagePixels;
}

bool CKestroView::CanZoomOut() const {
    return m_zoom / ZoomFactor() >= kMinZoom;
}

void CKestroView::ZoomIn() {
    SetZoom(m_zoom * ZoomFactor(), ToLogical(QPoint(0, 0)), false);
}

void CKestroView::ZoomOut() {
    SetZoom(m_zoom / ZoomFactor(), ToLogical(QPoint(0, 0)), false);
}

void CKestroView::FitToPage() {
    if (!m_document) return;
    const CRectF extent = m_document->GetExtent().Normalized();
    if (extent.Width() < 10.0f || extent.Height() < 10.0f) return;
    const double clientWidth = viewport()->width() / m_zoom;
    const double clientHeight = viewport()->height() / m_zoom;
    const double ratio = std::min(std::fabs(clientWidth / extent.Width()),
                                  std::fabs(clientHeight / extent.Height()));
    SetZoom(m_zoom * ratio, extent.Center(), true);
}

void CKestroView::InitialUpdate() {
    m_initialised = true;
    if (!m_document) return;
    const CRectF page = PageRect();
    m_origin = {-page.left, -page.top};
    double zoom = m_document->GetZoom();
    if (!std::isfinite(zoom) || zoom <= 0.0) zoom = 1.2;
    const double w = std::fabs(double(page.Width())), h = std::fabs(double(page.Height()));
    for (int i = 0; i < 1000 && (zoom * w > kMaxPagePixels || zoom * h > kMaxPagePixels); ++i)
        zoom /= ZoomFactor();
    m_zoom = zoom;
    UpdateScrollBars();
    const CRectF extent = m_document->GetExtent().Normalized();
    ScrollTo(QPoint(TruncatePixel(m_zoom * (double(extent.left) + m_origin.x)),
                    TruncatePixel(m_zoom * (double(extent.top) + m_origin.y))));
    viewport()->update();
}

// --- Selection -----------------------------------------------------------------------------

void CKestroView::UpdateSelectionBounds() {
    const CRectF old = m_selection.UpdateBounds();
    const CRectF now = m_selection.GetBounds();
    if (!IsEmptyAtTenth(old)) InvalidateLogical(old);
    if (!IsEmptyAtTenth(now)) {
        InvalidateLogical(now);
        if (m_document) m_document->EnlargeDrawingArea(now);
    }
}

// --- Notifications -------------------------------------------------------------------------

void CKestroView::OnCircuitUpdate(CCircuit& document, int hint, const CRectF* area) {
    if (&document != m_document.get()) return;
    switch (hint) {
        case CCircuit::kHintPage: {
            const CPointF topLeft = ToLogical(QPoint(0, 0));
            const CRectF page = PageRect();
            if (!SamePoint({page.left, page.top}, {-m_origin.x, -m_origin.y}))
                m_origin = {-page.left, -page.top};
            SetZoom(m_zoom, topLeft, false);
            break;
        }
        case CCircuit::kHintArea:
            if (area)
                InvalidateLogical(*area);
            else
                viewport()->update();
            break;
        case CCircuit::kHintSelection:
            InvalidateLogical(m_selection.GetBounds());
            break;
        default:
            viewport()->update();
            break;
    }
}

void CKestroView::OnObjectRemoved(CCircuit& document, CPart& part) {
    if (&document != m_document.get()) return;
    m_selection.Remove(&part);
    if (m_findPosition == &part) m_findPosition = nullptr;
}

void CKestroView::InvalidateLogical(const CRectF& area) {
    const CRectF widened = area.Normalized().Inflated(kRepaintMargin);
    viewport()->update(ToWindow(widened).adjusted(0, 0, 1, 1));
}

// --- Window events -------------------------------------------------------------------------

void CKestroView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CKestroView::showEvent(QShowEvent* event) {
    QAbstractScrollArea::showEvent(event);
    if (!m_initialised) InitialUpdate();
}

void CKestroView::scrollContentsBy(int /*dx*/, int /*dy*/) {
    viewport()->update();
}

// --- Cursor and status text ----------------------------------------------------------------

int CKestroView::CursorIdAt(QPoint pixel) const {
    return Editing().Tool().CursorId(*this, pixel);
}

QString CKestroView::StatusTextAt(QPoint pixel) const {
    return Editing().Tool().StatusText(*this, pixel);
}

void CKestroView::leaveEvent(QEvent* event) {
    ShowStatus(QString());
    // The ghost stays with the mouse: it leaves the window with it.
    if (Editing().Ghost().View() == this) Editing().Ghost().Hide();
    QAbstractScrollArea::leaveEvent(event);
}

void CKestroView::ShowStatus(const QString& text) const {
    if (m_services.showStatus) m_services.showStatus(text);
}

}  // namespace kestro
