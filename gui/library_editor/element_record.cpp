#include "gui/library_editor/element_record.h"

#include "core/library/library_data.h"
#include "core/platform/record_buffer.h"

namespace kestro {

std::vector<uint8_t> ElementRecord(CLibraryData& library, CLibElement& element) {
    CRecordBuffer record;
    record.SetVersion(CLibraryData::kVersionMajor, CLibraryData::kVersionMinor);
    element.Serialize(record, element.GetIdentifier(), library.GetShapeContext());
    return {record.Data(), record.Data() + record.Length()};
}

}  // namespace kestro
