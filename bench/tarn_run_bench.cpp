// F8 on the buck converter until its result file is complete: the engine program started on
// the example's netlist (10 ms at 1 us steps, 10,001 rows), waited for to its end.
#include <benchmark/benchmark.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

void BM_BuckConverterRun(benchmark::State& state) {
    const auto folder = std::filesystem::temp_directory_path() / "kestro-tarn-bench";
    std::filesystem::create_directories(folder);
    const auto netlist = folder / "buck_converter.CCT";
    std::filesystem::copy_file(std::string(KESTRO_SOURCE_DIR) + "/examples/buck_converter.CCT",
                               netlist, std::filesystem::copy_options::overwrite_existing);
    const std::string command =
        std::string("'") + TARN_PROGRAM + "' --batch '" + netlist.string() + "'";
    for (auto _ : state) {
        const int status = std::system(command.c_str());
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("tarn failed");
    }
    state.counters["rows"] = 10001;
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_BuckConverterRun)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace
