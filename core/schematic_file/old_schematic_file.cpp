#include "core/schematic_file/old_schematic_file.h"

#include <array>

#include "core/document/circuit.h"
#include "core/library/library_data.h"
#include "core/platform/prompts.h"

namespace kestro {

namespace {

constexpr size_t kOldHeaderBlock = 128;

// The version word and header block after the marker; nothing when the file ends first.
std::optional<std::array<uint8_t, kOldHeaderBlock>> ReadOldHeader(CByteStream& in) {
    uint8_t version[2];
    std::array<uint8_t, kOldHeaderBlock> header{};
    if (in.Read(version, sizeof version) != sizeof version) return std::nullopt;
    if (in.Read(header.data(), header.size()) != header.size()) return std::nullopt;
    return header;
}

// Byte 2 of the header block is 0 or 1 in files of version 1.0.
bool WrittenByVersionOne(const std::array<uint8_t, kOldHeaderBlock>& header) {
    return header[2] == 0 || header[2] == 1;
}

// An old library transfer leaves the map of old element numbers behind.
bool HoldsTransferredLibrary(CLibraryData& library) {
    return library.GetOldNumbers().size() > 1;
}

bool Refuse(CPrompts& prompts, const char* pattern, const std::string& path) {
    prompts.ShowMessage(FormatFileMessage(pattern, path), MessageIcon::Stop);
    return false;
}

}  // namespace

bool ReadOldSchematic(CCircuit& document, CByteStream& in, const std::string& path) {
    CPrompts& prompts = document.GetEnvironment().prompts;
    if (!HoldsTransferredLibrary(document.GetEnvironment().library)) {
        prompts.ShowMessage(kTransferOldLibraryFirst, MessageIcon::Stop);
        return false;
    }
    const auto header = ReadOldHeader(in);
    if (header && WrittenByVersionOne(*header)) return Refuse(prompts, kOldVersionOneFile, path);
    // Converting the items of version 2.0 files is not supported.
    return Refuse(prompts, kIncompatibleOldFile, path);
}

std::optional<CSubcircuitHeader> ReadOldSubcircuitHeader(CByteStream& in, const std::string& path,
                                                         CPrompts& prompts) {
    const auto header = ReadOldHeader(in);
    if (header && WrittenByVersionOne(*header))
        Refuse(prompts, kOldVersionOneFile, path);
    else
        Refuse(prompts, kIncompatibleOldFile, path);
    return std::nullopt;
}

}  // namespace kestro
