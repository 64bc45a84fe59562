// Opening (objects read, added and connected) and saving (written through a temporary
// file, flushed to the disk and renamed) of large schematics: a flat sheet of elements
// each wired to the next, and a sheet of 1000 instances of one 100-object subcircuit.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>

#include "bench/bench_world.h"
#include "core/document/circuit.h"
#include "core/hierarchy/circuit_document_manager.h"
#include "core/objects/sim_part.h"
#include "core/objects/sim_term.h"
#include "core/objects/sub_cir_part.h"
#include "core/objects/wire.h"
#include "core/platform/scripted_prompts.h"
#include "core/platform/settings.h"
#include "core/schematic_file/schematic_file.h"

using namespace kestro;

namespace {

struct CBenchWorld {
    CBenchWorld() {
        bench::FillBenchLibrary(library);
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kestro-bench-XXXXXX").string();
        folder = ::mkdtemp(pattern.data());
        documents.GetSearch().SetMountTable({{folder, "ext4"}});
    }
    ~CBenchWorld() {
        documents.CloseAll();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    // `count` objects: elements 60 units apart in rows 40 apart, a wire after each.
    std::shared_ptr<CCircuit> FlatSheet(int count) {
        auto sheet = documents.NewDocument();
        bench::FillResistorRows(*sheet, parts, count);
        return sheet;
    }

    // A saved 100-object subcircuit (ports at both ends of its chain) used 1000 times.
    std::shared_ptr<CCircuit> Hierarchy() {
        auto sub = FlatSheet(96);
        sub->AddObject(CSimTerm::Create(parts, 0, {-40, 0}, 0));
        sub->AddObject(CWire::Create(parts, {-20, 0}, {-20, 0}));
        sub->AddObject(CSimTerm::Create(parts, 1, {380, 0}, 2));
        sub->AddObject(CWire::Create(parts, {360, 0}, {360, 0}));
        documents.SaveUnderName(*sub, Path("sub.sch"));
        auto top = documents.NewDocument();
        for (int i = 0; i < 1000; ++i)
            top->AddObject(
                CSubCirPart::Create(parts, sub, {float(100 * (i % 40)), float(100 * (i / 40))}, 0));
        return top;
    }

    std::string Path(const std::string& name) const { return folder + "/" + name; }

    std::string folder;
    CScriptedPrompts prompts;
    CSettings settings;
    CLibraryData library{prompts};
    CPartEnvironment parts{library, settings, prompts};
    CCircuitDocumentManager documents{parts};
};

CBenchWorld& World() {
    static CBenchWorld world;
    return world;
}

void Open(benchmark::State& state, const std::string& path) {
    CBenchWorld& world = World();
    size_t objects = 0;
    for (auto _ : state) {
        auto sheet = world.documents.OpenDocument(path);
        state.PauseTiming();
        objects = sheet->GetObjectCount();
        world.documents.Close(*sheet);
        sheet.reset();
        state.ResumeTiming();
    }
    state.counters["objects"] = double(objects);
}

void Save(benchmark::State& state, CCircuit& sheet, const std::string& path) {
    for (auto _ : state)
        if (!WriteSchematicFile(sheet, path)) state.SkipWithError("save failed");
    state.counters["bytes"] = double(std::filesystem::file_size(path));
}

void BM_OpenFlat(benchmark::State& state) {
    CBenchWorld& world = World();
    const std::string path = world.Path("flat" + std::to_string(state.range(0)) + ".sch");
    auto sheet = world.FlatSheet(static_cast<int>(state.range(0)));
    WriteSchematicFile(*sheet, path);
    world.documents.Close(*sheet);
    Open(state, path);
}
BENCHMARK(BM_OpenFlat)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_SaveFlat(benchmark::State& state) {
    CBenchWorld& world = World();
    auto sheet = world.FlatSheet(static_cast<int>(state.range(0)));
    Save(state, *sheet, world.Path("save" + std::to_string(state.range(0)) + ".sch"));
    world.documents.Close(*sheet);
}
BENCHMARK(BM_SaveFlat)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_OpenHierarchy(benchmark::State& state) {
    CBenchWorld& world = World();
    auto top = world.Hierarchy();
    WriteSchematicFile(*top, world.Path("top.sch"));
    world.documents.CloseAll();
    Open(state, world.Path("top.sch"));
}
BENCHMARK(BM_OpenHierarchy)->Unit(benchmark::kMillisecond);

void BM_SaveHierarchy(benchmark::State& state) {
    CBenchWorld& world = World();
    auto top = world.Hierarchy();
    Save(state, *top, world.Path("top-save.sch"));
    world.documents.CloseAll();
}
BENCHMARK(BM_SaveHierarchy)->Unit(benchmark::kMillisecond);

}  // namespace
