#pragma once

// What every command-line tool shares: exit statuses, messages named after the tool,
// the --help and --version answers, and writing a result file or standard output.
#include <functional>
#include <string>
#include <vector>

#include "core/platform/console_prompts.h"

namespace kestro::tool {

constexpr int kOk = 0;
constexpr int kBadArguments = 1;
constexpr int kBadInput = 2;
constexpr int kCannotWrite = 3;

// The tool's name, which prefixes every message: each tool's main.cpp defines it.
extern const char* const kToolName;

// Messages of the library and the readers go to standard error, named after the tool;
// with `verbose`, so does where a reader stopped in a damaged file.
class CToolPrompts : public CConsolePrompts {
public:
    explicit CToolPrompts(bool verbose = false);
    void ShowMessage(const std::string& text, MessageIcon icon) override;
    void ReportDetail(const std::string& detail) override;

private:
    bool m_verbose;
};

// Prints "<tool>: message" to standard error and gives back the status.
int Fail(int status, const std::string& message);

// Writes a whole file through a mirror file, so a failed write leaves the old file alone.
int WriteTextFile(const std::string& path, const std::string& text);

// Writes text to standard output; kCannotWrite when it could not be written.
int PrintText(const std::string& text);

// The library named on the command line, or the one the editor reads: KESTRO.LIB beside
// the running program, or the user's copy of it where that folder cannot be written.
std::string LibraryOrDefault(const std::string& given);

// Answers --help, -h and --version; otherwise hands the arguments (without the program
// name) to the tool's body and returns its status.
int RunTool(int argc, char** argv, const char* usage,
            const std::function<int(const std::vector<std::string>&)>& body);

}  // namespace kestro::tool
