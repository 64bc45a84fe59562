#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

namespace kestro {

// Who holds a schematic open: one editor process on one machine. `started` tells a
// process from a later one that was given the same number (0: not known).
struct CLockHolder {
    int64_t pid = 0;
    std::string host;
    std::string user;
    int64_t started = 0;
    std::string since;  // when the file was opened, as the holder's clock showed it

    // This process.
    static CLockHolder ThisProcess();
    bool SameProcess(const CLockHolder& other) const;
};

// The lock file's text and back; nothing when the text is not a lock of ours (too long,
// no process number, damaged).
std::string FormatLockFile(const CLockHolder& holder);
std::optional<CLockHolder> ParseLockFile(const std::string& text);

// Whether a process of this machine still runs (and is the one that wrote the lock, when
// its start is known). A process of another machine cannot be checked: it counts as
// running.
bool IsHolderRunning(const CLockHolder& holder, const std::string& thisHost);

// The lock files of the schematics this editor has open. A lock file lives beside its
// schematic (".name.sch.lock") and names the process and the machine, so that a second
// editor opening the file can warn before two editors overwrite each other's work. A
// lock whose process is gone (a crash, a killed editor) is stale: it is taken over
// without a word.
class CFileLocks {
public:
    using RunningCheck = std::function<bool(const CLockHolder&)>;

    // `running` decides whether another holder is still at work (tests stand in for
    // the machine's processes); by default IsHolderRunning.
    explicit CFileLocks(CLockHolder self = CLockHolder::ThisProcess(), RunningCheck running = {});
    ~CFileLocks();
    CFileLocks(const CFileLocks&) = delete;
    CFileLocks& operator=(const CFileLocks&) = delete;

    static std::string LockPathFor(const std::string& path);

    const CLockHolder& Self() const { return m_self; }
    // The running editor other than this one that holds the file's lock; nothing when
    // the file is free, stale, or ours.
    std::optional<CLockHolder> OtherHolder(const std::string& path) const;
    // Takes the file's lock (a stale one is replaced). False when another running editor
    // holds it, or the lock file cannot be written (a read-only folder): the file is
    // edited without a lock then.
    bool Acquire(const std::string& path);
    // Removes the lock file, if it is still ours.
    void Release(const std::string& path);
    void ReleaseAll();
    bool Holds(const std::string& path) const { return m_held.count(path) != 0; }

private:
    std::optional<CLockHolder> ReadHolder(const std::string& lockPath) const;
    bool IsRunning(const CLockHolder& holder) const;

    CLockHolder m_self;
    RunningCheck m_running;
    std::map<std::string, std::string> m_held;  // path -> its lock file
};

}  // namespace kestro
