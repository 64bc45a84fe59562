// Arbitrary bytes as a run of object records (u16 kind tag, then the record) read into a
// document with a fixed in-memory library, then edited: connected, selected, copied,
// pasted, drawn, deleted and restored.
#include <cstdint>
#include <memory>

#include "core/document/circuit.h"
#include "core/document/internal_clipboard.h"
#include "core/document/object_records.h"
#include "core/document/selection.h"
#include "core/hierarchy/simple_document_manager.h"
#include "core/platform/record_buffer.h"
#include "core/platform/recording_canvas.h"
#include "tests/core/support/circuit_support.h"

using namespace kestro;

namespace {

// Ground, two two-pin elements (one with a linked value), and the port with its pin.
using CWorld = test::CLibraryWorld;

constexpr size_t kMaxObjects = 400;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static CWorld world;
    world.prompts.shown.clear();
    CSimpleDocumentManager documents;
    const CCircuitContext context{{world.library, world.settings, world.prompts}, documents};
    auto sheet = documents.CreateUntitled(context);

    CRecordBuffer in(BufferMode::Load);
    in.SetVersion(3, 30);
    in.Assign(data, size);
    CObjectLoader loader(*sheet, nullptr);
    for (size_t i = 0; i < kMaxObjects && in.Remaining() > 0; ++i)
        if (!loader.LoadOne(in)) break;

    sheet->ReconnectAll();
    CSelection selection;
    sheet->SelectAll(selection);
    CInternalClipboard clipboard;
    sheet->Copy(selection, clipboard);
    sheet->RotateSelection(selection, 3);
    sheet->MoveSelection(selection, 20, -10);
    CRecordingCanvas canvas;
    canvas.SetClip(CRectF{0, 0, 500, 500});
    sheet->DrawAll(canvas);
    sheet->DeleteSelection(selection);
    sheet->NodeCleanup();
    sheet->UndoDelete(selection);
    sheet->Paste(clipboard, selection, {100, 100}, 1);
    sheet->SelectByRect(selection, {0, 0, 300, 300});
    sheet->DrawAll(canvas, {&selection, {10, 10}});
    return 0;
}
