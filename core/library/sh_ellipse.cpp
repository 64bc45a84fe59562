#include "core/library/sh_ellipse.h"

namespace kestro {

void CSHEllipse::Draw(CCanvas& canvas, const CPlacement& placement) const {
    canvas.SelectRolePen(placement.color);
    canvas.SelectBackgroundBrush();
    canvas.Ellipse(DeviceBox(canvas, placement.PlaceRect(m_rect)));
}

}  // namespace kestro
