#include "core/app/simulation_launch.h"

#include <gtest/gtest.h>

#include "core/app/viewer_protocol.h"
#include "core/platform/scripted_prompts.h"

namespace kestro {
namespace {

TEST(EngineRequest, NetlistPathIsOneArgumentEvenWithSpaces) {
    const CProcessRequest r = EngineRequest("/opt/kestro", "/home/u/my runs/buck 2.CCT");
    EXPECT_EQ(r.program, "/opt/kestro/tarn");
    ASSERT_EQ(r.arguments.size(), 1u);
    EXPECT_EQ(r.arguments[0], "/home/u/my runs/buck 2.CCT");
    EXPECT_EQ(r.workingFolder, "/opt/kestro");  // unchanged, no slash added
}

TEST(EngineRequest, FolderWithSlashGetsNoSecondOne) {
    EXPECT_EQ(EngineRequest("/opt/kestro/", "a.CCT").program, "/opt/kestro/tarn");
    EXPECT_EQ(EngineRequest("/opt/kestro/", "a.CCT").workingFolder, "/opt/kestro/");
}

TEST(ViewerRequest, NoArgumentsAndNoFolderWhenProgramFolderEmpty) {
    const CProcessRequest r = ViewerRequest("/opt/kestro");
    EXPECT_EQ(r.program, "/opt/kestro/graphon");
    EXPECT_TRUE(r.arguments.empty());
    EXPECT_EQ(r.workingFolder, "/opt/kestro");
    EXPECT_EQ(ViewerRequest("").program, "graphon");
    EXPECT_EQ(ViewerRequest("").workingFolder, "");
}

TEST(ResultFileName, ReplacesOnlyTheFileNamesExtension) {
    EXPECT_EQ(ResultFileName("/w/buck.CCT"), "/w/buck.TXT");
    EXPECT_EQ(ResultFileName("/x/a.b/run"), "/x/a.b/run.TXT");
    EXPECT_EQ(ResultFileName("/w/buck.v2.CCT"), "/w/buck.v2.TXT");
    EXPECT_EQ(ResultFileName("run"), "run.TXT");
    EXPECT_EQ(ResultFileName("/w/.hidden"), "/w/.hidden.TXT");
    EXPECT_EQ(ResultFileName("/my runs/a b.CCT"), "/my runs/a b.TXT");
    EXPECT_EQ(ResultFileName(""), "");
}

TEST(ViewerTitle, SevenLettersInAnyCaseFollowedByAnything) {
    EXPECT_TRUE(IsViewerTitle("Graphon"));
    EXPECT_TRUE(IsViewerTitle("GRAPHON - buck.TXT"));
    EXPECT_TRUE(IsViewerTitle("graphonic"));
    EXPECT_FALSE(IsViewerTitle("Grapho"));  // shorter titles never count
    EXPECT_FALSE(IsViewerTitle(""));
    EXPECT_FALSE(IsViewerTitle(" Graphon"));
    EXPECT_FALSE(IsViewerTitle("Graphix viewer"));
}

TEST(ChooseTopLevel, OneIsTakenSeveralAreOfferedCancelGivesNothing) {
    CScriptedPrompts prompts;
    EXPECT_EQ(ChooseTopLevel(prompts, {}), std::nullopt);
    EXPECT_EQ(ChooseTopLevel(prompts, {"/a.sch"}), 0u);
    EXPECT_TRUE(prompts.shown.empty());

    prompts.listChoices.push_back(1);
    EXPECT_EQ(ChooseTopLevel(prompts, {"/a.sch", "/b.sch"}), 1u);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].kind, "list");
    EXPECT_EQ(prompts.shown[0].text, "Run TARN");
    EXPECT_EQ(prompts.listItems[0], (std::vector<std::string>{"/a.sch", "/b.sch"}));

    prompts.listChoices.push_back(std::nullopt);
    EXPECT_EQ(ChooseTopLevel(prompts, {"/a.sch", "/b.sch"}), std::nullopt);
    prompts.listChoices.push_back(7);  // out of range counts as cancel
    EXPECT_EQ(ChooseTopLevel(prompts, {"/a.sch", "/b.sch"}), std::nullopt);
}

TEST(ViewerSocketName, RuntimeFolderElseUserId) {
    EXPECT_EQ(ViewerSocketName("/run/user/1000", 1000), "/run/user/1000/RUNGRAPHONFROMKESTRO");
    EXPECT_EQ(ViewerSocketName("", 1000), "RUNGRAPHONFROMKESTRO-1000");
}

TEST(ViewerProtocol, ValuesSurviveEscaping) {
    const std::string odd = "C:\\runs\\a\nb.TXT";
    EXPECT_EQ(ViewerOpenLine(odd), "OPEN C:\\\\runs\\\\a\\nb.TXT\n");
    EXPECT_EQ(ParseViewerTitleLine(ViewerTitleLine(odd)), odd);
    EXPECT_EQ(ParseViewerTitleLine("TITLE Graphon\n"), "Graphon");
    EXPECT_EQ(ParseViewerTitleLine("TITLE \n"), "");
    EXPECT_EQ(ParseViewerTitleLine("TITLES Graphon\n"), std::nullopt);
    EXPECT_EQ(ParseViewerTitleLine("HELLO\n"), std::nullopt);
    EXPECT_EQ(ParseViewerTitleLine("TITLE a\\"), std::nullopt);
    EXPECT_EQ(ParseViewerTitleLine("TITLE a\\x"), std::nullopt);
    EXPECT_EQ(ParseViewerTitleLine("TITLE a\nb\n"), std::nullopt);
    EXPECT_EQ(ParseViewerTitleLine("TITLE " + std::string(kViewerLineLimit, 'x')), std::nullopt);
}

// Records what would be started; fails when told to.
struct CFakeStarter : CProcessStarter {
    int64_t Start(const CProcessRequest& request, std::string& reason) override {
        started.push_back(request);
        if (!failWith.empty()) {
            reason = failWith;
            return 0;
        }
        return 4242;
    }
    std::vector<CProcessRequest> started;
    std::string failWith;
};

struct CFakeViewer : CViewerChannel {
    std::optional<std::string> ConnectToRunning() override {
        calls.push_back("connect");
        return runningTitle;
    }
    void HandToRunning(const std::string& file) override { calls.push_back("running:" + file); }
    void Disconnect() override { calls.push_back("disconnect"); }
    void HandToStarted(const std::string& file, int timeoutMs) override {
        calls.push_back("started:" + file + "@" + std::to_string(timeoutMs));
    }
    std::optional<std::string> runningTitle;
    std::vector<std::string> calls;
};

struct CFakeSource : CSimulationSource {
    std::vector<std::string> TopLevelPathNames() override { return topLevels; }
    std::optional<std::string> WriteNetlist(size_t index) override {
        written.push_back(index);
        if (failWrite) return std::nullopt;
        return netlist;
    }
    std::vector<std::string> topLevels{"/w/buck.sch"};
    std::string netlist = "/w/buck.CCT";
    bool failWrite = false;
    std::vector<size_t> written;
};

struct LauncherTest : ::testing::Test {
    CFakeStarter starter;
    CFakeViewer viewer;
    CScriptedPrompts prompts;
    CFakeSource source;
    CSimulationLauncher launcher{"/opt/kestro", starter, viewer, prompts};
};

TEST_F(LauncherTest, EngineRunRemembersTheNetlist) {
    EXPECT_TRUE(launcher.RunEngine(source));
    ASSERT_EQ(starter.started.size(), 1u);
    EXPECT_EQ(starter.started[0], EngineRequest("/opt/kestro", "/w/buck.CCT"));
    EXPECT_EQ(launcher.LastNetlistPath(), "/w/buck.CCT");
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(LauncherTest, CancelledChoiceWritesNothingAndStartsNothing) {
    source.topLevels = {"/w/a.sch", "/w/b.sch"};
    EXPECT_FALSE(launcher.RunEngine(source));
    EXPECT_TRUE(source.written.empty());
    EXPECT_TRUE(starter.started.empty());

    prompts.listChoices.push_back(1);
    EXPECT_TRUE(launcher.RunEngine(source));
    EXPECT_EQ(source.written, std::vector<size_t>{1});
}

TEST_F(LauncherTest, FailedNetlistStartsNothing) {
    source.failWrite = true;
    EXPECT_FALSE(launcher.RunEngine(source));
    EXPECT_TRUE(starter.started.empty());
    EXPECT_EQ(launcher.LastNetlistPath(), "");
}

TEST_F(LauncherTest, EngineThatFailsToStartIsReportedAndForgotten) {
    EXPECT_TRUE(launcher.RunEngine(source));
    starter.failWith = "No such file or directory";
    source.netlist = "/w/other.CCT";
    EXPECT_FALSE(launcher.RunEngine(source));
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "Failed to run /opt/kestro/tarn\nNo such file or directory");
    EXPECT_EQ(prompts.shown[0].icon, MessageIcon::Stop);
    EXPECT_EQ(launcher.LastNetlistPath(), "/w/buck.CCT");  // the last good run stays
}

TEST_F(LauncherTest, RunningViewerGetsTheResultFile) {
    viewer.runningTitle = "GRAPHON - old.TXT";
    launcher.RunEngine(source);
    launcher.RunViewer();
    EXPECT_EQ(viewer.calls, (std::vector<std::string>{"connect", "running:/w/buck.TXT"}));
    EXPECT_EQ(starter.started.size(), 1u);  // the engine only
}

TEST_F(LauncherTest, ShortTitleNeverCountsSoAViewerIsStarted) {
    viewer.runningTitle = "Graph";
    launcher.RunEngine(source);
    launcher.RunViewer();
    EXPECT_EQ(viewer.calls,
              (std::vector<std::string>{"connect", "disconnect", "started:/w/buck.TXT@50000"}));
    ASSERT_EQ(starter.started.size(), 2u);
    EXPECT_EQ(starter.started[1], ViewerRequest("/opt/kestro"));
}

TEST_F(LauncherTest, ViewerWithoutAnyRunStartsWithoutAFile) {
    launcher.RunViewer();
    EXPECT_EQ(viewer.calls, std::vector<std::string>{"connect"});
    ASSERT_EQ(starter.started.size(), 1u);

    viewer.runningTitle = "Graphon";
    launcher.RunViewer();
    EXPECT_EQ(viewer.calls.back(), "running:");
}

TEST_F(LauncherTest, ViewerThatFailsToStartIsReportedAndGetsNothing) {
    starter.failWith = "Permission denied";
    launcher.RunViewer();
    EXPECT_EQ(prompts.LastMessage(), "Failed to run /opt/kestro/graphon\nPermission denied");
    EXPECT_EQ(viewer.calls, std::vector<std::string>{"connect"});
}

}  // namespace
}  // namespace kestro
