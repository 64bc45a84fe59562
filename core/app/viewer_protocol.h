#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kestro {

// The lines spoken over the viewer channel (docs/viewer-channel.md). Each line is a word,
// a space and a value, ended by a line feed; inside the value a backslash is written "\\"
// and a line feed "\n", so any file name fits on one line.

// A reply line longer than this is not a viewer's.
inline constexpr size_t kViewerLineLimit = 4096;

std::string EscapeViewerValue(std::string_view value);
// Nothing when the text holds a backslash followed by anything but "\" or "n".
std::optional<std::string> UnescapeViewerValue(std::string_view text);

// "TITLE <title>\n": what a viewer says first, naming its window title.
std::string ViewerTitleLine(std::string_view title);
// "OPEN <file>\n": show this result file.
std::string ViewerOpenLine(std::string_view file);
// "RAISE\n": come to the front.
std::string ViewerRaiseLine();

// The title of a viewer's first line (line feed included or not); nothing when the bytes
// are not such a line.
std::optional<std::string> ParseViewerTitleLine(std::string_view line);

}  // namespace kestro
