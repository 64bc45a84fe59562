// The editor's printing of a 10,000-object sheet: "Export..." to PDF through Qt's PDF writer
// at 1200 dpi (the path every print takes), and one black-and-white page picture.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

#include "bench/gui_bench_main.h"
#include "bench/print_sheet.h"
#include "core/print/print_job.h"
#include "gui/print/print_service.h"

namespace kestro {
namespace {

bench::CPrintSheet& Sheet() {
    static bench::CPrintSheet sheet;
    return sheet;
}

CPrintRequest RequestFor(const QPagedPaintDevice& device) {
    CPrintRequest request;
    request.printable = PrintableSize(device);
    request.resolution = device.logicalDpiX();
    request.zoom = Sheet().sheet->GetZoom();
    return request;
}

void BM_ExportPdfThroughQt(benchmark::State& state) {
    const CCircuit& sheet = *Sheet().sheet;
    qint64 bytes = 0;
    int pages = 0;
    for (auto _ : state) {
        QByteArray data;
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&buffer);
            writer.setResolution(1200);
            const CPrintJob job(sheet, RequestFor(writer));
            QPainter painter(&writer);
            for (int page = 1; page <= job.GetPageCount(); ++page) {
                if (page > 1) writer.newPage();
                PaintJobPage(painter, job, page);
            }
            pages = job.GetPageCount();
        }
        bytes = data.size();
    }
    state.counters["pages"] = pages;
    state.counters["MB"] = double(bytes) / 1e6;
}
BENCHMARK(BM_ExportPdfThroughQt)->Unit(benchmark::kMillisecond);

void BM_BlackAndWhitePagePicture(benchmark::State& state) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(1200);
    const CPrintJob job(*Sheet().sheet, RequestFor(writer));
    const CSizeI size = job.GetPrintableSize();
    QImage picture(size.cx, size.cy, QImage::Format_Mono);
    picture.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    for (auto _ : state) {
        picture.fill(1);
        QPainter painter(&picture);
        PaintJobPage(painter, job, 1, true);
    }
    state.counters["pixels"] = double(size.cx) * size.cy;
}
BENCHMARK(BM_BlackAndWhitePagePicture)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestro

int main(int argc, char** argv);
int main(int argc, char** argv) {
    return kestro::RunGuiBenchmarks(argc, argv);
}
