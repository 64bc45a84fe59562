// kestro-netlist: writes the netlist of a schematic beside it, as Run TARN in the editor
// does, and prints where it went.
#include <iostream>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/document/circuit.h"
#include "core/hierarchy/circuit_document_manager.h"
#include "core/library/library_data.h"
#include "core/netlist/netlist_writer.h"
#include "core/platform/program_folder.h"
#include "core/platform/settings.h"
#include "tools/common/command_line.h"
#include "tools/common/tool_support.h"

using namespace kestro;
using namespace kestro::tool;

const char* const kestro::tool::kToolName = "kestro-netlist";

namespace {

const char kUsage[] =
    "Usage: kestro-netlist [--library FILE] [--auto-exit] [--search DIR]... SCHEMATIC\n"
    "\n"
    "Writes the netlist of SCHEMATIC and of every subcircuit in it where the editor\n"
    "writes it (beside the schematic, with the extension .CCT) and prints its path.\n"
    "\n"
    "  --library FILE   the element library (default: the editor's library)\n"
    "  --auto-exit      the simulation line asks the engine to close when done\n"
    "  --search DIR     a folder where missing subcircuit files are looked for (repeatable);\n"
    "                   a subcircuit found nowhere is reported and left empty\n"
    "\n"
    "Options: --help, --version, --verbose (say where a damaged file stopped being read).\n"
    "Exit status: 0 written, 1 bad arguments, 2 library or schematic unreadable,\n"
    "3 netlist cannot be written.\n";

struct CArguments {
    bool verbose = false;
    std::string library;
    std::string schematic;
    std::vector<std::string> searchFolders;
    bool autoExit = false;
};

constexpr COption kOptions[] = {
    {.name = "--library", .takesValue = true, .valueName = "a file name"},
    {.name = "--auto-exit"},
    {.name = "--search", .takesValue = true, .valueName = "a folder", .repeatable = true},
};

std::optional<int> ParseArguments(const std::vector<std::string>& args, CArguments& parsed) {
    CCommandLine line;
    if (auto status = line.Parse(args, kOptions)) return status;
    parsed.verbose = line.Verbose();
    if (line.Positional().size() != 1)
        return Fail(kBadArguments, "give one schematic (see --help)");
    parsed.schematic = line.Positional()[0];
    parsed.library = LibraryOrDefault(line.Value("--library"));
    parsed.searchFolders = line.Values("--search");
    parsed.autoExit = line.Has("--auto-exit");
    return std::nullopt;
}

int Run(const CArguments& args) {
    CToolPrompts prompts(args.verbose);
    CSettings settings;
    settings.closeTarn = args.autoExit ? 1 : 0;
    CLibraryData library(prompts);
    if (!library.Open(args.library, true)) return kBadInput;

    CCircuitDocumentManager manager({library, settings, prompts});
    // No disk-wide search from a tool: the folders given, then an empty sheet.
    manager.SetFullSearchEnabled(false);
    for (const std::string& folder : args.searchFolders)
        manager.GetSearch().AddFolder(folder);
    // Each instance of a missing sheet asks for it again: report each file once.
    std::set<std::string> missing;
    manager.SetMissingSubcircuitHook([&missing](const std::string& path) {
        if (missing.insert(path).second)
            std::cerr << "kestro-netlist: subcircuit " << path
                      << " not found: an empty sheet takes its place\n";
    });
    const std::shared_ptr<CCircuit> sheet = manager.OpenDocument(args.schematic);
    if (!sheet) return kBadInput;
    const auto netlist =
        WriteNetlistFile(*sheet, {RunningProgramFolder(), ""}, settings.closeTarn != 0, prompts);
    if (!netlist) return kCannotWrite;
    return PrintText(*netlist + '\n');
}

int Main(const std::vector<std::string>& args) {
    CArguments parsed;
    if (auto status = ParseArguments(args, parsed)) return *status;
    return Run(parsed);
}

}  // namespace

int main(int argc, char** argv) {
    return RunTool(argc, argv, kUsage, Main);
}
