#include "gui/app/autosave.h"

#include <QDateTime>
#include <QThreadPool>
#include <ctime>
#include <memory>

#include "core/document/circuit.h"
#include "core/library/library_data.h"
#include "core/platform/byte_stream.h"
#include "core/platform/prompts.h"
#include "gui/app/kestro_app.h"
#include "gui/app/kestro_doc_template.h"

namespace kestro {

namespace {

constexpr const char* kLibraryKeyPrefix = "library:";

int64_t Now() {
    return static_cast<int64_t>(std::time(nullptr));
}

}  // namespace

CAutosave::CAutosave(CKestroApp& app, std::string folder, QObject* parent)
    : QObject(parent), m_app(app), m_store(std::move(folder)) {
    connect(&m_timer, &QTimer::timeout, this, [this] { SaveSparingTheWindow(); });
}

CAutosave::~CAutosave() {
    Wait();
}

std::string CAutosave::Key(const CCircuit& sheet) {
    return sheet.GetPathName().empty() ? "untitled:" + sheet.GetTitle() : sheet.GetPathName();
}

std::string CAutosave::LibraryKey(const std::string& libraryPath) {
    return kLibraryKeyPrefix + libraryPath;
}

bool CAutosave::IsLibraryKey(const std::string& key) {
    return key.rfind(kLibraryKeyPrefix, 0) == 0;
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
    Wait();  // every buffer idle: each copy is written again, none removed under a writer
    Save(false);
}

void CAutosave::SaveSparingTheWindow() {
    Save(true);
}

void CAutosave::Save(bool spareTheWindow) {
    CKestroDocTemplate* type = m_app.DocTemplate();
    if (!type) return;
    for (CCircuit* sheet : type->WindowDocuments())
        if (sheet->IsModified()) SaveSheet(*sheet, Key(*sheet), spareTheWindow);
    SaveLibrary();
    DropStaleCopies();
}

std::set<std::string> CAutosave::KeysWithUnsavedWork() const {
    std::set<std::string> keys;
    if (CKestroDocTemplate* type = m_app.DocTemplate())
        for (CCircuit* sheet : type->WindowDocuments())
            if (sheet->IsModified()) keys.insert(Key(*sheet));
    if (const CLibraryData* library = m_app.Library(); library && library->IsModified())
        keys.insert(LibraryKey(m_app.LibraryLocation().save));
    return keys;
}

void CAutosave::DropStaleCopies() {
    // Saved, closed, or saved under a new name (the copy under the old key is stale).
    const std::set<std::string> wanted = KeysWithUnsavedWork();
    for (const std::string& key : std::set<std::string>(m_written))
        if (!wanted.count(key)) DropCopy(key);
    for (const std::string& key : m_buffers.Keys())
        if (!wanted.count(key)) m_buffers.Forget(key);
}

void CAutosave::SaveSheet(CCircuit& sheet, const std::string& key, bool spareTheWindow) {
    const size_t objects = sheet.GetObjectCount();
    auto buffer = spareTheWindow ? m_buffers.LendReady(key, objects) : m_buffers.LendAny(key);
    if (!buffer) {
        if (spareTheWindow) PrepareBuffer(key, objects);
        return;
    }
    m_written.insert(key);
    // Only the snapshot is taken here; the disk is written in the background.
    WriteInBackground(key, sheet.GetPathName(), CRecoveryStore::Snapshot(sheet, std::move(*buffer)),
                      objects);
}

void CAutosave::SaveSheetWithKey(const std::string& key) {
    CKestroDocTemplate* type = m_app.DocTemplate();
    if (!type) return;
    for (CCircuit* sheet : type->WindowDocuments())
        if (Key(*sheet) == key && sheet->IsModified()) SaveSheet(*sheet, key, true);
}

void CAutosave::SaveLibrary() {
    CLibraryData* library = m_app.Library();
    if (!library || !library->IsModified()) return;
    const std::string key = LibraryKey(m_app.LibraryLocation().save);
    auto buffer = m_buffers.LendAny(key);
    if (!buffer) return;  // the last copy is still being written
    // The menus follow the menu editor's tree at every gesture: they are copied as they are.
    CMemoryStream out(std::move(*buffer));
    out.Clear();
    if (!library->WriteCopy(out)) {
        m_buffers.GiveBack(key, out.Take());
        return;
    }
    m_written.insert(key);
    WriteInBackground(key, library->GetPath(), out.Take(), 0);
}

void CAutosave::PrepareBuffer(const std::string& key, size_t objects) {
    if (!m_buffers.BeginPreparing(key)) return;  // being written or prepared: next time
    const size_t capacity = m_buffers.WantedCapacity(key, objects);
    // The destructor waits for the pool, so `this` outlives the task; the queued call is
    // dropped if this object is gone by the time it would run.
    QThreadPool::globalInstance()->start([this, key, capacity] {
        m_buffers.GiveBack(key, CSnapshotBuffers::Prepared(capacity));
        QMetaObject::invokeMethod(
            this, [this, key] { SaveSheetWithKey(key); }, Qt::QueuedConnection);
    });
}

void CAutosave::WriteInBackground(const std::string& key, const std::string& original,
                                  std::vector<uint8_t> bytes, size_t objects) {
    auto shared = std::make_shared<std::vector<uint8_t>>(std::move(bytes));
    const CRecoveryStore store = m_store;
    const int64_t now = Now();
    QThreadPool::globalInstance()->start([this, store, key, original, shared, objects, now] {
        store.Write(key, original, *shared, now);
        const size_t used = shared->size();
        m_buffers.GiveBack(key, std::move(*shared), used, objects);
    });
}

void CAutosave::DropCopy(const std::string& key) {
    if (m_buffers.IsBusy(key)) return;  // a copy is being written: removed next time
    if (m_written.erase(key)) m_store.Remove(key);
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
    const std::vector<CRecoveredDocument> copies = m_store.List();
    // The library first: restored sheets may use elements only its copy has.
    for (const CRecoveredDocument& copy : copies)
        if (IsLibraryKey(copy.key)) OfferLibraryCopy(prompts, copy);
    for (const CRecoveredDocument& copy : copies)
        if (!IsLibraryKey(copy.key) && !OfferSheetCopy(prompts, copy)) return;
}

namespace {

std::string RestoreQuestion(const QString& name, int64_t writtenAt) {
    const QString when = QDateTime::fromSecsSinceEpoch(writtenAt).toString("yyyy-MM-dd hh:mm:ss");
    return QString(kRestoreQuestion).arg(name, when).toStdString();
}

}  // namespace

void CAutosave::OfferLibraryCopy(CPrompts& prompts, const CRecoveredDocument& copy) {
    const QString name = QString(kLibraryCopyName).arg(QString::fromStdString(copy.originalPath));
    if (prompts.Ask(RestoreQuestion(name, copy.writtenAt), MessageButtons::YesNo,
                    MessageIcon::Question) != Answer::Yes) {
        m_store.Remove(copy.key);
        return;
    }
    if (!m_app.RestoreLibraryCopy(copy.copyPath)) return;  // told why; the copy stays
    m_store.Remove(copy.key);
    SaveLibrary();  // the restored library has a copy again at once
}

bool CAutosave::OfferSheetCopy(CPrompts& prompts, const CRecoveredDocument& copy) {
    const QString name = copy.originalPath.empty()
                             ? QString::fromStdString(copy.key.substr(copy.key.find(':') + 1))
                             : QString::fromStdString(copy.originalPath);
    if (prompts.Ask(RestoreQuestion(name, copy.writtenAt), MessageButtons::YesNo,
                    MessageIcon::Question) != Answer::Yes) {
        m_store.Remove(copy.key);
        return true;
    }
    CKestroDocTemplate* type = m_app.DocTemplate();
    if (!type) return false;
    // Read without the recent-file list, which should never show the copy.
    const std::shared_ptr<CCircuit> sheet = type->Manager().FindOrOpenDocument(copy.copyPath);
    if (!sheet) return true;  // the reader said why; the copy stays for another try
    // Save writes the user's own file, never the copy; the lock goes there too.
    sheet->SetPathName(copy.originalPath);
    if (copy.originalPath.empty()) sheet->SetTitle(name.toStdString());
    type->Manager().FollowPath(*sheet);
    // Modified before its window (and history) exists: no undo may reach a state that
    // counts as saved, since none of them is the user's file.
    sheet->SetModified(true);
    type->ShowDocument(*sheet);
    m_store.Remove(copy.key);
    // The restored sheet has a copy again at once.
    const std::string key = Key(*sheet);
    if (auto buffer = m_buffers.LendAny(key)) {
        m_written.insert(key);
        WriteInBackground(key, sheet->GetPathName(),
                          CRecoveryStore::Snapshot(*sheet, std::move(*buffer)),
                          sheet->GetObjectCount());
    }
    return true;
}

}  // namespace kestro
