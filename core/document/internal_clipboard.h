#pragma once

#include "core/document/object_buffer.h"
#include "core/library/shape.h"

namespace kestro {

// The clipboard of schematic objects shared by every schematic window (the
// application owns one): the copied objects in serialized form, their bounds at the
// time of copying, and ghost copies of their drawing relative to the centre of those
// bounds, which the paste outline draws around the cursor.
class CInternalClipboard {
public:
    bool HasData() const { return m_objects.HasData(); }
    const CRectF& GetBounds() const { return m_objects.GetBounds(); }
    const CObjectBuffer& GetObjects() const { return m_objects; }
    const CShapeList& GetGhosts() const { return m_ghosts; }
    void Clear();
    // Replaces the contents (CCircuit::Copy calls this).
    void Store(const std::vector<CPart*>& parts, const CRectF& bounds, CCircuit& document);

private:
    CObjectBuffer m_objects;
    CShapeList m_ghosts;
};

}  // namespace kestro
