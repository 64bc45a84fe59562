#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/objects/sim_node.h"

namespace kestro {

// Owns the nodes of a document, made in blocks: nodes made one after another lie side by
// side in memory, so walking the node list, or connecting a sheet in list order, reads
// memory in order instead of hopping across the heap.
class CNodePool {
public:
    // A node new again: a released one when there is one, else the next of the blocks.
    CSimNode* Make(CPointF position, uint64_t sequence);
    // The node goes back for reuse (the caller has dropped it from its lists).
    void Release(CSimNode& node) { m_released.push_back(&node); }
    // Every node goes back; they are handed out again in the order they were first made.
    void ReleaseAll() {
        m_released.clear();
        m_used = 0;
    }
    // Frees every node and block.
    void Clear() {
        m_released.clear();
        m_blocks.clear();
        m_used = 0;
    }

private:
    static constexpr size_t kBlockSize = 256;

    std::vector<std::unique_ptr<CSimNode[]>> m_blocks;
    size_t m_used = 0;  // nodes of the blocks handed out, in block order
    std::vector<CSimNode*> m_released;
};

}  // namespace kestro
