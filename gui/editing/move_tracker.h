#pragma once

#include "gui/editing/tracker.h"

namespace kestro {

// Drags the selection of the view: while it runs, the selected objects are drawn
// displaced by whole grid steps (where the drop will put them) instead of in place.
class CMoveTracker : public CTracker {
    Q_OBJECT
public:
    using CTracker::CTracker;

    // The displacement so far, in whole 10-unit steps.
    CPointF Offset() const;

    void PaintFeedback(QPainter& painter) override;
    bool HidesSelection() const override { return FeedbackShown(); }

protected:
    bool Begin() override;
    void Cancel() override;
    bool AutoScroll(int dx, int dy, bool snap) override;
    QRect FeedbackArea() const override;
};

}  // namespace kestro
