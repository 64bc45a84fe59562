#include <cstring>
#include <exception>
#include <memory>
#include <new>

#include "core/document/circuit.h"
#include "core/document/object_records.h"
#include "core/library/library_data.h"
#include "core/objects/sim_part.h"
#include "core/platform/file_stream.h"
#include "core/platform/mount_points.h"
#include "core/platform/path.h"
#include "core/platform/prompts.h"
#include "core/platform/record_buffer.h"
#include "core/schematic_file/schematic_file.h"
#include "core/schematic_file/subcircuit_path.h"

namespace kestro {

namespace {

void WriteHeader(CRecordBuffer& out) {
    out.Put<int32_t>(kSchematicVersionMajor);
    out.Put<int32_t>(kSchematicVersionMinor);
    out.Reserved(kSchematicHeaderReserved);
    out.EndRecord();
}

void WriteInterface(CRecordBuffer& out, CCircuit& document) {
    out.Put<uint16_t>(static_cast<uint16_t>(document.GetPortCount()));
    CRectF box = document.GetSymbolBox();
    out.Rect(box);
    std::vector<CPointF> positions = document.GetPortPositions();
    out.Points(positions);
    for (const std::string& name : document.GetPortNames())
        out.PutString(name);
    out.EndRecord();
}

void WriteSheetValues(CRecordBuffer& out, CCircuit& document) {
    out.Put<int32_t>(document.GetStoredWord());
    out.Put<int32_t>(document.GetFlags());
    CRectF area = document.GetDrawingArea();
    out.Rect(area);
    out.Put<int32_t>(document.GetSecondStoredWord());
    out.Put<float>(document.GetZoom());
    out.EndRecord();
}

// The library elements used by the sheet's elements, each once (instances of
// subcircuits are not looked into).
void WriteElementTable(CRecordBuffer& out, CCircuit& document) {
    CLibraryData& library = document.GetEnvironment().library;
    std::vector<uint16_t> used(library.GetElementCount(), 0);
    uint32_t count = 0;
    for (const auto& part : document.GetObjects()) {
        const CSimPart* element = part->AsSimPart();
        if (!element || element->GetElementId() >= used.size()) continue;
        uint16_t& flag = used[element->GetElementId()];
        if (flag == 0) ++count;
        flag = 1;
    }
    library.WriteElementTable(out, used, count);
    out.EndRecord();
}

// One counter per library element. A library without elements would make the record
// empty, which no record may be: a single zero then stands in, which readers take as
// the first counter or ignore.
void WriteCounters(CRecordBuffer& out, CCircuit& document) {
    const size_t count = document.GetEnvironment().library.GetElementCount();
    const std::vector<uint16_t>& counters = document.GetElementCounters();
    for (size_t i = 0; i < count; ++i)
        out.Put<uint16_t>(i < counters.size() ? counters[i] : 0);
    if (count == 0) out.Put<uint16_t>(0);
    out.EndRecord();
}

void ShowSaveFailure(CPrompts& prompts, const std::string& message) {
    prompts.ShowMessage(message, MessageIcon::Stop);
}

}  // namespace

std::string FormatFileMessage(const char* pattern, const std::string& path) {
    std::string text = pattern;
    const size_t at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, path);
    return text;
}

bool IsNewerFileVersion(int32_t major, int32_t minor) {
    return major > kSchematicVersionMajor ||
           (major == kSchematicVersionMajor && minor > kSchematicVersionMinor);
}

void WriteSchematic(CCircuit& document, CByteStream& out, const std::string& path,
                    const CRelativePathFunction& relativePath) {
    uint8_t magic[4];
    for (int i = 0; i < 4; ++i)
        magic[i] = static_cast<uint8_t>(kSchematicMagic >> (8 * i));
    out.Write(magic, sizeof magic);

    CRecordBuffer buffer(BufferMode::Store, &out);
    buffer.SetVersion(kSchematicVersionMajor, kSchematicVersionMinor);
    document.SetVersion(kSchematicVersionMajor, kSchematicVersionMinor);
    WriteHeader(buffer);
    WriteInterface(buffer, document);
    buffer.PutString(path);
    buffer.EndRecord();
    document.SetSavedPath(path);
    for (const std::string& text : document.GetTitleInfo())
        buffer.PutString(text);
    buffer.EndRecord();
    WriteSheetValues(buffer, document);
    for (CGenType& value : document.GetSimulationParameters())
        value.Serialize(buffer);
    buffer.EndRecord();
    WriteElementTable(buffer, document);

    buffer.Put<int32_t>(static_cast<int32_t>(document.GetObjectCount()));
    buffer.EndRecord();
    CSerialContext context;
    context.document = &document;
    context.options = kSerialFile;
    context.relativePath = relativePath;
    for (const auto& part : document.GetObjects()) {
        WriteObjectRecord(buffer, *part, context);
        buffer.EndRecord();
    }
    WriteCounters(buffer, document);
    buffer.PutString(".END");
    buffer.EndRecord();
}

bool WriteSchematicFile(CCircuit& document, const std::string& path,
                        const CRelativePathFunction& relativePath) {
    CPrompts& prompts = document.GetEnvironment().prompts;
    const std::string savedPath = document.GetSavedPath();
    try {
        CRelativePathFunction relative = relativePath;
        if (!relative) {
            auto roots =
                std::make_shared<std::vector<std::string>>(AllMountFolders(ReadMountTable()));
            relative = [path, roots](const std::string& sheetPath) {
                return RelativeSubcircuitPath(path, sheetPath, *roots);
            };
        }
        CMirrorFile file(path);
        WriteSchematic(document, file, path, relative);
        file.Commit();
        return true;
    } catch (const CIOBufferException& error) {
        ShowSaveFailure(prompts, error.what());
    } catch (const CFileException& error) {
        // Name the file being saved, not the temporary file that stood in for it.
        ShowSaveFailure(prompts, error.GetError() != 0
                                     ? CFileException(path, error.GetError()).what()
                                     : error.what());
    } catch (const std::exception&) {
        ShowSaveFailure(prompts, FormatFileMessage(kCannotSaveFile, path));
    }
    document.SetSavedPath(savedPath);  // nothing was saved there
    return false;
}

}  // namespace kestro
