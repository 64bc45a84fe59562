#pragma once

// Reads the result table tarn writes (docs/result-format.md): a header line naming the
// columns, then rows of numbers. Any bytes are survived: a file that is not such a table
// gives one message with the line it concerns.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestro::graphon {

struct CTrace {
    std::string name;  // "VP1"
    std::string unit;  // "V"; empty when the header gives none
    std::vector<double> values;
};

struct CResultData {
    std::string timeName = "Time";
    std::string timeUnit = "s";
    std::vector<double> time;
    std::vector<CTrace> traces;
    size_t Rows() const { return time.size(); }
};

struct CReadResult {
    std::optional<CResultData> data;
    int line = 0;  // where the problem is; 0 for the file as a whole
    std::string message;
    // "line 7: ..." or the message alone.
    std::string Text() const;
};

// Reads the text of a result file. Rows may be split by tabs or blanks; times must not
// fall. `threads` above 1 parses the rows in that many pieces at once.
CReadResult ReadResultText(std::string_view text, unsigned threads = 1);

// "VP1 [V]" -> name "VP1", unit "V".
void SplitColumnName(std::string_view header, std::string& name, std::string& unit);

}  // namespace kestro::graphon
