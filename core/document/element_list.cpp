#include "core/document/element_list.h"

#include <memory>

#include "core/document/circuit.h"
#include "core/library/lib_element.h"
#include "core/objects/sim_part.h"
#include "core/platform/file_stream.h"

namespace kestro {

std::vector<CElementListRow> ElementListRows(const CCircuit& sheet) {
    std::vector<CElementListRow> rows;
    for (const auto& part : sheet.GetObjects()) {
        if (!part->IsSimPart()) continue;
        const CLibElement* element = part->GetElement();
        if (!element || !(element->GetFlags() & CLibElement::kShowInDialog)) continue;
        const auto* simPart = static_cast<const CSimPart*>(part.get());
        rows.push_back({element->GetName(), simPart->GetName(), simPart->GetValuesText(), simPart});
    }
    return rows;
}

std::string ElementListText(const std::vector<CElementListRow>& rows) {
    std::string text;
    for (const CElementListRow& row : rows)
        text += row.netlistName + '\t' + row.name + '\t' + row.value + "\t\n";
    return text;
}

std::string SaveElementList(const std::string& path, const std::string& text) {
    std::unique_ptr<CMirrorFile> file;
    try {
        file = std::make_unique<CMirrorFile>(path);
    } catch (const CFileException& e) {
        return e.what();
    }
    try {
        file->Write(text.data(), text.size());
        file->Commit();
    } catch (const CFileException&) {
        return kListWriteFailed;
    }
    return {};
}

}  // namespace kestro
