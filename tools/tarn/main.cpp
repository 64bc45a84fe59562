// tarn: the simulation engine. Simulates the netlist the editor writes with ngspice and
// writes the result table beside it (see docs/result-format.md).
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/common/command_line.h"
#include "tools/common/tool_support.h"
#include "tools/tarn/engine_run.h"
#include "tools/tarn/lib/model_table.h"
#include "tools/tarn/terminal_run.h"
#ifdef TARN_WITH_WINDOW
#include "tools/tarn/progress_window.h"
#endif

using namespace kestro;
using namespace kestro::tool;

const char* const kestro::tool::kToolName = "tarn";

// ngspice keeps some of its allocations until the process ends; they are not ours to free.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libngspice\n";
}

namespace {

const char kUsage[] =
    "Usage: tarn [--batch] [--verbose] NETLIST\n"
    "       tarn --models\n"
    "\n"
    "Simulates NETLIST (as Run TARN in the editor writes it) with ngspice and writes the\n"
    "results beside it, with the extension .TXT. A progress window shows the run when\n"
    "there is a display; it closes by itself when the simulation line asks for it.\n"
    "\n"
    "  --batch     run in the terminal even when there is a display\n"
    "  --verbose   print ngspice's messages (terminal runs)\n"
    "  --models    print the reference of the simulation models (Markdown)\n"
    "  --deck      print the ngspice deck NETLIST becomes instead of simulating it\n"
    "\n"
    "Options: --help, --version.\n"
    "Exit status: 0 simulated, 1 bad arguments, 2 netlist unreadable or not simulatable,\n"
    "3 results cannot be written.\n";

constexpr COption kOptions[] = {{.name = "--batch"}, {.name = "--models"}, {.name = "--deck"}};

// A display a person can see; the offscreen platform of the tests is none.
bool HaveDisplay() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform) {
        const std::string name = platform;
        return name != "offscreen" && name != "minimal";
    }
    const char* x = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x && *x) || (wayland && *wayland);
}

int Main(int argc, char** argv, const std::vector<std::string>& args) {
    CCommandLine line;
    if (auto status = line.Parse(args, kOptions)) return *status;
    if (line.Has("--models")) return PrintText(tarn::ModelReference());
    if (line.Positional().size() != 1) return Fail(kBadArguments, "give one netlist (see --help)");
    tarn::CEngineRun run(line.Positional()[0]);
    if (auto status = run.Prepare()) return *status;
    if (line.Has("--deck")) return PrintText(run.DeckText());
#ifdef TARN_WITH_WINDOW
    if (!line.Has("--batch") && HaveDisplay()) return tarn::RunInWindow(argc, argv, run);
#else
    (void)argc;
    (void)argv;
    (void)HaveDisplay;
#endif
    return tarn::RunInTerminal(run, line.Verbose());
}

}  // namespace

int main(int argc, char** argv) {
    return RunTool(argc, argv, kUsage, [argc, argv](const std::vector<std::string>& args) {
        return Main(argc, argv, args);
    });
}
