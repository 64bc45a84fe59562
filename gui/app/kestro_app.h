#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/app/library_location.h"
#include "core/app/simulation_launch.h"
#include "core/library/library_fonts.h"
#include "core/platform/prompts.h"
#include "core/platform/settings.h"
#include "core/platform/settings_store.h"
#include "gui/app/recent_file_list.h"
#include "gui/commands/command_map.h"
#include "gui/dialogs/font_choice.h"
#include "gui/views/view_services.h"

namespace kestro {

class CCircuit;
class CEditCursors;
class CAutosave;
class CFileLocks;
class CLibraryHistory;
class CKestroAttributes;
class CKestroView;
class CMenuTreeDialog;
class CHelpWindow;
class CKestroDocTemplate;
class CLibraryData;
class CLibraryWindows;
class CLibElement;
struct CLibraryElementServices;
struct CPartEnvironment;
class CLocalViewerChannel;
class CMainFrame;
class CPrintService;

// What the application is made with. Anything left empty takes the real thing: the user's
// settings file, Qt message boxes, detached processes, the running program's folder, the
// user's own Kestro data folder.
struct CKestroAppSetup {
    std::unique_ptr<CSettingsStore> settingsStore;
    std::unique_ptr<CPrompts> prompts;
    std::unique_ptr<CProcessStarter> processStarter;
    std::optional<std::string> programFolder;
    // Where the user's copy of the library goes when the program folder cannot be written.
    std::optional<std::string> userFolder;
    QString viewerSocketName;
};

// The one application object: it starts the editor in a fixed order, keeps the settings,
// owns the element library, the circuit document type and the main frame, handles the
// application commands (new, open, close all, recent files, printer setup, the toggles)
// and launches the simulation engine and the waveform viewer.
class CKestroApp : public QObject, public CCommandTarget {
    Q_OBJECT
public:
    explicit CKestroApp(CKestroAppSetup setup = {});
    ~CKestroApp() override;

    // Start-up; false only when the main window cannot be made. `arguments` are the
    // command-line arguments without the program name.
    bool Start(const QStringList& arguments = {});
    // The documents' save prompts, then the library's question. False when the user
    // cancelled, so the exit or close is abandoned.
    bool SaveAllModified();
    // The desktop session ends: asks about unsaved sheets and the library as at exit
    // when the session lets it (false: the user cancelled, and the log-out with it),
    // otherwise writes recovery copies of every modified sheet.
    bool CommitDataForLogout(bool canInteract);
    // The end, once the main window has agreed to close: settings written, library gone.
    void Exit();
    bool HasExited() const { return m_exited; }

    CSettings& Settings() { return m_settings; }
    CSettingsStore& SettingsStore() { return *m_store; }
    CPrompts& Prompts() { return *m_prompts; }
    const std::string& ProgramFolder() const { return m_programFolder; }
    // Where the element library is read from and saved to.
    const CLibraryLocation& LibraryLocation() const { return m_libraryStorage->Location(); }
    CLibraryFonts& LibraryFonts() { return m_libraryFonts; }
    const CEditCursors& Cursors() const { return *m_cursors; }
    CMainFrame* MainFrame() const { return m_mainFrame.get(); }
    CSimulationLauncher& Launcher() { return *m_launcher; }
    // The element library (empty when its file could not be read); null after exit.
    CLibraryData* Library() const { return m_library.get(); }
    // The circuit document type; null before start-up step 10 and after exit.
    CKestroDocTemplate* DocTemplate() const { return m_docTemplate.get(); }
    CViewServices& ViewServices() { return m_viewServices; }
    // Saves the element library where LibraryLocation() says (every save of the library
    // goes through here); false when it was not saved (the reason was shown).
    bool SaveLibrary();
    // Replaces the library with an autosaved copy of it (before any sheet is open): the
    // library is then modified, and a save writes the user's library file. False when the
    // copy cannot be read (the reason was shown; the library stays as it was).
    bool RestoreLibraryCopy(const std::string& copyPath);
    // The printer and what printing needs; null before start-up step 10.
    CPrintService* PrintService() const { return m_printService.get(); }
    const CRecentFileList& RecentFiles() const { return m_recentFiles; }

    // "New": an untitled schematic with its window.
    CCircuit* NewDocument();
    // Opens a schematic with its window; the open document when the path is open already.
    // Null when the file could not be read (the reason was shown).
    CCircuit* OpenDocument(const std::string& path);
    // "Open...": the file dialog, then OpenDocument.
    void OpenWithDialog();
    // "Close All": the save questions, then every document closed without asking more.
    bool CloseAllDocuments();
    // The print page size from the printer as set up (or 850 by 1100 without one).
    void UpdatePrintPageSize();
    CLocalViewerChannel& ViewerChannel() { return *m_viewer; }
    CHelpWindow& HelpWindow();
    // Recovery copies of modified sheets and the library (null before Start).
    CAutosave* Autosave() const { return m_autosave.get(); }
    CLibraryHistory* LibraryHistory() const { return m_libraryHistory.get(); }
    // Files named on the command line, opened once a document opener is set.
    const QStringList& CommandLineFiles() const { return m_commandLineFiles; }

    // The attribute window (made with the main frame) and the menu editor (made when it
    // is first asked for; null until then).
    CKestroAttributes* Attributes() const;
    CMenuTreeDialog* MenuEditor() const;
    // "Menu Editor" shows or hides the editor; "Edit Library" shows it.
    void ShowMenuEditor(bool toggle);
    // The schematic view of the active window, or null.
    CKestroView* ActiveSchematicView() const;
    // Opens library element `identifier` (0 to N-1, or a built-in 1004 to 1006) in a
    // library window, or brings its window forward; false when there is no such element.
    bool OpenLibraryElement(uint32_t identifier);
    // After an undo or redo in the library: menu editor, Elements menu and attribute window
    // show the library as it is now.
    void AfterLibraryRestored();
    // The library windows (made with the first of them, or the menu editor's first undo;
    // null until then).
    CLibraryWindows* LibraryWindows() const { return m_libraryWindows.get(); }
    // "Transfer old version Library ": the library becomes one transferred from the
    // previous version's files; false when nothing was transferred.
    bool TransferOldLibrary();

    // "New Element" (of the library windows and of the menu editor): a new library element
    // named by the user, added at the end of the library and of the element menus; `open`
    // opens it in a library window. The new identifier, or -1.
    int NewLibraryElement(bool open);
    // "Save Element As...": a copy of the element under a new name, opened. -1: none.
    int SaveLibraryElementAs(CLibElement& source);
    // Opens a library element in a library window (the library windows set it).
    void SetLibraryElementOpener(std::function<void(uint32_t identifier)> open);

    // Run TARN on the document of a schematic window; true when the engine started.
    bool RunTarn(CSimulationSource& source);
    // Run GRAPHON with the result of the last engine run.
    void RunGraphon();

    // What start-up puts in place of these can be replaced (tests use stand-ins).
    // The documents' own save prompts; returns false when the user cancelled.
    void SetDocumentsSavePrompt(std::function<bool()> prompt);
    // Whether the library has unsaved changes, and how to save it (false: not saved).
    void SetLibraryState(std::function<bool()> isModified, std::function<bool()> save);
    // Opens a schematic file as a document with its window; false when it could not.
    void SetDocumentOpener(std::function<bool(const QString& path)> open);
    // Repaints every view of every document (after "Display Name" and the options).
    void SetRedrawAllViews(std::function<void()> redraw);
    // Picks fonts for the options sheet and the library fonts (the font dialog otherwise).
    void SetFontChooser(CFontChooser chooser) { m_fontChooser = std::move(chooser); }
    // The schematic of the active window, or null.
    CCircuit* ActiveCircuit() const;

signals:
    void Exited();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ReadSettings();
    void LoadLibrary();
    // Puts the menu editor's tree into the library's menus, as a save writes them.
    void GatherLibraryMenus();
    void CreateDocumentTypes();
    bool CreateMainFrame();
    void BuildElementMenu();
    void CreateAttributeWindow();
    void FollowViewsInAttributes();
    void RegisterToolWindowCommands();
    // Before the library is replaced: the menu editor goes, the attribute window is
    // cleared and hidden.
    void CloseLibraryWindows();
    void AcceptDroppedFiles();
    void ParseCommandLine(const QStringList& arguments);
    void CreatePlacementGhost();
    void ReleaseEditingState();
    void CheckLibraryUpdate();
    void OpenCommandLineFiles();
    void RegisterCommands();
    void RegisterFileCommands();
    void RegisterDialogCommands();
    void GoToSheet(CCircuit* sheet);
    void ShowSubcircuitList();
    void ShowOptions(int page);
    void ShowElementList();
    void ShowTerminals();
    void ChangeLibraryFonts();
    CFontChooser FontChooser();
    void ShowAbout();
    void PrinterSetup();
    void OpenRecentFile(int index);
    void NoteRecentFile(const std::string& path);
    void RefreshRecentFileMenus();
    void CleanUpNodesWhenIdle();
    bool ActiveSchematicWindow() const;
    CSimulationSource* ActiveSimulationSource() const;
    CLibraryElementServices LibraryElementServices();
    // The library windows, made when first needed; they also run the library's undo.
    CLibraryWindows& MakeLibraryWindows();
    // Whether an open sheet places a library element of identifier `first` or above.
    bool SheetsPlaceElementsFrom(uint32_t first) const;
    // Before a library save: the placed elements' library elements that changed since
    // the file was written, with their definition identifiers as the file has them.
    std::map<uint16_t, std::vector<uint32_t>> ChangedPlacedElements() const;
    // After it: the placed elements on every open sheet follow those changes.
    void FollowLibrary(const std::map<uint16_t, std::vector<uint32_t>>& changed);

    CSettings m_settings;
    std::unique_ptr<CSettingsStore> m_store;
    std::unique_ptr<CPrompts> m_prompts;
    std::unique_ptr<CProcessStarter> m_starter;
    std::string m_programFolder;
    std::string m_userFolder;
    QString m_viewerSocketName;
    CLibraryFonts m_libraryFonts;
    std::unique_ptr<CEditCursors> m_cursors;
    std::unique_ptr<CLocalViewerChannel> m_viewer;
    std::unique_ptr<CSimulationLauncher> m_launcher;
    std::unique_ptr<CLibraryData> m_library;
    std::unique_ptr<CLibraryStorage> m_libraryStorage;
    // Every committed change of the library, for the library windows' Undo and Redo.
    std::unique_ptr<CLibraryHistory> m_libraryHistory;
    std::unique_ptr<CPartEnvironment> m_parts;
    std::unique_ptr<CPrintService> m_printService;
    CViewServices m_viewServices;
    std::unique_ptr<CFileLocks> m_fileLocks;  // outlives the documents holding them
    std::unique_ptr<CKestroDocTemplate> m_docTemplate;
    std::unique_ptr<CAutosave> m_autosave;
    CRecentFileList m_recentFiles;
    bool m_recentFilesChanged = false;
    std::function<void(uint32_t)> m_openLibraryElement;
    QTimer* m_idleTimer = nullptr;
    size_t m_idleDocument = 0;
    std::unique_ptr<CMainFrame> m_mainFrame;
    QPointer<CKestroAttributes> m_attributes;  // children of the main frame
    QPointer<CMenuTreeDialog> m_menuEditor;
    std::unique_ptr<CLibraryWindows> m_libraryWindows;
    QPointer<CHelpWindow> m_help;
    QStringList m_commandLineFiles;
    bool m_exited = false;

    std::function<bool()> m_documentsSavePrompt;
    std::function<bool()> m_libraryModified;
    std::function<bool()> m_saveLibrary;
    std::function<bool(const QString&)> m_openDocument;
    std::function<void()> m_redrawAllViews;
    CFontChooser m_fontChooser;
};

}  // namespace kestro
