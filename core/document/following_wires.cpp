#include "core/document/following_wires.h"

#include <unordered_map>
#include <unordered_set>

#include "core/document/circuit.h"
#include "core/document/edit_step.h"
#include "core/objects/sim_node.h"
#include "core/objects/wire.h"

namespace kestro {

namespace {

CRectF Reach(const CRectF& reach, CPointF a, CPointF b) {
    const CRectF span = CRectF{a.x, a.y, b.x, b.y}.Normalized();
    return reach == CRectF{} ? span : UnionRect(reach, span);
}

}  // namespace

CWireFollower::CWireFollower(CCircuit& sheet, const std::vector<CPart*>& moved) : m_sheet(sheet) {
    const std::unordered_set<const CPart*> movedSet(moved.begin(), moved.end());
    std::unordered_set<const CSimNode*> seen;
    std::unordered_map<const CWire*, size_t> followIndex;
    for (CPart* part : moved) {
        if (part->IsHidden()) continue;
        for (size_t i = 0; i < part->GetTerminalCount(); ++i) {
            CSimNode* node = part->GetNode(i);
            if (!node || !seen.insert(node).second) continue;
            // What stays at the node: wire ends and other objects.
            CWire* single = nullptr;
            int singleEnd = -1, wireEnds = 0, others = 0;
            for (CPart* attached : node->GetObjects()) {
                if (attached->IsHidden() || movedSet.count(attached)) continue;
                CWire* wire = attached->AsWire();
                if (!wire) {
                    ++others;
                    continue;
                }
                for (int end = 0; end < 2; ++end)
                    if (wire->GetNode(size_t(end)) == node) {
                        ++wireEnds;
                        single = wire;
                        singleEnd = end;
                    }
            }
            const CTerminal terminal{part, i};
            if (wireEnds == 1 && others == 0) {
                auto [it, added] = followIndex.emplace(single, m_follows.size());
                if (added) m_follows.push_back({single, {false, false}, {}});
                CFollow& follow = m_follows[it->second];
                follow.follows[singleEnd] = true;
                follow.to[singleEnd] = terminal;
            } else if (wireEnds > 0) {
                m_joins.push_back({node->GetPosition(), terminal});
            }
        }
    }
}

CRectF CWireFollower::Follow(CEditStep& step) {
    CRectF reach;
    for (const CFollow& follow : m_follows)
        FollowOne(step, follow, reach);
    for (const CJoin& join : m_joins) {
        const CPointF to = join.to.part->GetTerminalPosition(join.to.index);
        AddPath(step, join.from, {to.x, join.from.y}, to, reach);
    }
    return reach;
}

void CWireFollower::FollowOne(CEditStep& step, const CFollow& follow, CRectF& reach) {
    CWire& wire = *follow.wire;
    if (!m_sheet.Contains(wire)) return;
    CPointF ends[2] = {wire.GetEnd(0), wire.GetEnd(1)};
    const CPointF before[2] = {ends[0], ends[1]};
    for (size_t end = 0; end < 2; ++end)
        if (follow.follows[end])
            ends[end] = follow.to[end].part->GetTerminalPosition(follow.to[end].index);
    reach = Reach(Reach(reach, before[0], before[1]), ends[0], ends[1]);
    if (SamePoint(ends[0], ends[1])) {
        step.Remove(wire);
        return;
    }
    const bool straight = SameTenth(ends[0].x, ends[1].x) || SameTenth(ends[0].y, ends[1].y);
    if (straight || (follow.follows[0] && follow.follows[1])) {
        step.Reshape(wire, [&](CPart&) { wire.SetEnds(ends[0], ends[1]); });
        return;
    }
    // One end moved off the line: the wire keeps its direction from the fixed end and a
    // second wire makes the bend at the terminal.
    const size_t moving = follow.follows[0] ? 0 : 1;
    const CPointF fixed = ends[1 - moving], to = ends[moving];
    const bool wasVertical =
        SameTenth(before[0].x, before[1].x) && !SameTenth(before[0].y, before[1].y);
    const CPointF corner = wasVertical ? CPointF{fixed.x, to.y} : CPointF{to.x, fixed.y};
    step.Reshape(wire, [&](CPart&) {
        if (moving == 0)
            wire.SetEnds(corner, fixed);
        else
            wire.SetEnds(fixed, corner);
    });
    step.Add(CWire::Create(m_sheet.GetEnvironment(), corner, to));
}

void CWireFollower::AddPath(CEditStep& step, CPointF from, CPointF corner, CPointF to,
                            CRectF& reach) {
    if (SamePoint(from, to)) return;
    reach = Reach(reach, from, to);
    const CPartEnvironment& environment = m_sheet.GetEnvironment();
    if (SameTenth(from.x, to.x) || SameTenth(from.y, to.y)) {
        step.Add(CWire::Create(environment, from, to));
        return;
    }
    step.Add(CWire::Create(environment, from, corner));
    step.Add(CWire::Create(environment, corner, to));
}

}  // namespace kestro
