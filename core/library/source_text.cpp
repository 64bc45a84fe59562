#include "core/library/source_text.h"

#include <cctype>
#include <charconv>
#include <cmath>

#include "core/platform/text_encoding.h"

namespace kestro {

namespace {

constexpr char kHex[] = "0123456789abcdef";

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Characters a bare word may hold besides letters and digits.
bool IsPlainPunctuation(char c) {
    return std::string_view("_.+-/%*()[]:;!?<>=,&|^~$'`{}").find(c) != std::string_view::npos;
}

// Words that are statements or keywords somewhere; names spelled so are quoted.
bool IsKeyword(std::string_view word) {
    static const std::string_view kWords[] = {
        "library", "font",    "oldmap",  "control",     "port",    "label", "element",   "menu",
        "include", "end",     "name",    "description", "flags",   "rect",  "line",      "ellipse",
        "arc",     "rrect",   "poly",    "text",        "textadv", "pin",   "attr",      "unit",
        "float",   "boolean", "integer", "string",      "invalid", "type",  "exp",       "expword",
        "id",      "doc",     "width",   "style",       "orient",  "at",    "rot",       "extent",
        "face",    "height",  "color",   "pcolor",      "popup",   "item",  "separator", "raw",
        "bytes",   "weight",  "italic",  "size"};
    for (auto k : kWords)
        if (word == k) return true;
    return false;
}

}  // namespace

CSourceError::CSourceError(const std::string& file, int line, const std::string& message)
    : std::runtime_error(file + ":" + std::to_string(line) + ": " + message),
      m_file(file),
      m_line(line),
      m_message(message) {}

std::vector<CSourceToken> SplitSourceLine(std::string_view line, const std::string& file,
                                          int lineNumber) {
    // Stored texts end at their first zero byte, so none may hide inside one.
    if (line.find('\0') != std::string_view::npos)
        throw CSourceError(file, lineNumber, "zero byte in the source");
    std::vector<CSourceToken> tokens;
    size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        if (c == '#') break;
        CSourceToken token;
        if (c != '"') {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' &&
                   line[i] != '#' && line[i] != '"')
                token.text += line[i++];
            tokens.push_back(std::move(token));
            continue;
        }
        token.quoted = true;
        ++i;
        for (;;) {
            if (i >= line.size())
                throw CSourceError(file, lineNumber, "text without closing quote");
            const char q = line[i++];
            if (q == '"') break;
            if (q != '\\') {
                token.text += q;
                continue;
            }
            if (i >= line.size())
                throw CSourceError(file, lineNumber, "text without closing quote");
            const char e = line[i++];
            switch (e) {
                case 'n':
                    token.text += '\n';
                    break;
                case 't':
                    token.text += '\t';
                    break;
                case 'r':
                    token.text += '\r';
                    break;
                case 'x': {
                    const int hi = i < line.size() ? HexDigit(line[i]) : -1;
                    const int lo = i + 1 < line.size() ? HexDigit(line[i + 1]) : -1;
                    if (hi < 0 || lo < 0 || (hi == 0 && lo == 0))
                        throw CSourceError(file, lineNumber, "\\x needs two hex digits, not 00");
                    token.text += static_cast<char>(hi * 16 + lo);
                    i += 2;
                    break;
                }
                case '"':
                case '\\':
                    token.text += e;
                    break;
                default:
                    throw CSourceError(file, lineNumber,
                                       std::string("unknown escape \\") + e + " in text");
            }
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

std::string SourceWord(std::string_view text) {
    bool plain = !text.empty() && !IsKeyword(text) && text[0] != '@';
    for (char c : text)
        if (!(std::isalnum(static_cast<unsigned char>(c)) &&
              static_cast<unsigned char>(c) < 0x80) &&
            !IsPlainPunctuation(c))
            plain = false;
    return plain ? std::string(text) : SourceQuoted(text);
}

std::string SourceQuoted(std::string_view text) {
    const bool utf8 = IsValidUtf8(text);
    std::string out = "\"";
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (b < 0x20 || b == 0x7F || (b >= 0x80 && !utf8)) {
            out += "\\x";
            out += kHex[b >> 4];
            out += kHex[b & 0xF];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string ExactFloatText(float value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof(text), value);
    return std::string(text, result.ptr);
}

std::string ExactDoubleText(double value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof(text), value);
    return std::string(text, result.ptr);
}

std::string HexText(uint32_t value) {
    char text[16];
    const auto result = std::to_chars(text, text + sizeof(text), value, 16);
    return "0x" + std::string(text, result.ptr);
}

}  // namespace kestro
