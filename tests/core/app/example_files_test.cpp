// The example schematics: drawn again by kestro-examples they must give the netlists
// checked in beside them, and so must the checked-in files read by kestro-netlist. Also
// the kestro-netlist program as a user runs it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/platform/file_stream.h"
#include "tests/core/support/temp_folder.h"

namespace kestro {
namespace {

namespace fs = std::filesystem;

const std::string kBin = KESTRO_BINARY_DIR "/bin/";
const std::string kLibrary = kBin + "KESTRO.LIB";
const std::string kExamples = KESTRO_SOURCE_DIR "/examples/";
const std::vector<std::string> kTopLevel = {"buck_converter", "diode_rectifier",
                                            "three_phase_inverter", "closed_loop_buck"};

class ExampleFiles : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* tool : {"kestro-examples", "kestro-netlist"})
            if (!FileExists(kBin + tool)) GTEST_SKIP() << tool << " is not built";
        if (!FileExists(kLibrary)) GTEST_SKIP() << "KESTRO.LIB is not built";
    }

    std::string Path(const std::string& name) const { return m_folder.Path(name); }

    // Exit status of a tool; its standard output and error land in m_output, m_error.
    int Run(const std::string& tool, const std::string& arguments) {
        const std::string command = "'" + kBin + tool + "' " + arguments + " > '" +
                                    Path("out.txt") + "' 2> '" + Path("err.txt") + "'";
        const int status = std::system(command.c_str());
        m_output = ReadWholeFile(Path("out.txt"));
        m_error = ReadWholeFile(Path("err.txt"));
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    int Netlist(const std::string& arguments) {
        return Run("kestro-netlist", "--library '" + kLibrary + "' " + arguments);
    }
    void CopyExample(const std::string& file, const std::string& folder) {
        fs::create_directories(Path(folder));
        fs::copy_file(kExamples + file, Path(folder + "/" + file));
    }

    CTempFolder m_folder;
    std::string m_output;
    std::string m_error;
};

TEST_F(ExampleFiles, DrawnAgainTheyGiveTheNetlistsCheckedIn) {
    ASSERT_EQ(Run("kestro-examples", "--library '" + kLibrary + "' '" + Path("drawn") + "'"), 0)
        << m_error;
    EXPECT_TRUE(m_error.empty()) << m_error;
    for (const std::string& name : kTopLevel) {
        SCOPED_TRACE(name);
        EXPECT_EQ(ReadWholeFile(Path("drawn/" + name + ".CCT")),
                  ReadWholeFile(kExamples + name + ".CCT"))
            << "run `cmake --build <build> --target examples` after a deliberate change";
        // The saved file gives the same netlist when it is read back.
        fs::remove(Path("drawn/" + name + ".CCT"));
        ASSERT_EQ(Netlist("'" + Path("drawn/" + name + ".sch") + "'"), 0) << m_error;
        EXPECT_EQ(ReadWholeFile(Path("drawn/" + name + ".CCT")),
                  ReadWholeFile(kExamples + name + ".CCT"));
    }
}

TEST_F(ExampleFiles, TheCheckedInSchematicsGiveTheirNetlists) {
    for (const auto& entry : fs::directory_iterator(kExamples))
        if (entry.path().extension() == ".sch")
            CopyExample(entry.path().filename().string(), "copy");
    for (const std::string& name : kTopLevel) {
        SCOPED_TRACE(name);
        ASSERT_EQ(Netlist("'" + Path("copy/" + name + ".sch") + "'"), 0) << m_error;
        EXPECT_EQ(m_output, Path("copy/" + name + ".CCT") + "\n");
        EXPECT_TRUE(m_error.empty()) << m_error;
        EXPECT_EQ(ReadWholeFile(Path("copy/" + name + ".CCT")),
                  ReadWholeFile(kExamples + name + ".CCT"));
    }
}

TEST_F(ExampleFiles, AMissingSubcircuitIsReportedOnceAndLeftEmpty) {
    ASSERT_EQ(Run("kestro-examples", "--library '" + kLibrary + "' '" + Path("drawn") + "'"), 0)
        << m_error;
    fs::create_directories(Path("alone"));
    fs::create_directories(Path("elsewhere"));
    fs::rename(Path("drawn/three_phase_inverter.sch"), Path("alone/three_phase_inverter.sch"));
    fs::rename(Path("drawn/phase_leg.sch"), Path("elsewhere/phase_leg.sch"));
    const std::string sheet = "'" + Path("alone/three_phase_inverter.sch") + "'";
    ASSERT_EQ(Netlist(sheet), 0) << m_error;
    const std::string missing = "phase_leg.sch not found: an empty sheet takes its place";
    EXPECT_NE(m_error.find(missing), std::string::npos) << m_error;
    EXPECT_EQ(m_error.find(missing), m_error.rfind(missing)) << "reported once: " << m_error;
    EXPECT_EQ(ReadWholeFile(Path("alone/three_phase_inverter.CCT")).find("'S1."),
              std::string::npos);

    ASSERT_EQ(Netlist("--search '" + Path("elsewhere") + "' " + sheet), 0) << m_error;
    EXPECT_TRUE(m_error.empty()) << m_error;
    EXPECT_EQ(ReadWholeFile(Path("alone/three_phase_inverter.CCT")),
              ReadWholeFile(kExamples + "three_phase_inverter.CCT"));
}

TEST_F(ExampleFiles, KestroNetlistFollowsTheToolConventions) {
    CopyExample("buck_converter.sch", "work");
    const std::string sheet = "'" + Path("work/buck_converter.sch") + "'";
    ASSERT_EQ(Netlist("--auto-exit " + sheet), 0) << m_error;
    EXPECT_EQ(ReadWholeFile(Path("work/buck_converter.CCT")).substr(0, 31),
              "'.TIME' 1E-006 0.01 0 1 0 0 1\r\n");

    EXPECT_EQ(Netlist(""), 1);
    EXPECT_EQ(Netlist("--frobnicate " + sheet), 1);
    EXPECT_EQ(Run("kestro-netlist", "--library '" + Path("none.lib") + "' " + sheet), 2);
    EXPECT_NE(m_error.find("none.lib"), std::string::npos) << m_error;
    EXPECT_EQ(Netlist("'" + Path("work/missing.sch") + "'"), 2);
    EXPECT_NE(m_error.find("missing.sch"), std::string::npos) << m_error;
    std::ofstream(Path("work/junk.sch")) << "not a schematic";
    EXPECT_EQ(Netlist("'" + Path("work/junk.sch") + "'"), 2);
    EXPECT_NE(m_error.find("Invalid file. File name : "), std::string::npos) << m_error;

    fs::remove(Path("work/buck_converter.CCT"));
    fs::create_directories(Path("work/buck_converter.CCT/in the way"));
    EXPECT_EQ(Netlist(sheet), 3);
    EXPECT_NE(m_error.find("buck_converter.CCT: Is a directory"), std::string::npos) << m_error;
    EXPECT_TRUE(m_output.empty());
}

}  // namespace
}  // namespace kestro
