// Arbitrary bytes opened as a schematic with a fixed in-memory library. Subcircuit files
// are never looked for (the document list stands in empty sheets), so nothing outside
// the bytes is read and nothing is written. A sheet that opens is written again in
// memory, and what is written must open again; the subcircuit header reader gets the
// same bytes.
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "core/document/circuit.h"
#include "core/hierarchy/simple_document_manager.h"
#include "core/platform/record_buffer.h"
#include "core/schematic_file/schematic_file.h"
#include "tests/core/support/circuit_support.h"

using namespace kestro;

namespace {

// The small library of the tests, with the label's pin, and old element numbers so that
// old files get as far as their header.
struct CWorld : test::CLibraryWorld {
    CWorld() {
        library.GetLabelElement().SetRect({-20, -10, 20, 10});
        library.GetLabelElement().GetOutputPoints() = {{-20, 0}};
        library.SetOldNumbers({0, 5000, 5001});
    }
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
