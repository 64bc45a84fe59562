#include "core/document/circuit.h"

#include "core/objects/sim_node.h"

namespace kestro {

void CCircuit::ConnectObject(CPart& part) {
    if (part.IsHidden()) return;
    for (size_t i = 0; i < part.GetTerminalCount(); ++i)
        ConnectTerminal(part, i);
}

void CCircuit::ConnectTerminal(CPart& part, size_t terminal) {
    const CPointF position = part.GetTerminalPosition(terminal);
    CSimNode* node = m_nodeIndex.FindFirstNear(position);
    if (!node) {
        m_nodes.push_back(NewNode(position));
        node = m_nodes.back().get();
        m_nodeIndex.Insert(*node);
    }
    node->AddObject(part, terminal);
}

std::unique_ptr<CSimNode> CCircuit::NewNode(CPointF position) {
    std::unique_ptr<CSimNode> node;
    if (m_freeNodes.empty()) {
        node = std::make_unique<CSimNode>();
    } else {
        node = std::move(m_freeNodes.back());
        m_freeNodes.pop_back();
    }
    node->Init(position, ++m_nodeSequence);
    return node;
}

void CCircuit::DisconnectObject(CPart& part) {
    for (CSimNode* node : part.DisconnectAll())
        if (node->IsEmpty()) m_flags |= kFlagCleanupPending;
}

void CCircuit::ReconnectAll() {
    m_nodeIndex.Reset();
    // Reused in the same order, so the new nodes lie in memory as the old ones did.
    for (auto it = m_nodes.rbegin(); it != m_nodes.rend(); ++it)
        m_freeNodes.push_back(std::move(*it));
    m_nodes.clear();
    m_flags &= ~kFlagCleanupPending;
    // One walk: an object's old entries only matter to itself (recycled nodes start empty).
    for (auto& part : m_objects) {
        part->ForgetNodes();
        ConnectObject(*part);
    }
}

void CCircuit::NodeCleanup() {
    size_t kept = 0;
    for (auto& node : m_nodes) {
        if (node->IsEmpty()) {
            m_nodeIndex.Remove(*node);
            m_freeNodes.push_back(std::move(node));
        } else {
            m_nodes[kept++] = std::move(node);
        }
    }
    m_nodes.resize(kept);
    m_flags &= ~kFlagCleanupPending;
}

}  // namespace kestro
