// The full search for a missing subcircuit file over a tree of 100,000 folders (100 folders
// of 1,000 each, made once in the temporary folder): finding the file in the folder
// searched last, and how long a cancel takes to end a search that is running.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

#include "core/hierarchy/subcircuit_search.h"

namespace kestro {
namespace {

namespace fs = std::filesystem;

constexpr int kTop = 100, kPerTop = 1000;

// Names sort as the search visits them, so "t099/f0999" is the last folder searched.
std::string FolderName(const char* prefix, int i, int width) {
    char name[32];
    std::snprintf(name, sizeof name, "%s%0*d", prefix, width, i);
    return name;
}

const fs::path& Tree() {
    static const fs::path root = [] {
        const fs::path path = fs::temp_directory_path() / "kestro-search-bench";
        if (!fs::exists(path / "done")) {
            fs::remove_all(path);
            for (int t = 0; t < kTop; ++t)
                for (int f = 0; f < kPerTop; ++f)
                    fs::create_directories(path / FolderName("t", t, 3) / FolderName("f", f, 4));
            std::ofstream(path / FolderName("t", kTop - 1, 3) / FolderName("f", kPerTop - 1, 4) /
                          "buck.sch")
                << "x";
            std::ofstream(path / "done") << "made";
        }
        return path;
    }();
    return root;
}

void BM_FullSearchFindsTheFileInTheLastFolder(benchmark::State& state) {
    const std::vector<std::string> roots{Tree().string()};
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
    const std::vector<std::string> roots{Tree().string()};
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
