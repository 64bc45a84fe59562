#pragma once

#include <QObject>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <functional>
#include <unordered_set>

#include "core/platform/geometry.h"

class QPainter;
class QTimer;

namespace kestro {

class CKestroView;
class CPart;

// A mouse drag in a schematic view. The view hands it every mouse and key event while it
// runs, and a 200 ms timer scrolls the window while the mouse is outside it. Subclasses
// change the slots below; the rest is shared: the start and current points (in window
// pixels and in sheet units), the feedback, which the view paints over its drawing while
// it is shown, and the automatic scrolling, which hides the grid until the mouse returns.
// The drag ends when a slot clears the active flag; the view is then told the result.
class CTracker : public QObject {
    Q_OBJECT
public:
    static constexpr int kRepeatMilliseconds = 200;
    using Done = std::function<void(CTracker& tracker, bool success)>;

    explicit CTracker(CKestroView& view);
    ~CTracker() override;

    // Starts the drag at a window pixel. False when it cannot start (Begin refused):
    // then nothing has changed and `done` is never called.
    bool Start(QPoint pixel, Done done);

    bool IsActive() const { return m_active; }
    bool Result() const { return m_result; }
    bool FeedbackShown() const { return m_feedbackShown; }
    bool IsAutoScrolling() const { return m_autoScrolling; }
    // Start point (left, top) and current point (right, bottom) in sheet units.
    const CRectF& Rect() const { return m_rect; }
    QPointF StartPixel() const { return m_startPixel; }
    QPointF CurrentPixel() const { return m_currentPixel; }
    CKestroView& View() const { return m_view; }

    // Events of the view while the drag runs.
    void OnMouseMove(QPoint pixel);
    void OnLeftButtonDown(QPoint pixel);
    void OnLeftButtonUp(QPoint pixel);
    void OnRightButtonDown(QPoint pixel);
    void OnRightButtonUp(QPoint pixel);
    // Escape cancels; other keys are dropped.
    void OnKey(int key);
    // The view lost the mouse or the focus: the drag fails.
    void OnCaptureLost();

    // The feedback, painted by the view over its drawing while it is shown.
    virtual void PaintFeedback(QPainter& /*painter*/) {}
    // True while the view should leave the selection out of its drawing (it is drawn
    // displaced as feedback instead).
    virtual bool HidesSelection() const { return false; }
    // Other objects the view leaves out meanwhile (null: none).
    virtual const std::unordered_set<const CPart*>* HiddenObjects() const { return nullptr; }

protected:
    // The slots.
    virtual bool Begin();
    virtual void Cancel();
    virtual void ToggleFeedback();
    virtual bool AutoScroll(int dx, int dy, bool snap);
    virtual void MouseMove(QPoint pixel);
    virtual void LeftButtonUp(QPoint pixel);
    virtual void LeftButtonDown(QPoint /*pixel*/) {}
    virtual void RightButtonUp(QPoint /*pixel*/) {}
    virtual void RightButtonDown(QPoint /*pixel*/) { Cancel(); }

    // The window area the feedback covers now (repainted when it is shown or erased).
    virtual QRect FeedbackArea() const;
    // Erases the feedback when shown.
    void EraseFeedback();
    void StartTimer();
    // The base test of MouseMove: true when the mouse is outside the window and the view
    // scrolled (no feedback is shown then); false when it is inside.
    bool AutoScrollTest(QPoint pixel);
    // The current pixel and the rectangle's current corner.
    void SetCurrent(QPointF pixel);
    // Scrolls the view; the start pixel moves by what it actually scrolled.
    bool ScrollView(int dx, int dy, bool snap);
    // Ends the drag with success.
    void Succeed();

    bool m_active = false;
    bool m_result = false;
    bool m_feedbackShown = false;
    QRect m_client;
    CRectF m_rect;
    QPointF m_startPixel;
    QPointF m_currentPixel;

private:
    void AfterEvent();
    void Finish();
    void OnTimer();

    CKestroView& m_view;
    QTimer* m_timer = nullptr;
    bool m_autoScrolling = false;
    int m_scrollX = 0;
    int m_scrollY = 0;
    bool m_finished = false;
    Done m_done;
};

}  // namespace kestro
