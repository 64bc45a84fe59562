#pragma once

#include <functional>
#include <string>

namespace kestro {

class CLibraryData;
class CPrompts;

// What the transfer needs from the rest of the editor.
struct CLibraryTransferSteps {
    // Offers every modified document for saving, then closes them all (schematics refer
    // to elements by identifier, and the identifiers are about to change). False when
    // the user cancelled.
    std::function<bool()> closeDocuments;
    // Destroys the menu editor and clears and hides the attribute window.
    std::function<void()> closeLibraryWindows;
    // The library holds the transferred elements: the "Elements" menu and the element
    // buttons are rebuilt and the menu editor shows the new tree.
    std::function<void()> libraryReplaced;
    // The wait cursor and "Processing, Please wait..." while true, "Ready" after.
    std::function<void(bool busy)> showBusy;
};

inline constexpr const char* kOldLibraryFilter =
    "Library Files (*.lib) |*.lib| All Files (*.*) |*.*||";
inline constexpr const char* kOpenOldLibraryTitle = "Open Kestro Version 2.0 Library File";
inline constexpr const char* kSaveNewLibraryTitle = "Save As Kestro Version 3.0 Library File";

// "Transfer old version Library ": closes the documents and the library windows, asks
// for the old "ELEMENTS.LIB" and for the new library file, transfers and saves. A
// modified library is offered for saving first, since the transfer replaces it. When the
// old library cannot be read nothing changes; otherwise the editor goes on with the new
// library, even when its save failed (it then stays modified). Returns true when the
// library was replaced.
bool RunLibraryTransfer(CLibraryData& library, CPrompts& prompts,
                        const CLibraryTransferSteps& steps);

}  // namespace kestro
