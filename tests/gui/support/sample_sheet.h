#pragma once

#include <memory>

#include "core/hierarchy/circuit_document_manager.h"
#include "core/library/library_data.h"
#include "core/platform/scripted_prompts.h"
#include "core/platform/settings.h"
#include "gui/views/view_services.h"

namespace kestro {

class CCircuit;

// A library, settings and a document manager without the application, for drawing sheets
// in tests and benchmarks. The library is the one built with the editor.
struct CSheetWorkshop {
    CScriptedPrompts prompts;
    CSettings settings;
    CLibraryData library{prompts};
    std::unique_ptr<CCircuitDocumentManager> manager;
    CViewServices services;

    CSheetWorkshop();
    ~CSheetWorkshop();
    std::shared_ptr<CCircuit> NewSheet();
    uint16_t Element(const char* netlistName);
};

// A small sheet with every kind of object: elements (one turned) with their text links, wires
// meeting at a junction and ending open, a subcircuit instance, a port, texts (one turned),
// the simulation control symbol and labels.
std::shared_ptr<CCircuit> MakeEveryKindSheet(CSheetWorkshop& workshop);

}  // namespace kestro
