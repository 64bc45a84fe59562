#pragma once

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

namespace kestro {

// Cell coordinate of a sheet value for a grid of `size` units, safe for any float:
// huge values are clamped and NaN gets a cell of its own.
inline int32_t CellOf(double value, double size) {
    const double cell = value / size;
    if (cell > -2.0e9 && cell < 2.0e9) {
        // floor() without a call into the maths library (this runs for every terminal).
        const int32_t truncated = static_cast<int32_t>(cell);
        return truncated - (cell < double(truncated) ? 1 : 0);
    }
    if (std::isnan(cell)) return INT32_MIN;
    return cell < 0.0 ? -2000000000 : 2000000000;
}

inline uint64_t CellKey(int32_t x, int32_t y) {
    return (uint64_t(uint32_t(x)) << 32) | uint32_t(y);
}

// An open-addressing map from cell keys to values, for the spatial indexes of a
// document: linear probing, cells erased when they empty. Other 64-bit keys (numbers,
// name hashes) work too, as long as they avoid the key kept for empty slots.
template <typename V>
class CCellHash {
public:
    // The value of a cell, or null.
    V* Find(uint64_t key) {
        if (m_slots.empty()) return nullptr;
        for (size_t i = Home(key);; i = (i + 1) & m_mask) {
            Slot& slot = m_slots[i];
            if (slot.key == key) return &slot.value;
            if (slot.key == kEmpty) return nullptr;
        }
    }
    // Starts loading the cell's home slot into the cache: a caller that knows which cells
    // it will look up next overlaps their memory latency with the work in between.
    void Prefetch(uint64_t key) const {
        if (!m_slots.empty()) __builtin_prefetch(&m_slots[Home(key)]);
    }
    // The value of a cell, made (as `initial`) when missing.
    V& Get(uint64_t key, const V& initial = V{}) {
        if ((m_used + 1) * 2 > m_slots.size()) Grow(m_slots.empty() ? 64 : m_slots.size() * 2);
        for (size_t i = Home(key);; i = (i + 1) & m_mask) {
            Slot& slot = m_slots[i];
            if (slot.key == key) return slot.value;
            if (slot.key == kEmpty) {
                slot.key = key;
                slot.value = initial;
                ++m_used;
                return slot.value;
            }
        }
    }
    // Room for `count` cells without growing.
    void Reserve(size_t count) {
        size_t size = 64;
        while (size < 2 * count + 2)
            size *= 2;
        if (size > m_slots.size()) Grow(size);
    }
    void Clear() {
        m_slots.clear();
        m_used = 0;
        m_mask = 0;
        m_shift = 63;
    }
    // Drops a cell (backward-shift deletion keeps every other cell findable).
    void Erase(uint64_t key) {
        if (m_slots.empty()) return;
        size_t i = Home(key);
        while (m_slots[i].key != key) {
            if (m_slots[i].key == kEmpty) return;
            i = (i + 1) & m_mask;
        }
        for (size_t j = (i + 1) & m_mask; m_slots[j].key != kEmpty; j = (j + 1) & m_mask) {
            const size_t home = Home(m_slots[j].key);
            // A slot whose home lies cyclically in (i, j] is where it may stay.
            const bool stays = i <= j ? (i < home && home <= j) : (i < home || home <= j);
            if (stays) continue;
            m_slots[i] = std::move(m_slots[j]);
            i = j;
        }
        m_slots[i] = Slot{};
        --m_used;
    }
    // Empties every cell but keeps the table's size (for a refill of the same size).
    void Reset() {
        for (Slot& slot : m_slots)
            slot = Slot{};
        m_used = 0;
    }
    size_t CellCount() const { return m_used; }
    // Calls `visit(key, value)` for every cell, in no particular order (for checks).
    template <typename Visit>
    void ForEach(Visit visit) const {
        for (const Slot& slot : m_slots)
            if (slot.key != kEmpty) visit(slot.key, slot.value);
    }

private:
    // No cell has this key: CellOf never gives INT32_MIN + 1.
    static constexpr uint64_t kEmpty =
        (uint64_t(uint32_t(INT32_MIN + 1)) << 32) | uint32_t(INT32_MIN + 1);
    struct Slot {
        uint64_t key = kEmpty;
        V value{};
    };

    // Cells are filed in blocks of kBlock by kBlock: a block's cells share one run of
    // slots (a row of the block side by side), so neighbouring cells, which are mostly
    // looked up one after another, share cache lines. Blocks are spread by Fibonacci
    // hashing (the top bits of the product depend on every bit of the block's key) to
    // any slot, not only to multiples of the block, or cells on a coarse grid would pile
    // up on a few slots.
    static constexpr int kBlockBits = 3;
    static constexpr uint32_t kBlock = 1u << kBlockBits;
    size_t Home(uint64_t key) const {
        const uint64_t x = key >> 32, y = key & 0xFFFFFFFFu;
        const uint64_t block = (x >> kBlockBits) << 32 | (y >> kBlockBits);
        const size_t within = size_t((y & (kBlock - 1)) << kBlockBits | (x & (kBlock - 1)));
        const size_t spread = size_t((block * 0x9E3779B97F4A7C15ull) >> m_shift);
        return (spread + within) & m_mask;
    }
    void Grow(size_t size) {
        std::vector<Slot> old = std::move(m_slots);
        m_slots = std::vector<Slot>(size);
        m_mask = size - 1;
        m_shift = 64 - std::countr_zero(size);
        m_used = 0;
        for (Slot& slot : old)
            if (slot.key != kEmpty) Get(slot.key) = std::move(slot.value);
    }

    std::vector<Slot> m_slots;
    size_t m_used = 0;
    size_t m_mask = 0;
    int m_shift = 63;
};

}  // namespace kestro
