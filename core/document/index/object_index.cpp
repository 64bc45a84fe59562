#include "core/document/index/object_index.h"

#include <algorithm>

#include "core/objects/part.h"

namespace kestro {

namespace {

// Cells of a block, saturating: each side is at most 4e9 cells, so the product of two
// sides capped at 2^31 cannot overflow.
int64_t CellSpan(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    const int64_t w = std::min<int64_t>(int64_t(x1) - x0 + 1, int64_t(1) << 31);
    const int64_t h = std::min<int64_t>(int64_t(y1) - y0 + 1, int64_t(1) << 31);
    return w * h;
}

}  // namespace

void CObjectIndex::Insert(CPart& part) {
    CPartSlot& slot = part.Slot();
    const CRectF b = part.GetBounds().Normalized();
    const int32_t x0 = CellOf(b.left, kCell), x1 = CellOf(b.right, kCell);
    const int32_t y0 = CellOf(b.top, kCell), y1 = CellOf(b.bottom, kCell);
    const bool numbers = x0 != INT32_MIN && x1 != INT32_MIN && y0 != INT32_MIN && y1 != INT32_MIN;
    if (!numbers || CellSpan(x0, y0, x1, y1) > kMaxCellsPerObject) {
        slot.large = true;
        slot.largeIndex = m_large.size();
        m_large.push_back(&part);
        return;
    }
    slot.large = false;
    slot.cellX0 = x0, slot.cellY0 = y0, slot.cellX1 = x1, slot.cellY1 = y1;
    for (int32_t cx = x0; cx <= x1; ++cx)
        for (int32_t cy = y0; cy <= y1; ++cy) {
            std::vector<CPart*>& cell = m_cells.Get(CellKey(cx, cy));
            // A cell of a filled sheet holds a few objects: room for them in one step.
            if (cell.empty()) cell.reserve(kFirstCellRoom);
            cell.push_back(&part);
        }
}

void CObjectIndex::Remove(CPart& part) {
    CPartSlot& slot = part.Slot();
    if (slot.large) {
        if (slot.largeIndex < m_large.size() && m_large[slot.largeIndex] == &part) {
            m_large[slot.largeIndex] = m_large.back();
            m_large[slot.largeIndex]->Slot().largeIndex = slot.largeIndex;
            m_large.pop_back();
        }
        slot.large = false;
        return;
    }
    for (int32_t cx = slot.cellX0; cx <= slot.cellX1; ++cx)
        for (int32_t cy = slot.cellY0; cy <= slot.cellY1; ++cy) {
            std::vector<CPart*>* cell = m_cells.Find(CellKey(cx, cy));
            if (!cell) continue;
            auto it = std::find(cell->begin(), cell->end(), &part);
            if (it == cell->end()) continue;
            *it = cell->back();
            cell->pop_back();
            if (cell->empty()) m_cells.Erase(CellKey(cx, cy));
        }
    slot.cellX0 = slot.cellY0 = 1;
    slot.cellX1 = slot.cellY1 = 0;
}

void CObjectIndex::Clear() {
    m_cells.Clear();
    m_large.clear();
}

bool CObjectIndex::Query(const CRectF& area, std::vector<CPart*>& out) {
    const CRectF a = area.Normalized();
    const int32_t x0 = CellOf(a.left, kCell), x1 = CellOf(a.right, kCell);
    const int32_t y0 = CellOf(a.top, kCell), y1 = CellOf(a.bottom, kCell);
    if (x0 == INT32_MIN || x1 == INT32_MIN || y0 == INT32_MIN || y1 == INT32_MIN) return false;
    if (CellSpan(x0, y0, x1, y1) > kMaxCellsPerQuery) return false;
    if (++m_stamp == 0) m_stamp = 1;  // 2^32 queries before a stamp repeats
    for (int32_t cx = x0; cx <= x1; ++cx)
        for (int32_t cy = y0; cy <= y1; ++cy) {
            std::vector<CPart*>* cell = m_cells.Find(CellKey(cx, cy));
            if (!cell) continue;
            for (CPart* part : *cell) {
                uint32_t& stamp = part->Slot().queryStamp;
                if (stamp == m_stamp) continue;
                stamp = m_stamp;
                out.push_back(part);
            }
        }
    out.insert(out.end(), m_large.begin(), m_large.end());
    return true;
}

}  // namespace kestro
