#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/document/document_manager.h"

namespace kestro {

// Documents held in a list. A subcircuit path that is open gives that document; a file
// that exists is opened with the loader (when one is set); anything else gives a new
// empty untitled sheet. Paths compare exactly (the caller makes them canonical).
class CSimpleDocumentManager : public CDocumentManager {
public:
    using Loader = std::function<std::shared_ptr<CCircuit>(const std::string& path,
                                                           const CCircuitContext& context)>;

    void SetLoader(Loader loader) { m_loader = std::move(loader); }
    // Keeps `document` open (once).
    void Add(std::shared_ptr<CCircuit> document);
    void Remove(const CCircuit* document);

    std::shared_ptr<CCircuit> FindByPath(const std::string& path) override;
    std::shared_ptr<CCircuit> OpenSubcircuit(const std::string& fullPath,
                                             const std::string& relativePath,
                                             CCircuit& from) override;
    std::shared_ptr<CCircuit> CreateUntitled(const CCircuitContext& context) override;
    std::vector<std::shared_ptr<CCircuit>> Documents() const override { return m_documents; }
    // The open document's box (files are not looked into).
    std::optional<CRectF> SubcircuitPlacementBox(const std::string& path) override;

private:
    std::vector<std::shared_ptr<CCircuit>> m_documents;
    Loader m_loader;
};

}  // namespace kestro
