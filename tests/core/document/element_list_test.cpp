#include <gtest/gtest.h>

#include "core/document/element_list.h"
#include "core/objects/sim_part.h"
#include "core/objects/sim_term.h"
#include "core/platform/file_stream.h"
#include "tests/core/support/circuit_support.h"
#include "tests/core/support/temp_folder.h"

namespace kestro {
namespace {

using test::kCapacitor;
using test::kGround;
using test::kResistor;

class ElementList : public ::testing::Test, protected test::CSheetWorld {
protected:
    std::shared_ptr<CCircuit> sheet = NewSheet("/p/list.sch");
};

TEST_F(ElementList, ShownElementsInSheetOrderWithNetlistNameNameAndValue) {
    sheet->PlaceElement(kCapacitor, {0, 0}, 0);
    sheet->PlaceElement(kGround, {100, 0}, 0);  // not shown in dialogs
    sheet->AddObject(CSimTerm::Create(context.parts, 0, {200, 0}, 0));
    sheet->PlaceElement(kResistor, {300, 0}, 0);
    const auto rows = ElementListRows(*sheet);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].netlistName, "C");
    EXPECT_EQ(rows[0].name, "C1");
    EXPECT_EQ(rows[1].netlistName, "N");
    EXPECT_EQ(rows[1].name, "R1");
    EXPECT_EQ(rows[0].value, "1E-006 F");
    EXPECT_EQ(rows[1].value, "1000 Ohm");
    EXPECT_EQ(ElementListText(rows), "C\tC1\t1E-006 F\t\nN\tR1\t1000 Ohm\t\n");
}

TEST_F(ElementList, EmptySheetGivesNoRowsAndNoText) {
    EXPECT_TRUE(ElementListRows(*sheet).empty());
    EXPECT_EQ(ElementListText({}), "");
}

TEST_F(ElementList, SavedFileIsTheTextAndReplacesAnOldOne) {
    CTempFolder folder;
    const std::string path = folder.Path("parts.lst");
    ASSERT_EQ(SaveElementList(path, "old file, longer than the new one\n"), "");
    EXPECT_EQ(SaveElementList(path, "N\tR1\t1k\t\n"), "");
    EXPECT_EQ(ReadWholeFile(path), "N\tR1\t1k\t\n");
}

TEST_F(ElementList, FileThatCannotBeMadeGivesTheSystemsReason) {
    CTempFolder folder;
    const std::string message = SaveElementList(folder.Path("missing/parts.lst"), "x\t\n");
    EXPECT_NE(message, "");
    EXPECT_NE(message, kListWriteFailed);
    EXPECT_FALSE(FileExists(folder.Path("missing/parts.lst")));
}

}  // namespace
}  // namespace kestro
