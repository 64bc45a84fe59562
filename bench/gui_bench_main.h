#pragma once

#include <benchmark/benchmark.h>
#include <QApplication>

#include <functional>

namespace kestro {

// The main of a benchmark program with widgets: an offscreen application around the runs,
// then `cleanUp` while the application still exists (fixtures holding widgets go first).
inline int RunGuiBenchmarks(int argc, char** argv, const std::function<void()>& cleanUp = {}) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (cleanUp) cleanUp();
    return 0;
}

}  // namespace kestro
