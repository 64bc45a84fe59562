#include "core/netlist/netlist_numbering.h"

#include "core/document/circuit.h"
#include "core/document/wire_cleanup.h"
#include "core/objects/label_object.h"
#include "core/objects/sim_label.h"
#include "core/objects/sim_node.h"
#include "core/objects/sim_term.h"
#include "core/objects/sub_cir_part.h"

namespace kestro {

void CNetPropagator::Spread(CSimNode& start, int32_t number) {
    start.SetNumber(number);
    m_pending.push_back(&start);
    while (!m_pending.empty()) {
        CSimNode* node = m_pending.back();
        m_pending.pop_back();
        Visit(*node, number);
    }
}

void CNetPropagator::Give(CSimNode* node, int32_t number) {
    if (!node || node->GetNumber() != CSimNode::kNotNumbered) return;
    node->SetNumber(number);
    m_pending.push_back(node);
}

void CNetPropagator::Visit(CSimNode& node, int32_t number) {
    for (CPart* part : node.GetObjects()) {
        if (part->IsWire()) {
            Give(part->GetNode(0), number);
            Give(part->GetNode(1), number);
        } else if (CSimLabel* label = part->AsLabel()) {
            const CLabelObject* name = label->GetLabelObject();
            if (!name || !m_labelsDone.insert(name).second) continue;
            for (CSimLabel* same : name->GetLabels())
                Give(same->GetNode(0), number);
        } else if (CSubCirPart* instance = part->AsSubCircuit()) {
            // Each pin at this node passes the number to the pins whose ports are one
            // net inside the subcircuit.
            for (size_t pin = 0; pin < instance->GetTerminalCount(); ++pin) {
                if (instance->GetNode(pin) != &node) continue;
                const int32_t inner = instance->GetInnerNetNumber(pin);
                if (inner < 0) continue;
                for (size_t other = 0; other < instance->GetTerminalCount(); ++other)
                    if (other != pin && instance->GetInnerNetNumber(other) == inner)
                        Give(instance->GetNode(other), number);
            }
        }
    }
}

void ClearNumberedFlags(CCircuit& sheet) {
    // Sheets shared by many instances are visited once.
    std::unordered_set<const CCircuit*> seen;
    std::vector<CCircuit*> pending{&sheet};
    while (!pending.empty()) {
        CCircuit* current = pending.back();
        pending.pop_back();
        if (!seen.insert(current).second) continue;
        current->SetFlags(current->GetFlags() & ~CCircuit::kFlagNodesNumbered);
        for (CSubCirPart* instance : current->GetInstances())
            if (CCircuit* inner = instance->GetSheet()) pending.push_back(inner);
    }
}

void ResetNodeNumbers(CCircuit& sheet) {
    for (const auto& node : sheet.GetNodes())
        node->SetNumber(CSimNode::kNotNumbered);
}

// Ground comes from the objects (ground elements and subcircuit pins whose port is on
// net 0 inside) rather than from asking every node: far fewer objects to visit on a
// large sheet, and all ground nets get the same number whatever the order.
void NumberGroundNets(CCircuit& sheet, CNetPropagator& propagator) {
    auto ground = [&propagator](CSimNode* node) {
        if (node && node->GetNumber() == CSimNode::kNotNumbered)
            propagator.Spread(*node, CSimNode::kGround);
    };
    for (const auto& part : sheet.GetObjects()) {
        if (part->IsGround()) {
            for (size_t pin = 0; pin < part->GetTerminalCount(); ++pin)
                ground(part->GetNode(pin));
        } else if (const CSubCirPart* instance = part->AsSubCircuit()) {
            for (size_t pin = 0; pin < instance->GetTerminalCount(); ++pin)
                if (instance->GetInnerNetNumber(pin) == CSimNode::kGround)
                    ground(instance->GetNode(pin));
        }
    }
}

void NumberRemainingNets(CCircuit& sheet, CNetPropagator& propagator, int32_t& next) {
    for (const auto& node : sheet.GetNodes()) {
        if (node->GetNumber() != CSimNode::kNotNumbered || node->IsEmpty()) continue;
        if (node->IsDeadEnd())
            node->SetNumber(CSimNode::kLeftOut);
        else
            propagator.Spread(*node, next++);
    }
}

void NumberSheetsBelow(CCircuit& sheet) {
    for (CSubCirPart* instance : sheet.GetInstances())
        if (CCircuit* inner = instance->GetSheet()) NumberNodes(*inner);
}

void RecordPortNumbers(CCircuit& sheet) {
    std::vector<int32_t>& ports = sheet.GetPortNodeNumbers();
    for (size_t number = 0; number < ports.size(); ++number) {
        const CSimTerm* port = sheet.GetPortObject(number);
        ports[number] = port ? port->GetNodeNumber(0) : CSimNode::kLeftOut;
    }
    sheet.SetFlags(sheet.GetFlags() | CCircuit::kFlagNodesNumbered);
}

void NumberNodes(CCircuit& sheet) {
    if (sheet.GetFlags() & CCircuit::kFlagNodesNumbered) return;
    NumberSheetsBelow(sheet);
    CleanUpWires(sheet, sheet.GetDrawingArea());
    ResetNodeNumbers(sheet);
    CNetPropagator propagator;
    NumberGroundNets(sheet, propagator);
    int32_t next = 1;
    NumberRemainingNets(sheet, propagator, next);
    RecordPortNumbers(sheet);
}

}  // namespace kestro
