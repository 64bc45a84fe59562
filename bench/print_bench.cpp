// Printing without a window system: cutting a 10,000-object sheet into pages, and writing it
// as the PDF of its printed pages (the command-line export) and as one SVG picture.
#include <benchmark/benchmark.h>

#include "bench/print_sheet.h"
#include "core/print/drawing_export.h"

namespace kestro {
namespace {

bench::CPrintSheet& Sheet() {
    static bench::CPrintSheet sheet;
    return sheet;
}

void BM_PaginateWholeDrawing(benchmark::State& state) {
    const CCircuit& sheet = *Sheet().sheet;
    CPrintRequest request;
    request.printable = CPdfPage{}.PrintableSize();
    request.zoom = sheet.GetZoom();
    int pages = 0;
    for (auto _ : state) {
        const CPrintJob job(sheet, request);
        pages = job.GetPageCount();
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = pages;
    state.counters["objects"] = double(sheet.GetObjectCount());
}
BENCHMARK(BM_PaginateWholeDrawing)->Unit(benchmark::kMicrosecond);

void BM_ExportPdf(benchmark::State& state) {
    const CCircuit& sheet = *Sheet().sheet;
    CPdfExport pdf;
    for (auto _ : state) {
        pdf = ExportPdf(sheet);
        benchmark::DoNotOptimize(pdf.bytes.data());
    }
    state.counters["pages"] = pdf.pages;
    state.counters["MB"] = double(pdf.bytes.size()) / 1e6;
    state.counters["objects"] = double(sheet.GetObjectCount());
}
BENCHMARK(BM_ExportPdf)->Unit(benchmark::kMillisecond);

void BM_ExportSvg(benchmark::State& state) {
    const CCircuit& sheet = *Sheet().sheet;
    std::string svg;
    for (auto _ : state) {
        svg = ExportSvg(sheet);
        benchmark::DoNotOptimize(svg.data());
    }
    state.counters["MB"] = double(svg.size()) / 1e6;
    state.counters["objects"] = double(sheet.GetObjectCount());
}
BENCHMARK(BM_ExportSvg)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestro
