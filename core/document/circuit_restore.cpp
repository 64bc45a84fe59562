#include <algorithm>

#include "core/document/circuit.h"
#include "core/document/object_records.h"
#include "core/objects/label_object.h"
#include "core/objects/sim_label.h"
#include "core/objects/sim_link.h"
#include "core/objects/sim_part.h"
#include "core/objects/sim_term.h"
#include "core/objects/sub_cir_part.h"
#include "core/platform/record_buffer.h"

namespace kestro {

// The bookkeeping AddObject does before an object enters the list, without naming,
// numbering or refusing: the object was on this sheet before.
void CCircuit::JoinDocument(CPart& part) {
    if (CSimTerm* port = part.AsPort()) AcceptPort(*port, false);
    if (CSimLabel* label = part.AsLabel()) {
        label->SetDocument(this);
        CLabelObject& object = FindOrAddLabel(label->GetName());
        label->SetLabelObject(&object);
        object.AddLabel(*label);
    }
}

CPart* CCircuit::RestoreObject(std::unique_ptr<CPart> part, CPart* previous, CSimPart* linkOwner,
                               const std::vector<CSimLink*>& links) {
    if (!part) return nullptr;
    CPart* restored = part.get();
    JoinDocument(*restored);
    m_objectCounter = std::max(m_objectCounter, restored->GetNumber());
    const bool afterPrevious = previous && Contains(*previous);
    InsertAt(std::move(part),
             afterPrevious ? std::next(previous->Slot().position) : m_objects.begin());
    if (CSubCirPart* instance = restored->AsSubCircuit()) {
        AddInstance(*instance);
        // Instance names follow the list order: keep the instances in it.
        std::stable_sort(m_instances.begin(), m_instances.end(),
                         [](const CSubCirPart* a, const CSubCirPart* b) { return Before(*a, *b); });
    }
    if (CSimLink* link = restored->AsLink(); link && linkOwner && Contains(*linkOwner))
        linkOwner->AddLink(*link);
    if (CSimPart* element = restored->AsSimPart())
        for (CSimLink* link : links)
            if (Contains(*link)) element->AddLink(*link);
    ConnectObject(*restored);
    return restored;
}

bool CCircuit::ReloadObject(CPart& part, const std::vector<uint8_t>& record,
                            std::vector<std::shared_ptr<CCircuit>>& unsavedSheets) {
    if (!Contains(part)) return false;
    CRecordBuffer buffer(BufferMode::Store);
    buffer.Assign(record.data(), record.size());
    buffer.StartReading();
    if (buffer.Get<uint16_t>() != part.GetTag()) return false;
    CSerialContext context;
    context.document = this;
    context.options = kSerialCopy;
    context.unsavedSheets = &unsavedSheets;
    // Ports, labels and instances hold places in the sheet's tables that their record
    // decides (port slot, label object, parent link): they leave the sheet and come back.
    if (part.IsPort() || part.IsLabel() || part.IsSubCircuit()) {
        CPart* previous = PreviousObject(part);
        std::unique_ptr<CPart> owned = RemoveObject(part);
        owned->Serialize(buffer, context);
        RestoreObject(std::move(owned), previous, nullptr, {});
        return true;
    }
    const CRectF oldBounds = part.GetBounds();
    DisconnectObject(part);
    CSimPart* element = part.AsSimPart();
    if (element) m_names.Remove(*element);
    part.Serialize(buffer, context);
    if (element) m_names.Insert(*element);
    OnBoundsChanged(part, oldBounds);
    ConnectObject(part);
    return true;
}

}  // namespace kestro
