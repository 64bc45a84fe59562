#pragma once

#include "core/document/cell_hash.h"
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
    // Starts loading what FindFirstNear(position) will read first.
    void Prefetch(CPointF position) const { m_cells.Prefetch(KeyOf(position)); }

private:
    static uint64_t KeyOf(CPointF position);
    CCellHash<CSimNode*> m_cells;
};

}  // namespace kestro
