// Where the element library is read and saved: beside the programs where that folder can
// be written, else in the user's own copy.
#include "core/app/library_location.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "core/library/library_data.h"
#include "core/platform/folders.h"
#include "core/platform/scripted_prompts.h"
#include "tests/core/support/library_support.h"
#include "tests/core/support/temp_folder.h"

namespace kestro {
namespace {

namespace fs = std::filesystem;

class LibraryLocation : public ::testing::Test {
protected:
    LibraryLocation() {
        fs::create_directories(program);
        CLibraryData library(prompts);
        library.New(installed);
        test::FillLibrary(library, 3);
        EXPECT_TRUE(library.Save());
        installedBytes = ReadWholeFile(installed);
    }
    // A folder marked read-only, as an installed program folder is for its users.
    void LockProgramFolder() { ::chmod(program.c_str(), 0555); }
    ~LibraryLocation() override { ::chmod(program.c_str(), 0755); }

    CTempFolder folder;
    CScriptedPrompts prompts;
    std::string program = folder.Path("lib/kestro/");
    std::string installed = program + "KESTRO.LIB";
    std::string user = folder.Path("home/data/QUORVANT/KESTRO/");
    std::string userCopy = user + "KESTRO.LIB";
    std::string installedBytes;
};

TEST_F(LibraryLocation, AWritableProgramFolderKeepsItsOwnLibraryEvenBesideAUsersCopy) {
    fs::create_directories(user);
    std::ofstream(userCopy) << "a copy from an installed system";
    const CLibraryLocation where = LocateLibrary(program, user);
    EXPECT_EQ(where.read, installed);
    EXPECT_EQ(where.save, installed);
    EXPECT_FALSE(where.SavesUserCopy());

    CLibraryStorage storage(where, prompts);
    CLibraryData library(prompts);
    ASSERT_TRUE(storage.Open(library));
    library.SetModified();
    ASSERT_TRUE(storage.Save(library));
    EXPECT_TRUE(prompts.shown.empty()) << "nothing to tell when the library stays in place";
    EXPECT_EQ(ReadWholeFile(userCopy), "a copy from an installed system");
}

TEST_F(LibraryLocation, AReadOnlyProgramFolderSavesIntoTheUsersCopyWhichIsReadFromThenOn) {
    LockProgramFolder();
    CLibraryLocation where = LocateLibrary(program, user);
    EXPECT_EQ(where.read, installed) << "no copy yet";
    EXPECT_EQ(where.save, userCopy);

    CLibraryStorage storage(where, prompts);
    CLibraryData library(prompts);
    ASSERT_TRUE(storage.Open(library));
    library.AppendElement(CLibElement::MakeNew("Added"));
    library.SetModified();
    ASSERT_TRUE(storage.Save(library)) << "the user's folder is made as needed";
    EXPECT_EQ(ReadWholeFile(installed), installedBytes) << "the installed file is untouched";
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].icon, MessageIcon::Information);
    EXPECT_NE(prompts.shown[0].text.find(userCopy), std::string::npos) << "it says where";
    EXPECT_FALSE(library.IsModified());

    // Saved again in the same run: the user knows by now.
    library.SetModified();
    ASSERT_TRUE(storage.Save(library));
    EXPECT_EQ(prompts.shown.size(), 1u);

    // The next start reads the copy, with the elements that were never loaded from the
    // installed file carried over.
    where = LocateLibrary(program, user);
    EXPECT_EQ(where.read, userCopy);
    CLibraryData next(prompts);
    ASSERT_TRUE(CLibraryStorage(where, prompts).Open(next));
    ASSERT_EQ(next.GetElementCount(), 4u);
    EXPECT_EQ(next.GetElement(0)->GetName(), "E0");
    EXPECT_EQ(next.GetElement(2)->GetDescription(), "element 2");
    EXPECT_EQ(next.GetElement(3)->GetName(), "Added");
    EXPECT_EQ(next.GetPath(), userCopy);
}

TEST_F(LibraryLocation, AUserFolderThatCannotBeMadeFailsTheSaveAndNamesTheFile) {
    LockProgramFolder();
    std::ofstream(folder.Path("home")) << "a file where the folder should be";
    CLibraryStorage storage(LocateLibrary(program, user), prompts);
    CLibraryData library(prompts);
    ASSERT_TRUE(storage.Open(library));
    library.SetModified();
    EXPECT_FALSE(storage.Save(library));
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].icon, MessageIcon::Stop);
    EXPECT_NE(prompts.shown[0].text.find(userCopy), std::string::npos) << prompts.shown[0].text;
    EXPECT_TRUE(library.IsModified()) << "exit still offers to save it";
    EXPECT_EQ(ReadWholeFile(installed), installedBytes);
}

TEST_F(LibraryLocation, WithoutAUserFolderOrAProgramFolderTheLibraryStaysWhereItIs) {
    LockProgramFolder();
    EXPECT_EQ(LocateLibrary(program, "").save, installed) << "no home: nowhere else to go";
    const CLibraryLocation bare = LocateLibrary("", user);
    EXPECT_EQ(bare.installed, "KESTRO.LIB") << "a program name without a folder";
    EXPECT_EQ(bare.read, "KESTRO.LIB");
}

// Sets an environment variable for the life of the object.
class CScopedEnv {
public:
    CScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~CScopedEnv() { m_old ? ::setenv(m_name, m_old->c_str(), 1) : ::unsetenv(m_name); }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

TEST(UserKestroFolder, FollowsTheDataHomeAndIgnoresARelativeOne) {
    CScopedEnv home("HOME", "/home/engineer");
    {
        CScopedEnv data("XDG_DATA_HOME", "/data/engineer");
        EXPECT_EQ(UserDataHome(), "/data/engineer/");
        EXPECT_EQ(UserKestroFolder(), "/data/engineer/QUORVANT/KESTRO/");
    }
    for (const char* unusable : {"", "relative/share"}) {
        CScopedEnv data("XDG_DATA_HOME", unusable);
        EXPECT_EQ(UserKestroFolder(), "/home/engineer/.local/share/QUORVANT/KESTRO/");
    }
    CScopedEnv data("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(UserDataHome(), "/home/engineer/.local/share/");
}

}  // namespace
}  // namespace kestro
