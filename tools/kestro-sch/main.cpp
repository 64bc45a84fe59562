// kestro-sch: shows what a schematic file holds, as the editor reads it, and draws it
// as PDF or SVG files.
#include <charconv>
#include <cmath>
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
#include "tools/kestro-sch/schematic_export.h"

using namespace kestro;
using namespace kestro::tool;

const char* const kestro::tool::kToolName = "kestro-sch";

namespace {

const char kUsage[] =
    "Usage: kestro-sch dump [--json] [--library FILE] SCHEMATIC\n"
    "       kestro-sch export -o FILE [--zoom FACTOR] [--fit] [--no-legend]\n"
    "                         [--paper a4|letter] [--black-and-white] [--library FILE] SCHEMATIC\n"
    "\n"
    "dump prints a schematic as the editor reads it: header values, subcircuit interface,\n"
    "title, simulation parameters, and each object with its kind, number, placement,\n"
    "bounds, values and terminal positions.\n"
    "\n"
    "  --json           print JSON instead of indented text\n"
    "\n"
    "export writes the drawing as the editor prints it, in the format the output's name\n"
    "ends with: .pdf gives the printed pages (cut at the zoom the sheet was last shown at,\n"
    "pages without objects left out, each with the title block), .svg the whole drawing\n"
    "at its natural size. The file is written whole or not at all.\n"
    "\n"
    "  -o, --output FILE  the file to write\n"
    "  --zoom FACTOR      cut the pages at this zoom instead\n"
    "  --fit              the whole drawing fitted onto one page\n"
    "  --no-legend        no title block; the drawing uses the whole page\n"
    "  --paper NAME       a4 (the default) or letter, with 10-point margins\n"
    "  --black-and-white  everything black on white\n"
    "\n"
    "  --library FILE   the element library (default: the editor's library)\n"
    "\n"
    "A subcircuit file that is not found is reported and an empty sheet stands in.\n"
    "Options: --help, --version, --verbose (say where a damaged file stopped being read,\n"
    "and how many pages an export wrote).\n"
    "Exit status: 0 done, 1 bad arguments, 2 input unreadable or invalid,\n"
    "3 output cannot be written.\n";

struct CArguments {
    std::string command;
    bool verbose = false;
    bool json = false;
    std::string library;
    std::string schematic;
    CExportArguments exporting;
};

constexpr COption kOptions[] = {
    {.name = "--json"},
    {.name = "--library", .takesValue = true, .valueName = "a file name"},
    {.name = "--output", .alias = "-o", .takesValue = true, .valueName = "a file name"},
    {.name = "--zoom", .takesValue = true, .valueName = "a number"},
    {.name = "--fit"},
    {.name = "--no-legend"},
    {.name = "--paper", .takesValue = true, .valueName = "a paper name"},
    {.name = "--black-and-white"},
};

// The options each command takes besides --library.
bool BelongsTo(std::string_view option, const std::string& command) {
    if (option == "--library") return true;
    if (option == "--json") return command == "dump";
    return command == "export";
}

std::optional<int> ParseExport(const CCommandLine& line, CExportArguments& exporting) {
    if (!line.Has("--output")) return Fail(kBadArguments, "export needs -o FILE (see --help)");
    exporting.output = line.Value("--output");
    if (!IsExportFormat(exporting.output))
        return Fail(kBadArguments, "the output must end in .pdf or .svg");
    if (line.Has("--zoom")) {
        const std::string text = line.Value("--zoom");
        double zoom = 0.0;
        const auto result = std::from_chars(text.data(), text.data() + text.size(), zoom);
        if (result.ec != std::errc() || result.ptr != text.data() + text.size() ||
            !std::isfinite(zoom) || zoom <= 0.0)
            return Fail(kBadArguments, "--zoom needs a number above 0, not " + text);
        exporting.zoom = zoom;
    }
    exporting.paper = line.Value("--paper", "a4");
    if (!IsPaperName(exporting.paper))
        return Fail(kBadArguments, "unknown paper " + exporting.paper + " (a4 or letter)");
    exporting.fit = line.Has("--fit");
    exporting.legend = !line.Has("--no-legend");
    exporting.blackAndWhite = line.Has("--black-and-white");
    exporting.verbose = line.Verbose();
    return std::nullopt;
}

std::optional<int> ParseArguments(const std::vector<std::string>& args, CArguments& parsed) {
    CCommandLine line;
    if (auto status = line.Parse(args, kOptions)) return status;
    parsed.verbose = line.Verbose();
    if (auto status = RequireCommand(line, {"dump", "export"})) return status;
    parsed.command = line.Positional()[0];
    for (const COption& option : kOptions)
        if (line.Has(option.name) && !BelongsTo(option.name, parsed.command))
            return Fail(kBadArguments, std::string(option.name) + " is not an option of " +
                                           parsed.command + " (see --help)");
    if (line.Positional().size() != 2)
        return Fail(kBadArguments, parsed.command + " takes one schematic file (see --help)");
    parsed.json = line.Has("--json");
    parsed.schematic = line.Positional()[1];
    parsed.library = LibraryOrDefault(line.Value("--library"));
    if (parsed.command == "export") return ParseExport(line, parsed.exporting);
    return std::nullopt;
}

int Run(const CArguments& args) {
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
    if (args.command == "export") return ExportSchematic(*sheet, args.exporting);
    const CDumpNode dump = DumpSchematic(*sheet, args.schematic);
    return PrintText(args.json ? dump.ToJson() : dump.ToText());
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
