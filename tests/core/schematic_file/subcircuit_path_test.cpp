#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/hierarchy/subcircuit_search.h"
#include "core/platform/mount_points.h"
#include "core/platform/path.h"
#include "core/schematic_file/subcircuit_path.h"
#include "tests/core/support/temp_folder.h"

namespace kestro {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kRoots = {"/", "/mnt/usb"};

TEST(SubcircuitPaths, RelativePathClimbsWithColonsAndJoinsWithBackslashes) {
    EXPECT_EQ(RelativeSubcircuitPath("/proj/main/top.sch", "/proj/lib/buck.sch", kRoots),
              ":lib\\buck.sch");
    EXPECT_EQ(RelativeSubcircuitPath("/proj/main/top.sch", "/proj/main/buck.sch", kRoots),
              "buck.sch");
    EXPECT_EQ(RelativeSubcircuitPath("/proj/main/top.sch", "/proj/main/sub/deep/a.sch", kRoots),
              "sub\\deep\\a.sch");
    EXPECT_EQ(RelativeSubcircuitPath("/a/b/c/top.sch", "/a/x.sch", kRoots), "::x.sch");
    // Folder names that only begin alike share nothing.
    EXPECT_EQ(RelativeSubcircuitPath("/proj/main/top.sch", "/proj/mainline/a.sch", kRoots),
              ":mainline\\a.sch");
    // Paths compare as the file system does: case matters.
    EXPECT_EQ(RelativeSubcircuitPath("/Proj/top.sch", "/proj/a.sch", kRoots), ":proj\\a.sch");
}

TEST(SubcircuitPaths, AnotherRootGivesNoRelativePath) {
    EXPECT_EQ(RelativeSubcircuitPath("/home/u/top.sch", "/mnt/usb/lib/a.sch", kRoots), "");
    EXPECT_EQ(RelativeSubcircuitPath("/mnt/usb/top.sch", "/mnt/usb/lib/a.sch", kRoots),
              "lib\\a.sch");
    EXPECT_EQ(RelativeSubcircuitPath("", "/a.sch", kRoots), "");
    EXPECT_EQ(RelativeSubcircuitPath("/p/top.sch", "", kRoots), "");
}

TEST(SubcircuitPaths, ResolvingAcceptsBothSeparatorsAndStopsAtTheTop) {
    EXPECT_EQ(ResolveSubcircuitPath("/proj/main/top.sch", ":lib\\buck.sch"), "/proj/lib/buck.sch");
    EXPECT_EQ(ResolveSubcircuitPath("/proj/main/top.sch", ":lib/buck.sch"), "/proj/lib/buck.sch");
    EXPECT_EQ(ResolveSubcircuitPath("/proj/main/top.sch", "buck.sch"), "/proj/main/buck.sch");
    EXPECT_EQ(ResolveSubcircuitPath("/proj/main/top.sch", "::::::x.sch"), "/x.sch");
    EXPECT_EQ(ResolveSubcircuitPath("/proj/main/top.sch", "\\a\\..\\b.sch"), "/proj/main/b.sch");
    EXPECT_EQ(ResolveSubcircuitPath("/proj/main/top.sch", ""), "");
    EXPECT_EQ(ResolveSubcircuitPath("/proj/main/top.sch", ":"), "");
}

TEST(SubcircuitPaths, WrittenAndResolvedTheyMeetAgain) {
    for (const char* sheet : {"/p/q/r.sch", "/p/s/t/u.sch", "/p/q/v/w.sch", "/x.sch"}) {
        const std::string relative = RelativeSubcircuitPath("/p/q/top.sch", sheet, kRoots);
        EXPECT_EQ(ResolveSubcircuitPath("/p/q/top.sch", relative), sheet) << relative;
    }
}

TEST(SubcircuitPaths, FileNamesAndCanonicalPaths) {
    EXPECT_EQ(FileNameOf("C:\\proj\\lib\\buck.sch"), "buck.sch");
    EXPECT_EQ(FileNameOf("/proj/lib/buck.sch"), "buck.sch");
    EXPECT_EQ(FolderOf("/proj/lib/buck.sch"), "/proj/lib/");
    CTempFolder folder;
    fs::create_directory(folder.Path("real"));
    std::ofstream(folder.Path("real/a.sch")) << "x";
    fs::create_directory_symlink(folder.Path("real"), folder.Path("alias"));
    EXPECT_TRUE(SamePath(folder.Path("alias/a.sch"), folder.Path("real/a.sch")));
    EXPECT_TRUE(SamePath(folder.Path("real/../real/./a.sch"), folder.Path("real/a.sch")));
    EXPECT_FALSE(SamePath(folder.Path("real/A.sch"), folder.Path("real/a.sch")));
    EXPECT_FALSE(SamePath("", ""));
}

TEST(MountTable, LocalDisksAreTakenPseudoAndNetworkSkipped) {
    const auto table = ParseMountTable(
        "proc /proc proc rw 0 0\n"
        "/dev/sda1 / ext4 rw 0 0\n"
        "tmpfs /run tmpfs rw 0 0\n"
        "server:/x /net/x nfs4 rw 0 0\n"
        "/dev/sdb1 /media/My\\040Disk vfat rw 0 0\n"
        "/dev/sda2 /home xfs rw 0 0\n"
        "broken-line\n"
        "/dev/sda1 / ext4 rw 0 0\n");
    EXPECT_EQ(LocalMountFolders(table), (std::vector<std::string>{"/", "/home", "/media/My Disk"}));
    EXPECT_EQ(AllMountFolders(table).size(), 6u);
    EXPECT_EQ(RootFolderOf("/home/u/a.sch", AllMountFolders(table)), "/home");
    EXPECT_EQ(RootFolderOf("/homework/a.sch", AllMountFolders(table)), "/");
    EXPECT_EQ(RootFolderOf("/net/x/a.sch", AllMountFolders(table)), "/net/x");
}

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
