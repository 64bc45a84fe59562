// The two tool windows of the main frame: the attribute window, which follows the
// schematic views, and the menu editor of the library's element menus.
#include <QMdiArea>
#include <set>

#include "core/app/library_location.h"
#include "core/document/circuit.h"
#include "core/document/library_follow.h"
#include "core/library/library_data.h"
#include "core/library/library_history.h"
#include "core/objects/sim_part.h"
#include "core/objects/sub_cir_part.h"
#include "core/platform/byte_stream.h"
#include "core/platform/file_stream.h"
#include "gui/app/autosave.h"
#include "gui/app/kestro_app.h"
#include "gui/app/kestro_doc_template.h"
#include "gui/attributes/kestro_attributes.h"
#include "gui/commands/command_ids.h"
#include "gui/commands/command_table.h"
#include "gui/dialogs/help_window.h"
#include "gui/frames/child_frame.h"
#include "gui/frames/lib_child_frame.h"
#include "gui/frames/main_frame.h"
#include "gui/library_editor/element_menu.h"
#include "gui/library_editor/element_record.h"
#include "gui/library_editor/lib_attrib_dlg.h"
#include "gui/library_editor/library_element_commands.h"
#include "gui/library_editor/library_windows.h"
#include "gui/library_editor/menu_tree_dialog.h"
#include "gui/library_editor/shape_doc.h"
#include "gui/library_editor/shape_view.h"
#include "gui/views/kestro_view.h"

namespace kestro {

CKestroAttributes* CKestroApp::Attributes() const {
    return m_attributes;
}

CMenuTreeDialog* CKestroApp::MenuEditor() const {
    return m_menuEditor;
}

CKestroView* CKestroApp::ActiveSchematicView() const {
    auto* frame =
        m_mainFrame ? qobject_cast<CChildFrame*>(m_mainFrame->ActiveDocumentFrame()) : nullptr;
    return frame ? qobject_cast<CKestroView*>(frame->ActiveView()) : nullptr;
}

void CKestroApp::CreateAttributeWindow() {
    CAttributeServices services;
    services.library = m_library.get();
    services.prompts = m_prompts.get();
    services.documents = &m_docTemplate->Manager();
    services.activeView = [this] { return ActiveSchematicView(); };
    services.activeLibraryElement = [this]() -> CLibElement* {
        auto* frame = m_mainFrame
                          ? qobject_cast<CLibChildFrame*>(m_mainFrame->ActiveDocumentFrame())
                          : nullptr;
        CShapeView* view = CLibraryWindows::ViewOf(frame);
        return view ? &view->Document().Element() : nullptr;
    };
    services.offerKey = [this](const QKeySequence& key) {
        return m_mainFrame && m_mainFrame->CommandTable().ExecuteAccelerator(key);
    };
    services.showHelp = [this](const QString& keyword) { HelpWindow().ShowKeyword(keyword); };
    m_attributes = new CKestroAttributes(std::move(services), m_mainFrame.get());
    m_attributes->SetLibraryPage(new CLibAttribDlg(*m_attributes));
    connect(m_attributes, &CKestroAttributes::VisibilityChanged, this, [this] {
        if (m_mainFrame) m_mainFrame->CommandTable().ScheduleUpdate();
    });
    FollowViewsInAttributes();
}

void CKestroApp::FollowViewsInAttributes() {
    // The editing tools tell the window what a click selected, what a double click or a
    // placement shows, and when a deletion takes what it showed.
    CEditHooks& hooks = m_viewServices.editing->Hooks();
    hooks.pointAttributes = [this](CKestroView& view, CPart* part) {
        if (m_attributes) m_attributes->ShowSelection(part, view.Document(), &view, false);
    };
    hooks.showAttributes = [this](CKestroView& view, CPart& part) {
        if (!m_attributes) return;
        m_attributes->ShowSelection(&part, view.Document(), &view, true);
        m_attributes->show();
    };
    hooks.forgetAttributes = [this] {
        if (m_attributes) m_attributes->ClearSelection(false);
    };
    m_viewServices.viewDetaching = [this](CKestroView& view) {
        if (m_attributes) m_attributes->ForgetView(view);
    };
    m_viewServices.applyPendingEdits = [this] {
        if (m_attributes) m_attributes->ApplyCurrentPage();
    };
    // A window that becomes active points the attribute window at what it has selected.
    connect(m_mainFrame.get(), &CMainFrame::ActiveFrameChanged, this, [this] {
        // A library window shows its element's definitions.
        auto* libraryFrame = qobject_cast<CLibChildFrame*>(m_mainFrame->ActiveDocumentFrame());
        if (CShapeView* shapes = CLibraryWindows::ViewOf(libraryFrame)) {
            if (m_attributes)
                m_attributes->ShowLibraryElement(&shapes->Document().Element(), &shapes->Document(),
                                                 shapes, false);
            return;
        }
        CKestroView* view = ActiveSchematicView();
        if (m_attributes && view && !view->Selection().IsEmpty())
            m_attributes->ShowSelection(view->Selection().First(), view->Document(), view, false);
        else if (m_attributes && m_attributes->LibraryElement())
            m_attributes->ClearSelection(false);  // the library window it showed is not active
    });
}

void CKestroApp::ShowMenuEditor(bool toggle) {
    if (!m_mainFrame || !m_library) return;
    if (!m_menuEditor) {
        CMenuEditorServices services;
        services.library = m_library.get();
        services.prompts = m_prompts.get();
        services.attributes = m_attributes;
        services.closeAllDocuments = [this] { return CloseAllDocuments(); };
        services.saveLibrary = [this] { return SaveLibrary(); };
        services.offerKey = [this](const QKeySequence& key) {
            return m_mainFrame && m_mainFrame->CommandTable().ExecuteAccelerator(key);
        };
        services.transferLibrary = [this] { TransferOldLibrary(); };
        services.openElement = [this](CLibElement& element) {
            OpenLibraryElement(element.GetIdentifier());
        };
        services.changeLibraryFonts = [this] { ChangeLibraryFonts(); };
        services.newElement = [this] { NewLibraryElement(false); };
        services.history = [this] { return m_libraryHistory.get(); };
        services.moveInHistory = [this](bool undo) { MakeLibraryWindows().MoveInHistory(undo); };
        services.stepRecorded = [this] {
            if (m_mainFrame) m_mainFrame->CommandTable().ScheduleUpdate();
        };
        services.elementsRenumbered = [this] {
            if (m_libraryWindows) m_libraryWindows->CloseStale();
            if (m_mainFrame && m_library) RebuildElementsMenu(*m_mainFrame, *m_library);
        };
        m_menuEditor = new CMenuTreeDialog(std::move(services), m_mainFrame.get());
        connect(m_menuEditor, &QDialog::finished, this,
                [this] { m_mainFrame->CommandTable().ScheduleUpdate(); });
    } else if (toggle && m_menuEditor->isVisible()) {
        m_menuEditor->hide();
        return;
    }
    m_menuEditor->show();
    m_menuEditor->raise();
    m_menuEditor->activateWindow();
}

bool CKestroApp::OpenLibraryElement(uint32_t identifier) {
    if (!m_mainFrame || !m_library) return false;
    return MakeLibraryWindows().OpenLibraryElement(identifier) != nullptr;
}

CLibraryWindows& CKestroApp::MakeLibraryWindows() {
    if (!m_libraryWindows) {
        CLibraryWindowServices services;
        services.library = m_library.get();
        services.mainFrame = m_mainFrame.get();
        services.settings = &m_settings;
        services.cursors = m_cursors.get();
        services.saveLibrary = [this] { return SaveLibrary(); };
        services.showMenuEditor = [this] { ShowMenuEditor(false); };
        services.newElement = [this] { NewLibraryElement(true); };
        services.saveElementAs = [this](CLibElement& element) { SaveLibraryElementAs(element); };
        services.history = [this] { return m_libraryHistory.get(); };
        services.libraryRestoring = [this] {
            if (m_attributes) m_attributes->ApplyCurrentPage();
            if (m_menuEditor) m_menuEditor->HandInTree();
        };
        services.libraryRestored = [this] { AfterLibraryRestored(); };
        // Placed elements refer to the library by identifier: as for a deletion, no sheet
        // placing one of the elements that move may stay open.
        services.releaseElementsFrom = [this](uint32_t first) {
            return !SheetsPlaceElementsFrom(first) || CloseAllDocuments();
        };
        m_libraryWindows = std::make_unique<CLibraryWindows>(std::move(services));
    }
    return *m_libraryWindows;
}

void CKestroApp::AfterLibraryRestored() {
    if (m_menuEditor) m_menuEditor->ReloadTree();
    if (m_mainFrame && m_library) RebuildElementsMenu(*m_mainFrame, *m_library);
    if (!m_attributes || !m_mainFrame) return;
    auto* frame = qobject_cast<CLibChildFrame*>(m_mainFrame->ActiveDocumentFrame());
    if (CShapeView* shapes = CLibraryWindows::ViewOf(frame))
        m_attributes->ShowLibraryElement(&shapes->Document().Element(), &shapes->Document(), shapes,
                                         false);
    else
        m_attributes->ClearSelection(true);
}

void CKestroApp::CloseLibraryWindows() {
    // Their elements belong to the library about to be replaced.
    if (m_libraryWindows) m_libraryWindows->CloseAll();
    m_libraryWindows.reset();
    // The editor's tree is a copy of the menu of the library about to be replaced.
    // It may be the editor's own command that runs the transfer: it goes once that ends.
    if (m_menuEditor) {
        m_menuEditor->hide();
        m_menuEditor->deleteLater();
        m_menuEditor = nullptr;
    }
    if (m_attributes) m_attributes->ClearSelection(true);
}

bool CKestroApp::SaveLibrary() {
    if (!m_library) return false;
    if (m_attributes) m_attributes->ApplyCurrentPage();
    GatherLibraryMenus();
    // What the placed elements followed is read from the file before it is replaced.
    const auto changed = ChangedPlacedElements();
    if (!m_libraryStorage->Save(*m_library)) return false;
    FollowLibrary(changed);
    if (m_libraryHistory) m_libraryHistory->MarkSaved();
    if (m_mainFrame) RebuildElementsMenu(*m_mainFrame, *m_library);
    if (m_autosave) m_autosave->DropStaleCopies();
    return true;
}

void CKestroApp::GatherLibraryMenus() {
    if (!m_library) return;
    if (m_menuEditor) {
        m_menuEditor->WriteTreeToStream();
        return;
    }
    // Without the editor the stream is the tree: it is stored the same way.
    CLibraryData& library = *m_library;
    std::vector<CMenuItem> items = library.GetMenus().GetItems();
    PrepareMenuForSaving(items, [&library](int16_t code) { return library.MenuEntryName(code); });
    library.GetMenus().SetItems(items);
}

bool CKestroApp::RestoreLibraryCopy(const std::string& copyPath) {
    if (!m_library) return false;
    std::vector<uint8_t> bytes;
    try {
        const std::string text = ReadWholeFile(copyPath);
        bytes.assign(text.begin(), text.end());
    } catch (const CFileException& error) {
        m_prompts->Error(error.what());
        return false;
    }
    // Read on the side first: a copy that cannot be read leaves the library alone.
    {
        CLibraryData probe(*m_prompts);
        if (!probe.OpenStream(std::make_unique<CMemoryStream>(bytes), copyPath, true)) return false;
    }
    CloseLibraryWindows();
    m_libraryHistory->Detach();
    m_library->OpenStream(std::make_unique<CMemoryStream>(std::move(bytes)), LibraryLocation().save,
                          true);
    m_library->SetModified(true);  // the user's file does not have these changes yet
    m_libraryHistory->Attach(*m_library);
    if (m_mainFrame) BuildElementMenu();
    return true;
}

bool CKestroApp::SheetsPlaceElementsFrom(uint32_t first) const {
    if (!m_docTemplate) return false;
    for (const auto& document : m_docTemplate->Manager().Documents())
        for (const auto& object : document->GetObjects())
            if (const CSimPart* part = object->AsSimPart()) {
                const uint32_t id = part->GetElementId();
                if (id >= first && id < CLibraryData::kControlId) return true;
            }
    return false;
}

std::map<uint16_t, std::vector<uint32_t>> CKestroApp::ChangedPlacedElements() const {
    std::map<uint16_t, std::vector<uint32_t>> changed;
    if (!m_docTemplate || !m_library) return changed;
    CLibraryData& library = *m_library;
    std::set<uint16_t> placed;
    for (const auto& document : m_docTemplate->Manager().Documents())
        for (const auto& object : document->GetObjects())
            if (const CSimPart* part = object->AsSimPart()) placed.insert(part->GetElementId());
    for (const uint16_t id : placed) {
        // An element never read from the file cannot have changed.
        if (id >= library.GetElementCount() || !library.IsElementLoaded(id)) continue;
        const std::unique_ptr<CLibElement> stored = library.ReadStoredElement(id);
        if (!stored) continue;
        if (ElementRecord(library, *stored) != ElementRecord(library, *library.GetElement(id)))
            changed[id] = DefinitionIds(*stored);
    }
    return changed;
}

void CKestroApp::FollowLibrary(const std::map<uint16_t, std::vector<uint32_t>>& changed) {
    if (changed.empty() || !m_docTemplate) return;
    size_t followed = 0;
    for (const auto& document : m_docTemplate->Manager().Documents())
        followed += FollowLibraryChanges(*document, changed);
    // A page showing a placed element is filled again from its new values.
    if (followed > 0 && m_attributes && m_attributes->SelectedObject()) {
        m_attributes->ClearSelection(false);
        m_attributes->RefreshFromActiveView();
    }
}

CLibraryElementServices CKestroApp::LibraryElementServices() {
    CLibraryElementServices services;
    services.library = m_library.get();
    services.prompts = m_prompts.get();
    services.parent = m_menuEditor && m_menuEditor->isActiveWindow()
                          ? static_cast<QWidget*>(m_menuEditor)
                          : static_cast<QWidget*>(m_mainFrame.get());
    services.openLibraryElement =
        m_openLibraryElement ? m_openLibraryElement
                             : [this](uint32_t identifier) { OpenLibraryElement(identifier); };
    services.elementAdded = [this](uint32_t identifier) {
        // The editor's tree is what the library's menus are saved from.
        if (m_menuEditor) m_menuEditor->AppendElementEntry(int(identifier));
        // An open attribute window goes on to the new element.
        if (m_attributes && m_library)
            m_attributes->ShowLibraryElement(m_library->GetElement(identifier), nullptr, nullptr,
                                             false);
    };
    return services;
}

int CKestroApp::NewLibraryElement(bool open) {
    return NewElement(LibraryElementServices(), open);
}

int CKestroApp::SaveLibraryElementAs(CLibElement& source) {
    return SaveElementAs(LibraryElementServices(), source);
}

void CKestroApp::SetLibraryElementOpener(std::function<void(uint32_t identifier)> open) {
    m_openLibraryElement = std::move(open);
}

void CKestroApp::RegisterToolWindowCommands() {
    Commands().Add(
        kIdAttributes,
        [this] {
            if (m_attributes) m_attributes->ToggleWindow();
        },
        [this](CCommandState& s) { s.checked = m_attributes && m_attributes->isVisible(); });
    Commands().Add(
        kIdMenuEditor, [this] { ShowMenuEditor(true); },
        [this](CCommandState& s) {
            s.enabled = m_library != nullptr;
            s.checked = m_menuEditor && m_menuEditor->isVisible();
        });
    Commands().Add(
        kIdEditLibrary, [this] { ShowMenuEditor(false); },
        [this](CCommandState& s) { s.enabled = m_library != nullptr; });
}

}  // namespace kestro
