#include "tools/kestro-examples/sheet_preview.h"

#include <cmath>

#include "core/document/circuit.h"
#include "core/platform/settings.h"
#include "core/platform/svg_canvas.h"

namespace kestro {

std::string SheetPreviewSvg(const CCircuit& sheet, const CSettings& settings) {
    constexpr double kZoom = 2.0;
    const CRectF extent = sheet.GetExtent().Inflated(20.0f);
    const auto width = static_cast<int32_t>(std::ceil(extent.Width() * kZoom));
    const auto height = static_cast<int32_t>(std::ceil(extent.Height() * kZoom));
    CSvgCanvas canvas(width, height);
    canvas.SetColorRoles(settings.colorRoles);
    canvas.SelectColorPen({255, 255, 255}, 1, kPenNull);
    canvas.SelectBackgroundBrush();
    canvas.Rectangle({0, 0, width + 1, height + 1});
    canvas.SetZoom(kZoom);
    canvas.SetOrigin({-extent.left, -extent.top});
    sheet.DrawAll(canvas);
    return canvas.Document();
}

}  // namespace kestro
