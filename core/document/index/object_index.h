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

private:
    static constexpr double kCell = 64.0;
    static constexpr int64_t kMaxCellsPerObject = 64;
    static constexpr int64_t kMaxCellsPerQuery = 4096;
    static constexpr size_t kFirstCellRoom = 8;

    CCellHash<std::vector<CPart*>> m_cells;
    std::vector<CPart*> m_large;
    uint32_t m_stamp = 0;
};

}  // namespace kestro
