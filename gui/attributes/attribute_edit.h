#pragma once

#include <vector>

#include "core/platform/geometry.h"

namespace kestro {

class CCircuit;
class CPart;

// One change the attribute window makes to a document: what it touched is repainted and,
// when something changed, the document is marked modified. Every edit of the window goes
// through here, so that each is one step of the document.
class CAttributeEdit {
public:
    explicit CAttributeEdit(CCircuit* document) : m_document(document) {}
    CAttributeEdit(const CAttributeEdit&) = delete;
    CAttributeEdit& operator=(const CAttributeEdit&) = delete;

    // The object is repainted where it is now and where it is at the commit; it must
    // still exist then (for an object that leaves the sheet, Include its bounds).
    void Watch(const CPart& part);
    // An area that needs repainting (an object about to leave the sheet).
    void Include(const CRectF& area);
    // Repaints what was touched (hint 102); marks the document modified when `changed`.
    void Commit(bool changed);

private:
    CCircuit* m_document;
    std::vector<const CPart*> m_watched;
    CRectF m_area;
    bool m_hasArea = false;
};

}  // namespace kestro
