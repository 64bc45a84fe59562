#include "gui/library_editor/shape_drag_trackers.h"

#include <QPainter>
#include <cmath>

#include "core/library/sh_line.h"
#include "gui/library_editor/shape_view.h"

namespace kestro {

namespace {

CPointF WholeUnits(CPointF p) {
    return {float(std::round(p.x)), float(std::round(p.y))};
}

}  // namespace

// --- New shape ------------------------------------------------------------------------------

CShapeDrawTracker::CShapeDrawTracker(CShapeView& view, std::unique_ptr<CShape> shape)
    : CShapeTracker(view), m_shape(std::move(shape)) {}

void CShapeDrawTracker::Update() {
    if (!m_shape) return;
    const CPointF start = StartPoint();
    CPointF end = CurrentPoint();
    const bool line = m_shape->GetTypeCode() == CShape::kLine;
    if (line && (Modifiers() & Qt::ShiftModifier)) {
        const auto ends = ConstrainStraight(start, end);
        m_shape->SetRect({ends[0].x, ends[0].y, ends[1].x, ends[1].y});
        return;
    }
    if (!line && (Modifiers() & Qt::ControlModifier)) end = ConstrainSquare(start, end);
    const CRectF r{start.x, start.y, end.x, end.y};
    m_shape->SetRect(line ? r : r.Normalized());
}

const CShape& CShapeDrawTracker::Shape() {
    Update();
    return *m_shape;
}

std::unique_ptr<CShape> CShapeDrawTracker::TakeShape() {
    if (!m_shape) return nullptr;
    Update();
    const CRectF r = m_shape->GetRect();
    if (SameTenth(r.left, r.right) && SameTenth(r.top, r.bottom)) return nullptr;
    if (m_shape->GetTypeCode() != CShape::kLine &&
        (SameTenth(r.left, r.right) || SameTenth(r.top, r.bottom)))
        return nullptr;  // a circle or box without area
    return std::move(m_shape);
}

void CShapeDrawTracker::PaintFeedback(QPainter& painter) {
    if (!m_shape || !IsActive()) return;
    Update();
    View().DrawOnCanvas(painter, [this](CCanvas& canvas) {
        CPlacement placement;
        placement.color = CShapeView::kShapeColorRole;
        m_shape->Draw(canvas, placement);
    });
}

// --- Rubber band ----------------------------------------------------------------------------

CRectF CShapeBandTracker::Band() const {
    const CPointF a = StartPoint(), b = CurrentPoint();
    return CRectF{a.x, a.y, b.x, b.y}.Normalized();
}

void CShapeBandTracker::PaintFeedback(QPainter& painter) {
    if (!IsActive()) return;
    QPen pen(Qt::black);
    pen.setWidth(0);
    pen.setStyle(Qt::DotLine);
    painter.save();
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(View().ToWindow(Band()));
    painter.restore();
}

// --- Move and resize ------------------------------------------------------------------------

CShapeMoveTracker::CShapeMoveTracker(CShapeView& view, int handle)
    : CShapeTracker(view), m_handle(handle), m_bounds(view.SelectionBounds()) {}

CPointF CShapeMoveTracker::Offset() const {
    const CPointF a = StartPoint(), b = CurrentPoint();
    return WholeUnits({b.x - a.x, b.y - a.y});
}

CResize CShapeMoveTracker::Resize() const {
    const CPointF d = Offset();
    return ResizeFor(m_bounds, m_handle, d.x, d.y);
}

void CShapeMoveTracker::Apply(CShape& shape) const {
    if (m_handle < 0) {
        const CPointF d = Offset();
        shape.Offset(d.x, d.y);
    } else {
        ResizeShape(shape, Resize());
    }
}

void CShapeMoveTracker::PaintFeedback(QPainter& painter) {
    if (!IsActive()) return;
    View().DrawOnCanvas(painter, [this](CCanvas& canvas) {
        CPlacement placement;
        placement.color = CShapeView::kShapeColorRole;
        for (const CShape* shape : View().Selection()) {
            std::unique_ptr<CShape> copy = shape->Clone();
            Apply(*copy);
            copy->Draw(canvas, placement);
        }
    });
    // The frame follows the drag so the user sees the new size.
    CRectF frame = m_bounds;
    if (m_handle < 0) {
        const CPointF d = Offset();
        frame = frame.Offset(d.x, d.y);
    } else {
        const CResize r = Resize();
        const CPointF a = r.Apply({frame.left, frame.top}),
                      b = r.Apply({frame.right, frame.bottom});
        frame = CRectF{a.x, a.y, b.x, b.y}.Normalized();
    }
    QPen pen(Qt::gray);
    pen.setWidth(0);
    pen.setStyle(Qt::DashLine);
    painter.save();
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(View().ToWindow(frame));
    painter.restore();
}

}  // namespace kestro
