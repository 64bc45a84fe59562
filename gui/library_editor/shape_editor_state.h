#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "core/library/shape.h"
#include "gui/commands/command_ids.h"

class QWidget;

namespace kestro {

class CEditCursors;
struct CSettings;

// What all library windows share: the current drawing tool and the shape clipboard.
struct CShapeEditorState {
    int tool = kIdToolSelect;
    CShapeList clipboard;
    CRectF clipboardBounds;
};

// The text and library font (0 to 3) of a new symbol text.
struct CSymbolTextChoice {
    std::string text;
    int font = 0;
};

// What a library view uses of the rest of the editor. The dialogs can be replaced (tests).
struct CShapeViewServices {
    CShapeEditorState* state = nullptr;
    const CSettings* settings = nullptr;
    const CEditCursors* cursors = nullptr;
    // The symbol text dialog; nothing when cancelled.
    std::function<std::optional<CSymbolTextChoice>(QWidget* parent)> askText;
    // The "Set Element Size" dialog with the present size in tens; nothing when cancelled.
    std::function<std::optional<std::pair<int, int>>(QWidget* parent, int width, int height)>
        askSize;
    // The menus and toolbars should ask the commands' states again.
    std::function<void()> commandsChanged;
};

}  // namespace kestro
