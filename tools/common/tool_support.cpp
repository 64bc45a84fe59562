#include "tools/common/tool_support.h"

#include <iostream>

#include "core/app/library_location.h"
#include "core/platform/file_stream.h"
#include "core/platform/program_folder.h"

namespace kestro::tool {

CToolPrompts::CToolPrompts(bool verbose)
    : CConsolePrompts(std::cerr, Answer::No), m_verbose(verbose) {}

void CToolPrompts::ShowMessage(const std::string& text, MessageIcon icon) {
    CConsolePrompts::ShowMessage(std::string(kToolName) + ": " + text, icon);
}

void CToolPrompts::ReportDetail(const std::string& detail) {
    if (m_verbose) std::cerr << kToolName << ": " << detail << '\n';
}

int Fail(int status, const std::string& message) {
    std::cerr << kToolName << ": " << message << '\n';
    return status;
}

int WriteTextFile(const std::string& path, const std::string& text) {
    try {
        CMirrorFile file(path);
        file.Write(text.data(), text.size());
        file.Commit();
    } catch (const CFileException& e) {
        return Fail(kCannotWrite, e.what());
    }
    return kOk;
}

int PrintText(const std::string& text) {
    std::cout << text;
    std::cout.flush();
    return std::cout ? kOk : Fail(kCannotWrite, "standard output cannot be written");
}

std::string LibraryOrDefault(const std::string& given) {
    if (!given.empty()) return given;
    return LocateLibrary(RunningProgramFolder(), UserKestroFolder()).read;
}

int RunTool(int argc, char** argv, const char* usage,
            const std::function<int(const std::vector<std::string>&)>& body) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    for (const std::string& a : args) {
        if (a == "--help" || a == "-h") return PrintText(usage);
        if (a == "--version") return PrintText(std::string(kToolName) + " " KESTRO_VERSION "\n");
    }
    return body(args);
}

}  // namespace kestro::tool
