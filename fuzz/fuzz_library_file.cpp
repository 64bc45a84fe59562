// Arbitrary bytes as a library file: opened lazily and whole, every element read, every
// shape drawn on a recording canvas under turned and mirrored placements, and the
// library written as source.
#include <cstdint>
#include <memory>
#include <string>

#include "core/library/library_data.h"
#include "core/library/library_source.h"
#include "core/platform/byte_stream.h"
#include "core/platform/recording_canvas.h"
#include "core/platform/scripted_prompts.h"

using namespace kestro;

namespace {

void DrawEverything(CLibraryData& library) {
    CRecordingCanvas canvas;
    const CPlacement placements[] = {
        {7, 0, 0, 0, 1, 1}, {7, 10, -5, 1, -1, 1}, {3, 0, 0, 3, 1, -1}};
    for (uint32_t id = 0; id < library.GetElementCount() + 3; ++id) {
        CLibElement* element = library.GetElement(
            id < library.GetElementCount() ? id : 1004 + id - library.GetElementCount());
        if (!element) continue;
        for (const auto& placement : placements) {
            element->Draw(canvas, placement);
            for (const auto& shape : element->GetShapes()) {
                (void)shape->GetBounds();
                (void)shape->CloneTransformed(placement, {1, 1});
            }
            canvas.ClearCalls();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (bool loadAll : {false, true}) {
        CScriptedPrompts prompts;
        CLibraryData library(prompts);
        if (!library.OpenStream(std::make_unique<CMemoryStream>(data, size), "KESTRO.LIB", loadAll))
            continue;
        DrawEverything(library);
        (void)library.FindElementByName("R");
        (void)library.GetMenus().GetItems();
        if (loadAll) (void)WriteLibrarySource(library);
    }
    return 0;
}
