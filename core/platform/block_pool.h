#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <vector>

namespace kestro {

// Memory for many small records of one size, taken from large blocks: records made one
// after another lie side by side, so walking them in that order reads memory in order
// (a linked list of 100,000 objects otherwise hops across the whole heap). Freed records
// are reused; the blocks go when the pool does, or on Release().
class CBlockPool {
public:
    CBlockPool() = default;
    CBlockPool(const CBlockPool&) = delete;
    CBlockPool& operator=(const CBlockPool&) = delete;

    // Records of the pool's size (set by the first request) come from the blocks; any
    // other request goes to the heap.
    void* Allocate(size_t bytes, size_t alignment);
    void Free(void* record, size_t bytes, size_t alignment);
    // Frees every block: only when no record is in use.
    void Release();

private:
    static constexpr size_t kRecordsPerBlock = 1024;
    struct CFreeRecord {
        CFreeRecord* next;
    };

    size_t m_size = 0;  // 0 until the first request
    size_t m_alignment = 0;
    std::vector<std::unique_ptr<std::byte[]>> m_blocks;
    size_t m_usedInLast = kRecordsPerBlock;
    CFreeRecord* m_free = nullptr;
};

// A standard allocator drawing on a CBlockPool, for node-based containers.
template <typename T>
class CBlockAllocator {
public:
    using value_type = T;

    explicit CBlockAllocator(CBlockPool& pool) : m_pool(&pool) {}
    template <typename U>
    CBlockAllocator(const CBlockAllocator<U>& other) : m_pool(other.Pool()) {}

    T* allocate(size_t count) {
        return static_cast<T*>(m_pool->Allocate(count * sizeof(T), alignof(T)));
    }
    void deallocate(T* record, size_t count) {
        m_pool->Free(record, count * sizeof(T), alignof(T));
    }
    CBlockPool* Pool() const { return m_pool; }

    template <typename U>
    bool operator==(const CBlockAllocator<U>& other) const {
        return m_pool == other.Pool();
    }

private:
    CBlockPool* m_pool;
};

}  // namespace kestro
