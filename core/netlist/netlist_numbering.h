#pragma once

#include <cstdint>
#include <unordered_set>
#include <vector>

namespace kestro {

class CCircuit;
class CLabelObject;
class CSimNode;

// Spreads a net number from a node to every node of the same sheet joined with it and
// still unnumbered (-1): through wires, through the labels of one name, and through a
// subcircuit instance from one pin to the others whose ports are one net inside it.
// Elements, ports and the rest stop it. Works with its own stack, so a chain of any
// length is fine; one propagator serves one numbering pass of one sheet.
class CNetPropagator {
public:
    // Gives `number` to `start` and to everything joined with it.
    void Spread(CSimNode& start, int32_t number);

private:
    void Visit(CSimNode& node, int32_t number);
    void Give(CSimNode* node, int32_t number);

    std::vector<CSimNode*> m_pending;
    // A label name spreads to all its labels at once, so it is done once per pass.
    std::unordered_set<const CLabelObject*> m_labelsDone;
};

// Clears the nodes-numbered flag of the sheet and of every sheet below it.
void ClearNumberedFlags(CCircuit& sheet);

// Local numbering of a sheet, after every sheet it uses (each once while its flag is
// set): wire clean-up over the drawing area, ground nets 0, the other nets 1 upwards in
// node-list order, pins that lead nowhere -2; then the port node numbers. Nodes nothing
// is attached to any more (left by the clean-up) take no number.
void NumberNodes(CCircuit& sheet);

// The parts of NumberNodes: numbers every sheet used by the sheet's instances;
void NumberSheetsBelow(CCircuit& sheet);
// fills the port node numbers from the port objects' nodes and sets the flag.
void RecordPortNumbers(CCircuit& sheet);

// The steps both numberings share, in this order:
// every node -1;
void ResetNodeNumbers(CCircuit& sheet);
// every ground node still -1 gets 0, spread (ground: the node of a ground element, or of
// a subcircuit pin whose port is on net 0 inside);
void NumberGroundNets(CCircuit& sheet, CNetPropagator& propagator);
// in node-list order every node still -1: a pin that leads nowhere (the node's only
// attachment is a subcircuit without a port there) gets -2, any other node with an
// attachment takes `next` (which then grows), spread.
void NumberRemainingNets(CCircuit& sheet, CNetPropagator& propagator, int32_t& next);

}  // namespace kestro
