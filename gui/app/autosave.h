#pragma once

#include <QObject>
#include <QTimer>
#include <set>
#include <string>

#include "core/hierarchy/recovery_store.h"

namespace kestro {

class CCircuit;
class CKestroDocTemplate;
class CKestroApp;
class CPrompts;

inline constexpr const char* kRestoreQuestion =
    "Kestro was not closed properly. An automatically saved copy of %1 from %2 was found.\n"
    "Restore it? (No discards the copy.)";

// Writes every modified schematic to the recovery folder every few seconds, from a
// snapshot taken on the window's thread and written on another; unmodified sheets lose
// their copies. At start-up it offers the copies a crashed editor left behind.
class CAutosave : public QObject {
    Q_OBJECT
public:
    CAutosave(CKestroApp& app, std::string folder, QObject* parent = nullptr);
    ~CAutosave() override;

    // 0 stops it.
    void SetInterval(int seconds);
    // 0 when it is off.
    int IntervalSeconds() const { return m_timer.isActive() ? m_timer.interval() / 1000 : 0; }
    // Writes the copies now (the timer's work); also used at a log-out that cannot ask.
    void SaveNow();
    // Asks about each copy left behind: Yes opens it as a modified sheet with its
    // original path, No deletes it.
    void OfferRecovered(CPrompts& prompts);
    // A clean exit: every copy of this editor goes.
    void RemoveAll();
    // Waits for the copies being written.
    void Wait();
    const CRecoveryStore& Store() const { return m_store; }

    // The key of a sheet's copy: its path, or its title when it was never saved.
    static std::string Key(const CCircuit& sheet);

private:
    CKestroApp& m_app;
    CRecoveryStore m_store;
    QTimer m_timer;
    std::set<std::string> m_written;
};

}  // namespace kestro
