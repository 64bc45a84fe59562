// kestro-examples: draws the example schematics with the bundled library, saves them and
// writes the netlists of the top-level ones beside them.
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "core/document/circuit.h"
#include "core/document/wire_cleanup.h"
#include "core/hierarchy/circuit_document_manager.h"
#include "core/library/library_data.h"
#include "core/netlist/netlist_writer.h"
#include "core/platform/file_stream.h"
#include "core/platform/path.h"
#include "core/platform/program_folder.h"
#include "core/platform/settings.h"
#include "tools/common/command_line.h"
#include "tools/common/tool_support.h"
#include "tools/kestro-examples/example_sheets.h"
#include "tools/kestro-examples/sheet_preview.h"

using namespace kestro;
using namespace kestro::tool;

const char* const kestro::tool::kToolName = "kestro-examples";

namespace {

const char kUsage[] =
    "Usage: kestro-examples [--library FILE] [--svg] FOLDER\n"
    "\n"
    "Draws the example schematics, saves them into FOLDER (made when missing) and writes\n"
    "the netlist of each top-level one beside it. Each file written is printed.\n"
    "\n"
    "  --library FILE   the element library (default: the editor's library)\n"
    "  --svg            also draw each sheet into NAME.svg\n"
    "\n"
    "Options: --help, --version, --verbose (say where a damaged file stopped being read).\n"
    "Exit status: 0 done, 1 bad arguments, 2 library unreadable or without an element the\n"
    "examples use, 3 a file cannot be written.\n";

struct CArguments {
    bool verbose = false;
    std::string library;
    std::string folder;
    bool svg = false;
};

constexpr COption kOptions[] = {
    {.name = "--library", .takesValue = true, .valueName = "a file name"},
    {.name = "--svg"},
};

std::optional<int> ParseArguments(const std::vector<std::string>& args, CArguments& parsed) {
    CCommandLine line;
    if (auto status = line.Parse(args, kOptions)) return status;
    parsed.verbose = line.Verbose();
    if (line.Positional().size() != 1) return Fail(kBadArguments, "give one folder (see --help)");
    parsed.folder = line.Positional()[0];
    parsed.library = LibraryOrDefault(line.Value("--library"));
    parsed.svg = line.Has("--svg");
    return std::nullopt;
}

// Saves one example (and its netlist and preview); a status when something failed.
std::optional<int> Keep(const CExampleFile& file, const CArguments& args,
                        CCircuitDocumentManager& manager, const CSettings& settings,
                        CToolPrompts& prompts) {
    CCircuit& sheet = *file.sheet;
    // The examples are drawn tidy: a clean-up that changes them is a drawing mistake.
    if (CleanUpWires(sheet, sheet.GetDrawingArea()))
        std::cerr << "kestro-examples: " << file.fileName << ": wires were split or merged\n";
    sheet.NodeCleanup();
    const std::string path = args.folder + "/" + file.fileName;
    if (!manager.SaveUnderName(sheet, path)) return kCannotWrite;
    std::cout << sheet.GetPathName() << '\n';
    if (file.topLevel) {
        const auto netlist = WriteNetlistFile(sheet, {RunningProgramFolder(), ""}, false, prompts);
        if (!netlist) return kCannotWrite;
        std::cout << *netlist << '\n';
    }
    if (args.svg) {
        const std::string svg = ReplaceExtension(sheet.GetPathName(), ".svg");
        if (WriteTextFile(svg, SheetPreviewSvg(sheet, settings)) != kOk) return kCannotWrite;
        std::cout << svg << '\n';
    }
    return std::nullopt;
}

int Run(const CArguments& args) {
    CToolPrompts prompts(args.verbose);
    CSettings settings;
    CLibraryData library(prompts);
    if (!library.Open(args.library, true)) return kBadInput;
    std::error_code error;
    std::filesystem::create_directories(args.folder, error);
    if (error) return Fail(kCannotWrite, args.folder + ": " + error.message());
    CCircuitDocumentManager manager({library, settings, prompts});
    std::optional<int> status;
    try {
        DrawExamples(manager, [&](const CExampleFile& file) {
            if (!status) status = Keep(file, args, manager, settings, prompts);
        });
    } catch (const std::runtime_error& e) {
        return Fail(kBadInput, e.what());
    }
    return status.value_or(kOk);
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
