#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/document/circuit_context.h"
#include "core/document/document_manager.h"
#include "core/hierarchy/subcircuit_search.h"
#include "core/platform/geometry.h"

namespace kestro {

class CCircuit;
class CFileLocks;
struct CLockHolder;
class CSubCirPart;
struct CFileDialogRequest;

// The open circuit documents of the program and the hierarchy between them: opening
// (a schematic used as a subcircuit is one shared document, possibly without a window),
// finding a missing subcircuit file, saving (never-saved subcircuits first, copies of
// used subcircuits), reloading and closing with the parent links kept, and resizing a
// sheet's symbol box. The editor's document type wraps it and gives documents windows.
//
// Paths are made full and canonical when a document takes them, and compared as the
// file system does. Messages and questions go through the context's prompts.
class CCircuitDocumentManager : public CDocumentManager {
public:
    static constexpr const char* kFileFilter = "KESTRO Files (*.sch) |*.sch||";
    static constexpr const char* kFileExtension = ".sch";
    static constexpr const char* kFindSubcircuitTitle = "Find Subcircuit";
    static constexpr const char* kSaveAsTitle = "Save As";
    static constexpr const char* kUntitled = "untitle";
    static constexpr const char* kPortsWillBeDeleted =
        "Some Ports Will be Deleted. Do you Want to Continue?";
    static constexpr const char* kPathInUse = "Another open schematic has this file name:\n%s";
    static constexpr const char* kOpenElsewhere =
        "%s\n\nis open in another Kestro (user %u, process %p on %h, since %t). When both "
        "change it, each save overwrites the other's work.\n\nOpen it here anyway?";

    explicit CCircuitDocumentManager(const CPartEnvironment& parts);
    ~CCircuitDocumentManager() override;
    CCircuitDocumentManager(const CCircuitDocumentManager&) = delete;
    CCircuitDocumentManager& operator=(const CCircuitDocumentManager&) = delete;

    // What every document of this manager gets.
    const CCircuitContext& GetContext() const { return m_context; }

    // --- Opening -----------------------------------------------------------------------
    // A new empty untitled document ("untitle1", "untitle2"...), marked as having a window.
    std::shared_ptr<CCircuit> NewDocument();
    // Reads a file into a new document without a window; it takes the file's full path.
    // A file of a newer version opens with the newer-version warning. Null when it cannot
    // be read (the reason was shown).
    std::shared_ptr<CCircuit> OpenDocument(const std::string& path);
    // The user opens a file: its disk is searched first for missing subcircuits from now
    // on; the open document of that path, or the file opened. Marked as having a window.
    std::shared_ptr<CCircuit> FindOrOpenDocument(const std::string& path);
    // A subcircuit file by path: an open document, the file, the file found by the quick
    // or the full search or picked in "Find Subcircuit", else a new empty untitled sheet.
    std::shared_ptr<CCircuit> OpenSubcircuitFile(const std::string& path);
    // The block to place for "Load Subcircuit": the symbol box of the open document of
    // that path, else the one in the file's header; nothing when it is not a schematic.
    std::optional<CRectF> SubcircuitPlacementBox(const std::string& path) override;

    // CDocumentManager
    std::shared_ptr<CCircuit> FindByPath(const std::string& path) override;
    // Resolves the stored relative path against the folder of the schematic being read
    // (then the full path), and opens that with OpenSubcircuitFile; an empty path gives a
    // new empty sheet.
    std::shared_ptr<CCircuit> OpenSubcircuit(const std::string& fullPath,
                                             const std::string& relativePath,
                                             CCircuit& from) override;
    std::shared_ptr<CCircuit> CreateUntitled(const CCircuitContext& context) override;
    std::vector<std::shared_ptr<CCircuit>> Documents() const override;

    // --- Windows -----------------------------------------------------------------------
    // The editor tells which documents have windows. A subcircuit document without a
    // window is closed when the last sheet using it closes (unless it is modified).
    void SetHasWindow(const CCircuit& document, bool hasWindow);
    bool HasWindow(const CCircuit& document) const;
    // Called before a never-saved subcircuit is saved under a new name, so that the user
    // sees which sheet is asked for: the editor gives it a window or brings it forward.
    void SetShowDocument(std::function<void(CCircuit&)> show) { m_show = std::move(show); }

    // --- Saving, reloading, closing ----------------------------------------------------
    // Writes the document to `path`: first every never-saved subcircuit it uses is saved
    // under a name the user chooses (a cancel abandons the save). Saved to its own path,
    // the document is no longer modified; saved over another open document's file, that
    // document is reloaded from it. The document's own path does not change.
    bool SaveDocument(CCircuit& document, const std::string& path);
    // Saves to `path`, which becomes the document's path (no longer modified).
    bool SaveUnderName(CCircuit& document, const std::string& path);
    // "Save": to its own path, asking for a name when it has none.
    bool Save(CCircuit& document);
    // "Save As": the document takes the new name, unless other open sheets use it: then
    // a copy is written and the document keeps its name (its users keep its file).
    bool SaveAs(CCircuit& document);
    // "Save All": each document in turn; stops at the first that fails or is cancelled.
    bool SaveAll();
    // Reads the document again from its file; the sheets using it follow its interface.
    bool Reload(CCircuit& document);
    // The last window of the document closed: a sheet that open sheets use stays open
    // without a window (false); otherwise it is closed (true), and the subcircuits only
    // it used and nobody shows are closed with it.
    bool Close(CCircuit& document);
    void CloseAll();

    // --- Changing the file of a subcircuit ----------------------------------------------
    // The sheet is written to `path`, which becomes its path, and every sheet that uses
    // it is marked modified (it stores the new path) and shows the new name. Refused with
    // a message when another open document has that path; false too when the file
    // cannot be written. Nothing changes then.
    bool RenameSheet(CCircuit& sheet, const std::string& path);
    // Only `instance` (on `parent`) changes to the file at `path`: the open document of
    // that path, else the file; when there is no such file, a copy of the instance's
    // present sheet is written there first. The parent is marked modified.
    bool MoveInstanceToFile(CCircuit& parent, CSubCirPart& instance, const std::string& path);

    // --- Interface ---------------------------------------------------------------------
    // Gives the sheet's symbol box a new size: ports that would lose their pin are
    // deleted after "Some Ports Will be Deleted. Do you Want to Continue?" (OK, Cancel);
    // every instance follows. False when unchanged or cancelled.
    bool ResizeSymbolBox(CCircuit& sheet, float width, float height);

    // --- Locks -------------------------------------------------------------------------
    // The editor locks the files of its open sheets (tools do not lock): a file that
    // another running editor holds is opened by the user only after kOpenElsewhere
    // (Yes opens it without taking the lock, No leaves it). Null turns locking off.
    void SetFileLocks(CFileLocks* locks) { m_locks = locks; }
    // The document's path was set from outside (a restored copy): its lock follows.
    void FollowPath(const CCircuit& document);
    // The last FindOrOpenDocument left the file because the user said No to the warning.
    bool OpenWasDeclined() const { return m_declined; }
    static std::string OpenElsewhereText(const std::string& path, const CLockHolder& holder);

    // --- Search ------------------------------------------------------------------------
    CSubcircuitSearch& GetSearch() { return m_search; }
    // Tools turn the full search off: a missing file is then looked for in the
    // remembered folders only, and "Find Subcircuit" is still asked.
    void SetFullSearchEnabled(bool enabled) { m_fullSearch = enabled; }
    // Told when a subcircuit file was not found and an empty sheet stands in for it.
    void SetMissingSubcircuitHook(std::function<void(const std::string&)> hook) {
        m_missing = std::move(hook);
    }

private:
    struct CEntry {
        std::shared_ptr<CCircuit> document;
        bool hasWindow = false;
        // Opened for an instance, or its windows closed while sheets used it: closed
        // once nothing uses it (unless modified).
        bool closeWhenUnused = false;
        std::string pathSeen;  // the document's path when `canonical` was made
        std::string canonical;
        std::string lockedPath;  // the file whose lock this document holds
    };

    CEntry* FindEntry(const CCircuit& document);
    const CEntry* FindEntry(const CCircuit& document) const;
    CEntry& AddEntry(std::shared_ptr<CCircuit> document, bool closeWhenUnused);
    void RemoveEntry(const CCircuit& document);
    std::shared_ptr<CCircuit> ReadNew(const std::string& canonical, bool closeWhenUnused);
    std::string LocateSubcircuit(const std::string& path);
    std::optional<std::string> AskSaveName(CCircuit& document);
    bool SaveNewSubcircuits(CCircuit& document);
    void TakePath(CCircuit& document, const std::string& path);
    void RefreshUsers(CCircuit& sheet);
    void FollowLock(CEntry& entry);
    void ReleaseLock(CEntry& entry);
    bool MayOpen(const std::string& path);
    // The sheets used by the document's instances, each once, in instance order.
    static std::vector<std::shared_ptr<CCircuit>> UsedSheets(const CCircuit& document);
    // Closes those of `sheets` that nothing uses or shows any more and that hold no
    // unsaved edits, and in turn the sheets they used.
    void CloseUnused(std::vector<std::shared_ptr<CCircuit>> sheets);

    CCircuitContext m_context;
    std::vector<CEntry> m_entries;
    CSubcircuitSearch m_search;
    std::function<void(CCircuit&)> m_show;
    std::function<void(const std::string&)> m_missing;
    // Missing subcircuit paths the user gave up on, with the empty sheet standing in.
    std::map<std::string, std::weak_ptr<CCircuit>> m_givenUp;
    CFileLocks* m_locks = nullptr;
    bool m_declined = false;
    // Missing subcircuit paths with the file found or picked in their place.
    std::map<std::string, std::string> m_relocated;
    bool m_fullSearch = true;
    int m_untitledCount = 0;
};

}  // namespace kestro
