#include "core/document/circuit.h"

#include <algorithm>

#include "core/document/edit_step.h"
#include "core/document/following_wires.h"
#include "core/document/selection.h"
#include "core/objects/sim_link.h"
#include "core/objects/sim_part.h"

namespace kestro {

namespace {

CRectF PickBox(CPointF point) {
    const float half = CCircuit::kPickSize / 2.0f;
    return {point.x - half, point.y - half, point.x + half, point.y + half};
}

}  // namespace

std::vector<CPart*> CCircuit::Candidates(const CRectF& area) const {
    std::vector<CPart*> found;
    if (!m_objectIndex.Query(area, found)) {
        found.clear();
        found.reserve(m_objects.size());
        for (const auto& part : m_objects)
            found.push_back(part.get());
        return found;
    }
    std::sort(found.begin(), found.end(),
              [](const CPart* a, const CPart* b) { return Before(*a, *b); });
    return found;
}

void CCircuit::VisitObjectsIn(const CRectF& rect, const std::function<void(CPart&)>& visit) const {
    auto inside = [&rect](const CPart* part) {
        return !part->IsHidden() && part->IntersectsRect(rect);
    };
    std::vector<CPart*> found;
    if (!m_objectIndex.Query(rect, found)) {
        // A large area: one walk of the list, each object looked at once.
        for (const auto& part : m_objects)
            if (inside(part.get())) visit(*part);
        return;
    }
    std::erase_if(found, [&inside](const CPart* part) { return !inside(part); });
    std::sort(found.begin(), found.end(),
              [](const CPart* a, const CPart* b) { return Before(*a, *b); });
    for (CPart* part : found)
        visit(*part);
}

std::vector<CPart*> CCircuit::ObjectsIn(const CRectF& rect) const {
    std::vector<CPart*> found;
    VisitObjectsIn(rect, [&found](CPart& part) { found.push_back(&part); });
    return found;
}

CPart* CCircuit::ObjectAt(CPointF point) const {
    const std::vector<CPart*> found = ObjectsIn(PickBox(point));
    return found.empty() ? nullptr : found.back();
}

void CCircuit::SelectByRect(CSelection& selection, const CRectF& rect) const {
    const CRectF r = rect.Normalized();
    if (r.Width() >= kPickSize || r.Height() >= kPickSize) {
        for (CPart* part : ObjectsIn(r))
            selection.Add(*part);
    } else if (CPart* part = ObjectAt(r.Center())) {
        selection.Add(*part);
    }
    selection.UpdateBounds();
}

void CCircuit::SelectAt(CSelection& selection, CPointF point) const {
    SelectByRect(selection, {point.x, point.y, point.x, point.y});
}

void CCircuit::SelectAll(CSelection& selection) const {
    for (const auto& part : m_objects)
        selection.Add(*part);
    selection.UpdateBounds();
}

void CCircuit::SelectNext(CSelection& selection, bool forward) const {
    const CPart* current = selection.First();
    selection.Clear();
    if (CPart* next = NextObject(current, forward)) selection.Add(*next);
    selection.UpdateBounds();
}

void CCircuit::RefreshSelection(CSelection& selection) const {
    for (CPart* part : std::vector<CPart*>(selection.Items()))
        if (!Contains(*part)) selection.Remove(part);
    // A copy: adding the links grows the list being walked.
    for (CPart* part : std::vector<CPart*>(selection.Items()))
        if (const CSimPart* element = part->AsSimPart())
            for (CSimLink* link : element->GetLinks())
                if (Contains(*link)) selection.Add(*link);
}

void CCircuit::MoveSelection(CSelection& selection, float dx, float dy) {
    dx = SnapCoordinate(dx);
    dy = SnapCoordinate(dy);
    if (dx == 0.0f && dy == 0.0f) return;
    TransformSelection(selection, "Move", [dx, dy](CPart& part) { part.Offset(dx, dy); });
}

void CCircuit::RotateSelection(CSelection& selection, int turns) {
    TurnSelection(selection, turns, true);
}

void CCircuit::TurnSelection(CSelection& selection, int turns, bool followWires) {
    if (selection.IsEmpty()) return;
    const CPointF middle = FrameOf(selection).Center();
    // The centre on the grid keeps turned objects on the grid.
    const CPointF centre{SnapCoordinate(middle.x), SnapCoordinate(middle.y)};
    TransformSelection(
        selection, "Rotate", [centre, turns](CPart& part) { part.Rotate(centre, turns); },
        followWires);
}

void CCircuit::FlipSelection(CSelection& selection, int axis) {
    TransformSelection(selection, "Flip", [axis](CPart& part) {
        if (!part.IsLink()) part.Flip(axis);
    });
}

// One step: the selected objects leave their nodes, change, join the nodes at their new
// places; the wires at their terminals follow and are tidied.
void CCircuit::TransformSelection(CSelection& selection, const char* name,
                                  const std::function<void(CPart&)>& change, bool followWires) {
    if (selection.IsEmpty()) return;
    const std::vector<CPart*> items = selection.Items();
    {
        CEditStep step(*this, name);
        CWireFollower follower(*this, followWires ? items : std::vector<CPart*>{});
        for (CPart* part : items) {
            step.Change(*part);
            DisconnectObject(*part);
        }
        for (CPart* part : items)
            change(*part);
        for (CPart* part : items)
            ConnectObject(*part);
        // Where wires followed, they are tidied (a bend next to a wire on its line
        // becomes one wire); the objects moved are left as they are until deselected.
        const CRectF reach = follower.Follow(step);
        if (!(reach == CRectF{})) step.CleanUpWires(reach);
    }
    selection.UpdateBounds();
}

void CCircuit::FlipObject(CPart& part, int axis) {
    if (!Contains(part)) return;
    CSelection one;
    one.Add(part);
    FlipSelection(one, axis);
}

void CCircuit::DeleteSelection(CSelection& selection) {
    const std::vector<CPart*> items = selection.Items();
    if (items.empty()) return;
    CEditStep step(*this, "Delete");
    m_deletion.Store(items, FrameOf(selection), *this);
    for (CPart* part : items)
        step.Remove(*part);
    selection.Clear();
}

}  // namespace kestro
