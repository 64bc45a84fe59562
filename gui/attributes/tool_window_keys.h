#pragma once

class QKeyEvent;

namespace kestro {

// The keys a tool window (the attribute window, the menu editor) keeps for its own
// controls while it is the active window: typing and editing text, moving within and
// between controls, Enter and Escape. The main frame's shortcuts would otherwise take
// some of them (Tab steps through the sheet, "-" zooms out, the arrows scroll); the other
// keys (function keys, Ctrl+S and the like) still reach the main frame.
bool IsToolWindowKey(const QKeyEvent& event);

}  // namespace kestro
