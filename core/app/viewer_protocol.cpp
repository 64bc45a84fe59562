#include "core/app/viewer_protocol.h"

namespace kestro {

std::string EscapeViewerValue(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (const char c : value) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

std::optional<std::string> UnescapeViewerValue(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) return std::nullopt;
        if (text[i] == '\\')
            out += '\\';
        else if (text[i] == 'n')
            out += '\n';
        else
            return std::nullopt;
    }
    return out;
}

std::string ViewerTitleLine(std::string_view title) {
    return "TITLE " + EscapeViewerValue(title) + "\n";
}

std::string ViewerOpenLine(std::string_view file) {
    return "OPEN " + EscapeViewerValue(file) + "\n";
}

std::string ViewerRaiseLine() {
    return "RAISE\n";
}

std::optional<std::string> ParseViewerTitleLine(std::string_view line) {
    constexpr std::string_view kWord = "TITLE ";
    if (line.size() > kViewerLineLimit) return std::nullopt;
    if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
    if (line.substr(0, kWord.size()) != kWord) return std::nullopt;
    line.remove_prefix(kWord.size());
    if (line.find('\n') != std::string_view::npos) return std::nullopt;
    return UnescapeViewerValue(line);
}

}  // namespace kestro
