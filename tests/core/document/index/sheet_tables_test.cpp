// The tables behind large sheets: block pools, the name index, node reuse.
#include <gtest/gtest.h>

#include <list>
#include <memory>

#include "core/document/index/name_index.h"
#include "core/objects/sim_node.h"
#include "core/objects/sim_part.h"
#include "core/platform/block_pool.h"
#include "tests/core/support/circuit_support.h"

namespace kestro {
namespace {

TEST(BlockPool, RecordsMadeInTurnLieSideBySideAndFreedOnesAreReused) {
    CBlockPool pool;
    using CList = std::list<int, CBlockAllocator<int>>;
    CList list{CBlockAllocator<int>(pool)};
    for (int i = 0; i < 3000; ++i)  // more than one block
        list.push_back(i);
    const auto first = reinterpret_cast<const char*>(&*list.begin());
    const auto second = reinterpret_cast<const char*>(&*std::next(list.begin()));
    const ptrdiff_t step = second - first;
    EXPECT_GT(step, 0);
    EXPECT_LE(step, 32) << "no heap header between list links";
    const int* freed = &*std::next(list.begin(), 10);
    list.erase(std::next(list.begin(), 10));
    list.push_back(3000);
    EXPECT_EQ(&list.back(), freed);
    int expected = 0;
    for (int value : list) {
        if (expected == 10) ++expected;
        EXPECT_EQ(value, expected++);
    }
    // A request of another size is served by the heap and given back to it.
    void* other = pool.Allocate(1000, alignof(std::max_align_t));
    pool.Free(other, 1000, alignof(std::max_align_t));
    list.clear();
    pool.Release();
}

TEST(CellHash, GetMakesMissingCellsWithTheGivenValueAndReserveKeepsEveryCell) {
    CCellHash<int> cells;
    cells.Reserve(1000);
    EXPECT_EQ(cells.Get(CellKey(3, 4), -1), -1);
    cells.Get(CellKey(3, 4), -1) = 7;
    EXPECT_EQ(cells.Get(CellKey(3, 4), -1), 7);
    // A dense block of cells and a coarse grid of them, as sheets make.
    for (int x = -40; x < 40; ++x)
        for (int y = -40; y < 40; y += (x % 3 == 0 ? 1 : 4))
            cells.Get(CellKey(x, y)) = x * 1000 + y;
    for (int x = -40; x < 40; ++x)
        for (int y = -40; y < 40; y += (x % 3 == 0 ? 1 : 4)) {
            const int* value = cells.Find(CellKey(x, y));
            ASSERT_NE(value, nullptr) << x << "," << y;
            EXPECT_EQ(*value, x * 1000 + y);
        }
    EXPECT_EQ(cells.Find(CellKey(1000, 1000)), nullptr);
}

class SheetTables : public ::testing::Test {
protected:
    CSimPart* Resistor(CPointF at, const std::string& name = {}) {
        CSimPart* element = sheet->PlaceElement(test::kResistor, at, 0);
        if (!name.empty()) element->SetInstanceName(name);
        return element;
    }

    test::CSheetWorld world;
    std::shared_ptr<CCircuit> sheet = world.NewSheet();
};

TEST_F(SheetTables, NamesAreFoundWithoutRegardToCaseFirstInListOrder) {
    EXPECT_EQ(CNameIndex::HashOf("vout1"), CNameIndex::HashOf("VOUT1"));
    // Elements added before any look-up (as a file is read) are indexed on the first one.
    CSimPart* a = Resistor({0, 0}, "Q1");
    CSimPart* b = Resistor({0, 100}, "q1");
    CSimPart* c = Resistor({0, 200}, "Q1");
    EXPECT_EQ(sheet->FindElementByName("Q1"), a);
    // Removing from the head, the middle and the end of a chain of equal names.
    auto removedA = sheet->RemoveObject(*a);
    EXPECT_EQ(sheet->FindElementByName("q1"), b);
    CSimPart* d = Resistor({0, 300}, "Q1");
    auto removedC = sheet->RemoveObject(*c);
    EXPECT_EQ(sheet->FindElementByName("Q1"), b);
    auto removedB = sheet->RemoveObject(*b);
    EXPECT_EQ(sheet->FindElementByName("Q1"), d);
    // Renaming moves an element to its new name.
    d->SetInstanceName("Q9");
    EXPECT_EQ(sheet->FindElementByName("Q1"), nullptr);
    EXPECT_EQ(sheet->FindElementByName("q9"), d);
    sheet->RemoveObject(*d);
    EXPECT_EQ(sheet->FindElementByName("Q9"), nullptr);
    // An element put back is found again.
    CSimPart* back = static_cast<CSimPart*>(sheet->AddObject(std::move(removedC), false));
    EXPECT_EQ(sheet->FindElementByName("Q1"), back);
}

TEST_F(SheetTables, NodesFreedByTheCleanUpAreReusedAndReconnectingKeepsTheNodes) {
    CSimPart* r = Resistor({0, 0});
    Resistor({100, 0});
    ASSERT_EQ(sheet->GetNodes().size(), 4u);
    sheet->RemoveObject(*r);
    sheet->NodeCleanup();
    ASSERT_EQ(sheet->GetNodes().size(), 2u);
    Resistor({0, 50});
    EXPECT_EQ(sheet->GetNodes().size(), 4u);
    std::vector<CPointF> before;
    for (const CSimNode* node : sheet->GetNodes())
        before.push_back(node->GetPosition());
    sheet->ReconnectAll();
    ASSERT_EQ(sheet->GetNodes().size(), before.size());
    for (const CSimNode* node : sheet->GetNodes()) {
        EXPECT_FALSE(node->IsEmpty());
        for (const CPart* part : node->GetObjects())
            EXPECT_TRUE(part->IsConnectedTo(node));
    }
}

}  // namespace
}  // namespace kestro
