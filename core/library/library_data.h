#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/library/lib_element.h"
#include "core/library/library_fonts.h"
#include "core/library/menu_manager.h"
#include "core/library/shape.h"
#include "core/platform/byte_stream.h"
#include "core/platform/prompts.h"

namespace kestro {

class CRecordBuffer;
class CLibraryJournal;

// The element library (KESTRO.LIB): the regular elements by identifier 0 to N-1, the
// three built-in elements, the element menus, the four library fonts and the map of
// old element numbers. After opening, the file stays open and each element is read
// from it the first time it is asked for. Messages go through the prompts.
class CLibraryData {
public:
    static constexpr uint16_t kControlId = 1004;  // simulation control symbol
    static constexpr uint16_t kPortId = 1005;
    static constexpr uint16_t kLabelId = 1006;
    static constexpr uint16_t kNoElement = 65535;
    static constexpr uint32_t kMaxElements = 1004;  // identifiers 0 to 1003
    static constexpr uint32_t kMagic = 0x00967145;
    static constexpr uint16_t kVersionMajor = 3;
    static constexpr uint16_t kVersionMinor = 30;

    explicit CLibraryData(CPrompts& prompts);
    ~CLibraryData();
    CLibraryData(const CLibraryData&) = delete;
    CLibraryData& operator=(const CLibraryData&) = delete;

    // --- File ---------------------------------------------------------------------
    // Opens and loads a library without reading its elements (an older version is read
    // whole and marked modified). Failures are reported; the library is then empty.
    bool Open(const std::string& path, bool loadAll = false);
    // The same from a stream of bytes; `path` is where Save writes.
    bool OpenStream(std::unique_ptr<CByteStream> stream, const std::string& path,
                    bool loadAll = false);
    // An empty library of the current version that will be saved to `path`.
    void New(const std::string& path);
    // Writes the whole library through a temporary file that replaces the old one only
    // when complete; on failure the old file stays as it was and the library modified.
    bool Save();
    // The whole library as the bytes of its file, for a copy kept elsewhere: its path and
    // modified mark stay. False, with nothing said, when an element cannot be read.
    bool WriteCopy(CByteStream& out);
    const std::string& GetPath() const { return m_path; }
    void SetPath(const std::string& path) { m_path = path; }
    bool IsModified() const { return m_modified; }
    void SetModified(bool modified = true) { m_modified = modified; }
    uint16_t GetVersionMajor() const { return m_versionMajor; }
    uint16_t GetVersionMinor() const { return m_versionMinor; }

    // --- Elements -----------------------------------------------------------------
    uint32_t GetElementCount() const { return static_cast<uint32_t>(m_elements.size()); }
    // The built-in element for 1004 to 1006, else regular element `identifier`, read on
    // first use; null when there is no such element. An element that cannot be read is
    // reported once and stays empty.
    CLibElement* GetElement(uint32_t identifier);
    bool IsElementLoaded(uint32_t identifier) const;
    // Regular element `identifier` as the library file holds it now (before the changes
    // made since it was opened or saved); null for an element the file does not have yet
    // or cannot give.
    std::unique_ptr<CLibElement> ReadStoredElement(uint32_t identifier);
    // Reads every element not read yet; false (reported) when one cannot be read.
    bool LoadAllElements();
    // First identifier whose netlist name equals `name` without regard to case; -1 for
    // an empty name or none.
    int FindElementByName(std::string_view name);
    // Identifier whose old element number is `number` (entries 1 on, ascending), or 65535.
    uint16_t FindElementByOldNumber(uint16_t number) const;

    CLibElement& GetControlElement() { return *m_control; }
    CLibElement& GetPortElement() { return *m_port; }
    CLibElement& GetLabelElement() { return *m_label; }

    // Asks for a netlist name and appends a new element; it also gets a menu entry.
    // Returns its identifier, or -1 when cancelled.
    int AddElement();
    // As AddElement with a copy of `source` (asking first for a ground element).
    int CopyElement(CLibElement& source);
    // What the "New Library Element" dialog says about a netlist name: the refusal of an
    // empty name or of one the library has already, or nothing when the name can be used.
    std::optional<std::string> RefuseNetlistName(std::string_view name);
    // AddElement and CopyElement with a name already asked for and checked (the ground
    // question too): -1 when the name is refused (reported) or the library is full.
    int AddElementNamed(const std::string& name);
    int CopyElementNamed(CLibElement& source, const std::string& name);
    // The question before copying a ground element; true when the copy may go on.
    bool ConfirmCopy(const CLibElement& source);
    // Removes the element; the elements after it move down by one identifier.
    void DeleteElement(CLibElement& element);
    // Appends an element without asking anything (tools, transfer, tests): it gets the
    // next identifier, which is returned; 65535 when the library is full.
    uint16_t AppendElement(std::unique_ptr<CLibElement> element);
    // Restoring a recorded state (undo and redo of library edits): gives element
    // `identifier` (regular or built-in) the contents of `element`, keeping the object;
    // or inserts `element` there moving the later elements up by one. RemoveElementAt is
    // DeleteElement without the menus.
    void ReplaceElement(uint32_t identifier, std::unique_ptr<CLibElement> element);
    void InsertElementAt(uint32_t identifier, std::unique_ptr<CLibElement> element);
    void RemoveElementAt(uint32_t identifier);
    void SetFonts(const CLibraryFonts& fonts);

    // --- Fonts, old numbers, menus -------------------------------------------------
    const CLibraryFonts& GetFonts() const { return m_fonts; }
    // Sets a font (0 to 3) and copies it into the symbol texts of the loaded elements.
    void SetFont(int index, const CLibraryFont& font);
    const std::vector<uint16_t>& GetOldNumbers() const { return m_oldNumbers; }
    void SetOldNumbers(std::vector<uint16_t> numbers) { m_oldNumbers = std::move(numbers); }
    CMenuManager& GetMenus() { return m_menus; }
    // Where committed edit steps go (the library's undo history); may be null.
    void SetJournal(CLibraryJournal* journal) { m_journal = journal; }
    CLibraryJournal* GetJournal() const { return m_journal; }
    // The current name of the element a menu entry stands for (a regular or a built-in
    // element); nothing for an index the library does not hold.
    std::optional<std::string> MenuEntryName(int16_t code);
    // What shapes read or made for this library take their fonts from.
    const CShapeContext& GetShapeContext() const { return m_context; }
    void SetDefaultTextFont(const CLogicalFont& font) { m_context.defaultTextFont = font; }

    // --- Element name table of a schematic -----------------------------------------
    // u16 version major, minor, u32 element count, u32 `usedCount`, then for every
    // identifier whose `used` flag is set: u16 identifier and the netlist name.
    void WriteElementTable(CRecordBuffer& out, const std::vector<uint16_t>& used,
                           uint32_t usedCount);
    // Reads such a table into a map from stored identifiers to current ones (65535:
    // the element is gone).
    void ReadElementTable(CRecordBuffer& in, std::vector<uint16_t>& map);

private:
    // File offsets of the sections, in the header's order.
    struct CSections {
        uint32_t table = 0, oldNumbers = 0, menu = 0, control = 0, port = 0, fonts = 0, label = 0;
    };

    void Reset();
    bool RefuseNewElement(const std::string& name);
    void MakeBuiltIns();
    bool Load(bool loadAll);
    CSections ReadHeader(CRecordBuffer& in, uint32_t& count);
    void ReadElementOffsets(CRecordBuffer& in, uint32_t offset, uint32_t count);
    void ReadOldNumbers(CRecordBuffer& in, uint32_t offset);
    void ReadFonts(CRecordBuffer& in, uint32_t offset);
    std::unique_ptr<CLibElement> ReadElementAt(uint64_t offset, uint16_t identifier);
    std::vector<uint32_t> WriteLibrary(CByteStream& file);
    void WriteHeader(CRecordBuffer& out, uint32_t count, const CSections& sections);
    void WriteElement(CRecordBuffer& out, CLibElement& element, uint16_t identifier);
    void WriteFonts(CRecordBuffer& out);
    void ReopenForReading();
    void ShowInvalidFile();
    std::optional<std::string> AskNetlistName();

    CPrompts& m_prompts;
    std::unique_ptr<CByteStream> m_file;
    std::string m_path;
    bool m_modified = false;
    uint16_t m_versionMajor = kVersionMajor;
    uint16_t m_versionMinor = kVersionMinor;
    std::vector<uint32_t> m_offsets;  // file offset of each element's block, then 0
    std::vector<std::unique_ptr<CLibElement>> m_elements;  // empty until read
    std::vector<uint16_t> m_oldNumbers;
    CMenuManager m_menus;
    std::unique_ptr<CLibElement> m_control;
    std::unique_ptr<CLibElement> m_port;
    std::unique_ptr<CLibElement> m_label;
    CLibraryFonts m_fonts;
    CShapeContext m_context;
    CLibraryJournal* m_journal = nullptr;
};

// Names compare without regard to case (ASCII letters).
bool SameName(std::string_view a, std::string_view b);

}  // namespace kestro
