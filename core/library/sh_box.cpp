#include "core/library/sh_box.h"

#include "core/platform/record_buffer.h"

namespace kestro {

void CSHBox::Transform(const CPlacement& placement) {
    const CPointF a = placement.Place({m_rect.left, m_rect.top});
    const CPointF b = placement.Place({m_rect.right, m_rect.bottom});
    m_rect = {a.x, a.y, b.x, b.y};
}

void CSHBox::Rotate90(CPointF centre) {
    const CPointF a = TurnAbout({m_rect.left, m_rect.top}, centre, 1);
    const CPointF b = TurnAbout({m_rect.right, m_rect.bottom}, centre, 1);
    m_rect = {a.x, a.y, b.x, b.y};
}

void CSHBox::Serialize(CRecordBuffer& buffer, const CShapeContext& /*context*/) {
    buffer.Rect(m_rect);
}

}  // namespace kestro
