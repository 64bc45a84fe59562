#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace kestro {

// A fresh folder under the system's temporary folder, removed with everything in it.
class CTempFolder {
public:
    CTempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kestro-test-XXXXXX");
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        m_root = ::mkdtemp(name.data());
    }
    ~CTempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    const std::string& Root() const { return m_root; }
    std::string Path(const std::string& name) const { return m_root + "/" + name; }

private:
    std::string m_root;
};

}  // namespace kestro
