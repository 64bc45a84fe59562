#pragma once

#include <string>
#include <string_view>

namespace kestro {

// The folder of a program file, ending in "/"; empty when the name holds no "/".
std::string ProgramFolderOf(std::string_view programPath);

// The full file name of the running program (at most 1024 characters), empty if unknown.
std::string RunningProgramPath();

// ProgramFolderOf(RunningProgramPath()).
std::string RunningProgramFolder();

}  // namespace kestro
