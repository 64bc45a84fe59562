#pragma once

#include <cstdint>
#include <vector>

#include "core/library/gen_type.h"

namespace kestro {

class CLibElement;
class CLibraryData;
class CRecordBuffer;

// The attribute values of one placed element: value i belongs to definition i of its
// library element.
class CPartData {
public:
    const CLibElement* GetElement() const { return m_element; }
    size_t GetCount() const { return m_values.size(); }
    const CGenType& GetValue(size_t index) const { return m_values[index]; }
    CGenType& GetValue(size_t index) { return m_values[index]; }
    const std::vector<CGenType>& GetValues() const { return m_values; }

    // Every value a copy of its definition's default (no values without an element).
    void InitFromElement(const CLibElement* element);
    void InitFromElementId(CLibraryData& library, uint16_t identifier);
    // Stores `value` in slot `index` when definition `index` has `definitionId`, else in
    // the slot of the definition that has it; only when the types agree. 0 when no
    // definition has the identifier, else 1.
    int SetValueById(size_t index, const CGenType& value, uint32_t definitionId);

    // The values record, as one nested buffer with the outer buffer's version: i16 count,
    // then per value u32 definition identifier and the value. Every value is written
    // whatever the count; records with only the count (as older files have for elements
    // of more than 33 definitions) read back as defaults. Loading starts from the
    // defaults of element `identifier` and drops values that match no definition.
    void Serialize(CRecordBuffer& buffer, CLibraryData& library, uint16_t identifier);

private:
    void Load(CRecordBuffer& values);
    void Store(CRecordBuffer& values) const;

    const CLibElement* m_element = nullptr;
    std::vector<CGenType> m_values;
};

}  // namespace kestro
