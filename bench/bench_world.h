#pragma once

// The sheets the benchmarks work on, drawn with the benchmark library.
#include <cmath>
#include <memory>

#include "bench/bench_library.h"
#include "core/document/circuit.h"
#include "core/hierarchy/simple_document_manager.h"
#include "core/objects/sim_part.h"
#include "core/objects/wire.h"
#include "core/platform/scripted_prompts.h"
#include "core/platform/settings.h"

namespace kestro::bench {

// `count` objects on `sheet`: resistors (`resistor`, the library's identifier of one) 60
// units apart in rows 40 apart, a wire after each.
inline void FillResistorRows(CCircuit& sheet, const CPartEnvironment& parts, int count,
                             uint16_t resistor = kResistor) {
    const int perRow = static_cast<int>(std::sqrt(count / 2.0)) + 1;
    for (int i = 0; i < count / 2; ++i) {
        const float x = float(60 * (i % perRow)), y = float(40 * (i / perRow));
        sheet.AddObject(CSimPart::Create(parts, resistor, {x, y}, 0));
        sheet.AddObject(CWire::Create(parts, {x + 20, y}, {x + 40, y}));
    }
}

// The benchmark library with documents of their own, in memory.
struct CBenchWorld {
    CBenchWorld() { FillBenchLibrary(library); }

    // An untitled sheet of `count` objects in resistor rows.
    std::shared_ptr<CCircuit> Sheet(int count) {
        auto sheet = documents.CreateUntitled(context);
        FillResistorRows(*sheet, context.parts, count);
        return sheet;
    }

    CScriptedPrompts prompts;
    CSettings settings;
    CLibraryData library{prompts};
    CSimpleDocumentManager documents;
    CCircuitContext context{{library, settings, prompts}, documents};
};

}  // namespace kestro::bench
