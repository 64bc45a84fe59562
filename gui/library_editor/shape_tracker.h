#pragma once

#include <QObject>
#include <QPoint>
#include <functional>

#include "core/platform/geometry.h"

class QPainter;
class QTimer;

namespace kestro {

class CShapeView;

// A mouse drag in a library view. The view hands it the mouse and key events while it
// runs; a 200 ms timer scrolls the window while the mouse is outside it. Escape, the right
// button or a lost focus cancel it. The feedback is painted by the view over its drawing.
// When the drag ends the view lets go of it and then `done` hears whether it succeeded.
class CShapeTracker : public QObject {
    Q_OBJECT
public:
    static constexpr int kRepeatMilliseconds = 200;
    using Done = std::function<void(CShapeTracker& tracker, bool success)>;

    explicit CShapeTracker(CShapeView& view);
    ~CShapeTracker() override;

    void Start(QPoint pixel, Done done);
    bool IsActive() const { return m_active; }

    // Logical points of the press and of the mouse now.
    CPointF StartPoint() const { return m_start; }
    CPointF CurrentPoint() const { return m_current; }
    QPoint StartPixel() const;
    QPoint CurrentPixel() const { return m_currentPixel; }
    Qt::KeyboardModifiers Modifiers() const { return m_modifiers; }

    void OnMouseMove(QPoint pixel, Qt::KeyboardModifiers modifiers);
    void OnLeftButtonUp(QPoint pixel, Qt::KeyboardModifiers modifiers);
    void OnRightButtonDown();
    void OnKey(int key);
    void OnCaptureLost();

    virtual void PaintFeedback(QPainter& painter) = 0;
    // True while the selection is drawn by the feedback instead of in place.
    virtual bool HidesSelection() const { return false; }

protected:
    CShapeView& View() const { return m_view; }

private:
    void Track(QPoint pixel, Qt::KeyboardModifiers modifiers);
    void AutoScroll();
    void Finish(bool success);

    CShapeView& m_view;
    QTimer* m_timer;
    bool m_active = false;
    CPointF m_start;
    CPointF m_current;
    QPoint m_currentPixel;
    QPoint m_overshoot;
    Qt::KeyboardModifiers m_modifiers;
    Done m_done;
};

}  // namespace kestro
