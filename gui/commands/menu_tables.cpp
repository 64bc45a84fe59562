#include "gui/commands/menu_tables.h"

#include "gui/commands/command_ids.h"

namespace kestro {

QString CMenuEntry::Text() const {
    return shownKey.isEmpty() ? label : label + '\t' + shownKey;
}

namespace {

using Kind = CMenuEntry::Kind;

CMenuEntry Item(int id, const char* label, const char* key = "") {
    return {Kind::Item, id, label, key, {}};
}

CMenuEntry Separator() {
    return {Kind::Separator, 0, {}, {}, {}};
}

CMenuEntry Popup(const char* label, std::vector<CMenuEntry> entries, int id = 0) {
    return {Kind::Popup, id, label, {}, std::move(entries)};
}

// The schematic File menu; the main frame's is the same.
CMenuEntry SchematicFileMenu() {
    return Popup("&File", {Item(kIdFileNew, "&New", "Ctrl+N"),
                           Item(kIdFileOpen, "&Open...", "Ctrl+O"),
                           Item(kIdFileClose, "&Close"),
                           Item(kIdCloseAll, "Close All"),
                           Separator(),
                           Item(kIdFileSave, "&Save", "Ctrl+S"),
                           Item(kIdFileSaveAs, "Save &As..."),
                           Item(kIdSaveAll, "Save All"),
                           Item(kIdFileExport, "&Export..."),
                           Separator(),
                           Item(kIdFilePrint, "&Print...", "Ctrl+P"),
                           Item(kIdFilePrintPreview, "Print Pre&view"),
                           Item(kIdPrintSelected, "Print Selected"),
                           Item(kIdPrintSelectedPreview, "Print Selected Preview"),
                           Item(kIdPrintBlackWhite, "Print Black and White"),
                           Item(kIdPrintPageSetup, "Print Page Setup"),
                           Item(kIdFilePrintSetup, "P&rinter Setup..."),
                           Separator(),
                           Item(kIdFileMruFirst, "Recent File"),
                           Separator(),
                           Item(kIdAppExit, "E&xit")});
}

CMenuEntry SchematicEditMenu(bool clipboardSubmenu) {
    CMenuEntry clipboard =
        clipboardSubmenu ? Popup("Copy to Clip&board",
                                 {Item(kIdCopyClipboardColor, "Color"),
                                  Item(kIdCopyClipboardBlackWhite, "Black and White", "Ctrl+B")})
                         : Item(kIdCopyClipboardColor, "Copy to Clip&board");
    return Popup("&Edit", {Item(kIdEditUndo, "Undo Delete", "Ctrl+Z"),
                           Item(kIdEditRedo, "Redo", "Ctrl+Y"),
                           Separator(),
                           Item(kIdEditCut, "C&ut", "Ctrl+X"),
                           Item(kIdEditCopy, "&Copy", "Ctrl+C"),
                           Item(kIdEditPaste, "&Paste", "Ctrl+V"),
                           Item(kIdSelectAll, "Select &All"),
                           clipboard,
                           Separator(),
                           Item(kIdText, "&Text", "F9"),
                           Item(kIdWire, "&Wire"),
                           Item(kIdLabel, "&Label", "F2"),
                           Item(kIdAttributes, "Attributes", "F4"),
                           Separator(),
                           Item(kIdRotate, "&Rotate"),
                           Item(kIdFlipLeftRight, "&Flip  L/R"),
                           Item(kIdFlipTopBottom, "&Flip  T/B"),
                           Separator(),
                           Item(kIdEditFind, "Find", "F3"),
                           Item(kIdFindNext, "Find Next", "Alt+F3"),
                           Separator(),
                           Item(kIdEditLibrary, "Edit Library"),
                           Item(kIdEscape, "Escape")});
}

CMenuEntry SchematicViewMenu() {
    return Popup("&View", {Item(kIdViewStatusBar, "&Status Bar"), Item(kIdViewToolbar, "&Toolbar"),
                           Item(kIdElementToolbar, "Element Toolbar"), Separator(),
                           Item(kIdZoomIn, "Zoom &In", "+"), Item(kIdZoomOut, "Zoom &Out", "-"),
                           Item(kIdFitToPage, "&Fit to Page"), Item(kIdZoomBox, "Zoom in Selected"),
                           Separator(), Item(kIdListElements, "List Elements")});
}

CMenuEntry SchematicSubcircuitMenu(bool displayItems) {
    std::vector<CMenuEntry> entries{Item(kIdNewSubcircuit, "&New Subcircuit"),
                                    Item(kIdLoadSubcircuit, "&Load Subcircuit"),
                                    Item(kIdAttributes, "Edit Subcircuit", "F4"),
                                    Item(kIdPlacePort, "&Place Port"), Separator()};
    if (displayItems) {
        entries.push_back(Item(kIdDisplayPorts, "Display Ports"));
        entries.push_back(Item(kIdDisplayName, "Display Name"));
        entries.push_back(Separator());
    }
    entries.push_back(Item(kIdSubcircuitList, "Subcircuit List", "F5"));
    entries.push_back(Item(kIdOnePageUp, "One Page Up", "Back Space"));
    entries.push_back(Item(kIdTopPage, "Top Page", "Alt+F5"));
    return Popup("&Subcircuit", std::move(entries));
}

CMenuEntry SimulateMenu() {
    return Popup("Si&mulate", {Item(kIdSimulationControl, "Simulation Control"), Separator(),
                               Item(kIdRunTarn, "Run TARN", "F8"),
                               Item(kIdRunGraphon, "Run GRAPHON", "Ctrl+F8")});
}

CMenuEntry OptionsMenu() {
    return Popup("&Options", {Item(kIdSettings, "Settings..."), Item(kIdChangeColors, "&Colors..."),
                              Item(kIdAutoExitTarn, "Auto-exit TARN")});
}

CMenuEntry WindowMenu(bool newWindow) {
    std::vector<CMenuEntry> entries;
    if (newWindow) entries.push_back(Item(kIdWindowNew, "&New Window"));
    entries.push_back(Item(kIdWindowCascade, "&Cascade"));
    entries.push_back(Item(kIdWindowTile, "&Tile"));
    entries.push_back(Item(kIdWindowArrange, "&Arrange Icons"));
    return Popup("&Window", std::move(entries));
}

CMenuEntry HelpMenu() {
    return Popup("&Help", {Item(kIdHelpIndex, "Index", "F1"), Separator(),
                           Item(kIdAppAbout, "&About KESTRO...")});
}

std::vector<CMenuEntry> SchematicMenu() {
    return {SchematicFileMenu(),
            SchematicEditMenu(true),
            SchematicViewMenu(),
            SchematicSubcircuitMenu(true),
            Popup("E&lements", {}, kIdElementsMenu),
            SimulateMenu(),
            OptionsMenu(),
            WindowMenu(true),
            HelpMenu()};
}

// The schematic menu without the items that need a schematic window.
std::vector<CMenuEntry> MainMenu() {
    return {SchematicFileMenu(), SchematicEditMenu(false),
            SchematicViewMenu(), SchematicSubcircuitMenu(false),
            SimulateMenu(),      OptionsMenu(),
            WindowMenu(true),    HelpMenu()};
}

std::vector<CMenuEntry> LibraryMenu() {
    return {
        Popup("&Library",
              {Item(kIdFileNew, "&New Element"), Item(kIdFileOpen, "&Open...", "Ctrl+O"),
               Item(kIdFileClose, "&Close"), Item(kIdCloseAll, "Close All"), Separator(),
               Item(kIdFileSaveAs, "Save Element &As..."),
               Item(kIdFileSave, "&Save Library", "Ctrl+S"),
               Item(kIdReloadLibrary, "Reload Library"), Separator(), Item(kIdAppExit, "E&xit")}),
        Popup(
            "&Edit",
            {Item(kIdEditUndo, "&Undo", "Ctrl+Z"), Item(kIdEditRedo, "&Redo", "Ctrl+Y"),
             Separator(), Item(kIdEditCut, "C&ut", "Ctrl+X"), Item(kIdEditCopy, "&Copy", "Ctrl+C"),
             Item(kIdEditPaste, "&Paste", "Ctrl+V"), Separator(), Item(kIdText, "&Text", "F9"),
             Separator(), Item(kIdChangeLibraryFonts, "Change Library Fonts"),
             Item(kIdResetOutputs, "Reset Outputs"), Item(kIdSetSize, "Set Size")}),
        Popup("&View",
              {Item(kIdViewToolbar, "&Toolbar"), Item(kIdViewStatusBar, "&Status Bar"),
               Item(kIdDrawingTools, "Drawing Tools"), Item(kIdMenuEditor, "Menu Editor"),
               Separator(), Item(kIdZoomIn, "Zoom &in", "+"), Item(kIdZoomOut, "Zoom &out", "-"),
               Separator(), Item(kIdAttributes, "Attributes", "F4")}),
        WindowMenu(false)};
}

CAccelerator Key(QKeyCombination key, int id) {
    return {key, id};
}

// Tables 128 and 130 are the same.
std::vector<CAccelerator> FrameAccelerators() {
    return {Key(Qt::CTRL | Qt::Key_C, kIdEditCopy), Key(Qt::CTRL | Qt::Key_Insert, kIdEditCopy),
            Key(Qt::CTRL | Qt::Key_N, kIdFileNew), Key(Qt::CTRL | Qt::Key_O, kIdFileOpen),
            Key(Qt::CTRL | Qt::Key_P, kIdFilePrint), Key(Qt::CTRL | Qt::Key_S, kIdFileSave),
            Key(Qt::CTRL | Qt::Key_V, kIdEditPaste), Key(Qt::SHIFT | Qt::Key_Insert, kIdEditPaste),
            Key(Qt::CTRL | Qt::Key_X, kIdEditCut), Key(Qt::SHIFT | Qt::Key_Delete, kIdEditCut),
            Key(Qt::CTRL | Qt::Key_Z, kIdEditUndo), Key(Qt::CTRL | Qt::Key_Y, kIdEditRedo),
            Key(Qt::CTRL | Qt::SHIFT | Qt::Key_Z, kIdEditRedo),
            Key(Qt::ALT | Qt::Key_Backspace, kIdEditUndo),
            Key(QKeyCombination(Qt::Key_F1), kIdHelpIndex),
            Key(QKeyCombination(Qt::Key_F4), kIdAttributes),
            Key(QKeyCombination(Qt::Key_F6), kIdNextPane),
            Key(Qt::SHIFT | Qt::Key_F6, kIdPreviousPane),
            Key(QKeyCombination(Qt::Key_Tab), kIdSelectNext),
            // Qt reports Shift+Tab as Backtab; both spellings are taken.
            Key(Qt::SHIFT | Qt::Key_Backtab, kIdSelectPrevious),
            Key(Qt::SHIFT | Qt::Key_Tab, kIdSelectPrevious)};
}

std::vector<CAccelerator> SchematicAccelerators() {
    return {Key(QKeyCombination(Qt::Key_Plus), kIdZoomIn),
            Key(Qt::KeypadModifier | Qt::Key_Plus, kIdZoomIn),
            Key(QKeyCombination(Qt::Key_Minus), kIdZoomOut),
            Key(Qt::KeypadModifier | Qt::Key_Minus, kIdZoomOut),
            Key(Qt::CTRL | Qt::Key_B, kIdCopyClipboardBlackWhite),
            Key(Qt::CTRL | Qt::Key_C, kIdEditCopy),
            Key(Qt::CTRL | Qt::Key_Insert, kIdEditCopy),
            Key(Qt::CTRL | Qt::Key_N, kIdFileNew),
            Key(Qt::CTRL | Qt::Key_O, kIdFileOpen),
            Key(Qt::CTRL | Qt::Key_P, kIdFilePrint),
            Key(Qt::CTRL | Qt::Key_S, kIdFileSave),
            Key(Qt::CTRL | Qt::Key_V, kIdEditPaste),
            Key(Qt::SHIFT | Qt::Key_Insert, kIdEditPaste),
            Key(Qt::CTRL | Qt::Key_X, kIdEditCut),
            Key(Qt::SHIFT | Qt::Key_Delete, kIdEditCut),
            Key(QKeyCombination(Qt::Key_Backspace), kIdOnePageUp),
            Key(QKeyCombination(Qt::Key_Escape), kIdSelectMode),
            Key(QKeyCombination(Qt::Key_Up), kIdScrollLineUp),
            Key(QKeyCombination(Qt::Key_Down), kIdScrollLineDown),
            Key(QKeyCombination(Qt::Key_Right), kIdScrollLineRight),
            Key(QKeyCombination(Qt::Key_Left), kIdScrollLineLeft),
            Key(QKeyCombination(Qt::Key_PageUp), kIdScrollPageUp),
            Key(QKeyCombination(Qt::Key_PageDown), kIdScrollPageDown),
            Key(QKeyCombination(Qt::Key_Home), kIdScrollPageLeft),
            Key(QKeyCombination(Qt::Key_End), kIdScrollPageRight),
            Key(Qt::CTRL | Qt::Key_PageUp, kIdScrollToTop),
            Key(Qt::CTRL | Qt::Key_PageDown, kIdScrollToBottom),
            Key(Qt::CTRL | Qt::Key_Home, kIdScrollToLeft),
            Key(Qt::CTRL | Qt::Key_End, kIdScrollToRight),
            Key(QKeyCombination(Qt::Key_Tab), kIdSelectNext),
            Key(Qt::SHIFT | Qt::Key_Backtab, kIdSelectPrevious),
            Key(Qt::SHIFT | Qt::Key_Tab, kIdSelectPrevious),
            Key(QKeyCombination(Qt::Key_F1), kIdHelpIndex),
            Key(QKeyCombination(Qt::Key_F2), kIdLabel),
            Key(QKeyCombination(Qt::Key_F3), kIdFindNext),
            Key(Qt::ALT | Qt::Key_F3, kIdEditFind),
            Key(QKeyCombination(Qt::Key_F4), kIdAttributes),
            Key(QKeyCombination(Qt::Key_F5), kIdSubcircuitList),
            Key(Qt::ALT | Qt::Key_F5, kIdTopPage),
            Key(QKeyCombination(Qt::Key_F6), kIdNextPane),
            Key(Qt::SHIFT | Qt::Key_F6, kIdPreviousPane),
            Key(QKeyCombination(Qt::Key_F8), kIdRunTarn),
            Key(Qt::ALT | Qt::Key_F8, kIdRunGraphon),
            Key(QKeyCombination(Qt::Key_F9), kIdText)};
}

}  // namespace

std::vector<CMenuEntry> MenuResource(int resource) {
    switch (resource) {
        case kMenuMain:
            return MainMenu();
        case kMenuSchematic:
            return SchematicMenu();
        case kMenuLibrary:
            return LibraryMenu();
        default:
            return {};
    }
}

std::vector<CAccelerator> AcceleratorTable(int table) {
    switch (table) {
        case kMenuMain:
        case kMenuLibrary:
            return FrameAccelerators();
        case kMenuSchematic:
            return SchematicAccelerators();
        default:
            return {};
    }
}

std::vector<int> MainToolbarButtons() {
    return {kIdFileNew,
            kIdFileOpen,
            kIdFileSave,
            kIdFilePrint,
            0,
            kIdEditCut,
            kIdEditCopy,
            kIdEditPaste,
            kIdCopyClipboardBlackWhite,
            0,
            kIdRotate,
            kIdFlipLeftRight,
            kIdFlipTopBottom,
            0,
            kIdWire,
            kIdLabel,
            kIdEscape,
            0,
            kIdZoomIn,
            kIdZoomOut,
            kIdZoomBox,
            kIdFitToPage,
            0,
            kIdRunTarn,
            0,
            kIdRunGraphon,
            0,
            kIdText};
}

std::vector<int> DrawingToolbarButtons() {
    return {kIdToolLine,        kIdToolRectangle,   kIdToolCircle,
            kIdToolHalfCircle0, kIdToolHalfCircle3, kIdToolHalfCircle2,
            kIdToolHalfCircle1, kIdToolText,        kIdToolSelect};
}

std::vector<int> ElementToolbarButtons() {
    const int elements[] = {0,  7, 5,  6,  12, 13, 15, 16, 17, 19, -1, 107, 71, -1, 23, 25, 24, -1,
                            26, 1, 77, 78, 79, -1, 69, 70, -1, 35, 36, 39,  40, 38, 97, 49, 57, 58};
    std::vector<int> ids;
    for (const int e : elements)
        ids.push_back(e < 0 ? 0 : kIdFirstElement + e);
    return ids;
}

}  // namespace kestro
