#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/library/library_data.h"
#include "core/objects/sim_link.h"
#include "core/platform/file_stream.h"
#include "core/platform/number_text.h"
#include "core/platform/record_buffer.h"
#include "tests/core/support/schematic_support.h"
#include "tests/core/support/temp_folder.h"

namespace kestro {
namespace {

using test::CSheetWorld;
using test::JoinRecords;
using test::kResistor;
using test::SchematicBytes;
using test::SplitRecords;

uint16_t U16(const std::vector<uint8_t>& r, size_t at) {
    return static_cast<uint16_t>(r[at] | r[at + 1] << 8);
}
uint32_t U32(const std::vector<uint8_t>& r, size_t at) {
    return uint32_t(r[at]) | uint32_t(r[at + 1]) << 8 | uint32_t(r[at + 2]) << 16 |
           uint32_t(r[at + 3]) << 24;
}
float F32(const std::vector<uint8_t>& r, size_t at) {
    const uint32_t bits = U32(r, at);
    float value;
    std::memcpy(&value, &bits, 4);
    return value;
}

// One line per object: kind, placement, bounds, name and values.
std::vector<std::string> Describe(const CCircuit& sheet) {
    std::vector<std::string> lines;
    for (const auto& part : sheet.GetObjects()) {
        const CPlacement& p = part->GetPlacement();
        const CRectF& b = part->GetBounds();
        std::string line = FormatInt(part->GetTag()) + " " + part->GetKindName() + " '" +
                           part->GetName() + "' " + part->GetValuesText();
        for (double v : {double(p.x), double(p.y), double(p.rotation), double(p.sx), double(p.sy),
                         double(b.left), double(b.top), double(b.right), double(b.bottom)})
            line += " " + FormatG(v, 7);
        line += " terminals " + FormatInt(int64_t(part->GetTerminalCount()));
        lines.push_back(line);
    }
    return lines;
}

class SchematicFile : public ::testing::Test {
protected:
    // Reads bytes into a fresh sheet; the result of the read.
    bool Read(const std::vector<uint8_t>& bytes, const std::string& path = "/p/a.sch") {
        read = world.NewSheet();
        CMemoryStream in(bytes);
        return ReadSchematic(*read, in, path);
    }

    CSheetWorld world;
    const CPartEnvironment& env = world.context.parts;
    std::shared_ptr<CCircuit> sheet = world.NewSheet();
    std::shared_ptr<CCircuit> read;
};

TEST_F(SchematicFile, NewEmptySheetWritesEachRecordOfTheEnvelope) {
    const auto bytes = SchematicBytes(*sheet, "/p/a.sch");
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 4),
              (std::vector<uint8_t>{0x6E, 0xCD, 0x22, 0x00}));
    const auto records = SplitRecords(bytes);
    ASSERT_EQ(records.size(), 10u);

    const auto& header = records[0];
    ASSERT_EQ(header.size(), 1020u);
    EXPECT_EQ(U32(header, 0), 3u);
    EXPECT_EQ(U32(header, 4), 30u);
    EXPECT_TRUE(std::all_of(header.begin() + 8, header.end(), [](uint8_t b) { return b == 0; }));

    // Interface: 20 ports, the box centred on the origin, 20 positions, 20 empty names.
    const auto& ports = records[1];
    EXPECT_EQ(U16(ports, 0), 20u);
    EXPECT_EQ(F32(ports, 2), -25.0f);
    EXPECT_EQ(F32(ports, 6), -35.0f);
    EXPECT_EQ(F32(ports, 10), 25.0f);
    EXPECT_EQ(F32(ports, 14), 35.0f);
    EXPECT_EQ(U16(ports, 18), 20u);
    EXPECT_EQ(F32(ports, 20), -15.0f);  // the first port along the top, 10 from the corner
    EXPECT_EQ(F32(ports, 24), -35.0f);
    EXPECT_EQ(ports.size(), 2u + 16u + 2u + 20u * 8u + 20u * 3u);

    EXPECT_EQ(records[2], (std::vector<uint8_t>{9, 0, '/', 'p', '/', 'a', '.', 's', 'c', 'h', 0}));
    EXPECT_EQ(records[3].size(), 15u);  // five empty texts
    EXPECT_EQ(records[4].size(), 32u);  // sheet values
    EXPECT_EQ(F32(records[4], 8 + 8), 2000.0f);
    EXPECT_EQ(F32(records[4], 28), 1.2f);
    // Element name table: library 3.30 of 3 elements, none used.
    EXPECT_EQ(records[6], (std::vector<uint8_t>{3, 0, 30, 0, 3, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(records[7], (std::vector<uint8_t>{0, 0, 0, 0}));
    EXPECT_EQ(records[8], (std::vector<uint8_t>{0, 0, 0, 0, 0, 0}));  // one counter per element
    EXPECT_EQ(records[9], (std::vector<uint8_t>{5, 0, '.', 'E', 'N', 'D', 0}));
}

TEST_F(SchematicFile, SimulationParametersAreWrittenAsTypedValues) {
    const auto records = SplitRecords(SchematicBytes(*sheet));
    CRecordBuffer in(BufferMode::Load);
    in.SetVersion(3, 30);
    in.Assign(records[5].data(), records[5].size());
    std::array<CGenType, 7> values;
    for (CGenType& value : values)
        value.Serialize(in);
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_EQ(values[0].GetString(), ".TIME");
    EXPECT_EQ(values[1].GetFloat(), 1e-5);
    EXPECT_EQ(values[2].GetFloat(), 0.01);
    EXPECT_EQ(values[4].GetInteger(), 1);
}

TEST_F(SchematicFile, ElementsOfOneLibraryElementGiveOneNameTableEntry) {
    sheet->PlaceElement(kResistor, {100, 100}, 0);
    sheet->PlaceElement(kResistor, {200, 100}, 0);
    const auto records = SplitRecords(SchematicBytes(*sheet));
    EXPECT_EQ(records[6], (std::vector<uint8_t>{3, 0, 30, 0, 3, 0, 0, 0, 1, 0, 0, 0,  //
                                                1, 0, 2, 0, 'N', 0}));
    // Two elements and their value links, each in a record of its own after the count.
    EXPECT_EQ(U32(records[7], 0), 4u);
    EXPECT_EQ(U16(records[8], 0), CPart::kTagSimPart);
    EXPECT_EQ(U16(records[9], 0), CPart::kTagLink);
    EXPECT_EQ(records[12], (std::vector<uint8_t>{0, 0, 2, 0, 0, 0}));  // R counter at 2
}

TEST_F(SchematicFile, EveryKindReadsBackAsWritten) {
    test::FillEveryKind(*sheet);
    sheet->GetTitleInfo() = {"Quorvant", "Buck", "A. Engineer", "B", "12/07/2026"};
    sheet->GetSimulationParameters()[2] = CGenType::MakeFloat(0.02);
    sheet->SetZoom(2.0f);
    sheet->GetPortNames()[3] = "VIN";
    ASSERT_TRUE(Read(SchematicBytes(*sheet)));
    EXPECT_TRUE(world.prompts.shown.empty());
    EXPECT_EQ(Describe(*read), Describe(*sheet));
    EXPECT_EQ(read->GetTitleInfo(), sheet->GetTitleInfo());
    EXPECT_EQ(read->GetSimulationParameters()[2].GetFloat(), 0.02);
    EXPECT_EQ(read->GetZoom(), 2.0f);
    EXPECT_EQ(read->GetPortName(3), "VIN");
    EXPECT_NE(read->GetPortObject(3), nullptr);
    EXPECT_EQ(read->GetElementCounters(), sheet->GetElementCounters());
    EXPECT_EQ(read->GetNodes().size(), sheet->GetNodes().size());
    EXPECT_EQ(read->GetSavedPath(), "/p/a.sch");
    // Written again, the bytes are the same.
    EXPECT_EQ(SchematicBytes(*read), SchematicBytes(*sheet));
}

TEST_F(SchematicFile, ZeroByteFileOpensAsAnEmptySheet) {
    EXPECT_TRUE(Read({}));
    EXPECT_EQ(read->GetObjectCount(), 0u);
    EXPECT_EQ(read->GetPortCount(), 20u);
    EXPECT_TRUE(world.prompts.shown.empty());
}

TEST_F(SchematicFile, OtherBytesAreNotASchematic) {
    for (const std::vector<uint8_t>& bytes :
         {std::vector<uint8_t>{'M', 'Z'}, std::vector<uint8_t>{0x6E, 0xCD, 0x22, 0x01, 0, 0},
          std::vector<uint8_t>{'S', 'C', 'H', ' ', 'F', 'I', 'L', 'E', ' '}}) {
        world.prompts.shown.clear();
        EXPECT_FALSE(Read(bytes, "/p/x.sch"));
        ASSERT_EQ(world.prompts.shown.size(), 1u);
        EXPECT_EQ(world.prompts.shown[0].text, "Invalid file. File name : /p/x.sch");
        EXPECT_EQ(world.prompts.shown[0].icon, MessageIcon::Stop);
    }
}

TEST_F(SchematicFile, AFileCutAnywhereCannotBeLoaded) {
    test::FillEveryKind(*sheet);
    const auto bytes = SchematicBytes(*sheet);
    for (size_t size = 4; size < bytes.size(); ++size) {
        world.prompts.shown.clear();
        EXPECT_FALSE(Read({bytes.begin(), bytes.begin() + long(size)}, "/p/cut.sch")) << size;
        ASSERT_EQ(world.prompts.Messages(),
                  std::vector<std::string>{"Can not load file /p/cut.sch"})
            << size;
    }
}

TEST_F(SchematicFile, UnknownKindTagCannotBeLoaded) {
    sheet->AddObject(CWire::Create(env, {0, 0}, {0, 50}));
    auto records = SplitRecords(SchematicBytes(*sheet));
    for (uint16_t tag : {0, 9, 0xFFFF}) {
        records[8][0] = static_cast<uint8_t>(tag);
        records[8][1] = static_cast<uint8_t>(tag >> 8);
        world.prompts.shown.clear();
        EXPECT_FALSE(Read(JoinRecords(records), "/p/tag.sch"));
        EXPECT_EQ(world.prompts.LastMessage(), "Can not load file /p/tag.sch");
    }
}

TEST_F(SchematicFile, RecordLongerThan64000BytesIsTooLarge) {
    auto records = SplitRecords(SchematicBytes(*sheet));
    records[3].resize(64001, 0);
    EXPECT_FALSE(Read(JoinRecords(records)));
    EXPECT_EQ(world.prompts.LastMessage(), "IO Buffer Error: Buffer too large.");
    records[3].resize(64000, 0);  // at the limit the record is read (its texts end early)
    world.prompts.shown.clear();
    EXPECT_TRUE(Read(JoinRecords(records)));
    EXPECT_TRUE(world.prompts.shown.empty());
}

TEST_F(SchematicFile, WhereReadingStoppedIsReportedBesideTheSystemsMessage) {
    sheet->AddObject(CWire::Create(env, {0, 0}, {0, 50}));
    auto records = SplitRecords(SchematicBytes(*sheet));
    // Offsets of the records' length words: magic, then each record framed by 4 bytes.
    std::vector<size_t> offsets{4};
    for (const auto& record : records)
        offsets.push_back(offsets.back() + 4 + record.size());

    auto cut = JoinRecords(records);
    cut.resize(offsets[6] + 10);  // inside the element name table (record 6)
    EXPECT_FALSE(Read(cut, "/p/cut.sch"));
    EXPECT_EQ(world.prompts.LastMessage(), "Can not load file /p/cut.sch");
    ASSERT_EQ(world.prompts.details.size(), 1u);
    EXPECT_EQ(world.prompts.details[0], "/p/cut.sch: reading stopped at byte " +
                                            std::to_string(offsets[6]) +
                                            ", record 6: the file ends inside a record of " +
                                            std::to_string(records[6].size()) + " bytes");

    records[8][0] = 9;  // the wire's kind tag
    world.prompts.details.clear();
    EXPECT_FALSE(Read(JoinRecords(records), "/p/tag.sch"));
    ASSERT_EQ(world.prompts.details.size(), 1u);
    EXPECT_EQ(world.prompts.details[0], "/p/tag.sch: reading stopped at byte " +
                                            std::to_string(offsets[8]) +
                                            ", record 8: object 0 has no kind tag");

    records[8][0] = 2;
    records[3].resize(64001, 0);
    world.prompts.details.clear();
    EXPECT_FALSE(Read(JoinRecords(records), "/p/big.sch"));
    EXPECT_EQ(world.prompts.LastMessage(), "IO Buffer Error: Buffer too large.");
    ASSERT_EQ(world.prompts.details.size(), 1u);
    EXPECT_EQ(world.prompts.details[0], "/p/big.sch: reading stopped at byte " +
                                            std::to_string(offsets[3]) +
                                            ", record 3: a length over 64000 bytes");
}

TEST_F(SchematicFile, VersionOfTheFileIsKeptAndOldSimulationLayoutRead) {
    auto records = SplitRecords(SchematicBytes(*sheet));
    records[0][4] = 3;  // version 3.3
    CRecordBuffer simulation(BufferMode::Store);
    simulation.PutString(".TRAN");
    for (float f : {2e-6f, 0.05f, 0.001f})
        simulation.Put<float>(f);
    for (int32_t i : {5, 1, 1})
        simulation.Put<int32_t>(i);
    records[5].assign(simulation.Data(), simulation.Data() + simulation.Length());
    ASSERT_TRUE(Read(JoinRecords(records)));
    EXPECT_EQ(read->GetVersionMajor(), 3);
    EXPECT_EQ(read->GetVersionMinor(), 3);
    const auto& values = read->GetSimulationParameters();
    EXPECT_EQ(values[0].GetString(), ".TRAN");
    EXPECT_EQ(values[1].GetType(), CGenType::Float);
    EXPECT_EQ(values[1].GetFloat(), 2e-6);
    EXPECT_EQ(values[3].GetFloat(), 0.001);
    EXPECT_EQ(values[4].GetType(), CGenType::Integer);
    EXPECT_EQ(values[4].GetInteger(), 5);
    EXPECT_EQ(values[6].GetInteger(), 1);
}

TEST_F(SchematicFile, NewerVersionsAreThoseAfter330) {
    EXPECT_TRUE(IsNewerFileVersion(3, 31));
    EXPECT_TRUE(IsNewerFileVersion(4, 0));
    EXPECT_FALSE(IsNewerFileVersion(3, 30));
    EXPECT_FALSE(IsNewerFileVersion(3, 3));
    EXPECT_FALSE(IsNewerFileVersion(2, 99));
    EXPECT_EQ(FormatFileMessage(kNewerVersionWarning, "/p/a.sch").substr(0, 52),
              "This file was created by a newer version of Kestro. ");
}

TEST_F(SchematicFile, SheetValuesAreTidiedOnReading) {
    sheet->SetDrawingArea({-15, 14.5f, 1995, 2005});
    sheet->SetZoom(0.0f);
    sheet->SetFlags(0x1000 | 0x10 | 0x4);
    ASSERT_TRUE(Read(SchematicBytes(*sheet)));
    EXPECT_EQ(read->GetDrawingArea(), (CRectF{-20, 10, 2000, 2010}));
    EXPECT_EQ(read->GetZoom(), 1.2f);
    EXPECT_EQ(read->GetFlags(), 0x4);  // numbering and clean-up belong to the old nodes
}

TEST_F(SchematicFile, ElementMissingFromTheLibraryIsDroppedWithItsLink) {
    sheet->PlaceElement(kResistor, {100, 100}, 0);
    sheet->AddObject(CWire::Create(env, {0, 0}, {0, 50}));
    auto records = SplitRecords(SchematicBytes(*sheet));
    records[6][records[6].size() - 2] = 'Q';  // the element "N" was stored as "Q"
    ASSERT_TRUE(Read(JoinRecords(records)));
    ASSERT_EQ(read->GetObjectCount(), 1u);
    EXPECT_TRUE(read->GetObjects().front()->IsWire());
}

TEST_F(SchematicFile, SavedWithAnEmptyLibraryTheFileStaysReadable) {
    CScriptedPrompts prompts;
    CLibraryData empty(prompts);
    empty.New("/nonexistent/EMPTY.LIB");
    CSimpleDocumentManager documents;
    CCircuitContext context{{empty, world.settings, prompts}, documents};
    auto bare = documents.CreateUntitled(context);
    bare->AddObject(CWire::Create(context.parts, {0, 0}, {0, 50}));
    CTempFolder folder;
    ASSERT_TRUE(WriteSchematicFile(*bare, folder.Path("bare.sch")));
    EXPECT_TRUE(prompts.shown.empty());
    const auto records = SplitRecords(test::ReadBytes(folder.Path("bare.sch")));
    EXPECT_EQ(records[9], (std::vector<uint8_t>{0, 0}));  // a single zero for no counters

    auto again = documents.CreateUntitled(context);
    EXPECT_TRUE(ReadSchematicFile(*again, folder.Path("bare.sch")));
    EXPECT_EQ(again->GetObjectCount(), 1u);
    // A library with elements reads it too, its counters from 0.
    auto withLibrary = world.NewSheet();
    EXPECT_TRUE(ReadSchematicFile(*withLibrary, folder.Path("bare.sch")));
    EXPECT_EQ(withLibrary->GetElementCounters(), (std::vector<uint16_t>{0, 0, 0}));
    EXPECT_TRUE(world.prompts.shown.empty());
}

TEST_F(SchematicFile, FailedSaveLeavesTheOldFileByteIdentical) {
    CTempFolder folder;
    const std::string path = folder.Path("keep.sch");
    test::FillEveryKind(*sheet);
    ASSERT_TRUE(WriteSchematicFile(*sheet, path));
    const auto before = test::ReadBytes(path);

    // A text too long for one record fails the save half way through.
    sheet->AddObject(CSimText::Create(env, std::string(70000, 'x'), {0, 0}, 0));
    EXPECT_FALSE(WriteSchematicFile(*sheet, path));
    EXPECT_EQ(world.prompts.LastMessage(), "IO Buffer Error: Buffer too large.");
    EXPECT_EQ(world.prompts.shown.back().icon, MessageIcon::Stop);
    EXPECT_EQ(test::ReadBytes(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Root()),
                            std::filesystem::directory_iterator()),
              1);  // no temporary file left behind
}

TEST_F(SchematicFile, SaveOverAFolderReportsTheFileError) {
    CTempFolder folder;
    std::filesystem::create_directory(folder.Path("taken.sch"));
    EXPECT_FALSE(WriteSchematicFile(*sheet, folder.Path("taken.sch")));
    ASSERT_EQ(world.prompts.Messages().size(), 1u);
    EXPECT_NE(world.prompts.LastMessage().find(folder.Path("taken.sch")), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path("taken.sch")));
}

TEST_F(SchematicFile, MissingFileShowsTheSystemsReason) {
    EXPECT_FALSE(ReadSchematicFile(*sheet, "/nonexistent/a.sch"));
    EXPECT_NE(world.prompts.LastMessage().find("/nonexistent/a.sch"), std::string::npos);
}

TEST_F(SchematicFile, OldFormatIsRecognisedAndRefusedWithItsReasons) {
    std::vector<uint8_t> old = {'S', 'C', 'H', ' ', 'F', 'I', 'L', 'E', 0, 0x14, 0x00};
    old.resize(9 + 2 + 128, 0);
    EXPECT_FALSE(Read(old, "/p/old.sch"));
    EXPECT_EQ(world.prompts.LastMessage(),
              "You must transfer the old library before openning an older version file.");

    world.library.SetOldNumbers({0, 5000, 5001});
    EXPECT_FALSE(Read(old, "/p/old.sch"));
    EXPECT_EQ(world.prompts.LastMessage(),
              "Unable to open /p/old.sch\nThis file was written by Kestro version 1.0");
    old[9 + 2 + 2] = 2;
    EXPECT_FALSE(Read(old, "/p/old.sch"));
    EXPECT_EQ(world.prompts.LastMessage(), "Unable to open /p/old.sch\nNone compatable file.");

    // A transfer of an old library without elements leaves the ground element's number.
    world.library.SetOldNumbers({8013});
    EXPECT_FALSE(Read(old, "/p/old.sch"));
    EXPECT_EQ(world.prompts.LastMessage(), "Unable to open /p/old.sch\nNone compatable file.");
}

TEST_F(SchematicFile, OldSheetWithoutPortsIsNotASubcircuit) {
    // Marker, version word, header block (byte 2: not version 1.0), symbol box, port count.
    std::vector<uint8_t> old = {'S', 'C', 'H', ' ', 'F', 'I', 'L', 'E', 0, 0x14, 0x00};
    old.resize(9 + 2 + 128, 0);
    old[9 + 2 + 2] = 2;
    for (int16_t v : {-25, -35, 25, 35, 0})
        for (int shift : {0, 8})
            old.push_back(static_cast<uint8_t>(static_cast<uint16_t>(v) >> shift));
    const auto header = [&](const std::vector<uint8_t>& bytes) {
        CMemoryStream file(bytes);
        return ReadSubcircuitHeader(file, "/p/old.sch", world.prompts);
    };
    EXPECT_FALSE(header(old));
    EXPECT_EQ(world.prompts.LastMessage(), "/p/old.sch\nis Not a subcircuit.\n");
    EXPECT_EQ(world.prompts.shown.back().icon, MessageIcon::Stop);

    old.back() = 0;
    old[old.size() - 2] = 3;  // three ports: a subcircuit, but one that cannot be converted
    EXPECT_FALSE(header(old));
    EXPECT_EQ(world.prompts.LastMessage(), "Unable to open /p/old.sch\nNone compatable file.");
    old.resize(old.size() - 1);  // the port count cut off
    EXPECT_FALSE(header(old));
    EXPECT_EQ(world.prompts.LastMessage(), "Unable to open /p/old.sch\nNone compatable file.");
    old[9 + 2 + 2] = 1;
    EXPECT_FALSE(header(old));
    EXPECT_EQ(world.prompts.LastMessage(),
              "Unable to open /p/old.sch\nThis file was written by Kestro version 1.0");
}

TEST_F(SchematicFile, SubcircuitHeaderGivesVersionPortsAndBox) {
    sheet->SetSymbolBox({0, 0, 40, 20});
    CMemoryStream file(SchematicBytes(*sheet));
    const auto header = ReadSubcircuitHeader(file, "/p/s.sch", world.prompts);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->versionMajor, 3);
    EXPECT_EQ(header->versionMinor, 30);
    EXPECT_EQ(header->portCount, 8u);
    EXPECT_EQ(header->symbolBox, (CRectF{-20, -10, 20, 10}));

    CMemoryStream empty;
    ASSERT_TRUE(ReadSubcircuitHeader(empty, "/p/e.sch", world.prompts));
    EXPECT_EQ(ReadSubcircuitHeader(empty, "/p/e.sch", world.prompts)->portCount, 20u);
    CMemoryStream other(std::vector<uint8_t>{1, 2, 3, 4, 5});
    EXPECT_FALSE(ReadSubcircuitHeader(other, "/p/o.sch", world.prompts));
    EXPECT_EQ(world.prompts.LastMessage(), "Invalid file. File name : /p/o.sch");
}

}  // namespace
}  // namespace kestro
