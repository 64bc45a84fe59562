#include "gui/resources/element_button_images.h"

#include <QAction>
#include <QPainter>
#include <QPixmap>
#include <QToolBar>
#include <algorithm>

#include "core/library/library_data.h"
#include "gui/commands/command_table.h"
#include "gui/frames/main_frame.h"
#include "gui/platform/qpainter_canvas.h"
#include "gui/resources/button_images.h"

namespace kestro {

namespace {

constexpr int kFirstElementCommand = 5000;
constexpr uint16_t kElementColorRole = 7;
// Pixels left clear around the symbol, so neighbouring buttons do not run together.
constexpr double kBorder = 1.0;

// What of a symbol is drawn: its shapes (the rectangle of a symbol without any).
CRectF SymbolExtent(const CLibElement& element) {
    const auto& shapes = element.GetShapes();
    if (shapes.empty()) return element.GetRect().Normalized();
    CRectF extent = shapes.front()->GetBounds().Normalized();
    for (const auto& shape : shapes)
        extent = UnionRect(extent, shape->GetBounds().Normalized());
    return extent;
}

QPixmap RenderSymbol(const CLibElement& element, const CSettings& settings, qreal ratio) {
    const int width = qRound(kButtonImageSize.width() * ratio);
    const int height = qRound(kButtonImageSize.height() * ratio);
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    const CRectF extent = SymbolExtent(element);
    const double border = 2 * kBorder * ratio;
    // The last pixel row and column hold lines on the extent's far edges.
    const double zoom = std::min((width - 1 - border) / std::max<double>(extent.Width(), 1.0),
                                 (height - 1 - border) / std::max<double>(extent.Height(), 1.0));
    const CPointF centre = extent.Center();
    {
        QPainter painter(&pixmap);
        CQPainterCanvas canvas(painter);
        canvas.SetColorRoles(settings.colorRoles);
        canvas.SetZoom(zoom);
        // The canvas maps (p + origin) * zoom: the symbol's centre lands on the button's.
        canvas.SetOrigin({static_cast<float>((width - 1) / 2.0 / zoom - centre.x),
                          static_cast<float>((height - 1) / 2.0 / zoom - centre.y)});
        element.Draw(canvas, CPlacement{kElementColorRole, 0, 0, 0, 1, 1});
    }
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

}  // namespace

QIcon ElementButtonIcon(const CLibElement& element, const CSettings& settings) {
    QIcon icon;
    for (const qreal ratio : {1.0, 1.5, 2.0})
        icon.addPixmap(RenderSymbol(element, settings, ratio));
    return icon;
}

QImage ElementButtonImage(const CLibElement& element, const CSettings& settings, qreal ratio) {
    return RenderSymbol(element, settings, ratio).toImage();
}

void UpdateElementButtons(CMainFrame& frame, CLibraryData& library, const CSettings& settings) {
    for (QAction* button : frame.ElementToolBar()->actions()) {
        const int index = CCommandTable::CommandId(button) - kFirstElementCommand;
        if (index < 0) continue;
        const CLibElement* element = uint32_t(index) < library.GetElementCount()
                                         ? library.GetElement(uint32_t(index))
                                         : nullptr;
        const QString standIn = QStringLiteral("Element %1").arg(index);
        // A smaller library than before (after a transfer) leaves no picture behind.
        if (!element) {
            frame.SetElementButton(index + kFirstElementCommand, ElementPlaceholderIcon(), standIn);
            continue;
        }
        // Elements of a transferred library have no description: the name says what it is.
        QString text = QString::fromStdString(element->GetDescription());
        if (text.isEmpty()) text = QString::fromStdString(element->GetName());
        frame.SetElementButton(index + kFirstElementCommand, ElementButtonIcon(*element, settings),
                               text.isEmpty() ? standIn : text);
    }
}

}  // namespace kestro
