#include <gtest/gtest.h>

#include "core/netlist/netlist_numbering.h"
#include "core/objects/sim_node.h"
#include "tests/core/support/netlist_support.h"

namespace kestro {
namespace {

using Lines = std::vector<std::string>;

class Netlist : public ::testing::Test, protected test::CNetlistBench {
protected:
    std::shared_ptr<CCircuit> top = world.NewSheet("/work/top.sch");
};

TEST_F(Netlist, AnEmptySheetWritesOnlyTheSimulationLine) {
    EXPECT_EQ(NetlistOf(*top), "'.TIME' 1E-005 0.01 0 1 0 0 0\r\n");
    EXPECT_EQ(NetlistOf(*top, true), "'.TIME' 1E-005 0.01 0 1 0 0 1\r\n");
}

TEST_F(Netlist, TheSimulationLinePrintsTimesWithSixDigitsAndCountsAsWholeNumbers) {
    auto& p = top->GetSimulationParameters();
    p[0] = CGenType::MakeString(".TRAN");
    p[1] = CGenType::MakeFloat(2.5e-7);
    p[2] = CGenType::MakeFloat(0.123456789);
    p[3] = CGenType::MakeFloat(1500000);
    p[4] = CGenType::MakeInteger(10);
    p[5] = CGenType::MakeBoolean(true);
    p[6] = CGenType::MakeInteger(-1);
    EXPECT_EQ(SimulationLine(*top, false), "'.TRAN' 2.5E-007 0.123457 1.5E+006 10 1 -1 0");
}

TEST_F(Netlist, ADanglingPinHasANetOfItsOwnAndGroundIsZero) {
    Resistor(*top, {100, 100});
    Resistor(*top, {100, 200});
    Ground(*top, {140, 200});
    EXPECT_EQ(LinesOf(NetlistOf(*top)),
              (Lines{"'.TIME' 1E-005 0.01 0 1 0 0 0", "'N' 'R1' 1 2 1000 ", "'N' 'R2' 3 0 1000 "}));
    EXPECT_EQ(top->GetNetlistLineCount(), 2) << "ground elements write no line";
}

TEST_F(Netlist, GroundReachesAcrossWiresAndLabels) {
    Resistor(*top, {100, 100});
    Wire(*top, {140, 100}, {200, 100});
    Label(*top, "RET", {200, 100});
    Label(*top, "ret", {500, 500});
    Ground(*top, {500, 500});
    Resistor(*top, {100, 300});
    EXPECT_EQ(LinesOf(NetlistOf(*top))[1], "'N' 'R1' 1 0 1000 ");
    EXPECT_EQ(LinesOf(NetlistOf(*top))[2], "'N' 'R2' 2 3 1000 ");
}

TEST_F(Netlist, TwoLabelsOfOneNameJoinTheirNets) {
    Resistor(*top, {100, 100});
    Label(*top, "OUT", {140, 100});
    Resistor(*top, {400, 300});
    Label(*top, "out", {400, 300});
    Resistor(*top, {100, 500});
    Label(*top, "OTHER", {100, 500});
    EXPECT_EQ(LinesOf(NetlistOf(*top)),
              (Lines{"'.TIME' 1E-005 0.01 0 1 0 0 0", "'N' 'R1' 1 2 1000 ", "'N' 'R2' 2 3 1000 ",
                     "'N' 'R3' 4 5 1000 "}));
}

TEST_F(Netlist, ANetAcrossAWireTJoinsAfterTheCleanUp) {
    Resistor(*top, {0, 0});
    Wire(*top, {40, 0}, {200, 0});
    Wire(*top, {100, 0}, {100, 100});  // ends on the middle of the first wire
    Resistor(*top, {100, 100});
    EXPECT_EQ(LinesOf(NetlistOf(*top))[2], "'N' 'R2' 2 3 1000 ");
}

TEST_F(Netlist, TheFirstInstanceGivesItsPrefixToTheElementsInside) {
    auto sub = SubSheet("/work/sub.sch");
    Port(*sub, 0, {0, 0});
    Resistor(*sub, {0, 0});
    Port(*sub, 1, {40, 0});
    Instance(*top, sub, {200, 200});
    EXPECT_EQ(LinesOf(NetlistOf(*top)),
              (Lines{"'.TIME' 1E-005 0.01 0 1 0 0 0", "'N' 'S1.R1' 1 2 1000 "}));
}

TEST_F(Netlist, PinsWithoutAPortInsideAreLeftOutAndTakeNoNumber) {
    auto sub = SubSheet("/work/sub.sch");
    Port(*sub, 3, {0, 0});
    CSubCirPart* instance = Instance(*top, sub, {200, 200});
    Resistor(*top, {500, 500});
    NetlistOf(*top);
    EXPECT_EQ(instance->GetNodeNumber(0), CSimNode::kLeftOut);
    EXPECT_EQ(instance->GetNodeNumber(3), 1);
    EXPECT_EQ(LinesOf(NetlistOf(*top))[1], "'N' 'R1' 2 3 1000 ");
    EXPECT_EQ(sub->GetPortNodeNumbers(), (std::vector<int32_t>{-2, -2, -2, 1, -2, -2, -2, -2}));
}

// top: R1 -> S1 and S2 (each sheet B: R1 between ports 0 and 1, instance of C inside);
// C: R1 between port 0 and an inner net.
TEST_F(Netlist, ASheetPlacedTwiceIsWrittenOncePerInstanceWithFreshInnerNets) {
    auto c = SubSheet("/work/c.sch");
    Port(*c, 0, {0, 0});
    Resistor(*c, {0, 0});
    auto b = SubSheet("/work/b.sch");
    Port(*b, 0, {0, 0});
    Resistor(*b, {0, 0});
    Port(*b, 1, {40, 0});
    // C's pin 0 sits at (190, 90): wire it to B's inner net at R1's right pin.
    Instance(*b, c, {200, 100});
    Wire(*b, {40, 0}, {190, 0});
    Wire(*b, {190, 0}, {190, 90});

    Resistor(*top, {0, 0});
    CSubCirPart* s1 = Instance(*top, b, {200, 200});
    CSubCirPart* s2 = Instance(*top, b, {400, 200});
    Wire(*top, {40, 0}, {190, 0});
    Wire(*top, {190, 0}, {190, 190});    // R1 right -> S1 pin 0
    Wire(*top, {200, 190}, {200, 150});  // S1 pin 1 -> S2 pin 0
    Wire(*top, {200, 150}, {390, 150});
    Wire(*top, {390, 150}, {390, 190});
    const Lines lines = LinesOf(NetlistOf(*top));
    EXPECT_EQ(lines, (Lines{"'.TIME' 1E-005 0.01 0 1 0 0 0", "'N' 'R1' 1 2 1000 ",
                            "'N' 'S1.R1' 2 3 1000 ", "'N' 'S1.1.R1' 3 5 1000 ",
                            "'N' 'S2.R1' 3 4 1000 ", "'N' 'S2.1.R1' 4 6 1000 "}));
    EXPECT_EQ(s1->GetFirstLine(), 1);
    EXPECT_EQ(s1->GetEndLine(), 2);
    EXPECT_EQ(s2->GetFirstLine(), 3);
    EXPECT_EQ(s2->GetEndLine(), 4);
    EXPECT_EQ(top->GetNetlistLineCount(), 1);
}

TEST_F(Netlist, PortsJoinedInsideJoinTheNetsOutside) {
    auto through = SubSheet("/work/through.sch");
    Port(*through, 0, {0, 0});
    Port(*through, 3, {0, 100});
    Wire(*through, {0, 0}, {0, 100});
    // Pin 7 (left) at (180, 200), pin 3 (right) at (220, 200).
    Instance(*top, through, {200, 200});
    Resistor(*top, {140, 200});
    Resistor(*top, {220, 200});
    EXPECT_EQ(LinesOf(NetlistOf(*top)),
              (Lines{"'.TIME' 1E-005 0.01 0 1 0 0 0", "'N' 'R1' 3 2 1000 ", "'N' 'R2' 1 4 1000 "}))
        << "port 7 is missing: only pins 0 and 3 are joined";
    Port(*through, 7, {0, 50});
    EXPECT_EQ(LinesOf(NetlistOf(*top)),
              (Lines{"'.TIME' 1E-005 0.01 0 1 0 0 0", "'N' 'R1' 2 1 1000 ", "'N' 'R2' 1 3 1000 "}));
}

TEST_F(Netlist, AGroundedPortMakesTheOuterNetGround) {
    auto grounded = SubSheet("/work/grounded.sch");
    Port(*grounded, 3, {0, 0});
    Ground(*grounded, {0, 0});
    Instance(*top, grounded, {200, 200});
    Resistor(*top, {220, 200});
    Resistor(*top, {260, 200});
    EXPECT_EQ(LinesOf(NetlistOf(*top))[1], "'N' 'R1' 0 1 1000 ");
    EXPECT_EQ(LinesOf(NetlistOf(*top))[2], "'N' 'R2' 1 2 1000 ");
}

TEST_F(Netlist, NumberingTheSameSheetAgainWaitsForTheFlagToBeCleared) {
    auto sub = SubSheet("/work/sub.sch");
    Port(*sub, 0, {0, 0});
    Instance(*top, sub, {200, 200});
    NumberNodes(*top);
    EXPECT_TRUE(top->GetFlags() & CCircuit::kFlagNodesNumbered);
    EXPECT_TRUE(sub->GetFlags() & CCircuit::kFlagNodesNumbered) << "sheets below come first";
    Resistor(*top, {500, 500});
    NumberNodes(*top);
    EXPECT_EQ(top->GetNodes().back()->GetNumber(), CSimNode::kNotNumbered);
    ClearNumberedFlags(*top);
    EXPECT_FALSE(sub->GetFlags() & CCircuit::kFlagNodesNumbered);
    NumberNodes(*top);
    EXPECT_EQ(top->GetNodes().back()->GetNumber(), 3);
}

TEST_F(Netlist, EveryLineEndsInCarriageReturnAndLineFeed) {
    CSimPart* r = Resistor(*top, {0, 0});
    r->SetInstanceName("two\nlines");
    const std::string text = NetlistOf(*top);
    EXPECT_EQ(text, "'.TIME' 1E-005 0.01 0 1 0 0 0\r\n'N' 'two\r\nlines' 1 2 1000 \r\n");
}

TEST_F(Netlist, NodesLeftEmptyByTheCleanUpTakeNoNumber) {
    Wire(*top, {0, 0}, {50, 0});
    Wire(*top, {50, 0}, {100, 0});  // merged with the first: the joint's node is emptied
    Resistor(*top, {100, 0});
    EXPECT_EQ(LinesOf(NetlistOf(*top))[1], "'N' 'R1' 1 2 1000 ");
}

}  // namespace
}  // namespace kestro
