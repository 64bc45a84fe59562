#pragma once

#include "core/library/sh_box.h"

namespace kestro {

// Half of an ellipse that fills the rectangle. The orientation names the open side of
// the stored half: 0 right (the left half shows), 1 up (lower half), 2 left (right
// half), 3 down (upper half). Transform leaves the orientation alone; the placement's
// turn and mirror are applied when drawing.
class CSHArc : public CSHBox {
public:
    CSHArc() = default;
    CSHArc(const CRectF& rect, uint16_t orientation) : CSHBox(rect), m_orientation(orientation) {}

    uint16_t GetOrientation() const { return m_orientation; }
    void SetOrientation(uint16_t orientation) { m_orientation = orientation; }
    // The orientation the arc is drawn with under a placement.
    int EffectiveOrientation(const CPlacement& placement) const;

    uint16_t GetTypeCode() const override { return kArc; }
    void Rotate90(CPointF centre) override;
    void Draw(CCanvas& canvas, const CPlacement& placement) const override;
    std::unique_ptr<CShape> Clone() const override { return std::make_unique<CSHArc>(*this); }
    // f32 left, top, right, bottom, u16 orientation.
    void Serialize(CRecordBuffer& buffer, const CShapeContext& context) override;

private:
    uint16_t m_orientation = 0;
};

}  // namespace kestro
