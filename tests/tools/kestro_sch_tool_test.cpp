// Runs the kestro-sch program as a user would and checks its output and exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/hierarchy/circuit_document_manager.h"
#include "core/objects/sub_cir_part.h"
#include "tests/core/support/schematic_support.h"
#include "tests/core/support/temp_folder.h"

namespace kestro {
namespace {

const std::string kTool = KESTRO_SCH_TOOL;

class KestroSchTool : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FileExists(kTool)) << kTool << " is missing";
        library.SetPath(Path("TEST.LIB"));
        ASSERT_TRUE(library.Save());
    }

    std::string Path(const std::string& name) const { return m_folder.Path(name); }

    // Exit status of the tool; its output lands in m_output and m_error.
    int Run(const std::string& arguments, const std::string& output = "") {
        const std::string out = output.empty() ? Path("out.txt") : output;
        const std::string command =
            "'" + kTool + "' " + arguments + " > '" + out + "' 2> '" + Path("err.txt") + "'";
        const int status = std::system(command.c_str());
        m_error = ReadWholeFile(Path("err.txt"));
        m_output = output.empty() ? ReadWholeFile(out) : std::string();
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Dump(const std::string& file, const std::string& options = "") {
        EXPECT_EQ(Run("dump " + options + " --library '" + Path("TEST.LIB") + "' '" + file + "'"),
                  0)
            << m_error;
        return m_output;
    }

    CTempFolder m_folder;
    test::CSheetWorld world;
    CLibraryData& library = world.library;
    CCircuitDocumentManager documents{world.context.parts};
    std::string m_error;
    std::string m_output;
};

TEST_F(KestroSchTool, DumpShowsHeaderInterfaceAndEveryObject) {
    auto sheet = documents.NewDocument();
    test::FillEveryKind(*sheet);
    sheet->GetTitleInfo()[1] = "Buck \"A\"";
    ASSERT_TRUE(documents.SaveUnderName(*sheet, Path("every.sch")));
    const std::string text = Dump(Path("every.sch"));
    EXPECT_NE(text.find("version 3 30\n"), std::string::npos);
    EXPECT_NE(text.find("  portCount 20\n  symbolBox -25 -35 25 35\n"), std::string::npos);
    EXPECT_NE(text.find("  title \"Buck \\\"A\\\"\"\n"), std::string::npos);
    EXPECT_NE(text.find("  Tstep\n    type \"Float\"\n    text \"1E-005\"\n"), std::string::npos);
    EXPECT_NE(text.find("elementCounters\n  N 1\n"), std::string::npos);
    EXPECT_NE(text.find("objects 8\n  [0]\n    kind \"element\"\n    tag 1\n    number 1\n"
                        "    name \"R1\"\n"),
              std::string::npos);
    EXPECT_NE(text.find("    terminals 2\n      [0] 80 100\n"), std::string::npos) << text;
    EXPECT_NE(text.find("    kind \"label\"\n"), std::string::npos);
    EXPECT_NE(text.find("    portNumber 3\n"), std::string::npos);

    const std::string json = Dump(Path("every.sch"), "--json");
    EXPECT_EQ(json.substr(0, 2), "{\n");
    EXPECT_NE(json.find("\"version\": [3, 30],"), std::string::npos);
    EXPECT_NE(json.find("\"kind\": \"wire\""), std::string::npos);
    EXPECT_EQ(std::count(json.begin(), json.end(), '{'), std::count(json.begin(), json.end(), '}'));
    EXPECT_EQ(json.substr(json.size() - 2), "}\n");
}

TEST_F(KestroSchTool, MissingSubcircuitIsReportedAndAnEmptySheetStandsIn) {
    auto sub = documents.NewDocument();
    sub->SetSymbolBox({0, 0, 40, 20});
    ASSERT_TRUE(documents.SaveUnderName(*sub, Path("sub.sch")));
    auto top = documents.NewDocument();
    top->AddObject(CSubCirPart::Create(world.context.parts, sub, {100, 100}, 0));
    ASSERT_TRUE(documents.SaveUnderName(*top, Path("top.sch")));
    std::filesystem::remove(Path("sub.sch"));
    const std::string text = Dump(Path("top.sch"));
    EXPECT_NE(m_error.find("subcircuit " + Path("sub.sch") + " not found"), std::string::npos)
        << m_error;
    EXPECT_NE(text.find("    kind \"subcircuit\"\n"), std::string::npos);
    EXPECT_NE(text.find("    terminals 8\n"), std::string::npos);
}

TEST_F(KestroSchTool, ExitStatusFollowsWhatWentWrong) {
    std::ofstream(Path("text.sch")) << "hello";
    EXPECT_EQ(Run("dump --library '" + Path("TEST.LIB") + "' '" + Path("text.sch") + "'"), 2);
    EXPECT_EQ(m_error, "kestro-sch: Invalid file. File name : " + Path("text.sch") + "\n");
    EXPECT_EQ(Run("dump --library '" + Path("TEST.LIB") + "' '" + Path("none.sch") + "'"), 2);
    EXPECT_EQ(Run("dump --library '" + Path("NONE.LIB") + "' '" + Path("text.sch") + "'"), 2);
    EXPECT_EQ(Run("dump"), 1);
    EXPECT_EQ(Run("show x.sch"), 1);
    EXPECT_EQ(Run("dump --bogus x.sch"), 1);
    EXPECT_EQ(Run("--version"), 0);
    EXPECT_EQ(m_output, "kestro-sch 3.30.0\n");

    std::ofstream(Path("empty.sch"));
    EXPECT_EQ(
        Run("dump --library '" + Path("TEST.LIB") + "' '" + Path("empty.sch") + "'", "/dev/full"),
        3);
}

TEST_F(KestroSchTool, VerboseSaysWhereADamagedFileStoppedBeingRead) {
    auto sheet = documents.NewDocument();
    test::FillEveryKind(*sheet);
    ASSERT_TRUE(documents.SaveUnderName(*sheet, Path("whole.sch")));
    const std::string bytes = ReadWholeFile(Path("whole.sch"));
    std::ofstream(Path("cut.sch"), std::ios::binary) << bytes.substr(0, bytes.size() - 9);
    const std::string dump = "dump --library '" + Path("TEST.LIB") + "' '" + Path("cut.sch") + "'";
    EXPECT_EQ(Run(dump), 2);
    EXPECT_EQ(m_error, "kestro-sch: Can not load file " + Path("cut.sch") + "\n");
    EXPECT_EQ(Run("--verbose " + dump), 2);
    EXPECT_TRUE(m_error.starts_with("kestro-sch: Can not load file " + Path("cut.sch") +
                                    "\nkestro-sch: " + Path("cut.sch") +
                                    ": reading stopped at byte "))
        << m_error;
    EXPECT_NE(m_error.find(", record "), std::string::npos) << m_error;
}

}  // namespace
}  // namespace kestro
