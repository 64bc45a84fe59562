#pragma once

#include <memory>

#include "core/library/shape.h"
#include "gui/library_editor/shape_geometry.h"
#include "gui/library_editor/shape_tracker.h"

namespace kestro {

// Drags out a new shape of a drawing tool from the press point to the mouse. Shift holds a
// new line horizontal or vertical; Ctrl holds a new circle round and a new rectangle
// square.
class CShapeDrawTracker : public CShapeTracker {
    Q_OBJECT
public:
    CShapeDrawTracker(CShapeView& view, std::unique_ptr<CShape> shape);

    // The shape from the press point to the mouse, as it would be made now.
    const CShape& Shape();
    // The shape as made; null once taken or when it has no extent.
    std::unique_ptr<CShape> TakeShape();

    void PaintFeedback(QPainter& painter) override;

private:
    void Update();

    std::unique_ptr<CShape> m_shape;
};

// The rubber band of the Select tool.
class CShapeBandTracker : public CShapeTracker {
    Q_OBJECT
public:
    using CShapeTracker::CShapeTracker;

    CRectF Band() const;
    void PaintFeedback(QPainter& painter) override;
};

// Moves the selection, or resizes it by one of the eight handles of its frame.
class CShapeMoveTracker : public CShapeTracker {
    Q_OBJECT
public:
    // `handle` -1 moves; 0 to 7 resizes by that handle.
    CShapeMoveTracker(CShapeView& view, int handle);

    int Handle() const { return m_handle; }
    // The drag offset in whole units.
    CPointF Offset() const;
    CResize Resize() const;
    // Applies the drag to a shape (a copy while dragging, the shape itself at the end).
    void Apply(CShape& shape) const;

    void PaintFeedback(QPainter& painter) override;
    bool HidesSelection() const override { return IsActive(); }

private:
    int m_handle;
    CRectF m_bounds;
};

}  // namespace kestro
