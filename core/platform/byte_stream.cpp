#include "core/platform/byte_stream.h"

#include <algorithm>
#include <cstring>

namespace kestro {

namespace {
std::string DescribeError(const std::string& path, int error) {
    return path + ": " + std::strerror(error);
}
}  // namespace

CFileException::CFileException(const std::string& path, int error)
    : std::runtime_error(DescribeError(path, error)), m_path(path), m_error(error) {}

CFileException::CFileException(const std::string& path, const std::string& reason)
    : std::runtime_error(path + ": " + reason), m_path(path) {}

size_t CMemoryStream::Read(void* dst, size_t count) {
    if (m_position >= m_bytes.size()) return 0;
    const size_t available = m_bytes.size() - static_cast<size_t>(m_position);
    const size_t n = std::min(count, available);
    std::memcpy(dst, m_bytes.data() + m_position, n);
    m_position += n;
    return n;
}

void CMemoryStream::Write(const void* src, size_t count) {
    if (count == 0) return;
    const auto* bytes = static_cast<const uint8_t*>(src);
    if (m_position == m_bytes.size()) {  // appending, the common case
        m_bytes.insert(m_bytes.end(), bytes, bytes + count);
        m_position += count;
        return;
    }
    const size_t end = static_cast<size_t>(m_position) + count;
    if (end > m_bytes.size()) m_bytes.resize(end);
    std::memcpy(m_bytes.data() + m_position, bytes, count);
    m_position = end;
}

}  // namespace kestro
