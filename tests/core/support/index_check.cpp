#include "tests/core/support/index_check.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <sstream>
#include <unordered_map>

#include "core/document/circuit.h"
#include "core/objects/label_object.h"
#include "core/objects/sim_label.h"
#include "core/objects/sim_link.h"
#include "core/objects/sim_node.h"
#include "core/objects/sim_part.h"
#include "core/objects/sim_term.h"
#include "core/objects/sub_cir_part.h"

namespace kestro::test {

namespace {

constexpr size_t kMaxFaults = 40;
// Queries are compared with a walk of the list for this many objects spread over it (each
// costs a walk); every object's filing is checked in full.
constexpr size_t kQuerySamples = 6;
constexpr float kReach = 4.0f;
constexpr size_t kNowhere = SIZE_MAX;

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string Describe(const CPart& part) {
    std::ostringstream text;
    const CRectF& b = part.GetBounds();
    text << "object #" << part.GetNumber() << " (tag " << part.GetTag() << ", \"" << part.GetName()
         << "\", bounds " << b.left << "," << b.top << "," << b.right << "," << b.bottom << ")";
    return text.str();
}

std::string Describe(const CSimNode& node) {
    std::ostringstream text;
    text << "node " << node.GetSequence() << " at " << node.GetPosition().x << ","
         << node.GetPosition().y;
    return text.str();
}

std::string Describe(const CPointF& p) {
    std::ostringstream text;
    text << p.x << "," << p.y;
    return text.str();
}

std::string Describe(const CRectF& r) {
    std::ostringstream text;
    text << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    return text.str();
}

bool StrictlyNear(CPointF node, CPointF terminal) {
    return terminal.x - kReach < node.x && node.x < terminal.x + kReach &&
           terminal.y - kReach < node.y && node.y < terminal.y + kReach;
}

template <typename T>
bool Holds(const std::vector<T*>& list, const T* item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

// The 64-unit cells the object index must file an object under, or `large` when that is
// more than 64 cells or the bounds are not numbers.
struct CCells {
    int32_t x0 = 0, y0 = 0, x1 = -1, y1 = -1;
    bool large = true;

    explicit CCells(const CPart& part) {
        const CRectF b = part.GetBounds().Normalized();
        const double size = CObjectIndex::kCell;
        x0 = CellOf(b.left, size), y0 = CellOf(b.top, size);
        x1 = CellOf(b.right, size), y1 = CellOf(b.bottom, size);
        const bool numbers =
            x0 != INT32_MIN && y0 != INT32_MIN && x1 != INT32_MIN && y1 != INT32_MIN;
        large = !numbers || (double(x1) - x0 + 1) * (double(y1) - y0 + 1) > 64.0;
    }
    bool Contains(int32_t x, int32_t y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
    size_t Count() const { return size_t(x1 - x0 + 1) * size_t(y1 - y0 + 1); }
};

class CIndexChecker {
public:
    explicit CIndexChecker(CCircuit& sheet) : m_sheet(sheet), m_nodes(sheet.GetNodes()) {}

    std::vector<std::string> Run() {
        CheckObjectsList();
        CheckObjectIndex();
        CheckObjectQueries();
        CheckNodes();
        CheckNodeIndex();
        CheckNames();
        CheckLabels();
        CheckPortsAndInstances();
        CheckLinks();
        return std::move(m_faults);
    }

private:
    template <typename... Parts>
    void Fault(const Parts&... parts) {
        if (m_faults.size() >= kMaxFaults) return;
        std::ostringstream text;
        (text << ... << parts);
        m_faults.push_back(text.str());
    }

    // Places in the objects list and in the node list, or kNowhere.
    size_t PlaceOf(const CPart* part) const {
        auto it = m_placeOf.find(part);
        return it == m_placeOf.end() ? kNowhere : it->second;
    }
    bool OnSheet(const CPart* part) const { return PlaceOf(part) != kNowhere; }
    size_t NodePlaceOf(const CSimNode* node) const {
        auto it = m_nodePlaceOf.find(node);
        return it == m_nodePlaceOf.end() ? kNowhere : it->second;
    }

    // --- The list itself ----------------------------------------------------------------

    void CheckObjectsList() {
        std::vector<uint32_t> numbers;
        m_placeOf.reserve(m_sheet.GetObjectCount());
        for (const auto& owned : m_sheet.GetObjects()) {
            CPart* part = owned.get();
            const CPartSlot& slot = part->Slot();
            if (!m_placeOf.emplace(part, m_parts.size()).second)
                Fault(Describe(*part), " is listed twice");
            if (!m_parts.empty() && slot.order <= m_parts.back()->Slot().order)
                Fault(Describe(*part), " does not come after its predecessor in list order");
            m_parts.push_back(part);
            if (!slot.inList || part->GetOwner() != &m_sheet || !m_sheet.Contains(*part))
                Fault(Describe(*part), " is listed but not marked as on the sheet");
            else if (slot.position->get() != part)
                Fault(Describe(*part), " keeps a list position of another object");
            if (part->GetNumber() == 0) Fault(Describe(*part), " has no number");
            numbers.push_back(part->GetNumber());
        }
        std::sort(numbers.begin(), numbers.end());
        if (std::adjacent_find(numbers.begin(), numbers.end()) != numbers.end())
            Fault("two objects have one number");
        if (m_parts.size() != m_sheet.GetObjectCount())
            Fault("the object count is ", m_sheet.GetObjectCount(), " for ", m_parts.size(),
                  " listed objects");
    }

    // --- Spatial object index -----------------------------------------------------------

    void CheckObjectIndex() {
        struct CFiling {
            size_t place;
            int32_t x, y;
            auto operator<=>(const CFiling&) const = default;
        };
        std::vector<CFiling> filings;
        std::vector<int> large(m_parts.size(), 0);
        m_sheet.GetObjectIndex().ForEachFiled(
            [&](int32_t x, int32_t y, const CPart& part) {
                const size_t place = PlaceOf(&part);
                if (place == kNowhere)
                    Fault("cell ", x, ",", y,
                          " of the object index holds an object not on the sheet");
                else
                    filings.push_back({place, x, y});
            },
            [&](const CPart& part) {
                const size_t place = PlaceOf(&part);
                if (place == kNowhere)
                    Fault("the object index's large list holds an object not on the sheet");
                else
                    ++large[place];
            });
        std::sort(filings.begin(), filings.end());
        if (std::adjacent_find(filings.begin(), filings.end()) != filings.end())
            Fault("an object is filed twice in one cell");
        std::vector<size_t> cells(m_parts.size(), 0);
        std::vector<bool> outside(m_parts.size(), false);
        for (const CFiling& filing : filings) {
            ++cells[filing.place];
            if (!CCells(*m_parts[filing.place]).Contains(filing.x, filing.y))
                outside[filing.place] = true;
        }
        for (size_t place = 0; place < m_parts.size(); ++place) {
            const CPart& part = *m_parts[place];
            const CCells range(part);
            if (range.large) {
                if (large[place] != 1 || cells[place] != 0)
                    Fault(Describe(part), " is filed ", large[place],
                          " times among the large objects and in ", cells[place], " cells");
            } else if (large[place] != 0 || outside[place] || cells[place] != range.Count()) {
                Fault(Describe(part), " is filed in ", cells[place], " cells (",
                      outside[place] ? "some" : "none", " outside its bounds, ", large[place],
                      " times as large) where its bounds meet ", range.Count());
            }
        }
    }

    // Visible objects meeting `rect`, by a walk of the list.
    std::vector<CPart*> WalkObjectsIn(const CRectF& rect) const {
        std::vector<CPart*> found;
        for (CPart* part : m_parts)
            if (!part->IsHidden() && part->IntersectsRect(rect)) found.push_back(part);
        return found;
    }

    std::vector<const CPart*> Sample() const {
        std::vector<const CPart*> sample;
        const size_t step = std::max<size_t>(1, m_parts.size() / kQuerySamples);
        for (size_t i = 0; i < m_parts.size(); i += step)
            sample.push_back(m_parts[i]);
        return sample;
    }

    void CheckObjectQueries() {
        std::vector<CRectF> probes{m_sheet.GetDrawingArea(), {-1e6f, -1e6f, 1e6f, 1e6f}};
        for (const CPart* part : Sample()) {
            probes.push_back(part->GetBounds().Normalized().Inflated(1.0f));
            const CPointF at = part->GetBounds().Center();
            const float half = CCircuit::kPickSize / 2.0f;
            const auto walk = WalkObjectsIn({at.x - half, at.y - half, at.x + half, at.y + half});
            if (m_sheet.ObjectAt(at) != (walk.empty() ? nullptr : walk.back()))
                Fault("the object at ", Describe(at), " is not the topmost one there");
        }
        for (const CRectF& probe : probes)
            if (m_sheet.ObjectsIn(probe) != WalkObjectsIn(probe))
                Fault("the objects meeting ", Describe(probe), " differ from a walk of the list");
    }

    // --- Nodes --------------------------------------------------------------------------

    void CheckNodes() {
        m_nodePlaceOf.reserve(m_nodes.size());
        for (size_t i = 0; i < m_nodes.size(); ++i) {
            const CSimNode* node = m_nodes[i];
            if (!m_nodePlaceOf.emplace(node, i).second) Fault(Describe(*node), " is listed twice");
            if (i > 0 && node->GetSequence() <= m_nodes[i - 1]->GetSequence())
                Fault(Describe(*node), " breaks the sequence order of the node list");
            const auto& objects = node->GetObjects();
            for (const CPart* part : objects) {
                if (std::count(objects.begin(), objects.end(), part) != 1)
                    Fault(Describe(*node), " holds ", Describe(*part), " more than once");
                if (!OnSheet(part))
                    Fault(Describe(*node), " holds an object not on the sheet");
                else if (!part->IsConnectedTo(node))
                    Fault(Describe(*node), " holds ", Describe(*part), " but no terminal of it");
            }
            if (node->IsEmpty() && !m_sheet.IsCleanupPending())
                Fault(Describe(*node), " is empty but no clean-up is pending");
            // A node at no number is near nothing (and would upset the sort).
            if (!std::isnan(node->GetPosition().x))
                m_byX.push_back({node->GetPosition().x, i, node});
        }
        std::sort(m_byX.begin(), m_byX.end(),
                  [](const CNodeAt& a, const CNodeAt& b) { return a.x < b.x; });
        for (const CPart* part : m_parts)
            for (size_t i = 0; i < part->GetTerminalCount(); ++i)
                CheckTerminal(*part, i);
    }

    // The connection rule, without the index: the first node in list order strictly
    // within 4 units in x and y. The nodes sorted by x narrow the search.
    const CSimNode* FirstNodeNear(CPointF at) const {
        auto from = std::lower_bound(m_byX.begin(), m_byX.end(), at.x - kReach,
                                     [](const CNodeAt& node, float x) { return node.x <= x; });
        const CNodeAt* first = nullptr;
        for (auto it = from; it != m_byX.end() && it->x < at.x + kReach; ++it)
            if (StrictlyNear(it->node->GetPosition(), at) && (!first || it->place < first->place))
                first = &*it;
        return first ? first->node : nullptr;
    }

    void CheckTerminal(const CPart& part, size_t terminal) {
        const CSimNode* node = part.GetNode(terminal);
        if (part.IsHidden()) {
            if (node) Fault(Describe(part), " is hidden but terminal ", terminal, " is connected");
            return;
        }
        const CPointF at = part.GetTerminalPosition(terminal);
        const CSimNode* first = FirstNodeNear(at);
        if (!node) {
            Fault(Describe(part), " terminal ", terminal, " at ", Describe(at), " has no node");
        } else if (NodePlaceOf(node) == kNowhere) {
            Fault(Describe(part), " terminal ", terminal, " is on a node not in the node list");
        } else {
            if (node != first)
                Fault(Describe(part), " terminal ", terminal, " at ", Describe(at), " is on ",
                      Describe(*node), " instead of ", first ? Describe(*first) : "none");
            if (!Holds(node->GetObjects(), &part))
                Fault(Describe(part), " terminal ", terminal, " is on ", Describe(*node),
                      " which does not hold the object");
        }
    }

    void CheckNodeIndex() {
        std::vector<int> filed(m_nodes.size(), 0);
        m_sheet.GetNodeIndex().ForEachFiled([&](uint64_t key, const CSimNode& node) {
            const size_t place = NodePlaceOf(&node);
            if (place == kNowhere) {
                Fault("the node index holds a node that is not in the node list");
                return;
            }
            ++filed[place];
            if (key != CNodeIndex::KeyOf(node.GetPosition()))
                Fault(Describe(node), " is filed in a cell away from its position");
        });
        for (size_t place = 0; place < m_nodes.size(); ++place)
            if (filed[place] != 1)
                Fault(Describe(*m_nodes[place]), " is filed ", filed[place], " times");
        // Nodes near an area, as the painting of node markers asks for them.
        for (const CPart* part : Sample()) {
            const CRectF area = part->GetBounds().Normalized().Inflated(5.0f);
            std::vector<bool> visited(m_nodes.size(), false);
            const bool walked = m_sheet.VisitNodesNear(area, [&](CSimNode& node) {
                if (const size_t place = NodePlaceOf(&node); place != kNowhere)
                    visited[place] = true;
            });
            for (size_t place = 0; walked && place < m_nodes.size(); ++place) {
                const CPointF p = m_nodes[place]->GetPosition();
                if (p.x >= area.left && p.x <= area.right && p.y >= area.top &&
                    p.y <= area.bottom && !visited[place])
                    Fault(Describe(*m_nodes[place]), " is not visited near ", Describe(area));
            }
        }
    }

    // --- Names --------------------------------------------------------------------------

    struct CNamed {
        const CSimPart* element;
        size_t place;
        std::string upper;  // its name in capitals
    };

    const CSimPart* WalkFindByName(const std::string& upper, int elementIndex) const {
        for (const CNamed& named : m_named)
            if ((elementIndex == -1 || named.element->GetElementId() == elementIndex) &&
                named.upper == upper)
                return named.element;
        return nullptr;
    }

    void CheckNames() {
        std::vector<std::string> names{"", "NO SUCH NAME"};
        std::vector<int> identifiers{-1};
        const bool built = m_sheet.GetNameIndex().IsBuilt();
        for (size_t place = 0; place < m_parts.size(); ++place) {
            const CSimPart* element = m_parts[place]->AsSimPart();
            if (!element) continue;
            if (!built && element->Slot().nameIndexed)
                Fault(Describe(*element), " is marked as filed in a name index not built");
            identifiers.push_back(element->GetElementId());
            if (element->IsGround()) continue;  // nameless: never found by name
            const std::string name = element->GetInstanceName();
            m_named.push_back({element, place, Upper(name)});
            std::string lower = name;
            for (char& c : lower)
                if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
            names.push_back(name);
            names.push_back(lower);
        }
        std::sort(names.begin(), names.end());
        names.erase(std::unique(names.begin(), names.end()), names.end());
        std::sort(identifiers.begin(), identifiers.end());
        identifiers.erase(std::unique(identifiers.begin(), identifiers.end()), identifiers.end());
        // Each name for any library element, and for one of the elements in turn.
        for (size_t i = 0; i < names.size(); ++i) {
            const std::string upper = Upper(names[i]);
            for (int identifier : {-1, identifiers[i % identifiers.size()]})
                if (m_sheet.FindElementByName(names[i], identifier) !=
                    WalkFindByName(upper, identifier))
                    Fault("looking up \"", names[i], "\" of element ", identifier,
                          " differs from a walk of the list");
        }
        CheckNameIndexContents();
    }

    // Run after a look-up, so the index is built.
    void CheckNameIndexContents() {
        std::vector<int> filed(m_parts.size(), 0);
        std::unordered_map<uint64_t, const CPart*> lastInChain;
        m_sheet.GetNameIndex().ForEachFiled([&](uint64_t hash, const CPart& part) {
            const CPart*& last = lastInChain[hash];
            if (part.Slot().namePrev != last)
                Fault(Describe(part), " has a broken back link in its name chain");
            last = &part;
            const size_t place = PlaceOf(&part);
            if (place == kNowhere) {
                Fault("the name index holds an element not on the sheet");
                return;
            }
            ++filed[place];
            const CSimPart* element = part.AsSimPart();
            if (!element || element->IsGround())
                Fault(Describe(part), " is in the name index but is no named element");
            else if (hash != CNameIndex::HashOf(element->GetInstanceName()) ||
                     part.Slot().nameHash != hash || !part.Slot().nameIndexed)
                Fault(Describe(part), " is filed under a name it no longer has");
        });
        for (const CNamed& named : m_named)
            if (filed[named.place] != 1)
                Fault(Describe(*named.element), " is filed ", filed[named.place], " times by name");
    }

    // --- Labels, ports, instances, links ------------------------------------------------

    void CheckLabels() {
        std::vector<std::string> names;
        const auto& table = m_sheet.GetLabelTable();
        for (const auto& entry : table) {
            names.push_back(Upper(entry->GetName()));
            if (m_sheet.FindLabel(entry->GetName()) != entry.get())
                Fault("looking up the label ", entry->GetName(), " gives another entry");
            const auto& labels = entry->GetLabels();
            for (const CSimLabel* label : labels)
                if (std::count(labels.begin(), labels.end(), label) != 1 || !OnSheet(label) ||
                    label->GetLabelObject() != entry.get())
                    Fault("the label object ", entry->GetName(),
                          " holds a label twice, not on the sheet or of another name");
        }
        std::sort(names.begin(), names.end());
        if (std::adjacent_find(names.begin(), names.end()) != names.end())
            Fault("the label table has two entries of one name");
        for (CPart* part : m_parts) {
            const CSimLabel* label = part->AsLabel();
            if (!label) continue;
            const CLabelObject* object = label->GetLabelObject();
            const bool inTable = std::any_of(table.begin(), table.end(),
                                             [object](const auto& e) { return e.get() == object; });
            if (!object || !inTable)
                Fault(Describe(*part), " has no label object of the sheet's table");
            else if (!Holds(object->GetLabels(), label))
                Fault(Describe(*part), " is missing from its label object");
            if (label->GetDocument() != &m_sheet)
                Fault(Describe(*part), " does not know its sheet");
        }
    }

    void CheckPortsAndInstances() {
        for (size_t number = 0; number < m_sheet.GetPortCount(); ++number) {
            CSimTerm* port = m_sheet.GetPortObject(number);
            if (port && (!OnSheet(port) || port->GetPortNumber() != number))
                Fault("port slot ", number, " holds a port not on the sheet or of another number");
        }
        std::vector<CSubCirPart*> instances;
        for (CPart* part : m_parts) {
            if (CSimTerm* port = part->AsPort();
                port && port->GetPortNumber() < m_sheet.GetPortCount() &&
                m_sheet.GetPortObject(port->GetPortNumber()) != port)
                Fault(Describe(*part), " does not hold its port slot");
            if (CSubCirPart* instance = part->AsSubCircuit()) {
                instances.push_back(instance);
                const CCircuit* used = instance->GetSheet();
                if (used &&
                    std::count(used->GetParents().begin(), used->GetParents().end(), &m_sheet) != 1)
                    Fault(Describe(*part), " uses a sheet that does not list this one once");
            }
        }
        if (instances != m_sheet.GetInstances())
            Fault("the instance list differs from the subcircuits of the objects list");
    }

    void CheckLinks() {
        for (CPart* part : m_parts) {
            if (const CSimLink* link = part->AsLink(); link && link->GetOwnerElement()) {
                const CSimPart* owner = link->GetOwnerElement();
                if (!OnSheet(owner))
                    Fault(Describe(*part), " belongs to an element not on the sheet");
                else if (!Holds(owner->GetLinks(), link))
                    Fault(Describe(*part), " is missing from its element's links");
            }
            if (const CSimPart* element = part->AsSimPart())
                for (const CSimLink* link : element->GetLinks())
                    if (!OnSheet(link) || link->GetOwnerElement() != element)
                        Fault(Describe(*part), " lists a link that is not its own on the sheet");
        }
    }

    struct CNodeAt {
        float x;
        size_t place;  // in the node list
        const CSimNode* node;
    };

    CCircuit& m_sheet;
    const std::vector<CSimNode*>& m_nodes;
    std::vector<std::string> m_faults;
    std::vector<CPart*> m_parts;
    std::unordered_map<const CPart*, size_t> m_placeOf;
    std::unordered_map<const CSimNode*, size_t> m_nodePlaceOf;
    std::vector<CNodeAt> m_byX;
    std::vector<CNamed> m_named;
};

}  // namespace

std::vector<std::string> FindIndexFaults(CCircuit& sheet) {
    return CIndexChecker(sheet).Run();
}

::testing::AssertionResult IndexesAgreeWithObjects(CCircuit& sheet) {
    const std::vector<std::string> faults = FindIndexFaults(sheet);
    if (faults.empty()) return ::testing::AssertionSuccess();
    ::testing::AssertionResult result = ::testing::AssertionFailure();
    for (const std::string& fault : faults)
        result << fault << "\n";
    return result;
}

}  // namespace kestro::test
