// Reading and writing the library file.
//
// Layout: u32 magic at 0; the header block at 4 (granule 252, so the next section
// starts at 256); then blocks of 256-byte granules: the element offset table, the old
// element numbers, the menu stream, elements 1004, 1005, 1006, the fonts, and every
// regular element in identifier order. The header lists the sections in its own order,
// with the fonts before the label element.
#include <algorithm>
#include <cstring>

#include "core/library/library_data.h"
#include "core/platform/file_stream.h"
#include "core/platform/path.h"
#include "core/platform/record_buffer.h"

namespace kestro {

namespace {

constexpr uint32_t kHeaderGranule = 252;
constexpr uint32_t kGranule = 256;
const char kSaveFailed[] = "Can not save library file.";

bool OlderThanCurrent(uint16_t major, uint16_t minor) {
    return major < CLibraryData::kVersionMajor ||
           (major == CLibraryData::kVersionMajor && minor < CLibraryData::kVersionMinor);
}

void WriteMagic(CByteStream& file) {
    const uint8_t magic[4] = {0x45, 0x71, 0x96, 0x00};
    file.Write(magic, sizeof(magic));
}

}  // namespace

bool CLibraryData::Open(const std::string& path, bool loadAll) {
    auto file = std::make_unique<CFileStream>();
    try {
        file->Open(path, CFileStream::Mode::Read);
    } catch (const CFileException& e) {
        Reset();
        m_path = path;
        m_prompts.Error(e.what());
        return false;
    }
    return OpenStream(std::move(file), path, loadAll);
}

bool CLibraryData::OpenStream(std::unique_ptr<CByteStream> stream, const std::string& path,
                              bool loadAll) {
    Reset();
    m_path = path;
    m_file = std::move(stream);
    try {
        if (Load(loadAll)) return true;
    } catch (const CIOBufferException& e) {
        m_prompts.Error(e.what());
        if (e.Where().IsKnown())
            m_prompts.ReportDetail(path + ": reading stopped at " + e.Where().Describe() +
                                   ": a length over 64000 bytes");
    } catch (const std::exception& e) {
        m_prompts.Error(e.what());
    }
    Reset();
    m_path = path;
    return false;
}

void CLibraryData::ShowInvalidFile() {
    m_prompts.Error("Invalid file. File name : " + FileNameOf(m_path));
}

bool CLibraryData::Load(bool loadAll) {
    m_modified = false;
    uint8_t magic[4] = {};
    m_file->Seek(0);
    if (m_file->Read(magic, 4) != 4 || magic[0] != 0x45 || magic[1] != 0x71 || magic[2] != 0x96 ||
        magic[3] != 0x00) {
        ShowInvalidFile();
        return false;
    }
    CRecordBuffer in(BufferMode::Load, m_file.get());
    uint32_t count = 0;
    const CSections sections = ReadHeader(in, count);
    // Identifiers from 1004 on belong to the built-in elements.
    if (count > kMaxElements) {
        ShowInvalidFile();
        return false;
    }
    if (OlderThanCurrent(m_versionMajor, m_versionMinor)) {
        loadAll = true;
        m_modified = true;
    }
    ReadElementOffsets(in, sections.table, count);
    ReadOldNumbers(in, sections.oldNumbers);
    m_menus.ReadBlock(*m_file, sections.menu);
    m_control = ReadElementAt(sections.control, kControlId);
    m_port = ReadElementAt(sections.port, kPortId);
    if (m_versionMinor >= 3) m_label = ReadElementAt(sections.label, kLabelId);
    m_port->SetName("Port");
    ReadFonts(in, sections.fonts);
    m_elements.clear();
    m_elements.resize(count);
    if (!loadAll) return true;
    for (uint32_t i = 0; i < count; ++i)
        m_elements[i] = ReadElementAt(m_offsets[i], static_cast<uint16_t>(i));
    if (m_versionMinor == 0 && count > 0)
        m_elements[0]->SetFlags(m_elements[0]->GetFlags() | CLibElement::kGround);
    return true;
}

CLibraryData::CSections CLibraryData::ReadHeader(CRecordBuffer& in, uint32_t& count) {
    in.ReadRecordAt(4);
    m_versionMajor = in.Get<uint16_t>();
    m_versionMinor = in.Get<uint16_t>();
    count = in.Get<uint32_t>();
    CSections s;
    for (uint32_t* offset :
         {&s.table, &s.oldNumbers, &s.menu, &s.control, &s.port, &s.fonts, &s.label})
        *offset = in.Get<uint32_t>();
    return s;
}

void CLibraryData::ReadElementOffsets(CRecordBuffer& in, uint32_t offset, uint32_t count) {
    in.ReadRecordAt(offset);
    m_offsets.assign(count + 1, 0);
    const size_t bytes = std::min<size_t>(size_t{count} * 4, in.Length());
    for (size_t i = 0; i < bytes / 4; ++i)
        m_offsets[i] = in.Get<uint32_t>();
}

void CLibraryData::ReadOldNumbers(CRecordBuffer& in, uint32_t offset) {
    in.ReadRecordAt(offset);
    m_oldNumbers.assign(in.Get<uint16_t>(), 0);
    for (auto& number : m_oldNumbers)
        number = in.Get<uint16_t>();
}

void CLibraryData::ReadFonts(CRecordBuffer& in, uint32_t offset) {
    in.ReadRecordAt(offset);
    for (auto& font : m_fonts) {
        in.String(font.faceName);
        font.height = in.Get<int32_t>();
        font.weight = in.Get<int32_t>();
        font.italic = in.Get<uint32_t>();
        font.pointSize = m_versionMinor >= 2 ? in.Get<int32_t>() : font.height;
    }
}

std::unique_ptr<CLibElement> CLibraryData::ReadElementAt(uint64_t offset, uint16_t identifier) {
    auto element = std::make_unique<CLibElement>();
    CRecordBuffer in(BufferMode::Load, m_file.get());
    in.SetVersion(m_versionMajor, m_versionMinor);
    if (m_file) in.ReadRecordAt(offset);
    element->Serialize(in, identifier, m_context);
    return element;
}

bool CLibraryData::Save() {
    // The old file is about to go away: everything still in it is read first.
    if (!LoadAllElements()) return false;
    try {
        CMirrorFile mirror(m_path);
        std::vector<uint32_t> offsets = WriteLibrary(mirror);
        mirror.Commit();
        m_offsets = std::move(offsets);
    } catch (const CFileException& e) {
        m_prompts.Error(e.what());
        return false;
    } catch (const std::exception&) {
        m_prompts.Error(kSaveFailed);
        return false;
    }
    m_versionMajor = kVersionMajor;
    m_versionMinor = kVersionMinor;
    ReopenForReading();
    m_modified = false;
    return true;
}

bool CLibraryData::WriteCopy(CByteStream& out) {
    try {
        // Read quietly: a copy taken unasked must not ask anything.
        for (size_t i = 0; i < m_elements.size(); ++i) {
            if (m_elements[i]) continue;
            if (i >= m_offsets.size()) return false;
            m_elements[i] = ReadElementAt(m_offsets[i], static_cast<uint16_t>(i));
        }
        WriteLibrary(out);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

// Every element is in memory after a save, so a failure here loses nothing: later
// reads simply have no file to go to.
void CLibraryData::ReopenForReading() {
    auto file = std::make_unique<CFileStream>();
    try {
        file->Open(m_path, CFileStream::Mode::Read);
        m_file = std::move(file);
    } catch (const CFileException&) {
        m_file.reset();
    }
}

// Returns the element offsets the written file holds.
std::vector<uint32_t> CLibraryData::WriteLibrary(CByteStream& file) {
    CRecordBuffer out(BufferMode::Store, &file);
    out.SetVersion(kVersionMajor, kVersionMinor);
    const auto count = GetElementCount();
    CSections sections;
    WriteMagic(file);
    WriteHeader(out, count, sections);

    sections.table = static_cast<uint32_t>(file.Tell());
    out.Reserved(size_t{count} * 4);
    out.WritePadded(kGranule);

    sections.oldNumbers = static_cast<uint32_t>(file.Tell());
    if (m_oldNumbers.size() > 0xFFFF) throw CIOBufferException(CIOBufferException::kTooLarge);
    out.Put<uint16_t>(static_cast<uint16_t>(m_oldNumbers.size()));
    for (uint16_t number : m_oldNumbers)
        out.Put<uint16_t>(number);
    out.WritePadded(kGranule);

    sections.menu = static_cast<uint32_t>(file.Tell());
    m_menus.WriteBlock(file);
    sections.control = static_cast<uint32_t>(file.Tell());
    WriteElement(out, *m_control, kControlId);
    sections.port = static_cast<uint32_t>(file.Tell());
    WriteElement(out, *m_port, kPortId);
    sections.label = static_cast<uint32_t>(file.Tell());
    WriteElement(out, *m_label, kLabelId);
    sections.fonts = static_cast<uint32_t>(file.Tell());
    WriteFonts(out);

    std::vector<uint32_t> offsets(count + 1, 0);
    for (uint32_t i = 0; i < count; ++i) {
        offsets[i] = static_cast<uint32_t>(file.Tell());
        WriteElement(out, *m_elements[i], static_cast<uint16_t>(i));
    }

    file.Seek(0);
    WriteMagic(file);
    WriteHeader(out, count, sections);
    for (uint32_t i = 0; i < count; ++i)
        out.Put<uint32_t>(offsets[i]);
    out.WritePadded(kGranule);
    return offsets;
}

void CLibraryData::WriteHeader(CRecordBuffer& out, uint32_t count, const CSections& s) {
    out.Put<uint16_t>(kVersionMajor);
    out.Put<uint16_t>(kVersionMinor);
    out.Put<uint32_t>(count);
    for (uint32_t offset : {s.table, s.oldNumbers, s.menu, s.control, s.port, s.fonts, s.label})
        out.Put<uint32_t>(offset);
    out.WritePadded(kHeaderGranule);
}

void CLibraryData::WriteElement(CRecordBuffer& out, CLibElement& element, uint16_t identifier) {
    element.Serialize(out, identifier, m_context);
    out.WritePadded(kGranule);
}

void CLibraryData::WriteFonts(CRecordBuffer& out) {
    for (auto& font : m_fonts) {
        out.PutString(font.faceName);
        out.Put<int32_t>(font.height);
        out.Put<int32_t>(font.weight);
        out.Put<uint32_t>(font.italic);
        out.Put<int32_t>(font.pointSize);
    }
    out.WritePadded(kGranule);
}

}  // namespace kestro
