#include "core/app/library_location.h"

#include "core/library/library_data.h"
#include "core/platform/file_stream.h"
#include "core/platform/folders.h"
#include "core/platform/path.h"
#include "core/platform/prompts.h"

namespace kestro {

namespace {

std::string SavedToUserCopy(const CLibraryLocation& location) {
    return "Kestro Library has been saved to your own copy:\n" + location.save +
           "\n\nThe library installed in " + FolderOf(location.installed) +
           " cannot be changed. Kestro reads your copy from now on; delete it to go back to "
           "the installed library.";
}

}  // namespace

std::string UserKestroFolder() {
    const std::string dataHome = UserDataHome();
    return dataHome.empty() ? std::string() : dataHome + "QUORVANT/KESTRO/";
}

CLibraryLocation LocateLibrary(const std::string& programFolder, const std::string& userFolder) {
    CLibraryLocation location;
    location.installed = WithTrailingSlash(programFolder) + kLibraryFileName;
    location.read = location.save = location.installed;
    if (IsFolderWritable(programFolder) || userFolder.empty()) return location;
    location.save = WithTrailingSlash(userFolder) + kLibraryFileName;
    if (FileExists(location.save)) location.read = location.save;
    return location;
}

CLibraryStorage::CLibraryStorage(CLibraryLocation location, CPrompts& prompts)
    : m_location(std::move(location)), m_prompts(prompts) {}

bool CLibraryStorage::Open(CLibraryData& library) const {
    const bool opened = library.Open(m_location.read);
    library.SetPath(m_location.save);
    return opened;
}

bool CLibraryStorage::Save(CLibraryData& library) {
    library.SetPath(m_location.save);
    if (!m_location.SavesUserCopy()) return library.Save();
    // A failure to make the folder is told by the save, which names the file.
    MakeFolders(FolderOf(m_location.save));
    if (!library.Save()) return false;
    if (!m_toldWhere) m_prompts.ShowMessage(SavedToUserCopy(m_location), MessageIcon::Information);
    m_toldWhere = true;
    return true;
}

}  // namespace kestro
