// kestro-sch: shows what a schematic file holds, as the editor reads it.
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "core/document/circuit.h"
#include "core/hierarchy/circuit_document_manager.h"
#include "core/library/library_data.h"
#include "core/platform/file_stream.h"
#include "core/platform/program_folder.h"
#include "core/platform/settings.h"
#include "tools/common/command_line.h"
#include "tools/common/tool_support.h"
#include "tools/kestro-sch/schematic_dump.h"

using namespace kestro;
using namespace kestro::tool;

const char* const kestro::tool::kToolName = "kestro-sch";

namespace {

const char kUsage[] =
    "Usage: kestro-sch dump [--json] [--library FILE] SCHEMATIC\n"
    "\n"
    "Prints a schematic as the editor reads it: header values, subcircuit interface,\n"
    "title, simulation parameters, and each object with its kind, number, placement,\n"
    "bounds, values and terminal positions.\n"
    "\n"
    "  --json           print JSON instead of indented text\n"
    "  --library FILE   the element library (default: KESTRO.LIB beside this program)\n"
    "\n"
    "A subcircuit file that is not found is reported and an empty sheet stands in.\n"
    "Options: --help, --version, --verbose (say where a damaged file stopped being read).\n"
    "Exit status: 0 done, 1 bad arguments, 2 input unreadable or invalid,\n"
    "3 output cannot be written.\n";

struct CArguments {
    bool verbose = false;
    bool json = false;
    std::string library;
    std::string schematic;
};

constexpr COption kOptions[] = {
    {.name = "--json"},
    {.name = "--library", .takesValue = true, .valueName = "a file name"},
};

std::optional<int> ParseArguments(const std::vector<std::string>& args, CArguments& parsed) {
    CCommandLine line;
    if (auto status = line.Parse(args, kOptions)) return status;
    parsed.verbose = line.Verbose();
    if (auto status = RequireCommand(line, {"dump"})) return status;
    if (line.Positional().size() != 2)
        return Fail(kBadArguments, "dump takes one schematic file (see --help)");
    parsed.json = line.Has("--json");
    parsed.schematic = line.Positional()[1];
    parsed.library = LibraryOrDefault(line.Value("--library"));
    return std::nullopt;
}

int Dump(const CArguments& args) {
    CToolPrompts prompts(args.verbose);
    CLibraryData library(prompts);
    if (!FileExists(args.library))
        return Fail(kBadInput, "the element library " + args.library + " does not exist");
    if (!library.Open(args.library)) return kBadInput;
    CSettings settings;
    CCircuitDocumentManager documents({library, settings, prompts});
    documents.SetFullSearchEnabled(false);
    documents.SetMissingSubcircuitHook([](const std::string& path) {
        std::cerr << "kestro-sch: subcircuit " << path
                  << " not found; an empty sheet stands in for it\n";
    });
    if (!FileExists(args.schematic)) return Fail(kBadInput, args.schematic + " does not exist");
    const auto sheet = documents.OpenDocument(args.schematic);
    if (!sheet) return kBadInput;
    const CDumpNode dump = DumpSchematic(*sheet, args.schematic);
    return PrintText(args.json ? dump.ToJson() : dump.ToText());
}

int Main(const std::vector<std::string>& args) {
    CArguments parsed;
    if (auto status = ParseArguments(args, parsed)) return *status;
    return Dump(parsed);
}

}  // namespace

int main(int argc, char** argv) {
    return RunTool(argc, argv, kUsage, Main);
}
