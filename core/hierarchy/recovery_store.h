#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kestro {

class CCircuit;

// A recovery copy found in the folder: the sheet as it was autosaved, the file it is a
// copy of (empty for a sheet never saved) and when it was written (seconds since 1970).
struct CRecoveredDocument {
    std::string copyPath;
    std::string originalPath;
    std::string key;
    int64_t writtenAt = 0;
};

// The folder of autosaved copies of modified sheets. Copies never go near the user's
// own files: each is written beside a small description (original path, time) through
// a temp file renamed over the old copy, so a crash mid-write leaves the previous copy.
// Keys name documents: the full path, or the title of a sheet never saved.
class CRecoveryStore {
public:
    explicit CRecoveryStore(std::string folder);

    // $XDG_STATE_HOME/kestro/recovery, or ~/.local/state/kestro/recovery.
    static std::string DefaultFolder();
    const std::string& Folder() const { return m_folder; }

    // The bytes of the sheet as a schematic file, taken where the sheet lives (the
    // window's thread); writing them may happen elsewhere. The sheet is left as it was.
    // `buffer` lends its memory: a buffer of an earlier snapshot is written over without
    // growing, which is most of what a snapshot of a large sheet would cost.
    static std::vector<uint8_t> Snapshot(CCircuit& sheet, std::vector<uint8_t> buffer = {});
    // Writes a copy under `key`; false (and the earlier copy kept) when it cannot.
    bool Write(const std::string& key, const std::string& originalPath,
               const std::vector<uint8_t>& bytes, int64_t writtenAt) const;
    // Removes the copy of `key` (a save or a clean close made it useless).
    void Remove(const std::string& key) const;
    // The copies in the folder, oldest first; damaged descriptions are left out.
    std::vector<CRecoveredDocument> List() const;

private:
    std::string CopyPath(const std::string& key) const;

    std::string m_folder;
};

}  // namespace kestro
