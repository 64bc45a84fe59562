// kestro-lib: builds the element library from its source and shows what a library holds.
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "core/library/library_data.h"
#include "core/library/library_source.h"
#include "core/platform/console_prompts.h"
#include "core/platform/file_stream.h"
#include "tools/kestro-lib/contact_sheet.h"
#include "tools/kestro-lib/element_reference.h"

using namespace kestro;

namespace {

constexpr int kOk = 0;
constexpr int kBadArguments = 1;
constexpr int kBadInput = 2;
constexpr int kCannotWrite = 3;

const char kUsage[] =
    "Usage: kestro-lib COMMAND ARGUMENTS\n"
    "\n"
    "  build SOURCE -o OUT.LIB      compile a library source into a library file\n"
    "  dump FILE.LIB [-o OUT.txt]   print a library file as source (standard output\n"
    "                               without -o); building the dump gives the same file\n"
    "  sheet FILE.LIB -o OUT.svg    draw every element's symbol on one SVG page\n"
    "  reference SOURCE -o OUT.md   write the element reference as Markdown\n"
    "\n"
    "Options: --help, --version.\n"
    "Exit status: 0 done, 1 bad arguments, 2 input unreadable or invalid,\n"
    "3 output cannot be written.\n";

// Messages of the library go to standard error, named after the program.
class CToolPrompts : public CConsolePrompts {
public:
    CToolPrompts() : CConsolePrompts(std::cerr, Answer::No) {}
    void ShowMessage(const std::string& text, MessageIcon icon) override {
        CConsolePrompts::ShowMessage("kestro-lib: " + text, icon);
    }
};

struct CArguments {
    std::string command;
    std::string input;
    std::optional<std::string> output;
};

int Fail(int status, const std::string& message) {
    std::cerr << "kestro-lib: " << message << '\n';
    return status;
}

// Parses the command line; a message and a status when it cannot be used.
std::optional<int> ParseArguments(const std::vector<std::string>& args, CArguments& parsed) {
    std::vector<std::string> positional;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-o" || a == "--output") {
            if (i + 1 >= args.size()) return Fail(kBadArguments, a + " needs a file name");
            parsed.output = args[++i];
        } else if (a.size() > 1 && a[0] == '-') {
            return Fail(kBadArguments, "unknown option " + a + " (see --help)");
        } else {
            positional.push_back(a);
        }
    }
    if (positional.empty()) return Fail(kBadArguments, "no command given (see --help)");
    parsed.command = positional[0];
    if (parsed.command != "build" && parsed.command != "dump" && parsed.command != "sheet" &&
        parsed.command != "reference")
        return Fail(kBadArguments, "unknown command " + parsed.command + " (see --help)");
    if (positional.size() != 2)
        return Fail(kBadArguments, parsed.command + " takes one input file (see --help)");
    parsed.input = positional[1];
    if (!parsed.output && parsed.command != "dump")
        return Fail(kBadArguments, parsed.command + " needs -o OUTPUT");
    return std::nullopt;
}

int WriteText(const std::string& path, const std::string& text) {
    try {
        CMirrorFile file(path);
        file.Write(text.data(), text.size());
        file.Commit();
    } catch (const CFileException& e) {
        return Fail(kCannotWrite, e.what());
    }
    return kOk;
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
    CToolPrompts prompts;
    CLibraryData library(prompts);
    library.New(*args.output);
    if (auto status = ReadSource(args.input, library, nullptr)) return *status;
    return library.Save() ? kOk : kCannotWrite;
}

int Reference(const CArguments& args) {
    CToolPrompts prompts;
    CLibraryData library(prompts);
    CLibraryDocs docs;
    if (auto status = ReadSource(args.input, library, &docs)) return *status;
    return WriteText(*args.output, WriteElementReference(library, docs));
}

// Opens a library file with every element read; a status when it cannot be used.
std::optional<int> OpenLibrary(const std::string& path, CLibraryData& library) {
    if (!library.Open(path, true)) return kBadInput;
    return std::nullopt;
}

int Dump(const CArguments& args) {
    CToolPrompts prompts;
    CLibraryData library(prompts);
    if (auto status = OpenLibrary(args.input, library)) return *status;
    const std::string text = WriteLibrarySource(library);
    if (args.output) return WriteText(*args.output, text);
    std::cout << text;
    std::cout.flush();
    return std::cout ? kOk : Fail(kCannotWrite, "standard output cannot be written");
}

int Sheet(const CArguments& args) {
    CToolPrompts prompts;
    CLibraryData library(prompts);
    if (auto status = OpenLibrary(args.input, library)) return *status;
    return WriteText(*args.output, DrawContactSheet(library));
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    for (const auto& a : args) {
        if (a == "--help" || a == "-h") {
            std::cout << kUsage;
            return kOk;
        }
        if (a == "--version") {
            std::cout << "kestro-lib " KESTRO_VERSION "\n";
            return kOk;
        }
    }
    CArguments parsed;
    if (auto status = ParseArguments(args, parsed)) return *status;
    if (parsed.command == "build") return Build(parsed);
    if (parsed.command == "dump") return Dump(parsed);
    if (parsed.command == "sheet") return Sheet(parsed);
    return Reference(parsed);
}
