// Saving the bundled element library after one change of one element's definitions:
// what "Save Library" costs after an edit on the library page (every element is read
// first, the whole file written through a temporary file and renamed).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "core/library/library_data.h"
#include "core/platform/scripted_prompts.h"

using namespace kestro;

namespace {

std::string CopyOfBundledLibrary() {
    const std::filesystem::path copy =
        std::filesystem::temp_directory_path() / "kestro-save-bench.lib";
    std::filesystem::copy_file(KESTRO_BINARY_DIR "/bin/KESTRO.LIB", copy,
                               std::filesystem::copy_options::overwrite_existing);
    std::filesystem::permissions(copy, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    return copy.string();
}

// Each round opens the library lazily (as the editor has it), changes one definition's
// default and saves. Opening is timed apart so the save stands alone.
void SaveBundledAfterOneChange(benchmark::State& state) {
    const std::string path = CopyOfBundledLibrary();
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        CScriptedPrompts prompts;
        CLibraryData library(prompts);
        if (!library.Open(path)) std::abort();
        // A definition added, then taken away again, so the file keeps its size.
        CLibElement* element = library.GetElement(1);
        if (round++ % 2 == 0)
            element->AddDefinition(CNetLine("Bench", "", CGenType::MakeInteger(1), 0));
        else
            element->GetDefinitions().pop_back();
        library.SetModified(true);
        state.ResumeTiming();
        if (!library.Save()) std::abort();
    }
    std::filesystem::remove(path);
}
BENCHMARK(SaveBundledAfterOneChange)->Unit(benchmark::kMillisecond);

}  // namespace
