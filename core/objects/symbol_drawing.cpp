#include "core/objects/symbol_drawing.h"

#include "core/library/lib_element.h"
#include "core/library/sh_text.h"
#include "core/platform/recording_canvas.h"

namespace kestro {

void DrawElementSymbol(const CLibElement* element, CCanvas& canvas, const CPlacement& placement) {
    if (element) element->Draw(canvas, placement);
}

void AppendElementShapes(const CLibElement* element, const CPlacement& placement, CPointF origin,
                         CShapeList& shapes) {
    if (!element) return;
    for (const auto& shape : element->GetShapes())
        shapes.push_back(shape->CloneTransformed(placement, origin));
}

CPointF PlaceOutputPoint(const CLibElement* element, const CPlacement& placement, size_t index) {
    if (!element || index >= element->GetOutputPoints().size()) return {placement.x, placement.y};
    return placement.Place(element->GetOutputPoints()[index]);
}

void MeasureFixed(CSHTextAdvance& text) {
    const CRecordingCanvas measure;
    text.UpdateExtent(measure);
}

}  // namespace kestro
