#pragma once

#include <array>
#include <cstddef>
#include <memory>

namespace kestro {

class CSimNode;

// The node entries of an object's terminals. Most objects have one or two terminals:
// those entries live in the object itself, which saves a memory access per object when
// a large sheet is connected.
class CNodeSlots {
public:
    size_t size() const { return m_count; }
    CSimNode** begin() { return Data(); }
    CSimNode** end() { return Data() + m_count; }
    CSimNode* const* begin() const { return Data(); }
    CSimNode* const* end() const { return Data() + m_count; }
    CSimNode*& operator[](size_t index) { return Data()[index]; }
    CSimNode* operator[](size_t index) const { return Data()[index]; }

    // `count` entries, each `value`.
    void assign(size_t count, CSimNode* value) {
        m_heap.reset();
        if (count > m_inline.size()) m_heap = std::make_unique<CSimNode*[]>(count);
        m_count = count;
        for (CSimNode*& entry : *this)
            entry = value;
    }

private:
    CSimNode** Data() { return m_heap ? m_heap.get() : m_inline.data(); }
    CSimNode* const* Data() const { return m_heap ? m_heap.get() : m_inline.data(); }

    std::array<CSimNode*, 2> m_inline{};
    std::unique_ptr<CSimNode*[]> m_heap;
    size_t m_count = 0;
};

}  // namespace kestro
