// Arbitrary bytes opened as a schematic with a fixed in-memory library. Subcircuit files
// are never looked for (the document list stands in empty sheets), so nothing outside
// the bytes is read and nothing is written. A sheet that opens is written again in
// memory, and what is written must open again; the subcircuit header reader gets the
// same bytes.
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "core/app/settings.h"
#include "core/document/circuit.h"
#include "core/document/record_buffer.h"
#include "core/document/schematic_file.h"
#include "core/document/simple_document_manager.h"
#include "core/library/library_data.h"
#include "core/library/sh_line.h"
#include "core/platform/scripted_prompts.h"

using namespace kestro;

namespace {

// Ground, two two-pin elements (one with a linked value), and the port, label and
// simulation control with their pins.
void FillLibrary(CLibraryData& library) {
    library.New("/nonexistent/KESTRO.LIB");
    auto ground = CLibElement::MakeNew("GND");
    ground->SetFlags(CLibElement::kGround);
    ground->SetRect({-10, 0, 10, 20});
    ground->GetOutputPoints() = {{0, 0}};
    library.AppendElement(std::move(ground));
    auto resistor = CLibElement::MakeNew("N");
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
    library.GetLabelElement().SetRect({-20, -10, 20, 10});
    library.GetLabelElement().GetOutputPoints() = {{-20, 0}};
    library.GetControlElement().SetRect({-20, -20, 20, 20});
    library.SetOldNumbers({0, 5000, 5001});  // old files get as far as their header
}

struct CWorld {
    CWorld() { FillLibrary(library); }
    CScriptedPrompts prompts;
    CSettings settings;
    CLibraryData library{prompts};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static CWorld world;
    world.prompts.shown.clear();
    CSimpleDocumentManager documents;
    const CCircuitContext context{{world.library, world.settings, world.prompts}, documents};
    auto sheet = documents.CreateUntitled(context);

    CMemoryStream in(data, size);
    ReadSubcircuitHeader(in, "/fuzz/input.sch", world.prompts);
    if (!ReadSchematic(*sheet, in, "/fuzz/input.sch")) return 0;

    CMemoryStream out;
    try {
        WriteSchematic(*sheet, out, "/fuzz/again.sch", nullptr);
    } catch (const CIOBufferException&) {
        return 0;  // a value read whole may not fit one record when written (too many ports)
    }
    auto again = documents.CreateUntitled(context);
    CMemoryStream written(out.Bytes());
    if (!ReadSchematic(*again, written, "/fuzz/again.sch")) std::abort();
    if (again->GetObjectCount() != sheet->GetObjectCount()) std::abort();
    return 0;
}
