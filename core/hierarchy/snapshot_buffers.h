#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace kestro {

// Memory for the snapshots of autosaved documents, kept from one autosave to the next.
// Writing a large sheet into memory used before costs about a tenth of writing it into
// new memory, whose pages the system hands over one fault at a time; so new memory is
// made ready away from the window's thread, and the window's thread only writes into
// buffers that are ready. A buffer lent out for a snapshot counts as busy until the
// copy has been written and the buffer given back (which may happen on another thread),
// so two copies of one document are never written at once.
class CSnapshotBuffers {
public:
    // Memory of `bytes` capacity whose pages have all been touched.
    static std::vector<uint8_t> Prepared(size_t bytes);

    // Whether the buffer of `key` is lent out (a snapshot or a preparation is on its way).
    bool IsBusy(const std::string& key) const;
    // The buffer of `key`, lent out, when it is idle and ready for a snapshot of about
    // `objects` objects; nothing when it is busy or would have to grow.
    std::optional<std::vector<uint8_t>> LendReady(const std::string& key, size_t objects);
    // Lends out the buffer of `key` whatever its state (an autosave that cannot wait);
    // nothing when it is busy.
    std::optional<std::vector<uint8_t>> LendAny(const std::string& key);
    // What a buffer for `key` should hold to take its next snapshot without growing.
    size_t WantedCapacity(const std::string& key, size_t objects) const;
    // Marks `key` busy while new memory for it is prepared; false when already busy.
    bool BeginPreparing(const std::string& key);
    // A buffer comes back after its snapshot was written (or its memory was prepared).
    // `used` is the size of the snapshot it held, of a document of `objects` objects;
    // 0 keeps what was known before.
    void GiveBack(const std::string& key, std::vector<uint8_t> buffer, size_t used = 0,
                  size_t objects = 0);
    // Lets the memory of `key` go once it is idle (the document was saved or closed).
    void Forget(const std::string& key);
    // The keys that have a buffer or are busy.
    std::vector<std::string> Keys() const;
    // The memory the idle buffers hold.
    size_t IdleCapacity() const;

private:
    // Bytes a snapshot takes per object before one was taken: more than sheets need.
    static constexpr size_t kFirstBytesPerObject = 128;

    struct CEntry {
        std::vector<uint8_t> buffer;
        size_t bytesPerObject = kFirstBytesPerObject;  // as the last snapshot had it
        bool busy = false;
        bool forgotten = false;  // drop the buffer when it comes back
    };

    mutable std::mutex m_mutex;
    std::map<std::string, CEntry> m_entries;
};

}  // namespace kestro
