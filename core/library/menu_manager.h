#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/library/menu_stream.h"
#include "core/platform/record_buffer.h"

namespace kestro {

// The element menu tree of the library, kept as its menu stream: the bytes the library
// file holds in its menu block. The stream buffer keeps its data when it is written out,
// so the same bytes can be written again at every save.
class CMenuManager {
public:
    CMenuManager();

    CRecordBuffer& GetStream() { return m_stream; }
    std::vector<uint8_t> GetBytes() const;
    void SetBytes(const uint8_t* data, size_t size);
    void SetBytes(const std::vector<uint8_t>& bytes) { SetBytes(bytes.data(), bytes.size()); }
    std::vector<CMenuItem> GetItems() const;
    void SetItems(const std::vector<CMenuItem>& items) { SetBytes(WriteMenuStream(items)); }

    // Reads the stream from a block of the library file at `offset`.
    void ReadBlock(CByteStream& file, uint64_t offset);
    // Writes the stream as one block of 256-byte granules at the file's position.
    void WriteBlock(CByteStream& file);

    // A top-level element entry at the end, labelled with the element's name.
    void AppendElement(uint16_t identifier, const std::string& name);
    // Drops the entries of a deleted regular element and moves the entries of the
    // elements after it down by one, as their identifiers move.
    void RemoveElement(uint16_t identifier);

private:
    CRecordBuffer m_stream;
};

}  // namespace kestro
