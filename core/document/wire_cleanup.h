#pragma once

#include "core/platform/geometry.h"

namespace kestro {

class CCircuit;

// Tidies the wires of a sheet over an area, comparing coordinates at a tenth of a unit:
//  - split: a wire with nodes of the area lying on it (other than its own ends) is
//    replaced by one wire between each pair of neighbouring points, so no node lies
//    inside a wire;
//  - duplicates: of two wires at a node of the area with the same two ends, the later
//    in the node's attachment order goes;
//  - merge: two wires on one line meeting end to end at a node of the area that holds
//    nothing else become one wire (repeated along a chain).
// The wires of the area are the visible wires whose extent meets it; its nodes are the
// nodes with an attachment whose position lies in it. Removed wires leave the sheet
// (views drop them from their selections), new wires are added with AddObject, and the
// node clean-up flag is set. Nothing happens when the area's corners are one point or
// no wire meets it. Returns true when a wire was removed or added.
//
// The netlist writer runs it over the drawing area; editing operations run it over the
// area they changed (the caller marks the document modified and repaints).
bool CleanUpWires(CCircuit& sheet, const CRectF& area);

}  // namespace kestro
