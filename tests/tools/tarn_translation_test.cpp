// The engine's netlist reading, element translation, result table and saved state, without
// running ngspice.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/platform/file_stream.h"
#include "tools/tarn/lib/deck_builder.h"
#include "tools/tarn/lib/model_parts.h"
#include "tools/tarn/lib/model_table.h"
#include "tools/tarn/lib/result_table.h"
#include "tools/tarn/lib/state_file.h"

namespace kestro::tarn {
namespace {

const char kHeader[] = "'.TIME' 1E-006 0.001 0 1 0 0 0\r\n";

CNetlist Read(const std::string& text) {
    CNetlistResult result = ReadNetlist(text);
    EXPECT_TRUE(result.netlist) << result.error.Text();
    return result.netlist ? *result.netlist : CNetlist{};
}

std::string DeckError(const std::string& text) {
    const CDeckResult result = BuildDeck(Read(text), nullptr);
    EXPECT_FALSE(result.deck);
    return result.error.Text();
}

bool DeckHas(const CDeck& deck, const std::string& piece) {
    return std::any_of(deck.lines.begin(), deck.lines.end(), [&](const std::string& line) {
        return line.find(piece) != std::string::npos;
    });
}

TEST(TarnNetlist, ReadsTheSimulationLineAndElementFieldsAsTheEditorWritesThem) {
    const CNetlist netlist =
        Read("'.TIME' 1E-005 0.02 0.005 3 1 1 1\r\n'GATING' 'S1.GT1' 3 20000 '0 180' \r\n");
    EXPECT_DOUBLE_EQ(netlist.simulation.tstep, 1e-5);
    EXPECT_DOUBLE_EQ(netlist.simulation.ttotal, 0.02);
    EXPECT_DOUBLE_EQ(netlist.simulation.tprint, 0.005);
    EXPECT_EQ(netlist.simulation.iprint, 3);
    EXPECT_TRUE(netlist.simulation.iload && netlist.simulation.isave &&
                netlist.simulation.autoExit);
    ASSERT_EQ(netlist.elements.size(), 1u);
    const CElementLine& gating = netlist.elements[0];
    EXPECT_EQ(gating.lineNumber, 2);
    EXPECT_EQ(gating.instance, "S1.GT1");
    ASSERT_EQ(gating.fields.size(), 3u);
    EXPECT_EQ(gating.fields[2].text, "0 180");
    EXPECT_TRUE(gating.fields[2].quoted);
}

TEST(TarnNetlist, AQuoteInsideATextDoesNotEndIt) {
    const auto fields = SplitFields("'MATH' 'it''s' 'a'b' 3");
    ASSERT_TRUE(fields);
    ASSERT_EQ(fields->size(), 4u);
    EXPECT_EQ((*fields)[1].text, "it''s");
    EXPECT_EQ((*fields)[2].text, "a'b");
    EXPECT_FALSE(SplitFields("'R' 'R1 1 2"));
}

TEST(TarnNetlist, BrokenNetlistsAreRefusedWithTheLine) {
    EXPECT_EQ(ReadNetlist("").error.Text(), "the netlist is empty: it has no simulation line");
    EXPECT_EQ(ReadNetlist("'.TIME' x 0.01 0 1 0 0 0\n").error.Text(),
              "line 1: Tstep is not a number: \"x\"");
    EXPECT_EQ(ReadNetlist("\n'.TIME' 1E-005 0.01 0 0 0 0 0\n").error.Text(),
              "line 2: Iprint must be at least 1");
    EXPECT_EQ(ReadNetlist(std::string(kHeader) + "'R' 'R1 1 2 3\n").error.Text(),
              "line 2: a quoted text is not closed");
    EXPECT_EQ(ReadNetlist(std::string(kHeader) + "R R1 1 2 3\n").error.line, 2);
    EXPECT_EQ(ReadNetlist(std::string(kHeader) + std::string("'R' 'R1' 1\0 2", 14)).error.line, 2);
}

TEST(TarnNetlist, EngineeringNumbersInTexts) {
    const auto numbers = ParseNumberList("0 1m 2.5u -3k 1E-3");
    ASSERT_TRUE(numbers);
    const std::vector<double> expected = {0, 1e-3, 2.5e-6, -3e3, 1e-3};
    ASSERT_EQ(numbers->size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_DOUBLE_EQ((*numbers)[i], expected[i]);
    EXPECT_FALSE(ParseNumberList("1 x"));
    EXPECT_FALSE(ParseEngineering("1mm"));
    EXPECT_FALSE(ParseNumber("nan"));
    EXPECT_FALSE(ParseNumber("1e999"));
}

TEST(TarnDeck, EveryElementWithoutAModelIsNamedInOneMessage) {
    const std::string message = DeckError(std::string(kHeader) +
                                          "'R' 'R1' 1 0 10\n'DCM' 'DCM1' 1 0 2 0 3 0.5 0.01 100 10 "
                                          "1 0.1 0\n'TLOAD' 'TL1' 3 10 0.01 0\n");
    EXPECT_EQ(message,
              "these elements have no simulation model: 'DCM' DCM1 (line 3), 'TLOAD' TL1 "
              "(line 4). Nothing was simulated.");
}

TEST(TarnDeck, WrongFieldsAndImpossibleValuesNameTheLineAndInstance) {
    EXPECT_EQ(DeckError(std::string(kHeader) + "'R' 'R1' 1 0\n"),
              "line 2: R1: 3 fields (2 nodes and 1 values) must follow the names, but there "
              "are 2");
    EXPECT_EQ(DeckError(std::string(kHeader) + "'R' 'R1' 1 x 5\n"),
              "line 2: R1: node 2 is not a net number: \"x\"");
    EXPECT_EQ(DeckError(std::string(kHeader) + "'R' 'R1' 1 0 0\n"),
              "line 2: R1 ('R'): the resistance must be above 0");
    EXPECT_EQ(DeckError(std::string(kHeader) + "'MUT2' 'M1' 1 0 2 0 0.001 0.001 0.002\n"),
              "line 2: M1 ('MUT2'): M must be below the square root of L1 x L2");
    EXPECT_EQ(DeckError("'.TIME' 1E-006 0 0 1 0 0 0\n'R' 'R1' 1 0 1\n"),
              "line 1: the total time Ttotal must be above 0");
    EXPECT_EQ(DeckError("'.TIME' 1E-012 1000 0 1 0 0 0\n'R' 'R1' 1 0 1\n"),
              "line 1: Ttotal / Tstep is more than 100000000 time steps");
}

TEST(TarnDeck, ProbesBecomeColumnsAndCurrentPathsInNetlistOrder) {
    const CDeckResult result =
        BuildDeck(Read(std::string(kHeader) +
                       "'VDC' 'V1' 1 0 10\n'IP' 'I out' 1 2\n'R' 'R1' 2 0 5\n'VP' 'VP1' 2\n"
                       "'AM' 'AM1' 2 3 2 50\n'R' 'R2' 3 0 5\n"),
                  nullptr);
    ASSERT_TRUE(result.deck) << result.error.Text();
    const CDeck& deck = *result.deck;
    ASSERT_EQ(deck.columns.size(), 3u);
    EXPECT_EQ(deck.columns[0].name, "I out");
    EXPECT_EQ(deck.columns[0].unit, "A");
    EXPECT_EQ(deck.columns[1].name, "VP1");
    EXPECT_EQ(deck.columns[2].window, CColumn::Window::Rms);
    EXPECT_DOUBLE_EQ(deck.columns[2].period, 0.02);
    // Names in the deck come from positions, never from the user's instance names.
    EXPECT_TRUE(DeckHas(deck, "V2_p 1 2 0"));
    EXPECT_EQ(ResultHeader(deck.columns), "Time [s]\tI out [A]\tVP1 [V]\tAM1 [A]\n");
}

TEST(TarnDeck, EveryModelTranslatesItsDefaultLine) {
    // Each model with plausible values on fresh nets: no failure and at least one line.
    for (const CModel& model : ModelTable()) {
        std::string line = "'" + std::string(model.netlistName) + "' 'X1'";
        for (size_t i = 0; i < model.pins.size(); ++i)
            line += " " + std::to_string(i + 1);
        for (const CValueRule& value : model.values) {
            const std::string name = value.name;
            if (value.kind == ValueKind::Text)
                line += name == "Points" && std::string(model.netlistName) == "GATING" ? " '0 180'"
                        : name == "Num"                                                ? " '1'"
                        : name == "Den"                                                ? " '1m 1'"
                                        : " '0 0 1m 1'";
            else if (name == "Tend")
                line += " 2";
            else if (name == "M")
                line += " 0.0005";
            else if (name == "Mode")
                line += " 0";
            else if (name == "Ymin" || name == "Uoff" || name == "Ylow")
                line += " -1";
            else if (name == "Vd" || name == "Vce" || name.starts_with("State") ||
                     name.starts_with("V0") || name.starts_with("I0"))
                line += " 0";
            else
                line += " 1";
        }
        const CDeckResult result =
            BuildDeck(Read(std::string(kHeader) + "'R' 'R0' 1 0 1\n" + line + "\n"), nullptr);
        EXPECT_TRUE(result.deck) << model.netlistName << ": " << result.error.Text();
    }
    EXPECT_NE(ModelReference().find("## `GATING`: Gating block"), std::string::npos);
}

TEST(TarnDeck, TheModelReferenceIsPrintedFromTheTable) {
    // docs/simulation-models.md is `tarn --models`; print it again after changing a model.
    EXPECT_EQ(ReadWholeFile(std::string(KESTRO_SOURCE_DIR) + "/docs/simulation-models.md"),
              ModelReference());
}

TEST(TarnWaves, GatingPatternsRepeatWithTheirEdgesOnTheAngles) {
    // On from 0 to 60 and from 240 to 360 degrees: on at the start, off at 60, on at 240.
    const auto corners = GatingCorners({0, 60, 240, 360}, 0.001);
    EXPECT_EQ(corners.front(), std::make_pair(0.0, 1.0));
    EXPECT_EQ(corners.back(), std::make_pair(1.0, 1.0));
    const auto valueAt = [&](double x) {
        for (size_t i = 1; i < corners.size(); ++i)
            if (x <= corners[i].first)
                return corners[i - 1].second + (corners[i].second - corners[i - 1].second) *
                                                   (x - corners[i - 1].first) /
                                                   (corners[i].first - corners[i - 1].first);
        return corners.back().second;
    };
    EXPECT_DOUBLE_EQ(valueAt(0.1), 1);
    EXPECT_NEAR(valueAt(60.0 / 360), 0.5, 1e-9);  // the edge is centred on the angle
    EXPECT_DOUBLE_EQ(valueAt(0.5), 0);
    EXPECT_DOUBLE_EQ(valueAt(0.9), 1);
    // A quarter-period delay moves the triangle's peak from half to three quarters.
    EXPECT_EQ(PeriodicWave({{0, -1}, {0.5, 1}, {1, -1}}, 4, 0.25), "PWL(0 0 1 -1 3 1 4 0) r=0");
}

CDeck TwoColumnDeck() {
    CDeck deck;
    deck.quantities = {{CSignal::Kind::NodeVoltage, "1"}};
    deck.columns.push_back({"V", "V", {{1, 0}}});
    deck.columns.push_back({"A", "V", {{1, 0}}, CColumn::Window::Average, 4e-6});
    return deck;
}

TEST(TarnResults, ValuesAreInterpolatedToTheTimeStepAndFilteredByTprintAndIprint) {
    CSimulationLine line;
    line.tstep = 1e-6;
    line.ttotal = 10e-6;
    line.tprint = 2e-6;
    line.iprint = 3;
    const CDeck deck = TwoColumnDeck();
    std::string text;
    CResultTable table(deck, line, [&](std::string_view piece) { text += piece; });
    // A ramp v = t * 1e6 given at uneven accepted points.
    for (double t : {0.0, 2.5e-6, 2.6e-6, 7e-6, 10e-6}) {
        const double v = t * 1e6;
        table.Add(t, &v);
    }
    ASSERT_TRUE(table.Finish());
    // Rows at steps 2, 5 and 8; the window average covers the last four steps.
    EXPECT_EQ(text,
              "Time [s]\tV [V]\tA [V]\n"
              "2e-06\t2\t1\n"
              "5e-06\t5\t3.5\n"
              "8e-06\t8\t6.5\n");
}

TEST(TarnResults, ARunThatStopsEarlyIsNotComplete) {
    CSimulationLine line;
    line.tstep = 1e-6;
    line.ttotal = 10e-6;
    const CDeck deck = TwoColumnDeck();
    CResultTable table(deck, line, [](std::string_view) {});
    const double v = 1;
    table.Add(1e-6, &v);
    table.Add(4e-6, &v);
    EXPECT_FALSE(table.Finish());
}

TEST(TarnState, SavedStateReadsBackAndDamagedStateIsRefused) {
    const std::map<std::string, double> values = {{"C1/C", 23.97}, {"L 1/L", -1e-300}};
    const CStateResult read = ReadState(WriteState(values));
    ASSERT_TRUE(read.values) << read.error;
    EXPECT_EQ(*read.values, values);
    EXPECT_EQ(ReadState("").error, "the file is empty");
    EXPECT_EQ(ReadState("hello\n").error, "line 1: this is not a state saved by tarn");
    EXPECT_EQ(ReadState("tarn state 1\nC1/C\tx\n").error,
              "line 2: a name, a tab and a number are expected");
    EXPECT_EQ(StateFileName("/w/a.b/run.CCT"), "/w/a.b/run.STA");

    // A loaded state replaces the start value of the capacitor it names.
    const std::map<std::string, double> loaded = {{"C1/C", 7.5}};
    const CDeckResult deck =
        BuildDeck(Read(std::string(kHeader) + "'C' 'C1' 1 0 1E-006 2\n'R' 'R1' 1 0 1\n"), &loaded);
    ASSERT_TRUE(deck.deck);
    EXPECT_TRUE(DeckHas(*deck.deck, "C1_C 1 0 1e-06 ic=7.5"));
}

}  // namespace
}  // namespace kestro::tarn
