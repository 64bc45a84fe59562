#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace kestro {

// A file error, carrying the system's own wording for what went wrong.
class CFileException : public std::runtime_error {
public:
    CFileException(const std::string& path, int error);
    CFileException(const std::string& path, const std::string& reason);

    const std::string& GetPath() const { return m_path; }
    int GetError() const { return m_error; }

private:
    std::string m_path;
    int m_error = 0;
};

// Random-access byte stream: a file on disk or bytes in memory.
// Read returns fewer bytes than asked at the end; Write throws CFileException.
class CByteStream {
public:
    virtual ~CByteStream() = default;
    virtual size_t Read(void* dst, size_t count) = 0;
    virtual void Write(const void* src, size_t count) = 0;
    virtual void Seek(uint64_t position) = 0;
    virtual uint64_t Tell() const = 0;
    virtual uint64_t Size() const = 0;
};

class CMemoryStream : public CByteStream {
public:
    CMemoryStream() = default;
    explicit CMemoryStream(std::vector<uint8_t> bytes) : m_bytes(std::move(bytes)) {}
    CMemoryStream(const uint8_t* data, size_t size) : m_bytes(data, data + size) {}

    size_t Read(void* dst, size_t count) override;
    void Write(const void* src, size_t count) override;
    void Seek(uint64_t position) override { m_position = position; }
    uint64_t Tell() const override { return m_position; }
    uint64_t Size() const override { return m_bytes.size(); }

    const std::vector<uint8_t>& Bytes() const { return m_bytes; }
    // The bytes written, moved out; the stream is empty afterwards.
    std::vector<uint8_t> Take() {
        m_position = 0;
        return std::move(m_bytes);
    }
    // Empties the stream, keeping its memory for the next use.
    void Clear() {
        m_bytes.clear();
        m_position = 0;
    }

private:
    std::vector<uint8_t> m_bytes;
    uint64_t m_position = 0;
};

}  // namespace kestro
