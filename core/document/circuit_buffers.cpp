#include "core/document/circuit.h"

#include "core/document/edit_step.h"
#include "core/document/internal_clipboard.h"
#include "core/document/selection.h"

namespace kestro {

// Elements go in before text links, so that each link can follow its element.
std::vector<CPart*> CCircuit::AddRestored(std::vector<std::unique_ptr<CPart>> parts,
                                          CPointF offset) {
    std::vector<CPart*> added;
    added.reserve(parts.size());
    for (int pass = 0; pass < 2; ++pass)
        for (auto& part : parts) {
            if (!part || part->IsLink() != (pass == 1)) continue;
            if (offset.x != 0.0f || offset.y != 0.0f) part->Offset(offset.x, offset.y);
            if (CPart* kept = AddObject(std::move(part))) added.push_back(kept);
        }
    return added;
}

void CCircuit::UndoDelete(CSelection& selection) {
    selection.Clear();
    if (!m_deletion.HasData()) return;
    {
        CEditStep step(*this, "Undo Delete");
        step.RepaintAll();
        for (CPart* part : AddRestored(m_deletion.Load(*this, true), {}))
            selection.Add(*part);
        m_deletion.Clear();
    }
    selection.UpdateBounds();
}

void CCircuit::Copy(const CSelection& selection, CInternalClipboard& clipboard) {
    if (selection.CountedCount() == 0) return;
    clipboard.Store(selection.Items(), FrameOf(selection), *this);
}

void CCircuit::Paste(const CInternalClipboard& clipboard, CSelection& selection, CPointF point,
                     int rotation) {
    selection.Clear();
    if (!clipboard.HasData()) return;
    const CPointF centre = clipboard.GetBounds().Center();
    // Whole grid steps keep pasted terminals on the grid.
    const CPointF offset{SnapCoordinate(point.x - centre.x), SnapCoordinate(point.y - centre.y)};
    {
        CEditStep step(*this, "Paste");
        step.RepaintAll();
        for (CPart* part : AddRestored(clipboard.GetObjects().Load(*this), offset))
            selection.Add(*part);
        selection.UpdateBounds();
        if (NormalizeTurns(rotation) != 0 && !selection.IsEmpty())
            TurnSelection(selection, NormalizeTurns(rotation), false);
    }
    selection.UpdateBounds();
}

}  // namespace kestro
