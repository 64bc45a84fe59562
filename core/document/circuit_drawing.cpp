#include "core/document/circuit.h"

#include "core/document/selection.h"
#include "core/objects/sim_node.h"
#include "core/platform/canvas.h"
#include "core/platform/settings.h"

namespace kestro {

namespace {

CPlacement Displaced(const CPlacement& placement, CPointF offset) {
    CPlacement moved = placement;
    moved.x += offset.x;
    moved.y += offset.y;
    return moved;
}

}  // namespace

void CCircuit::DrawAll(CCanvas& canvas, const CMoveFeedback& move) const {
    canvas.SetColorRoles(m_context.parts.settings.colorRoles);
    const std::optional<CRectF>& clip = canvas.GetClip();
    std::vector<CPart*> visible;
    if (clip) {
        visible = Candidates(clip->Inflated(1.0f));
    } else {
        visible.reserve(m_objects.size());
        for (const auto& part : m_objects)
            visible.push_back(part.get());
    }
    for (const CPart* part : visible) {
        if (part->IsHidden()) continue;
        if (move.selection && move.selection->Contains(part)) continue;
        if (canvas.IsVisible(part->GetBounds())) part->Draw(canvas);
    }
    if (move.selection && move.drawSelection) DrawSelection(canvas, *move.selection, move.offset);
    const float reach = CSimNode::kMarkerRadius + 1.0f;
    for (const auto& node : m_nodes) {
        const CPointF p = node->GetPosition();
        if (canvas.IsVisible({p.x - reach, p.y - reach, p.x + reach, p.y + reach}))
            node->Draw(canvas);
    }
}

void CCircuit::DrawSelection(CCanvas& canvas, const CSelection& selection, CPointF offset) const {
    canvas.SetColorRoles(m_context.parts.settings.colorRoles);
    for (const CPart* part : selection.Items())
        if (!part->IsHidden()) part->DrawWith(canvas, Displaced(part->GetPlacement(), offset));
}

std::string CCircuit::DescribeObjectAt(CPointF point) const {
    const CPart* part = ObjectAt(point);
    if (!part) return {};
    const std::string name = part->GetName();
    return name.empty() ? part->GetKindName() : part->GetKindName() + ": " + name;
}

}  // namespace kestro
