// Arbitrary text as a library source: compiled, and when it compiles, written back as
// source, which must compile to the same library.
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/library/library_data.h"
#include "core/library/library_source.h"
#include "core/platform/byte_stream.h"
#include "core/platform/scripted_prompts.h"

using namespace kestro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    CScriptedPrompts prompts;
    CLibraryData library(prompts);
    try {
        // The text includes only itself (a loop, which is refused) or files that do not exist.
        ReadLibrarySource("main.txt", library, nullptr, [&](const std::string& path) {
            if (path == "main.txt") return text;
            throw CFileException(path, ENOENT);
        });
    } catch (const CSourceError&) {
        return 0;
    }
    // What compiles must write a source that compiles to the same library.
    const std::string dump = WriteLibrarySource(library);
    CLibraryData again(prompts);
    ReadLibrarySource("dump.txt", again, nullptr, [&](const std::string&) { return dump; });
    if (WriteLibrarySource(again) != dump) std::abort();
    return 0;
}
