#include "gui/editing/select_box_tracker.h"

#include <QPainter>

namespace kestro {

QRect CSelectBoxTracker::Band() const {
    return QRect(m_startPixel.toPoint(), m_currentPixel.toPoint()).normalized();
}

QRect CSelectBoxTracker::FeedbackArea() const {
    return Band().adjusted(-1, -1, 2, 2);
}

void CSelectBoxTracker::PaintFeedback(QPainter& painter) {
    QPen pen(Qt::black);
    pen.setWidth(0);
    painter.save();
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(Band());
    painter.restore();
}

}  // namespace kestro
