#pragma once

namespace kestro {

class CCircuit;
class CPart;
struct CRectF;

// A view of a circuit document. Hints: 101 the page rectangle changed, 102 an area
// changed (`area` given), 103 the selection changed, anything else repaint everything.
class CCircuitObserver {
public:
    virtual void OnCircuitUpdate(CCircuit& document, int hint, const CRectF* area) = 0;
    // The object is leaving the document: drop it from the selection and forget it.
    virtual void OnObjectRemoved(CCircuit& document, CPart& part) = 0;

protected:
    ~CCircuitObserver() = default;
};

}  // namespace kestro
