#include "core/library/sh_arc.h"

#include <algorithm>

#include "core/platform/record_buffer.h"

namespace kestro {

int CSHArc::EffectiveOrientation(const CPlacement& placement) const {
    int e = NormalizeTurns(m_orientation + placement.Turns());
    // A mirror across the axis the half opens along flips it to the other side.
    const bool vertical = (e & 1) != 0;
    if ((vertical && placement.DeviceScaleY() < 0) || (!vertical && placement.DeviceScaleX() < 0))
        e = (e + 2) & 3;
    return e;
}

void CSHArc::Rotate90(CPointF centre) {
    CSHBox::Rotate90(centre);
    m_orientation = static_cast<uint16_t>((m_orientation + 1) & 3);
}

void CSHArc::Draw(CCanvas& canvas, const CPlacement& placement) const {
    canvas.SelectRolePen(placement.color);
    const CPointI a = canvas.ToDevice(placement.Place({m_rect.left, m_rect.top}));
    const CPointI b = canvas.ToDevice(placement.Place({m_rect.right, m_rect.bottom}));
    CRectI full{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    const int32_t width = full.Width(), height = full.Height();
    const int e = EffectiveOrientation(placement);
    // The stored half doubled towards its open side gives the whole ellipse.
    switch (e) {
        case 0:
            full.right += width;
            break;
        case 1:
            full.top -= height;
            break;
        case 2:
            full.left -= width;
            break;
        default:
            full.bottom += height;
            break;
    }
    const int32_t cx = (full.left + full.right) / 2, cy = (full.top + full.bottom) / 2;
    const CPointI above{cx, cy - 10}, below{cx, cy + 10}, left{cx - 10, cy}, right{cx + 10, cy};
    // Counter-clockwise on the screen from the first point to the second.
    switch (e) {
        case 0:
            canvas.Arc(full, above, below);
            break;
        case 1:
            canvas.Arc(full, left, right);
            break;
        case 2:
            canvas.Arc(full, below, above);
            break;
        default:
            canvas.Arc(full, right, left);
            break;
    }
}

void CSHArc::Serialize(CRecordBuffer& buffer, const CShapeContext& context) {
    CSHBox::Serialize(buffer, context);
    buffer.Value(m_orientation);
}

}  // namespace kestro
