#include "core/library/part_data.h"

#include "core/library/library_data.h"
#include "core/platform/record_buffer.h"

namespace kestro {

void CPartData::InitFromElement(const CLibElement* element) {
    m_element = element;
    m_values.clear();
    if (!element) return;
    m_values.reserve(element->GetDefinitionCount());
    for (const auto& definition : element->GetDefinitions())
        m_values.push_back(definition->GetValue());
}

void CPartData::InitFromElementId(CLibraryData& library, uint16_t identifier) {
    InitFromElement(library.GetElement(identifier));
}

int CPartData::SetValueById(size_t index, const CGenType& value, uint32_t definitionId) {
    if (!m_element) return 0;
    const auto& definitions = m_element->GetDefinitions();
    size_t slot = index;
    if (index >= m_values.size() || index >= definitions.size() ||
        definitions[index]->GetId() != definitionId) {
        slot = definitions.size();
        for (size_t i = 0; i < definitions.size(); ++i)
            if (definitions[i]->GetId() == definitionId) {
                slot = i;
                break;
            }
        if (slot >= definitions.size() || slot >= m_values.size()) return 0;
    }
    if (value.GetType() == m_values[slot].GetType()) m_values[slot] = value;
    return 1;
}

void CPartData::Serialize(CRecordBuffer& buffer, CLibraryData& library, uint16_t identifier) {
    CRecordBuffer values(buffer.GetMode());
    values.SetVersion(buffer.GetVersionMajor(), buffer.GetVersionMinor());
    if (buffer.IsStoring()) {
        Store(values);
        buffer.Nested(values);
        return;
    }
    InitFromElementId(library, identifier);
    buffer.Nested(values);
    Load(values);
}

void CPartData::Store(CRecordBuffer& values) const {
    if (m_values.size() > 0x7FFF) throw CIOBufferException(CIOBufferException::kTooLarge);
    values.Put<int16_t>(static_cast<int16_t>(m_values.size()));
    const size_t definitions = m_element ? m_element->GetDefinitionCount() : 0;
    for (size_t i = 0; i < m_values.size(); ++i) {
        values.Put<uint32_t>(i < definitions ? m_element->GetDefinition(i).GetId() : 0);
        CGenType value = m_values[i];
        value.Serialize(values);
    }
}

void CPartData::Load(CRecordBuffer& values) {
    const int16_t count = values.Get<int16_t>();
    const bool byIdentifier = values.IsAtLeast(3, 21);
    for (int i = 0; i < count && values.Remaining() >= sizeof(uint32_t); ++i) {
        const uint32_t id = values.Get<uint32_t>();
        CGenType value;
        value.Serialize(values);
        if (byIdentifier)
            SetValueById(static_cast<size_t>(i), value, id);
        else if (static_cast<size_t>(i) < m_values.size() &&
                 value.GetType() == m_values[static_cast<size_t>(i)].GetType())
            m_values[static_cast<size_t>(i)] = value;
    }
}

}  // namespace kestro
