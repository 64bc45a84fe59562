// Arbitrary bytes as a result file opened in the viewer, read whole and in pieces.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tools/graphon/lib/decimate.h"
#include "tools/graphon/lib/result_file.h"

using namespace kestro::graphon;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const CReadResult read = ReadResultText(text);
    if (!read.data) {
        if (read.message.empty()) std::abort();
        return 0;
    }
    for (const CTrace& trace : read.data->traces)
        if (trace.values.size() != read.data->time.size()) std::abort();
    if (read.data->time.empty()) return 0;
    const auto starts =
        ColumnStarts(read.data->time, read.data->time.front(), read.data->time.back(), 7);
    std::vector<CColumnRange> ranges;
    ColumnRanges(read.data->traces[0].values, starts, ranges);
    ValueAt(read.data->time, read.data->traces[0].values, read.data->time.back() / 2);
    return 0;
}
