#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "core/document/find_element.h"
#include "core/document/internal_clipboard.h"
#include "gui/editing/edit_mode.h"
#include "gui/editing/placement_ghost.h"

namespace kestro {

class CCircuit;
class CEditTool;
class CKestroView;
class CLibraryData;
class CPart;

// What the editing needs from the rest of the editor: the attribute window, the windows of
// other sheets, the find dialog and the help. Each may be left empty.
struct CEditHooks {
    // The attribute window follows the selection (null: nothing selected).
    std::function<void(CKestroView&, CPart*)> pointAttributes;
    // The attribute window shows the object and is made visible.
    std::function<void(CKestroView&, CPart&)> showAttributes;
    // The attribute window forgets what it showed (before a deletion).
    std::function<void()> forgetAttributes;
    // The window of a sheet (a subcircuit) is opened or brought forward.
    std::function<void(CCircuit&)> openSheet;
    // The "Find Element" dialog: true on Find, with the request changed.
    std::function<bool(CFindRequest&, CLibraryData&)> askFind;
    // Help on a keyword; an empty keyword asks for the contents.
    std::function<void(const QString&)> showHelp;
    // Makes the images of the bitmap copies (null: a plain QImage).
    std::function<QImage(QSize, QImage::Format)> makeImage;
};

// The editing state shared by every schematic view of the application: the mode and the
// kind being placed, the placement rotation and ghost, the internal clipboard, the
// parameters of Find, and the tool that handles the mouse in each mode.
class CEditState {
public:
    CEditState();
    ~CEditState();
    CEditState(const CEditState&) = delete;
    CEditState& operator=(const CEditState&) = delete;

    EditMode Mode() const { return m_mode; }
    int Kind() const { return m_kind; }
    // The mode's tool handles the views' mouse from now on.
    void SetMode(EditMode mode, int kind = kPlaceNone);
    CEditTool& Tool() const;

    // Quarter turns (0 to 3) of what is placed or pasted next.
    int Rotation() const { return m_rotation; }
    void SetRotation(int rotation) { m_rotation = rotation & 3; }
    // A right click while placing: (rotation + 3) mod 4, the ghost hidden and shown around.
    void TurnPlacement();

    CPlacementGhost& Ghost() { return m_ghost; }
    CInternalClipboard& Clipboard() { return m_clipboard; }
    const CInternalClipboard& Clipboard() const { return m_clipboard; }
    CFindRequest& FindParameters() { return m_find; }
    CEditHooks& Hooks() { return m_hooks; }

    // The status-bar name of the kind being placed: "Text", "Label: VOUT", the element's
    // name...
    std::string KindName(CLibraryData& library) const;

private:
    EditMode m_mode = EditMode::Select;
    int m_kind = kPlaceNone;
    int m_rotation = 0;
    CPlacementGhost m_ghost;
    CInternalClipboard m_clipboard;
    CFindRequest m_find;
    CEditHooks m_hooks;
    std::array<std::unique_ptr<CEditTool>, 8> m_tools;  // by mode value
};

}  // namespace kestro
