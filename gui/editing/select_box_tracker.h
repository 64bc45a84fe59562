#pragma once

#include "gui/editing/tracker.h"

namespace kestro {

// The rubber band of Select mode: a hollow black rectangle from the start to the mouse.
class CSelectBoxTracker : public CTracker {
    Q_OBJECT
public:
    using CTracker::CTracker;

    void PaintFeedback(QPainter& painter) override;

protected:
    QRect FeedbackArea() const override;
    // The band in window pixels (normalised, both corners inside).
    virtual QRect Band() const;
};

}  // namespace kestro
