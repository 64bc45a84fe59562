#include "gui/library_editor/library_transfer.h"

#include "core/library/library_data.h"
#include "core/library/old_library_transfer.h"
#include "core/platform/path.h"
#include "core/platform/prompts.h"

namespace kestro {

namespace {

const char kSaveLibraryQuestion[] = "Save changes to Kestro Library?";

// The library about to be replaced keeps its unsaved changes only if the user says so.
bool OfferLibraryForSaving(CLibraryData& library, CPrompts& prompts) {
    if (!library.IsModified()) return true;
    switch (
        prompts.Ask(kSaveLibraryQuestion, MessageButtons::YesNoCancel, MessageIcon::Exclamation)) {
        case Answer::Yes:
            return library.Save();
        case Answer::No:
            return true;
        default:
            return false;
    }
}

CFileDialogRequest OldLibraryRequest() {
    CFileDialogRequest request;
    request.title = kOpenOldLibraryTitle;
    request.filter = kOldLibraryFilter;
    request.fileName = kOldLibraryFileName;
    request.mustExist = true;
    return request;
}

// The new file is offered beside the old one.
CFileDialogRequest NewLibraryRequest(const std::string& oldLibrary) {
    CFileDialogRequest request;
    request.title = kSaveNewLibraryTitle;
    request.filter = kOldLibraryFilter;
    request.fileName = FolderOf(oldLibrary) + "KESTRO.LIB";
    request.overwritePrompt = true;
    return request;
}

}  // namespace

bool RunLibraryTransfer(CLibraryData& library, CPrompts& prompts,
                        const CLibraryTransferSteps& steps) {
    if (steps.closeDocuments && !steps.closeDocuments()) return false;
    if (!OfferLibraryForSaving(library, prompts)) return false;
    if (steps.closeLibraryWindows) steps.closeLibraryWindows();
    const std::optional<std::string> oldLibrary = prompts.OpenFileName(OldLibraryRequest());
    if (!oldLibrary) return false;
    const std::optional<std::string> newLibrary =
        prompts.SaveFileName(NewLibraryRequest(*oldLibrary));
    if (!newLibrary) return false;

    if (steps.showBusy) steps.showBusy(true);
    const TransferResult result = TransferOldLibrary(*oldLibrary, *newLibrary, library, prompts);
    if (steps.showBusy) steps.showBusy(false);
    if (result == TransferResult::OldLibraryUnreadable) return false;
    if (steps.libraryReplaced) steps.libraryReplaced();
    return true;
}

}  // namespace kestro
