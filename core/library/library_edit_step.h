#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/library/library_fonts.h"

namespace kestro {

class CLibraryData;
class CLibElement;

// What one gesture changed in one element, as element records (written with the
// library's current version). An empty record means the element did not exist.
struct CLibraryElementChange {
    uint32_t identifier = 0;  // 0 to N-1, or a built-in 1004 to 1006
    std::vector<uint8_t> before;
    std::vector<uint8_t> after;
};

// What one gesture changed in the library: enough to undo and redo it whole.
struct CLibraryEditRecord {
    std::string label;  // what the gesture did, for "Undo <label>"
    std::vector<CLibraryElementChange> elements;
    std::vector<uint8_t> menusBefore, menusAfter;  // both empty: the menus did not change
    std::optional<CLibraryFonts> fontsBefore, fontsAfter;

    bool Empty() const {
        return elements.empty() && menusBefore.empty() && menusAfter.empty() && !fontsBefore;
    }
};

// Receives every committed library change (the library's undo history).
class CLibraryJournal {
public:
    virtual ~CLibraryJournal() = default;
    virtual void Record(CLibraryEditRecord record) = 0;
};

// One gesture's change of the library. Touch what is about to change, change it through
// the library model as usual, then Commit. A step dropped without Commit records
// nothing (the changes already made stay).
class CLibraryEditStep {
public:
    CLibraryEditStep(CLibraryData& library, std::string label);
    CLibraryEditStep(const CLibraryEditStep&) = delete;
    CLibraryEditStep& operator=(const CLibraryEditStep&) = delete;

    // Before changing, creating (touch the next identifier) or removing the element;
    // touching twice keeps the first. An element removed by the step is recognised by
    // its absence; a step that removes an element should change no other element.
    void TouchElement(uint32_t identifier);
    void TouchMenus();
    void TouchFonts();
    // Compares before with after; when anything changed, marks the library modified,
    // hands the record to the library's journal (when it has one) and returns true.
    bool Commit();

private:
    CLibraryData& m_library;
    CLibraryEditRecord m_record;
    std::vector<const CLibElement*> m_touched;  // the element each change began with
    bool m_menusTouched = false;
    bool m_committed = false;
};

// Puts the library back as it was before the record (undo) or after it (redo). The
// element table, menus and fonts are restored; the library stays marked modified.
void UndoLibraryRecord(CLibraryData& library, const CLibraryEditRecord& record);
void RedoLibraryRecord(CLibraryData& library, const CLibraryEditRecord& record);

// The lowest identifier that undoing (redoing) the record takes out of the element table
// or puts in: from there on the elements go or change their identifiers, by which placed
// elements refer to them. Nothing when the table keeps its order.
std::optional<uint32_t> FirstRenumberedElement(const CLibraryEditRecord& record, bool undo);

// The element's record as the library writes it; empty when there is no such element.
std::vector<uint8_t> ElementRecordBytes(CLibraryData& library, uint32_t identifier);

}  // namespace kestro
