#include "core/document/object_buffer.h"

#include <unordered_map>

#include "core/document/circuit.h"
#include "core/document/object_records.h"
#include "core/objects/serial_context.h"
#include "core/objects/sim_link.h"

namespace kestro {

void CObjectBuffer::Clear() {
    m_data.SetMode(BufferMode::Store);
    m_unsavedSheets.clear();
    m_hasData = false;
    m_bounds = {};
}

void CObjectBuffer::Store(const std::vector<CPart*>& parts, const CRectF& bounds,
                          CCircuit& document) {
    Clear();
    CSerialContext context;
    context.document = &document;
    context.options = kSerialCopy;
    context.unsavedSheets = &m_unsavedSheets;
    m_data.SetVersion(kObjectRecordVersionMajor, kObjectRecordVersionMinor);
    m_data.Put<uint32_t>(static_cast<uint32_t>(parts.size()));
    for (CPart* part : parts)
        WriteObjectRecord(m_data, *part, context);
    m_bounds = bounds;
    m_hasData = true;
}

std::vector<std::unique_ptr<CPart>> CObjectBuffer::Load(CCircuit& document,
                                                        bool ownersOnSheet) const {
    std::vector<std::unique_ptr<CPart>> parts;
    if (!m_hasData) return parts;
    m_data.StartReading();
    m_data.SetVersion(kObjectRecordVersionMajor, kObjectRecordVersionMinor);
    CSerialContext context;
    context.document = &document;
    context.options = kSerialCopy;
    context.unsavedSheets = &m_unsavedSheets;
    const uint32_t count = m_data.Get<uint32_t>();
    std::unordered_map<uint32_t, CPart*> byNumber;
    for (uint32_t i = 0; i < count && m_data.Remaining() > 0; ++i) {
        CObjectRead read = ReadObjectRecord(m_data, context, document.GetEnvironment());
        if (read.badTag) break;
        if (read.part->IsUnresolved()) continue;
        byNumber.emplace(read.storedNumber, read.part.get());
        parts.push_back(std::move(read.part));
    }
    auto find = [&](uint32_t number) -> CPart* {
        auto it = byNumber.find(number);
        if (it != byNumber.end()) return it->second;
        // A link deleted without its element: the element stayed on the sheet.
        if (!ownersOnSheet || number == 0) return nullptr;
        return document.ForEachObject(
            [number](CPart& part) { return part.IsSimPart() && part.GetNumber() == number; });
    };
    for (auto& part : parts)
        if (CSimLink* link = part->AsLink()) link->ResolveOwner(find);
    std::erase_if(parts, [](const auto& part) { return part->IsUnresolved(); });
    for (auto& part : parts)
        part->SetNumber(0);
    return parts;
}

}  // namespace kestro
