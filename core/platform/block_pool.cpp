#include "core/platform/block_pool.h"

#include <algorithm>

namespace kestro {

void* CBlockPool::Allocate(size_t bytes, size_t alignment) {
    if (m_size == 0) {
        m_alignment = std::max(alignment, alignof(CFreeRecord));
        // A record holds a free-list link while it is free, and keeps the next aligned.
        const size_t size = std::max(bytes, sizeof(CFreeRecord));
        m_size = (size + m_alignment - 1) / m_alignment * m_alignment;
    }
    if (bytes > m_size || alignment > m_alignment ||
        m_alignment > __STDCPP_DEFAULT_NEW_ALIGNMENT__ || bytes * 2 < m_size)
        return ::operator new(bytes, std::align_val_t(alignment));
    if (m_free) {
        CFreeRecord* record = m_free;
        m_free = record->next;
        return record;
    }
    if (m_usedInLast == kRecordsPerBlock) {
        m_blocks.push_back(std::make_unique<std::byte[]>(m_size * kRecordsPerBlock));
        m_usedInLast = 0;
    }
    return m_blocks.back().get() + m_size * m_usedInLast++;
}

void CBlockPool::Free(void* record, size_t bytes, size_t alignment) {
    if (!record) return;
    if (bytes > m_size || alignment > m_alignment ||
        m_alignment > __STDCPP_DEFAULT_NEW_ALIGNMENT__ || bytes * 2 < m_size) {
        ::operator delete(record, std::align_val_t(alignment));
        return;
    }
    m_free = ::new (record) CFreeRecord{m_free};
}

void CBlockPool::Release() {
    m_blocks.clear();
    m_usedInLast = kRecordsPerBlock;
    m_free = nullptr;
}

}  // namespace kestro
