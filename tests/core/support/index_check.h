#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestro {
class CCircuit;
}

namespace kestro::test {

// Compares everything a document keeps up to date step by step (the spatial object
// index, the nodes and their index, the name index, the label table, port slots, the
// instance list, text link owners) with what its objects list says it must hold,
// worked out again the slow way: every object found at its bounds and by its name,
// every terminal on the first node in node-list order within 4 units, every node
// holding exactly the objects with a terminal on it, nothing filed that has left the
// sheet or moved. Queries are compared with a walk of the list as well.
//
// Asking by name builds the name index of a sheet that has none yet; otherwise the
// sheet is left as it was. Gives one line per fault found (at most a few dozen).
std::vector<std::string> FindIndexFaults(CCircuit& sheet);

// For EXPECT_TRUE / ASSERT_TRUE: the faults, one per line, when there are any.
::testing::AssertionResult IndexesAgreeWithObjects(CCircuit& sheet);

}  // namespace kestro::test
