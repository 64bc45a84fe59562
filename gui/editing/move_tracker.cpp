#include "gui/editing/move_tracker.h"

#include <QPainter>

#include "core/document/circuit.h"
#include "core/document/following_wires.h"
#include "core/objects/part.h"
#include "core/objects/wire.h"
#include "core/platform/canvas.h"
#include "gui/views/kestro_view.h"

namespace kestro {

CMoveTracker::CMoveTracker(CKestroView& view) : CTracker(view) {}

CMoveTracker::~CMoveTracker() = default;

CPointF CMoveTracker::Offset() const {
    return {SnapCoordinate(m_rect.right - m_rect.left), SnapCoordinate(m_rect.bottom - m_rect.top)};
}

bool CMoveTracker::Begin() {
    CKestroView& view = View();
    if (CCircuit* document = view.Document()) {
        m_follower = std::make_unique<CWireFollower>(*document, view.Selection().Items());
        for (const CPart* wire : m_follower->FollowingWires()) {
            m_hidden.insert(wire);
            m_hiddenArea = m_hidden.size() == 1
                               ? wire->GetBounds().Normalized()
                               : UnionRect(m_hiddenArea, wire->GetBounds().Normalized());
        }
    }
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

CRectF CMoveTracker::PreviewArea() const {
    CRectF area = m_hiddenArea;
    if (!m_follower) return area;
    for (const CWireFollower::CSegment& segment : m_follower->Preview(Offset())) {
        const CRectF span =
            CRectF{segment.from.x, segment.from.y, segment.to.x, segment.to.y}.Normalized();
        area = area == CRectF{} ? span : UnionRect(area, span);
    }
    return area;
}

// The selection where it was and where it is drawn now, and the wires that follow it:
// one place is repainted without them, the other with them.
QRect CMoveTracker::FeedbackArea() const {
    const CKestroView& view = View();
    const CRectF bounds = view.Selection().UnionOfObjects();
    const CPointF offset = Offset();
    CRectF area = UnionRect(bounds, bounds.Offset(offset.x, offset.y));
    const CRectF wires = PreviewArea();
    if (!(wires == CRectF{})) area = UnionRect(area, wires);
    const float margin = CKestroView::kRepaintMargin;
    return view.ToWindow(area.Inflated(margin)).adjusted(-1, -1, 2, 2);
}

void CMoveTracker::PaintFeedback(QPainter& painter) {
    CKestroView& view = View();
    const CCircuit* document = view.Document();
    if (!document) return;
    const CPointF offset = Offset();
    const CPartEnvironment& environment = document->GetEnvironment();
    view.DrawOnCanvas(painter, [&](CCanvas& canvas) {
        if (m_follower)
            for (const CWireFollower::CSegment& segment : m_follower->Preview(offset))
                CWire::Create(environment, segment.from, segment.to)->Draw(canvas);
        document->DrawSelection(canvas, view.Selection(), offset);
    });
}

}  // namespace kestro
