#include "gui/attributes/attribute_edit.h"

#include "core/document/circuit.h"
#include "core/document/edit_step.h"

namespace kestro {

CAttributeEdit::CAttributeEdit(CCircuit* document, const char* name) {
    if (document) m_step = std::make_unique<CEditStep>(*document, name);
}

CAttributeEdit::~CAttributeEdit() {
    Commit();
}

void CAttributeEdit::Change(CPart& part) {
    if (m_step) m_step->Change(part);
}

void CAttributeEdit::ChangeSheet() {
    if (m_step) m_step->ChangeSheet();
}

CPart* CAttributeEdit::Add(std::unique_ptr<CPart> part) {
    return m_step ? m_step->Add(std::move(part)) : nullptr;
}

void CAttributeEdit::Remove(CPart& part) {
    if (m_step) m_step->Remove(part);
}

void CAttributeEdit::Commit() {
    if (m_step) m_step->Commit();
}

}  // namespace kestro
