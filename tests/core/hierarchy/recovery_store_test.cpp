#include <gtest/gtest.h>

#include <cstdlib>

#include "core/hierarchy/recovery_store.h"
#include "core/platform/file_stream.h"
#include "core/schematic_file/schematic_file.h"
#include "tests/core/support/schematic_support.h"
#include "tests/core/support/temp_folder.h"

namespace kestro {
namespace {

TEST(RecoveryStore, AModifiedSheetsCopyReadsBackAndTheUsersFileIsUntouched) {
    CTempFolder temp;
    test::CSheetWorld world;
    const std::string user = temp.Path("buck.sch");
    auto sheet = world.NewSheet(user);
    test::FillEveryKind(*sheet);
    ASSERT_TRUE(WriteSchematicFile(*sheet, user));
    const std::vector<uint8_t> saved = test::ReadBytes(user);
    sheet->PlaceElement(test::kResistor, {500, 500}, 0);
    sheet->SetModified();
    const std::string savedPath = sheet->GetSavedPath();

    CRecoveryStore store(temp.Path("state/kestro/recovery"));
    const std::vector<uint8_t> snapshot = CRecoveryStore::Snapshot(*sheet);
    EXPECT_EQ(sheet->GetSavedPath(), savedPath) << "the snapshot leaves the sheet alone";
    EXPECT_TRUE(sheet->IsModified());
    ASSERT_TRUE(store.Write(user, user, snapshot, 1700000000));
    EXPECT_EQ(test::ReadBytes(user), saved);

    const std::vector<CRecoveredDocument> found = store.List();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].originalPath, user);
    EXPECT_EQ(found[0].writtenAt, 1700000000);
    EXPECT_EQ(found[0].copyPath.rfind(store.Folder(), 0), 0u) << "never beside the user's file";
    auto restored = world.NewSheet();
    ASSERT_TRUE(ReadSchematicFile(*restored, found[0].copyPath));
    EXPECT_EQ(restored->GetObjectCount(), sheet->GetObjectCount());

    // A second write replaces the copy; removing it leaves nothing to offer.
    ASSERT_TRUE(store.Write(user, user, snapshot, 1700000100));
    EXPECT_EQ(store.List().size(), 1u);
    store.Remove(user);
    EXPECT_TRUE(store.List().empty());
}

// A snapshot written into an earlier snapshot's memory is the same bytes, whatever that
// memory held, and takes it over without growing.
TEST(RecoveryStore, ASnapshotIntoAnEarlierBufferIsTheSameBytes) {
    test::CSheetWorld world;
    auto sheet = world.NewSheet();
    test::FillEveryKind(*sheet);
    const std::vector<uint8_t> fresh = CRecoveryStore::Snapshot(*sheet);
    std::vector<uint8_t> used(fresh.size() * 2, 0xAB);
    const uint8_t* memory = used.data();
    const std::vector<uint8_t> again = CRecoveryStore::Snapshot(*sheet, std::move(used));
    EXPECT_EQ(again, fresh);
    EXPECT_EQ(again.data(), memory);
}

TEST(RecoveryStore, DamagedOrForeignDescriptionsAreLeftOutAndBadKeysRefused) {
    CTempFolder temp;
    CRecoveryStore store(temp.Path("recovery"));
    EXPECT_TRUE(store.List().empty()) << "no folder yet";
    EXPECT_FALSE(store.Write("", "", {1, 2}, 1));
    EXPECT_FALSE(store.Write("a\nb", "", {1, 2}, 1));
    ASSERT_TRUE(store.Write("Untitled1", "", {1, 2}, 5));
    ASSERT_TRUE(store.Write("Untitled2", "", {3}, 4));
    {
        CMirrorFile junk(temp.Path("recovery/0123.info"));
        junk.Write("x\n\nnot a time\n", 14);
        junk.Commit();
    }
    const std::vector<CRecoveredDocument> found = store.List();
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].key, "Untitled2") << "oldest first";
    EXPECT_EQ(found[1].key, "Untitled1");
}

TEST(RecoveryStore, TheFolderFollowsTheUsersStateFolder) {
    const char* old = std::getenv("XDG_STATE_HOME");
    const std::string kept = old ? old : "";
    setenv("XDG_STATE_HOME", "/x/state", 1);
    EXPECT_EQ(CRecoveryStore::DefaultFolder(), "/x/state/kestro/recovery");
    setenv("XDG_STATE_HOME", "relative", 1);  // not absolute: ignored, as the rules say
    EXPECT_NE(CRecoveryStore::DefaultFolder().find("/.local/state/kestro/recovery"),
              std::string::npos);
    if (old)
        setenv("XDG_STATE_HOME", kept.c_str(), 1);
    else
        unsetenv("XDG_STATE_HOME");
}

}  // namespace
}  // namespace kestro
