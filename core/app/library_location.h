#pragma once

// Where the element library lives. In a program folder that can be written (a build
// tree, an unpacked copy of one's own) the library is read and saved there, beside the
// editor. An installed system's program folder cannot be written by its users, so each
// user saves into a copy of their own, which is read from then on in its place.
#include <string>

namespace kestro {

class CLibraryData;
class CPrompts;

inline constexpr const char* kLibraryFileName = "KESTRO.LIB";

// The user's folder of Kestro data, ending in "/": <data home>/QUORVANT/KESTRO/, the
// same folder Qt names the data location of the editor. Empty without a home folder.
std::string UserKestroFolder();

struct CLibraryLocation {
    std::string installed;  // KESTRO.LIB in the program folder
    std::string read;       // the file loaded at start-up
    std::string save;       // the file a save writes
    bool SavesUserCopy() const { return save != installed; }
};

// `userFolder` is where the user's copy lives (UserKestroFolder() outside tests). The
// user's copy is read when the program folder cannot be written and the copy exists.
CLibraryLocation LocateLibrary(const std::string& programFolder, const std::string& userFolder);

// Opens and saves the library where LocateLibrary puts it.
class CLibraryStorage {
public:
    CLibraryStorage(CLibraryLocation location, CPrompts& prompts);

    const CLibraryLocation& Location() const { return m_location; }
    // Loads the read file, and points saving at the save file. False when the file could
    // not be read (the loader has told why; the library is empty).
    bool Open(CLibraryData& library) const;
    // Saves to the save file. Into the user's copy, its folder is made when missing and
    // the first save of the run tells the user where the library went.
    bool Save(CLibraryData& library);

private:
    CLibraryLocation m_location;
    CPrompts& m_prompts;
    bool m_toldWhere = false;
};

}  // namespace kestro
