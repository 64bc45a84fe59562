#include "tests/core/support/index_check.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <sstream>
#include <unordered_map>
#include <unordered_set>

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
constexpr size_t kQuerySamples = 12;
constexpr float kReach = 4.0f;

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

bool StrictlyNear(CPointF node, CPointF terminal) {
    return terminal.x - kReach < node.x && node.x < terminal.x + kReach &&
           terminal.y - kReach < node.y && node.y < terminal.y + kReach;
}

class CIndexChecker {
public:
    explicit CIndexChecker(CCircuit& sheet) : m_sheet(sheet) {}

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

    bool OnSheet(const CPart* part) const { return m_onSheet.count(part) != 0; }

    // --- The list itself ----------------------------------------------------------------

    void CheckObjectsList() {
        std::set<uint32_t> numbers;
        uint64_t lastOrder = 0;
        for (const auto& owned : m_sheet.GetObjects()) {
            CPart* part = owned.get();
            m_parts.push_back(part);
            if (!m_onSheet.insert(part).second) Fault(Describe(*part), " is listed twice");
            const CPartSlot& slot = part->Slot();
            if (!slot.inList || part->GetOwner() != &m_sheet || !m_sheet.Contains(*part))
                Fault(Describe(*part), " is listed but not marked as on the sheet");
            else if (slot.position->get() != part)
                Fault(Describe(*part), " keeps a list position of another object");
            if (m_parts.size() > 1 && slot.order <= lastOrder)
                Fault(Describe(*part), " does not come after its predecessor in list order");
            lastOrder = slot.order;
            if (part->GetNumber() == 0 || !numbers.insert(part->GetNumber()).second)
                Fault(Describe(*part), " has a number of 0 or one another object has");
        }
        if (m_parts.size() != m_sheet.GetObjectCount())
            Fault("the object count is ", m_sheet.GetObjectCount(), " for ", m_parts.size(),
                  " listed objects");
    }

    // --- Spatial object index -----------------------------------------------------------

    struct CCells {
        int32_t x0 = 0, y0 = 0, x1 = -1, y1 = -1;
        bool large = true;
    };

    // Where the index must file an object: every 64-unit cell its bounds meet, or the list
    // of large objects when that is more than 64 cells or the bounds are not numbers.
    static CCells CellsOf(const CPart& part) {
        const CRectF b = part.GetBounds().Normalized();
        const double size = CObjectIndex::kCell;
        CCells cells{CellOf(b.left, size), CellOf(b.top, size), CellOf(b.right, size),
                     CellOf(b.bottom, size), false};
        const bool numbers = cells.x0 != INT32_MIN && cells.y0 != INT32_MIN &&
                             cells.x1 != INT32_MIN && cells.y1 != INT32_MIN;
        const double count = (double(cells.x1) - cells.x0 + 1) * (double(cells.y1) - cells.y0 + 1);
        cells.large = !numbers || count > 64.0;
        return cells;
    }

    void CheckObjectIndex() {
        std::unordered_map<const CPart*, std::set<std::pair<int32_t, int32_t>>> filed;
        std::unordered_map<const CPart*, int> large;
        m_sheet.GetObjectIndex().ForEachFiled(
            [&](int32_t x, int32_t y, const CPart& part) {
                if (!OnSheet(&part)) {
                    Fault("the object index holds an object no longer on the sheet in cell ", x,
                          ",", y);
                    return;
                }
                if (!filed[&part].insert({x, y}).second)
                    Fault(Describe(part), " is filed twice in cell ", x, ",", y);
            },
            [&](const CPart& part) {
                if (!OnSheet(&part))
                    Fault("the object index's large list holds an object no longer on the sheet");
                else
                    ++large[&part];
            });
        for (const CPart* part : m_parts) {
            const CCells cells = CellsOf(*part);
            const auto& in = filed[part];
            if (cells.large) {
                if (large[part] != 1 || !in.empty())
                    Fault(Describe(*part), " should be filed once among the large objects, not ",
                          large[part], " times there and in ", in.size(), " cells");
                continue;
            }
            if (large[part] != 0) Fault(Describe(*part), " is filed among the large objects");
            const size_t expected =
                size_t(cells.x1 - cells.x0 + 1) * size_t(cells.y1 - cells.y0 + 1);
            bool outside = false;
            for (const auto& [x, y] : in)
                outside |= x < cells.x0 || x > cells.x1 || y < cells.y0 || y > cells.y1;
            if (outside || in.size() != expected)
                Fault(Describe(*part), " is filed in ", in.size(), " cells (",
                      outside ? "some" : "none", " outside its bounds) where its bounds meet ",
                      expected);
        }
    }

    // Objects meeting `rect` as the walk of the list finds them.
    std::vector<CPart*> WalkObjectsIn(const CRectF& rect) const {
        std::vector<CPart*> found;
        for (CPart* part : m_parts)
            if (!part->IsHidden() && part->IntersectsRect(rect)) found.push_back(part);
        return found;
    }

    // Every object's filing is checked above; queries are compared for a sample of the
    // objects, spread over the list (each costs a walk).
    std::vector<const CPart*> Sample() const {
        std::vector<const CPart*> sample;
        const size_t step = std::max<size_t>(1, m_parts.size() / kQuerySamples);
        for (size_t i = 0; i < m_parts.size(); i += step)
            sample.push_back(m_parts[i]);
        return sample;
    }

    void CheckObjectQueries() {
        std::vector<CRectF> probes;
        for (const CPart* part : Sample())
            probes.push_back(part->GetBounds().Normalized().Inflated(1.0f));
        probes.push_back(m_sheet.GetDrawingArea());
        probes.push_back({-1e6f, -1e6f, 1e6f, 1e6f});
        for (const CRectF& probe : probes)
            if (m_sheet.ObjectsIn(probe) != WalkObjectsIn(probe))
                Fault("the objects meeting ", probe.left, ",", probe.top, ",", probe.right, ",",
                      probe.bottom, " differ from a walk of the list");
        for (const CPart* part : Sample()) {
            const CPointF at = part->GetBounds().Center();
            const float half = CCircuit::kPickSize / 2.0f;
            const std::vector<CPart*> walk =
                WalkObjectsIn({at.x - half, at.y - half, at.x + half, at.y + half});
            CPart* expected = walk.empty() ? nullptr : walk.back();
            if (m_sheet.ObjectAt(at) != expected)
                Fault("the object at ", Describe(at), " is not the topmost one there");
        }
    }

    // --- Nodes --------------------------------------------------------------------------

    void CheckNodes() {
        const std::vector<CSimNode*>& nodes = m_sheet.GetNodes();
        uint64_t lastSequence = 0;
        for (size_t i = 0; i < nodes.size(); ++i) {
            const CSimNode* node = nodes[i];
            if (!m_nodes.insert(node).second) Fault(Describe(*node), " is listed twice");
            if (i > 0 && node->GetSequence() <= lastSequence)
                Fault(Describe(*node), " breaks the sequence order of the node list");
            lastSequence = node->GetSequence();
            std::unordered_set<const CPart*> attached;
            for (const CPart* part : node->GetObjects()) {
                if (!attached.insert(part).second)
                    Fault(Describe(*node), " holds ", Describe(*part), " twice");
                if (!OnSheet(part))
                    Fault(Describe(*node), " holds an object no longer on the sheet");
                else if (!part->IsConnectedTo(node))
                    Fault(Describe(*node), " holds ", Describe(*part), " but no terminal of it");
            }
            if (node->IsEmpty() && !m_sheet.IsCleanupPending())
                Fault(Describe(*node), " is empty but no clean-up is pending");
        }
        // A node at no number is near nothing (and would upset the sort).
        for (size_t i = 0; i < nodes.size(); ++i)
            if (!std::isnan(nodes[i]->GetPosition().x))
                m_byX.push_back({nodes[i]->GetPosition().x, i, nodes[i]});
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
            return;
        }
        if (!m_nodes.count(node)) {
            Fault(Describe(part), " terminal ", terminal, " is on a node not in the node list");
            return;
        }
        if (node != first)
            Fault(Describe(part), " terminal ", terminal, " at ", Describe(at), " is on ",
                  Describe(*node), " instead of ", first ? Describe(*first) : "none");
        const auto& objects = node->GetObjects();
        if (std::find(objects.begin(), objects.end(), &part) == objects.end())
            Fault(Describe(part), " terminal ", terminal, " is on ", Describe(*node),
                  " which does not hold the object");
    }

    void CheckNodeIndex() {
        const CNodeIndex& index = m_sheet.GetNodeIndex();
        std::unordered_set<const CSimNode*> filed;
        index.ForEachFiled([&](uint64_t key, const CSimNode& node) {
            if (!m_nodes.count(&node)) {
                Fault("the node index holds a node that is not in the node list");
                return;
            }
            if (!filed.insert(&node).second) Fault(Describe(node), " is filed twice");
            if (key != CNodeIndex::KeyOf(node.GetPosition()))
                Fault(Describe(node), " is filed in a cell away from its position");
        });
        for (const CSimNode* node : m_sheet.GetNodes())
            if (!filed.count(node)) Fault(Describe(*node), " is missing from the node index");
        // Nodes near an area, as the painting of node markers asks for them.
        for (const CPart* part : Sample()) {
            const CRectF area = part->GetBounds().Normalized().Inflated(5.0f);
            std::unordered_set<const CSimNode*> visited;
            if (!m_sheet.VisitNodesNear(area, [&](CSimNode& node) { visited.insert(&node); }))
                continue;
            for (const CSimNode* node : m_sheet.GetNodes()) {
                const CPointF p = node->GetPosition();
                const bool inside =
                    p.x >= area.left && p.x <= area.right && p.y >= area.top && p.y <= area.bottom;
                if (inside && !visited.count(node))
                    Fault(Describe(*node), " is not visited near ", Describe(*part));
            }
        }
    }

    // --- Names --------------------------------------------------------------------------

    const std::vector<CSimPart*>& Elements() {
        if (m_elements.empty())
            for (CPart* part : m_parts)
                if (CSimPart* element = part->AsSimPart()) m_elements.push_back(element);
        return m_elements;
    }

    CSimPart* WalkFindByName(const std::string& name, int elementIndex) {
        for (CSimPart* element : Elements()) {
            if (element->IsGround()) continue;
            if (elementIndex != -1 && element->GetElementId() != elementIndex) continue;
            if (Upper(element->GetInstanceName()) == Upper(name)) return element;
        }
        return nullptr;
    }

    void CheckNames() {
        const bool built = m_sheet.GetNameIndex().IsBuilt();
        if (!built)
            for (const CSimPart* element : Elements())
                if (element->Slot().nameIndexed)
                    Fault(Describe(*element), " is marked as named in an index not built");
        std::set<std::string> names{"", "NO SUCH NAME"};
        std::set<int> identifiers{-1};
        for (const CSimPart* element : Elements()) {
            names.insert(element->GetInstanceName());
            std::string lower = element->GetInstanceName();
            for (char& c : lower)
                if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
            names.insert(lower);
            identifiers.insert(element->GetElementId());
        }
        for (const std::string& name : names)
            for (int identifier : identifiers)
                if (m_sheet.FindElementByName(name, identifier) != WalkFindByName(name, identifier))
                    Fault("looking up \"", name, "\" of element ", identifier,
                          " differs from a walk of the list");
        CheckNameIndexContents();
    }

    void CheckNameIndexContents() {
        std::unordered_map<const CPart*, int> filed;
        std::unordered_map<uint64_t, const CPart*> lastInChain;
        m_sheet.GetNameIndex().ForEachFiled([&](uint64_t hash, const CPart& part) {
            const CPart*& last = lastInChain[hash];
            if (part.Slot().namePrev != last)
                Fault(Describe(part), " has a broken back link in its name chain");
            last = &part;
            if (!OnSheet(&part)) {
                Fault("the name index holds an element no longer on the sheet");
                return;
            }
            ++filed[&part];
            const CSimPart* element = const_cast<CPart&>(part).AsSimPart();
            if (!element || element->IsGround()) {
                Fault(Describe(part), " is in the name index but is no named element");
                return;
            }
            if (hash != CNameIndex::HashOf(element->GetInstanceName()) ||
                part.Slot().nameHash != hash || !part.Slot().nameIndexed)
                Fault(Describe(part), " is filed under a name it no longer has");
        });
        if (!m_sheet.GetNameIndex().IsBuilt()) return;
        for (const CSimPart* element : Elements()) {
            const int expected = element->IsGround() ? 0 : 1;
            if (filed[element] != expected)
                Fault(Describe(*element), " is filed ", filed[element], " times by name, not ",
                      expected);
        }
    }

    // --- Labels, ports, instances, links ------------------------------------------------

    void CheckLabels() {
        std::set<std::string> seen;
        std::unordered_set<const CLabelObject*> table;
        for (const auto& entry : m_sheet.GetLabelTable()) {
            table.insert(entry.get());
            if (!seen.insert(Upper(entry->GetName())).second)
                Fault("the label table has two entries named ", entry->GetName());
            if (m_sheet.FindLabel(entry->GetName()) != entry.get())
                Fault("looking up the label ", entry->GetName(), " gives another entry");
            std::unordered_set<const CSimLabel*> labels;
            for (const CSimLabel* label : entry->GetLabels()) {
                if (!labels.insert(label).second)
                    Fault("the label object ", entry->GetName(), " holds a label twice");
                if (!OnSheet(label))
                    Fault("the label object ", entry->GetName(), " holds a label not on the sheet");
                else if (label->GetLabelObject() != entry.get())
                    Fault("the label object ", entry->GetName(), " holds a label of another");
            }
        }
        for (CPart* part : m_parts) {
            const CSimLabel* label = part->AsLabel();
            if (!label) continue;
            const CLabelObject* object = label->GetLabelObject();
            if (!object || !table.count(object)) {
                Fault(Describe(*part), " has no label object of the sheet's table");
                continue;
            }
            const auto& labels = object->GetLabels();
            if (std::find(labels.begin(), labels.end(), label) == labels.end())
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
                if (used) {
                    const auto& parents = used->GetParents();
                    if (std::count(parents.begin(), parents.end(), &m_sheet) != 1)
                        Fault(Describe(*part), " uses a sheet that does not list this one once");
                }
            }
        }
        if (instances != m_sheet.GetInstances())
            Fault("the instance list differs from the subcircuits of the objects list");
    }

    void CheckLinks() {
        for (CPart* part : m_parts) {
            if (const CSimLink* link = part->AsLink(); link && link->GetOwnerElement()) {
                const CSimPart* owner = link->GetOwnerElement();
                const auto& links = owner->GetLinks();
                if (!OnSheet(owner))
                    Fault(Describe(*part), " belongs to an element not on the sheet");
                else if (std::find(links.begin(), links.end(), link) == links.end())
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
    std::vector<std::string> m_faults;
    std::vector<CNodeAt> m_byX;
    std::vector<CSimPart*> m_elements;
    std::vector<CPart*> m_parts;
    std::unordered_set<const CPart*> m_onSheet;
    std::unordered_set<const CSimNode*> m_nodes;
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
