#include "core/document/internal_clipboard.h"

namespace kestro {

void CInternalClipboard::Clear() {
    m_objects.Clear();
    m_ghosts.clear();
}

void CInternalClipboard::Store(const std::vector<CPart*>& parts, const CRectF& bounds,
                               CCircuit& document) {
    Clear();
    const CPointF centre = bounds.Center();
    for (const CPart* part : parts)
        part->AppendShapes(m_ghosts, centre);
    m_objects.Store(parts, bounds, document);
}

}  // namespace kestro
