#pragma once

#include <QString>

namespace kestro {

// The string-table entry of a command id: "prompt\ntooltip" (the tooltip may be missing).
// Empty for numbers the table does not hold.
QString StringTableEntry(int id);

// The status-bar prompt of a command: its entry up to the first line break.
QString CommandPrompt(int id);

// The tooltip of a toolbar button: the entry after the first line break, or the prompt
// when there is none.
QString CommandTip(int id);

}  // namespace kestro
