// Arbitrary bytes as the files of a previous-version library. Each reader takes the whole
// input; then the input is cut into the three files (u16 length of "ELEMENTS.LIB", u16
// length of "ELEMENTS.GND", the two files, "ELEMENTS.MNU" as the rest), converted into a
// library as the transfer does, and every element is drawn and written as a record.
#include <cstdint>
#include <optional>
#include <vector>

#include "core/library/library_data.h"
#include "core/library/old_library_transfer.h"
#include "core/platform/byte_stream.h"
#include "core/platform/record_buffer.h"
#include "core/platform/recording_canvas.h"
#include "core/platform/scripted_prompts.h"

using namespace kestro;

namespace {

template <typename Result>
std::optional<Result> Read(Result (*read)(CByteStream&), const uint8_t* data, size_t size) {
    CMemoryStream file(data, size);
    try {
        return read(file);
    } catch (const COldLibraryError&) {
        return std::nullopt;
    }
}

size_t Length(const uint8_t* data, size_t size, size_t at) {
    return at + 2 <= size ? size_t(data[at] | (data[at + 1] << 8)) : 0;
}

void UseLibrary(CLibraryData& library) {
    CRecordingCanvas canvas;
    const CPlacement placement{7, 10, -5, 1, -1, 1};
    for (uint32_t id = 0; id < library.GetElementCount(); ++id) {
        CLibElement& element = *library.GetElement(id);
        element.Draw(canvas, placement);
        canvas.ClearCalls();
        CRecordBuffer record;
        record.SetVersion(3, 30);
        try {
            element.Serialize(record, static_cast<uint16_t>(id), library.GetShapeContext());
        } catch (const CIOBufferException&) {
            // An element too large for one library block: the save reports it.
        }
    }
    (void)library.GetMenus().GetItems();
    (void)library.FindElementByOldNumber(5000);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    (void)Read(ReadOldLibrary, data, size);
    (void)Read(ReadOldRecord, data, size);
    (void)Read(ReadOldMenuGroups, data, size);

    const size_t libSize = Length(data, size, 0), gndSize = Length(data, size, 2);
    if (size < 4 + libSize + gndSize) return 0;
    const uint8_t* lib = data + 4;
    const uint8_t* gnd = lib + libSize;
    const uint8_t* mnu = gnd + gndSize;
    const auto records = Read(ReadOldLibrary, lib, libSize);
    if (!records) return 0;
    COldLibraryFiles files{*records, Read(ReadOldRecord, gnd, gndSize),
                           Read(ReadOldMenuGroups, mnu, size_t(data + size - mnu))};
    CScriptedPrompts prompts;
    CLibraryData library(prompts);
    library.New("/nonexistent/NEW.LIB");
    COldTransferNote note;
    ConvertOldLibrary(files, library, &note);
    (void)note.DrawingSummary();
    UseLibrary(library);
    return 0;
}
