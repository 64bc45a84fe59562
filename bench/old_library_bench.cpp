// Transferring a previous-version library of 1000 elements: reading the three old files
// and converting them, and the whole transfer with the new library saved.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/library/library_data.h"
#include "core/library/old_library_transfer.h"
#include "core/platform/scripted_prompts.h"
#include "tests/core/support/old_library_writer.h"

using namespace kestro;
using namespace kestro::test;

namespace {

constexpr int kElements = 1000;
constexpr int kGroups = 12;

// An element of the size a typical old symbol has: six drawing commands, two ports and
// four attributes besides the name.
COldRecord TypicalRecord(int i) {
    COldRecord r =
        OldElement("ELEMENT" + std::to_string(i), int16_t(5000 + i), int16_t(1 + i % kGroups));
    r.drawing = Drawing({LineCommand(-160, 0, -96, 0), LineCommand(96, 0, 160, 0),
                         RectCommand(-96, -32, 96, 32), ArcCommand(1, -32, -32, 32, 0),
                         EllipseCommand(-8, -8, 8, 8), LineCommand(-96, 32, 96, -32)});
    r.attributes.push_back(OldAttribute("R", COldAttribute::kFloat, 1000, "Ohm"));
    r.attributes.push_back(OldAttribute("L", COldAttribute::kFloat, 1e-3f, "H"));
    r.attributes.push_back(OldAttribute("On", COldAttribute::kBoolean, 1, "", "", 0));
    r.attributes.push_back(OldAttribute("Model", COldAttribute::kString, 0, "", "default"));
    return r;
}

// The old files, written once into a folder of their own.
const std::string& OldFolder() {
    static const std::string folder = [] {
        const std::string path =
            (std::filesystem::temp_directory_path() / "kestro-old-library-bench/").string();
        std::filesystem::create_directories(path);
        std::vector<COldRecord> records;
        for (int i = 0; i < kElements; ++i)
            records.push_back(TypicalRecord(i));
        std::vector<COldMenuGroup> groups;
        for (int g = 1; g <= kGroups; ++g)
            groups.push_back(
                {int16_t(g), int16_t(g > 6 ? g - 6 : 0), "Group " + std::to_string(g)});
        WriteOldLibrary(path, records, OldGround(), groups);
        return path;
    }();
    return folder;
}

void ReadAndConvert(benchmark::State& state) {
    const std::string old = OldFolder() + kOldLibraryFileName;
    for (auto _ : state) {
        CScriptedPrompts prompts;
        auto files = ReadOldLibraryFiles(old, prompts);
        if (!files) std::abort();
        CLibraryData library(prompts);
        library.New(OldFolder() + "unused.lib");
        ConvertOldLibrary(*files, library);
        benchmark::DoNotOptimize(library.GetElementCount());
    }
}
BENCHMARK(ReadAndConvert)->Unit(benchmark::kMillisecond);

// As the editor and `kestro-lib transfer` do it: read, convert, save (through a
// temporary file that is flushed to the disk before it replaces the target).
void TransferAndSave(benchmark::State& state) {
    const std::string old = OldFolder() + kOldLibraryFileName;
    const std::string target = OldFolder() + "NEW.LIB";
    for (auto _ : state) {
        CScriptedPrompts prompts;
        CLibraryData library(prompts);
        if (TransferOldLibrary(old, target, library, prompts) != TransferResult::Saved)
            std::abort();
    }
}
BENCHMARK(TransferAndSave)->Unit(benchmark::kMillisecond);

}  // namespace
