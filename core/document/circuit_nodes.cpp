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
        m_nodes.push_back(std::make_unique<CSimNode>(position, ++m_nodeSequence));
        node = m_nodes.back().get();
        m_nodeIndex.Insert(*node);
    }
    node->AddObject(part, terminal);
}

void CCircuit::DisconnectObject(CPart& part) {
    for (size_t i = 0; i < part.GetTerminalCount(); ++i) {
        CSimNode* node = part.GetNode(i);
        if (!node) continue;
        part.DisconnectNode(*node, i);
        if (node->IsEmpty()) m_flags |= kFlagCleanupPending;
    }
}

void CCircuit::ReconnectAll() {
    for (auto& part : m_objects)
        part->ForgetNodes();
    m_nodeIndex.Clear();
    m_nodes.clear();
    m_flags &= ~kFlagCleanupPending;
    for (auto& part : m_objects)
        ConnectObject(*part);
}

void CCircuit::NodeCleanup() {
    std::erase_if(m_nodes, [this](const std::unique_ptr<CSimNode>& node) {
        if (!node->IsEmpty()) return false;
        m_nodeIndex.Remove(*node);
        return true;
    });
    m_flags &= ~kFlagCleanupPending;
}

}  // namespace kestro
