#include "core/document/wire_cleanup.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <vector>

#include "core/document/circuit.h"
#include "core/objects/sim_node.h"
#include "core/objects/wire.h"

namespace kestro {

namespace {

// A sheet point in tenths of a unit, the precision at which wires and nodes compare.
struct CTenths {
    int64_t x = 0;
    int64_t y = 0;
    friend bool operator==(const CTenths&, const CTenths&) = default;
};

// Tenths of a unit, held within +-2^53 so that no arithmetic on them can overflow, even
// for the absurd coordinates (or NaN) a damaged file may hold.
int64_t ClampedTenths(float v) {
    constexpr double kLimit = 9007199254740992.0;  // 2^53
    const double scaled = double(v) * 10.0;
    if (!(scaled > -kLimit)) return -int64_t(kLimit);  // NaN too
    if (!(scaled < kLimit)) return int64_t(kLimit);
    // Halves away from zero, as std::round, without a call into the maths library: the
    // truncation and what it cut off are both exact below 2^53.
    const int64_t whole = static_cast<int64_t>(scaled);
    const double rest = scaled - double(whole);
    return whole + (rest >= 0.5 ? 1 : 0) - (rest <= -0.5 ? 1 : 0);
}

CTenths ToTenths(CPointF p) {
    return {ClampedTenths(p.x), ClampedTenths(p.y)};
}

// A closed box in tenths.
struct CTenthBox {
    int64_t left = 0, top = 0, right = 0, bottom = 0;

    static CTenthBox Spanning(CTenths a, CTenths b) {
        return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    }
    bool Contains(CTenths p) const {
        return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom;
    }
    bool Meets(const CTenthBox& other) const {
        return left <= other.right && other.left <= right && top <= other.bottom &&
               other.top <= bottom;
    }
};

// Products in double: exact for any sheet a person draws (below 2^53 tenths squared),
// and no signed overflow for the absurd coordinates a damaged file may hold.
double Cross(CTenths a, CTenths b, CTenths p) {
    return double(b.x - a.x) * double(p.y - a.y) - double(b.y - a.y) * double(p.x - a.x);
}
double Along(CTenths a, CTenths b, CTenths p) {
    return double(p.x - a.x) * double(b.x - a.x) + double(p.y - a.y) * double(b.y - a.y);
}

bool OnSegment(CTenths a, CTenths b, CTenths p) {
    return CTenthBox::Spanning(a, b).Contains(p) && Cross(a, b, p) == 0.0;
}

bool SameEnds(const CWire& a, const CWire& b) {
    const CTenths a0 = ToTenths(a.GetEnd(0)), a1 = ToTenths(a.GetEnd(1));
    const CTenths b0 = ToTenths(b.GetEnd(0)), b1 = ToTenths(b.GetEnd(1));
    return (a0 == b0 && a1 == b1) || (a0 == b1 && a1 == b0);
}

// A point on a wire being split: where along the wire, and the sheet point to use.
struct CStop {
    double along;
    CTenths at;
    CPointF point;
};

class CWireCleanup {
public:
    CWireCleanup(CCircuit& sheet, const CRectF& area) : m_sheet(sheet) {
        const CRectF r = area.Normalized();
        m_area = CTenthBox::Spanning(ToTenths({r.left, r.top}), ToTenths({r.right, r.bottom}));
        // Wires attached to a node of the area end within a pick distance of it.
        m_query = r.Inflated(CCircuit::kPickSize + 1.0f);
    }

    bool Run() {
        if (m_area.left == m_area.right && m_area.top == m_area.bottom) return false;
        std::vector<CWire*> wires = NearbyWires();
        if (std::none_of(wires.begin(), wires.end(), [this](CWire* w) { return InArea(*w); }))
            return false;
        // The wires kept (not split) take the front of the same array.
        size_t kept = 0;
        for (CWire* wire : wires)
            if (!InArea(*wire) || !Split(*wire)) wires[kept++] = wire;
        wires.resize(kept);
        wires.insert(wires.end(), m_added.begin(), m_added.end());
        TidyJoints(JointsOf(wires));
        m_sheet.SetFlags(m_sheet.GetFlags() | CCircuit::kFlagCleanupPending);
        return m_changed;
    }

private:
    std::vector<CWire*> NearbyWires() const {
        std::vector<CWire*> wires;
        m_sheet.VisitObjectsIn(m_query, [&wires](CPart& part) {
            if (CWire* wire = part.AsWire()) wires.push_back(wire);
        });
        return wires;
    }

    static CTenthBox Extent(const CWire& wire) {
        return CTenthBox::Spanning(ToTenths(wire.GetEnd(0)), ToTenths(wire.GetEnd(1)));
    }

    bool InArea(const CWire& wire) const { return Extent(wire).Meets(m_area); }

    bool InArea(const CSimNode& node) const {
        return !node.IsEmpty() && m_area.Contains(ToTenths(node.GetPosition()));
    }

    // The nodes of the area that may lie in the box: those filed in the document's node
    // index near it or, for a box larger than the sheet's nodes are many, all of them.
    // Nodes of a sheet lie at least 4 units apart, so the order they come in does not
    // matter to the split.
    template <typename Visit>
    void ForNodesIn(const CTenthBox& box, Visit visit) {
        auto inArea = [&](CSimNode& node) {
            if (InArea(node)) visit(node);
        };
        const CRectF area{float(double(box.left) / 10.0), float(double(box.top) / 10.0),
                          float(double(box.right) / 10.0), float(double(box.bottom) / 10.0)};
        if (m_sheet.VisitNodesNear(area, inArea)) return;
        for (CSimNode* node : m_sheet.GetNodes())
            inArea(*node);
    }

    // Replaces the wire by its pieces between the nodes lying on it; false when none does.
    bool Split(CWire& wire) {
        const CPointF from = wire.GetEnd(0), to = wire.GetEnd(1);
        const CTenths a = ToTenths(from), b = ToTenths(to);
        if (a == b) return false;
        std::vector<CStop> stops{{0.0, a, from}, {Along(a, b, b), b, to}};
        ForNodesIn(Extent(wire), [&](CSimNode& node) {
            // The wire's own nodes are its ends, even when they lie a little off them.
            const CTenths at = ToTenths(node.GetPosition());
            if (at == a || at == b || !OnSegment(a, b, at)) return;
            if (wire.IsConnectedTo(&node)) return;
            stops.push_back({Along(a, b, at), at, node.GetPosition()});
        });
        if (stops.size() <= 2) return false;
        std::stable_sort(stops.begin(), stops.end(),
                         [](const CStop& l, const CStop& r) { return l.along < r.along; });
        stops.erase(std::unique(stops.begin(), stops.end(),
                                [](const CStop& l, const CStop& r) { return l.at == r.at; }),
                    stops.end());
        if (stops.size() <= 2) return false;
        Remove(wire);
        for (size_t i = 0; i + 1 < stops.size(); ++i)
            Add(stops[i].point, stops[i + 1].point);
        return true;
    }

    // The nodes of the area where two or more of the wires end, in node-list order: only
    // there can wires be equal or be merged. Found from the wires' own node entries, so
    // the many nodes with a single wire are not visited at all; each node counts the ends
    // it holds in its pass mark.
    std::vector<CSimNode*> JointsOf(const std::vector<CWire*>& wires) const {
        std::vector<CSimNode*> joints;
        for (const CWire* wire : wires)
            for (size_t end = 0; end < 2; ++end) {
                CSimNode* node = wire->GetNode(end);
                if (node && ++node->m_passMark == 2 && InArea(*node)) joints.push_back(node);
            }
        for (const CWire* wire : wires)
            for (size_t end = 0; end < 2; ++end)
                if (CSimNode* node = wire->GetNode(end)) node->m_passMark = 0;
        std::sort(joints.begin(), joints.end(), [](const CSimNode* l, const CSimNode* r) {
            return l->GetSequence() < r->GetSequence();
        });
        return joints;
    }

    // At each joint: equal wires go, then two wires in line merge. A merge looks again at
    // the far ends of the new wire, so a straight chain of wires ends as one wire.
    void TidyJoints(const std::vector<CSimNode*>& joints) {
        std::deque<CSimNode*> pending(joints.begin(), joints.end());
        while (!pending.empty()) {
            CSimNode* node = pending.front();
            pending.pop_front();
            RemoveDuplicates(*node);
            if (CWire* merged = MergeAt(*node))
                for (size_t end = 0; end < 2; ++end)
                    if (CSimNode* far = merged->GetNode(end); far && InArea(*far))
                        pending.push_back(far);
        }
    }

    // Of two attached wires with the same two ends, the later in attachment order goes.
    void RemoveDuplicates(CSimNode& node) {
        std::vector<CWire*> wires;
        for (CPart* part : node.GetObjects())
            if (CWire* wire = part->AsWire()) wires.push_back(wire);
        std::vector<bool> removed(wires.size(), false);
        for (size_t i = 0; i < wires.size(); ++i) {
            if (removed[i]) continue;
            for (size_t j = i + 1; j < wires.size(); ++j) {
                if (removed[j] || !SameEnds(*wires[i], *wires[j])) continue;
                Remove(*wires[j]);
                removed[j] = true;
            }
        }
    }

    // The two wires at a node that holds nothing else, when they lie on one line on
    // either side of it, become one wire; the new wire, or null.
    CWire* MergeAt(CSimNode& node) {
        const std::vector<CPart*>& objects = node.GetObjects();
        if (objects.size() != 2) return nullptr;
        CWire* first = objects[0]->AsWire();
        CWire* second = objects[1]->AsWire();
        if (!first || !second) return nullptr;
        CPointF firstFar, secondFar;
        CTenths firstNear, secondNear;
        if (!Ends(*first, node, firstNear, firstFar) || !Ends(*second, node, secondNear, secondFar))
            return nullptr;
        if (!(firstNear == secondNear)) return nullptr;
        const CTenths p = ToTenths(firstFar), q = ToTenths(secondFar);
        // On one line (p, near, q collinear) with the node between the far ends.
        if (Cross(firstNear, p, q) != 0.0 || Along(firstNear, p, q) >= 0.0) return nullptr;
        Remove(*first);
        Remove(*second);
        return Add(firstFar, secondFar);
    }

    // The end of the wire at the node and its other end; false for a wire whose two ends
    // share the node or have no length.
    static bool Ends(const CWire& wire, const CSimNode& node, CTenths& nearEnd, CPointF& farEnd) {
        const int at = wire.FindNode(&node);
        if (at < 0 || wire.GetNode(size_t(1 - at)) == &node) return false;
        nearEnd = ToTenths(wire.GetEnd(size_t(at)));
        farEnd = wire.GetEnd(size_t(1 - at));
        return !(nearEnd == ToTenths(farEnd));
    }

    CWire* Add(CPointF from, CPointF to) {
        m_changed = true;
        CPart* added = m_sheet.AddObject(CWire::Create(m_sheet.GetEnvironment(), from, to), false);
        CWire* wire = added ? added->AsWire() : nullptr;
        if (wire) m_added.push_back(wire);
        return wire;
    }

    void Remove(CWire& wire) {
        m_changed = true;
        m_sheet.DeleteObject(wire);
    }

    CCircuit& m_sheet;
    CTenthBox m_area;
    CRectF m_query;
    std::vector<CWire*> m_added;  // split pieces (merged wires too, unused after)
    bool m_changed = false;
};

}  // namespace

bool CleanUpWires(CCircuit& sheet, const CRectF& area) {
    return CWireCleanup(sheet, area).Run();
}

}  // namespace kestro
