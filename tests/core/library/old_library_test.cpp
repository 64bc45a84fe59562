// Reading the previous version's library files and transferring them into a new library.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/library/library_data.h"
#include "core/library/old_element.h"
#include "core/library/old_library_transfer.h"
#include "core/library/sh_arc.h"
#include "core/library/sh_ellipse.h"
#include "core/library/sh_line.h"
#include "core/library/sh_rrect.h"
#include "core/platform/byte_stream.h"
#include "core/platform/scripted_prompts.h"
#include "tests/core/support/old_library_writer.h"
#include "tests/core/support/temp_folder.h"

namespace kestro {
namespace {

using namespace test;

const char kFileError[] = "File error. (Old Version)";

// --- Reading the record tables ----------------------------------------------------------

TEST(OldLibraryReader, RecordFieldsReadBackAsWritten) {
    COldRecord r = OldElement(std::string(64, 'N'), 5123, 7);
    r.instanceName = "X1";
    r.drawing = Drawing({RectCommand(-8, -8, 8, 8)});
    r.ports = {{-20, 0}, {20, 5}, {0, -30}};
    r.box = {-21, -11, 19, 9};
    r.attributes.push_back(OldAttribute(std::string(31, 'a'), COldAttribute::kBoolean, 0.5f,
                                        std::string(26, 'u'), "", 0));
    r.attributes.push_back(
        OldAttribute("Model", COldAttribute::kString, 0, "", std::string(160, 't'), -1));
    CMemoryStream file(OldLibraryBytes({OldElement("A", 5000), r}));
    const std::vector<COldRecord> records = ReadOldLibrary(file);
    ASSERT_EQ(records.size(), 2u);
    const COldRecord& got = records[1];
    EXPECT_EQ(got.netlistName, r.netlistName);  // a full field has no zero byte
    EXPECT_EQ(got.instanceName, "X1");
    EXPECT_EQ(got.menuGroup, 7);
    EXPECT_EQ(got.oldNumber, 5123);
    EXPECT_EQ(got.drawing, r.drawing);
    EXPECT_EQ(got.ports, r.ports);
    EXPECT_EQ(got.box, r.box);
    ASSERT_EQ(got.attributes.size(), 3u);
    const COldAttribute& flag = got.attributes[1];
    EXPECT_EQ(flag.name, std::string(31, 'a'));
    EXPECT_EQ(flag.type, COldAttribute::kBoolean);
    EXPECT_EQ(flag.unit, std::string(26, 'u'));
    EXPECT_EQ(flag.value, 0.5f);
    EXPECT_EQ(flag.shown, 0);
    EXPECT_EQ(got.attributes[2].text, std::string(160, 't'));
    EXPECT_EQ(got.attributes[2].shown, -1);
}

TEST(OldLibraryReader, AttributeKeysFollowTheOldHash) {
    // h = (h + c) x 7 over the name's signed bytes; key = h x 10 + type.
    EXPECT_EQ(OldAttributeKey("R", 0), 5740);             // 82 x 7 = 574
    EXPECT_EQ(OldAttributeKey("ab", 2), 54392);           // (97 x 7 + 98) x 7 = 5439
    EXPECT_EQ(OldAttributeKey("\xE9", 1), -1609);         // the byte is -23: -161 x 10 + 1
    EXPECT_EQ(OldAttributeKey("x", 0xFF), 840 * 10 - 1);  // the type byte is signed too
    EXPECT_EQ(OldAttributeKey(std::string(40, 'z'), 0), OldAttributeKey(std::string(31, 'z'), 0));
    // A long name wraps in 32 bits instead of overflowing.
    EXPECT_NE(OldAttributeKey(std::string(31, '~'), 0), 0);

    COldRecord r = OldElement("R", 5001);
    r.attributes.push_back(OldAttribute("Vpeak", 0, 1));
    CMemoryStream file(OldRecordBytes(r));
    const COldRecord got = ReadOldRecord(file);
    EXPECT_EQ(got.attributes[0].key, OldAttributeKey("Name", COldAttribute::kString));
    EXPECT_EQ(got.attributes[1].key, OldAttributeKey("Vpeak", 0));
}

// Every prefix of a file is short somewhere: each must give the old-version file error.
template <typename Read>
void ExpectEveryTruncationFails(const Bytes& bytes, Read read) {
    for (size_t size = 0; size < bytes.size(); ++size) {
        CMemoryStream file(bytes.data(), size);
        try {
            read(file);
            ADD_FAILURE() << "a file cut to " << size << " of " << bytes.size()
                          << " bytes was read";
            return;
        } catch (const COldLibraryError& e) {
            ASSERT_STREQ(e.what(), kFileError);
        }
    }
    CMemoryStream whole(bytes);
    EXPECT_NO_THROW(read(whole));
}

TEST(OldLibraryReader, EveryTruncationPointOfEachFileIsAFileError) {
    std::vector<COldRecord> records = DozenOldElements();
    records.resize(3);
    ExpectEveryTruncationFails(OldLibraryBytes(records), ReadOldLibrary);
    ExpectEveryTruncationFails(OldRecordBytes(DozenOldElements()[4]), ReadOldRecord);
    ExpectEveryTruncationFails(OldMenuBytes(DozenOldGroups()), ReadOldMenuGroups);
}

TEST(OldLibraryReader, WrongMarksNegativeCountsAndSharedRecordsAreFileErrors) {
    const Bytes record = OldRecordBytes(DozenOldElements()[0]);
    const auto fails = [](Bytes bytes, uint64_t offset, const std::string& problem) {
        CMemoryStream file(std::move(bytes));
        try {
            ReadOldRecord(file);
            ADD_FAILURE() << "read: " << problem;
        } catch (const COldLibraryError& e) {
            EXPECT_STREQ(e.what(), kFileError);
            EXPECT_EQ(e.Offset(), offset);
            EXPECT_EQ(e.Problem(), problem);
        }
    };
    Bytes noStart = record;
    noStart[0] = '*';
    fails(noStart, 0, "element record: start mark not '#'");
    Bytes noEnd = record;
    noEnd.back() = '#';
    fails(noEnd, record.size() - 1, "element record: end mark not '$'");
    Bytes negativeDrawing = record;
    negativeDrawing[140] = 0x80;
    fails(negativeDrawing, 139, "element record: drawing size negative");

    Bytes negativeCount = {0xFF, 0xFF, 0, 0, 0, 0};
    CMemoryStream library(negativeCount);
    EXPECT_THROW(ReadOldLibrary(library), COldLibraryError);
    CMemoryStream menu(Bytes{0x00, 0x80});
    EXPECT_THROW(ReadOldMenuGroups(menu), COldLibraryError);

    // Many index entries pointing at one record would read the same bytes without end.
    Bytes shared = OldLibraryBytes(std::vector<COldRecord>(40, DozenOldElements()[0]));
    for (size_t i = 1; i < 40; ++i)
        std::copy_n(shared.begin() + 6, 4, shared.begin() + long(6 + 6 * i));
    shared.resize(6 + 6 * 40 + record.size());  // one record for all forty entries
    CMemoryStream sharing(shared);
    try {
        ReadOldLibrary(sharing);
        ADD_FAILURE() << "records read over each other";
    } catch (const COldLibraryError& e) {
        EXPECT_EQ(e.Detail("L"),
                  "L: reading stopped at byte 246, element record 1 overlaps other records");
    }
}

TEST(OldLibraryReader, MenuGroupsReadInFileOrder) {
    CMemoryStream file(OldMenuBytes({{3, 0, "Switches"}, {1, 3, std::string(20, 'g')}}));
    const std::vector<COldMenuGroup> groups = ReadOldMenuGroups(file);
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].number, 3);
    EXPECT_EQ(groups[0].name, "Switches");
    EXPECT_EQ(groups[1].parent, 3);
    EXPECT_EQ(groups[1].name, std::string(20, 'g'));
}

// --- Converting elements ------------------------------------------------------------------

TEST(OldElementConversion, AttributesBecomeDefinitionsBehindTheName) {
    COldRecord r = OldElement("SW", 5021);
    r.instanceName = "S";
    r.attributes[0] = OldAttribute("ignored", COldAttribute::kFloat, 3);
    r.attributes.push_back(OldAttribute("R", COldAttribute::kFloat, 4.7f, "Ohm"));
    r.attributes.push_back(OldAttribute("On", COldAttribute::kBoolean, 0.5f, "", "", 0));
    r.attributes.push_back(OldAttribute("Off", COldAttribute::kBoolean, 0.0f));
    r.attributes.push_back(OldAttribute("Model", COldAttribute::kString, 9, "", "ideal sw"));
    r.attributes.push_back(OldAttribute("Odd", 7, 1e-6f));
    const auto e = ConvertOldElement(r, 4);
    EXPECT_EQ(e->GetIdentifier(), 4);
    EXPECT_EQ(e->GetFlags(), 0x30u);
    EXPECT_FALSE(e->IsGround());
    ASSERT_EQ(e->GetDefinitionCount(), 6u);
    const CNetLine& name = e->GetDefinition(0);
    EXPECT_EQ(name.GetName(), "Name");
    EXPECT_EQ(name.GetValue(), CGenType::MakeString("S"));
    EXPECT_EQ(name.GetFlags(), 0x100u);
    EXPECT_EQ(name.GetId(), 0x680DD044u);
    EXPECT_EQ(e->GetDefinition(1).GetValue(), CGenType::MakeFloat(4.7));  // not 4.699999809
    EXPECT_EQ(e->GetDefinition(1).GetUnit(), "Ohm");
    EXPECT_EQ(e->GetDefinition(1).GetFlags(), 0u);
    EXPECT_EQ(e->GetDefinition(1).GetId(), 0x00011011u);
    EXPECT_EQ(e->GetDefinition(2).GetValue(), CGenType::MakeBoolean(true));
    EXPECT_EQ(e->GetDefinition(2).GetFlags(), CNetLine::kHidden);
    EXPECT_EQ(e->GetDefinition(3).GetValue(), CGenType::MakeBoolean(false));
    EXPECT_EQ(e->GetDefinition(4).GetValue(), CGenType::MakeString("ideal sw"));
    EXPECT_EQ(e->GetDefinition(5).GetValue(), CGenType::MakeFloat(1e-6));
    for (size_t i = 0; i < e->GetDefinitionCount(); ++i)
        EXPECT_EQ(e->GetDefinition(i).GetId(),
                  CNetLine::ComputeId(e->GetDefinition(i).GetName(),
                                      e->GetDefinition(i).GetValue().GetType()));
}

TEST(OldElementConversion, ElementWithoutAttributesIsAGround) {
    const auto e = ConvertOldElement(OldGround(), 0);
    EXPECT_EQ(e->GetFlags(), CLibElement::kGround);
    EXPECT_EQ(e->GetDescription(), "Ground");
    ASSERT_EQ(e->GetDefinitionCount(), 1u);
    EXPECT_EQ(e->GetDefinition(0).GetValue(), CGenType::MakeString("Ground"));
    EXPECT_EQ(e->GetDefinition(0).GetFlags(), 0x100u);
}

TEST(OldElementConversion, BoxIsCentredAndPortsKeptAsStored) {
    COldRecord r = OldElement("T", 1);
    r.box = {0, 10, 41, 30};
    r.ports = {{3, -4}};
    const auto e = ConvertOldElement(r, 1);
    EXPECT_EQ(e->GetRect(), (CRectF{-20.5f, -10, 20.5f, 10}));
    EXPECT_EQ(e->GetOutputPoints(), (std::vector<CPointF>{{3, -4}}));
}

TEST(OldElementConversion, DrawingCommandsBecomeShapesInEighths) {
    CShapeList shapes;
    const Bytes drawing = Drawing({ArcCommand(6, -8, -16, 8, 16), EllipseCommand(-4, -4, 4, 4),
                                   LineCommand(-160, 0, -80, 8), RectCommand(16, -8, -16, 8)});
    EXPECT_FALSE(ConvertOldDrawing(drawing, shapes).has_value());
    ASSERT_EQ(shapes.size(), 4u);
    ASSERT_EQ(shapes[0]->GetTypeCode(), CShape::kArc);
    EXPECT_EQ(shapes[0]->GetRect(), (CRectF{-1, -2, 1, 2}));
    EXPECT_EQ(static_cast<CSHArc&>(*shapes[0]).GetOrientation(), 2);  // 6 modulo 4
    EXPECT_EQ(shapes[1]->GetTypeCode(), CShape::kEllipse);
    EXPECT_EQ(shapes[1]->GetRect(), (CRectF{-0.5f, -0.5f, 0.5f, 0.5f}));
    ASSERT_EQ(shapes[2]->GetTypeCode(), CShape::kLine);
    EXPECT_EQ(static_cast<CSHLine&>(*shapes[2]).GetFrom(), (CPointF{-20, 0}));
    EXPECT_EQ(static_cast<CSHLine&>(*shapes[2]).GetTo(), (CPointF{-10, 1}));
    EXPECT_EQ(shapes[3]->GetTypeCode(), CShape::kRect);
    EXPECT_EQ(shapes[3]->GetRect(), (CRectF{2, -1, -2, 1}));  // as stored, unnormalised
}

TEST(OldElementConversion, UnknownOrCutCommandStopsTheDrawing) {
    CShapeList shapes;
    const Bytes polygon =
        Drawing({RectCommand(0, 0, 8, 8), {'P', 3, 0, 0, 0}, RectCommand(1, 1, 2, 2)});
    EXPECT_EQ(ConvertOldDrawing(polygon, shapes), uint8_t('P'));
    EXPECT_EQ(shapes.size(), 1u);

    shapes.clear();
    Bytes cut = Drawing({EllipseCommand(0, 0, 8, 8), LineCommand(0, 0, 8, 8)});
    cut.pop_back();
    EXPECT_EQ(ConvertOldDrawing(cut, shapes), uint8_t('M'));
    EXPECT_EQ(shapes.size(), 1u);
    EXPECT_EQ(ConvertOldDrawing({'m'}, shapes), uint8_t('m'));  // letters are capitals
}

// --- The whole transfer ---------------------------------------------------------------------

class OldLibraryTransfer : public ::testing::Test {
protected:
    std::string Folder() const { return m_folder.Root() + "/"; }
    std::string OldPath() const { return Folder() + kOldLibraryFileName; }
    std::string NewPath() const { return m_folder.Path("NEW.LIB"); }

    // Transfers the files of the folder into m_library; the result of the transfer.
    TransferResult Transfer() {
        return TransferOldLibrary(OldPath(), NewPath(), m_library, m_prompts, &m_note);
    }

    std::vector<CMenuItem> Menu() { return m_library.GetMenus().GetItems(); }

    CTempFolder m_folder;
    CScriptedPrompts m_prompts;
    CLibraryData m_library{m_prompts};
    COldTransferNote m_note;
};

TEST_F(OldLibraryTransfer, NRecordsGiveNPlusOneElementsWithTheGroundFirst) {
    WriteOldLibrary(Folder(), DozenOldElements(), OldGround(), DozenOldGroups());
    ASSERT_EQ(Transfer(), TransferResult::Saved) << m_prompts.LastMessage();
    EXPECT_TRUE(m_prompts.shown.empty()) << m_prompts.LastMessage();
    EXPECT_FALSE(m_library.IsModified());

    // What was saved reads back the same.
    CLibraryData saved(m_prompts);
    ASSERT_TRUE(saved.Open(NewPath(), true));
    ASSERT_EQ(saved.GetElementCount(), 13u);
    EXPECT_EQ(saved.GetElement(0)->GetName(), "Ground");
    EXPECT_TRUE(saved.GetElement(0)->IsGround());
    EXPECT_EQ(saved.GetElement(0)->GetOutputPoints(), (std::vector<CPointF>{{0, -10}}));
    EXPECT_EQ(saved.GetElement(0)->GetShapes().size(), 4u);
    const std::vector<COldRecord> old = DozenOldElements();
    for (uint32_t id = 1; id < 13; ++id)
        EXPECT_EQ(saved.GetElement(id)->GetName(), old[id - 1].netlistName);
    EXPECT_EQ(saved.GetOldNumbers(),
              (std::vector<uint16_t>{8013, 5001, 5002, 5003, 5010, 5011, 5020, 5021, 5030, 5031,
                                     5040, 5050, 5051}));
    EXPECT_EQ(saved.FindElementByOldNumber(5031), 9);
    EXPECT_EQ(saved.GetMenus().GetBytes(), m_library.GetMenus().GetBytes());

    // Only the note element's text command is beyond the converted four.
    EXPECT_EQ(m_note.stoppedDrawings, (std::vector<std::pair<uint16_t, uint8_t>>{{12, 'T'}}));
    EXPECT_EQ(m_note.DrawingSummary(),
              "The drawings of 1 element stop at commands that are not converted: T (1).");
}

TEST_F(OldLibraryTransfer, GroupsNestUnderTheirParentsAndElementsFollowThem) {
    std::vector<COldRecord> records = DozenOldElements();
    records.resize(4);                                // R, L (group 1), C (group 1), VDC (group 2)
    records[2].menuGroup = 3;                         // nested in group 1
    records.push_back(OldElement("LOST", 6000, 99));  // a group that does not exist
    WriteOldLibrary(Folder(), records, OldGround(),
                    std::vector<COldMenuGroup>{{1, 0, "Passive"},
                                               {2, 0, "Sources"},
                                               {3, 1, "Caps"},
                                               {5, 0, "Empty"},
                                               {6, 42, "Orphan"}});
    ASSERT_EQ(Transfer(), TransferResult::Saved);
    using I = CMenuItem;
    EXPECT_EQ(Menu(),
              (std::vector<I>{I::Popup("Passive", {I::Popup("Caps", {I::Element(3, "C")}),
                                                   I::Element(1, "R"), I::Element(2, "L")}),
                              I::Popup("Sources", {I::Element(4, "VDC")}), I::Separator(),
                              I::Separator(), I::Element(0, "Ground"), I::Element(5, "LOST")}));
}

// Whether the tree holds an entry for element `code` anywhere.
bool Holds(const std::vector<CMenuItem>& items, int16_t code) {
    for (const CMenuItem& item : items)
        if ((item.kind == CMenuItem::Kind::Element && item.code == code) ||
            Holds(item.children, code))
            return true;
    return false;
}

TEST_F(OldLibraryTransfer, GroupsNestedDeeperThanAMenuCanHoldStartAgainAtTheTopLevel) {
    std::vector<COldMenuGroup> chain;
    for (int16_t g = 1; g <= 40; ++g)
        chain.push_back({g, int16_t(g - 1), "G" + std::to_string(g)});
    WriteOldLibrary(Folder(), {OldElement("DEEP", 5001, 40)}, OldGround(), chain);
    ASSERT_EQ(Transfer(), TransferResult::Saved);
    const std::vector<CMenuItem> items = Menu();  // read back from the stored stream
    EXPECT_TRUE(Holds(items, 1));
    EXPECT_EQ(items[1].label, "G33");  // the 33rd group starts again at the top level
}

TEST_F(OldLibraryTransfer, WithoutTheMenuFileEveryElementIsAtTheTopLevel) {
    std::vector<COldRecord> records = DozenOldElements();
    records.resize(3);
    WriteOldLibrary(Folder(), records, OldGround(), std::nullopt);
    ASSERT_EQ(Transfer(), TransferResult::Saved);
    ASSERT_EQ(m_prompts.shown.size(), 1u);
    EXPECT_NE(m_prompts.LastMessage().find(kOldMenuFileName), std::string::npos);
    EXPECT_EQ(m_prompts.shown[0].icon, MessageIcon::Stop);
    EXPECT_EQ(Menu(), FlatMenuTree({"Ground", "R", "L", "C"}));
}

TEST_F(OldLibraryTransfer, WithoutTheGroundFileElementZeroIsEmpty) {
    WriteOldLibrary(Folder(), {OldElement("R", 5001)}, std::nullopt, DozenOldGroups());
    ASSERT_EQ(Transfer(), TransferResult::Saved);
    ASSERT_EQ(m_prompts.Messages().size(), 1u);
    EXPECT_NE(m_prompts.LastMessage().find(kOldGroundFileName), std::string::npos);
    ASSERT_EQ(m_library.GetElementCount(), 2u);
    const CLibElement& zero = *m_library.GetElement(0);
    EXPECT_TRUE(zero.GetName().empty());
    EXPECT_EQ(zero.GetDefinitionCount(), 0u);
    EXPECT_EQ(zero.GetShapes().size(), 0u);
    EXPECT_EQ(m_library.GetOldNumbers(), (std::vector<uint16_t>{8013, 5001}));
}

TEST_F(OldLibraryTransfer, ShortGroundAndMenuFilesAreReportedAndLeftOut) {
    WriteOldLibrary(Folder(), {OldElement("R", 5001, 1)}, OldGround(), DozenOldGroups());
    std::filesystem::resize_file(Folder() + kOldGroundFileName, 100);
    std::filesystem::resize_file(Folder() + kOldMenuFileName, 30);
    ASSERT_EQ(Transfer(), TransferResult::Saved);
    EXPECT_EQ(m_prompts.Messages(), (std::vector<std::string>{kFileError, kFileError}));
    EXPECT_TRUE(m_library.GetElement(0)->GetName().empty());
    EXPECT_EQ(Menu(), FlatMenuTree({"", "R"}));
    ASSERT_EQ(m_prompts.details.size(), 2u);
    EXPECT_EQ(m_prompts.details[0],
              Folder() + "ELEMENTS.GND: reading stopped at byte 0, element record: header cut off");
    EXPECT_EQ(m_prompts.details[1],
              Folder() + "ELEMENTS.MNU: reading stopped at byte 2, group records cut off");
}

TEST_F(OldLibraryTransfer, ALibraryFileThatCannotBeUsedChangesNothing) {
    m_library.New(m_folder.Path("KESTRO.LIB"));
    m_library.AppendElement(CLibElement::MakeNew("KEEP"));
    ASSERT_TRUE(m_library.Save());

    EXPECT_EQ(Transfer(),
              TransferResult::OldLibraryUnreadable);  // no file at all: the system's reason
    ASSERT_EQ(m_prompts.Messages().size(), 1u);
    EXPECT_NE(m_prompts.LastMessage().find(OldPath()), std::string::npos);

    Bytes bytes = OldLibraryBytes(DozenOldElements());
    bytes.resize(bytes.size() - 1);  // the last end mark is missing
    WriteBytes(OldPath(), bytes);
    EXPECT_EQ(Transfer(), TransferResult::OldLibraryUnreadable);
    EXPECT_EQ(m_prompts.LastMessage(), kFileError);
    EXPECT_EQ(m_prompts.Messages().size(), 2u);  // the other two files are not looked at
    EXPECT_EQ(m_library.GetPath(), m_folder.Path("KESTRO.LIB"));
    EXPECT_EQ(m_library.GetElementCount(), 1u);
    EXPECT_FALSE(std::filesystem::exists(NewPath()));
}

TEST_F(OldLibraryTransfer, AFailedSaveIsShownAndTheNewLibraryStaysModified) {
    WriteOldLibrary(Folder(), {OldElement("R", 5001)}, OldGround(), DozenOldGroups());
    const std::string unwritable = m_folder.Path("missing/NEW.LIB");
    EXPECT_EQ(TransferOldLibrary(OldPath(), unwritable, m_library, m_prompts),
              TransferResult::SaveFailed);
    ASSERT_EQ(m_prompts.Messages().size(), 1u);
    EXPECT_NE(m_prompts.LastMessage().find("missing"), std::string::npos);
    EXPECT_TRUE(m_library.IsModified());
    EXPECT_EQ(m_library.GetElementCount(), 2u);
    EXPECT_EQ(m_library.GetPath(), unwritable);
}

TEST_F(OldLibraryTransfer, CompanionFilesAreFoundInAnyCase) {
    WriteBytes(OldPath(), OldLibraryBytes({OldElement("R", 5001, 1)}));
    WriteBytes(Folder() + "elements.gnd", OldRecordBytes(OldGround()));
    WriteBytes(Folder() + "Elements.Mnu", OldMenuBytes(DozenOldGroups()));
    ASSERT_EQ(Transfer(), TransferResult::Saved);
    EXPECT_TRUE(m_prompts.shown.empty()) << m_prompts.LastMessage();
    EXPECT_EQ(m_library.GetElement(0)->GetName(), "Ground");
    EXPECT_EQ(Menu()[0].label, "Passive");
}

TEST_F(OldLibraryTransfer, AnEmptyOldLibraryGivesTheGroundAndStillCountsAsTransferred) {
    WriteOldLibrary(Folder(), {}, OldGround(), std::nullopt);
    std::filesystem::remove(Folder() + kOldMenuFileName);
    ASSERT_EQ(Transfer(), TransferResult::Saved);
    EXPECT_EQ(m_library.GetElementCount(), 1u);
    EXPECT_EQ(m_library.GetOldNumbers(), (std::vector<uint16_t>{8013}));
    EXPECT_EQ(Menu(), FlatMenuTree({"Ground"}));
}

TEST_F(OldLibraryTransfer, RecordsBeyondTheLibrarysRoomAreLeftOutWithAMessage) {
    std::vector<COldRecord> records;
    for (int i = 0; i < 1010; ++i) {
        COldRecord r = OldElement("E" + std::to_string(i), int16_t(5000 + i));
        r.attributes.clear();
        records.push_back(std::move(r));
    }
    WriteOldLibrary(Folder(), records, OldGround(), std::vector<COldMenuGroup>{});
    ASSERT_EQ(Transfer(), TransferResult::Saved);
    EXPECT_EQ(m_library.GetElementCount(), 1004u);
    EXPECT_EQ(m_note.recordsLeftOut, 7u);
    EXPECT_EQ(m_library.GetOldNumbers().size(), 1004u);
    EXPECT_EQ(m_prompts.LastMessage(), "The library holds as many elements as it can (1004).");
}

TEST_F(OldLibraryTransfer, BuiltInSymbolsAreMadeAnew) {
    WriteOldLibrary(Folder(), {OldElement("R", 5001)}, OldGround(), DozenOldGroups());
    ASSERT_EQ(Transfer(), TransferResult::Saved);
    CLibraryData saved(m_prompts);
    ASSERT_TRUE(saved.Open(NewPath()));
    CLibElement& control = saved.GetControlElement();
    EXPECT_EQ(control.GetRect(), (CRectF{-20, -20, 20, 20}));
    ASSERT_EQ(control.GetShapes().size(), 6u);
    EXPECT_EQ(control.GetShapes()[0]->GetTypeCode(), CShape::kRect);
    std::vector<std::string> names;
    for (const auto& d : control.GetDefinitions()) {
        names.push_back(d->GetName());
        EXPECT_TRUE(d->GetUnit().empty());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Name", "Tstep", "Ttotal", "Tprint", "Iprint",
                                               "Iload", "Isave"}));
    EXPECT_EQ(control.GetDefinition(0).GetValue(), CGenType::MakeString(".TIME"));
    EXPECT_EQ(control.GetDefinition(1).GetValue(), CGenType::MakeFloat(1E-05));
    EXPECT_EQ(control.GetDefinition(4).GetValue(), CGenType::MakeInteger(1));
    EXPECT_EQ(control.GetDefinition(6).GetValue(), CGenType::MakeBoolean(false));
    // Port and label join the net at their connection point.
    for (CLibElement* tag : {&saved.GetPortElement(), &saved.GetLabelElement()}) {
        EXPECT_EQ(tag->GetRect(), (CRectF{-20, -10, 20, 10}));
        EXPECT_EQ(tag->GetOutputPoints(), (std::vector<CPointF>{{20, 0}}));
    }
    EXPECT_EQ(saved.GetPortElement().GetName(), "Port");
    EXPECT_EQ(saved.GetLabelElement().GetName(), "Label");
}

}  // namespace
}  // namespace kestro
