#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/hierarchy/circuit_document_manager.h"
#include "core/hierarchy/file_lock.h"
#include "core/platform/path.h"
#include "core/platform/scripted_prompts.h"
#include "tests/core/support/schematic_support.h"
#include "tests/core/support/temp_folder.h"

namespace kestro {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

CLockHolder Holder(int64_t pid, const std::string& host) {
    CLockHolder holder;
    holder.pid = pid;
    holder.host = host;
    holder.user = "ann";
    holder.started = 77;
    holder.since = "2026-12-08 09:00";
    return holder;
}

// An editor whose view of the machine's processes the test decides.
struct CFakeEditor {
    explicit CFakeEditor(int64_t pid, bool othersRunning = true)
        : locks(Holder(pid, "bench"), [this](const CLockHolder&) { return running; }),
          running(othersRunning) {}
    CFileLocks locks;
    bool running;
};

TEST(FileLock, TheLockTextReadsBackAndDamagedTextIsNoLock) {
    const CLockHolder holder = Holder(4242, "bench");
    const auto back = ParseLockFile(FormatLockFile(holder));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->pid, 4242);
    EXPECT_EQ(back->host, "bench");
    EXPECT_EQ(back->user, "ann");
    EXPECT_EQ(back->started, 77);
    EXPECT_EQ(back->since, "2026-12-08 09:00");
    EXPECT_TRUE(back->SameProcess(holder));

    CLockHolder twisted = holder;
    twisted.user = "ann\npid=1";
    EXPECT_EQ(ParseLockFile(FormatLockFile(twisted))->pid, 4242) << "a value stays on its line";
    EXPECT_FALSE(ParseLockFile(""));
    EXPECT_FALSE(ParseLockFile("pid=5\nhost=a\n")) << "no first line";
    EXPECT_FALSE(ParseLockFile("KESTRO LOCK 1\npid=0\nhost=a\n"));
    EXPECT_FALSE(ParseLockFile("KESTRO LOCK 1\npid=12x\nhost=a\n"));
    EXPECT_FALSE(ParseLockFile("KESTRO LOCK 1\npid=5\n")) << "no host";
    EXPECT_FALSE(ParseLockFile(FormatLockFile(holder) + std::string(5000, 'x')));
    // Lines of a later version are passed over.
    EXPECT_TRUE(ParseLockFile("KESTRO LOCK 1\nremark\npid=5\nhost=a\ncolour=red\n"));
}

TEST(FileLock, TakenBesideTheFileAndRemovedOnRelease) {
    CTempFolder temp;
    const std::string sheet = temp.Path("buck.sch");
    const std::string lock = CFileLocks::LockPathFor(sheet);
    EXPECT_EQ(lock, temp.Path(".buck.sch.lock"));
    {
        CFakeEditor editor(100);
        ASSERT_TRUE(editor.locks.Acquire(sheet));
        EXPECT_TRUE(editor.locks.Acquire(sheet)) << "ours already";
        const auto written = ParseLockFile(ReadText(lock));
        ASSERT_TRUE(written);
        EXPECT_EQ(written->pid, 100);
        EXPECT_EQ(written->host, "bench");
        EXPECT_FALSE(editor.locks.OtherHolder(sheet)) << "our own lock is no warning";
        editor.locks.Release(sheet);
        EXPECT_FALSE(fs::exists(lock));
        ASSERT_TRUE(editor.locks.Acquire(sheet));
    }
    EXPECT_FALSE(fs::exists(lock)) << "every lock goes with the editor";
    EXPECT_EQ(fs::directory_iterator(temp.Root()), fs::directory_iterator()) << "no temp left";

    CFakeEditor unwritable(100);
    EXPECT_FALSE(unwritable.locks.Acquire(temp.Path("no such folder/a.sch")));
    EXPECT_FALSE(unwritable.locks.Holds(temp.Path("no such folder/a.sch")));
}

TEST(FileLock, ARunningEditorsLockIsKeptAndAStaleOneTakenOver) {
    CTempFolder temp;
    const std::string sheet = temp.Path("buck.sch");
    const std::string lock = CFileLocks::LockPathFor(sheet);
    WriteText(lock, FormatLockFile(Holder(555, "other-host")));
    const std::string theirs = ReadText(lock);

    CFakeEditor second(100, true);
    const auto holder = second.locks.OtherHolder(sheet);
    ASSERT_TRUE(holder);
    EXPECT_EQ(holder->pid, 555);
    EXPECT_EQ(holder->host, "other-host");
    EXPECT_FALSE(second.locks.Acquire(sheet));
    second.locks.Release(sheet);
    second.locks.ReleaseAll();
    EXPECT_EQ(ReadText(lock), theirs) << "never removed nor overwritten";

    // Its editor was killed: nobody is warned and the next editor takes the lock.
    second.running = false;
    EXPECT_FALSE(second.locks.OtherHolder(sheet));
    ASSERT_TRUE(second.locks.Acquire(sheet));
    EXPECT_EQ(ParseLockFile(ReadText(lock))->pid, 100);

    // A damaged lock names nobody: taken over too.
    CFakeEditor third(300, true);
    WriteText(CFileLocks::LockPathFor(temp.Path("b.sch")), "garbage");
    EXPECT_FALSE(third.locks.OtherHolder(temp.Path("b.sch")));
    EXPECT_TRUE(third.locks.Acquire(temp.Path("b.sch")));

    // The first editor thought gone comes back: its release leaves the new lock alone.
    CFakeEditor first(555, true);
    ASSERT_TRUE(first.locks.Acquire(temp.Path("c.sch")));
    WriteText(CFileLocks::LockPathFor(temp.Path("c.sch")), FormatLockFile(Holder(9, "bench")));
    first.locks.Release(temp.Path("c.sch"));
    EXPECT_TRUE(fs::exists(CFileLocks::LockPathFor(temp.Path("c.sch"))));
}

TEST(FileLock, ProcessesOfThisMachineAreCheckedOthersAssumedRunning) {
    const CLockHolder self = CLockHolder::ThisProcess();
    EXPECT_TRUE(IsHolderRunning(self, self.host));
    // A process that ended.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) _exit(0);
    ASSERT_EQ(waitpid(child, nullptr, 0), child);
    CLockHolder gone = self;
    gone.pid = child;
    gone.started = 0;
    EXPECT_FALSE(IsHolderRunning(gone, self.host));
    // Our number, but given to a process that started at another time.
    CLockHolder reused = self;
    reused.started = self.started + 12345;
    if (self.started != 0) {
        EXPECT_FALSE(IsHolderRunning(reused, self.host));
    }
    EXPECT_TRUE(IsHolderRunning(gone, self.host + "-elsewhere")) << "cannot tell: assume so";
    gone.pid = -3;
    EXPECT_FALSE(IsHolderRunning(gone, self.host));
}

// Two editors' document managers on one folder.
class SecondEditor : public ::testing::Test {
protected:
    SecondEditor() { test::FillSheetLibrary(library); }

    std::string Saved(CCircuitDocumentManager& documents, const std::string& name) {
        auto sheet = documents.NewDocument();
        sheet->PlaceElement(test::kResistor, {0, 0}, 0);
        const std::string path = CanonicalPath(folder.Path(name));
        EXPECT_TRUE(documents.SaveUnderName(*sheet, path));
        return path;
    }

    CTempFolder folder;
    CScriptedPrompts prompts;
    CSettings settings;
    CLibraryData library{prompts};
    CPartEnvironment env{library, settings, prompts};
    CFakeEditor firstLocks{100};
    CFakeEditor secondLocks{200};
    CCircuitDocumentManager first{env};
    CCircuitDocumentManager second{env};
};

TEST_F(SecondEditor, IsWarnedAndOpensOnlyWhenTheUserSaysSo) {
    first.SetFileLocks(&firstLocks.locks);
    second.SetFileLocks(&secondLocks.locks);
    const std::string path = Saved(first, "buck.sch");
    const std::string lock = CFileLocks::LockPathFor(path);
    ASSERT_TRUE(fs::exists(lock)) << "saving under a name locks the file";

    prompts.answers = {Answer::No};
    EXPECT_FALSE(second.FindOrOpenDocument(path));
    EXPECT_TRUE(second.OpenWasDeclined());
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text,
              path +
                  "\n\nis open in another Kestro (user ann, process 100 on bench, since "
                  "2026-12-08 09:00). When both change it, each save overwrites the other's "
                  "work.\n\nOpen it here anyway?");
    EXPECT_EQ(prompts.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(prompts.shown[0].icon, MessageIcon::Exclamation);

    prompts.answers = {Answer::Yes};
    auto anyway = second.FindOrOpenDocument(path);
    ASSERT_TRUE(anyway);
    EXPECT_FALSE(second.OpenWasDeclined());
    EXPECT_EQ(ParseLockFile(ReadText(lock))->pid, 100) << "the lock stays the first editor's";
    second.Close(*anyway);
    EXPECT_TRUE(fs::exists(lock));

    // The first editor closes the sheet: the file is free again, opened without a word.
    auto mine = first.FindByPath(path);
    ASSERT_TRUE(mine);
    first.Close(*mine);
    EXPECT_FALSE(fs::exists(lock));
    prompts.shown.clear();
    ASSERT_TRUE(second.FindOrOpenDocument(path));
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(ParseLockFile(ReadText(lock))->pid, 200);
}

TEST_F(SecondEditor, TheLockFollowsSaveAsAndAStaleLockIsTakenSilently) {
    first.SetFileLocks(&firstLocks.locks);
    const std::string path = Saved(first, "a.sch");
    auto sheet = first.FindByPath(path);
    const std::string renamed = CanonicalPath(folder.Path("b.sch"));
    prompts.fileNames = {renamed};
    ASSERT_TRUE(first.SaveAs(*sheet));
    EXPECT_FALSE(fs::exists(CFileLocks::LockPathFor(path)));
    EXPECT_TRUE(fs::exists(CFileLocks::LockPathFor(renamed)));

    // The first editor dies without closing anything.
    first.SetFileLocks(nullptr);
    secondLocks.running = false;
    second.SetFileLocks(&secondLocks.locks);
    prompts.shown.clear();
    ASSERT_TRUE(second.FindOrOpenDocument(renamed));
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(ParseLockFile(ReadText(CFileLocks::LockPathFor(renamed)))->pid, 200);
    second.CloseAll();
    EXPECT_FALSE(fs::exists(CFileLocks::LockPathFor(renamed)));
}

TEST_F(SecondEditor, WithoutLocksNothingIsWrittenBesideTheFiles) {
    const std::string path = Saved(first, "tool.sch");
    EXPECT_FALSE(fs::exists(CFileLocks::LockPathFor(path)));
    ASSERT_TRUE(second.FindOrOpenDocument(path));
    EXPECT_FALSE(fs::exists(CFileLocks::LockPathFor(path)));
}

}  // namespace
}  // namespace kestro
