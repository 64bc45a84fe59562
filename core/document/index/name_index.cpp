#include "core/document/index/name_index.h"

#include "core/objects/sim_part.h"

namespace kestro {

uint64_t CNameIndex::HashOf(std::string_view name) {
    uint64_t hash = 0xCBF29CE484222325ull;
    for (char c : name) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        hash = (hash ^ uint8_t(c)) * 0x100000001B3ull;
    }
    // The cell table keeps one key for its empty slots; both halves are INT32_MIN + 1.
    return (hash >> 32) == 0x80000001u ? hash ^ (uint64_t(1) << 32) : hash;
}

void CNameIndex::Build(const CPartList& objects) {
    m_built = true;
    for (const auto& part : objects)
        if (CSimPart* element = part->AsSimPart()) Insert(*element);
}

void CNameIndex::Clear() {
    m_heads.Clear();
    m_built = false;
}

void CNameIndex::Insert(CSimPart& element) {
    CPartSlot& slot = element.Slot();
    if (!m_built || slot.nameIndexed || element.IsGround()) return;
    slot.nameHash = HashOf(element.GetInstanceName());
    CPart*& head = m_heads.Get(slot.nameHash, nullptr);
    slot.namePrev = nullptr;
    slot.nameNext = head;
    if (head) head->Slot().namePrev = &element;
    head = &element;
    slot.nameIndexed = true;
}

void CNameIndex::Remove(CSimPart& element) {
    CPartSlot& slot = element.Slot();
    if (!slot.nameIndexed) return;
    slot.nameIndexed = false;
    if (slot.nameNext) slot.nameNext->Slot().namePrev = slot.namePrev;
    if (slot.namePrev) {
        slot.namePrev->Slot().nameNext = slot.nameNext;
    } else if (slot.nameNext) {
        *m_heads.Find(slot.nameHash) = slot.nameNext;
    } else {
        m_heads.Erase(slot.nameHash);
    }
    slot.nameNext = slot.namePrev = nullptr;
}

}  // namespace kestro
