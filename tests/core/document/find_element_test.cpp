#include <gtest/gtest.h>

#include "core/document/find_element.h"
#include "core/objects/sim_part.h"
#include "core/objects/wire.h"
#include "tests/core/support/circuit_support.h"

namespace kestro {
namespace {

using test::CSheetWorld;
using test::kCapacitor;
using test::kResistor;

TEST(FindPattern, WildCardsFollowTheFindRules) {
    EXPECT_TRUE(MatchNamePattern("R12", ""));
    EXPECT_TRUE(MatchNamePattern("R12", "R*"));
    EXPECT_FALSE(MatchNamePattern("C12", "R*"));
    EXPECT_TRUE(MatchNamePattern("R1", "r?")) << "pattern letters are upper-cased";
    EXPECT_TRUE(MatchNamePattern("R1", "R!"));
    EXPECT_FALSE(MatchNamePattern("R12", "R?"));
    EXPECT_FALSE(MatchNamePattern("R", "R?"));
    EXPECT_TRUE(MatchNamePattern("R1", "*1"));
    EXPECT_TRUE(MatchNamePattern("C21", "*1"));
    // "*" stops at the first occurrence; the rest must then match from there.
    EXPECT_FALSE(MatchNamePattern("R11", "*1"));
    EXPECT_TRUE(MatchNamePattern("MOS1", "M*S1"));
    EXPECT_FALSE(MatchNamePattern("R1X", "R1"));
    EXPECT_FALSE(MatchNamePattern("R", "R1"));
}

class Find : public ::testing::Test {
protected:
    CSheetWorld world;
    std::shared_ptr<CCircuit> sheet = world.NewSheet();
};

TEST_F(Find, SearchesCircularlyByKindElementAndName) {
    CSimPart* r1 = sheet->PlaceElement(kResistor, {100, 100}, 0);
    sheet->PlaceElement(kCapacitor, {200, 100}, 0);
    CSimPart* r2 = sheet->PlaceElement(kResistor, {300, 100}, 0);
    const CFindRequest resistors{CPart::kTagSimPart, kResistor, "r*"};
    EXPECT_EQ(FindNextElement(*sheet, resistors, nullptr), r1);
    EXPECT_EQ(FindNextElement(*sheet, resistors, r1), r2);
    EXPECT_EQ(FindNextElement(*sheet, resistors, r2), r1) << "wraps to the start";
    const CFindRequest second{CPart::kTagSimPart, -1, "R2"};
    EXPECT_EQ(FindNextElement(*sheet, second, r2), r2) << "a single match is found again";
    EXPECT_EQ(FindNextElement(*sheet, {CPart::kTagSimPart, -1, "X*"}, nullptr), nullptr);
    EXPECT_EQ(FindNextElement(*sheet, {CPart::kTagWire, -1, ""}, nullptr), nullptr);
    CPart* wire = sheet->AddObject(CWire::Create(sheet->GetEnvironment(), {0, 0}, {10, 0}));
    EXPECT_EQ(FindNextElement(*sheet, {CPart::kTagWire, -1, "ANY"}, nullptr), wire)
        << "an object without a name passes the pattern";
}

}  // namespace
}  // namespace kestro
