// The two tool windows of the main frame: the attribute window, which follows the
// schematic views, and the menu editor of the library's element menus.
#include <QMdiArea>

#include "core/app/library_location.h"
#include "core/document/circuit.h"
#include "core/library/library_data.h"
#include "core/library/library_history.h"
#include "core/objects/sub_cir_part.h"
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
    if (!m_libraryWindows) {
        CLibraryWindowServices services;
        services.library = m_library.get();
        services.mainFrame = m_mainFrame.get();
        services.settings = &m_settings;
        services.cursors = m_cursors.get();
        services.saveLibrary = [this] { return SaveLibrary(); };
        services.showMenuEditor = [this] { ShowMenuEditor(false); };
        m_libraryWindows = std::make_unique<CLibraryWindows>(std::move(services));
    }
    return m_libraryWindows->OpenLibraryElement(identifier) != nullptr;
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
    if (m_menuEditor) {
        m_menuEditor->WriteTreeToStream();
    } else {
        // Without the editor the stream is the tree: it is stored the same way.
        CLibraryData& library = *m_library;
        std::vector<CMenuItem> items = library.GetMenus().GetItems();
        PrepareMenuForSaving(items,
                             [&library](int16_t code) { return library.MenuEntryName(code); });
        library.GetMenus().SetItems(items);
    }
    if (!m_libraryStorage->Save(*m_library)) return false;
    if (m_libraryHistory) m_libraryHistory->MarkSaved();
    if (m_mainFrame) RebuildElementsMenu(*m_mainFrame, *m_library);
    return true;
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
