#include <gtest/gtest.h>

#include "core/schematic_file/subcircuit_path.h"

namespace kestro {
namespace {

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

}  // namespace
}  // namespace kestro
