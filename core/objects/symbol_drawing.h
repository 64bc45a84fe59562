#pragma once

#include "core/library/placement.h"
#include "core/library/shape.h"

#include <string>
#include <vector>

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

// Height in sheet units of the names drawn over labels and ports.
inline constexpr int32_t kCaptionHeight = 10;

// Where a caption's anchor sits along its reading direction.
enum class CaptionAlign { Centre, Start, End };

// A name drawn over a symbol (a label's net name, a port's or a pin's name) in the
// placement's colour: `anchor` is a symbol point placed by `placement`; the text reads
// left to right, or upwards when `upright` is set, and is never upside down or mirrored.
void DrawCaption(CCanvas& canvas, const CPlacement& placement, const std::string& text,
                 CPointF anchor, int32_t height, bool upright, CaptionAlign align);

// The names of a subcircuit block's pins just inside the block, each next to its pin:
// pins on the left and right read across, pins on the top and bottom read upwards.
void DrawPinNames(CCanvas& canvas, const CPlacement& placement, const CRectF& box,
                  const std::vector<CPointF>& pins, const std::vector<std::string>& names);

}  // namespace kestro
