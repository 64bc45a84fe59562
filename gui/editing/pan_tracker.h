#pragma once

#include "gui/editing/tracker.h"

namespace kestro {

// Pans the view while the right button is held: the drawing follows the mouse. Releasing
// the right (or the left) button ends it with success.
class CPanTracker : public CTracker {
    Q_OBJECT
public:
    using CTracker::CTracker;

protected:
    // Scrolls the other way, so that the drawing moves with the mouse.
    bool AutoScroll(int dx, int dy, bool snap) override;
    void MouseMove(QPoint pixel) override;
    void RightButtonUp(QPoint /*pixel*/) override { Succeed(); }
    void RightButtonDown(QPoint /*pixel*/) override {}
};

}  // namespace kestro
