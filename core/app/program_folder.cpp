#include "core/app/program_folder.h"

#include <unistd.h>

namespace kestro {

std::string ProgramFolderOf(std::string_view programPath) {
    const auto slash = programPath.find_last_of('/');
    if (slash == std::string_view::npos) return {};
    return std::string(programPath.substr(0, slash + 1));
}

std::string RunningProgramPath() {
    char buffer[1025];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, 1024);
    if (n <= 0) return {};
    return std::string(buffer, static_cast<size_t>(n));
}

std::string RunningProgramFolder() {
    return ProgramFolderOf(RunningProgramPath());
}

}  // namespace kestro
