#pragma once

#include "core/library/shape.h"

namespace kestro {

// What the ellipse, the arc and the rectangle share: a defining rectangle whose two
// corners are placed and turned as points and normalised where they are used.
class CSHBox : public CShape {
public:
    CSHBox() = default;
    explicit CSHBox(const CRectF& rect) : m_rect(rect) {}

    CRectF GetBounds() const override { return m_rect.Normalized(); }
    CRectF GetRect() const override { return m_rect; }
    void SetRect(const CRectF& rect) override { m_rect = rect; }
    void Transform(const CPlacement& placement) override;
    void Offset(float dx, float dy) override { m_rect = m_rect.Offset(dx, dy); }
    void Rotate90(CPointF centre) override;
    // f32 left, top, right, bottom.
    void Serialize(CRecordBuffer& buffer, const CShapeContext& context) override;

protected:
    CRectF m_rect;
};

}  // namespace kestro
