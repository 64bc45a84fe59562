#include "tools/graphon/lib/result_file.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <thread>

namespace kestro::graphon {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The header's columns: split by tabs, or by blanks when it has no tab.
std::vector<std::string_view> HeaderColumns(std::string_view header) {
    std::vector<std::string_view> columns;
    const bool tabs = header.find('\t') != std::string_view::npos;
    size_t start = 0;
    while (start <= header.size()) {
        size_t end = tabs ? header.find('\t', start) : header.find(' ', start);
        if (end == std::string_view::npos) end = header.size();
        const std::string_view column = TrimBlanks(header.substr(start, end - start));
        if (!column.empty()) columns.push_back(column);
        start = end + 1;
        // Blank-separated headers keep "[V]" with its name.
        if (!tabs && start < header.size() && header[start] == '[' && !columns.empty()) {
            const size_t close = header.find(']', start);
            if (close != std::string_view::npos) {
                const char* first = columns.back().data();
                columns.back() = std::string_view(first, size_t(header.data() + close + 1 - first));
                start = close + 1;
            }
        }
    }
    return columns;
}

struct CPiece {
    std::vector<double> values;  // row-major, `width` per row
    int rows = 0;
    int badLine = 0;  // within the piece, counted from 1
    std::string message;
};

// Parses the rows of [begin, end); every row must hold `width` numbers.
void ParseRows(std::string_view text, size_t width, CPiece& piece) {
    const char* p = text.data();
    const char* const end = p + text.size();
    int line = 0;
    while (p < end) {
        ++line;
        const char* lineEnd = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p)));
        if (!lineEnd) lineEnd = end;
        size_t count = 0;
        const char* q = p;
        while (true) {
            while (q < lineEnd && IsBlank(*q))
                ++q;
            if (q >= lineEnd) break;
            double value = 0;
            const char* start = q + (*q == '+' ? 1 : 0);
            const auto [next, error] = std::from_chars(start, lineEnd, value);
            if (error != std::errc() || (next < lineEnd && !IsBlank(*next)) ||
                !std::isfinite(value)) {
                const char* wordEnd = q;
                while (wordEnd < lineEnd && !IsBlank(*wordEnd))
                    ++wordEnd;
                piece.badLine = line;
                piece.message = "\"" +
                                std::string(q, size_t(std::min<ptrdiff_t>(wordEnd - q, 40))) +
                                "\" is not a number";
                return;
            }
            if (count < width) piece.values.push_back(value);
            ++count;
            q = next;
        }
        if (count == 0) {
            // A blank line is allowed only at the end.
            p = lineEnd + 1;
            --line;
            const char* rest = p;
            while (rest < end && (IsBlank(*rest) || *rest == '\n'))
                ++rest;
            if (rest < end) {
                piece.badLine = line + 1;
                piece.message = "a blank line inside the table";
                return;
            }
            break;
        }
        if (count != width) {
            piece.values.resize(piece.values.size() - std::min(count, width));
            piece.badLine = line;
            piece.message = std::to_string(count) + (count == 1 ? " number" : " numbers") +
                            " where the header names " + std::to_string(width) + " columns";
            return;
        }
        ++piece.rows;
        p = lineEnd + 1;
    }
}

CReadResult Failure(int line, std::string message) {
    return {std::nullopt, line, std::move(message)};
}

}  // namespace

std::string CReadResult::Text() const {
    return line > 0 ? "line " + std::to_string(line) + ": " + message : message;
}

void SplitColumnName(std::string_view header, std::string& name, std::string& unit) {
    header = TrimBlanks(header);
    const size_t open = header.rfind('[');
    if (open != std::string_view::npos && header.back() == ']' && open > 0) {
        name = std::string(TrimBlanks(header.substr(0, open)));
        unit = std::string(header.substr(open + 1, header.size() - open - 2));
    } else {
        name = std::string(header);
        unit.clear();
    }
}

CReadResult ReadResultText(std::string_view text, unsigned threads) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    const size_t headerEnd = std::min(text.find('\n'), text.size());
    const std::string_view header = TrimBlanks(text.substr(0, headerEnd));
    if (header.empty())
        return Failure(text.empty() ? 0 : 1,
                       text.empty() ? "the file is empty" : "the first line names no columns");
    if (header.find('\0') != std::string_view::npos)
        return Failure(1, "the file holds zero bytes: it is not a result table");
    const std::vector<std::string_view> columns = HeaderColumns(header);
    if (columns.size() < 2) return Failure(1, "the header names no column besides the time");
    if (columns.size() > 100000) return Failure(1, "the header names more than 100000 columns");
    CResultData data;
    SplitColumnName(columns[0], data.timeName, data.timeUnit);
    for (size_t i = 1; i < columns.size(); ++i) {
        CTrace trace;
        SplitColumnName(columns[i], trace.name, trace.unit);
        data.traces.push_back(std::move(trace));
    }
    const size_t width = columns.size();
    const std::string_view body =
        headerEnd < text.size() ? text.substr(headerEnd + 1) : std::string_view();

    // Pieces split at line ends, parsed side by side.
    const size_t pieces = threads > 1 && body.size() > (1u << 20) ? threads : 1;
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t i = 0; i < pieces; ++i) {
        size_t end = i + 1 == pieces ? body.size() : body.size() * (i + 1) / pieces;
        if (end < body.size()) end = std::min(body.find('\n', end), body.size());
        if (end < start) end = start;
        parts.push_back(body.substr(start, end - start));
        start = std::min(end + 1, body.size());
    }
    std::vector<CPiece> results(parts.size());
    {
        std::vector<std::jthread> workers;
        for (size_t i = 1; i < parts.size(); ++i)
            workers.emplace_back([&, i] { ParseRows(parts[i], width, results[i]); });
        ParseRows(parts[0], width, results[0]);
    }
    int linesBefore = 1;
    size_t rows = 0;
    for (size_t i = 0; i < results.size(); ++i) {
        if (results[i].badLine)
            return Failure(linesBefore + results[i].badLine, results[i].message);
        // A piece after a blank-line end would be caught by the blank-line rule.
        linesBefore += results[i].rows;
        rows += size_t(results[i].rows);
    }
    data.time.reserve(rows);
    for (CTrace& trace : data.traces)
        trace.values.reserve(rows);
    linesBefore = 1;
    for (const CPiece& piece : results) {
        for (int r = 0; r < piece.rows; ++r) {
            const double* row = piece.values.data() + size_t(r) * width;
            if (!data.time.empty() && row[0] < data.time.back())
                return Failure(linesBefore + r + 1, "the time falls below the row before");
            data.time.push_back(row[0]);
            for (size_t c = 1; c < width; ++c)
                data.traces[c - 1].values.push_back(row[c]);
        }
        linesBefore += piece.rows;
    }
    return {std::move(data), 0, {}};
}

}  // namespace kestro::graphon
