#include "gui/editing/tracker.h"

#include <QTimer>
#include <cmath>

#include "gui/views/kestro_view.h"

namespace kestro {

namespace {

int RoundAway(double v) {
    return static_cast<int>(std::lround(v));
}

}  // namespace

CTracker::CTracker(CKestroView& view) : m_view(view) {}

CTracker::~CTracker() = default;

bool CTracker::Start(QPoint pixel, Done done) {
    m_active = m_result = m_feedbackShown = false;
    m_client = QRect(QPoint(0, 0), m_view.viewport()->size());
    const CPointF at = m_view.ToLogical(pixel);
    m_rect = {at.x, at.y, at.x, at.y};
    m_startPixel = m_currentPixel = pixel;
    m_autoScrolling = false;
    m_scrollX = m_scrollY = 0;
    if (!Begin()) {
        if (m_timer) m_timer->stop();
        return false;
    }
    m_done = std::move(done);
    m_active = true;
    m_result = false;
    ToggleFeedback();
    return true;
}

// --- Slots --------------------------------------------------------------------------------

bool CTracker::Begin() {
    StartTimer();
    return true;
}

void CTracker::Cancel() {
    EraseFeedback();
    m_active = false;
    m_result = false;
}

void CTracker::ToggleFeedback() {
    m_feedbackShown = !m_feedbackShown;
    const QRect area = FeedbackArea();
    if (!area.isEmpty()) m_view.viewport()->update(area);
}

bool CTracker::AutoScroll(int dx, int dy, bool snap) {
    return ScrollView(dx, dy, snap);
}

void CTracker::MouseMove(QPoint pixel) {
    EraseFeedback();
    if (AutoScrollTest(pixel)) return;
    SetCurrent(pixel);
    ToggleFeedback();
}

void CTracker::LeftButtonUp(QPoint /*pixel*/) {
    Succeed();
}

QRect CTracker::FeedbackArea() const {
    return {};
}

// --- Shared steps -------------------------------------------------------------------------

void CTracker::EraseFeedback() {
    if (m_feedbackShown) ToggleFeedback();
}

void CTracker::StartTimer() {
    if (!m_timer) {
        m_timer = new QTimer(this);
        connect(m_timer, &QTimer::timeout, this, &CTracker::OnTimer);
    }
    m_timer->start(kRepeatMilliseconds);
}

bool CTracker::AutoScrollTest(QPoint pixel) {
    int dx = 0, dy = 0;
    if (pixel.x() <= m_client.left())
        dx = pixel.x() - m_client.left();
    else if (pixel.x() > m_client.left() + m_client.width())
        dx = pixel.x() - (m_client.left() + m_client.width());
    if (pixel.y() <= m_client.top())
        dy = pixel.y() - m_client.top();
    else if (pixel.y() > m_client.top() + m_client.height())
        dy = pixel.y() - (m_client.top() + m_client.height());
    if (dx == 0 && dy == 0) {
        if (m_autoScrolling) {
            m_autoScrolling = false;
            m_view.SetGridSuspended(false);
        }
        return false;
    }
    if (!m_autoScrolling) m_view.SetGridSuspended(true);
    m_autoScrolling = true;
    m_scrollX = dx;
    m_scrollY = dy;
    AutoScroll(dx, dy, false);
    return true;
}

void CTracker::SetCurrent(QPointF pixel) {
    m_currentPixel = pixel;
    const CPointF at = m_view.ToLogical(QPoint(RoundAway(pixel.x()), RoundAway(pixel.y())));
    m_rect.right = at.x;
    m_rect.bottom = at.y;
}

bool CTracker::ScrollView(int dx, int dy, bool snap) {
    const QPoint before = m_view.ScrollPosition();
    const bool moved = m_view.ScrollBy(dx, dy, snap);
    const QPoint scrolled = m_view.ScrollPosition() - before;
    m_startPixel -= QPointF(scrolled);
    return moved;
}

void CTracker::Succeed() {
    EraseFeedback();
    m_active = false;
    m_result = true;
}

// --- Events -------------------------------------------------------------------------------

void CTracker::OnMouseMove(QPoint pixel) {
    if (!m_active) return;
    MouseMove(pixel);
    AfterEvent();
}

void CTracker::OnLeftButtonDown(QPoint pixel) {
    if (!m_active) return;
    LeftButtonDown(pixel);
    AfterEvent();
}

void CTracker::OnLeftButtonUp(QPoint pixel) {
    if (!m_active) return;
    LeftButtonUp(pixel);
    AfterEvent();
}

void CTracker::OnRightButtonDown(QPoint pixel) {
    if (!m_active) return;
    RightButtonDown(pixel);
    AfterEvent();
}

void CTracker::OnRightButtonUp(QPoint pixel) {
    if (!m_active) return;
    RightButtonUp(pixel);
    AfterEvent();
}

void CTracker::OnKey(int key) {
    if (!m_active) return;
    if (key == Qt::Key_Escape) Cancel();
    AfterEvent();
}

void CTracker::OnCaptureLost() {
    if (!m_active) return;
    Cancel();
    AfterEvent();
}

void CTracker::OnTimer() {
    if (!m_active) return;
    if (m_autoScrolling) AutoScroll(m_scrollX, m_scrollY, true);
    AfterEvent();
}

void CTracker::AfterEvent() {
    if (!m_active) Finish();
}

void CTracker::Finish() {
    if (m_finished) return;
    m_finished = true;
    EraseFeedback();
    if (m_autoScrolling) m_view.SetGridSuspended(false);
    m_autoScrolling = false;
    if (m_timer) m_timer->stop();
    m_view.SetMoveInProgress(false);
    // The view lets go of the tracker before it hears the result, which may start
    // another drag.
    Done done = std::move(m_done);
    m_view.TrackerFinished(*this);
    if (done) done(*this, m_result);
}

}  // namespace kestro
