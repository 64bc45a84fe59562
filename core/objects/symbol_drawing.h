#pragma once

#include "core/library/placement.h"
#include "core/library/shape.h"

namespace kestro {

class CCanvas;
class CLibElement;

// Kinds drawn from a library element (elements, ports, labels, the simulation control)
// share these; a missing element draws nothing.
void DrawElementSymbol(const CLibElement* element, CCanvas& canvas, const CPlacement& placement);
void AppendElementShapes(const CLibElement* element, const CPlacement& placement, CPointF origin,
                         CShapeList& shapes);
// Output point `index` of `element` placed; the placement's position when it has none.
CPointF PlaceOutputPoint(const CLibElement* element, const CPlacement& placement, size_t index);
// Sheet texts measured with the headless fixed metric (the GUI measures again on draw).
class CSHTextAdvance;
void MeasureFixed(CSHTextAdvance& text);

}  // namespace kestro
