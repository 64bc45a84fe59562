#pragma once

#include <QChar>
#include <QString>
#include <cstdint>
#include <optional>

namespace kestro {

// Character sets of the filtering edit (CExEditCtrl): bit flags naming the classes of
// characters the edit takes as typed.
inline constexpr uint16_t kCharDigits = 0x1;          // "0" to "9"
inline constexpr uint16_t kCharLetters = 0x2;         // letters and "_", "-", "+", " ", ",", "."
inline constexpr uint16_t kCharOthers = 0x4;          // every other printable character
inline constexpr uint16_t kCharNumberSigns = 0x10;    // "e", "E", "+", "-", "." as their own class
inline constexpr uint16_t kCharSuffixLetters = 0x40;  // engineering suffixes, see TypeCharacter
// The sets the dialogs use.
inline constexpr uint16_t kSetEverything = 255;  // names
inline constexpr uint16_t kSetFloat = 113;       // Float values
inline constexpr uint16_t kSetInteger = 33;      // Integer values
inline constexpr uint16_t kSetString = 3;        // String values, netlist names
inline constexpr uint16_t kSetDigits = 1;

// The class a typed character belongs to under `set` (one bit of the table above), or
// 0 for a control character, which every non-zero set accepts.
uint16_t CharacterClass(QChar c, uint16_t set);

// What typing `c` into an edit holding `text` does when the character is not in the
// edit's set: the sign rules ("-" puts a minus in front of the whole text, "+" takes it
// away) and the suffix rule (a suffix letter replaces whatever follows the last digit).
// Nothing when the character is refused with a beep.
std::optional<QString> TypeOutsideSet(const QString& text, QChar c, uint16_t set, bool readOnly);

}  // namespace kestro
