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
    if (std::isnan(value)) return INT32_MIN;
    const double cell = std::floor(value / size);
    if (cell < -2.0e9) return -2000000000;
    if (cell > 2.0e9) return 2000000000;
    return static_cast<int32_t>(cell);
}

inline uint64_t CellKey(int32_t x, int32_t y) {
    return (uint64_t(uint32_t(x)) << 32) | uint32_t(y);
}

// An open-addressing map from cell keys to values, for the spatial indexes of a
// document: linear probing, cells erased when they empty.
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
    // The value of a cell, made (empty) when missing.
    V& Get(uint64_t key) {
        if ((m_used + 1) * 2 > m_slots.size()) Grow();
        for (size_t i = Home(key);; i = (i + 1) & m_mask) {
            Slot& slot = m_slots[i];
            if (slot.key == key) return slot.value;
            if (slot.key == kEmpty) {
                slot.key = key;
                ++m_used;
                return slot.value;
            }
        }
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

private:
    // No cell has this key: CellOf never gives INT32_MIN + 1.
    static constexpr uint64_t kEmpty =
        (uint64_t(uint32_t(INT32_MIN + 1)) << 32) | uint32_t(INT32_MIN + 1);
    struct Slot {
        uint64_t key = kEmpty;
        V value{};
    };

    // Fibonacci hashing: the top bits of the product depend on every bit of the key.
    size_t Home(uint64_t key) const { return size_t((key * 0x9E3779B97F4A7C15ull) >> m_shift); }
    void Grow() {
        std::vector<Slot> old = std::move(m_slots);
        const size_t size = old.empty() ? 64 : old.size() * 2;
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
