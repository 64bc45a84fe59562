#include "core/library/sh_poly.h"

#include <algorithm>

#include "core/platform/record_buffer.h"

namespace kestro {

CRectF CSHPoly::GetBounds() const {
    if (m_points.empty()) return {};
    CRectF bounds{m_points[0].x, m_points[0].y, m_points[0].x, m_points[0].y};
    for (const auto& p : m_points)
        bounds = UnionRect(bounds, {p.x, p.y, p.x, p.y});
    return bounds;
}

void CSHPoly::Transform(const CPlacement& placement) {
    for (auto& p : m_points)
        p = placement.Place(p);
}

void CSHPoly::Offset(float dx, float dy) {
    for (auto& p : m_points)
        p = {p.x + dx, p.y + dy};
}

void CSHPoly::Rotate90(CPointF centre) {
    for (auto& p : m_points)
        p = TurnAbout(p, centre, 1);
}

void CSHPoly::Draw(CCanvas& canvas, const CPlacement& placement) const {
    canvas.SelectRolePen(placement.color);
    canvas.SelectBackgroundBrush();
    std::vector<CPointI> device;
    device.reserve(m_points.size());
    for (const auto& p : m_points)
        device.push_back(canvas.ToDevice(placement.Place(p)));
    canvas.Polygon(device);
}

void CSHPoly::Serialize(CRecordBuffer& buffer, const CShapeContext& /*context*/) {
    buffer.Points(m_points);
}

}  // namespace kestro
