#include "core/platform/file_stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "core/platform/path.h"

namespace kestro {

namespace {

constexpr size_t kBufferSize = 64 * 1024;

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;  // some file systems refuse it; the rename already happened
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

CFileStream::~CFileStream() {
    CloseQuietly();
}

void CFileStream::Open(const std::string& path, Mode mode) {
    CloseQuietly();
    const int flags =
        mode == Mode::Read ? (O_RDONLY | O_CLOEXEC) : (O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC);
    const int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0) throw CFileException(path, errno);
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        throw CFileException(path, EISDIR);
    }
    Attach(fd, path);
}

void CFileStream::Attach(int fd, const std::string& path) {
    m_fd = fd;
    m_path = path;
    m_buffer.resize(kBufferSize);
    m_writeLength = 0;
    m_readStart = 0;
    m_readLength = 0;
    m_position = 0;
}

void CFileStream::Close() {
    if (m_fd < 0) return;
    try {
        FlushWrites();
    } catch (...) {
        CloseQuietly();
        throw;
    }
    ::close(m_fd);
    m_fd = -1;
}

void CFileStream::CloseQuietly() noexcept {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    m_writeLength = 0;
    m_readLength = 0;
}

void CFileStream::FlushWrites() {
    size_t done = 0;
    while (done < m_writeLength) {
        const ssize_t n = ::write(m_fd, m_buffer.data() + done, m_writeLength - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            m_writeLength = 0;
            throw CFileException(m_path, errno);
        }
        done += static_cast<size_t>(n);
    }
    m_writeLength = 0;
}

void CFileStream::DropReadBuffer() {
    if (m_readLength == 0) return;
    m_readLength = 0;
    ::lseek(m_fd, static_cast<off_t>(m_position), SEEK_SET);
}

size_t CFileStream::Read(void* dst, size_t count) {
    if (m_fd < 0) return 0;
    FlushWrites();
    auto* out = static_cast<char*>(dst);
    size_t done = 0;
    while (done < count) {
        const uint64_t bufferEnd = m_readStart + m_readLength;
        if (m_position >= m_readStart && m_position < bufferEnd) {
            const size_t offset = static_cast<size_t>(m_position - m_readStart);
            const size_t n = std::min(count - done, m_readLength - offset);
            std::memcpy(out + done, m_buffer.data() + offset, n);
            done += n;
            m_position += n;
            continue;
        }
        if (m_readLength > 0 && m_position != bufferEnd)
            ::lseek(m_fd, static_cast<off_t>(m_position), SEEK_SET);
        m_readStart = m_position;
        m_readLength = 0;
        ssize_t n;
        do {
            n = ::read(m_fd, m_buffer.data(), m_buffer.size());
        } while (n < 0 && errno == EINTR);
        if (n < 0) throw CFileException(m_path, errno);
        if (n == 0) break;
        m_readLength = static_cast<size_t>(n);
    }
    return done;
}

void CFileStream::Write(const void* src, size_t count) {
    if (m_fd < 0) throw CFileException(m_path, EBADF);
    DropReadBuffer();
    const auto* in = static_cast<const char*>(src);
    while (count > 0) {
        if (m_writeLength == m_buffer.size()) FlushWrites();
        const size_t n = std::min(count, m_buffer.size() - m_writeLength);
        std::memcpy(m_buffer.data() + m_writeLength, in, n);
        m_writeLength += n;
        m_position += n;
        in += n;
        count -= n;
    }
}

void CFileStream::Seek(uint64_t position) {
    if (m_fd < 0) return;
    FlushWrites();
    if (m_readLength > 0 && position >= m_readStart && position <= m_readStart + m_readLength) {
        m_position = position;  // still inside what was read ahead
        return;
    }
    m_readLength = 0;
    if (::lseek(m_fd, static_cast<off_t>(position), SEEK_SET) < 0)
        throw CFileException(m_path, errno);
    m_position = position;
}

uint64_t CFileStream::Size() const {
    struct stat st {};
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0) return 0;
    return std::max<uint64_t>(static_cast<uint64_t>(st.st_size), m_position);
}

void CFileStream::Sync() {
    if (m_fd < 0) return;
    FlushWrites();
    if (::fsync(m_fd) != 0) throw CFileException(m_path, errno);
}

CMirrorFile::CMirrorFile(const std::string& target) : m_target(target) {
    std::string pattern = FolderOrCurrent(target) + ".kestro-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) throw CFileException(target, errno);
    // Keep the permissions an existing target had.
    struct stat st {};
    ::fchmod(fd, ::stat(target.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644);
    Attach(fd, name.data());
}

CMirrorFile::~CMirrorFile() {
    if (!m_committed) {
        CloseQuietly();
        ::unlink(m_path.c_str());
    }
}

void CMirrorFile::Commit() {
    Sync();
    Close();
    if (::rename(m_path.c_str(), m_target.c_str()) != 0) {
        const int error = errno;
        ::unlink(m_path.c_str());
        m_committed = true;
        throw CFileException(m_target, error);
    }
    m_committed = true;
    SyncFolder(FolderOrCurrent(m_target));
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool FolderExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

uint64_t FileSize(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return 0;
    return static_cast<uint64_t>(st.st_size);
}

std::string ReadWholeFile(const std::string& path) {
    CFileStream file;
    file.Open(path, CFileStream::Mode::Read);
    std::string text(static_cast<size_t>(file.Size()), '\0');
    text.resize(file.Read(text.data(), text.size()));
    return text;
}

}  // namespace kestro
