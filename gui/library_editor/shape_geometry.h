#pragma once

#include <array>
#include <optional>
#include <vector>

#include "core/library/shape.h"
#include "core/platform/geometry.h"

namespace kestro {

// The arithmetic of the symbol editor's gestures, kept apart from the widgets so that it
// can be reasoned about (and tested) on its own.

// The end of a new line held horizontal or vertical, whichever is nearer; both ends are
// snapped to whole units. Returns the snapped start and end.
std::array<CPointF, 2> ConstrainStraight(CPointF start, CPointF end);
// The far corner of a new circle or rectangle held round or square: the larger of the two
// extents in both directions, keeping the direction of the drag.
CPointF ConstrainSquare(CPointF start, CPointF end);

// Bounds of a group of shapes, widened to at least 9 by 9 units about their centre.
CRectF SelectionBounds(const std::vector<const CShape*>& shapes);

// Moves a shape that reaches out of the box back inside it (a shape larger than the box
// keeps its left or top edge on the box).
void BringInside(CShape& shape, const CRectF& box);

// The eight handles of the selection frame: top-left, top-right, bottom-right,
// bottom-left, top, right, bottom, left.
inline constexpr int kHandleCount = 8;
CPointF HandleDirection(int handle);
// Handle centres of a frame (any units).
CPointF HandleCentre(const CRectF& frame, int handle);

// How a handle drag scales the selection: every point p becomes c + s (p - c) + shift.
struct CResize {
    CPointF centre;
    float sx = 1.0f;
    float sy = 1.0f;
    CPointF shift;

    CPointF Apply(CPointF p) const;
};
CResize ResizeFor(const CRectF& bounds, int handle, float dx, float dy);
// Applies a resize to every point of a shape (a text moves its anchor only).
void ResizeShape(CShape& shape, const CResize& resize);

// The topmost shape (last drawn) whose bounds, widened by `tolerance`, contain p; -1 when
// none does.
int ShapeAt(const CShapeList& shapes, CPointF p, float tolerance);

}  // namespace kestro
