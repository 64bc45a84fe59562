// Writing netlists of large sheets: a flat sheet of elements and wires, and a hierarchy
// of one sheet placed many times. Each run cleans up the wires, numbers every sheet and
// writes the text; the file variants also write it through a temporary file (fsync).
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <memory>

#include "bench/bench_world.h"
#include "core/document/circuit.h"
#include "core/document/wire_cleanup.h"
#include "core/hierarchy/simple_document_manager.h"
#include "core/netlist/netlist_writer.h"
#include "core/objects/sim_part.h"
#include "core/objects/sim_term.h"
#include "core/objects/sub_cir_part.h"
#include "core/objects/wire.h"
#include "core/platform/scripted_prompts.h"
#include "core/platform/settings.h"

using namespace kestro;

namespace {

using bench::kGround;
using bench::kResistor;

// The shared world, with sheets of its own for netlists: rows that end in grounds, and
// chains of subcircuits.
struct CBenchWorld : bench::CBenchWorld {
    void Element(CCircuit& sheet, uint16_t id, CPointF at) {
        sheet.AddObject(CSimPart::Create(context.parts, id, at, 0));
    }
    void Wire(CCircuit& sheet, CPointF a, CPointF b) {
        sheet.AddObject(CWire::Create(context.parts, a, b));
    }

    // `count` objects in rows: resistors 60 units apart, each followed by a wire to the
    // next; every row ends in a ground element.
    std::shared_ptr<CCircuit> FlatSheet(int count) {
        auto sheet = documents.CreateUntitled(context);
        const int perRow = static_cast<int>(std::sqrt(count / 2.0)) + 1;
        int made = 0;
        for (int row = 0; made < count; ++row) {
            const float y = float(40 * row);
            for (int i = 0; i < perRow && made < count; ++i) {
                const float x = float(60 * i);
                Element(*sheet, kResistor, {x + 20, y});
                if (++made < count) Wire(*sheet, {x + 40, y}, {x + 60, y});
                ++made;
            }
            if (made < count) Element(*sheet, kGround, {float(60 * perRow), y}), ++made;
        }
        sheet->SetDrawingArea(sheet->GetExtent().Inflated(10));
        return sheet;
    }

    // One subcircuit of `inner` objects (two ports joined by a chain of resistors and
    // wires) placed `count` times in a row, each instance wired to the next.
    std::shared_ptr<CCircuit> Hierarchy(int count, int inner) {
        auto sub = documents.CreateUntitled(context);
        sub->SetPathName("/bench/chain.sch");
        sub->SetSymbolBox({0, 0, 40, 20});  // port 7 on the left, 3 on the right
        sub->AddObject(CSimTerm::Create(context.parts, 7, {-20, 0}, 0));
        const int pairs = (inner - 2) / 2;
        for (int i = 0; i < pairs; ++i) {
            Element(*sub, kResistor, {float(60 * i) + 20, 0});
            Wire(*sub, {float(60 * i) + 40, 0}, {float(60 * i) + 60, 0});
        }
        sub->AddObject(CSimTerm::Create(context.parts, 3, {float(60 * pairs) - 20, 0}, 0));
        sub->SetDrawingArea(sub->GetExtent().Inflated(10));

        auto top = documents.CreateUntitled(context);
        for (int i = 0; i < count; ++i) {
            const float x = float(80 * i);
            top->AddObject(CSubCirPart::Create(context.parts, sub, {x, 0}, 0));
            Wire(*top, {x + 20, 0}, {x + 60, 0});
        }
        Element(*top, kGround, {-20, 0});
        top->SetDrawingArea(top->GetExtent().Inflated(10));
        return top;
    }
};

CBenchWorld& World() {
    static CBenchWorld world;
    return world;
}

void Report(benchmark::State& state, CCircuit& top, const std::string& text) {
    state.counters["objects"] = double(top.GetObjectCount());
    state.counters["bytes"] = double(text.size());
}

void BM_NetlistFlat(benchmark::State& state) {
    auto sheet = World().FlatSheet(static_cast<int>(state.range(0)));
    std::string text;
    for (auto _ : state) {
        text = CNetlistWriter(false).Build(*sheet);
        benchmark::DoNotOptimize(text.data());
    }
    Report(state, *sheet, text);
}
BENCHMARK(BM_NetlistFlat)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_NetlistFlatFile(benchmark::State& state) {
    auto sheet = World().FlatSheet(static_cast<int>(state.range(0)));
    const std::string folder = std::filesystem::temp_directory_path() / "kestro-netlist-bench";
    std::filesystem::create_directories(folder);
    sheet->SetPathName(folder + "/flat.sch");
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteNetlistFile(*sheet, {}, false, World().prompts));
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_NetlistFlatFile)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The clean-up alone on a sheet that is already tidy (the common case) and on one whose
// every wire was drawn as two halves (every pair merges).
void BM_WireCleanupTidy(benchmark::State& state) {
    auto sheet = World().FlatSheet(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(CleanUpWires(*sheet, sheet->GetDrawingArea()));
}
BENCHMARK(BM_WireCleanupTidy)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_WireCleanupMerging(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto sheet = World().documents.CreateUntitled(World().context);
        for (int i = 0; i < count / 2; ++i) {
            const float y = float(20 * (i / 100)), x = float(150 * (i % 100));
            World().Wire(*sheet, {x, y}, {x + 50, y});
            World().Wire(*sheet, {x + 50, y}, {x + 100, y});
        }
        sheet->SetDrawingArea(sheet->GetExtent().Inflated(10));
        state.ResumeTiming();
        benchmark::DoNotOptimize(CleanUpWires(*sheet, sheet->GetDrawingArea()));
        state.PauseTiming();
        World().documents.Remove(sheet.get());
        sheet.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WireCleanupMerging)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_NetlistHierarchy(benchmark::State& state) {
    auto top = World().Hierarchy(static_cast<int>(state.range(0)), 100);
    std::string text;
    for (auto _ : state) {
        text = CNetlistWriter(false).Build(*top);
        benchmark::DoNotOptimize(text.data());
    }
    Report(state, *top, text);
}
BENCHMARK(BM_NetlistHierarchy)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
