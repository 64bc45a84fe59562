// The full search for a missing subcircuit file over a tree of 100,000 folders: finding the
// file in the folder searched last, and how long a cancel takes to end a running search.
// gui_search_dialog_bench measures the same through the dialog the user sees.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "bench/search_tree.h"
#include "core/hierarchy/subcircuit_search.h"

namespace kestro {
namespace {

void BM_FullSearchFindsTheFileInTheLastFolder(benchmark::State& state) {
    const std::vector<std::string> roots{SearchTree().string()};
    std::atomic<bool> cancel{false};
    int64_t folders = 0;
    for (auto _ : state) {
        folders = 0;
        const std::string found = FindFileInTree(roots, "buck.sch", cancel,
                                                 [&folders](const std::string&) { ++folders; });
        if (found.empty()) state.SkipWithError("not found");
    }
    state.counters["folders"] = static_cast<double>(folders);
}
BENCHMARK(BM_FullSearchFindsTheFileInTheLastFolder)->Unit(benchmark::kMillisecond);

// From the cancel to the search's return, with the search 20 ms under way.
void BM_CancelEndsTheSearch(benchmark::State& state) {
    const std::vector<std::string> roots{SearchTree().string()};
    for (auto _ : state) {
        std::atomic<bool> cancel{false};
        std::chrono::steady_clock::time_point ended;
        std::thread worker([&] {
            FindFileInTree(roots, "missing.sch", cancel, [](const std::string&) {});
            ended = std::chrono::steady_clock::now();
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        const auto cancelled = std::chrono::steady_clock::now();
        cancel = true;
        worker.join();
        state.SetIterationTime(
            std::max(0.0, std::chrono::duration<double>(ended - cancelled).count()));
    }
}
BENCHMARK(BM_CancelEndsTheSearch)->UseManualTime()->Iterations(20)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kestro
