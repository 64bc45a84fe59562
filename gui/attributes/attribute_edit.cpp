#include "gui/attributes/attribute_edit.h"

#include "core/document/circuit.h"

namespace kestro {

void CAttributeEdit::Watch(const CPart& part) {
    m_watched.push_back(&part);
    Include(part.GetBounds());
}

void CAttributeEdit::Include(const CRectF& area) {
    const CRectF normal = area.Normalized();
    m_area = m_hasArea ? UnionRect(m_area, normal) : normal;
    m_hasArea = true;
}

void CAttributeEdit::Commit(bool changed) {
    if (!m_document) return;
    for (const CPart* part : m_watched)
        if (m_document->Contains(*part)) Include(part->GetBounds());
    if (changed) m_document->SetModified(true);
    if (m_hasArea) m_document->UpdateAllViews(CCircuit::kHintArea, &m_area);
}

}  // namespace kestro
