#include "gui/editing/move_tracker.h"

#include <QPainter>

#include "core/document/circuit.h"
#include "core/objects/part.h"
#include "core/platform/canvas.h"
#include "gui/views/kestro_view.h"

namespace kestro {

CPointF CMoveTracker::Offset() const {
    return {SnapCoordinate(m_rect.right - m_rect.left), SnapCoordinate(m_rect.bottom - m_rect.top)};
}

bool CMoveTracker::Begin() {
    CKestroView& view = View();
    view.SetMoveInProgress(true);
    view.InvalidateLogical(view.Selection().GetBounds());
    StartTimer();
    return true;
}

void CMoveTracker::Cancel() {
    CTracker::Cancel();
    View().viewport()->update();
}

bool CMoveTracker::AutoScroll(int dx, int dy, bool snap) {
    const bool scrolled = CTracker::AutoScroll(dx, dy, snap);
    View().viewport()->update();
    return scrolled;
}

// The selection where it was and where it is drawn now: one of them is repainted
// without it, the other with it.
QRect CMoveTracker::FeedbackArea() const {
    const CKestroView& view = View();
    const CRectF bounds = view.Selection().UnionOfObjects();
    const CPointF offset = Offset();
    const CRectF moved = bounds.Offset(offset.x, offset.y);
    const float margin = CKestroView::kRepaintMargin;
    return view.ToWindow(UnionRect(bounds, moved).Inflated(margin)).adjusted(-1, -1, 2, 2);
}

void CMoveTracker::PaintFeedback(QPainter& painter) {
    CKestroView& view = View();
    const CCircuit* document = view.Document();
    if (!document) return;
    const CPointF offset = Offset();
    view.DrawOnCanvas(painter, [&](CCanvas& canvas) {
        document->DrawSelection(canvas, view.Selection(), offset);
    });
}

}  // namespace kestro
