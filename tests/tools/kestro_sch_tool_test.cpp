// Runs the kestro-sch program as a user would and checks its output and exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/hierarchy/circuit_document_manager.h"
#include "core/objects/sub_cir_part.h"
#include "core/objects/wire.h"
#include "core/platform/pdf_canvas.h"
#include "core/platform/recording_canvas.h"
#include "core/print/print_job.h"
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

// Two wires at far corners of the sheet: at zoom 1 on A4 the pages are about 620 by 800
// units, so the drawing spans four pages across and three down, of which two are printed.
std::shared_ptr<CCircuit> TwoCornerSheet(CCircuitDocumentManager& documents,
                                         const CPartEnvironment& env) {
    auto sheet = documents.NewDocument();
    sheet->AddObject(CWire::Create(env, {100, 100}, {200, 100}));
    sheet->AddObject(CWire::Create(env, {1900, 1900}, {1950, 1900}));
    sheet->SetZoom(1.0f);
    return sheet;
}

size_t Count(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

TEST_F(KestroSchTool, ExportWritesThePrintedPagesAsPdfAndTheDrawingAsSvg) {
    const auto sheet = TwoCornerSheet(documents, world.context.parts);
    ASSERT_TRUE(documents.SaveUnderName(*sheet, Path("corners.sch")));
    const std::string common = "--library '" + Path("TEST.LIB") + "' '" + Path("corners.sch") + "'";

    ASSERT_EQ(Run("export -o '" + Path("corners.pdf") + "' " + common), 0) << m_error;
    CPrintRequest a4;
    a4.printable = CPdfPage{}.PrintableSize();
    a4.zoom = 1.0;
    const CPrintJob job(*sheet, a4);
    ASSERT_EQ(job.GetPageCount(), 2);
    const std::string pdf = ReadWholeFile(Path("corners.pdf"));
    EXPECT_EQ(Count(pdf, "/Type /Page "), 2u);
    EXPECT_NE(pdf.find("(Page 2 of 2) Tj"), std::string::npos);

    // A larger zoom cuts more pages; --fit puts everything on one.
    ASSERT_EQ(Run("export --zoom 2 --paper letter -o '" + Path("zoomed.pdf") + "' " + common), 0);
    EXPECT_EQ(Count(ReadWholeFile(Path("zoomed.pdf")), "/Type /Page "), 2u);
    EXPECT_NE(ReadWholeFile(Path("zoomed.pdf")).find("/MediaBox [0 0 612 792]"), std::string::npos);
    ASSERT_EQ(Run("export --fit --no-legend -o '" + Path("fit.PDF") + "' " + common), 0);
    const std::string fitted = ReadWholeFile(Path("fit.PDF"));
    EXPECT_EQ(Count(fitted, "/Type /Page "), 1u);
    EXPECT_EQ(fitted.find(" Tj"), std::string::npos);

    ASSERT_EQ(Run("export -o '" + Path("corners.svg") + "' " + common), 0) << m_error;
    const std::string svg = ReadWholeFile(Path("corners.svg"));
    CRecordingCanvas drawing;
    sheet->DrawAll(drawing);
    size_t elements = 0;
    for (size_t at = svg.find("\n<"); at != std::string::npos; at = svg.find("\n<", at + 1))
        elements += svg.compare(at + 1, 2, "</") != 0;
    EXPECT_EQ(elements, drawing.Calls().size() + 2);  // and the root and the paper
}

TEST_F(KestroSchTool, AnExportThatCannotBeWrittenLeavesNoFileBehind) {
    const auto sheet = TwoCornerSheet(documents, world.context.parts);
    ASSERT_TRUE(documents.SaveUnderName(*sheet, Path("corners.sch")));
    const std::string common = "--library '" + Path("TEST.LIB") + "' '" + Path("corners.sch") + "'";
    std::filesystem::create_directory(Path("out"));
    std::ofstream(Path("out/old.pdf")) << "old";
    // Writes stop after one block: the file never reaches the disk whole.
    const std::string limited = "trap '' XFSZ; ulimit -f 1; ";
    const std::string command = limited + "'" + kTool + "' export -o '" + Path("out/old.pdf") +
                                "' " + common + " 2> '" + Path("err.txt") + "'";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 3) << ReadWholeFile(Path("err.txt"));
    EXPECT_EQ(ReadWholeFile(Path("out/old.pdf")), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Path("out")),
                            std::filesystem::directory_iterator()),
              1);
    // A folder where the file should go.
    std::filesystem::create_directory(Path("out/folder.svg"));
    EXPECT_EQ(Run("export -o '" + Path("out/folder.svg") + "' " + common), 3);
    EXPECT_TRUE(std::filesystem::is_directory(Path("out/folder.svg")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Path("out")),
                            std::filesystem::directory_iterator()),
              2);
}

TEST_F(KestroSchTool, ExportRefusesWhatItCannotDo) {
    const auto empty = documents.NewDocument();
    ASSERT_TRUE(documents.SaveUnderName(*empty, Path("empty.sch")));
    const std::string common = "--library '" + Path("TEST.LIB") + "' '" + Path("empty.sch") + "'";
    EXPECT_EQ(Run("export -o '" + Path("e.pdf") + "' " + common), 2);
    EXPECT_EQ(m_error, "kestro-sch: the sheet holds nothing to print\n");
    EXPECT_EQ(Run("export -o '" + Path("e.svg") + "' " + common), 2);
    EXPECT_FALSE(FileExists(Path("e.pdf")) || FileExists(Path("e.svg")));
    EXPECT_EQ(Run("export -o x.png " + common), 1);
    EXPECT_EQ(m_error, "kestro-sch: the output must end in .pdf or .svg\n");
    EXPECT_EQ(Run("export " + common), 1);
    EXPECT_EQ(Run("export --zoom 0 -o x.pdf " + common), 1);
    EXPECT_EQ(Run("export --zoom 2x -o x.pdf " + common), 1);
    EXPECT_EQ(Run("export --paper a3 -o x.pdf " + common), 1);
    EXPECT_EQ(Run("export --json -o x.pdf " + common), 1);
    EXPECT_EQ(Run("dump --fit " + common), 1);
    EXPECT_EQ(m_error, "kestro-sch: --fit is not an option of dump (see --help)\n");
}

}  // namespace
}  // namespace kestro
