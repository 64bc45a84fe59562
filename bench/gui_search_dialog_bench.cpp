// The full subcircuit search as the user meets it: the worker searching the tree of
// 100,000 folders while the "Searching for subcircuit" dialog shows each folder, until
// the file in the last folder is found; and from a click on Cancel, 20 ms into a search
// for a file that is nowhere, until the dialog is gone and the search has returned.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <chrono>

#include "bench/gui_bench_main.h"
#include "bench/search_tree.h"
#include "core/hierarchy/subcircuit_search.h"
#include "gui/platform/qt_prompts.h"

namespace kestro {
namespace {

CSubcircuitSearch TreeSearch() {
    CSubcircuitSearch search;
    search.SetMountTable({{SearchTree().string(), "ext4"}});
    return search;
}

void BM_DialogFullSearchFindsTheFileInTheLastFolder(benchmark::State& state) {
    SearchTree();
    CQtPrompts prompts;
    for (auto _ : state) {
        CSubcircuitSearch search = TreeSearch();
        if (search.FullSearch("buck.sch", prompts).empty()) state.SkipWithError("not found");
    }
}
BENCHMARK(BM_DialogFullSearchFindsTheFileInTheLastFolder)->Unit(benchmark::kMillisecond);

void BM_DialogCancelEndsTheSearch(benchmark::State& state) {
    SearchTree();
    CQtPrompts prompts;
    for (auto _ : state) {
        CSubcircuitSearch search = TreeSearch();
        std::chrono::steady_clock::time_point clicked;
        QTimer::singleShot(20, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            auto* cancel =
                dialog ? dialog->findChild<QPushButton*>(QStringLiteral("id2")) : nullptr;
            clicked = std::chrono::steady_clock::now();
            if (cancel) cancel->click();
        });
        const std::string found = search.FullSearch("missing.sch", prompts);
        const auto ended = std::chrono::steady_clock::now();
        if (!found.empty() || clicked.time_since_epoch().count() == 0)
            state.SkipWithError("the search was not cancelled");
        state.SetIterationTime(std::chrono::duration<double>(ended - clicked).count());
    }
}
BENCHMARK(BM_DialogCancelEndsTheSearch)
    ->UseManualTime()
    ->Iterations(20)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kestro

int main(int argc, char** argv);
int main(int argc, char** argv) {
    return kestro::RunGuiBenchmarks(argc, argv);
}
