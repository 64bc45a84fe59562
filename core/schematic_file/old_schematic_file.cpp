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

// Port count of an old sheet: the header block is followed by the symbol box (four i16)
// and the i16 port count. Nothing when the file ends first.
std::optional<int16_t> ReadOldPortCount(CByteStream& in) {
    uint8_t fields[10];
    if (in.Read(fields, sizeof fields) != sizeof fields) return std::nullopt;
    return static_cast<int16_t>(static_cast<uint16_t>(fields[8] | (fields[9] << 8)));
}

// A transfer always leaves the map of old element numbers behind, even for an old
// library of no elements (the ground element's number alone).
bool HoldsTransferredLibrary(CLibraryData& library) {
    return !library.GetOldNumbers().empty();
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
    if (header && WrittenByVersionOne(*header)) {
        Refuse(prompts, kOldVersionOneFile, path);
        return std::nullopt;
    }
    const auto ports = header ? ReadOldPortCount(in) : std::nullopt;
    // A sheet with ports cannot be placed either: its items are not converted.
    Refuse(prompts, ports && *ports == 0 ? kNotASubcircuit : kIncompatibleOldFile, path);
    return std::nullopt;
}

}  // namespace kestro
