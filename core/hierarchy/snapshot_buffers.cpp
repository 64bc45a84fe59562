#include "core/hierarchy/snapshot_buffers.h"

#include <algorithm>

namespace kestro {

namespace {

// Whatever a sheet holds besides its objects (header, element table, counters).
constexpr size_t kFixedPart = 64 * 1024;
// Small enough for every page size in use.
constexpr size_t kPageSize = 4096;

size_t Expected(size_t bytesPerObject, size_t objects) {
    return bytesPerObject * objects + kFixedPart;
}

}  // namespace

std::vector<uint8_t> CSnapshotBuffers::Prepared(size_t bytes) {
    std::vector<uint8_t> buffer(bytes);
    // Zeroed memory may come straight from the system, not yet there: a write to each
    // page makes the system hand it over now, on this thread.
    volatile uint8_t* pages = buffer.data();
    for (size_t at = 0; at < bytes; at += kPageSize)
        pages[at] = 1;
    buffer.clear();
    return buffer;
}

bool CSnapshotBuffers::IsBusy(const std::string& key) const {
    std::lock_guard lock(m_mutex);
    const auto found = m_entries.find(key);
    return found != m_entries.end() && found->second.busy;
}

size_t CSnapshotBuffers::WantedCapacity(const std::string& key, size_t objects) const {
    std::lock_guard lock(m_mutex);
    const auto found = m_entries.find(key);
    const size_t perObject =
        found != m_entries.end() ? found->second.bytesPerObject : kFirstBytesPerObject;
    // A quarter to spare, so that a growing sheet is not prepared for at every autosave.
    const size_t expected = Expected(perObject, objects);
    return expected + expected / 4;
}

std::optional<std::vector<uint8_t>> CSnapshotBuffers::LendReady(const std::string& key,
                                                                size_t objects) {
    std::lock_guard lock(m_mutex);
    const auto found = m_entries.find(key);
    if (found == m_entries.end() || found->second.busy) return std::nullopt;
    CEntry& entry = found->second;
    const size_t expected = Expected(entry.bytesPerObject, objects);
    if (entry.buffer.capacity() < expected + expected / 16) return std::nullopt;
    entry.busy = true;
    return std::move(entry.buffer);
}

std::optional<std::vector<uint8_t>> CSnapshotBuffers::LendAny(const std::string& key) {
    std::lock_guard lock(m_mutex);
    CEntry& entry = m_entries[key];
    if (entry.busy) return std::nullopt;
    entry.busy = true;
    entry.forgotten = false;
    return std::move(entry.buffer);
}

bool CSnapshotBuffers::BeginPreparing(const std::string& key) {
    std::lock_guard lock(m_mutex);
    CEntry& entry = m_entries[key];
    if (entry.busy) return false;
    entry.busy = true;
    entry.forgotten = false;
    return true;
}

void CSnapshotBuffers::GiveBack(const std::string& key, std::vector<uint8_t> buffer, size_t used,
                                size_t objects) {
    std::lock_guard lock(m_mutex);
    CEntry& entry = m_entries[key];
    entry.busy = false;
    if (entry.forgotten) {
        m_entries.erase(key);
        return;
    }
    buffer.clear();
    entry.buffer = std::move(buffer);
    if (used > 0 && objects > 0)
        entry.bytesPerObject =
            std::max<size_t>(1, (used > kFixedPart ? used - kFixedPart : 0) / objects + 1);
}

void CSnapshotBuffers::Forget(const std::string& key) {
    std::lock_guard lock(m_mutex);
    const auto found = m_entries.find(key);
    if (found == m_entries.end()) return;
    if (found->second.busy)
        found->second.forgotten = true;
    else
        m_entries.erase(found);
}

std::vector<std::string> CSnapshotBuffers::Keys() const {
    std::lock_guard lock(m_mutex);
    std::vector<std::string> keys;
    for (const auto& [key, entry] : m_entries)
        keys.push_back(key);
    return keys;
}

size_t CSnapshotBuffers::IdleCapacity() const {
    std::lock_guard lock(m_mutex);
    size_t total = 0;
    for (const auto& [key, entry] : m_entries)
        if (!entry.busy) total += entry.buffer.capacity();
    return total;
}

}  // namespace kestro
