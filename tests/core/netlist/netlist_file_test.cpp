#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/app/netlist_source.h"
#include "core/app/simulation_launch.h"
#include "core/netlist/netlist_file_name.h"
#include "core/platform/folders.h"
#include "core/platform/file_stream.h"
#include "tests/core/support/netlist_support.h"
#include "tests/core/support/temp_folder.h"

namespace kestro {
namespace {

namespace fs = std::filesystem;

class NetlistFile : public ::testing::Test, protected test::CNetlistBench {
protected:
    NetlistFile() {
        fs::create_directories(program);
        fs::create_directories(temp);
        fs::create_directories(work);
    }
    ~NetlistFile() override {
        // chmod'ed folders must be writable again to be removed.
        for (const std::string& f : {program, temp, work, folder.Path("locked")})
            ::chmod(f.c_str(), 0755);
    }
    std::string MakeFolder(const std::string& name, mode_t mode) {
        const std::string path = folder.Path(name);
        fs::create_directories(path);
        ::chmod(path.c_str(), mode);
        return path;
    }
    std::vector<std::string> FilesIn(const std::string& dir) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    CTempFolder folder;
    std::string program = folder.Path("program");
    std::string temp = folder.Path("temp");
    std::string work = folder.Path("work");
    CNetlistFolders folders{program, temp};
};

TEST_F(NetlistFile, ReadOnlyIsTheFoldersOwnMark) {
    EXPECT_TRUE(IsFolderWritable(work));
    EXPECT_FALSE(IsFolderWritable(MakeFolder("locked", 0555)))
        << "even for a user who could write anyway";
    EXPECT_FALSE(IsFolderWritable(folder.Path("missing")));
    std::ofstream(folder.Path("file")) << "x";
    EXPECT_FALSE(IsFolderWritable(folder.Path("file")));
}

TEST_F(NetlistFile, TheNetlistGoesBesideTheSchematicWithItsOwnExtension) {
    EXPECT_EQ(NetlistFileName(work + "/buck.sch", folders), work + "/buck.CCT");
    EXPECT_EQ(NetlistFileName(work + "/buck", folders), work + "/buck.CCT");
    EXPECT_EQ(NetlistFileName(work + "/buck.v2.sch", folders), work + "/buck.v2.CCT");
    EXPECT_EQ(NetlistFileName(work + "/.sch", folders), work + "/.sch.CCT");
    const std::string dotted = MakeFolder("a.b", 0755);
    EXPECT_EQ(NetlistFileName(dotted + "/c", folders), dotted + "/c.CCT")
        << "a dot in a folder name is no extension";
}

TEST_F(NetlistFile, UntitledOrUnwritableSchematicsWriteUnTitleInTheProgramFolder) {
    EXPECT_EQ(NetlistFileName("", folders), program + "/UnTitle.CCT");
    EXPECT_EQ(NetlistFileName("", {program + "/", temp}), program + "/UnTitle.CCT");
    const std::string locked = MakeFolder("locked", 0555);
    EXPECT_EQ(NetlistFileName(locked + "/buck.sch", folders), program + "/UnTitle.CCT");
    EXPECT_EQ(NetlistFileName(folder.Path("gone/buck.sch"), folders), program + "/UnTitle.CCT");
}

TEST_F(NetlistFile, AnUnwritableProgramFolderGivesWayToTheTemporaryFolderThenTheCurrentOne) {
    ::chmod(program.c_str(), 0555);
    EXPECT_EQ(NetlistFileName("", folders), temp + "/UnTitle.CCT");
    EXPECT_EQ(NetlistFileName("", {"", temp}), temp + "/UnTitle.CCT");

    const char* saved = std::getenv("TMPDIR");
    const std::string savedValue = saved ? saved : "";
    ::setenv("TMPDIR", folder.Path("no such folder").c_str(), 1);
    EXPECT_EQ(NetlistFileName("", {program, ""}), "./UnTitle.CCT");
    ::setenv("TMPDIR", temp.c_str(), 1);
    EXPECT_EQ(NetlistFileName("", {program, ""}), temp + "/UnTitle.CCT");
    if (saved)
        ::setenv("TMPDIR", savedValue.c_str(), 1);
    else
        ::unsetenv("TMPDIR");
}

TEST_F(NetlistFile, WritingReplacesTheOldNetlistWhole) {
    auto top = world.NewSheet(work + "/buck.sch");
    Resistor(*top, {0, 0});
    std::ofstream(work + "/buck.CCT") << "an older and much longer netlist text\n";
    const auto path = WriteNetlistFile(*top, folders, false, world.prompts);
    ASSERT_EQ(path, work + "/buck.CCT");
    EXPECT_EQ(ReadWholeFile(*path), "'.TIME' 1E-005 0.01 0 1 0 0 0\r\n'N' 'R1' 1 2 1000 \r\n");
    EXPECT_EQ(FilesIn(work), (std::vector<std::string>{"buck.CCT"})) << "no temporary file left";
    EXPECT_TRUE(world.prompts.Messages().empty());
}

TEST_F(NetlistFile, ANetlistThatCannotBeWrittenIsReportedAndTheOldOneStays) {
    auto top = world.NewSheet(work + "/buck.sch");
    fs::create_directories(work + "/buck.CCT/inside");  // a folder stands in the way
    EXPECT_FALSE(WriteNetlistFile(*top, folders, false, world.prompts));
    ASSERT_EQ(world.prompts.Messages().size(), 1u);
    EXPECT_EQ(world.prompts.LastMessage(), work + "/buck.CCT: Is a directory");
    EXPECT_EQ(world.prompts.shown.back().icon, MessageIcon::Stop);
    EXPECT_EQ(FilesIn(work), (std::vector<std::string>{"buck.CCT"}));
}

// Run TARN through the launcher: two top-level sheets use the active subcircuit.
struct CRecordingStarter : CProcessStarter {
    int64_t Start(const CProcessRequest& request, std::string&) override {
        requests.push_back(request);
        return 42;
    }
    std::vector<CProcessRequest> requests;
};
struct CSilentViewer : CViewerChannel {
    std::optional<std::string> ConnectToRunning() override { return std::nullopt; }
    void HandToRunning(const std::string&) override {}
    void Disconnect() override {}
    void HandToStarted(const std::string&, int) override {}
};

TEST_F(NetlistFile, RunTarnWritesTheNetlistOfTheChosenTopLevelSheet) {
    auto sub = SubSheet(work + "/leg.sch");
    Port(*sub, 0, {0, 0});
    Resistor(*sub, {0, 0});
    auto first = world.NewSheet(work + "/first.sch");
    auto second = world.NewSheet(work + "/second sheet.sch");
    Instance(*first, sub, {200, 200});
    Instance(*second, sub, {200, 200});
    Instance(*second, sub, {400, 200});
    world.settings.closeTarn = 1;

    CNetlistSource source(*sub, folders);
    CRecordingStarter starter;
    CSilentViewer viewer;
    CSimulationLauncher launcher(program, starter, viewer, world.prompts);
    world.prompts.listChoices.push_back(1);
    ASSERT_TRUE(launcher.RunEngine(source));
    EXPECT_EQ(world.prompts.listItems.back(),
              (std::vector<std::string>{work + "/first.sch", work + "/second sheet.sch"}));
    const std::string netlist = work + "/second sheet.CCT";
    EXPECT_EQ(starter.requests.back().arguments, std::vector<std::string>{netlist});
    EXPECT_EQ(ReadWholeFile(netlist),
              "'.TIME' 1E-005 0.01 0 1 0 0 1\r\n'N' 'S1.R1' 1 3 1000 \r\n"
              "'N' 'S2.R1' 2 4 1000 \r\n");
    EXPECT_FALSE(FileExists(work + "/first.CCT"));

    world.prompts.listChoices.push_back(std::nullopt);
    EXPECT_FALSE(launcher.RunEngine(source)) << "Cancel writes nothing";
    EXPECT_FALSE(FileExists(work + "/first.CCT"));
}

TEST_F(NetlistFile, ASheetUsedByNothingIsItsOwnTopLevelSheet) {
    auto untitled = world.NewSheet();
    untitled->SetTitle("Untitled1");
    CNetlistSource source(*untitled, folders);
    EXPECT_EQ(source.TopLevelPathNames(), std::vector<std::string>{"Untitled1"});
    EXPECT_EQ(source.WriteNetlist(0), program + "/UnTitle.CCT");
    EXPECT_EQ(source.WriteNetlist(1), std::nullopt);
}

}  // namespace
}  // namespace kestro
