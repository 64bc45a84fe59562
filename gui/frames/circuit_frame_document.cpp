#include "gui/frames/circuit_frame_document.h"

#include <QApplication>

#include "core/document/circuit.h"
#include "core/document/edit_step.h"
#include "core/platform/prompts.h"
#include "gui/app/kestro_doc_template.h"
#include "gui/commands/command_ids.h"
#include "gui/dialogs/print_page_setup_dialog.h"

namespace kestro {

namespace {

// "Undo Move", "Redo Delete"; just "Undo" when there is nothing to take back.
std::string UndoText(const char* verb, const std::string& step) {
    return step.empty() ? std::string(verb) : std::string(verb) + " " + step;
}

}  // namespace

CCircuitFrameDocument::CCircuitFrameDocument(std::shared_ptr<CCircuit> document,
                                             CKestroDocTemplate& type, CNetlistFolders folders)
    : QObject(&type),
      m_document(std::move(document)),
      m_type(type),
      m_source(*m_document, std::move(folders)) {
    m_history.Attach(*m_document);
    RegisterCommands();
}

CCircuitFrameDocument::~CCircuitFrameDocument() {
    m_history.Detach();
}

void CCircuitFrameDocument::RegisterCommands() {
    Commands().Add(kIdFileSave, [this] { Save(); });
    Commands().Add(kIdFileSaveAs, [this] { SaveAs(); });
    Commands().Add(kIdPrintPageSetup, [this] { EditPageSetup(); });
    Commands().Add(
        kIdEditUndo, [this] { Undo(); },
        [this](CCommandState& state) {
            state.enabled = m_history.CanUndo();
            state.text = UndoText("Undo", m_history.UndoName());
        });
    Commands().Add(
        kIdEditRedo, [this] { Redo(); },
        [this](CCommandState& state) {
            state.enabled = m_history.CanRedo();
            state.text = UndoText("Redo", m_history.RedoName());
        });
}

void CCircuitFrameDocument::Undo() {
    m_history.Undo();
}

void CCircuitFrameDocument::Redo() {
    m_history.Redo();
}

QString CCircuitFrameDocument::Title() const {
    const std::string& path = m_document->GetPathName();
    return QString::fromStdString(path.empty() ? m_document->GetTitle() : path);
}

bool CCircuitFrameDocument::SaveModified() {
    return m_type.AskToSave(*m_document);
}

bool CCircuitFrameDocument::StaysLoadedWithoutWindows() const {
    return !m_document->GetParents().empty();
}

void CCircuitFrameDocument::CloseDocument() {
    m_type.CloseDocument(*m_document);
}

bool CCircuitFrameDocument::Save() {
    m_type.ApplyPendingEdits();
    const bool saved = m_type.Manager().Save(*m_document);
    m_type.NotePath(*m_document);
    return saved;
}

bool CCircuitFrameDocument::SaveAs() {
    m_type.ApplyPendingEdits();
    const bool saved = m_type.Manager().SaveAs(*m_document);
    m_type.NotePath(*m_document);
    return saved;
}

void CCircuitFrameDocument::EditPageSetup() {
    CPrintPageSetupDlg dialog(m_document->GetTitleInfo(), QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) return;
    CEditStep step(*m_document, "Page Setup");
    step.ChangeSheet();
    m_document->GetTitleInfo() = dialog.TitleInfo();
    step.RepaintAll();
}

}  // namespace kestro
