// Arbitrary bytes as the first line a program on the viewer socket sends back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/app/simulation_launch.h"
#include "core/app/viewer_protocol.h"

using namespace kestro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const auto title = ParseViewerTitleLine(line);
    if (!title) return 0;
    // What was read must be what the same title writes.
    if (ParseViewerTitleLine(ViewerTitleLine(*title)) != title) std::abort();
    IsViewerTitle(*title);
    return 0;
}
