#pragma once

#include <string>
#include <vector>

#include "core/platform/byte_stream.h"

namespace kestro {

// A file on disk opened through a POSIX descriptor, with its own buffering so that
// many small records cost few system calls.
class CFileStream : public CByteStream {
public:
    enum class Mode { Read, Write };

    CFileStream() = default;
    ~CFileStream() override;
    CFileStream(const CFileStream&) = delete;
    CFileStream& operator=(const CFileStream&) = delete;

    // Throws CFileException with the system's reason when the file cannot be opened.
    void Open(const std::string& path, Mode mode);
    // Writes what is buffered and closes; errors of the final write are thrown.
    void Close();
    bool IsOpen() const { return m_fd >= 0; }
    const std::string& GetPath() const { return m_path; }

    size_t Read(void* dst, size_t count) override;
    void Write(const void* src, size_t count) override;
    void Seek(uint64_t position) override;
    uint64_t Tell() const override { return m_position; }
    uint64_t Size() const override;

    // Writes the buffered data and flushes it to the disk.
    void Sync();

protected:
    void Attach(int fd, const std::string& path);
    void FlushWrites();
    void CloseQuietly() noexcept;

    int m_fd = -1;
    std::string m_path;

private:
    void DropReadBuffer();

    std::vector<char> m_buffer;
    size_t m_writeLength = 0;  // buffered bytes not yet written
    uint64_t m_readStart = 0;  // file offset of the read buffer's first byte
    size_t m_readLength = 0;   // valid bytes in the read buffer
    uint64_t m_position = 0;   // logical position
};

// Writes a file safely: the data goes to a temporary file in the target's folder,
// which replaces the target only when Commit succeeds. Destroying an uncommitted
// mirror removes the temporary file and leaves the target untouched.
class CMirrorFile : public CFileStream {
public:
    explicit CMirrorFile(const std::string& target);
    ~CMirrorFile() override;

    const std::string& GetTarget() const { return m_target; }
    // Flushes, renames over the target and flushes the folder. Throws CFileException.
    void Commit();

private:
    std::string m_target;
    bool m_committed = false;
};

bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
uint64_t FileSize(const std::string& path);
std::string ReadWholeFile(const std::string& path);  // throws CFileException

}  // namespace kestro
