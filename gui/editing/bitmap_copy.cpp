#include "gui/editing/bitmap_copy.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>
#include <cmath>

#include "core/document/circuit.h"
#include "core/document/selection.h"
#include "core/platform/prompts.h"
#include "gui/editing/edit_state.h"
#include "gui/platform/qpainter_canvas.h"
#include "gui/views/kestro_view.h"

namespace kestro {

namespace {

constexpr const char* kCannotOpen = "Can not open the Clipboard";
constexpr const char* kNoMemory = "Not enough memory to create a Clipboard image.";
constexpr const char* kCannotSet = "Unable to set Clipboard data.";
constexpr float kBorder = 20.0f;
constexpr double kSmallestScale = 0.1;

CRectF BoundsOf(const CCircuit& sheet, const std::vector<CPart*>& parts) {
    if (parts.empty()) return sheet.GetExtent().Normalized();
    CRectF bounds = parts.front()->GetBounds().Normalized();
    for (const CPart* part : parts)
        bounds = UnionRect(bounds, part->GetBounds().Normalized());
    return bounds;
}

QImage Make(const CImageMaker& make, QSize size, QImage::Format format) {
    if (size.width() <= 0 || size.height() <= 0) return {};
    if (make) return make(size, format);
    return QImage(size, format);
}

QSize SizeAt(const CRectF& area, double scale) {
    const double width = std::trunc(area.Width() * scale);
    const double height = std::trunc(area.Height() * scale);
    if (!(width < 1e9) || !(height < 1e9)) return {};
    return {static_cast<int>(width), static_cast<int>(height)};
}

void Draw(QImage& image, const CCircuit& sheet, const std::vector<CPart*>& parts,
          const CRectF& area, double scale, bool monochrome) {
    image.fill(Qt::white);
    QPainter painter(&image);
    CQPainterCanvas canvas(painter);
    canvas.SetZoom(scale);
    canvas.SetOrigin({-area.left, -area.top});
    canvas.SetMonochrome(monochrome);
    if (parts.empty()) {
        sheet.DrawAll(canvas);
    } else {
        CSelection selection;
        for (CPart* part : parts)
            selection.Add(*part);
        sheet.DrawSelection(canvas, selection, {});
    }
    canvas.Flush();
}

}  // namespace

CSchematicImage MakeSchematicImage(const CCircuit& sheet, const std::vector<CPart*>& parts,
                                   double zoom, bool monochrome, const CImageMaker& make) {
    const CRectF area = BoundsOf(sheet, parts).Inflated(kBorder);
    CSchematicImage result;
    if (monochrome) {
        // One bit per pixel holds the picture; it is drawn in grey and thresholded.
        const QSize size = SizeAt(area, zoom);
        QImage bits = Make(make, size, QImage::Format_Mono);
        QImage grey = bits.isNull() ? QImage() : Make(make, size, QImage::Format_RGB32);
        if (grey.isNull()) return result;
        Draw(grey, sheet, parts, area, zoom, true);
        result.image = grey.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
        result.scale = zoom;
        return result;
    }
    for (double scale = zoom; scale >= kSmallestScale; scale /= 2.0) {
        QImage image = Make(make, SizeAt(area, scale), QImage::Format_RGB32);
        if (image.isNull()) continue;
        Draw(image, sheet, parts, area, scale, false);
        result.image = std::move(image);
        result.scale = scale;
        return result;
    }
    return result;
}

void CopyBitmap(CKestroView& view, bool monochrome) {
    CCircuit* document = view.Document();
    if (!document || document->GetObjectCount() == 0) return;
    CPrompts& prompts = document->GetEnvironment().prompts;
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) {
        prompts.Error(kCannotOpen);
        return;
    }
    const CSchematicImage made =
        MakeSchematicImage(*document, view.Selection().Items(), view.Zoom(), monochrome,
                           view.Editing().Hooks().makeImage);
    if (made.image.isNull()) {
        prompts.Error(kNoMemory);
        return;
    }
    clipboard->setImage(made.image);
    if (clipboard->image().isNull()) prompts.Error(kCannotSet);
}

}  // namespace kestro
