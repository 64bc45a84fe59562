// The viewer's reading of result tables, its reduction of traces to pixel columns and its
// number texts.
#include <gtest/gtest.h>

#include "tools/graphon/lib/decimate.h"
#include "tools/graphon/lib/number_format.h"
#include "tools/graphon/lib/result_file.h"

namespace kestro::graphon {
namespace {

TEST(GraphonResultFile, ReadsTheEnginesTable) {
    const CReadResult read =
        ReadResultText("Time [s]\tVP1 [V]\tmy probe [A]\r\n0\t1\t-2\r\n1e-06\t1.5\t+3E-003\r\n");
    ASSERT_TRUE(read.data) << read.Text();
    const CResultData& data = *read.data;
    EXPECT_EQ(data.timeName, "Time");
    ASSERT_EQ(data.traces.size(), 2u);
    EXPECT_EQ(data.traces[1].name, "my probe");
    EXPECT_EQ(data.traces[1].unit, "A");
    EXPECT_EQ(data.time, (std::vector<double>{0, 1e-6}));
    EXPECT_EQ(data.traces[1].values, (std::vector<double>{-2, 3e-3}));
}

TEST(GraphonResultFile, BlankSeparatedTablesAndHeadersWithoutUnitsAreRead) {
    const CReadResult read = ReadResultText("t a [V] b\n0  1 2\n1  3  4\n\n\n");
    ASSERT_TRUE(read.data) << read.Text();
    EXPECT_EQ(read.data->traces[0].name, "a");
    EXPECT_EQ(read.data->traces[0].unit, "V");
    EXPECT_EQ(read.data->traces[1].unit, "");
    EXPECT_EQ(read.data->Rows(), 2u);
}

TEST(GraphonResultFile, DamagedTablesNameTheLine) {
    const auto problem = [](std::string_view text) { return ReadResultText(text).Text(); };
    EXPECT_EQ(problem(""), "the file is empty");
    EXPECT_EQ(problem("\n1 2\n"), "line 1: the first line names no columns");
    EXPECT_EQ(problem("Time [s]\n0\n"), "line 1: the header names no column besides the time");
    EXPECT_EQ(problem("t\tv\n0\t1\n1\tx1\n"), "line 3: \"x1\" is not a number");
    EXPECT_EQ(problem("t\tv\n0\t1\n1\n"), "line 3: 1 number where the header names 2 columns");
    EXPECT_EQ(problem("t\tv\n0\t1\n1\t2\t3\n"),
              "line 3: 3 numbers where the header names 2 columns");
    EXPECT_EQ(problem("t\tv\n1\t1\n0\t1\n"), "line 3: the time falls below the row before");
    EXPECT_EQ(problem("t\tv\n0\t1\n\n1\t1\n"), "line 3: a blank line inside the table");
    EXPECT_EQ(problem("t\tv\n0\tnan\n"), "line 2: \"nan\" is not a number");
    EXPECT_EQ(problem(std::string_view("t\0v\n", 4)),
              "line 1: the file holds zero bytes: it is not a result table");
}

TEST(GraphonResultFile, ParsingInPiecesGivesTheSameTableAndLines) {
    std::string text = "Time [s]\tA [V]\tB [V]\n";
    for (int i = 0; i < 200000; ++i)
        text += std::to_string(i) + "e-06\t" + std::to_string(i % 97) + "\t-" +
                std::to_string(i % 13) + "\n";
    const CReadResult one = ReadResultText(text, 1);
    const CReadResult four = ReadResultText(text, 4);
    ASSERT_TRUE(one.data && four.data);
    EXPECT_EQ(one.data->time, four.data->time);
    EXPECT_EQ(one.data->traces[1].values, four.data->traces[1].values);
    // A fault in a later piece still names its line in the whole file.
    text += "7\tbad\t1\n";
    EXPECT_EQ(ReadResultText(text, 4).line, 200002);
}

TEST(GraphonDecimation, EachPixelColumnKeepsItsSmallestAndLargestValue) {
    const std::vector<double> time = {0, 1, 2, 3, 4, 5, 6, 7};
    const std::vector<double> values = {0, 5, -1, 2, 2, 2, 9, 1};
    const auto starts = ColumnStarts(time, 0, 8, 4);
    EXPECT_EQ(starts, (std::vector<size_t>{0, 2, 4, 6, 8}));
    std::vector<CColumnRange> ranges;
    ColumnRanges(values, starts, ranges);
    ASSERT_EQ(ranges.size(), 4u);
    EXPECT_EQ(ranges[0].low, 0);
    EXPECT_EQ(ranges[0].high, 5);
    EXPECT_EQ(ranges[1].low, -1);
    EXPECT_EQ(ranges[3].high, 9);
    // Columns wider than the samples: the ones between samples are empty.
    ColumnRanges(values, ColumnStarts(time, 0, 1, 4), ranges);
    EXPECT_FALSE(ranges[0].empty);
    EXPECT_TRUE(ranges[1].empty);
}

TEST(GraphonDecimation, ValuesBetweenSamplesAreInterpolated) {
    const std::vector<double> time = {0, 1, 1, 2};
    const std::vector<double> values = {0, 10, 20, 40};
    EXPECT_DOUBLE_EQ(ValueAt(time, values, 0.25), 2.5);
    EXPECT_DOUBLE_EQ(ValueAt(time, values, 1.5), 30);
    EXPECT_DOUBLE_EQ(ValueAt(time, values, -1), 0);
    EXPECT_DOUBLE_EQ(ValueAt(time, values, 9), 40);
    EXPECT_DOUBLE_EQ(ValueAt({}, {}, 1), 0);
}

TEST(GraphonNumbers, TicksReadoutsAndCsvAreLocaleFree) {
    EXPECT_EQ(FormatTick(0.002, 0.002), "0.002");
    EXPECT_EQ(FormatTick(120, 20), "120");
    EXPECT_EQ(FormatTick(3e-16, 0.1), "0.0");
    EXPECT_EQ(FormatTick(2e-5, 1e-5), "2e-05");
    EXPECT_EQ(FormatValue(23.95481), "23.9548");
    CResultData data;
    data.time = {0, 1, 2};
    data.traces = {{"a,b", "V", {1, 2, 3}}, {"c", "", {4, 5, 6}}};
    EXPECT_EQ(CsvText(data, {0, 1}, 0.5, 2), "Time [s],\"a,b [V]\",c\n1,2,5\n2,3,6\n");
}

}  // namespace
}  // namespace kestro::graphon
