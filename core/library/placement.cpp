#include "core/library/placement.h"

#include "core/platform/record_buffer.h"

namespace kestro {

CPointF TurnAboutOrigin(CPointF p, int turns) {
    switch (NormalizeTurns(turns)) {
        case 1:
            return {p.y, -p.x};
        case 2:
            return {-p.x, -p.y};
        case 3:
            return {-p.y, p.x};
        default:
            return p;
    }
}

CPointF TurnAbout(CPointF p, CPointF centre, int turns) {
    const CPointF turned = TurnAboutOrigin({p.x - centre.x, p.y - centre.y}, turns);
    return {centre.x + turned.x, centre.y + turned.y};
}

CPointF CPlacement::Place(CPointF p) const {
    const CPointF turned = TurnAboutOrigin(p, Turns());
    return {turned.x * DeviceScaleX() + x, turned.y * DeviceScaleY() + y};
}

CRectF CPlacement::PlaceRect(const CRectF& r) const {
    const CPointF a = Place({r.left, r.top});
    const CPointF b = Place({r.right, r.bottom});
    return CRectF{a.x, a.y, b.x, b.y}.Normalized();
}

void CPlacement::Serialize(CRecordBuffer& buffer) {
    buffer.Value(color);
    buffer.Value(x);
    buffer.Value(y);
    buffer.Value(rotation);
    buffer.Value(sx);
    buffer.Value(sy);
}

}  // namespace kestro
