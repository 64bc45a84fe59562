#include "core/document/index/node_index.h"

#include "core/objects/sim_node.h"

namespace kestro {

namespace {

constexpr float kReach = 4.0f;

}  // namespace

uint64_t CNodeIndex::KeyOf(CPointF position) {
    return CellKey(Cell(position.x), Cell(position.y));
}

void CNodeIndex::Insert(CSimNode& node) {
    CSimNode*& head = m_cells.Get(KeyOf(node.GetPosition()));
    node.m_nextInCell = head;
    head = &node;
}

void CNodeIndex::Remove(CSimNode& node) {
    const uint64_t key = KeyOf(node.GetPosition());
    CSimNode** head = m_cells.Find(key);
    for (CSimNode** link = head; link && *link; link = &(*link)->m_nextInCell) {
        if (*link != &node) continue;
        *link = node.m_nextInCell;
        node.m_nextInCell = nullptr;
        if (!*head) m_cells.Erase(key);
        return;
    }
}

CSimNode* CNodeIndex::FindFirstNear(CPointF position) {
    const float left = position.x - kReach, right = position.x + kReach;
    const float top = position.y - kReach, bottom = position.y + kReach;
    // A margin of a hundredth keeps float rounding at cell edges from hiding a node.
    const int32_t x0 = Cell(double(left) - 0.01), x1 = Cell(double(right) + 0.01);
    const int32_t y0 = Cell(double(top) - 0.01), y1 = Cell(double(bottom) + 0.01);
    CSimNode* best = nullptr;
    if (int64_t(x1) - x0 > 2 || int64_t(y1) - y0 > 2) {
        // Only NaN or coordinates beyond the cell range get here: such a square holds no node.
        return nullptr;
    }
    for (int32_t cx = x0; cx <= x1; ++cx)
        for (int32_t cy = y0; cy <= y1; ++cy) {
            CSimNode** head = m_cells.Find(CellKey(cx, cy));
            for (CSimNode* node = head ? *head : nullptr; node; node = node->m_nextInCell) {
                const CPointF p = node->GetPosition();
                if (left < p.x && p.x < right && top < p.y && p.y < bottom &&
                    (!best || node->GetSequence() < best->GetSequence()))
                    best = node;
            }
        }
    return best;
}

}  // namespace kestro
