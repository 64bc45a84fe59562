#pragma once

#include <QObject>
#include <QTimer>
#include <set>
#include <string>

#include "core/hierarchy/recovery_store.h"
#include "core/hierarchy/snapshot_buffers.h"

namespace kestro {

class CCircuit;
class CKestroDocTemplate;
class CKestroApp;
class CPrompts;

inline constexpr const char* kRestoreQuestion =
    "Kestro was not closed properly. An automatically saved copy of %1 from %2 was found.\n"
    "Restore it? (No discards the copy.)";
// How the question names the library's copy; %1 is the file a library save writes.
inline constexpr const char* kLibraryCopyName = "the element library %1";

// Writes every modified schematic and the modified library to the recovery folder every
// few seconds, from a snapshot taken on the window's thread and written on another;
// unmodified documents lose their copies. At start-up it offers the copies a crashed
// editor left behind, the library's first.
//
// The timer's autosave spares the window: a sheet is written into memory kept from its
// last snapshot, and where there is none (or too little) the memory is made ready on
// another thread and the sheet's snapshot taken when it is.
class CAutosave : public QObject {
    Q_OBJECT
public:
    CAutosave(CKestroApp& app, std::string folder, QObject* parent = nullptr);
    ~CAutosave() override;

    // 0 stops it.
    void SetInterval(int seconds);
    // 0 when it is off.
    int IntervalSeconds() const { return m_timer.isActive() ? m_timer.interval() / 1000 : 0; }
    // Writes every copy now, whatever it costs the window: a log-out that cannot ask, a
    // restored copy. Copies being written are waited for first.
    void SaveNow();
    // The timer's work: copies of the documents whose snapshot memory is ready, the
    // memory of the others made ready in the background and their copies written then.
    void SaveSparingTheWindow();
    // Asks about each copy left behind: Yes opens it as a modified sheet with its
    // original path, No deletes it.
    void OfferRecovered(CPrompts& prompts);
    // Copies of documents that are saved or closed go (those being written, at the next
    // autosave). Called after every save.
    void DropStaleCopies();
    // A clean exit: every copy of this editor goes.
    void RemoveAll();
    // Waits for the copies being written.
    void Wait();
    const CRecoveryStore& Store() const { return m_store; }

    // The key of a sheet's copy: its path, or its title when it was never saved.
    static std::string Key(const CCircuit& sheet);
    // The key of the library's copy, from the file a library save writes.
    static std::string LibraryKey(const std::string& libraryPath);
    static bool IsLibraryKey(const std::string& key);
    // The memory kept for snapshots.
    const CSnapshotBuffers& Buffers() const { return m_buffers; }

private:
    void Save(bool spareTheWindow);
    void SaveSheet(CCircuit& sheet, const std::string& key, bool spareTheWindow);
    void SaveSheetWithKey(const std::string& key);
    void SaveLibrary();
    void PrepareBuffer(const std::string& key, size_t objects);
    void WriteInBackground(const std::string& key, const std::string& original,
                           std::vector<uint8_t> bytes, size_t objects);
    void DropCopy(const std::string& key);
    std::set<std::string> KeysWithUnsavedWork() const;
    void OfferLibraryCopy(CPrompts& prompts, const CRecoveredDocument& copy);
    bool OfferSheetCopy(CPrompts& prompts, const CRecoveredDocument& copy);

    CKestroApp& m_app;
    CRecoveryStore m_store;
    CSnapshotBuffers m_buffers;
    QTimer m_timer;
    std::set<std::string> m_written;
};

}  // namespace kestro
