// The application's document and file commands: New, Open, Close All, Save All, the
// recent-file list, printer setup, and the node clean-up of idle time.
#include <QMenu>
#include <QPageSetupDialog>
#include <QPrinter>

#include "core/document/circuit.h"
#include "core/platform/prompts.h"
#include "gui/app/kestro_app.h"
#include "gui/app/kestro_doc_template.h"
#include "gui/attributes/kestro_attributes.h"
#include "gui/commands/command_ids.h"
#include "gui/commands/command_table.h"
#include "gui/frames/main_frame.h"
#include "gui/print/print_service.h"

namespace kestro {

namespace {

constexpr int kRecentFileCount = static_cast<int>(CRecentFileList::kSize);

}  // namespace

// Nodes left without objects are deleted while the user does nothing: one document per pass,
// when its clean-up is pending. A zero-interval timer runs once the event queue is empty.
void CKestroApp::CleanUpNodesWhenIdle() {
    m_idleTimer = new QTimer(this);
    m_idleTimer->setInterval(0);
    connect(m_idleTimer, &QTimer::timeout, this, [this] {
        if (!m_docTemplate) return;
        const auto documents = m_docTemplate->Manager().Documents();
        if (m_idleDocument >= documents.size()) {
            // Every document had its turn: wait for the next burst of work.
            m_idleDocument = 0;
            m_idleTimer->stop();
            QTimer::singleShot(500, m_idleTimer, [this] { m_idleTimer->start(); });
            return;
        }
        CCircuit& document = *documents[m_idleDocument++];
        if (document.IsCleanupPending()) document.NodeCleanup();
    });
    m_idleTimer->start();
}

// --- Documents -----------------------------------------------------------------------------

CCircuit* CKestroApp::NewDocument() {
    return m_docTemplate ? m_docTemplate->NewDocument() : nullptr;
}

CCircuit* CKestroApp::OpenDocument(const std::string& path) {
    if (m_attributes) m_attributes->ClearSelection(false);
    return m_docTemplate ? m_docTemplate->OpenDocumentFile(path) : nullptr;
}

void CKestroApp::OpenWithDialog() {
    CFileDialogRequest request;
    request.title = "Open";
    request.filter = CKestroDocTemplate::kFileFilter;
    request.defaultExtension = ".sch";
    request.mustExist = true;
    if (const auto path = m_prompts->OpenFileName(request)) OpenDocument(*path);
}

bool CKestroApp::CloseAllDocuments() {
    if (!m_docTemplate || !m_docTemplate->SaveAllModified()) return false;
    m_docTemplate->CloseAllDocuments();
    return true;
}

void CKestroApp::NoteRecentFile(const std::string& path) {
    m_recentFiles.Add(path);
    m_recentFilesChanged = true;
    RefreshRecentFileMenus();
}

void CKestroApp::OpenRecentFile(int index) {
    const auto& entries = m_recentFiles.Entries();
    if (index < 0 || index >= static_cast<int>(entries.size())) return;
    const std::string path = entries[static_cast<size_t>(index)];
    if (OpenDocument(path)) return;
    // Left open in another editor at the user's word: the file is still fine.
    if (m_docTemplate && m_docTemplate->Manager().OpenWasDeclined()) return;
    // A file that cannot be opened any more leaves the list.
    m_recentFiles.Remove(static_cast<size_t>(index));
    m_recentFilesChanged = true;
    RefreshRecentFileMenus();
}

// The "Recent File" item of the File menus becomes one item per remembered file.
void CKestroApp::RefreshRecentFileMenus() {
    if (!m_mainFrame) return;
    CCommandTable& table = m_mainFrame->CommandTable();
    const auto& entries = m_recentFiles.Entries();
    for (const int resource : {kMenuMain, kMenuSchematic}) {
        QAction* first = table.MenuAction(resource, kIdFileMruFirst);
        QMenu* file = table.Menus(resource).value(0);
        if (!first || !file) continue;
        for (QAction* a : file->actions())
            if (a->property("kestroRecentFile").toBool()) delete a;
        first->setText(entries.empty()
                           ? QStringLiteral("Recent File")
                           : QStringLiteral("&1 %1").arg(QString::fromStdString(entries[0])));
        first->setEnabled(!entries.empty());
        QAction* before = nullptr;
        const QList<QAction*> actions = file->actions();
        const qsizetype at = actions.indexOf(first);
        if (at >= 0 && at + 1 < actions.size()) before = actions[at + 1];
        for (int i = 1; i < static_cast<int>(entries.size()); ++i) {
            auto* item = new QAction(
                QStringLiteral("&%1 %2").arg(i + 1).arg(QString::fromStdString(entries[size_t(i)])),
                file);
            item->setObjectName(QStringLiteral("id%1").arg(kIdFileMruFirst + i));
            item->setProperty("kestroRecentFile", true);
            connect(item, &QAction::triggered, this, [this, i] { OpenRecentFile(i); });
            file->insertAction(before, item);
        }
    }
}

void CKestroApp::PrinterSetup() {
    if (!m_printService) return;
    QPageSetupDialog dialog(&m_printService->Printer(), m_mainFrame.get());
    if (dialog.exec() != QDialog::Accepted) return;
    UpdatePrintPageSize();
    if (m_redrawAllViews) m_redrawAllViews();
}

void CKestroApp::RegisterFileCommands() {
    Commands().Add(kIdFileNew, [this] { NewDocument(); });
    Commands().Add(kIdFileOpen, [this] { OpenWithDialog(); });
    const auto anyDocument = [this](CCommandState& s) {
        s.enabled = m_docTemplate && m_docTemplate->HasDocuments();
    };
    Commands().Add(
        kIdCloseAll, [this] { CloseAllDocuments(); }, anyDocument);
    Commands().Add(
        kIdSaveAll,
        [this] {
            if (m_docTemplate) m_docTemplate->SaveAll();
        },
        anyDocument);
    Commands().AddRange(
        kIdFileMruFirst, kIdFileMruFirst + kRecentFileCount - 1,
        [this](int id) { OpenRecentFile(id - kIdFileMruFirst); },
        [this](int id, CCommandState& s) {
            s.enabled = id - kIdFileMruFirst < static_cast<int>(m_recentFiles.Entries().size());
        });
    Commands().Add(kIdFilePrintSetup, [this] { PrinterSetup(); });
}

}  // namespace kestro
