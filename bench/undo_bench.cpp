// Undo and redo on a large sheet: a move of 1,000 objects (with the wires that follow)
// on a 100,000-object sheet, what 1,000 such steps hold in the history, and the part of
// an autosave that holds up the window.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cmath>
#include <memory>

#include "bench/bench_world.h"
#include "core/document/circuit.h"
#include "core/document/selection.h"
#include "core/document/undo_history.h"
#include "core/hierarchy/recovery_store.h"
#include "core/hierarchy/simple_document_manager.h"
#include "core/hierarchy/snapshot_buffers.h"
#include "core/objects/sim_part.h"
#include "core/objects/wire.h"
#include "core/platform/scripted_prompts.h"
#include "core/platform/settings.h"

using namespace kestro;

namespace {

using bench::CBenchWorld;

// The first 1,000 objects of the sheet (a block of rows at its top).
void SelectThousand(CCircuit& sheet, CSelection& selection) {
    selection.Clear();
    size_t count = 0;
    for (const auto& part : sheet.GetObjects()) {
        if (count++ == 1000) break;
        selection.Add(*part);
    }
    selection.UpdateBounds();
}

void BM_UndoRedoMoveOfThousand(benchmark::State& state) {
    CBenchWorld world;
    auto sheet = world.Sheet(100000);
    CUndoHistory history;
    history.Attach(*sheet);
    CSelection selection;
    SelectThousand(*sheet, selection);
    sheet->MoveSelection(selection, 0, -100);
    for (auto _ : state) {
        history.Undo();
        history.Redo();
    }
    state.counters["steps"] = double(history.UndoCount());
    history.Detach();
}
BENCHMARK(BM_UndoRedoMoveOfThousand)->Unit(benchmark::kMillisecond);

// The history of 1,000 such moves: its own estimate and what the heap grew by.
void BM_HistoryOfThousandMoves(benchmark::State& state) {
    CBenchWorld world;
    auto sheet = world.Sheet(100000);
    CSelection selection;
    SelectThousand(*sheet, selection);
    for (auto _ : state) {
        CUndoHistory history;
        history.Attach(*sheet);
        malloc_trim(0);
        const size_t heapBefore = mallinfo2().uordblks;
        for (int i = 0; i < 1000; ++i)
            sheet->MoveSelection(selection, 0, (i % 2) ? 10.0f : -10.0f);
        const size_t heapAfter = mallinfo2().uordblks;
        state.counters["estimate_MB"] = double(history.MemoryUse()) / (1 << 20);
        state.counters["heap_MB"] = double(heapAfter - heapBefore) / (1 << 20);
        state.counters["steps"] = double(history.UndoCount());
        history.Detach();
    }
}
BENCHMARK(BM_HistoryOfThousandMoves)->Iterations(1)->Unit(benchmark::kMillisecond);

// What the timer's autosave does on the window's thread: the snapshot of a 100,000-object
// sheet into the memory kept from its last snapshot (the disk is written on another
// thread).
void BM_AutosaveSnapshot(benchmark::State& state) {
    CBenchWorld world;
    auto sheet = world.Sheet(100000);
    std::vector<uint8_t> bytes;
    for (auto _ : state)
        bytes = CRecoveryStore::Snapshot(*sheet, std::move(bytes));
    state.counters["MB"] = double(bytes.size()) / (1 << 20);
}
BENCHMARK(BM_AutosaveSnapshot)->Unit(benchmark::kMillisecond);

// The first snapshot of a sheet, with no buffer of an earlier one to write into: what a
// log-out that cannot ask costs; the timer prepares the memory first (below).
void BM_AutosaveFirstSnapshot(benchmark::State& state) {
    CBenchWorld world;
    auto sheet = world.Sheet(100000);
    size_t bytes = 0;
    for (auto _ : state)
        bytes = CRecoveryStore::Snapshot(*sheet).size();
    state.counters["MB"] = double(bytes) / (1 << 20);
}
BENCHMARK(BM_AutosaveFirstSnapshot)->Unit(benchmark::kMillisecond);

// The timer's first snapshot of that sheet, into memory made ready beforehand.
void BM_AutosaveSnapshotIntoPreparedMemory(benchmark::State& state) {
    CBenchWorld world;
    auto sheet = world.Sheet(100000);
    CSnapshotBuffers buffers;
    const size_t capacity = buffers.WantedCapacity("sheet", sheet->GetObjectCount());
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<uint8_t> memory = CSnapshotBuffers::Prepared(capacity);
        state.ResumeTiming();
        memory = CRecoveryStore::Snapshot(*sheet, std::move(memory));
        state.PauseTiming();
        memory = {};  // given back outside the timing
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AutosaveSnapshotIntoPreparedMemory)->Unit(benchmark::kMillisecond);

}  // namespace
