#pragma once

// The transfer of a previous-version library into a new library file: the three old
// files of one folder are read, every record becomes an element (the ground element
// first), the old element numbers are kept for reading old schematics, the menu groups
// become the element menu tree, and the three built-in symbols are made anew.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/library/menu_stream.h"
#include "core/library/old_library.h"

namespace kestro {

class CLibraryData;
class CPrompts;

inline constexpr const char* kOldLibraryFileName = "ELEMENTS.LIB";
inline constexpr const char* kOldGroundFileName = "ELEMENTS.GND";
inline constexpr const char* kOldMenuFileName = "ELEMENTS.MNU";
// The old number of the ground element, element 0 of a transferred library.
inline constexpr uint16_t kOldGroundNumber = 8013;

// The old files as far as they could be read.
struct COldLibraryFiles {
    std::vector<COldRecord> records;                   // "ELEMENTS.LIB"
    std::optional<COldRecord> ground;                  // "ELEMENTS.GND"
    std::optional<std::vector<COldMenuGroup>> groups;  // "ELEMENTS.MNU"; none: a flat menu
};

// What a transfer could not carry over in full, beyond the messages already shown.
struct COldTransferNote {
    // Records past the 1003 a library holds beside the ground element.
    size_t recordsLeftOut = 0;
    // Elements whose drawing stopped, each with the command letter it stopped at.
    std::vector<std::pair<uint16_t, uint8_t>> stoppedDrawings;

    // "The drawings of 2 elements stop at commands that are not converted: P (1), T (1)."
    // Empty when every drawing was converted.
    std::string DrawingSummary() const;
    // A command letter as the summary shows it: the letter, or 0xHH when not printable.
    static std::string LetterText(uint8_t letter);
};

// Reads "ELEMENTS.LIB" at `libraryPath`, then "ELEMENTS.GND" and "ELEMENTS.MNU" from the
// same folder (in any case of letters). Each file that cannot be used is reported: the
// file error's own text, or "File error. (Old Version)" for a short or unmarked part
// (with where it stopped as the message's detail). Nothing comes back when
// "ELEMENTS.LIB" cannot be used.
std::optional<COldLibraryFiles> ReadOldLibraryFiles(const std::string& libraryPath,
                                                    CPrompts& prompts);

// Fills a library just made with New: N records give elements 0 to N (element 0 the
// ground element, empty when there is none), the table of old element numbers (8013,
// then each record's), the menu tree and the built-in symbols.
void ConvertOldLibrary(const COldLibraryFiles& files, CLibraryData& library,
                       COldTransferNote* note = nullptr);

// The menu tree from the groups: each group a popup at the end of its parent (the top
// level for 0 or a group not met yet), then element 0 at the top level and element i
// under the group of record i-1. `names` are the element names by identifier. A popup
// left without entries is stored as a separator, as the menu editor stores it.
std::vector<CMenuItem> OldMenuTree(const std::vector<COldMenuGroup>& groups,
                                   const std::vector<COldRecord>& records,
                                   const std::vector<std::string>& names);
// One top-level entry per element, in identifier order.
std::vector<CMenuItem> FlatMenuTree(const std::vector<std::string>& names);

// The simulation control symbol, the port and the label of a transferred library.
void MakeTransferBuiltIns(CLibraryData& library);

enum class TransferResult { Saved, OldLibraryUnreadable, SaveFailed };

// The whole transfer: when "ELEMENTS.LIB" can be used, `library` is replaced by a new
// library bound to `newPath`, filled and saved. When the old library cannot be read the
// library and every file stay as they were; a failed save leaves the new library in
// memory, modified. Every failure is shown.
TransferResult TransferOldLibrary(const std::string& oldLibraryPath, const std::string& newPath,
                                  CLibraryData& library, CPrompts& prompts,
                                  COldTransferNote* note = nullptr);

}  // namespace kestro
