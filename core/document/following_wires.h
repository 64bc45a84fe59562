#pragma once

#include <cstddef>
#include <vector>

#include "core/platform/geometry.h"

namespace kestro {

class CCircuit;
class CEditStep;
class CPart;
class CWire;

// Keeps the wiring of objects that move, turn or flip. Made before the objects change,
// it notes, at each node where a terminal of a moved object lies:
//  - a wire that is not moved and is the only other thing there: its end follows the
//    terminal. When the wire would then run neither across nor down, it keeps its old
//    direction from its other end and a second wire makes the bend at the terminal;
//    a wire whose two ends follow simply moves along; a wire that shrinks to a point goes.
//  - several unmoved wires, or wires and other objects (a junction): they stay, and a
//    new wire (two, with a bend) joins the junction to the terminal's new place.
// Objects touching the terminal without a wire are left as they are.
class CWireFollower {
public:
    CWireFollower(CCircuit& sheet, const std::vector<CPart*>& moved);

    // After the moved objects changed and were connected again: the wires follow, within
    // the step (which records them); returns the rectangle they reach.
    CRectF Follow(CEditStep& step);
    bool IsEmpty() const { return m_follows.empty() && m_joins.empty(); }

private:
    // A terminal of a moved object.
    struct CTerminal {
        CPart* part = nullptr;
        size_t index = 0;
    };
    struct CFollow {
        CWire* wire = nullptr;
        bool follows[2] = {false, false};
        CTerminal to[2];
    };
    struct CJoin {
        CPointF from;
        CTerminal to;
    };

    void NoteNode(CPart& part, size_t terminal, const std::vector<CPart*>& moved);
    void FollowOne(CEditStep& step, const CFollow& follow, CRectF& reach);
    void AddPath(CEditStep& step, CPointF from, CPointF corner, CPointF to, CRectF& reach);

    CCircuit& m_sheet;
    std::vector<CFollow> m_follows;
    std::vector<CJoin> m_joins;
};

}  // namespace kestro
