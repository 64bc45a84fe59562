// Arbitrary bytes as the lock file another editor left beside a schematic.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/hierarchy/file_lock.h"

using namespace kestro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto holder = ParseLockFile(text);
    if (!holder) return 0;
    if (holder->pid <= 0 || holder->host.empty()) std::abort();
    // What was read is what the same holder writes.
    const auto again = ParseLockFile(FormatLockFile(*holder));
    if (!again || !again->SameProcess(*holder) || again->user != holder->user ||
        again->since != holder->since)
        std::abort();
    return 0;
}
