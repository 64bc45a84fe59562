#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/geometry.h"

namespace kestro {

class CCircuit;
struct CCircuitContext;

// The open circuit documents, as the documents need them: a subcircuit instance that
// is read asks for its sheet, which is shared with every other instance and window.
// The application implements it with its document type and the subcircuit file search;
// CSimpleDocumentManager is the plain in-memory form.
class CDocumentManager {
public:
    virtual ~CDocumentManager() = default;

    // The open document whose path is `path`, or null.
    virtual std::shared_ptr<CCircuit> FindByPath(const std::string& path) = 0;
    // The sheet an instance record names (its full path and its path relative to the
    // schematic being read, either may be empty): an open document, or the file opened
    // without a window, or, when it cannot be found, a new empty untitled sheet. Null
    // only when nothing at all can be had.
    virtual std::shared_ptr<CCircuit> OpenSubcircuit(const std::string& fullPath,
                                                     const std::string& relativePath,
                                                     CCircuit& from) = 0;
    // A new empty untitled document without a window, kept open by the manager.
    virtual std::shared_ptr<CCircuit> CreateUntitled(const CCircuitContext& context) = 0;
    // The open documents, in the order they were opened.
    virtual std::vector<std::shared_ptr<CCircuit>> Documents() const = 0;
    // The block to place for a subcircuit file: the symbol box of its open document, else
    // the one stored in the file; nothing when neither can be had.
    virtual std::optional<CRectF> SubcircuitPlacementBox(const std::string& path) = 0;
};

}  // namespace kestro
