#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/hierarchy/subcircuit_search.h"
#include "tests/core/support/temp_folder.h"

namespace kestro {
namespace {

namespace fs = std::filesystem;

// A tree to search: root/a/b/target.sch and root/c/target.sch, root/link -> root/a,
// root/a/loop -> root (links to folders are never followed).
class SubcircuitSearchTree : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(folder.Path("a/b"));
        fs::create_directories(folder.Path("c"));
        std::ofstream(folder.Path("a/b/target.sch")) << "x";
        std::ofstream(folder.Path("c/target.sch")) << "x";
        fs::create_directory_symlink(folder.Path("a"), folder.Path("link"));
        fs::create_directory_symlink(folder.Root(), folder.Path("a/loop"));
    }

    std::string Find(const std::string& name, const std::atomic<bool>& cancel) {
        visited.clear();
        return FindFileInTree({folder.Root()}, name, cancel,
                              [this](const std::string& f) { visited.push_back(f); });
    }

    CTempFolder folder;
    std::vector<std::string> visited;
};

TEST_F(SubcircuitSearchTree, DepthFirstInNameOrderWithoutFollowingLinks) {
    std::atomic<bool> cancel{false};
    EXPECT_EQ(Find("target.sch", cancel), folder.Path("a/b/target.sch"));
    EXPECT_EQ(visited,
              (std::vector<std::string>{folder.Root(), folder.Path("a"), folder.Path("a/b")}));
    EXPECT_EQ(Find("none.sch", cancel), "");
    EXPECT_EQ(visited, (std::vector<std::string>{folder.Root(), folder.Path("a"),
                                                 folder.Path("a/b"), folder.Path("c")}));
}

TEST_F(SubcircuitSearchTree, CancelStopsBeforeTheNextFolder) {
    std::atomic<bool> cancel{true};
    EXPECT_EQ(Find("target.sch", cancel), "");
    EXPECT_TRUE(visited.empty());
}

TEST_F(SubcircuitSearchTree, FoundFolderServesTheQuickSearch) {
    CSubcircuitSearch search;
    search.SetMountTable({{folder.Root(), "ext4"}});
    search.SetLastOpened(folder.Path("c/top.sch"));
    EXPECT_EQ(search.SearchRoots(), std::vector<std::string>{folder.Root()});
    EXPECT_EQ(search.QuickSearch("target.sch"), "");
    search.AddFolder(folder.Path("c"));
    search.AddFolder(folder.Path("c"));
    EXPECT_EQ(search.GetFolders().size(), 1u);
    EXPECT_EQ(search.QuickSearch("target.sch"), folder.Path("c/target.sch"));
}

TEST(SubcircuitSearch, LastOpenedDiskComesFirst) {
    CSubcircuitSearch search;
    search.SetMountTable({{"/", "ext4"}, {"/data", "xfs"}, {"/srv", "btrfs"}, {"/net", "cifs"}});
    EXPECT_EQ(search.SearchRoots(), (std::vector<std::string>{"/", "/data", "/srv"}));
    search.SetLastOpened("/srv/proj/top.sch");
    EXPECT_EQ(search.SearchRoots(), (std::vector<std::string>{"/srv", "/", "/data"}));
    // A network disk is searched when the last document came from it.
    search.SetLastOpened("/net/share/top.sch");
    EXPECT_EQ(search.SearchRoots(), (std::vector<std::string>{"/net", "/", "/data", "/srv"}));
}

}  // namespace
}  // namespace kestro
