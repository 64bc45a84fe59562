#pragma once

// The sheet the printing benchmarks write: 2,500 resistors of the bundled library, each with
// its two text links and a wire to the next, 10,000 objects in 50 rows of 50, 5,000 by
// 4,000 units. At zoom 1.2 on A4 that is 60 pages, every one with something on it.
#include <memory>

#include "core/document/circuit.h"
#include "core/hierarchy/circuit_document_manager.h"
#include "core/library/library_data.h"
#include "core/objects/wire.h"
#include "core/platform/scripted_prompts.h"
#include "core/platform/settings.h"

namespace kestro::bench {

struct CPrintSheet {
    static constexpr int kColumns = 50, kRows = 50;
    static constexpr float kPitchX = 100.0f, kPitchY = 80.0f;

    CPrintSheet() {
        library.Open(KESTRO_BINARY_DIR "/bin/KESTRO.LIB");
        manager =
            std::make_unique<CCircuitDocumentManager>(CPartEnvironment{library, settings, prompts});
        sheet = manager->CreateUntitled(manager->GetContext());
        sheet->SetDrawingArea({0, 0, kColumns * kPitchX + 100, kRows * kPitchY + 100});
        sheet->SetZoom(1.2f);
        const auto resistor = static_cast<uint16_t>(library.FindElementByName("R"));
        for (int row = 0; row < kRows; ++row)
            for (int column = 0; column < kColumns; ++column) {
                const float x = 50 + column * kPitchX, y = 50 + row * kPitchY;
                sheet->PlaceElement(resistor, {x, y}, 0);
                sheet->AddObject(
                    CWire::Create(sheet->GetEnvironment(), {x + 20, y}, {x + kPitchX - 20, y}));
            }
    }
    ~CPrintSheet() {
        sheet.reset();
        manager.reset();
    }

    CScriptedPrompts prompts;
    CSettings settings;
    CLibraryData library{prompts};
    std::unique_ptr<CCircuitDocumentManager> manager;
    std::shared_ptr<CCircuit> sheet;
};

}  // namespace kestro::bench
