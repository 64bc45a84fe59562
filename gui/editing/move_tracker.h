#pragma once

#include <memory>
#include <unordered_set>

#include "gui/editing/tracker.h"

namespace kestro {

class CWireFollower;

// Drags the selection of the view: while it runs, the selected objects are drawn
// displaced by whole grid steps (where the drop will put them) instead of in place, and
// the wires that will follow them are drawn where the drop will put them.
class CMoveTracker : public CTracker {
    Q_OBJECT
public:
    explicit CMoveTracker(CKestroView& view);
    ~CMoveTracker() override;

    // The displacement so far, in whole 10-unit steps.
    CPointF Offset() const;

    void PaintFeedback(QPainter& painter) override;
    bool HidesSelection() const override { return FeedbackShown(); }
    const std::unordered_set<const CPart*>* HiddenObjects() const override { return &m_hidden; }

protected:
    bool Begin() override;
    void Cancel() override;
    bool AutoScroll(int dx, int dy, bool snap) override;
    QRect FeedbackArea() const override;

private:
    CRectF PreviewArea() const;

    std::unique_ptr<CWireFollower> m_follower;
    std::unordered_set<const CPart*> m_hidden;  // the wires that follow, drawn as feedback
    CRectF m_hiddenArea;
};

}  // namespace kestro
