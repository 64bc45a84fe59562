#include "gui/editing/zoom_box_tracker.h"

#include <algorithm>
#include <cmath>

#include "gui/views/kestro_view.h"

namespace kestro {

bool CZoomBoxTracker::Begin() {
    m_factor = 1.0;
    m_corner = m_startPixel;
    return true;  // no timer: the zoom box never scrolls
}

bool CZoomBoxTracker::AutoScroll(int /*dx*/, int /*dy*/, bool /*snap*/) {
    return false;
}

QRect CZoomBoxTracker::Band() const {
    return QRect(m_startPixel.toPoint(), m_corner.toPoint()).normalized();
}

void CZoomBoxTracker::MouseMove(QPoint pixel) {
    EraseFeedback();
    m_currentPixel = pixel;
    const double dx = pixel.x() - m_startPixel.x(), dy = pixel.y() - m_startPixel.y();
    if (std::fabs(dx) < kMinPixels || std::fabs(dy) < kMinPixels) {
        // Too small to be a box: releasing now only centres the view.
        m_factor = 1.0;
        m_corner = m_startPixel;
        m_rect.right = m_rect.left;
        m_rect.bottom = m_rect.top;
        return;
    }
    m_factor = std::min(m_client.width() / std::fabs(dx), m_client.height() / std::fabs(dy));
    const double width = m_client.width() / m_factor, height = m_client.height() / m_factor;
    m_corner = {m_startPixel.x() + (dx < 0 ? -width : width),
                m_startPixel.y() + (dy < 0 ? -height : height)};
    const CPointF corner = View().ToLogical(m_corner.toPoint());
    m_rect.right = corner.x;
    m_rect.bottom = corner.y;
    ToggleFeedback();
}

}  // namespace kestro
