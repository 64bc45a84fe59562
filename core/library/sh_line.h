#pragma once

#include "core/library/shape.h"

namespace kestro {

// A straight line with its own pen width and style (0 solid), in the placement's colour.
class CSHLine : public CShape {
public:
    CSHLine() = default;
    CSHLine(CPointF from, CPointF to, uint16_t width = 0, uint16_t style = 0)
        : m_from(from), m_to(to), m_width(width), m_style(style) {}

    CPointF GetFrom() const { return m_from; }
    CPointF GetTo() const { return m_to; }
    void SetPoints(CPointF from, CPointF to) {
        m_from = from;
        m_to = to;
    }
    uint16_t GetPenWidth() const { return m_width; }
    uint16_t GetPenStyle() const { return m_style; }
    void SetPen(uint16_t width, uint16_t style) {
        m_width = width;
        m_style = style;
    }

    uint16_t GetTypeCode() const override { return kLine; }
    CRectF GetBounds() const override { return GetRect().Normalized(); }
    CRectF GetRect() const override { return {m_from.x, m_from.y, m_to.x, m_to.y}; }
    void SetRect(const CRectF& rect) override;
    void Transform(const CPlacement& placement) override;
    void Offset(float dx, float dy) override;
    void Rotate90(CPointF centre) override;
    // An exactly horizontal or vertical device line is drawn one pixel longer so that
    // its end pixel shows too.
    void Draw(CCanvas& canvas, const CPlacement& placement) const override;
    std::unique_ptr<CShape> Clone() const override { return std::make_unique<CSHLine>(*this); }
    // f32 x1, y1, x2, y2, u16 pen width, u16 pen style.
    void Serialize(CRecordBuffer& buffer, const CShapeContext& context) override;

private:
    CPointF m_from;
    CPointF m_to;
    uint16_t m_width = 0;
    uint16_t m_style = 0;
};

}  // namespace kestro
