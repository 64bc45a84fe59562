#include "gui/library_editor/shape_geometry.h"

#include <algorithm>
#include <cmath>

#include "core/library/sh_poly.h"
#include "core/library/sh_text.h"

namespace kestro {

namespace {

float Whole(float v) {
    return static_cast<float>(std::round(v));
}

CPointF Whole(CPointF p) {
    return {Whole(p.x), Whole(p.y)};
}

float Sign(float v) {
    return v < 0.0f ? -1.0f : 1.0f;
}

}  // namespace

std::array<CPointF, 2> ConstrainStraight(CPointF start, CPointF end) {
    const CPointF from = Whole(start);
    CPointF to = Whole(end);
    if (std::fabs(to.x - from.x) >= std::fabs(to.y - from.y))
        to.y = from.y;
    else
        to.x = from.x;
    return {from, to};
}

CPointF ConstrainSquare(CPointF start, CPointF end) {
    const float dx = end.x - start.x, dy = end.y - start.y;
    const float side = std::max(std::fabs(dx), std::fabs(dy));
    return {start.x + Sign(dx) * side, start.y + Sign(dy) * side};
}

CRectF SelectionBounds(const std::vector<const CShape*>& shapes) {
    if (shapes.empty()) return {};
    CRectF bounds = shapes.front()->GetBounds();
    for (const CShape* shape : shapes)
        bounds = UnionRect(bounds, shape->GetBounds());
    // A horizontal line would otherwise have a frame too flat to grab.
    constexpr float kMinimum = 9.0f;
    const CPointF c = bounds.Center();
    if (bounds.Width() < kMinimum) {
        bounds.left = c.x - kMinimum / 2.0f;
        bounds.right = c.x + kMinimum / 2.0f;
    }
    if (bounds.Height() < kMinimum) {
        bounds.top = c.y - kMinimum / 2.0f;
        bounds.bottom = c.y + kMinimum / 2.0f;
    }
    return bounds;
}

void BringInside(CShape& shape, const CRectF& box) {
    const CRectF b = shape.GetBounds();
    const CRectF inside = box.Normalized();
    float dx = 0.0f, dy = 0.0f;
    if (b.right > inside.right) dx = inside.right - b.right;
    if (b.left + dx < inside.left) dx = inside.left - b.left;
    if (b.bottom > inside.bottom) dy = inside.bottom - b.bottom;
    if (b.top + dy < inside.top) dy = inside.top - b.top;
    if (dx != 0.0f || dy != 0.0f) shape.Offset(dx, dy);
}

CPointF HandleDirection(int handle) {
    static constexpr std::array<CPointF, kHandleCount> kDirections{
        {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}, {0, -1}, {1, 0}, {0, 1}, {-1, 0}}};
    return kDirections[size_t(std::clamp(handle, 0, kHandleCount - 1))];
}

CPointF HandleCentre(const CRectF& frame, int handle) {
    const CPointF d = HandleDirection(handle);
    const CPointF c = frame.Center();
    return {c.x + d.x * frame.Width() / 2.0f, c.y + d.y * frame.Height() / 2.0f};
}

CPointF CResize::Apply(CPointF p) const {
    return {centre.x + sx * (p.x - centre.x) + shift.x, centre.y + sy * (p.y - centre.y) + shift.y};
}

// The side opposite the handle stays where it was: the scale is taken over the frame's
// own width (a frame with no width scales over one unit, so it still follows the mouse).
CResize ResizeFor(const CRectF& bounds, int handle, float dx, float dy) {
    const CPointF f = HandleDirection(handle);
    const auto extent = [](float size) {
        const float a = std::fabs(size);
        return a > 0.0f ? a : 1.0f;
    };
    const float w = extent(bounds.Width());
    const float h = extent(bounds.Height());
    CResize r;
    r.centre = bounds.Center();
    r.sx = (w + dx * f.x) / w;
    r.sy = (h + dy * f.y) / h;
    r.shift = {dx * std::fabs(f.x) / 2.0f, dy * std::fabs(f.y) / 2.0f};
    return r;
}

void ResizeShape(CShape& shape, const CResize& resize) {
    switch (shape.GetTypeCode()) {
        case CShape::kPoly: {
            auto& poly = static_cast<CSHPoly&>(shape);
            std::vector<CPointF> points = poly.GetPoints();
            for (CPointF& p : points)
                p = resize.Apply(p);
            poly.SetPoints(std::move(points));
            return;
        }
        case CShape::kText:
        case CShape::kTextAdvance: {
            // A text keeps its size: its font decides that.
            auto& text = static_cast<CSHTextAdvance&>(shape);
            const CPointF from = text.GetAnchor();
            const CPointF to = resize.Apply(from);
            text.Offset(to.x - from.x, to.y - from.y);
            return;
        }
        default: {
            const CRectF r = shape.GetRect();
            const CPointF a = resize.Apply({r.left, r.top});
            const CPointF b = resize.Apply({r.right, r.bottom});
            shape.SetRect({a.x, a.y, b.x, b.y});
            return;
        }
    }
}

int ShapeAt(const CShapeList& shapes, CPointF p, float tolerance) {
    for (size_t i = shapes.size(); i-- > 0;) {
        const CRectF b = shapes[i]->GetBounds().Inflated(tolerance);
        if (p.x >= b.left && p.x <= b.right && p.y >= b.top && p.y <= b.bottom) return int(i);
    }
    return -1;
}

}  // namespace kestro
