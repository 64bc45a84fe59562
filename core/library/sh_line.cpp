#include "core/library/sh_line.h"

#include "core/platform/record_buffer.h"

namespace kestro {

void CSHLine::SetRect(const CRectF& rect) {
    m_from = {rect.left, rect.top};
    m_to = {rect.right, rect.bottom};
}

void CSHLine::Transform(const CPlacement& placement) {
    m_from = placement.Place(m_from);
    m_to = placement.Place(m_to);
}

void CSHLine::Offset(float dx, float dy) {
    m_from = {m_from.x + dx, m_from.y + dy};
    m_to = {m_to.x + dx, m_to.y + dy};
}

void CSHLine::Rotate90(CPointF centre) {
    m_from = TurnAbout(m_from, centre, 1);
    m_to = TurnAbout(m_to, centre, 1);
}

void CSHLine::Draw(CCanvas& canvas, const CPlacement& placement) const {
    canvas.SelectRolePen(placement.color, m_width, m_style);
    const CPointI from = canvas.ToDevice(placement.Place(m_from));
    CPointI to = canvas.ToDevice(placement.Place(m_to));
    if (from.y == to.y)
        to.x += to.x >= from.x ? 1 : -1;
    else if (from.x == to.x)
        to.y += to.y > from.y ? 1 : -1;
    canvas.Line(from, to);
}

void CSHLine::Serialize(CRecordBuffer& buffer, const CShapeContext& /*context*/) {
    buffer.Point(m_from);
    buffer.Point(m_to);
    buffer.Value(m_width);
    buffer.Value(m_style);
}

}  // namespace kestro
