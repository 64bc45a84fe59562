// Runs the tarn program on small circuits and the examples and checks the numbers against
// hand calculations. Tolerances are stated where they are used, with their reasons.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>

#include "core/platform/file_stream.h"
#include "tests/core/support/temp_folder.h"
#include "tools/graphon/lib/result_file.h"

namespace kestro {
namespace {

const std::string kTarn = TARN_PROGRAM;
const std::string kExamples = std::string(KESTRO_SOURCE_DIR) + "/examples/";
constexpr double kPi = std::numbers::pi;

class TarnSimulation : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(FileExists(kTarn)) << kTarn << " is missing"; }

    std::string Path(const std::string& name) const { return m_folder.Path(name); }

    void Write(const std::string& name, const std::string& text) {
        std::ofstream(Path(name), std::ios::binary) << text;
    }

    // Exit status of tarn on the netlist; its standard error lands in m_error.
    int Run(const std::string& netlist) {
        const std::string command =
            "'" + kTarn + "' --batch '" + Path(netlist) + "' 2> '" + Path("err.txt") + "'";
        const int status = std::system(command.c_str());
        m_error = ReadWholeFile(Path("err.txt"));
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // Simulates the netlist text and reads its result table.
    graphon::CResultData Simulate(const std::string& name, const std::string& text) {
        Write(name + ".CCT", text);
        EXPECT_EQ(Run(name + ".CCT"), 0) << m_error;
        const graphon::CReadResult read =
            graphon::ReadResultText(ReadWholeFile(Path(name + ".TXT")));
        EXPECT_TRUE(read.data) << read.Text();
        return read.data ? *read.data : graphon::CResultData{};
    }

    static std::string Example(const std::string& name) {
        return ReadWholeFile(kExamples + name + ".CCT");
    }

    CTempFolder m_folder;
    std::string m_error;
};

const graphon::CTrace& Trace(const graphon::CResultData& data, const std::string& name) {
    for (const graphon::CTrace& trace : data.traces)
        if (trace.name == name) return trace;
    ADD_FAILURE() << "no column " << name;
    static const graphon::CTrace none;
    return none;
}

// Average, smallest and largest value of a trace from time `from` on.
struct CStats {
    double average = 0, low = 1e300, high = -1e300;
};
CStats StatsFrom(const graphon::CResultData& data, const graphon::CTrace& trace, double from,
                 double to = 1e300) {
    CStats stats;
    double sum = 0;
    int n = 0;
    for (size_t i = 0; i < data.Rows() && i < trace.values.size(); ++i) {
        if (data.time[i] < from || data.time[i] >= to) continue;
        sum += trace.values[i];
        stats.low = std::min(stats.low, trace.values[i]);
        stats.high = std::max(stats.high, trace.values[i]);
        ++n;
    }
    stats.average = n ? sum / n : 0;
    return stats;
}

// The largest difference between a trace and a function of time.
template <typename F>
double LargestError(const graphon::CResultData& data, const graphon::CTrace& trace, F expected) {
    double error = 0;
    for (size_t i = 0; i < data.Rows(); ++i)
        error = std::max(error, std::fabs(trace.values[i] - expected(data.time[i])));
    return error;
}

TEST_F(TarnSimulation, RcStepFollowsOneMinusExpOfMinusTOverRc) {
    // 1 V through 1 kOhm into 1 uF: tau = 1 ms, steps of tau / 1000.
    const auto data = Simulate("rc",
                               "'.TIME' 1E-006 0.005 0 1 0 0 0\r\n"
                               "'VDC' 'V1' 1 0 1 \r\n'R' 'R1' 1 2 1000 \r\n"
                               "'C' 'C1' 2 0 1E-006 0 \r\n'VP' 'VC' 2 \r\n");
    ASSERT_EQ(data.Rows(), 5001u);
    // Second-order integration at h = tau / 1000 errs by about (h / tau)^2 = 1e-6 of the
    // step; 2e-4 leaves room for the switch-free start and 8-digit output, and still catches
    // a wrong time constant by a tenth of a percent.
    EXPECT_LT(
        LargestError(data, Trace(data, "VC"), [](double t) { return 1 - std::exp(-t / 1e-3); }),
        2e-4);
}

TEST_F(TarnSimulation, RlCurrentRisesWithTheTimeConstantLOverR) {
    // 10 V, 10 Ohm, 10 mH: tau = 1 ms, final current 1 A.
    const auto data = Simulate("rl",
                               "'.TIME' 1E-006 0.005 0 1 0 0 0\n'VDC' 'V1' 1 0 10\n"
                               "'R' 'R1' 1 2 10\n'L' 'L1' 2 3 0.01 0\n'IP' 'IL' 3 0\n");
    const graphon::CTrace& current = Trace(data, "IL");
    EXPECT_LT(LargestError(data, current, [](double t) { return 1 - std::exp(-t / 1e-3); }), 2e-4);
    // At t = tau the current has reached 1 - 1/e of its final value.
    EXPECT_NEAR(current.values[1000], 1 - std::exp(-1.0), 2e-4);
}

TEST_F(TarnSimulation, BuckConverterSettlesWithinFivePercentOf24Volts) {
    const auto data = Simulate("buck", Example("buck_converter"));
    // 48 V at a duty of 0.5: 24 V less the diode's and the switch's small drops.
    const CStats output = StatsFrom(data, Trace(data, "VP1"), 0.008);
    EXPECT_NEAR(output.average, 24.0, 24.0 * 0.05);
    // The inductor current averages the load current 24 V / 5 Ohm; its ripple is
    // (48 - 24) V x 0.5 x 50 us / 100 uH = 6 A peak to peak.
    const CStats current = StatsFrom(data, Trace(data, "IP1"), 0.008);
    EXPECT_NEAR(current.average, output.average / 5, 0.1);
    EXPECT_NEAR(current.high - current.low, 6.0, 0.3);
}

// The bridge rectifier with ideal diodes, worked by hand as two equations: the line
// inductance carries |vs| - vC while the bridge conducts, and the capacitor takes the
// inductor current less the load current. Integrated in small steps.
CStats RectifierByHand(double from, double to) {
    const double L = 1e-3, C = 470e-6, R = 50, peak = 325, f = 50, h = 1e-7;
    double i = 0, v = 0, sum = 0;
    CStats stats;
    long n = 0;
    for (long k = 0; k * h < to; ++k) {
        const double t = k * h;
        const double source = std::fabs(peak * std::sin(2 * kPi * f * t));
        if (i > 0 || source > v) i = std::max(0.0, i + (source - v) / L * h);
        v += (i - v / R) / C * h;
        if (t < from) continue;
        sum += v;
        stats.low = std::min(stats.low, v);
        stats.high = std::max(stats.high, v);
        ++n;
    }
    stats.average = sum / double(n);
    return stats;
}

TEST_F(TarnSimulation, DiodeRectifierRippleAndAverageMatchTheHandCalculation) {
    const auto data = Simulate("rectifier", Example("diode_rectifier"));
    const CStats simulated = StatsFrom(data, Trace(data, "VP1"), 0.06, 0.1);
    const CStats expected = RectifierByHand(0.06, 0.1);
    // The diodes of the model drop about 0.05 V each (two conduct) and the steps are 10 us
    // against 0.1 us by hand: within 1 % of the 325 V peak.
    EXPECT_NEAR(simulated.average, expected.average, 3.25);
    EXPECT_NEAR(simulated.high, expected.high, 3.25);
    EXPECT_NEAR(simulated.high - simulated.low, expected.high - expected.low, 3.25);
    // Between charging pulses the capacitor discharges into the load alone, so the ripple
    // is large: about a third of the peak here.
    EXPECT_GT(simulated.high - simulated.low, 80);
}

TEST_F(TarnSimulation, ClosedLoopBuckRegulatesToItsReferenceAfterAStep) {
    // The example's constant reference of 24 V becomes a step to 18 V at 40 ms.
    std::string netlist = Example("closed_loop_buck");
    netlist.replace(netlist.find("0.02 0 1"), 8, "0.08 0 1");
    netlist.replace(netlist.find("'CONST' 'CONST1' 6 24"), 21, "'VSTEP' 'REF' 6 0 24 18 0.04");
    const auto data = Simulate("closed", netlist);
    const graphon::CTrace& output = Trace(data, "VP1");
    // The comparator decides once per 1 us step of a 50 us carrier period, so the duty moves
    // in steps of 2 % (about 1 V at the output) and the PI dithers between them: the average
    // stays within 2 % of the reference.
    EXPECT_NEAR(StatsFrom(data, output, 0.035, 0.04).average, 24.0, 0.48);
    EXPECT_NEAR(StatsFrom(data, output, 0.075, 0.08).average, 18.0, 0.36);
}

TEST_F(TarnSimulation, SixStepInverterLineToLineFundamentalIsTwoRootThreeOverPiOfTheLink) {
    // A line-to-line probe from phase a to phase b added to the example.
    const auto data = Simulate("inverter", Example("three_phase_inverter") + "'VP2' 'VAB' 3 7\n");
    const graphon::CTrace& vab = Trace(data, "VAB");
    // Fourier coefficients of the last whole period, 40 to 60 ms.
    double a = 0, b = 0;
    int n = 0;
    for (size_t i = 0; i < data.Rows(); ++i) {
        if (data.time[i] < 0.04 || data.time[i] >= 0.06) continue;
        const double angle = 2 * kPi * 50 * data.time[i];
        a += vab.values[i] * std::cos(angle);
        b += vab.values[i] * std::sin(angle);
        ++n;
    }
    const double amplitude = 2 * std::hypot(a, b) / n;
    // Six-step on a 400 V link: each leg is a square wave of +-200 V with the fundamental
    // 4/pi x 200 V, and a line voltage is sqrt(3) times that: 441.1 V. The switches drop a
    // few hundredths of a volt; 1 % covers them and the 10 us sampling.
    EXPECT_NEAR(amplitude, 2 * std::sqrt(3.0) / kPi * 400, 4.4);
}

TEST_F(TarnSimulation, SavedStateStartsTheNextRun) {
    const std::string circuit =
        "'VDC' 'V1' 1 0 1\n'R' 'R1' 1 2 1000\n'C' 'C1' 2 0 1E-006 0\n"
        "'VP' 'VC' 2\n";
    Write("state.CCT", "'.TIME' 1E-006 0.001 0 1 0 1 0\n" + circuit);
    ASSERT_EQ(Run("state.CCT"), 0) << m_error;
    ASSERT_TRUE(FileExists(Path("state.STA")));
    const auto data = Simulate("state", "'.TIME' 1E-006 0.001 0 1 1 0 0\n" + circuit);
    const graphon::CTrace& v = Trace(data, "VC");
    // The second millisecond of one charging curve: from 1 - 1/e to 1 - 1/e^2.
    EXPECT_NEAR(v.values.front(), 1 - std::exp(-1.0), 1e-3);
    EXPECT_NEAR(v.values.back(), 1 - std::exp(-2.0), 1e-3);
}

TEST_F(TarnSimulation, AnElementWithoutAModelStopsTheRunAndWritesNothing) {
    Write("motor.CCT",
          "'.TIME' 1E-006 0.001 0 1 0 0 0\n'VDC' 'V1' 1 0 10\n"
          "'DCM' 'DCM1' 1 0 2 0 3 0.5 0.01 100 10 1 0.1 0\n'GEAR' 'GB1' 3 4 1 0\n");
    EXPECT_EQ(Run("motor.CCT"), 2);
    EXPECT_NE(m_error.find("'DCM' DCM1 (line 3), 'GEAR' GB1 (line 4)"), std::string::npos)
        << m_error;
    EXPECT_FALSE(FileExists(Path("motor.TXT")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder.Root()),
                            std::filesystem::directory_iterator()),
              2);  // the netlist and the captured messages: no temporary file is left
}

TEST_F(TarnSimulation, UnreadableNetlistsAndUnwritableResultsHaveTheirOwnStatus) {
    EXPECT_EQ(Run("missing.CCT"), 2);
    Write("bad.CCT", "'.TIME' 1E-006 0.001 0 1 0 0 0\n'R' 'R1' 1 0 10\n'C' 'C1' 1 0\n");
    EXPECT_EQ(Run("bad.CCT"), 2);
    EXPECT_NE(m_error.find("line 3: C1:"), std::string::npos) << m_error;
    // The result file's name is taken by a folder: nothing can be written there.
    Write("taken.CCT",
          "'.TIME' 1E-006 0.0001 0 1 0 0 0\n'VDC' 'V1' 1 0 1\n'R' 'R1' 1 0 1\n"
          "'VP' 'VP1' 1\n");
    std::filesystem::create_directory(Path("taken.TXT"));
    EXPECT_EQ(Run("taken.CCT"), 3) << m_error;
}

}  // namespace
}  // namespace kestro
