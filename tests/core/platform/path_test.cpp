#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/platform/mount_points.h"
#include "core/platform/path.h"
#include "tests/core/support/temp_folder.h"

namespace kestro {
namespace {

namespace fs = std::filesystem;

TEST(Path, FolderAndFileNameSplitAtTheLastSlash) {
    EXPECT_EQ(FolderOf("/proj/lib/buck.sch"), "/proj/lib/");
    EXPECT_EQ(FolderOf("/buck.sch"), "/");
    EXPECT_EQ(FolderOf("buck.sch"), "");              // no folder
    EXPECT_EQ(FolderOf("/proj/lib/"), "/proj/lib/");  // a trailing slash: all folder
    EXPECT_EQ(FolderOf(""), "");
    EXPECT_EQ(FolderOrCurrent("buck.sch"), "./");
    EXPECT_EQ(FolderOrCurrent("/a/b.sch"), "/a/");
    EXPECT_EQ(FileNameOf("/proj/lib/buck.sch"), "buck.sch");
    EXPECT_EQ(FileNameOf("C:\\proj\\lib\\buck.sch"), "buck.sch");  // stored elsewhere
    EXPECT_EQ(FileNameOf("buck.sch"), "buck.sch");
    EXPECT_EQ(FileNameOf("/proj/lib/"), "");
}

TEST(Path, TrailingSlashesAreAddedOnceAndNeverToNothing) {
    EXPECT_EQ(WithTrailingSlash("/opt/kestro"), "/opt/kestro/");
    EXPECT_EQ(WithTrailingSlash("/opt/kestro/"), "/opt/kestro/");
    EXPECT_EQ(WithTrailingSlash("/"), "/");
    EXPECT_EQ(WithTrailingSlash(""), "");
    EXPECT_EQ(JoinPath("/a", "b.sch"), "/a/b.sch");
    EXPECT_EQ(JoinPath("/a/", "b.sch"), "/a/b.sch");
    EXPECT_EQ(JoinPath("", "b.sch"), "b.sch");
}

TEST(Path, OnlyTheFileNameHasAnExtension) {
    EXPECT_EQ(ExtensionOf("/w/buck.sch"), ".sch");
    EXPECT_EQ(ExtensionOf("/w/buck.v2.sch"), ".sch");
    EXPECT_EQ(ExtensionOf("/x/a.b/run"), "");  // a dot in a folder name
    EXPECT_EQ(ExtensionOf("/w/.hidden"), "");  // a dot that starts the name
    EXPECT_EQ(ExtensionOf("run"), "");
    EXPECT_EQ(ReplaceExtension("/w/buck.sch", ".CCT"), "/w/buck.CCT");
    EXPECT_EQ(ReplaceExtension("/x/a.b/run", ".CCT"), "/x/a.b/run.CCT");
    EXPECT_EQ(ReplaceExtension("/w/.hidden", ".CCT"), "/w/.hidden.CCT");
    EXPECT_EQ(ReplaceExtension("/my runs/a b.sch", ".CCT"), "/my runs/a b.CCT");
    EXPECT_EQ(ReplaceExtension("run.", ".CCT"), "run.CCT");
    EXPECT_EQ(ReplaceExtension("", ".CCT"), ".CCT");
}

TEST(Path, SymbolicLinksAndDotsNameTheSameFileButCaseDoesNot) {
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

}  // namespace
}  // namespace kestro
