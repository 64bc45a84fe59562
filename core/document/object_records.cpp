#include "core/document/object_records.h"

#include "core/document/circuit.h"
#include "core/objects/part_factory.h"
#include "core/objects/sim_link.h"
#include "core/platform/record_buffer.h"

namespace kestro {

void WriteObjectRecord(CRecordBuffer& out, CPart& part, CSerialContext& context) {
    part.PrepareForSave();
    out.Put<uint16_t>(part.GetTag());
    part.Serialize(out, context);
}

CObjectRead ReadObjectRecord(CRecordBuffer& in, CSerialContext& context,
                             const CPartEnvironment& environment) {
    CObjectRead read;
    read.part = CreatePart(in.Get<uint16_t>(), environment);
    if (!read.part) {
        read.badTag = true;
        return read;
    }
    read.part->Serialize(in, context);
    read.storedNumber = read.part->GetNumber();
    return read;
}

CObjectLoader::CObjectLoader(CCircuit& document, const std::vector<uint16_t>* elementMap,
                             uint32_t options)
    : m_document(document) {
    m_context.document = &document;
    m_context.elementMap = elementMap;
    m_context.options = options;
}

void CObjectLoader::Reserve(size_t count) {
    m_byNumber.Reserve(count / 2);  // elements: about half of a sheet's objects
}

bool CObjectLoader::LoadOne(CRecordBuffer& in, CPart** added) {
    if (added) *added = nullptr;
    CObjectRead read = ReadObjectRecord(in, m_context, m_document.GetEnvironment());
    if (read.badTag) return false;
    if (CSimLink* link = read.part->AsLink())
        link->ResolveOwner([this](uint32_t number) -> CPart* {
            CPart* const* owner = m_byNumber.Find(number);
            return owner ? *owner : nullptr;
        });
    if (read.part->IsUnresolved()) return true;
    CPart* kept = m_document.AddObject(std::move(read.part), false);
    // Only elements own text links, so only they need to be found by number.
    if (kept && kept->IsSimPart()) m_byNumber.Get(read.storedNumber) = kept;
    if (added) *added = kept;
    return true;
}

}  // namespace kestro
