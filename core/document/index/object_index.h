#pragma once

#include <cstdint>
#include <vector>

#include "core/document/index/cell_hash.h"
#include "core/platform/geometry.h"

namespace kestro {

class CPart;

// Spatial index of a document's objects by their bounds: 64-unit cells, each object
// filed under every cell its bounds meet; an object spanning more than 64 cells (or
// with bounds that are not numbers) is kept in a short list that every query looks at.
// The document refiles an object whenever its bounds change.
class CObjectIndex {
public:
    void Insert(CPart& part);
    void Remove(CPart& part);
    void Clear();
    // Room for about `count` objects (a cell holds a few).
    void Reserve(size_t count) { m_cells.Reserve(count / 2); }
    // Appends every object whose bounds may meet `area` (each once, in no order).
    // False when the area is so large that walking all objects is cheaper; nothing is
    // appended then.
    bool Query(const CRectF& area, std::vector<CPart*>& out);

    static constexpr double kCell = 64.0;
    // Calls `visit(cellX, cellY, const CPart&)` for every filing of an object in a cell,
    // and `visitLarge(const CPart&)` for every object of the list of large ones, in no
    // particular order: what the index holds, for checks against the objects list.
    template <typename Visit, typename VisitLarge>
    void ForEachFiled(Visit visit, VisitLarge visitLarge) const {
        m_cells.ForEach([&visit](uint64_t key, const std::vector<CPart*>& cell) {
            const auto x = static_cast<int32_t>(uint32_t(key >> 32));
            const auto y = static_cast<int32_t>(uint32_t(key));
            for (const CPart* part : cell)
                visit(x, y, *part);
        });
        for (const CPart* part : m_large)
            visitLarge(*part);
    }

private:
    static constexpr int64_t kMaxCellsPerObject = 64;
    static constexpr int64_t kMaxCellsPerQuery = 4096;
    static constexpr size_t kFirstCellRoom = 8;

    CCellHash<std::vector<CPart*>> m_cells;
    std::vector<CPart*> m_large;
    uint32_t m_stamp = 0;
};

}  // namespace kestro
