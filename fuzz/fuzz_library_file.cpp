// Arbitrary bytes as a library file: opened lazily and whole, every element read, the
// shapes drawn on a recording canvas under turned and mirrored placements, and the
// library written as source, which must compile to the same library.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>

#include "core/library/library_data.h"
#include "core/library/library_source.h"
#include "core/platform/byte_stream.h"
#include "core/platform/recording_canvas.h"
#include "core/platform/scripted_prompts.h"

using namespace kestro;

namespace {

// Every element is read; the built-ins and the first elements are also drawn (many
// elements sharing one block would only repeat the same drawing).
void DrawEverything(CLibraryData& library) {
    constexpr uint32_t kDrawn = 64;
    CRecordingCanvas canvas;
    const CPlacement placements[] = {
        {7, 0, 0, 0, 1, 1}, {7, 10, -5, 1, -1, 1}, {3, 0, 0, 3, 1, -1}};
    for (uint32_t id = 0; id < library.GetElementCount(); ++id)
        (void)library.GetElement(id);
    for (uint32_t id : {1004u, 1005u, 1006u}) {
        library.GetElement(id)->Draw(canvas, placements[1]);
        canvas.ClearCalls();
    }
    for (uint32_t id = 0; id < std::min(library.GetElementCount(), kDrawn); ++id) {
        CLibElement* element = library.GetElement(id);
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

// The source form of any readable library must compile to the same library; only
// duplicate netlist names, which a source may not have, are left out.
void CheckDumpBuildsBack(CLibraryData& library) {
    const std::string dump = WriteLibrarySource(library);
    std::set<std::string> names;
    for (uint32_t id = 0; id < library.GetElementCount(); ++id) {
        std::string name = library.GetElement(id)->GetName();
        for (char& c : name)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (!name.empty() && !names.insert(name).second) return;
    }
    CScriptedPrompts prompts;
    CLibraryData again(prompts);
    ReadLibrarySource("dump.txt", again, nullptr, [&](const std::string&) { return dump; });
    if (WriteLibrarySource(again) != dump) std::abort();
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
        // Small libraries are enough to check the source form and keep the runs fast.
        if (loadAll && library.GetElementCount() <= 50) CheckDumpBuildsBack(library);
    }
    return 0;
}
