#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kestro {

// A mistake in a library source, located by file and line: "file:line: message".
class CSourceError : public std::runtime_error {
public:
    CSourceError(const std::string& file, int line, const std::string& message);
    const std::string& GetFile() const { return m_file; }
    int GetLine() const { return m_line; }
    const std::string& GetMessage() const { return m_message; }

private:
    std::string m_file;
    int m_line;
    std::string m_message;
};

// One word of a source line; a quoted text is never taken as a keyword.
struct CSourceToken {
    std::string text;
    bool quoted = false;
};

// Splits a line into words and quoted texts ("..." with \" \\ \n \t \r \xHH); `#`
// outside quotes starts a comment. Throws CSourceError for an unterminated text.
std::vector<CSourceToken> SplitSourceLine(std::string_view line, const std::string& file,
                                          int lineNumber);

// A word as the source writes it: bare when it is plain, quoted otherwise.
std::string SourceWord(std::string_view text);
// Always quoted, with escapes for quotes, backslashes, control characters and bytes
// that are not UTF-8.
std::string SourceQuoted(std::string_view text);

// Shortest decimal text that reads back to exactly the same value.
std::string ExactFloatText(float value);
std::string ExactDoubleText(double value);
std::string HexText(uint32_t value);

}  // namespace kestro
