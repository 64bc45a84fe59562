#include "core/objects/symbol_drawing.h"

#include "core/library/lib_element.h"
#include "core/library/sh_text.h"
#include "core/platform/recording_canvas.h"

#include <cmath>

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

void DrawCaption(CCanvas& canvas, const CPlacement& placement, const std::string& text,
                 CPointF anchor, int32_t height, bool upright, CaptionAlign align) {
    if (text.empty()) return;
    CSHTextAdvance caption(CLogicalFont{"Arial", -height, 400, false});
    caption.SetText(text);
    caption.SetUsePlacementColor(1);
    if (align == CaptionAlign::Start)
        caption.SetStyle(caption.GetStyle() | CSHTextAdvance::kJustifyLeft);
    if (align == CaptionAlign::End)
        caption.SetStyle(caption.GetStyle() | CSHTextAdvance::kJustifyRight);
    MeasureFixed(caption);
    // Drawn under a placement of its own: at the placed anchor, unmirrored, upright at most.
    const CPointF at = placement.Place(anchor);
    CPlacement own;
    own.color = placement.color;
    own.x = at.x;
    own.y = at.y;
    own.rotation = upright ? 1 : 0;
    caption.Draw(canvas, own);
}

void DrawPinNames(CCanvas& canvas, const CPlacement& placement, const CRectF& box,
                  const std::vector<CPointF>& pins, const std::vector<std::string>& names) {
    constexpr float kInset = 3.0f;
    constexpr int32_t kHeight = 8;
    const CRectF b = box.Normalized();
    for (size_t i = 0; i < pins.size() && i < names.size(); ++i) {
        const CPointF pin = pins[i];
        // Pointing into the block from the side the pin sits on.
        CPointF inward{0.0f, 0.0f};
        if (pin.x <= b.left)
            inward.x = 1.0f;
        else if (pin.x >= b.right)
            inward.x = -1.0f;
        else if (pin.y <= b.top)
            inward.y = 1.0f;
        else
            inward.y = -1.0f;
        const CPointF placedPin = placement.Place(pin);
        const CPointF placedIn = placement.Place({pin.x + inward.x, pin.y + inward.y});
        const float dx = placedIn.x - placedPin.x, dy = placedIn.y - placedPin.y;
        const bool across = std::abs(dx) > std::abs(dy);
        // Across: the text starts at the pin going right, or ends at it coming from the
        // left. Upright texts read upwards, so their start is at the bottom.
        const CaptionAlign align = across ? (dx > 0 ? CaptionAlign::Start : CaptionAlign::End)
                                          : (dy < 0 ? CaptionAlign::Start : CaptionAlign::End);
        const CPointF anchor{pin.x + inward.x * kInset, pin.y + inward.y * kInset};
        DrawCaption(canvas, placement, names[i], anchor, kHeight, !across, align);
    }
}

}  // namespace kestro
