#pragma once

#include <cmath>

#include "core/document/index/cell_hash.h"
#include "core/objects/sim_node.h"
#include "core/platform/geometry.h"

namespace kestro {

class CSimNode;

// Finds the node a terminal joins without walking the node list: nodes are filed by
// 10-unit cells centred on the grid points, so a terminal on the grid looks at one cell
// and any other at most four. The answer is exactly the first node in node-list order
// (lowest sequence) strictly inside the open 8-unit square around the terminal.
class CNodeIndex {
public:
    void Insert(CSimNode& node);
    void Remove(CSimNode& node);
    void Clear() { m_cells.Clear(); }
    // Room for about `count` nodes.
    void Reserve(size_t count) { m_cells.Reserve(count); }
    // Forgets every node, keeping the table's size.
    void Reset() { m_cells.Reset(); }
    CSimNode* FindFirstNear(CPointF position);
    // Calls `visit(CSimNode&)` for every node filed in the cells that `area` covers (each
    // node near the area, and others), unless they are more than `maxCells` cells: then
    // visits nothing and returns false.
    template <typename Visit>
    bool VisitCells(const CRectF& area, double maxCells, Visit visit) {
        // The margin covers nodes that round into the area, and the area's own rounding
        // to float (a few parts in 10^8).
        auto margin = [](float v) { return 0.1 + std::fabs(double(v)) * 1e-6; };
        const int32_t x0 = Cell(area.left - margin(area.left));
        const int32_t x1 = Cell(area.right + margin(area.right));
        const int32_t y0 = Cell(area.top - margin(area.top));
        const int32_t y1 = Cell(area.bottom + margin(area.bottom));
        if (x0 == INT32_MIN || x1 == INT32_MIN || y0 == INT32_MIN || y1 == INT32_MIN) return false;
        if ((double(x1) - x0 + 1.0) * (double(y1) - y0 + 1.0) > maxCells) return false;
        for (int32_t cx = x0; cx <= x1; ++cx)
            for (int32_t cy = y0; cy <= y1; ++cy) {
                CSimNode* const* head = m_cells.Find(CellKey(cx, cy));
                for (CSimNode* node = head ? *head : nullptr; node; node = node->m_nextInCell)
                    visit(*node);
            }
        return true;
    }
    // Starts loading what FindFirstNear(position) will read first.
    void Prefetch(CPointF position) const { m_cells.Prefetch(KeyOf(position)); }

    // The cell a node at `position` is filed under.
    static uint64_t KeyOf(CPointF position);
    // Calls `visit(cellKey, const CSimNode&)` for every node filed, in no particular
    // order: what the index holds, for checks against the node list.
    template <typename Visit>
    void ForEachFiled(Visit visit) const {
        m_cells.ForEach([&visit](uint64_t key, const CSimNode* head) {
            for (const CSimNode* node = head; node; node = node->m_nextInCell)
                visit(key, *node);
        });
    }

private:
    // Cells of 10 units centred on the grid points.
    static int32_t Cell(double value) { return CellOf(value + 5.0, 10.0); }
    CCellHash<CSimNode*> m_cells;
};

}  // namespace kestro
