#include "core/hierarchy/recovery_store.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "core/document/circuit.h"
#include "core/platform/byte_stream.h"
#include "core/platform/file_stream.h"
#include "core/schematic_file/schematic_file.h"

namespace kestro {

namespace {

constexpr const char* kCopyExtension = ".sch";
constexpr const char* kInfoExtension = ".info";
constexpr size_t kMaxInfo = 64 * 1024;

// Makes the folder and its parents; true when it exists afterwards.
bool MakeFolders(const std::string& folder) {
    for (size_t at = 1; at <= folder.size(); ++at)
        if (at == folder.size() || folder[at] == '/') mkdir(folder.substr(0, at).c_str(), 0700);
    return FolderExists(folder);
}

std::string HexHash(const std::string& text) {
    uint64_t hash = 1469598103934665603ull;  // FNV-1a
    for (unsigned char c : text)
        hash = (hash ^ c) * 1099511628211ull;
    char out[17];
    std::snprintf(out, sizeof out, "%016llx", static_cast<unsigned long long>(hash));
    return out;
}

bool WriteThrough(const std::string& path, const void* data, size_t size) {
    try {
        CMirrorFile file(path);
        file.Write(data, size);
        file.Commit();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

// "key\noriginal\ntime\n": the lines of a description, or false when damaged.
bool ParseInfo(const std::string& text, CRecoveredDocument& out) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t at; (at = text.find('\n', start)) != std::string::npos; start = at + 1)
        lines.push_back(text.substr(start, at - start));
    if (lines.size() != 3 || lines[0].empty()) return false;
    char* end = nullptr;
    const long long time = std::strtoll(lines[2].c_str(), &end, 10);
    if (end == lines[2].c_str() || *end != '\0') return false;
    out.key = lines[0];
    out.originalPath = lines[1];
    out.writtenAt = time;
    return true;
}

}  // namespace

CRecoveryStore::CRecoveryStore(std::string folder) : m_folder(std::move(folder)) {}

std::string CRecoveryStore::DefaultFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    std::string base;
    if (state && state[0] == '/') {
        base = state;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home ? home : "") + "/.local/state";
    }
    return base + "/kestro/recovery";
}

std::vector<uint8_t> CRecoveryStore::Snapshot(CCircuit& sheet, std::vector<uint8_t> buffer) {
    const std::string savedPath = sheet.GetSavedPath();
    const int32_t major = sheet.GetVersionMajor(), minor = sheet.GetVersionMinor();
    CMemoryStream out(std::move(buffer));
    out.Clear();
    WriteSchematic(sheet, out, sheet.GetPathName(),
                   [](const std::string&) { return std::string(); });
    sheet.SetSavedPath(savedPath);
    sheet.SetVersion(major, minor);
    return out.Take();
}

std::string CRecoveryStore::CopyPath(const std::string& key) const {
    return m_folder + "/" + HexHash(key) + kCopyExtension;
}

bool CRecoveryStore::Write(const std::string& key, const std::string& originalPath,
                           const std::vector<uint8_t>& bytes, int64_t writtenAt) const {
    // Keys and paths are single lines: a newline would break the description.
    if (key.empty() || key.find('\n') != std::string::npos ||
        originalPath.find('\n') != std::string::npos)
        return false;
    if (!MakeFolders(m_folder)) return false;
    const std::string copy = CopyPath(key);
    if (!WriteThrough(copy, bytes.data(), bytes.size())) return false;
    const std::string info = key + "\n" + originalPath + "\n" + std::to_string(writtenAt) + "\n";
    return WriteThrough(copy.substr(0, copy.size() - 4) + kInfoExtension, info.data(), info.size());
}

void CRecoveryStore::Remove(const std::string& key) const {
    const std::string copy = CopyPath(key);
    std::remove((copy.substr(0, copy.size() - 4) + kInfoExtension).c_str());
    std::remove(copy.c_str());
}

std::vector<CRecoveredDocument> CRecoveryStore::List() const {
    std::vector<CRecoveredDocument> found;
    DIR* folder = opendir(m_folder.c_str());
    if (!folder) return found;
    while (const dirent* entry = readdir(folder)) {
        const std::string name = entry->d_name;
        if (name.size() <= 5 || name.compare(name.size() - 5, 5, kInfoExtension) != 0) continue;
        const std::string info = m_folder + "/" + name;
        CRecoveredDocument document;
        document.copyPath = info.substr(0, info.size() - 5) + kCopyExtension;
        if (FileSize(info) > kMaxInfo || !FileExists(document.copyPath)) continue;
        try {
            if (!ParseInfo(ReadWholeFile(info), document)) continue;
        } catch (const std::exception&) {
            continue;
        }
        if (CopyPath(document.key) != document.copyPath) continue;  // not ours
        found.push_back(std::move(document));
    }
    closedir(folder);
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.writtenAt != b.writtenAt ? a.writtenAt < b.writtenAt : a.key < b.key;
    });
    return found;
}

}  // namespace kestro
