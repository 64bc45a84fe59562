#pragma once

#include <vector>

#include "core/platform/geometry.h"

namespace kestro {

// The pin positions of a rectangular subcircuit symbol: the rectangle is centred on the
// origin; nx = trunc(|w| / 10 - 1) pins on each horizontal side, ny = trunc(|h| / 10 - 1)
// on each vertical side, 10 units apart and never on a corner, listed clockwise as the
// screen shows them: the top from the left, the right side from the top, the bottom
// from the right, the left side from the bottom. None when 2 (nx + ny) is 0.
std::vector<CPointF> SubcircuitPortPositions(const CRectF& rect);

// The rectangle moved so that its centre lies on the origin.
CRectF CentredOnOrigin(const CRectF& rect);

}  // namespace kestro
