#include "core/platform/program_folder.h"

#include <unistd.h>

#include "core/platform/path.h"

namespace kestro {

std::string ProgramFolderOf(std::string_view programPath) {
    return FolderOf(programPath);
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
