#include "core/print/drawing_export.h"

#include <cmath>
#include <vector>

#include "core/document/circuit.h"
#include "core/platform/svg_canvas.h"

namespace kestro {

namespace {

constexpr float kSvgMargin = 10.0f;

}  // namespace

CPdfExport ExportPdf(const CCircuit& document, const CPdfExportOptions& options) {
    CPrintRequest request;
    request.mode = options.mode;
    request.printable = options.paper.PrintableSize();
    request.legend = options.legend;
    request.pagePosition = options.pagePosition;
    request.zoom = options.zoom > 0.0 ? options.zoom : document.GetZoom();
    request.resolution = options.paper.resolution;
    std::vector<const CPart*> everything;
    if (options.mode == PrintMode::SelectedArea) {
        everything.reserve(document.GetObjectCount());
        for (const auto& part : document.GetObjects())
            everything.push_back(part.get());
    }
    const CPrintJob job(document, request, std::move(everything));
    CPdfExport result;
    result.status = job.GetStatus();
    if (!job.IsReady()) return result;
    CPdfCanvas canvas;
    canvas.SetMonochrome(options.monochrome);
    for (int page = 1; page <= job.GetPageCount(); ++page) {
        canvas.StartPage(options.paper);
        job.PrintPage(canvas, page);
    }
    result.pages = job.GetPageCount();
    const std::string& title = document.GetTitleInfo()[1];
    result.bytes = canvas.Document(title.empty() ? document.GetTitle() : title);
    return result;
}

std::string ExportSvg(const CCircuit& document) {
    if (document.GetObjectCount() == 0) return {};
    const CRectF area = document.GetExtent().Normalized().Inflated(kSvgMargin);
    const auto width = static_cast<int32_t>(std::ceil(area.Width()));
    const auto height = static_cast<int32_t>(std::ceil(area.Height()));
    CSvgCanvas canvas(width, height);
    canvas.SelectColorPen({255, 255, 255}, 1, kPenNull);
    canvas.SelectBackgroundBrush();
    canvas.Rectangle({0, 0, width + 1, height + 1});
    canvas.SetZoom(1.0);
    canvas.SetOrigin({-area.left, -area.top});
    document.DrawAll(canvas);
    return canvas.Document();
}

}  // namespace kestro
