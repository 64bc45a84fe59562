#include "gui/editing/pan_tracker.h"

#include <cmath>

namespace kestro {

bool CPanTracker::AutoScroll(int dx, int dy, bool snap) {
    return ScrollView(-dx, -dy, snap);
}

void CPanTracker::MouseMove(QPoint pixel) {
    if (AutoScrollTest(pixel)) return;
    m_currentPixel = pixel;
    const QPointF moved = m_currentPixel - m_startPixel;
    if (std::fabs(moved.x()) >= 0.1 || std::fabs(moved.y()) >= 0.1)
        AutoScroll(static_cast<int>(std::lround(moved.x())),
                   static_cast<int>(std::lround(moved.y())), false);
    m_startPixel = m_currentPixel;
}

}  // namespace kestro
