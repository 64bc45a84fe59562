#pragma once

#include <vector>

#include "core/library/shape.h"

namespace kestro {

// A closed polygon through its points; filled with the background brush.
class CSHPoly : public CShape {
public:
    CSHPoly() = default;
    explicit CSHPoly(std::vector<CPointF> points) : m_points(std::move(points)) {}

    const std::vector<CPointF>& GetPoints() const { return m_points; }
    void SetPoints(std::vector<CPointF> points) { m_points = std::move(points); }

    uint16_t GetTypeCode() const override { return kPoly; }
    CRectF GetBounds() const override;
    CRectF GetRect() const override { return GetBounds(); }
    void SetRect(const CRectF&) override {}  // a polygon is moved point by point
    void Transform(const CPlacement& placement) override;
    void Offset(float dx, float dy) override;
    void Rotate90(CPointF centre) override;
    void Draw(CCanvas& canvas, const CPlacement& placement) const override;
    std::unique_ptr<CShape> Clone() const override { return std::make_unique<CSHPoly>(*this); }
    // u16 count, then count × (f32 x, f32 y).
    void Serialize(CRecordBuffer& buffer, const CShapeContext& context) override;

private:
    std::vector<CPointF> m_points;
};

}  // namespace kestro
