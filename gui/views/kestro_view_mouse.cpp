// The mouse and keys of the schematic view: events go to the drag that runs, else to the
// tool of the editing mode; and what drags and tools ask of the view.
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "core/document/circuit.h"
#include "core/objects/sub_cir_part.h"
#include "core/platform/settings.h"
#include "gui/commands/command_ids.h"
#include "gui/editing/edit_state.h"
#include "gui/editing/edit_tool.h"
#include "gui/editing/pan_tracker.h"
#include "gui/editing/tracker.h"
#include "gui/resources/edit_cursors.h"
#include "gui/views/kestro_view.h"
#include "gui/views/view_services.h"

namespace kestro {

// --- Drags ---------------------------------------------------------------------------------

bool CKestroView::RunTracker(std::unique_ptr<CTracker> tracker, QPoint pixel,
                             std::function<void(CTracker&, bool)> done) {
    if (m_tracker || !tracker || !m_document) return false;
    m_tracker = std::move(tracker);
    if (!m_tracker->Start(pixel, std::move(done))) {
        m_tracker.reset();
        m_moveInProgress = false;
        return false;
    }
    return true;
}

void CKestroView::TrackerFinished(CTracker& tracker) {
    if (m_tracker.get() != &tracker) return;
    // It is still running its own code: it goes once control returns to the event loop.
    m_tracker.release()->deleteLater();
    viewport()->update();
}

void CKestroView::SetGridSuspended(bool suspended) {
    if (m_gridSuspended == suspended) return;
    m_gridSuspended = suspended;
    viewport()->update();
}

void CKestroView::StartPan(QPoint pixel) {
    CPlacementGhost& ghost = Editing().Ghost();
    const bool shown = ghost.Hide();
    if (m_services.cursors) viewport()->setCursor(m_services.cursors->Cursor(kCursorPan));
    auto showAgain = [this, shown](CTracker&, bool) {
        if (shown && Editing().Ghost().View() == this) Editing().Ghost().Show();
    };
    if (!RunTracker(std::make_unique<CPanTracker>(*this), pixel, showAgain) && shown) ghost.Show();
}

// --- Mouse ---------------------------------------------------------------------------------

bool CKestroView::event(QEvent* event) {
    // While a drag runs, every key is the drag's: no accelerator may act meanwhile.
    if (event->type() == QEvent::ShortcutOverride && m_tracker) {
        event->accept();
        return true;
    }
    return QAbstractScrollArea::event(event);
}

void CKestroView::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (m_tracker) {
        if (event->button() == Qt::LeftButton) m_tracker->OnLeftButtonDown(at);
        if (event->button() == Qt::RightButton) m_tracker->OnRightButtonDown(at);
        return;
    }
    if (!m_document) return;
    setFocus(Qt::MouseFocusReason);
    CEditTool& tool = Editing().Tool();
    if (event->button() == Qt::LeftButton) tool.LeftButtonDown(*this, at);
    if (event->button() == Qt::RightButton) tool.RightButtonDown(*this, at);
}

void CKestroView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (m_tracker) {
        m_tracker->OnMouseMove(at);
        return;
    }
    if (!m_document) return;
    if (event->buttons() & Qt::RightButton) {
        StartPan(at);
        return;
    }
    if (m_services.cursors) viewport()->setCursor(m_services.cursors->Cursor(CursorIdAt(at)));
    ShowStatus(StatusTextAt(at));
    if (Editing().Tool().ShowsGhost()) Editing().Ghost().Move(*this, at);
}

void CKestroView::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_tracker) return;
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton) m_tracker->OnLeftButtonUp(at);
    if (event->button() == Qt::RightButton) m_tracker->OnRightButtonUp(at);
}

void CKestroView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (m_tracker || event->button() != Qt::LeftButton) return;
    OpenFirstSelected();
}

// A subcircuit opens the window of its sheet; anything else goes to the attribute window.
void CKestroView::OpenFirstSelected() {
    CPart* first = m_selection.First();
    if (!first) return;
    CEditHooks& hooks = Editing().Hooks();
    if (CSubCirPart* instance = first->AsSubCircuit()) {
        if (instance->GetSheet() && hooks.openSheet) hooks.openSheet(*instance->GetSheet());
        return;
    }
    if (hooks.showAttributes) hooks.showAttributes(*this, *first);
}

void CKestroView::keyPressEvent(QKeyEvent* event) {
    if (m_tracker) {
        m_tracker->OnKey(event->key());
        return;
    }
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        Commands().Execute(kIdEditClear);
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void CKestroView::focusOutEvent(QFocusEvent* event) {
    // A popup menu takes the focus only for a moment; anything else ends the drag.
    if (m_tracker && event->reason() != Qt::PopupFocusReason) m_tracker->OnCaptureLost();
    QAbstractScrollArea::focusOutEvent(event);
}

void CKestroView::hideEvent(QHideEvent* event) {
    if (m_tracker) m_tracker->OnCaptureLost();
    QAbstractScrollArea::hideEvent(event);
}

// --- Drawing for the editing -----------------------------------------------------------------

void CKestroView::DrawOnCanvas(QPainter& painter, const std::function<void(CCanvas&)>& draw) {
    const QPoint scroll = ScrollPosition();
    painter.save();
    painter.translate(-scroll.x(), -scroll.y());
    {
        CQPainterCanvas canvas(painter, &m_fonts);
        canvas.SetOrigin(m_origin);
        canvas.SetZoom(m_zoom);
        if (m_document) canvas.SetColorRoles(m_document->GetContext().parts.settings.colorRoles);
        draw(canvas);
    }  // the canvas draws what it holds back before the painter is restored
    painter.restore();
}

void CKestroView::PaintOverlays(QPainter& painter) {
    if (m_tracker && m_tracker->FeedbackShown()) m_tracker->PaintFeedback(painter);
    Editing().Ghost().Paint(*this, painter);
}

void CKestroView::ScrollToCentre(CPointF logical) {
    const QPoint pixel = ToWindow(logical);
    const QRect client(QPoint(0, 0), viewport()->size());
    if (client.contains(pixel)) return;
    ScrollBy(pixel.x() - client.width() / 2, pixel.y() - client.height() / 2, false);
}

}  // namespace kestro
