#include "core/document/selection.h"

#include "core/objects/part.h"

namespace kestro {

CRectF WidenToMinimum(const CRectF& bounds, float minimum) {
    CRectF r = bounds.Normalized();
    const CPointF centre = r.Center();
    if (r.Width() < minimum) {
        r.left = centre.x - minimum / 2.0f;
        r.right = centre.x + minimum / 2.0f;
    }
    if (r.Height() < minimum) {
        r.top = centre.y - minimum / 2.0f;
        r.bottom = centre.y + minimum / 2.0f;
    }
    return r;
}

CRectF FrameOf(const CSelection& selection) {
    const CRectF& bounds = selection.GetBounds();
    if (!(bounds == CRectF{}) || selection.IsEmpty()) return bounds;
    return WidenToMinimum(selection.UnionOfObjects(), CSelection::kMinExtent);
}

size_t CSelection::CountedCount() const {
    size_t count = 0;
    for (const CPart* part : Items())
        if (!part->IsLink()) ++count;
    return count;
}

void CSelection::Compact() const {
    if (m_holes == 0) return;
    size_t kept = 0;
    for (CPart* part : m_items) {
        if (!part) continue;
        m_index[part] = kept;
        m_items[kept++] = part;
    }
    m_items.resize(kept);
    m_holes = 0;
}

const std::vector<CPart*>& CSelection::Items() const {
    Compact();
    return m_items;
}

CPart* CSelection::First() const {
    const auto& items = Items();
    return items.empty() ? nullptr : items.front();
}

void CSelection::Add(CPart& part) {
    if (m_index.count(&part)) return;
    m_index.emplace(&part, m_items.size());
    m_items.push_back(&part);
}

bool CSelection::Remove(const CPart* part) {
    auto it = m_index.find(part);
    if (it == m_index.end()) return false;
    m_items[it->second] = nullptr;
    m_index.erase(it);
    if (m_index.empty()) {
        m_items.clear();
        m_holes = 0;
    } else {
        ++m_holes;
    }
    return true;
}

void CSelection::Clear() {
    m_items.clear();
    m_index.clear();
    m_holes = 0;
    m_bounds = {};
}

CRectF CSelection::UnionOfObjects() const {
    const auto& items = Items();
    if (items.empty()) return {};
    CRectF bounds = items.front()->GetBounds().Normalized();
    for (const CPart* part : items)
        bounds = UnionRect(bounds, part->GetBounds().Normalized());
    return bounds;
}

CRectF CSelection::UpdateBounds() {
    const CRectF old = m_bounds;
    m_bounds = IsEmpty() ? CRectF{} : WidenToMinimum(UnionOfObjects(), kMinExtent);
    return old;
}

}  // namespace kestro
