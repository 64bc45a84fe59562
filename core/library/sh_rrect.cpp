#include "core/library/sh_rrect.h"

namespace kestro {

void CSHRRect::Draw(CCanvas& canvas, const CPlacement& placement) const {
    canvas.SelectRolePen(placement.color);
    canvas.SelectBackgroundBrush();
    canvas.Rectangle(DeviceBox(canvas, placement.PlaceRect(m_rect)));
}

}  // namespace kestro
