// kestro-lib: builds the element library from its source and shows what a library holds.
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "core/library/library_data.h"
#include "core/library/library_source.h"
#include "core/library/old_library_transfer.h"
#include "core/platform/file_stream.h"
#include "core/platform/folders.h"
#include "core/platform/path.h"
#include "tools/common/command_line.h"
#include "tools/common/tool_support.h"
#include "tools/kestro-lib/contact_sheet.h"
#include "tools/kestro-lib/element_reference.h"

using namespace kestro;
using namespace kestro::tool;

const char* const kestro::tool::kToolName = "kestro-lib";

namespace {

const char kUsage[] =
    "Usage: kestro-lib COMMAND ARGUMENTS\n"
    "\n"
    "  build SOURCE -o OUT.LIB      compile a library source into a library file\n"
    "  dump FILE.LIB [-o OUT.txt]   print a library file as source (standard output\n"
    "                               without -o); building the dump gives the same file\n"
    "  sheet FILE.LIB -o OUT.svg    draw every element's symbol on one SVG page\n"
    "  reference SOURCE -o OUT.md   write the element reference as Markdown\n"
    "  transfer OLD_FOLDER -o NEW.LIB\n"
    "                               convert a library of the previous version (the\n"
    "                               folder of ELEMENTS.LIB, ELEMENTS.GND, ELEMENTS.MNU,\n"
    "                               or ELEMENTS.LIB itself) into a library file\n"
    "\n"
    "Options: --help, --version, --verbose (say where a damaged file stopped being read,\n"
    "and for transfer each drawing that stops early).\n"
    "Exit status: 0 done, 1 bad arguments, 2 input unreadable or invalid,\n"
    "3 output cannot be written.\n";

struct CArguments {
    bool verbose = false;
    std::string command;
    std::string input;
    std::optional<std::string> output;
};

constexpr COption kOptions[] = {
    {.name = "--output", .alias = "-o", .takesValue = true, .valueName = "a file name"},
};

// Parses the command line; a message and a status when it cannot be used.
std::optional<int> ParseArguments(const std::vector<std::string>& args, CArguments& parsed) {
    CCommandLine line;
    if (auto status = line.Parse(args, kOptions)) return status;
    if (auto status = RequireCommand(line, {"build", "dump", "sheet", "reference", "transfer"}))
        return status;
    parsed.verbose = line.Verbose();
    parsed.command = line.Positional()[0];
    if (line.Positional().size() != 2)
        return Fail(kBadArguments, parsed.command + " takes one input file (see --help)");
    parsed.input = line.Positional()[1];
    if (line.Has("--output")) parsed.output = line.Value("--output");
    if (!parsed.output && parsed.command != "dump")
        return Fail(kBadArguments, parsed.command + " needs -o OUTPUT");
    return std::nullopt;
}

// Compiles a source; a status when it cannot.
std::optional<int> ReadSource(const std::string& path, CLibraryData& library, CLibraryDocs* docs) {
    try {
        ReadLibrarySource(path, library, docs, ReadWholeFile);
    } catch (const CSourceError& e) {
        return Fail(kBadInput, e.what());
    } catch (const CFileException& e) {
        return Fail(kBadInput, e.what());
    }
    return std::nullopt;
}

int Build(const CArguments& args) {
    CToolPrompts prompts(args.verbose);
    CLibraryData library(prompts);
    library.New(*args.output);
    if (auto status = ReadSource(args.input, library, nullptr)) return *status;
    return library.Save() ? kOk : kCannotWrite;
}

int Reference(const CArguments& args) {
    CToolPrompts prompts(args.verbose);
    CLibraryData library(prompts);
    CLibraryDocs docs;
    if (auto status = ReadSource(args.input, library, &docs)) return *status;
    return WriteTextFile(*args.output, WriteElementReference(library, docs));
}

// Opens a library file with every element read; a status when it cannot be used.
std::optional<int> OpenLibrary(const std::string& path, CLibraryData& library) {
    if (!library.Open(path, true)) return kBadInput;
    return std::nullopt;
}

int Dump(const CArguments& args) {
    CToolPrompts prompts(args.verbose);
    CLibraryData library(prompts);
    if (auto status = OpenLibrary(args.input, library)) return *status;
    const std::string text = WriteLibrarySource(library);
    if (args.output) return WriteTextFile(*args.output, text);
    return PrintText(text);
}

int Sheet(const CArguments& args) {
    CToolPrompts prompts(args.verbose);
    CLibraryData library(prompts);
    if (auto status = OpenLibrary(args.input, library)) return *status;
    return WriteTextFile(*args.output, DrawContactSheet(library));
}

// The old library file of a folder (any case of its name), or the file given.
std::string OldLibraryFile(const std::string& input) {
    if (!FolderExists(input)) return input;
    return FileInFolderIgnoringCase(WithTrailingSlash(input), kOldLibraryFileName);
}

// Whatever could be read is saved, as the editor does; what was left behind is told.
int Transfer(const CArguments& args) {
    CToolPrompts prompts(args.verbose);
    CLibraryData library(prompts);
    COldTransferNote note;
    const std::string old = OldLibraryFile(args.input);
    const TransferResult result = TransferOldLibrary(old, *args.output, library, prompts, &note);
    if (!note.DrawingSummary().empty()) Fail(kOk, note.DrawingSummary());
    if (args.verbose) {
        for (const auto& [id, letter] : note.stoppedDrawings)
            Fail(kOk, "element " + std::to_string(id) + " \"" + library.GetElement(id)->GetName() +
                          "\": the drawing stops at " + COldTransferNote::LetterText(letter));
    }
    switch (result) {
        case TransferResult::Saved:
            return kOk;
        case TransferResult::OldLibraryUnreadable:
            return kBadInput;
        default:
            return kCannotWrite;
    }
}

int Main(const std::vector<std::string>& args) {
    CArguments parsed;
    if (auto status = ParseArguments(args, parsed)) return *status;
    if (parsed.command == "build") return Build(parsed);
    if (parsed.command == "dump") return Dump(parsed);
    if (parsed.command == "sheet") return Sheet(parsed);
    if (parsed.command == "transfer") return Transfer(parsed);
    return Reference(parsed);
}

}  // namespace

int main(int argc, char** argv) {
    return RunTool(argc, argv, kUsage, Main);
}
