#include "core/document/circuit.h"

#include <algorithm>
#include <limits>

#include "core/document/circuit_observer.h"
#include "core/document/edit_step.h"
#include "core/library/lib_element.h"
#include "core/library/library_data.h"
#include "core/objects/label_object.h"
#include "core/objects/sim_label.h"
#include "core/objects/sim_link.h"
#include "core/objects/sim_node.h"
#include "core/objects/sim_part.h"
#include "core/objects/sim_term.h"
#include "core/objects/sub_cir_part.h"

namespace kestro {

namespace {

constexpr uint64_t kOrderStep = uint64_t(1) << 32;

}  // namespace

// --- Adding -----------------------------------------------------------------------------

CPart* CCircuit::AddObject(std::unique_ptr<CPart> part, bool report) {
    if (!part) return nullptr;
    if (CSimTerm* port = part->AsPort(); port && !AcceptPort(*port, report)) return nullptr;
    if (CSubCirPart* instance = part->AsSubCircuit();
        instance && !AcceptSubcircuit(*instance, report))
        return nullptr;
    if (CSimLabel* label = part->AsLabel()) {
        label->SetDocument(this);
        CLabelObject& object = FindOrAddLabel(label->GetName());
        label->SetLabelObject(&object);
        object.AddLabel(*label);
    }
    if (CSimPart* element = part->AsSimPart(); element && part->GetNumber() == 0)
        NameNewElement(*element);
    part->SetNumber(++m_objectCounter);
    CPart* added = part.get();
    InsertIntoList(std::move(part));
    if (CSubCirPart* instance = added->AsSubCircuit()) AddInstance(*instance);
    if (CSimLink* link = added->AsLink(); link && link->GetOwnerElement())
        link->GetOwnerElement()->AddLink(*link);
    ConnectObject(*added);
    if (m_openStep) m_openStep->NoteAdded(*added);
    return added;
}

bool CCircuit::AcceptPort(CSimTerm& port, bool report) {
    port.SetDocument(this);
    const size_t number = port.GetPortNumber();
    // A port beyond the table (an old or damaged file) stays on the sheet without a slot.
    if (number >= m_portObjects.size()) return true;
    if (m_portObjects[number] && m_portObjects[number] != &port) {
        if (report) m_context.parts.prompts.Error(kDuplicatePort);
        return false;
    }
    m_portObjects[number] = &port;
    return true;
}

bool CCircuit::MovePort(CSimTerm& port, size_t number) {
    if (number >= m_portObjects.size() || number >= CSimTerm::kNoPort) return false;
    if (m_portObjects[number] && m_portObjects[number] != &port) return false;
    const size_t old = port.GetPortNumber();
    if (old < m_portObjects.size() && m_portObjects[old] == &port) m_portObjects[old] = nullptr;
    port.SetPortNumber(static_cast<uint16_t>(number));
    m_portObjects[number] = &port;
    return true;
}

bool CCircuit::AcceptSubcircuit(CSubCirPart& instance, bool report) {
    const CCircuit* sheet = instance.GetSheet();
    if (sheet && (sheet == this || IsAncestor(*sheet))) {
        if (report) m_context.parts.prompts.Error(kCircularReference);
        return false;
    }
    return true;
}

void CCircuit::NameNewElement(CSimPart& element) {
    if (element.IsGround() || element.GetData().GetCount() == 0) return;
    const std::string name = element.GetInstanceName();
    const std::string prefix = element.GetDefaultName();
    const int id = element.GetElementId();
    const bool generic = name.empty() || SameName(name, prefix);
    if (!generic && !FindElementByName(name, id)) return;
    if (size_t(id) >= m_counters.size()) m_counters.resize(size_t(id) + 1, 0);
    uint16_t& counter = m_counters[size_t(id)];
    // Counters never go back; a full turn of the 16-bit counter ends the search.
    for (int tries = 0; tries <= 0xFFFF; ++tries) {
        ++counter;
        const std::string candidate = prefix + std::to_string(int(counter));
        if (!FindElementByName(candidate, id)) {
            element.SetInstanceName(candidate);
            return;
        }
    }
}

void CCircuit::InsertIntoList(std::unique_ptr<CPart> part) {
    CPart& added = *part;
    auto where = m_objects.end();
    if (CSimLink* link = added.AsLink()) {
        CSimPart* owner = link->GetOwnerElement();
        if (owner && owner->Slot().inList && owner->GetOwner() == this)
            where = std::next(owner->Slot().position);
    }
    InsertAt(std::move(part), where);
}

void CCircuit::InsertAt(std::unique_ptr<CPart> part, CPartList::iterator where) {
    CPart& added = *part;
    added.Slot().position = m_objects.insert(where, std::move(part));
    added.Slot().inList = true;
    added.SetOwner(this);
    AssignOrder(added);
    m_objectIndex.Insert(added);
    if (CSimPart* element = added.AsSimPart()) m_names.Insert(*element);
}

void CCircuit::AssignOrder(CPart& part) {
    const auto position = part.Slot().position;
    const uint64_t before =
        position == m_objects.begin() ? 0 : (*std::prev(position))->Slot().order;
    const auto next = std::next(position);
    if (next == m_objects.end()) {
        if (before > std::numeric_limits<uint64_t>::max() - kOrderStep) return RenumberOrder();
        part.Slot().order = before + kOrderStep;
        return;
    }
    const uint64_t after = (*next)->Slot().order;
    if (after - before < 2) return RenumberOrder();
    part.Slot().order = before + (after - before) / 2;
}

void CCircuit::RenumberOrder() {
    uint64_t order = 0;
    for (auto& part : m_objects)
        part->Slot().order = (order += kOrderStep);
}

// --- Removing ---------------------------------------------------------------------------

std::unique_ptr<CPart> CCircuit::RemoveObject(CPart& part) {
    if (!Contains(part)) return nullptr;
    for (CCircuitObserver* observer : std::vector<CCircuitObserver*>(m_observers))
        observer->OnObjectRemoved(*this, part);
    DisconnectObject(part);
    if (CSimTerm* port = part.AsPort()) {
        const size_t number = port->GetPortNumber();
        if (number < m_portObjects.size() && m_portObjects[number] == port)
            m_portObjects[number] = nullptr;
        port->SetDocument(nullptr);
    }
    if (CSubCirPart* instance = part.AsSubCircuit()) RemoveInstance(*instance);
    if (CSimLabel* label = part.AsLabel()) {
        if (label->GetLabelObject()) label->GetLabelObject()->RemoveLabel(*label);
        label->SetLabelObject(nullptr);  // it keeps its name
        label->SetDocument(nullptr);
    }
    if (CSimLink* link = part.AsLink(); link && link->GetOwnerElement())
        link->GetOwnerElement()->RemoveLink(*link);
    if (CSimPart* element = part.AsSimPart())
        while (element->GetLinkCount() > 0)
            element->RemoveLink(*element->GetLink(0));
    if (CSimPart* element = part.AsSimPart()) m_names.Remove(*element);
    m_objectIndex.Remove(part);
    CPartSlot& slot = part.Slot();
    std::unique_ptr<CPart> owned = std::move(*slot.position);
    m_objects.erase(slot.position);
    slot.inList = false;
    owned->SetOwner(nullptr);
    return owned;
}

void CCircuit::DeleteObject(CPart& part) {
    if (m_openStep)
        m_openStep->Remove(part);
    else
        RemoveObject(part);
}

bool CCircuit::Contains(const CPart& part) const {
    return part.Slot().inList && part.GetOwner() == this;
}

CPart* CCircuit::PreviousObject(const CPart& part) const {
    if (!Contains(part) || part.Slot().position == m_objects.begin()) return nullptr;
    return std::prev(part.Slot().position)->get();
}

void CCircuit::DeleteContents() {
    if (m_journal) m_journal->OnContentsDiscarded(*this);
    DetachFromSubcircuits();
    if (!m_observers.empty())
        for (auto& part : m_objects)
            for (CCircuitObserver* observer : std::vector<CCircuitObserver*>(m_observers))
                observer->OnObjectRemoved(*this, *part);
    for (auto& part : m_objects) {
        part->SetOwner(nullptr);
        part->Slot().inList = false;
    }
    m_instances.clear();
    std::fill(m_portObjects.begin(), m_portObjects.end(), nullptr);
    m_objectIndex.Clear();
    m_names.Clear();
    m_objects.clear();
    m_objectLinks.Release();
    m_nodeIndex.Clear();
    m_nodes.clear();
    m_nodePool.Clear();
    m_labelIndex.clear();
    m_labels.clear();
}

// --- Walking and finding ------------------------------------------------------------------

CPart* CCircuit::ForEachObject(const std::function<bool(CPart&)>& callback,
                               const std::function<bool(CSubCirPart&)>& descend) {
    for (auto& part : m_objects) {
        if (descend) {
            CSubCirPart* instance = part->AsSubCircuit();
            if (instance && instance->GetSheet() && descend(*instance))
                if (CPart* found = instance->GetSheet()->ForEachObject(callback, descend))
                    return found;
        }
        if (callback(*part)) return part.get();
    }
    return nullptr;
}

CSimPart* CCircuit::FindElementByName(const std::string& name, int elementIndex) const {
    if (!m_names.IsBuilt()) m_names.Build(m_objects);
    CSimPart* first = nullptr;
    m_names.ForEachCandidate(name, [&](CPart& part) {
        CSimPart* element = part.AsSimPart();
        if (elementIndex != -1 && element->GetElementId() != elementIndex) return;
        if (!SameName(element->GetInstanceName(), name)) return;
        if (!first || Before(*element, *first)) first = element;
    });
    return first;
}

CPart* CCircuit::NextObject(const CPart* current, bool forward) const {
    if (m_objects.empty()) return nullptr;
    if (!current || !Contains(*current))
        return forward ? m_objects.front().get() : m_objects.back().get();
    auto position = current->Slot().position;
    if (forward) {
        ++position;
        return position == m_objects.end() ? m_objects.front().get() : position->get();
    }
    return position == m_objects.begin() ? m_objects.back().get() : std::prev(position)->get();
}

CRectF CCircuit::GetExtent() const {
    if (m_objects.empty()) return {};
    CRectF extent = m_objects.front()->GetBounds();
    for (const auto& part : m_objects)
        extent = UnionRect(extent, part->GetBounds());
    return extent;
}

CSimPart* CCircuit::PlaceElement(uint16_t identifier, CPointF position, int rotation) {
    auto created = CSimPart::Create(m_context.parts, identifier, position, rotation);
    if (!created) return nullptr;
    CEditStep step(*this, "Place");
    CSimPart* element = static_cast<CSimPart*>(AddObject(std::move(created)));
    if (!element) return nullptr;
    const CLibElement* library = element->GetElement();
    for (size_t i = 0; i < library->GetDefinitionCount(); ++i) {
        const uint32_t flags = library->GetDefinition(i).GetFlags();
        if ((flags & CNetLine::kTextLink) && (flags & CNetLine::kLinkAtPlacement))
            AddObject(CSimLink::Create(m_context.parts, *element, i));
    }
    element->PlaceLinks();
    return element;
}

}  // namespace kestro
