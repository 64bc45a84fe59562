// The application's dialog commands: going up and down the hierarchy of open sheets,
// the options sheet, the element list, the terminals picture and the library fonts.
#include <QMdiArea>

#include "core/document/circuit.h"
#include "core/hierarchy/sheet_navigation.h"
#include "core/library/library_data.h"
#include "gui/app/autosave.h"
#include "gui/app/kestro_app.h"
#include "gui/app/kestro_doc_template.h"
#include "gui/commands/command_ids.h"
#include "gui/dialogs/element_list_dialog.h"
#include "gui/dialogs/library_fonts_dialog.h"
#include "gui/dialogs/options_sheet.h"
#include "gui/dialogs/subcircuit_tree_dialog.h"
#include "gui/dialogs/terminals_dialog.h"
#include "gui/frames/child_frame.h"
#include "gui/frames/circuit_frame_document.h"
#include "gui/frames/main_frame.h"
#include "gui/library_editor/library_windows.h"

namespace kestro {

CCircuit* CKestroApp::ActiveCircuit() const {
    if (!m_mainFrame) return nullptr;
    auto* frame = qobject_cast<CChildFrame*>(m_mainFrame->ActiveDocumentFrame());
    auto* document = frame ? dynamic_cast<CCircuitFrameDocument*>(frame->Document()) : nullptr;
    return document ? &document->Circuit() : nullptr;
}

CFontChooser CKestroApp::FontChooser() {
    return m_fontChooser ? m_fontChooser : FontDialogChooser(m_mainFrame.get());
}

void CKestroApp::GoToSheet(CCircuit* sheet) {
    if (sheet && m_docTemplate) m_docTemplate->ShowDocument(*sheet);
}

void CKestroApp::ShowSubcircuitList() {
    CCircuit* active = ActiveCircuit();
    if (!active || !m_docTemplate) return;
    CSubcircuitTreeDlg dialog(SubcircuitTree(m_docTemplate->Manager().Documents()), active,
                              m_mainFrame.get());
    if (dialog.exec() == QDialog::Accepted) GoToSheet(dialog.Chosen());
}

void CKestroApp::ShowOptions(int page) {
    {
        COptionsSheet sheet(m_settings, *m_prompts, FontChooser(),
                            static_cast<COptionsSheet::Page>(page), m_mainFrame.get());
        sheet.exec();
    }
    // A new default text font counts whatever the sheet's answer, so both answers redraw.
    if (m_library)
        m_library->SetDefaultTextFont({m_settings.textFont.name, m_settings.textFont.size,
                                       m_settings.textFont.weight,
                                       m_settings.textFont.italic != 0});
    UpdatePrintPageSize();
    if (m_redrawAllViews) m_redrawAllViews();
    if (m_autosave) m_autosave->SetInterval(m_settings.autosaveSeconds);
}

void CKestroApp::ShowElementList() {
    if (CCircuit* active = ActiveCircuit()) {
        CElementListDlg dialog(*active, *m_prompts, m_mainFrame.get());
        dialog.exec();
    }
}

void CKestroApp::ShowTerminals() {
    if (const CCircuit* active = ActiveCircuit()) {
        CTerminalsDlg dialog(*active, m_mainFrame.get());
        dialog.exec();
    }
}

void CKestroApp::ChangeLibraryFonts() {
    if (!m_library) return;
    CLibraryFontsDlg dialog(*m_library, FontChooser(), m_mainFrame.get());
    dialog.exec();
    if (m_redrawAllViews) m_redrawAllViews();
    if (m_libraryWindows) m_libraryWindows->RepaintAll();
}

void CKestroApp::RegisterDialogCommands() {
    const auto schematicActive = [this](CCommandState& s) { s.enabled = ActiveCircuit(); };
    const auto hasParent = [this](CCommandState& s) {
        const CCircuit* active = ActiveCircuit();
        s.enabled = active && !active->GetParents().empty();
    };
    Commands().Add(
        kIdOnePageUp,
        [this] {
            if (CCircuit* active = ActiveCircuit())
                GoToSheet(ChooseSheet(ParentSheets(*active), kParentCircuitsTitle, *m_prompts));
        },
        hasParent);
    Commands().Add(
        kIdTopPage,
        [this] {
            if (CCircuit* active = ActiveCircuit())
                GoToSheet(ChooseSheet(TopLevelSheets(*active), kTopPageTitle, *m_prompts));
        },
        hasParent);
    Commands().Add(
        kIdSubcircuitList, [this] { ShowSubcircuitList(); }, schematicActive);
    Commands().Add(kIdSettings, [this] { ShowOptions(COptionsSheet::kStandard); });
    Commands().Add(kIdChangeColors, [this] { ShowOptions(COptionsSheet::kColors); });
    Commands().Add(
        kIdListElements, [this] { ShowElementList(); }, schematicActive);
    Commands().Add(
        kIdDisplayPorts, [this] { ShowTerminals(); }, schematicActive);
    Commands().Add(
        kIdChangeLibraryFonts, [this] { ChangeLibraryFonts(); },
        [this](CCommandState& s) { s.enabled = m_library != nullptr; });
}

}  // namespace kestro
