#include <algorithm>
#include <cmath>
#include <cstring>
#include <exception>

#include "core/document/circuit.h"
#include "core/document/object_records.h"
#include "core/library/library_data.h"
#include "core/objects/part.h"
#include "core/platform/file_stream.h"
#include "core/platform/prompts.h"
#include "core/platform/record_buffer.h"
#include "core/schematic_file/old_schematic_file.h"
#include "core/schematic_file/schematic_file.h"

namespace kestro {

namespace {

// The file ends inside a record, a record is missing, or an object has no kind tag:
// nothing after it can be read.
struct CDamagedFile {
    CReadPosition where;
    std::string reason;
};

constexpr char kOldMarker[9] = {'S', 'C', 'H', ' ', 'F', 'I', 'L', 'E', '\0'};

enum class FileKind { Current, Old, Invalid };

FileKind DetectKind(CByteStream& in) {
    uint8_t head[9] = {};
    in.Seek(0);
    const size_t got = in.Read(head, sizeof head);
    if (got >= 4) {
        const uint32_t magic = uint32_t(head[0]) | uint32_t(head[1]) << 8 |
                               uint32_t(head[2]) << 16 | uint32_t(head[3]) << 24;
        if (magic == kSchematicMagic) {
            in.Seek(4);
            return FileKind::Current;
        }
    }
    if (got == sizeof head && std::memcmp(head, kOldMarker, sizeof head) == 0) return FileKind::Old;
    return FileKind::Invalid;
}

uint16_t VersionWord(int32_t value) {
    return static_cast<uint16_t>(std::clamp<int32_t>(value, 0, 0xFFFF));
}

bool Finite(const CRectF& r) {
    return std::isfinite(r.left) && std::isfinite(r.top) && std::isfinite(r.right) &&
           std::isfinite(r.bottom);
}

// Reads the records of one schematic, in file order, into a document.
class CSchematicReader {
public:
    CSchematicReader(CByteStream& in)
        : m_in(in), m_size(in.Size()), m_buffer(BufferMode::Load, &in) {}

    // Header record: the file's version, also handed to the buffer for the object readers.
    void ReadVersion(int32_t& major, int32_t& minor) {
        Next();
        major = m_buffer.Get<int32_t>();
        minor = m_buffer.Get<int32_t>();
        m_buffer.SetVersion(VersionWord(major), VersionWord(minor));
    }

    void ReadDocument(CCircuit& document) {
        int32_t major = 0, minor = 0;
        ReadVersion(major, minor);
        document.SetVersion(major, minor);
        ReadInterface(document);
        Next();  // the path it was saved to: the document is where it was read from
        ReadTitle(document);
        ReadSheetValues(document);
        ReadSimulation(document, major, minor);
        Next();
        document.GetEnvironment().library.ReadElementTable(m_buffer, document.GetElementMap());
        ReadObjects(document);
        ReadCounters(document);
        Next();  // ".END"
        document.SetFlags(document.GetFlags() &
                          ~(CCircuit::kFlagNodesNumbered | CCircuit::kFlagCleanupPending));
    }

    // The port count and symbol box at the start of the interface record.
    void ReadBox(CSubcircuitHeader& header) {
        Next();
        header.portCount = m_buffer.Get<uint16_t>();
        CRectF box;
        m_buffer.Rect(box);
        if (Finite(box)) header.symbolBox = box;
    }

private:
    // Loads the next record, which must be there whole.
    void Next() {
        const uint64_t at = m_in.Tell();
        const CReadPosition where{static_cast<int64_t>(at), m_records++};
        uint8_t framing[4];
        if (at > m_size || m_size - at < sizeof framing || m_in.Read(framing, 4) != 4)
            throw CDamagedFile{where, "the file ends where a record should start"};
        const uint32_t length = uint32_t(framing[0]) | uint32_t(framing[1]) << 8 |
                                uint32_t(framing[2]) << 16 | uint32_t(framing[3]) << 24;
        if (length > CRecordBuffer::kMaxRecord)
            throw CIOBufferException(CIOBufferException::kTooLarge, where);
        if (length == 0) throw CDamagedFile{where, "a record of length 0"};
        if (m_size - at - 4 < length)
            throw CDamagedFile{
                where, "the file ends inside a record of " + std::to_string(length) + " bytes"};
        m_in.Seek(at);
        if (!m_buffer.NextRecord() || m_buffer.Length() != length)
            throw CDamagedFile{where, "the record cannot be read"};
    }

    void ReadInterface(CCircuit& document) {
        Next();
        const uint16_t count = m_buffer.Get<uint16_t>();
        CRectF box;
        m_buffer.Rect(box);
        std::vector<CPointF> positions;
        m_buffer.Points(positions);
        document.SetInterface(count, std::move(positions), box);
        for (std::string& name : document.GetPortNames())
            m_buffer.String(name);
    }

    void ReadTitle(CCircuit& document) {
        Next();
        for (std::string& text : document.GetTitleInfo())
            m_buffer.String(text);
    }

    void ReadSheetValues(CCircuit& document) {
        Next();
        document.SetStoredWord(m_buffer.Get<int32_t>());
        document.SetFlags(m_buffer.Get<int32_t>());
        CRectF area;
        m_buffer.Rect(area);
        document.SetSecondStoredWord(m_buffer.Get<int32_t>());
        float zoom = m_buffer.Get<float>();
        if (Finite(area))
            document.SetDrawingArea({SnapCoordinate(area.left), SnapCoordinate(area.top),
                                     SnapCoordinate(area.right), SnapCoordinate(area.bottom)});
        // 0 means "not set"; a zoom that is not a positive number would break the views.
        if (!(std::isfinite(zoom) && zoom > 0.0f)) zoom = 1.2f;
        document.SetZoom(zoom);
    }

    void ReadSimulation(CCircuit& document, int32_t major, int32_t minor) {
        Next();
        auto& values = document.GetSimulationParameters();
        if (major == 3 && minor < 4) {
            // Name, three float32 and three int32 values.
            std::string name = values[0].GetString();
            m_buffer.String(name);
            values[0] = CGenType::MakeString(name);
            for (size_t i = 1; i <= 3; ++i) {
                CGenType value = CGenType::MakeFloat(0.0);
                value.SetFloat(m_buffer.Get<float>());
                values[i] = value;
            }
            for (size_t i = 4; i <= 6; ++i)
                values[i] = CGenType::MakeInteger(m_buffer.Get<int32_t>());
            return;
        }
        for (CGenType& value : values)
            value.Serialize(m_buffer);
    }

    void ReadObjects(CCircuit& document) {
        Next();
        const int32_t count = m_buffer.Get<int32_t>();
        CObjectLoader loader(document, &document.GetElementMap());
        // A damaged count must not reserve more than the file can hold (6 bytes at least
        // per object record).
        const auto expected = static_cast<size_t>(
            std::clamp<int64_t>(count, 0, static_cast<int64_t>((m_size - m_in.Tell()) / 6)));
        loader.Reserve(expected);
        document.ReserveObjects(expected);
        for (int32_t i = 0; i < count; ++i) {
            Next();
            if (!loader.LoadOne(m_buffer))
                throw CDamagedFile{
                    {static_cast<int64_t>(m_in.Tell() - m_buffer.Length() - 4), m_records - 1},
                    "object " + std::to_string(i) + " has no kind tag"};
        }
    }

    void ReadCounters(CCircuit& document) {
        Next();
        std::vector<uint16_t>& counters = document.GetElementCounters();
        counters.assign(document.GetEnvironment().library.GetElementCount(), 0);
        for (uint16_t& counter : counters)
            counter = m_buffer.Get<uint16_t>();
    }

    CByteStream& m_in;
    uint64_t m_size;
    CRecordBuffer m_buffer;
    int64_t m_records = 0;
};

// The system's message, and where reading stopped for those who asked.
void ShowLoadFailure(CPrompts& prompts, const std::string& message, const std::string& path = {},
                     const CReadPosition& where = {}, const std::string& reason = {}) {
    prompts.ShowMessage(message, MessageIcon::Stop);
    if (!where.IsKnown()) return;
    std::string detail = path + ": reading stopped at " + where.Describe();
    if (!reason.empty()) detail += ": " + reason;
    prompts.ReportDetail(detail);
}

}  // namespace

bool ReadSchematic(CCircuit& document, CByteStream& in, const std::string& path) {
    CPrompts& prompts = document.GetEnvironment().prompts;
    try {
        if (in.Size() == 0) return true;
        document.SetSavedPath(path);
        switch (DetectKind(in)) {
            case FileKind::Current:
                CSchematicReader(in).ReadDocument(document);
                return true;
            case FileKind::Old:
                return ReadOldSchematic(document, in, path);
            case FileKind::Invalid:
                ShowLoadFailure(prompts, FormatFileMessage(kInvalidSchematicFile, path));
                return false;
        }
    } catch (const CDamagedFile& damage) {
        ShowLoadFailure(prompts, FormatFileMessage(kCannotLoadFile, path), path, damage.where,
                        damage.reason);
    } catch (const CIOBufferException& error) {
        ShowLoadFailure(prompts, error.what(), path, error.Where(), "a length over 64000 bytes");
    } catch (const CFileException& error) {
        ShowLoadFailure(prompts, error.what());
    } catch (const std::exception&) {
        ShowLoadFailure(prompts, FormatFileMessage(kCannotLoadFile, path));
    }
    return false;
}

bool ReadSchematicFile(CCircuit& document, const std::string& path) {
    CFileStream file;
    try {
        file.Open(path, CFileStream::Mode::Read);
    } catch (const CFileException& error) {
        ShowLoadFailure(document.GetEnvironment().prompts, error.what());
        return false;
    }
    return ReadSchematic(document, file, path);
}

std::optional<CSubcircuitHeader> ReadSubcircuitHeader(CByteStream& in, const std::string& path,
                                                      CPrompts& prompts) {
    try {
        CSubcircuitHeader header;
        if (in.Size() == 0) return header;
        switch (DetectKind(in)) {
            case FileKind::Current: {
                CSchematicReader reader(in);
                reader.ReadVersion(header.versionMajor, header.versionMinor);
                reader.ReadBox(header);
                return header;
            }
            case FileKind::Old:
                return ReadOldSubcircuitHeader(in, path, prompts);
            case FileKind::Invalid:
                ShowLoadFailure(prompts, FormatFileMessage(kInvalidSchematicFile, path));
                return std::nullopt;
        }
    } catch (const CDamagedFile& damage) {
        ShowLoadFailure(prompts, FormatFileMessage(kCannotLoadFile, path), path, damage.where,
                        damage.reason);
    } catch (const CIOBufferException& error) {
        ShowLoadFailure(prompts, error.what(), path, error.Where(), "a length over 64000 bytes");
    } catch (const CFileException& error) {
        ShowLoadFailure(prompts, error.what());
    } catch (const std::exception&) {
        ShowLoadFailure(prompts, FormatFileMessage(kCannotLoadFile, path));
    }
    return std::nullopt;
}

std::optional<CSubcircuitHeader> ReadSubcircuitHeader(const std::string& path, CPrompts& prompts) {
    CFileStream file;
    try {
        file.Open(path, CFileStream::Mode::Read);
    } catch (const CFileException& error) {
        ShowLoadFailure(prompts, error.what());
        return std::nullopt;
    }
    return ReadSubcircuitHeader(file, path, prompts);
}

}  // namespace kestro
