#pragma once

#include <map>
#include <optional>
#include <string>

#include "tools/tarn/lib/deck.h"
#include "tools/tarn/lib/netlist_reader.h"

namespace kestro::tarn {

// Runs longer than this many time steps are refused: their results would not fit a disk.
inline constexpr double kMaxSteps = 1e8;

struct CDeckResult {
    std::optional<CDeck> deck;
    CNetlistError error;
};

// Translates every element through the model table. Elements without a model are all
// named in one message before anything else is looked at. `loadedState` (may be null)
// gives the start values of capacitors and inductors saved by an earlier run.
CDeckResult BuildDeck(const CNetlist& netlist, const std::map<std::string, double>* loadedState);

}  // namespace kestro::tarn
