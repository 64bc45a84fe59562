// Editing a sheet of 100,000 objects (50,000 resistors each wired to the next): dropping a
// dragged selection of 1,000 objects (move, reconnect, the wires that follow, the clean-up),
// pasting 1,000 objects, selecting everything and deleting it, and Undo Delete of it all.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "bench/bench_library.h"
#include "core/document/circuit.h"
#include "core/document/internal_clipboard.h"
#include "core/document/selection.h"
#include "core/hierarchy/simple_document_manager.h"
#include "core/objects/sim_part.h"
#include "core/objects/wire.h"
#include "core/platform/scripted_prompts.h"
#include "core/platform/settings.h"

using namespace kestro;

namespace {

constexpr int kObjects = 100000;
constexpr int kPerRow = 224;  // elements per row: a sheet about 13,000 by 9,000 units

struct CEditWorld {
    CEditWorld() {
        bench::FillBenchLibrary(library);
        sheet = documents.CreateUntitled(context);
        for (int i = 0; i < kObjects / 2; ++i) {
            const float x = float(60 * (i % kPerRow)), y = float(40 * (i / kPerRow));
            sheet->AddObject(CSimPart::Create(context.parts, bench::kResistor, {x, y}, 0));
            sheet->AddObject(CWire::Create(context.parts, {x + 20, y}, {x + 40, y}));
        }
    }

    // The objects of a block of rows and columns near the middle: 1,000 objects (500
    // elements with the wires after them), so the wires at the block's edges follow.
    void SelectBlock(CSelection& selection) const {
        selection.Clear();
        sheet->VisitObjectsIn({3000 - 25, 4000 - 15, 3000 + 25 * 60 - 25, 4000 + 20 * 40 - 15},
                              [&selection](CPart& part) {
                                  if (selection.Count() < 1000) selection.Add(part);
                              });
        selection.UpdateBounds();
    }

    CScriptedPrompts prompts;
    CSettings settings;
    CLibraryData library{prompts};
    CSimpleDocumentManager documents;
    CCircuitContext context{{library, settings, prompts}, documents};
    std::shared_ptr<CCircuit> sheet;
};

CEditWorld& World() {
    static CEditWorld world;
    return world;
}

// The drop of a drag: the selection goes one grid step right, then back (so each
// iteration starts from the same sheet).
void BM_DropMovedSelection(benchmark::State& state) {
    CEditWorld& world = World();
    CSelection selection;
    world.SelectBlock(selection);
    float step = 10.0f;
    for (auto _ : state) {
        world.sheet->MoveSelection(selection, step, 20.0f);
        step = -step;
        state.PauseTiming();
        world.sheet->MoveSelection(selection, step, -20.0f);
        step = -step;
        world.sheet->NodeCleanup();
        state.ResumeTiming();
    }
    state.counters["selected"] = double(selection.Count());
    state.counters["objects"] = double(world.sheet->GetObjectCount());
}
BENCHMARK(BM_DropMovedSelection)->Unit(benchmark::kMillisecond);

void BM_Paste1000(benchmark::State& state) {
    CEditWorld& world = World();
    CSelection selection;
    world.SelectBlock(selection);
    CInternalClipboard clipboard;
    world.sheet->Copy(selection, clipboard);
    CSelection pasted;
    for (auto _ : state) {
        world.sheet->Paste(clipboard, pasted, {20000, 20000});
        state.PauseTiming();
        state.counters["pasted"] = double(pasted.Count());
        world.sheet->DeleteSelection(pasted);
        world.sheet->NodeCleanup();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Paste1000)->Unit(benchmark::kMillisecond);

void BM_SelectAllThenDelete(benchmark::State& state) {
    CEditWorld& world = World();
    CSelection selection;
    for (auto _ : state) {
        world.sheet->SelectAll(selection);
        world.sheet->DeleteSelection(selection);
        state.PauseTiming();
        world.sheet->UndoDelete(selection);
        selection.Clear();
        state.ResumeTiming();
    }
    state.counters["objects"] = double(world.sheet->GetObjectCount());
}
BENCHMARK(BM_SelectAllThenDelete)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_UndoDeleteAll(benchmark::State& state) {
    CEditWorld& world = World();
    CSelection selection;
    for (auto _ : state) {
        state.PauseTiming();
        world.sheet->SelectAll(selection);
        world.sheet->DeleteSelection(selection);
        state.ResumeTiming();
        world.sheet->UndoDelete(selection);
    }
    state.counters["restored"] = double(selection.Count());
}
BENCHMARK(BM_UndoDeleteAll)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
