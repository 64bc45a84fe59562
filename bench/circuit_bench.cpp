// Connecting, picking and drawing on large sheets: a grid of two-pin elements, each
// wired to the next, so every pin meets a wire end.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>

#include "bench/bench_world.h"
#include "core/document/circuit.h"
#include "core/document/selection.h"
#include "core/hierarchy/simple_document_manager.h"
#include "core/objects/sim_part.h"
#include "core/objects/wire.h"
#include "core/platform/recording_canvas.h"
#include "core/platform/scripted_prompts.h"
#include "core/platform/settings.h"

using namespace kestro;

namespace {

using bench::CBenchWorld;

CBenchWorld& World() {
    static CBenchWorld world;
    return world;
}

void BM_ConnectAll(benchmark::State& state) {
    auto sheet = World().Sheet(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        sheet->ReconnectAll();
        benchmark::DoNotOptimize(sheet->GetNodes().size());
    }
    state.counters["nodes"] = double(sheet->GetNodes().size());
}
BENCHMARK(BM_ConnectAll)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Adding objects one by one (as the file reader does): naming, indexing, connecting.
void BM_AddObjects(benchmark::State& state) {
    for (auto _ : state) {
        auto sheet = World().Sheet(static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(sheet->GetObjectCount());
        state.PauseTiming();
        World().documents.Remove(sheet.get());
        sheet.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddObjects)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// A click: the selection becomes the topmost object at a random point, as a view does it.
void BM_SelectAtPoint(benchmark::State& state) {
    auto sheet = World().Sheet(100000);
    const CRectF extent = sheet->GetExtent();
    std::mt19937 random(7);
    std::uniform_real_distribution<float> xs(extent.left, extent.right);
    std::uniform_real_distribution<float> ys(extent.top, extent.bottom);
    CSelection selection;
    size_t hits = 0;
    for (auto _ : state) {
        selection.Clear();
        sheet->SelectAt(selection, {xs(random), ys(random)});
        hits += selection.Items().size();
    }
    state.counters["hit rate"] = double(hits) / double(state.iterations());
}
BENCHMARK(BM_SelectAtPoint)->Unit(benchmark::kMicrosecond);

// A 1920 by 1080 view at zoom 1 over a sheet of 10,000 objects.
void BM_DrawAllView(benchmark::State& state) {
    auto sheet = World().Sheet(static_cast<int>(state.range(0)));
    CRecordingCanvas canvas;
    canvas.SetClip(CRectF{500, 500, 2420, 1580});
    size_t calls = 0;
    for (auto _ : state) {
        canvas.ClearCalls();
        sheet->DrawAll(canvas);
        calls = canvas.Calls().size();
    }
    state.counters["primitives"] = double(calls);
}
BENCHMARK(BM_DrawAllView)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
