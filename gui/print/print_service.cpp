#include "gui/print/print_service.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "core/print/print_job.h"
#include "gui/platform/qpainter_canvas.h"

namespace kestro {

CPrintService::CPrintService(const CSettings& settings, CPrompts& prompts)
    : m_settings(settings), m_prompts(prompts) {}

CPrintService::~CPrintService() = default;

QPrinter& CPrintService::Printer() {
    if (!m_printer) {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        m_printer = info.isNull() ? std::make_unique<QPrinter>(QPrinter::HighResolution)
                                  : std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    }
    return *m_printer;
}

CSizeI PrintableSize(const QPagedPaintDevice& device) {
    const QRect printable = device.pageLayout().paintRectPixels(device.logicalDpiX());
    return {printable.width(), printable.height()};
}

void PaintJobPage(QPainter& painter, const CPrintJob& job, int number, bool monochrome) {
    CQPainterCanvas canvas(painter);
    canvas.SetTextAsImages(false);
    canvas.SetMonochrome(monochrome);
    job.PrintPage(canvas, number);
}

}  // namespace kestro
