// The viewer on a large result: reading a table of 1,000,000 rows and 10 columns (about
// 110 MB) from disk, and redrawing its ten stacked plots at 1200 by 800 pixels, all of the
// run in view and a tenth of it.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>

#include "bench/gui_bench_main.h"
#include "tools/graphon/lib/decimate.h"
#include "tools/graphon/lib/result_file.h"
#include "tools/graphon/plot_widget.h"

namespace kestro::graphon {
namespace {

constexpr int kRows = 1000000, kColumns = 10;

const std::string& LargeTable() {
    static const std::string path = [] {
        const std::string file =
            (std::filesystem::temp_directory_path() / "kestro-graphon-bench.TXT").string();
        std::ofstream out(file, std::ios::binary);
        out << "Time [s]";
        for (int c = 0; c < kColumns; ++c)
            out << "\tV" << c << " [V]";
        out << '\n';
        std::string row;
        char number[32];
        for (int r = 0; r < kRows; ++r) {
            row.clear();
            const double t = r * 1e-6;
            row.append(number, size_t(std::snprintf(number, sizeof number, "%.10g", t)));
            for (int c = 0; c < kColumns; ++c) {
                const double v =
                    100 * std::sin(2 * M_PI * 50 * t + c) + std::sin(r * 0.37 * (c + 1));
                row += '\t';
                row.append(number, size_t(std::snprintf(number, sizeof number, "%.8g", v)));
            }
            row += '\n';
            out << row;
        }
        return file;
    }();
    return path;
}

CReadResult Load(const std::string& path) {
    QFile file(QString::fromStdString(path));
    file.open(QIODevice::ReadOnly);
    const uchar* bytes = file.map(0, file.size());
    return ReadResultText(
        std::string_view(reinterpret_cast<const char*>(bytes), size_t(file.size())),
        std::max(1u, std::thread::hardware_concurrency()));
}

// Processor time of every thread of the process, in seconds.
double ProcessSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void BM_LoadMillionRows(benchmark::State& state) {
    const std::string& path = LargeTable();
    const double before = ProcessSeconds();
    for (auto _ : state) {
        const CReadResult read = Load(path);
        if (!read.data || read.data->Rows() != size_t(kRows)) state.SkipWithError("not read");
    }
    state.counters["MB"] = double(std::filesystem::file_size(path)) / 1e6;
    // The reading runs on all cores: the time of all threads per load.
    state.counters["cpu_all_threads_s"] = (ProcessSeconds() - before) / double(state.iterations());
}
BENCHMARK(BM_LoadMillionRows)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_RedrawMillionRows(benchmark::State& state) {
    static CReadResult read = Load(LargeTable());
    CPlotWidget plot;
    plot.resize(1200, 800);
    plot.SetData(std::make_shared<const CResultData>(*read.data), false);
    if (state.range(0) == 10) plot.SetTimeRange(0.4, 0.5);
    QImage image(1200, 800, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        plot.Render(painter, plot.size());
    }
}
BENCHMARK(BM_RedrawMillionRows)->Arg(100)->Arg(10)->Unit(benchmark::kMillisecond);

// The reduction alone: ten traces of the whole run to 1200 pixel columns.
void BM_ReduceMillionRows(benchmark::State& state) {
    static CReadResult read = Load(LargeTable());
    std::vector<CBlockRanges> blocks;
    for (const CTrace& trace : read.data->traces)
        blocks.emplace_back(trace.values);
    std::vector<CColumnRange> ranges;
    for (auto _ : state) {
        const auto starts = ColumnStarts(read.data->time, 0, 1, 1200);
        for (size_t i = 0; i < blocks.size(); ++i)
            ColumnRanges(read.data->traces[i].values, starts, ranges, &blocks[i]);
        benchmark::DoNotOptimize(ranges.data());
    }
}
BENCHMARK(BM_ReduceMillionRows)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestro::graphon

int main(int argc, char** argv);
int main(int argc, char** argv) {
    return kestro::RunGuiBenchmarks(argc, argv, [] {
        std::filesystem::remove(std::filesystem::temp_directory_path() /
                                "kestro-graphon-bench.TXT");
    });
}
