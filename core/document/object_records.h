#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/document/index/cell_hash.h"
#include "core/objects/part.h"

namespace kestro {

class CCircuit;
class CRecordBuffer;

// One object as files and buffers hold it: u16 kind tag, then the object's record.
void WriteObjectRecord(CRecordBuffer& out, CPart& part, CSerialContext& context);

struct CObjectRead {
    std::unique_ptr<CPart> part;  // null for a bad tag
    uint32_t storedNumber = 0;    // the number the record held
    bool badTag = false;          // not a kind tag: nothing after it can be read
};
// Reads one object (tag and record). Text links are not joined to owners here.
CObjectRead ReadObjectRecord(CRecordBuffer& in, CSerialContext& context,
                             const CPartEnvironment& environment);

// Reads the object records of a schematic one by one into a document, as the file
// reader does: each text link finds its owner among the objects read before it (by the
// number stored with them), unresolved objects are dropped, the rest are added without
// reports (refused ones are destroyed).
class CObjectLoader {
public:
    CObjectLoader(CCircuit& document, const std::vector<uint16_t>* elementMap,
                  uint32_t options = kSerialFile);
    // Room for `count` objects to be found by number (a hint; the reader caps it).
    void Reserve(size_t count);
    // False when the record does not start with a kind tag (the read must fail).
    // `added` receives the object kept, or null.
    bool LoadOne(CRecordBuffer& in, CPart** added = nullptr);

private:
    CCircuit& m_document;
    CSerialContext m_context;
    CCellHash<CPart*> m_byNumber;  // keyed by number (never the table's empty key)
};

}  // namespace kestro
