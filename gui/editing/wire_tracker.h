#pragma once

#include "gui/editing/tracker.h"

namespace kestro {

// Draws one wire of Wire mode as two segments on the grid: from the start across then
// down (horizontal first) or down then across. The bend follows the side to which the
// mouse crossed the start: leaving it sideways runs across first, leaving it up or down
// runs down first.
class CWireTracker : public CTracker {
    Q_OBJECT
public:
    using CTracker::CTracker;

    bool HorizontalFirst() const { return m_horizontalFirst; }
    CPointF Start() const { return {m_rect.left, m_rect.top}; }
    CPointF End() const { return {m_rect.right, m_rect.bottom}; }
    // Where the two segments meet.
    CPointF Corner() const;

    void PaintFeedback(QPainter& painter) override;

protected:
    bool Begin() override;
    void MouseMove(QPoint pixel) override;
    QRect FeedbackArea() const override;

private:
    bool m_horizontalFirst = true;
};

}  // namespace kestro
