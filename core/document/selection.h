#pragma once

#include <cstddef>
#include <unordered_map>
#include <vector>

#include "core/platform/geometry.h"

namespace kestro {

class CPart;

// The selection of one view: objects of its document in selection order, and their
// bounds. The objects belong to the document; a view drops an object when the document
// says it leaves (CCircuitObserver::OnObjectRemoved). Removing is O(1), so taking
// thousands of objects out one by one stays cheap.
class CSelection {
public:
    static constexpr float kMinExtent = 9.0f;

    bool IsEmpty() const { return m_index.empty(); }
    size_t Count() const { return m_index.size(); }
    // Objects that stand by themselves: text links are not counted.
    size_t CountedCount() const;
    // The objects in selection order.
    const std::vector<CPart*>& Items() const;
    CPart* First() const;
    bool Contains(const CPart* part) const { return m_index.count(part) != 0; }
    // Appends the object unless it is selected already.
    void Add(CPart& part);
    bool Remove(const CPart* part);
    // Empties the selection; the bounds become zero.
    void Clear();
    // Room for `count` objects (selecting a whole large sheet).
    void Reserve(size_t count) {
        m_items.reserve(count);
        m_index.reserve(count);
    }

    // Zero when empty; otherwise the union of the objects' bounds, widened about its
    // centre to at least 9 units in each direction.
    const CRectF& GetBounds() const { return m_bounds; }
    void SetBounds(const CRectF& bounds) { m_bounds = bounds; }
    // Recomputes the bounds from the objects; returns the previous ones.
    CRectF UpdateBounds();
    // The union of the objects' own bounds (no widening); zero when empty.
    CRectF UnionOfObjects() const;

private:
    void Compact() const;

    mutable std::vector<CPart*> m_items;  // null where an object was removed
    mutable std::unordered_map<const CPart*, size_t> m_index;
    mutable size_t m_holes = 0;
    CRectF m_bounds;
};

// The 9-unit rule of selection frames.
CRectF WidenToMinimum(const CRectF& bounds, float minimum);
// The selection's bounds, or (when they were never computed) its frame computed anew.
CRectF FrameOf(const CSelection& selection);

}  // namespace kestro
