#include "core/document/index/node_pool.h"

namespace kestro {

CSimNode* CNodePool::Make(CPointF position, uint64_t sequence) {
    CSimNode* node = nullptr;
    if (!m_released.empty()) {
        node = m_released.back();
        m_released.pop_back();
    } else {
        if (m_used == m_blocks.size() * kBlockSize)
            m_blocks.push_back(std::make_unique<CSimNode[]>(kBlockSize));
        node = &m_blocks[m_used / kBlockSize][m_used % kBlockSize];
        ++m_used;
    }
    node->Init(position, sequence);
    return node;
}

}  // namespace kestro
