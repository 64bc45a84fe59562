#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "core/platform/geometry.h"

namespace kestro {

class CCanvas;
class CPart;

// A connection point of a sheet: where terminals of objects meet. The document owns
// its nodes (creation order is node-list order); objects only refer to them.
class CSimNode {
public:
    static constexpr int32_t kNotNumbered = -1;
    static constexpr int32_t kLeftOut = -2;
    static constexpr int32_t kGround = 0;
    static constexpr float kMarkerRadius = 1.5f;

    // `sequence` orders nodes as the document's node list does.
    CSimNode(CPointF position, uint64_t sequence) : m_position(position), m_sequence(sequence) {}
    CSimNode() = default;
    // Makes a node of the document's pool new again (its object list keeps its memory).
    void Init(CPointF position, uint64_t sequence);
    CSimNode(const CSimNode&) = delete;
    CSimNode& operator=(const CSimNode&) = delete;

    // Net number: -1 not numbered, -2 left out, 0 ground, 1 upwards a net.
    int32_t GetNumber() const { return m_number; }
    void SetNumber(int32_t number) { m_number = number; }
    CPointF GetPosition() const { return m_position; }
    uint64_t GetSequence() const { return m_sequence; }
    // Every object with a terminal here, each once, in the order they joined.
    const std::vector<CPart*>& GetObjects() const { return m_objects; }
    bool IsEmpty() const { return m_objects.empty(); }

    // Joins terminal `terminal` of `part` to this node (unless it already holds it).
    void AddObject(CPart& part, size_t terminal);
    bool HasVisibleObjects() const;
    CPart* FindObject(const std::function<bool(const CPart&)>& predicate) const;
    // A ground element is attached, or a subcircuit whose inner port at this terminal
    // is on net 0 inside the subcircuit.
    bool IsGroundNode() const;
    // The only attachment is a subcircuit without an inner port for this terminal.
    bool IsDeadEnd() const;
    // The marker: nothing for plain connections and dead ends, an open circle for an
    // open terminal, a solid dot for a junction of three or more.
    void Draw(CCanvas& canvas) const;

    // Object-list bookkeeping used by CPart::ConnectNode / DisconnectNode.
    void Attach(CPart& part);  // appends unless present
    bool Detach(CPart& part);  // removes when present; false when it was not

    // Chain of the document's node index.
    CSimNode* m_nextInCell = nullptr;
    // Scratch of one pass over nodes (the wire clean-up counts wire ends with it): zero
    // before and after every pass.
    uint32_t m_passMark = 0;

private:
    int32_t m_number = kNotNumbered;
    CPointF m_position;
    uint64_t m_sequence = 0;
    std::vector<CPart*> m_objects;
};

}  // namespace kestro
