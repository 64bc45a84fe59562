#include "tools/tarn/terminal_run.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <iostream>
#include <thread>

#include "tools/tarn/engine_run.h"

namespace kestro::tarn {

namespace {

void Drain(CEngineRun& run, bool verbose) {
    for (const std::string& line : run.TakeLog())
        if (verbose) std::cerr << line << '\n';
}

}  // namespace

int RunInTerminal(CEngineRun& run, bool verbose) {
    if (auto status = run.Start()) {
        Drain(run, verbose);
        return *status;
    }
    const bool showProgress = ::isatty(STDERR_FILENO) && !verbose;
    int shown = -1;
    while (run.Running()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        Drain(run, verbose);
        const int percent = static_cast<int>(run.Progress() * 100);
        if (showProgress && percent != shown) {
            std::fprintf(stderr, "\rtarn: %3d %%", percent);
            shown = percent;
        }
    }
    if (showProgress) std::fprintf(stderr, "\r            \r");
    const int status = run.Finish();
    Drain(run, verbose);
    return status;
}

}  // namespace kestro::tarn
