#include <gtest/gtest.h>

#include "core/hierarchy/sheet_navigation.h"
#include "core/objects/sub_cir_part.h"
#include "tests/core/support/circuit_support.h"

namespace kestro {
namespace {

// Two top sheets A and B both place the middle sheet M (twice on A); M places the leaf L;
// an unsaved sheet U stands alone.
class SheetNavigation : public ::testing::Test, protected test::CSheetWorld {
protected:
    SheetNavigation() {
        Place(*a, m);
        Place(*a, m);
        Place(*b, m);
        Place(*m, l);
    }

    void Place(CCircuit& on, const std::shared_ptr<CCircuit>& sheet) {
        ASSERT_TRUE(on.AddObject(CSubCirPart::Create(context.parts, sheet, {100, 100}, 0)));
    }

    std::shared_ptr<CCircuit> a = NewSheet("/p/a.sch");
    std::shared_ptr<CCircuit> b = NewSheet("/p/b.sch");
    std::shared_ptr<CCircuit> m = NewSheet("/p/m.sch");
    std::shared_ptr<CCircuit> l = NewSheet("/p/l.sch");
    std::shared_ptr<CCircuit> u = NewSheet();
};

TEST_F(SheetNavigation, ParentsAndTopsOfEachLevel) {
    EXPECT_EQ(ParentSheets(*l), std::vector<CCircuit*>{m.get()});
    EXPECT_EQ(ParentSheets(*m), (std::vector<CCircuit*>{a.get(), b.get()}));
    EXPECT_TRUE(ParentSheets(*a).empty());
    EXPECT_EQ(TopLevelSheets(*l), (std::vector<CCircuit*>{a.get(), b.get()}));
    EXPECT_EQ(TopLevelSheets(*a), std::vector<CCircuit*>{a.get()});
}

TEST_F(SheetNavigation, OneCandidateIsTakenWithoutAskingSeveralAreListedByPath) {
    EXPECT_EQ(ChooseSheet(ParentSheets(*l), kParentCircuitsTitle, prompts), m.get());
    EXPECT_TRUE(prompts.shown.empty());

    prompts.listChoices = {1};
    EXPECT_EQ(ChooseSheet(TopLevelSheets(*l), kTopPageTitle, prompts), b.get());
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].kind, "list");
    EXPECT_EQ(prompts.shown[0].text, "Top Page");
    EXPECT_EQ(prompts.listItems[0], (std::vector<std::string>{"/p/a.sch", "/p/b.sch"}));
}

TEST_F(SheetNavigation, CancelledOrEmptyChoiceGoesNowhere) {
    prompts.listChoices = {std::nullopt, 7};
    EXPECT_EQ(ChooseSheet(ParentSheets(*m), kParentCircuitsTitle, prompts), nullptr);
    EXPECT_EQ(ChooseSheet(ParentSheets(*m), kParentCircuitsTitle, prompts), nullptr);
    EXPECT_EQ(ChooseSheet({}, kParentCircuitsTitle, prompts), nullptr);
}

TEST_F(SheetNavigation, TreeHoldsTopSheetsWithTheirSubcircuitsOnce) {
    const auto tree = SubcircuitTree(documents.Documents());
    ASSERT_EQ(tree.size(), 3u);  // a, b and the stand-alone u; m and l have parents
    EXPECT_EQ(tree[0].sheet, a.get());
    EXPECT_EQ(tree[1].sheet, b.get());
    EXPECT_EQ(tree[2].sheet, u.get());
    for (const CSheetTreeNode& top : {tree[0], tree[1]}) {
        ASSERT_EQ(top.children.size(), 1u);  // m placed twice on a is listed once
        EXPECT_EQ(top.children[0].sheet, m.get());
        ASSERT_EQ(top.children[0].children.size(), 1u);
        EXPECT_EQ(top.children[0].children[0].sheet, l.get());
    }
    EXPECT_TRUE(tree[2].children.empty());
    EXPECT_EQ(SheetLabel(*u), u->GetTitle());
    EXPECT_EQ(SheetLabel(*a), "/p/a.sch");
}

TEST_F(SheetNavigation, RemovingTheLastInstanceMakesASheetTopLevel) {
    m->RemoveObject(*m->GetInstances().front());
    EXPECT_TRUE(ParentSheets(*l).empty());
    EXPECT_EQ(TopLevelSheets(*l), std::vector<CCircuit*>{l.get()});
    EXPECT_EQ(SubcircuitTree(documents.Documents()).size(), 4u);
}

}  // namespace
}  // namespace kestro
