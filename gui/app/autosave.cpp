#include "gui/app/autosave.h"

#include <QDateTime>
#include <QFileInfo>
#include <QThreadPool>
#include <ctime>

#include "core/document/circuit.h"
#include "core/platform/prompts.h"
#include "gui/app/kestro_app.h"
#include "gui/app/kestro_doc_template.h"

namespace kestro {

CAutosave::CAutosave(CKestroApp& app, std::string folder, QObject* parent)
    : QObject(parent), m_app(app), m_store(std::move(folder)) {
    connect(&m_timer, &QTimer::timeout, this, [this] { SaveNow(); });
}

CAutosave::~CAutosave() {
    Wait();
}

std::string CAutosave::Key(const CCircuit& sheet) {
    return sheet.GetPathName().empty() ? "untitled:" + sheet.GetTitle() : sheet.GetPathName();
}

void CAutosave::SetInterval(int seconds) {
    if (seconds <= 0) {
        m_timer.stop();
        return;
    }
    // The same interval again (the options closed) keeps the countdown running.
    if (m_timer.isActive() && m_timer.interval() == seconds * 1000) return;
    m_timer.start(seconds * 1000);
}

void CAutosave::SaveNow() {
    CKestroDocTemplate* type = m_app.DocTemplate();
    if (!type) return;
    const int64_t now = static_cast<int64_t>(std::time(nullptr));
    for (CCircuit* sheet : type->WindowDocuments()) {
        const std::string key = Key(*sheet);
        if (!sheet->IsModified()) {
            // Saved since the last copy: the copy is of no use any more.
            if (m_written.erase(key)) m_store.Remove(key);
            continue;
        }
        m_written.insert(key);
        // Only the snapshot is taken here; the disk is written in the background.
        auto bytes = std::make_shared<std::vector<uint8_t>>(CRecoveryStore::Snapshot(*sheet));
        const CRecoveryStore store = m_store;
        const std::string original = sheet->GetPathName();
        QThreadPool::globalInstance()->start(
            [store, key, original, bytes, now] { store.Write(key, original, *bytes, now); });
    }
}

void CAutosave::Wait() {
    QThreadPool::globalInstance()->waitForDone();
}

void CAutosave::RemoveAll() {
    Wait();
    for (const std::string& key : m_written)
        m_store.Remove(key);
    m_written.clear();
}

void CAutosave::OfferRecovered(CPrompts& prompts) {
    for (const CRecoveredDocument& copy : m_store.List()) {
        const QString name = copy.originalPath.empty()
                                 ? QString::fromStdString(copy.key.substr(copy.key.find(':') + 1))
                                 : QString::fromStdString(copy.originalPath);
        const QString when =
            QDateTime::fromSecsSinceEpoch(copy.writtenAt).toString("yyyy-MM-dd hh:mm:ss");
        const std::string question = QString(kRestoreQuestion).arg(name, when).toStdString();
        if (prompts.Ask(question, MessageButtons::YesNo, MessageIcon::Question) != Answer::Yes) {
            m_store.Remove(copy.key);
            continue;
        }
        CKestroDocTemplate* type = m_app.DocTemplate();
        if (!type) return;
        // Read without the recent-file list, which should never show the copy.
        const std::shared_ptr<CCircuit> sheet = type->Manager().FindOrOpenDocument(copy.copyPath);
        if (!sheet) continue;  // the reader said why; the copy stays for another try
        // Save writes the user's own file, never the copy; the lock goes there too.
        sheet->SetPathName(copy.originalPath);
        if (copy.originalPath.empty()) sheet->SetTitle(name.toStdString());
        type->Manager().FollowPath(*sheet);
        // Modified before its window (and history) exists: no undo may reach a state that
        // counts as saved, since none of them is the user's file.
        sheet->SetModified(true);
        type->ShowDocument(*sheet);
        m_store.Remove(copy.key);
        m_written.insert(Key(*sheet));
        SaveNow();
    }
}

}  // namespace kestro
