// Arbitrary bytes as a netlist handed to the engine: read, translated, and the saved-state
// reader on the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tools/tarn/lib/deck_builder.h"
#include "tools/tarn/lib/netlist_reader.h"
#include "tools/tarn/lib/state_file.h"

using namespace kestro::tarn;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ReadState(text);
    const CNetlistResult read = ReadNetlist(text);
    if (!read.netlist) {
        if (read.error.message.empty()) std::abort();  // a refusal always says why
        return 0;
    }
    const CDeckResult deck = BuildDeck(*read.netlist, nullptr);
    if (!deck.deck && deck.error.message.empty()) std::abort();
    if (deck.deck) deck.deck->Text();
    return 0;
}
