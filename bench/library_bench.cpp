// Opening a library of 1000 elements lazily (header, tables, built-ins) and whole,
// and finding 1000 elements by netlist name.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/library/library_data.h"
#include "core/library/sh_line.h"
#include "core/library/sh_poly.h"
#include "core/library/sh_rrect.h"
#include "core/library/sh_text.h"
#include "core/platform/scripted_prompts.h"

using namespace kestro;

namespace {

constexpr int kElements = 1000;

std::string ElementName(int i) {
    return "ELEMENT" + std::to_string(i);
}

// A library file of 1000 elements of the size a typical symbol has, written once.
const std::string& LibraryPath() {
    static const std::string path = [] {
        const std::string file =
            (std::filesystem::temp_directory_path() / "kestro-library-bench.lib").string();
        CScriptedPrompts prompts;
        CLibraryData library(prompts);
        library.New(file);
        for (int i = 0; i < kElements; ++i) {
            auto element = CLibElement::MakeNew(ElementName(i));
            element->SetDescription("Benchmark element " + std::to_string(i));
            element->AddShape(std::make_unique<CSHRRect>(CRectF{-12, -4, 12, 4}));
            element->AddShape(std::make_unique<CSHLine>(CPointF{-20, 0}, CPointF{-12, 0}));
            element->AddShape(std::make_unique<CSHLine>(CPointF{12, 0}, CPointF{20, 0}));
            element->AddShape(
                std::make_unique<CSHPoly>(std::vector<CPointF>{{-5, -3}, {5, 0}, {-5, 3}}));
            element->AddShape(std::make_unique<CSHText>(library.GetFonts()[0]));
            element->GetOutputPoints() = {{-20, 0}, {20, 0}};
            element->AddDefinition(CNetLine("R", "Ohm", CGenType::MakeFloat(1000, 3), 0x700));
            element->AddDefinition(CNetLine("Model", "", CGenType::MakeString("default"), 0));
            library.AppendElement(std::move(element));
        }
        if (!library.Save()) std::abort();
        return file;
    }();
    return path;
}

void OpenLazily(benchmark::State& state) {
    const std::string& path = LibraryPath();
    for (auto _ : state) {
        CScriptedPrompts prompts;
        CLibraryData library(prompts);
        benchmark::DoNotOptimize(library.Open(path));
    }
}
BENCHMARK(OpenLazily)->Unit(benchmark::kMicrosecond);

void OpenWhole(benchmark::State& state) {
    const std::string& path = LibraryPath();
    for (auto _ : state) {
        CScriptedPrompts prompts;
        CLibraryData library(prompts);
        benchmark::DoNotOptimize(library.Open(path, true));
    }
}
BENCHMARK(OpenWhole)->Unit(benchmark::kMillisecond);

// Every element looked up once by name in a library already read whole: the lookups
// a schematic of 1000 different elements makes when its name table is read.
void FindThousandByName(benchmark::State& state) {
    CScriptedPrompts prompts;
    CLibraryData library(prompts);
    library.Open(LibraryPath(), true);
    std::vector<std::string> names;
    for (int i = 0; i < kElements; ++i)
        names.push_back(ElementName((i * 7919) % kElements));
    for (auto _ : state) {
        int64_t sum = 0;
        for (const auto& name : names)
            sum += library.FindElementByName(name);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(FindThousandByName)->Unit(benchmark::kMillisecond);

// The same starting from a lazily opened library: the first search reads the elements.
void OpenLazilyAndFindThousand(benchmark::State& state) {
    const std::string& path = LibraryPath();
    for (auto _ : state) {
        CScriptedPrompts prompts;
        CLibraryData library(prompts);
        library.Open(path);
        int64_t sum = 0;
        for (int i = 0; i < kElements; ++i)
            sum += library.FindElementByName(ElementName((i * 7919) % kElements));
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(OpenLazilyAndFindThousand)->Unit(benchmark::kMillisecond);

}  // namespace
