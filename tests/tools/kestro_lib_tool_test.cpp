// Runs the kestro-lib program as a user would and checks its files, messages and exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>

#include <filesystem>

#include "core/platform/file_stream.h"
#include "tests/core/support/old_library_writer.h"
#include "tests/core/support/temp_folder.h"

namespace kestro {
namespace {

const std::string kTool = KESTRO_LIB_TOOL;

const char kSource[] = R"(library
element R
  description "Resistor"
  flags 0x10
  rect -20 -10 20 10
  rrect -12 -4 12 4
  line -20 0 -12 0
  line 12 0 20 0
  pin -20 0 "first terminal"
  pin 20 0 "second terminal"
  attr Name string "R" flags 0x300
  attr R unit Ohm float 1k flags 0x700 doc "resistance | in ohms"
end
menu
  item R
end
)";

class KestroLibTool : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FileExists(kTool)) << kTool << " is missing";
        Write("lib.txt", kSource);
    }

    void Write(const std::string& name, const std::string& text) {
        std::ofstream(m_folder.Path(name), std::ios::binary) << text;
    }
    std::string Path(const std::string& name) const { return m_folder.Path(name); }
    std::string Read(const std::string& name) const { return ReadWholeFile(Path(name)); }

    // Exit status of the tool with these arguments; its standard error lands in m_error.
    int Run(const std::string& arguments) {
        const std::string command = "'" + kTool + "' " + arguments + " > '" + Path("out.txt") +
                                    "' 2> '" + Path("err.txt") + "'";
        const int status = std::system(command.c_str());
        m_error = ReadWholeFile(Path("err.txt"));
        m_output = ReadWholeFile(Path("out.txt"));
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    CTempFolder m_folder;
    std::string m_error;
    std::string m_output;
};

TEST_F(KestroLibTool, BuildDumpBuildGivesTheSameFile) {
    ASSERT_EQ(Run("build '" + Path("lib.txt") + "' -o '" + Path("a.lib") + "'"), 0) << m_error;
    EXPECT_TRUE(m_error.empty());
    ASSERT_EQ(Run("dump '" + Path("a.lib") + "'"), 0) << m_error;
    Write("dump.txt", m_output);
    ASSERT_EQ(Run("dump '" + Path("a.lib") + "' -o '" + Path("dump2.txt") + "'"), 0);
    EXPECT_EQ(Read("dump2.txt"), Read("dump.txt"));
    ASSERT_EQ(Run("build '" + Path("dump.txt") + "' -o '" + Path("b.lib") + "'"), 0) << m_error;
    EXPECT_EQ(Read("a.lib"), Read("b.lib"));
}

TEST_F(KestroLibTool, SheetAndReferenceDescribeTheElements) {
    ASSERT_EQ(Run("build '" + Path("lib.txt") + "' -o '" + Path("a.lib") + "'"), 0);
    ASSERT_EQ(Run("sheet '" + Path("a.lib") + "' -o '" + Path("a.svg") + "'"), 0) << m_error;
    const std::string svg = Read("a.svg");
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
    EXPECT_NE(svg.find(">R</text>"), std::string::npos);
    EXPECT_NE(svg.find(">Port</text>"), std::string::npos);
    EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");

    ASSERT_EQ(Run("reference '" + Path("lib.txt") + "' -o '" + Path("a.md") + "'"), 0) << m_error;
    const std::string md = Read("a.md");
    EXPECT_NE(md.find("## `R`"), std::string::npos);
    EXPECT_NE(md.find("| N2 | (20, 0) | second terminal |"), std::string::npos);
    EXPECT_NE(md.find("| R | Ohm | Float | 1k | resistance \\| in ohms |"), std::string::npos);
    EXPECT_NE(md.find("`'R' 'R1' N1 N2 1000`"), std::string::npos);
}

TEST_F(KestroLibTool, ExitStatusTellsWhatWentWrong) {
    EXPECT_EQ(Run("--help"), 0);
    EXPECT_NE(m_output.find("Usage: kestro-lib"), std::string::npos);
    EXPECT_EQ(Run("--version"), 0);
    EXPECT_EQ(m_output, "kestro-lib 3.30.0\n");
    EXPECT_EQ(Run(""), 1);
    EXPECT_EQ(Run("frobnicate x"), 1);
    EXPECT_EQ(Run("build '" + Path("lib.txt") + "'"), 1);
    EXPECT_EQ(m_error, "kestro-lib: build needs -o OUTPUT\n");
    EXPECT_EQ(Run("build a b -o c"), 1);
    EXPECT_EQ(Run("build '" + Path("lib.txt") + "' --colour"), 1);

    EXPECT_EQ(Run("build '" + Path("none.txt") + "' -o '" + Path("a.lib") + "'"), 2);
    EXPECT_NE(m_error.find("No such file or directory"), std::string::npos);
    Write("bad.txt", "library\nelement R\n  wire 0 0\nend\n");
    EXPECT_EQ(Run("build '" + Path("bad.txt") + "' -o '" + Path("a.lib") + "'"), 2);
    EXPECT_EQ(m_error, "kestro-lib: " + Path("bad.txt") + ":3: unknown shape \"wire\"\n");
    EXPECT_FALSE(FileExists(Path("a.lib")));

    Write("bad.lib", std::string("\x45\x71\x96\x01 not a library", 19));
    EXPECT_EQ(Run("dump '" + Path("bad.lib") + "'"), 2);
    EXPECT_EQ(m_error, "kestro-lib: Invalid file. File name : bad.lib\n");
    EXPECT_EQ(Run("sheet '" + Path("missing.lib") + "' -o '" + Path("s.svg") + "'"), 2);

    EXPECT_EQ(Run("build '" + Path("lib.txt") + "' -o '" + Path("no/such/folder/a.lib") + "'"), 3);
    EXPECT_NE(m_error.find("No such file or directory"), std::string::npos);
    ASSERT_EQ(Run("build '" + Path("lib.txt") + "' -o '" + Path("a.lib") + "'"), 0);
    EXPECT_EQ(Run("sheet '" + Path("a.lib") + "' -o '" + Path("no/a.svg") + "'"), 3);
}

TEST_F(KestroLibTool, TransferConvertsAnOldFolderAndSaysWhatItLeftOut) {
    const std::string old = Path("old") + "/";
    std::filesystem::create_directory(old);
    test::WriteOldLibrary(old, test::DozenOldElements(), test::OldGround(), test::DozenOldGroups());
    ASSERT_EQ(Run("transfer '" + old + "' -o '" + Path("new.lib") + "'"), 0) << m_error;
    EXPECT_EQ(m_error,
              "kestro-lib: The drawings of 1 element stop at commands that are not converted: "
              "T (1).\n");
    ASSERT_EQ(Run("sheet '" + Path("new.lib") + "' -o '" + Path("new.svg") + "'"), 0) << m_error;
    EXPECT_NE(Read("new.svg").find(">TFI</text>"), std::string::npos);

    // The old library file itself may be named; --verbose names the drawings cut short.
    std::filesystem::remove(old + "ELEMENTS.MNU");
    ASSERT_EQ(Run("transfer --verbose '" + old + "ELEMENTS.LIB' -o '" + Path("flat.lib") + "'"), 0);
    EXPECT_NE(m_error.find(old + "ELEMENTS.MNU: No such file or directory\n"), std::string::npos);
    EXPECT_NE(m_error.find("kestro-lib: element 12 \"NOTE\": the drawing stops at T\n"),
              std::string::npos);
}

TEST_F(KestroLibTool, TransferExitStatusTellsWhatWentWrong) {
    const std::string old = Path("old") + "/";
    std::filesystem::create_directory(old);
    EXPECT_EQ(Run("transfer '" + old + "'"), 1);
    EXPECT_EQ(Run("transfer '" + old + "' -o '" + Path("new.lib") + "'"), 2);
    EXPECT_NE(m_error.find("ELEMENTS.LIB: No such file or directory"), std::string::npos);

    test::WriteOldLibrary(old, test::DozenOldElements(), test::OldGround(), test::DozenOldGroups());
    std::filesystem::resize_file(old + "ELEMENTS.LIB", 500);
    EXPECT_EQ(Run("transfer '" + old + "' -o '" + Path("new.lib") + "'"), 2);
    EXPECT_EQ(m_error, "kestro-lib: File error. (Old Version)\n");
    EXPECT_EQ(Run("transfer --verbose '" + old + "' -o '" + Path("new.lib") + "'"), 2);
    EXPECT_EQ(m_error, "kestro-lib: File error. (Old Version)\nkestro-lib: " + old +
                           "ELEMENTS.LIB: reading stopped at byte 268, element record 0: "
                           "attributes cut off\n");
    EXPECT_FALSE(FileExists(Path("new.lib")));

    test::WriteOldLibrary(old, test::DozenOldElements(), test::OldGround(), test::DozenOldGroups());
    EXPECT_EQ(Run("transfer '" + old + "' -o '" + Path("no/such/new.lib") + "'"), 3);
}

}  // namespace
}  // namespace kestro
