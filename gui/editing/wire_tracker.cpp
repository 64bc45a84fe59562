#include "gui/editing/wire_tracker.h"

#include <QPainter>
#include <algorithm>

#include "core/document/circuit.h"
#include "core/objects/wire.h"
#include "core/platform/canvas.h"
#include "gui/views/kestro_view.h"

namespace kestro {

namespace {

bool Between(float value, float a, float b) {
    return value >= std::min(a, b) && value <= std::max(a, b);
}

}  // namespace

CPointF CWireTracker::Corner() const {
    return m_horizontalFirst ? CPointF{m_rect.right, m_rect.top}
                             : CPointF{m_rect.left, m_rect.bottom};
}

bool CWireTracker::Begin() {
    m_horizontalFirst = true;
    m_rect = {SnapCoordinate(m_rect.left), SnapCoordinate(m_rect.top), SnapCoordinate(m_rect.right),
              SnapCoordinate(m_rect.bottom)};
    StartTimer();
    return true;
}

void CWireTracker::MouseMove(QPoint pixel) {
    EraseFeedback();
    if (AutoScrollTest(pixel)) {
        ToggleFeedback();
        return;
    }
    m_currentPixel = pixel;
    const CPointF p = View().ToLogical(pixel);
    const CPointF start = Start(), end = End();
    if (!m_horizontalFirst && Between(start.y, p.y, end.y)) m_horizontalFirst = true;
    if (m_horizontalFirst && Between(start.x, p.x, end.x)) m_horizontalFirst = false;
    m_rect.right = SnapCoordinate(p.x);
    m_rect.bottom = SnapCoordinate(p.y);
    ToggleFeedback();
}

QRect CWireTracker::FeedbackArea() const {
    const CRectF span = CRectF{m_rect.left, m_rect.top, m_rect.right, m_rect.bottom}.Normalized();
    return View().ToWindow(span).adjusted(-3, -3, 4, 4);
}

void CWireTracker::PaintFeedback(QPainter& painter) {
    CKestroView& view = View();
    if (!view.Document()) return;
    const CPartEnvironment& environment = view.Document()->GetEnvironment();
    const CPointF start = Start(), corner = Corner(), end = End();
    view.DrawOnCanvas(painter, [&](CCanvas& canvas) {
        for (const auto& [from, to] : {std::pair{start, corner}, std::pair{corner, end}})
            if (!SamePoint(from, to)) CWire::Create(environment, from, to)->Draw(canvas);
    });
}

}  // namespace kestro
