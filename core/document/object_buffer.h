#pragma once

#include <memory>
#include <vector>

#include "core/objects/part.h"
#include "core/platform/record_buffer.h"

namespace kestro {

class CCircuit;

// Objects held in serialized form with the bounds they had: the internal clipboard and
// a document's deletion buffer. Layout, little-endian and unpadded: u32 count, then per
// object u16 kind tag and the object's record in its copy form.
class CObjectBuffer {
public:
    bool HasData() const { return m_hasData; }
    const CRectF& GetBounds() const { return m_bounds; }
    const CRecordBuffer& GetData() const { return m_data; }
    void Clear();
    // Replaces what the buffer held by `parts` (in that order) and `bounds`.
    void Store(const std::vector<CPart*>& parts, const CRectF& bounds, CCircuit& document);
    // New objects read from the data (afresh each time). Text links are joined to their
    // owners among them, or with `ownersOnSheet` (undoing a delete: the numbers stored
    // are the document's own) to an element still on the document by its number;
    // objects that cannot be resolved are dropped; reading stops at a record that does
    // not start with a kind tag. Their numbers are 0 (new objects).
    std::vector<std::unique_ptr<CPart>> Load(CCircuit& document, bool ownersOnSheet = false) const;

private:
    mutable CRecordBuffer m_data{BufferMode::Store};
    // Never-saved sheets of the instances held (see CSerialContext::unsavedSheets).
    mutable std::vector<std::shared_ptr<CCircuit>> m_unsavedSheets;
    bool m_hasData = false;
    CRectF m_bounds;
};

}  // namespace kestro
