#include "tools/kestro-lib/contact_sheet.h"

#include <algorithm>
#include <vector>

#include "core/library/library_data.h"
#include "core/platform/number_text.h"
#include "core/platform/settings.h"
#include "core/platform/svg_canvas.h"

namespace kestro {

namespace {

constexpr int kColumns = 6;
constexpr int kCellWidth = 200;
constexpr int kCellHeight = 200;
constexpr int kCaptionHeight = 36;
constexpr int kMargin = 16;
constexpr double kLargestZoom = 2.0;
constexpr int kPinRadius = 3;
constexpr CPaletteColor kFrameGrey{210, 210, 210};
constexpr CPaletteColor kRectGrey{150, 150, 150};
constexpr CPaletteColor kCaptionGrey{110, 110, 110};
constexpr CPaletteColor kPinRed{200, 0, 0};
constexpr uint16_t kElementRole = 7;

// Everything of a symbol that is drawn: rectangle, shapes and terminals.
CRectF SymbolExtent(const CLibElement& element) {
    CRectF extent = element.GetRect().Normalized();
    for (const auto& shape : element.GetShapes())
        extent = UnionRect(extent, shape->GetBounds());
    for (const auto& p : element.GetOutputPoints())
        extent = UnionRect(extent, {p.x, p.y, p.x, p.y});
    return extent;
}

void DrawCaption(CCanvas& canvas, int x, int y, const std::string& text, int height, int weight,
                 CPaletteColor color) {
    const CLogicalFont font{"DejaVu Sans", -height, weight, false};
    const CSizeI size = canvas.TextExtent(text, font);
    const int left = x + (kCellWidth - size.cx) / 2;
    canvas.Text({left, y, left + size.cx, y + size.cy}, text, font, 0, color);
}

void DrawPins(CCanvas& canvas, const CLibElement& element) {
    const CLogicalFont font{"DejaVu Sans", -10, 400, false};
    int number = 1;
    for (const auto& p : element.GetOutputPoints()) {
        const CPointI at = canvas.ToDevice(p);
        canvas.SelectColorPen(kPinRed);
        canvas.SelectHollowBrush();
        canvas.Ellipse(
            {at.x - kPinRadius, at.y - kPinRadius, at.x + kPinRadius + 1, at.y + kPinRadius + 1});
        const std::string text = FormatInt(number++);
        const CSizeI size = canvas.TextExtent(text, font);
        const int left = at.x + kPinRadius + 1, top = at.y - kPinRadius - size.cy;
        canvas.Text({left, top, left + size.cx, top + size.cy}, text, font, 0, kPinRed);
    }
}

void DrawCell(CSvgCanvas& canvas, const CLibElement& element, int column, int row) {
    const int x = kMargin + column * kCellWidth, y = kMargin + row * kCellHeight;
    canvas.SetZoom(1.0);
    canvas.SetOrigin({0, 0});
    canvas.SelectColorPen(kFrameGrey);
    canvas.SelectHollowBrush();
    canvas.Rectangle({x, y, x + kCellWidth + 1, y + kCellHeight + 1});

    // The symbol fills the space above the caption, at most twice its size.
    const CRectF extent = SymbolExtent(element);
    const double room = kCellHeight - kCaptionHeight - 2 * kMargin;
    const double largest = std::max<double>({extent.Width(), extent.Height(), 1.0});
    const double zoom = std::min(kLargestZoom, room / largest);
    const CPointF centre = extent.Center();
    const double cx = x + kCellWidth / 2.0, cy = y + kMargin + room / 2.0;
    canvas.SetZoom(zoom);
    canvas.SetOrigin(
        {static_cast<float>(cx / zoom - centre.x), static_cast<float>(cy / zoom - centre.y)});

    canvas.SelectColorPen(kRectGrey, 1, kPenDot);
    canvas.SelectHollowBrush();
    canvas.Rectangle(DeviceBox(canvas, element.GetRect()));
    element.Draw(canvas, CPlacement{kElementRole, 0, 0, 0, 1, 1});
    DrawPins(canvas, element);

    canvas.SetZoom(1.0);
    canvas.SetOrigin({0, 0});
    const int captionTop = y + kCellHeight - kCaptionHeight;
    const std::string name = element.GetName().empty() ? "(no name)" : element.GetName();
    DrawCaption(canvas, x, captionTop, name, 13, 700, {0, 0, 0});
    DrawCaption(canvas, x, captionTop + 17, "#" + FormatInt(element.GetIdentifier()), 10, 400,
                kCaptionGrey);
}

}  // namespace

std::string DrawContactSheet(CLibraryData& library) {
    std::vector<CLibElement*> elements{&library.GetControlElement(), &library.GetPortElement(),
                                       &library.GetLabelElement()};
    for (uint32_t i = 0; i < library.GetElementCount(); ++i)
        elements.push_back(library.GetElement(i));
    const int rows = (static_cast<int>(elements.size()) + kColumns - 1) / kColumns;
    CSvgCanvas canvas(2 * kMargin + kColumns * kCellWidth + 1,
                      2 * kMargin + rows * kCellHeight + 1);
    CSettings settings;
    canvas.SetColorRoles(settings.colorRoles);
    canvas.SelectColorPen({255, 255, 255}, 1, kPenNull);
    canvas.SelectBackgroundBrush();
    canvas.Rectangle(
        {0, 0, 2 * kMargin + kColumns * kCellWidth + 1, 2 * kMargin + rows * kCellHeight + 1});
    for (size_t i = 0; i < elements.size(); ++i)
        DrawCell(canvas, *elements[i], static_cast<int>(i) % kColumns,
                 static_cast<int>(i) / kColumns);
    return canvas.Document();
}

}  // namespace kestro
