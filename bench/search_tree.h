#pragma once

// A tree of 100,000 folders (100 folders of 1,000 each) made once in the temporary folder,
// with "buck.sch" in the folder the depth-first search visits last ("t099/f0999").
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace kestro {

inline constexpr int kSearchTreeTop = 100, kSearchTreePerTop = 1000;

inline std::string SearchTreeFolderName(const char* prefix, int i, int width) {
    char name[32];
    std::snprintf(name, sizeof name, "%s%0*d", prefix, width, i);
    return name;
}

inline const std::filesystem::path& SearchTree() {
    namespace fs = std::filesystem;
    static const fs::path root = [] {
        const fs::path path = fs::temp_directory_path() / "kestro-search-bench";
        if (!fs::exists(path / "done")) {
            fs::remove_all(path);
            for (int t = 0; t < kSearchTreeTop; ++t)
                for (int f = 0; f < kSearchTreePerTop; ++f)
                    fs::create_directories(path / SearchTreeFolderName("t", t, 3) /
                                           SearchTreeFolderName("f", f, 4));
            std::ofstream(path / SearchTreeFolderName("t", kSearchTreeTop - 1, 3) /
                          SearchTreeFolderName("f", kSearchTreePerTop - 1, 4) / "buck.sch")
                << "x";
            std::ofstream(path / "done") << "made";
        }
        return path;
    }();
    return root;
}

}  // namespace kestro
