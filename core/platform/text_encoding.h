#pragma once

#include <string>
#include <string_view>

namespace kestro {

// Stored texts are bytes: new ones are UTF-8, old ones may be Windows-1252.
bool IsValidUtf8(std::string_view bytes);
// Each byte taken as a Windows-1252 character (undefined ones as U+FFFD).
std::string Windows1252ToUtf8(std::string_view bytes);
// The text as UTF-8 for showing: valid UTF-8 as it is, anything else as Windows-1252.
std::string TextAsUtf8(std::string_view bytes);
// The text as Windows-1252 bytes (for the standard fonts of PDF files): valid UTF-8 is
// converted, characters the code page lacks becoming `replacement`; anything else is
// taken to be Windows-1252 already.
std::string TextAsWindows1252(std::string_view bytes, char replacement = '?');

}  // namespace kestro
