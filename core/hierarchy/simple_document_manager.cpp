#include "core/hierarchy/simple_document_manager.h"

#include <algorithm>

#include "core/document/circuit.h"
#include "core/platform/file_stream.h"

namespace kestro {

void CSimpleDocumentManager::Add(std::shared_ptr<CCircuit> document) {
    if (!document) return;
    if (std::find(m_documents.begin(), m_documents.end(), document) == m_documents.end())
        m_documents.push_back(std::move(document));
}

void CSimpleDocumentManager::Remove(const CCircuit* document) {
    std::erase_if(m_documents, [document](const auto& open) { return open.get() == document; });
}

std::shared_ptr<CCircuit> CSimpleDocumentManager::FindByPath(const std::string& path) {
    if (path.empty()) return nullptr;
    for (const auto& document : m_documents)
        if (document->GetPathName() == path) return document;
    return nullptr;
}

std::shared_ptr<CCircuit> CSimpleDocumentManager::OpenSubcircuit(const std::string& fullPath,
                                                                 const std::string& /*relative*/,
                                                                 CCircuit& from) {
    if (auto open = FindByPath(fullPath)) return open;
    if (!fullPath.empty() && m_loader && FileExists(fullPath)) {
        if (auto loaded = m_loader(fullPath, from.GetContext())) {
            Add(loaded);
            return loaded;
        }
    }
    return CreateUntitled(from.GetContext());
}

std::shared_ptr<CCircuit> CSimpleDocumentManager::CreateUntitled(const CCircuitContext& context) {
    auto document = std::make_shared<CCircuit>(context);
    m_documents.push_back(document);
    return document;
}

std::optional<CRectF> CSimpleDocumentManager::SubcircuitPlacementBox(const std::string& path) {
    if (std::shared_ptr<CCircuit> open = FindByPath(path)) return open->GetSymbolBox();
    return std::nullopt;
}

}  // namespace kestro
