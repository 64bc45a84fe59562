#pragma once

#include "gui/editing/select_box_tracker.h"

namespace kestro {

// The box of ZoomBox mode. It keeps the window's proportions and never scrolls; a box
// under 4 pixels in either direction is not shown and only centres the view on release.
class CZoomBoxTracker : public CSelectBoxTracker {
    Q_OBJECT
public:
    static constexpr double kMinPixels = 4.0;

    using CSelectBoxTracker::CSelectBoxTracker;

    // The zoom factor the box asks for (1 for a click).
    double Factor() const { return m_factor; }

protected:
    bool Begin() override;
    bool AutoScroll(int dx, int dy, bool snap) override;
    void MouseMove(QPoint pixel) override;
    QRect Band() const override;

private:
    double m_factor = 1.0;
    QPointF m_corner;  // the reshaped corner opposite the start
};

}  // namespace kestro
