#include "gui/app/kestro_app.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMenu>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSessionManager>
#include <QUrl>

#include "core/app/settings_transfer.h"
#include "core/app/simulation_launch.h"
#include "core/document/circuit.h"
#include "core/hierarchy/file_lock.h"
#include "core/library/library_data.h"
#include "core/library/library_history.h"
#include "core/objects/part_environment.h"
#include "core/platform/program_folder.h"
#include "core/platform/prompts.h"
#include "core/platform/settings_store.h"
#include "gui/app/autosave.h"
#include "gui/app/kestro_doc_template.h"
#include "gui/attributes/kestro_attributes.h"
#include "gui/commands/command_ids.h"
#include "gui/commands/command_table.h"
#include "gui/dialogs/about_dialog.h"
#include "gui/dialogs/help_window.h"
#include "gui/frames/child_frame.h"
#include "gui/frames/circuit_frame_document.h"
#include "gui/frames/frame_document.h"
#include "gui/frames/main_frame.h"
#include "gui/library_editor/element_menu.h"
#include "gui/library_editor/library_transfer.h"
#include "gui/library_editor/library_windows.h"
#include "gui/platform/process_starter.h"
#include "gui/platform/qt_prompts.h"
#include "gui/platform/qt_settings_store.h"
#include "gui/platform/viewer_channel.h"
#include "gui/print/print_service.h"
#include "gui/resources/button_images.h"
#include "gui/resources/edit_cursors.h"
#include "gui/resources/element_button_images.h"
#include "gui/resources/string_table.h"

namespace kestro {

namespace {

const std::string kLibraryTitle = "Kestro Library";
const std::string kLibraryUpdated = "Kestro Library has been updated.";
const std::string kLibraryUpdatedQuestion =
    "Kestro Library has been updated. Do you want to save changes?";

}  // namespace

CKestroApp::CKestroApp(CKestroAppSetup setup)
    : m_store(std::move(setup.settingsStore)),
      m_prompts(std::move(setup.prompts)),
      m_starter(std::move(setup.processStarter)),
      m_programFolder(setup.programFolder ? *setup.programFolder : RunningProgramFolder()),
      m_userFolder(setup.userFolder ? *setup.userFolder : UserKestroFolder()),
      m_viewerSocketName(setup.viewerSocketName) {
    if (!m_prompts) m_prompts = std::make_unique<CQtPrompts>();
    if (!m_starter) m_starter = std::make_unique<CQtProcessStarter>();
    m_libraryStorage =
        std::make_unique<CLibraryStorage>(LocateLibrary(m_programFolder, m_userFolder), *m_prompts);
    RegisterCommands();
}

CKestroApp::~CKestroApp() {
    m_autosave.reset();  // no copy is taken of documents on their way out
    // Windows first, then the documents they show, then the library the documents use.
    m_mainFrame.reset();
    ReleaseEditingState();
    // Library windows show elements of the library about to go.
    if (m_libraryWindows) m_libraryWindows->CloseAll();
    m_docTemplate.reset();
    m_fileLocks.reset();
    m_libraryHistory.reset();
    m_parts.reset();
    m_library.reset();
}

bool CKestroApp::Start(const QStringList& arguments) {
    // 1. Dialog controls need no switch for their three-dimensional look here.
    // 2. The viewer is reached through a local socket named after its message.
    if (m_viewerSocketName.isEmpty()) m_viewerSocketName = CLocalViewerChannel::DefaultSocketName();
    m_viewer = std::make_unique<CLocalViewerChannel>(m_viewerSocketName);
    // 3. The program folder was taken when the application was made.
    m_launcher =
        std::make_unique<CSimulationLauncher>(m_programFolder, *m_starter, *m_viewer, *m_prompts);
    // 4. The settings store; the recent-file list of 4 entries lives there too.
    if (!m_store) m_store = std::make_unique<CQtSettingsStore>();
    // 5. Every setting, the built-in defaults where nothing is stored.
    ReadSettings();
    // 6. The editing cursors, drawn for the screen's pixel ratio.
    m_cursors = std::make_unique<CEditCursors>(qApp->devicePixelRatio());
    // 7. The schematic menu is built with the command table of the main frame (step 11).
    // 8. The four library fonts.
    m_libraryFonts = StartupLibraryFonts();
    // 9. The element library from the program folder (or the user's copy of it).
    LoadLibrary();
    // 10. The circuit document type, then the library document type.
    CreateDocumentTypes();
    // 11. The main frame; without it there is no program.
    if (!CreateMainFrame()) return false;
    // 12. The element menu in place of the "E&lements" placeholder.
    BuildElementMenu();
    // 13. Files dropped on the main window open as documents.
    AcceptDroppedFiles();
    // 14. The command line.
    ParseCommandLine(arguments);
    // 15. The placement ghost.
    CreatePlacementGhost();
    // 16. Show the window, with no document open yet.
    m_mainFrame->show();
    // 17. The library update check.
    CheckLibraryUpdate();
    // 18. Copies a crashed editor left behind, before the files named: a restored library
    // comes before any sheet uses it, and a restored sheet is the one a named file of the
    // same path finds open. Then the autosave timer.
    m_autosave = std::make_unique<CAutosave>(*this, CRecoveryStore::DefaultFolder());
    m_autosave->OfferRecovered(*m_prompts);
    OpenCommandLineFiles();
    m_autosave->SetInterval(m_settings.autosaveSeconds);
    // 19. The desktop's log-out asks as the exit does.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& session) {
        const bool canInteract = session.allowsInteraction();
        if (!CommitDataForLogout(canInteract)) session.cancel();
        if (canInteract) session.release();
    });
    CleanUpNodesWhenIdle();
    return true;
}

void CKestroApp::ReadSettings() {
    TransferSettings(*m_store, m_settings, TransferDirection::Read);
    m_recentFiles.Read(*m_store);
}

void CKestroApp::LoadLibrary() {
    // A missing or unreadable file is reported by the loader; the program goes on with the
    // library as far as it was read.
    m_libraryHistory.reset();  // it refers to the library it records
    m_library = std::make_unique<CLibraryData>(*m_prompts);
    m_libraryStorage->Open(*m_library);
    m_libraryHistory = std::make_unique<CLibraryHistory>();
    m_libraryHistory->Attach(*m_library);
    m_library->SetDefaultTextFont({m_settings.textFont.name, m_settings.textFont.size,
                                   m_settings.textFont.weight, m_settings.textFont.italic != 0});
    m_libraryModified = [this] { return m_library && m_library->IsModified(); };
    m_saveLibrary = [this] { return SaveLibrary(); };
}

void CKestroApp::CreateDocumentTypes() {
    m_parts =
        std::make_unique<CPartEnvironment>(CPartEnvironment{*m_library, m_settings, *m_prompts});
    m_printService = std::make_unique<CPrintService>(m_settings, *m_prompts);
    m_viewServices.settings = &m_settings;
    m_viewServices.cursors = m_cursors.get();
    m_viewServices.printing = m_printService.get();
    m_viewServices.showStatus = [this](const QString& text) {
        if (m_mainFrame) m_mainFrame->SetStatusText(text);
    };
    UpdatePrintPageSize();
    m_docTemplate = std::make_unique<CKestroDocTemplate>(*m_parts, m_viewServices,
                                                         CNetlistFolders{m_programFolder, {}});
    // Files of open sheets carry a lock, so that a second editor warns before opening them.
    m_fileLocks = std::make_unique<CFileLocks>();
    m_docTemplate->Manager().SetFileLocks(m_fileLocks.get());
    m_docTemplate->SetPathObserver([this](const std::string& path) { NoteRecentFile(path); });
    // A saved sheet's recovery copy is of no use any more.
    m_docTemplate->SetSavedObserver([this] {
        if (m_autosave) m_autosave->DropStaleCopies();
    });
    m_documentsSavePrompt = [this] { return m_docTemplate->SaveAllModified(); };
    m_openDocument = [this](const QString& path) {
        return OpenDocument(path.toStdString()) != nullptr;
    };
    m_redrawAllViews = [this] { m_docTemplate->RedrawAllViews(); };
    // The library document type of the symbol editor follows here when it exists.
}

void CKestroApp::UpdatePrintPageSize() {
    double width = kNoPrinterWidth, height = kNoPrinterHeight;
    if (m_printService && !QPrinterInfo::defaultPrinter().isNull()) {
        const CSizeI printable = PrintableSize(m_printService->Printer());
        if (printable.cx > 0 && printable.cy > 0) {
            width = printable.cx;
            height = printable.cy;
        }
    }
    m_viewServices.printPageSize = PrintPageSize(width, height, m_settings.printPageLegend != 0);
}

bool CKestroApp::CreateMainFrame() {
    m_mainFrame = std::make_unique<CMainFrame>(this);
    m_mainFrame->SetCloseQuery([this] {
        if (m_exited) return true;
        if (!SaveAllModified()) return false;
        Exit();
        return true;
    });
    QApplication::setWindowIcon(ProgramIcon());
    if (auto* qtPrompts = dynamic_cast<CQtPrompts*>(m_prompts.get()))
        qtPrompts->SetParentWindow(m_mainFrame.get());
    m_docTemplate->SetMainFrame(m_mainFrame.get());
    for (const int resource : {kMenuMain, kMenuSchematic}) {
        QMenu* file = m_mainFrame->CommandTable().Menus(resource).value(0);
        if (file) connect(file, &QMenu::aboutToShow, this, [this] { RefreshRecentFileMenus(); });
    }
    RefreshRecentFileMenus();
    CreateAttributeWindow();
    return true;
}

void CKestroApp::BuildElementMenu() {
    if (!m_library) return;
    UpdateElementButtons(*m_mainFrame, *m_library, m_settings);
    RebuildElementsMenu(*m_mainFrame, *m_library);
}

void CKestroApp::AcceptDroppedFiles() {
    m_mainFrame->setAcceptDrops(true);
    m_mainFrame->installEventFilter(this);
}

void CKestroApp::ParseCommandLine(const QStringList& arguments) {
    for (const QString& argument : arguments)
        if (!argument.startsWith('-')) m_commandLineFiles << argument;
}

void CKestroApp::CreatePlacementGhost() {
    // The editing state (and its ghost) lives with the view services; here it learns how
    // to reach the rest of the editor.
    CEditHooks& hooks = m_viewServices.editing->Hooks();
    hooks.showHelp = [this](const QString& keyword) {
        if (keyword.isEmpty())
            HelpWindow().ShowContents();
        else
            HelpWindow().ShowKeyword(keyword);
    };
    hooks.openSheet = [this](CCircuit& sheet) {
        if (m_docTemplate) m_docTemplate->ShowDocument(sheet);
    };
}

void CKestroApp::ReleaseEditingState() {
    // Copies in the clipboard may keep never-saved sheets alive: they go before the
    // documents and the library they use.
    CEditState& editing = *m_viewServices.editing;
    editing.Clipboard().Clear();
    editing.SetMode(EditMode::Select);
}

void CKestroApp::CheckLibraryUpdate() {
    // The loader marks the library modified when it converted an older file.
    if (!m_library || !m_library->IsModified()) return;
    if (m_library->GetVersionMajor() == 3 && m_library->GetVersionMinor() <= 20) {
        // A failed save has told the user why; the library stays modified for exit to ask.
        if (!SaveLibrary()) return;
        m_prompts->ShowMessage(kLibraryUpdated, MessageIcon::Information);
        return;
    }
    if (m_prompts->Ask(kLibraryUpdatedQuestion, MessageButtons::YesNoCancel,
                       MessageIcon::Question) == Answer::Yes)
        SaveLibrary();
}

void CKestroApp::OpenCommandLineFiles() {
    if (!m_openDocument) return;
    for (const QString& file : m_commandLineFiles)
        m_openDocument(file);
}

bool CKestroApp::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_mainFrame.get()) return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::DragEnter) {
        auto* drag = static_cast<QDragEnterEvent*>(event);
        if (drag->mimeData()->hasUrls() && m_openDocument) drag->acceptProposedAction();
        return true;
    }
    if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        for (const QUrl& url : drop->mimeData()->urls())
            if (url.isLocalFile() && m_openDocument) m_openDocument(url.toLocalFile());
        drop->acceptProposedAction();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

bool CKestroApp::SaveAllModified() {
    if (m_documentsSavePrompt && !m_documentsSavePrompt()) return false;
    if (!m_libraryModified || !m_libraryModified()) return true;
    const Answer answer = m_prompts->Ask("Save changes to " + kLibraryTitle + "?",
                                         MessageButtons::YesNoCancel, MessageIcon::Exclamation);
    if (answer == Answer::Cancel) return false;
    if (answer == Answer::Yes && m_saveLibrary) return m_saveLibrary();
    return true;
}

bool CKestroApp::CommitDataForLogout(bool canInteract) {
    if (canInteract) return SaveAllModified();
    if (m_autosave) {
        m_autosave->SaveNow();
        m_autosave->Wait();
    }
    return true;
}

void CKestroApp::Exit() {
    if (m_exited) return;
    m_exited = true;
    // The user has answered every save question: the documents go without asking more,
    // and their recovery copies with them.
    if (m_autosave) m_autosave->RemoveAll();
    m_autosave.reset();
    if (m_docTemplate) m_docTemplate->CloseAllDocuments();
    // Settings are written only here, never when the options pages close.
    TransferSettings(*m_store, m_settings, TransferDirection::Write);
    if (m_recentFilesChanged) m_recentFiles.Write(*m_store);
    if (auto* qtStore = dynamic_cast<CQtSettingsStore*>(m_store.get())) qtStore->Sync();
    // The clipboard's copies go first; the library goes last, after the documents that
    // refer to it.
    ReleaseEditingState();
    // Library windows show elements of the library about to go.
    if (m_libraryWindows) m_libraryWindows->CloseAll();
    m_docTemplate.reset();
    m_fileLocks.reset();
    m_libraryHistory.reset();
    m_parts.reset();
    m_library.reset();
    emit Exited();
}

CHelpWindow& CKestroApp::HelpWindow() {
    if (!m_help) m_help = new CHelpWindow(m_mainFrame.get());
    return *m_help;
}

void CKestroApp::ShowAbout() {
    CAboutDialog about(m_mainFrame.get());
    about.exec();
}

bool CKestroApp::TransferOldLibrary() {
    if (!m_library || !m_mainFrame) return false;
    CLibraryTransferSteps steps;
    steps.closeDocuments = [this] { return CloseAllDocuments(); };
    steps.closeLibraryWindows = [this] { CloseLibraryWindows(); };
    steps.libraryReplaced = [this] { BuildElementMenu(); };
    steps.showBusy = [this](bool busy) {
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
        m_mainFrame->SetStatusText(CommandPrompt(busy ? kIdsProcessing : kIdsReady));
    };
    return RunLibraryTransfer(*m_library, *m_prompts, steps);
}

bool CKestroApp::RunTarn(CSimulationSource& source) {
    return m_launcher->RunEngine(source);
}

void CKestroApp::RunGraphon() {
    m_launcher->RunViewer();
}

bool CKestroApp::ActiveSchematicWindow() const {
    return m_mainFrame && qobject_cast<CChildFrame*>(m_mainFrame->ActiveDocumentFrame());
}

CSimulationSource* CKestroApp::ActiveSimulationSource() const {
    if (!m_mainFrame) return nullptr;
    auto* frame = qobject_cast<CChildFrame*>(m_mainFrame->ActiveDocumentFrame());
    return frame && frame->Document() ? frame->Document()->SimulationSource() : nullptr;
}

void CKestroApp::RegisterCommands() {
    RegisterFileCommands();
    RegisterToolWindowCommands();
    RegisterDialogCommands();
    Commands().Add(
        kIdAutoExitTarn, [this] { m_settings.closeTarn = m_settings.closeTarn ? 0 : 1; },
        [this](CCommandState& s) { s.checked = m_settings.closeTarn != 0; });
    Commands().Add(
        kIdDisplayName,
        [this] {
            m_settings.showSubcircuitName = m_settings.showSubcircuitName ? 0 : 1;
            if (m_redrawAllViews) m_redrawAllViews();
        },
        [this](CCommandState& s) { s.checked = m_settings.showSubcircuitName != 0; });
    Commands().Add(kIdHelpIndex, [this] { HelpWindow().ShowContents(); });
    Commands().Add(kIdLibraryTransfer, [this] { TransferOldLibrary(); });
    Commands().Add(kIdAppAbout, [this] { ShowAbout(); });
    Commands().Add(
        kIdRunTarn,
        [this] {
            if (CSimulationSource* source = ActiveSimulationSource()) RunTarn(*source);
        },
        [this](CCommandState& s) { s.enabled = ActiveSimulationSource() != nullptr; });
    Commands().Add(
        kIdRunGraphon, [this] { RunGraphon(); },
        [this](CCommandState& s) { s.enabled = ActiveSchematicWindow(); });
}

void CKestroApp::SetDocumentsSavePrompt(std::function<bool()> prompt) {
    m_documentsSavePrompt = std::move(prompt);
}

void CKestroApp::SetLibraryState(std::function<bool()> isModified, std::function<bool()> save) {
    m_libraryModified = std::move(isModified);
    m_saveLibrary = std::move(save);
}

void CKestroApp::SetDocumentOpener(std::function<bool(const QString&)> open) {
    m_openDocument = std::move(open);
}

void CKestroApp::SetRedrawAllViews(std::function<void()> redraw) {
    m_redrawAllViews = std::move(redraw);
}

}  // namespace kestro
