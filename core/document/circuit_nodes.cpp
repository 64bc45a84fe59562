#include "core/document/circuit.h"

#include <algorithm>
#include <array>

#include "core/objects/sim_node.h"

namespace kestro {

void CCircuit::ConnectObject(CPart& part) {
    if (part.IsHidden()) return;
    for (size_t i = 0; i < part.GetTerminalCount(); ++i)
        ConnectTerminal(part, i);
}

void CCircuit::ConnectTerminal(CPart& part, size_t terminal) {
    ConnectTerminalAt(part, terminal, part.GetTerminalPosition(terminal));
}

void CCircuit::ConnectTerminalAt(CPart& part, size_t terminal, CPointF position) {
    CSimNode* node = m_nodeIndex.FindFirstNear(position);
    if (!node) {
        node = m_nodePool.Make(position, ++m_nodeSequence);
        m_nodes.push_back(node);
        m_nodeIndex.Insert(*node);
    }
    node->AddObject(part, terminal);
}

void CCircuit::DisconnectObject(CPart& part) {
    for (CSimNode* node : part.DisconnectAll())
        if (node->IsEmpty()) m_flags |= kFlagCleanupPending;
}

namespace {

// An object met a few places ahead of the one being connected, with the positions of its
// first terminals (most objects have one or two).
struct CAheadObject {
    CPart* part = nullptr;
    size_t known = 0;
    CPointF at[2];
};

}  // namespace

void CCircuit::ReconnectAll() {
    m_nodeIndex.Reset();
    // Made again in the order they were first made, so the new nodes lie in memory as
    // the old ones did.
    m_nodePool.ReleaseAll();
    m_nodes.clear();
    m_flags &= ~kFlagCleanupPending;
    // One walk: an object's old entries only matter to itself (recycled nodes start empty).
    // The index cells of the objects a few places ahead are fetched while the current one
    // connects, so a large sheet does not wait on memory for every terminal.
    constexpr size_t kAhead = 8;
    std::array<CAheadObject, kAhead> ring;
    auto ahead = m_objects.begin();
    auto lookAhead = [&](CAheadObject& slot) {
        CPart& part = **ahead++;
        slot.part = &part;
        slot.known = part.IsHidden() ? 0 : std::min<size_t>(part.GetTerminalCount(), 2);
        for (size_t i = 0; i < slot.known; ++i) {
            slot.at[i] = part.GetTerminalPosition(i);
            m_nodeIndex.Prefetch(slot.at[i]);
        }
    };
    for (size_t i = 0; i < kAhead && ahead != m_objects.end(); ++i)
        lookAhead(ring[i]);
    for (size_t next = 0; next < m_objects.size(); ++next) {
        const CAheadObject current = ring[next % kAhead];
        if (ahead != m_objects.end()) lookAhead(ring[next % kAhead]);
        CPart& part = *current.part;
        part.ForgetNodes();
        if (part.IsHidden()) continue;
        for (size_t i = 0; i < part.GetTerminalCount(); ++i)
            ConnectTerminalAt(part, i,
                              i < current.known ? current.at[i] : part.GetTerminalPosition(i));
    }
}

void CCircuit::NodeCleanup() {
    size_t kept = 0;
    for (CSimNode* node : m_nodes) {
        if (node->IsEmpty()) {
            m_nodeIndex.Remove(*node);
            m_nodePool.Release(*node);
        } else {
            m_nodes[kept++] = node;
        }
    }
    m_nodes.resize(kept);
    m_flags &= ~kFlagCleanupPending;
}

}  // namespace kestro
