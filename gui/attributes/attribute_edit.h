#pragma once

#include <memory>

namespace kestro {

class CCircuit;
class CEditStep;
class CPart;

// One change the attribute window makes to a document: one edit step of it (see
// core/document/edit_step.h), committed when the edit ends, so that it marks the document
// modified, repaints what it touched and can be undone as a whole. An edit begun while
// another is open on the document joins it. Without a document the changes are just made.
class CAttributeEdit {
public:
    CAttributeEdit(CCircuit* document, const char* name);
    ~CAttributeEdit();
    CAttributeEdit(const CAttributeEdit&) = delete;
    CAttributeEdit& operator=(const CAttributeEdit&) = delete;

    // Call before changing an object in place (values, text, port number).
    void Change(CPart& part);
    // Call before changing the sheet's own fields (simulation parameters, port names).
    void ChangeSheet();
    // Adds an object to the sheet; null when the sheet refused it.
    CPart* Add(std::unique_ptr<CPart> part);
    // Takes an object off the sheet.
    void Remove(CPart& part);
    void Commit();

private:
    std::unique_ptr<CEditStep> m_step;
};

}  // namespace kestro
