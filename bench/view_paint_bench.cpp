// Painting a 1920 by 1080 schematic view offscreen: the whole window showing a sheet of
// resistors with their texts (each has two text links, so 3,334 resistors are 10,002
// objects and 10,000 resistors 30,000), the same zoomed out until the texts are too small
// to draw, and the repaint of one changed element's rectangle. The argument is the number
// of resistors.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <map>
#include <memory>

#include "bench/gui_bench_main.h"
#include "core/document/circuit.h"
#include "core/hierarchy/circuit_document_manager.h"
#include "core/library/library_data.h"
#include "core/objects/sim_part.h"
#include "core/platform/scripted_prompts.h"
#include "core/platform/settings.h"
#include "gui/views/kestro_view.h"
#include "gui/views/view_services.h"

namespace kestro {
namespace {

constexpr float kPitchX = 80.0f, kPitchY = 70.0f;
// The sheet of 10,000 is 125 by 80 resistors; fewer keep its shape and fill the same window
// (the zoom follows) so the texts stay just as large.
constexpr int kFullColumns = 125;

// One sheet of resistors in a grid, each with its name and value texts, in a view.
struct CPaintFixture {
    CScriptedPrompts prompts;
    CSettings settings;
    CLibraryData library{prompts};
    std::unique_ptr<CCircuitDocumentManager> manager;
    std::shared_ptr<CCircuit> sheet;
    CViewServices services;
    std::unique_ptr<CKestroView> view;
    QImage image{1920, 1080, QImage::Format_RGB32};

    int columns = kFullColumns;
    int rows = 80;
    double fitZoom = 0.19;

    explicit CPaintFixture(int count) {
        const double scale = std::sqrt(count / 10000.0);
        columns = std::max(1, int(std::lround(kFullColumns * scale)));
        rows = (count + columns - 1) / columns;
        fitZoom = 1920.0 / (columns * kPitchX + 100);
        library.Open(KESTRO_BINARY_DIR "/bin/KESTRO.LIB");
        manager =
            std::make_unique<CCircuitDocumentManager>(CPartEnvironment{library, settings, prompts});
        sheet = manager->CreateUntitled(manager->GetContext());
        sheet->SetDrawingArea({0, 0, columns * kPitchX + 100, rows * kPitchY + 100});
        const auto resistor = static_cast<uint16_t>(library.FindElementByName("R"));
        for (int i = 0; i < count; ++i) {
            const int row = i / columns, column = i % columns;
            sheet->PlaceElement(resistor, {50 + column * kPitchX, 50 + row * kPitchY},
                                (row + column) % 2);
        }
        services.settings = &settings;
        view = std::make_unique<CKestroView>(sheet, services);
        view->resize(1920, 1080);
        view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->show();
        QApplication::processEvents();
    }
    ~CPaintFixture() {
        view.reset();
        sheet.reset();
        manager.reset();
    }

    void Paint(const QRect& clip) {
        QPainter painter(&image);
        view->PaintArea(painter, clip);
    }
};

// The views must go before the application object, so main empties this map.
std::map<int, std::unique_ptr<CPaintFixture>>& Fixtures() {
    static std::map<int, std::unique_ptr<CPaintFixture>> fixtures;
    return fixtures;
}

CPaintFixture& Fixture(int count) {
    auto& fixture = Fixtures()[count];
    if (!fixture) fixture = std::make_unique<CPaintFixture>(count);
    return *fixture;
}

void BM_FullRepaintWithTexts(benchmark::State& state) {
    CPaintFixture& f = Fixture(int(state.range(0)));
    f.view->SetZoom(f.fitZoom);
    f.view->ScrollTo({0, 0});
    const QRect all(0, 0, 1920, 1080);
    for (auto _ : state)
        f.Paint(all);
    state.counters["objects"] = double(f.sheet->GetObjectCount());
    state.counters["zoom"] = f.view->Zoom();
}
BENCHMARK(BM_FullRepaintWithTexts)->Arg(3334)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_FullRepaintTextsTooSmall(benchmark::State& state) {
    CPaintFixture& f = Fixture(int(state.range(0)));
    // Element texts of 12 and text links of 16 pixels come out below 1.5 pixels here.
    f.view->SetZoom(0.06);
    f.view->ScrollTo({0, 0});
    const QRect all(0, 0, 1920, 1080);
    for (auto _ : state)
        f.Paint(all);
    state.counters["zoom"] = f.view->Zoom();
}
BENCHMARK(BM_FullRepaintTextsTooSmall)->Arg(3334)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_RepaintOneChangedObject(benchmark::State& state) {
    CPaintFixture& f = Fixture(int(state.range(0)));
    f.view->SetZoom(1.2);
    f.view->ScrollTo({2000, 1000});
    const CPart& part = *f.sheet->ObjectAt(f.view->ToLogical({960, 540}));
    const QRect area = f.view->ToWindow(part.GetBounds().Inflated(CKestroView::kRepaintMargin))
                           .adjusted(0, 0, 1, 1);
    for (auto _ : state)
        f.Paint(area);
    state.counters["pixels"] = double(area.width()) * area.height();
}
BENCHMARK(BM_RepaintOneChangedObject)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kestro

int main(int argc, char** argv);
int main(int argc, char** argv) {
    return kestro::RunGuiBenchmarks(argc, argv, [] { kestro::Fixtures().clear(); });
}
