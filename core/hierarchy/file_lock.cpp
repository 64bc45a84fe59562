#include "core/hierarchy/file_lock.h"

#include <pwd.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <vector>

namespace kestro {

namespace {

constexpr const char* kFirstLine = "KESTRO LOCK 1";
constexpr size_t kMaxLockFile = 4096;

// Values stay on their line whatever the environment holds.
std::string OneLine(std::string text) {
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
    return text;
}

std::optional<int64_t> ParseNumber(const std::string& text) {
    int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || at != end) return std::nullopt;
    return value;
}

std::optional<std::string> ReadSmallFile(const std::string& path, size_t limit) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text;
    text.resize(limit + 1);
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<size_t>(in.gcount()));
    return text;
}

// When the process started, in clock ticks after boot (field 22 of /proc/<pid>/stat);
// 0 when it cannot be read.
int64_t ProcessStart(int64_t pid) {
    const auto stat = ReadSmallFile("/proc/" + std::to_string(pid) + "/stat", 2048);
    if (!stat) return 0;
    // The name in parentheses may hold spaces; the fields after it do not.
    const size_t close = stat->rfind(')');
    if (close == std::string::npos) return 0;
    size_t at = close + 1;
    for (int field = 2; field < 22; ++field) {
        at = stat->find(' ', at);
        if (at == std::string::npos) return 0;
        ++at;
    }
    const size_t end = stat->find(' ', at);
    return ParseNumber(stat->substr(at, end - at)).value_or(0);
}

std::string HostName() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0) return "localhost";
    return OneLine(name);
}

std::string UserName() {
    if (const char* user = std::getenv("USER"); user && *user) return OneLine(user);
    // Services and some terminals leave USER unset.
    passwd entry{};
    passwd* found = nullptr;
    char buffer[1024];
    if (getpwuid_r(getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found)
        return OneLine(found->pw_name);
    return "";
}

std::string LocalTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

bool WriteWhole(const std::string& path, const std::string& text) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const bool closed = std::fclose(file) == 0;
    return written && closed;
}

}  // namespace

CLockHolder CLockHolder::ThisProcess() {
    CLockHolder self;
    self.pid = static_cast<int64_t>(getpid());
    self.host = HostName();
    self.user = UserName();
    self.started = ProcessStart(self.pid);
    self.since = LocalTimeNow();
    return self;
}

bool CLockHolder::SameProcess(const CLockHolder& other) const {
    return pid == other.pid && host == other.host &&
           (started == 0 || other.started == 0 || started == other.started);
}

std::string FormatLockFile(const CLockHolder& holder) {
    std::string text = std::string(kFirstLine) + "\n";
    text += "pid=" + std::to_string(holder.pid) + "\n";
    text += "host=" + OneLine(holder.host) + "\n";
    text += "user=" + OneLine(holder.user) + "\n";
    text += "started=" + std::to_string(holder.started) + "\n";
    text += "since=" + OneLine(holder.since) + "\n";
    return text;
}

std::optional<CLockHolder> ParseLockFile(const std::string& text) {
    if (text.size() > kMaxLockFile) return std::nullopt;
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t at; (at = text.find('\n', start)) != std::string::npos; start = at + 1)
        lines.push_back(text.substr(start, at - start));
    if (lines.empty() || lines[0] != kFirstLine) return std::nullopt;
    CLockHolder holder;
    for (size_t i = 1; i < lines.size(); ++i) {
        const size_t equals = lines[i].find('=');
        if (equals == std::string::npos) continue;  // a later version's remark
        const std::string key = lines[i].substr(0, equals);
        const std::string value = OneLine(lines[i].substr(equals + 1));
        if (key == "pid") {
            holder.pid = ParseNumber(value).value_or(0);
        } else if (key == "started") {
            holder.started = ParseNumber(value).value_or(0);
        } else if (key == "host") {
            holder.host = value;
        } else if (key == "user") {
            holder.user = value;
        } else if (key == "since") {
            holder.since = value;
        }
    }
    if (holder.pid <= 0 || holder.host.empty()) return std::nullopt;
    return holder;
}

bool IsHolderRunning(const CLockHolder& holder, const std::string& thisHost) {
    if (holder.host != thisHost) return true;
    if (holder.pid <= 0 || holder.pid > INT32_MAX) return false;
    const pid_t pid = static_cast<pid_t>(holder.pid);
    if (kill(pid, 0) != 0 && errno != EPERM) return false;
    // The number may have been given to a newer process since.
    const int64_t started = holder.started != 0 ? ProcessStart(holder.pid) : 0;
    return started == 0 || started == holder.started;
}

CFileLocks::CFileLocks(CLockHolder self, RunningCheck running)
    : m_self(std::move(self)), m_running(std::move(running)) {
    if (!m_running) {
        const std::string host = m_self.host;
        m_running = [host](const CLockHolder& holder) { return IsHolderRunning(holder, host); };
    }
}

CFileLocks::~CFileLocks() {
    ReleaseAll();
}

std::string CFileLocks::LockPathFor(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return folder + "." + name + ".lock";
}

std::optional<CLockHolder> CFileLocks::ReadHolder(const std::string& lockPath) const {
    const auto text = ReadSmallFile(lockPath, kMaxLockFile);
    if (!text) return std::nullopt;
    return ParseLockFile(*text);
}

bool CFileLocks::IsRunning(const CLockHolder& holder) const {
    return !holder.SameProcess(m_self) && m_running(holder);
}

std::optional<CLockHolder> CFileLocks::OtherHolder(const std::string& path) const {
    auto holder = ReadHolder(LockPathFor(path));
    if (!holder || !IsRunning(*holder)) return std::nullopt;
    return holder;
}

bool CFileLocks::Acquire(const std::string& path) {
    if (path.empty()) return false;
    if (Holds(path)) return true;
    const std::string lock = LockPathFor(path);
    const std::string temp = lock + "." + std::to_string(m_self.pid) + ".tmp";
    if (!WriteWhole(temp, FormatLockFile(m_self))) {
        unlink(temp.c_str());
        return false;
    }
    // A new lock appears whole or not at all; one that is there already is looked at
    // first, and replaced only when its editor is gone (or it is ours, or damaged).
    bool placed = link(temp.c_str(), lock.c_str()) == 0;
    if (!placed) {
        const auto holder = ReadHolder(lock);
        if (holder && IsRunning(*holder)) {
            unlink(temp.c_str());
            return false;
        }
        placed = rename(temp.c_str(), lock.c_str()) == 0;
    }
    unlink(temp.c_str());
    if (placed) m_held[path] = lock;
    return placed;
}

void CFileLocks::Release(const std::string& path) {
    const auto held = m_held.find(path);
    if (held == m_held.end()) return;
    // Another editor that took the file over (we were thought gone) keeps its lock.
    const auto holder = ReadHolder(held->second);
    if (holder && holder->SameProcess(m_self)) unlink(held->second.c_str());
    m_held.erase(held);
}

void CFileLocks::ReleaseAll() {
    while (!m_held.empty())
        Release(m_held.begin()->first);
}

}  // namespace kestro
