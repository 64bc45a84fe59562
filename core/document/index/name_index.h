#pragma once

#include <cstdint>
#include <string_view>

#include "core/document/index/cell_hash.h"
#include "core/objects/part.h"

namespace kestro {

class CSimPart;

// The elements of a document by instance name, without regard to case: a flat table from
// a hash of the name to a chain of the elements whose names have that hash (the chain
// runs through the elements' slots, so indexing allocates nothing). Names that only
// share a hash are told apart by the caller. The index is built on its first use:
// reading a large file fills nothing.
class CNameIndex {
public:
    bool IsBuilt() const { return m_built; }
    // Indexes every element of the list (ground elements have no name to find).
    void Build(const CPartList& objects);
    // Forgets every element; the next use builds the index again.
    void Clear();
    // Both do nothing until the index is built.
    void Insert(CSimPart& element);
    void Remove(CSimPart& element);
    // Calls `visit(CSimPart&)` for each element whose name may be `name`.
    template <typename Visit>
    void ForEachCandidate(std::string_view name, Visit visit) {
        CPart* const* head = m_heads.Find(HashOf(name));
        for (CPart* part = head ? *head : nullptr; part; part = part->Slot().nameNext)
            visit(*part);
    }

    // Calls `visit(hash, const CPart&)` for every element filed, chain by chain from its
    // head, in no particular order of chains: what the index holds, for checks.
    template <typename Visit>
    void ForEachFiled(Visit visit) const {
        m_heads.ForEach([&visit](uint64_t hash, const CPart* head) {
            for (const CPart* part = head; part; part = part->Slot().nameNext)
                visit(hash, *part);
        });
    }

    // FNV-1a of the name with ASCII letters in upper case; never the table's empty key.
    static uint64_t HashOf(std::string_view name);

private:
    CCellHash<CPart*> m_heads;
    bool m_built = false;
};

}  // namespace kestro
