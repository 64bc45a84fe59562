#include "gui/library_editor/shape_tracker.h"

#include <QTimer>

#include "gui/library_editor/shape_view.h"

namespace kestro {

CShapeTracker::CShapeTracker(CShapeView& view) : m_view(view), m_timer(new QTimer(this)) {
    connect(m_timer, &QTimer::timeout, this, &CShapeTracker::AutoScroll);
}

CShapeTracker::~CShapeTracker() = default;

void CShapeTracker::Start(QPoint pixel, Done done) {
    m_done = std::move(done);
    m_active = true;
    m_start = m_current = m_view.ToLogical(pixel);
    m_currentPixel = pixel;
    m_timer->start(kRepeatMilliseconds);
    m_view.viewport()->update();
}

QPoint CShapeTracker::StartPixel() const {
    return m_view.ToWindow(m_start);
}

void CShapeTracker::Track(QPoint pixel, Qt::KeyboardModifiers modifiers) {
    const QRect client(QPoint(0, 0), m_view.viewport()->size());
    m_overshoot = {pixel.x() < 0 ? pixel.x() : std::max(0, pixel.x() - client.width() + 1),
                   pixel.y() < 0 ? pixel.y() : std::max(0, pixel.y() - client.height() + 1)};
    m_currentPixel = pixel;
    m_current = m_view.ToLogical(pixel);
    m_modifiers = modifiers;
    m_view.viewport()->update();
}

void CShapeTracker::OnMouseMove(QPoint pixel, Qt::KeyboardModifiers modifiers) {
    if (m_active) Track(pixel, modifiers);
}

void CShapeTracker::OnLeftButtonUp(QPoint pixel, Qt::KeyboardModifiers modifiers) {
    if (!m_active) return;
    Track(pixel, modifiers);
    Finish(true);
}

void CShapeTracker::OnRightButtonDown() {
    if (m_active) Finish(false);
}

void CShapeTracker::OnKey(int key) {
    if (m_active && key == Qt::Key_Escape) Finish(false);
}

void CShapeTracker::OnCaptureLost() {
    if (m_active) Finish(false);
}

// While the mouse is outside the window the view scrolls towards it; the logical point
// under the mouse moves with the drawing.
void CShapeTracker::AutoScroll() {
    if (!m_active || m_overshoot.isNull()) return;
    if (m_view.ScrollBy(m_overshoot)) Track(m_currentPixel, m_modifiers);
}

void CShapeTracker::Finish(bool success) {
    m_active = false;
    m_timer->stop();
    Done done = std::move(m_done);
    m_view.viewport()->update();
    m_view.TrackerFinished(*this);
    if (done) done(*this, success);
}

}  // namespace kestro
