#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/document/circuit.h"
#include "core/document/circuit_observer.h"
#include "core/document/selection.h"
#include "core/hierarchy/simple_document_manager.h"
#include "core/library/library_data.h"
#include "core/library/sh_line.h"
#include "core/platform/scripted_prompts.h"
#include "core/platform/settings.h"

namespace kestro::test {

// A small library made in memory: 0 GND (ground, one pin at its top), 1 R (netlist
// name N, pins at (-20, 0) and (20, 0), value R = 1000 shown as a link at placement),
// 2 C (like R, no link at placement); the port gets its output point (20, 0).
inline void FillSheetLibrary(CLibraryData& library) {
    library.New("/nonexistent/KESTRO.LIB");
    auto ground = CLibElement::MakeNew("GND");
    ground->SetFlags(CLibElement::kGround);
    ground->SetRect({-10, 0, 10, 20});
    ground->GetOutputPoints() = {{0, 0}};
    ground->AddShape(std::make_unique<CSHLine>(CPointF{0, 0}, CPointF{0, 10}));
    library.AppendElement(std::move(ground));
    auto resistor = CLibElement::MakeNew("N");
    resistor->SetDescription("Resistor");
    resistor->GetDefinition(0).SetValue(CGenType::MakeString("R"));
    resistor->SetRect({-20, -10, 20, 10});
    resistor->GetOutputPoints() = {{-20, 0}, {20, 0}};
    resistor->AddShape(std::make_unique<CSHLine>(CPointF{-20, 0}, CPointF{20, 0}));
    resistor->AddDefinition(CNetLine("R", "Ohm", CGenType::MakeFloat(1000), 0x700));
    library.AppendElement(std::move(resistor));
    auto capacitor = CLibElement::MakeNew("C");
    capacitor->SetRect({-20, -10, 20, 10});
    capacitor->GetOutputPoints() = {{-20, 0}, {20, 0}};
    capacitor->AddDefinition(CNetLine("C", "F", CGenType::MakeFloat(1e-6), 0x400));
    library.AppendElement(std::move(capacitor));
    library.GetPortElement().SetRect({-20, -10, 20, 10});
    library.GetPortElement().GetOutputPoints() = {{20, 0}};
    library.GetControlElement().SetRect({-20, -20, 20, 20});
}

inline constexpr uint16_t kGround = 0, kResistor = 1, kCapacitor = 2;

// Prompts, settings and the small library, for programs that make their own documents.
struct CLibraryWorld {
    CLibraryWorld() { FillSheetLibrary(library); }

    CScriptedPrompts prompts;
    CSettings settings;
    CLibraryData library{prompts};
};

// Library, settings, prompts and open documents of one test.
struct CSheetWorld : CLibraryWorld {
    std::shared_ptr<CCircuit> NewSheet(const std::string& path = {}) {
        auto sheet = documents.CreateUntitled(context);
        sheet->SetPathName(path);
        return sheet;
    }

    CSimpleDocumentManager documents;
    CCircuitContext context{{library, settings, prompts}, documents};
};

// A view as far as the document is concerned: a selection and the hints it got.
struct CTestView : CCircuitObserver {
    void OnCircuitUpdate(CCircuit&, int hint, const CRectF* area) override {
        hints.push_back(hint);
        if (area) areas.push_back(*area);
    }
    void OnObjectRemoved(CCircuit&, CPart& part) override { selection.Remove(&part); }

    CSelection selection;
    std::vector<int> hints;
    std::vector<CRectF> areas;
};

}  // namespace kestro::test
