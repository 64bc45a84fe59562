#include "gui/resources/string_table.h"

#include <map>

#include "gui/commands/command_ids.h"

namespace kestro {

namespace {

const std::map<int, const char*>& Table() {
    static const std::map<int, const char*> table{
        // File
        {kIdFileNew, "Create a new schematic\nNew"},
        {kIdFileOpen, "Open an existing schematic\nOpen"},
        {kIdFileClose, "Close the active window\nClose"},
        {kIdCloseAll, "Close all schematics\nClose All"},
        {kIdFileSave, "Save the active schematic\nSave"},
        {kIdFileSaveAs, "Save the active schematic under a new name\nSave As"},
        {kIdSaveAll, "Save all modified schematics\nSave All"},
        {kIdFilePrint, "Print the active schematic\nPrint"},
        {kIdFilePrintPreview, "Show the printed pages on the screen\nPrint Preview"},
        {kIdPrintSelected, "Print the selected area\nPrint Selected"},
        {kIdPrintSelectedPreview,
         "Show the printed selected area on the screen\nPrint Selected Preview"},
        {kIdPrintBlackWhite, "Print the drawing in black and white\nPrint Black and White"},
        {kIdPrintPageSetup, "Edit the title block of the printed page\nPrint Page Setup"},
        {kIdFileExport, "Write the drawing as a PDF or SVG file\nExport"},
        {kIdFilePrintSetup, "Change the printer and printing options\nPrinter Setup"},
        {kIdFileMruFirst, "Open this schematic"},
        {kIdAppExit, "Quit the application; prompts to save documents\nExit"},
        // Edit
        {kIdEditUndo, "Take back the last change\nUndo"},
        {kIdEditRedo, "Make the change taken back last again\nRedo"},
        {kIdEditCut, "Cut the selection and put it on the clipboard\nCut"},
        {kIdEditCopy, "Copy the selection and put it on the clipboard\nCopy"},
        {kIdEditPaste, "Paste the selection\nPaste"},
        {kIdSelectAll, "Select every object of the schematic\nSelect All"},
        {kIdCopyClipboardColor,
         "Copy the drawing to the clipboard as a picture\nCopy to Clipboard"},
        {kIdCopyClipboardBlackWhite,
         "Copy the drawing to the clipboard as a black and white picture\nCopy Black and White"},
        {kIdText, "Place a new text\nText"},
        {kIdWire, "Draw wires\nWire"},
        {kIdLabel, "Place a label that joins nodes of one name\nLabel"},
        {kIdAttributes, "Show or hide the attribute window\nAttributes"},
        {kIdRotate, "Rotate the selection by a quarter turn\nRotate"},
        {kIdFlipLeftRight, "Mirror the selected object left to right\nFlip L/R"},
        {kIdFlipTopBottom, "Mirror the selected object top to bottom\nFlip T/B"},
        {kIdEditFind, "Find an element by type and name\nFind"},
        {kIdFindNext, "Find the next element like the last one found\nFind Next"},
        {kIdEditLibrary, "Edit the element library\nEdit Library"},
        {kIdEscape, "Select and move objects\nSelect"},
        {kIdSelectMode, "Select and move objects\nSelect"},
        {kIdSelectNext, "Select the next object\nNext Object"},
        {kIdSelectPrevious, "Select the previous object\nPrevious Object"},
        // View
        {kIdViewToolbar, "Show or hide the toolbar\nToggle ToolBar"},
        {kIdViewStatusBar, "Show or hide the status bar\nToggle StatusBar"},
        {kIdElementToolbar, "Show or hide the element toolbar\nElement Toolbar"},
        {kIdDrawingTools, "Show or hide the drawing tools\nDrawing Tools"},
        {kIdMenuEditor, "Show or hide the menu editor of the library\nMenu Editor"},
        {kIdZoomIn, "Zoom in\nZoom In"},
        {kIdZoomOut, "Zoom out\nZoom Out"},
        {kIdZoomBox, "Zoom an area by draging the left mouse button\nZoom Box"},
        {kIdFitToPage, "Zoom to fit page\nFit to Page"},
        {kIdListElements, "List the elements of the schematic\nList Elements"},
        {kIdScrollLineUp, "Scroll up\nScroll Up"},
        {kIdScrollLineDown, "Scroll down\nScroll Down"},
        {kIdScrollLineRight, "Scroll right\nScroll Right"},
        {kIdScrollLineLeft, "Scroll left\nScroll Left"},
        {kIdScrollPageUp, "Scroll up one page\nPage Up"},
        {kIdScrollPageDown, "Scroll down one page\nPage Down"},
        {kIdScrollPageLeft, "Scroll left one page\nPage Left"},
        {kIdScrollPageRight, "Scroll right one page\nPage Right"},
        {kIdScrollToTop, "Scroll to the top of the drawing\nTop"},
        {kIdScrollToBottom, "Scroll to the bottom of the drawing\nBottom"},
        {kIdScrollToLeft, "Scroll to the left edge of the drawing\nLeft Edge"},
        {kIdScrollToRight, "Scroll to the right edge of the drawing\nRight Edge"},
        // Subcircuit
        {kIdNewSubcircuit, "Place a new, empty subcircuit\nNew Subcircuit"},
        {kIdLoadSubcircuit, "Place a subcircuit from a schematic file\nLoad Subcircuit"},
        {kIdPlacePort, "Place a port of this subcircuit\nPlace Port"},
        {kIdDisplayPorts, "Edit ports\nDisplay Ports"},
        {kIdDisplayName, "Show or hide the file names of subcircuits\nDisplay Name"},
        {kIdSubcircuitList, "Go to one of the open circuits and subcircuits\nSubcircuit List"},
        {kIdOnePageUp, "Go one page up\nOne Page Up"},
        {kIdTopPage, "Go to top page\nTop Page"},
        // Elements and simulation
        {kIdElementsMenu, "Place an element of the library\nElements"},
        {kIdSimulationControl, "Place the simulation control\nSimulation Control"},
        {kIdRunTarn, "Run simulation engine TARN\nRun TARN"},
        {kIdRunGraphon, "Run waveform display program GRAPHON\nRun GRAPHON"},
        // Options
        {kIdSettings, "Change the options\nSettings"},
        {kIdChangeColors, "Change the drawing colors\nColors"},
        {kIdAutoExitTarn, "Exit TARN window after simulation\nExit TARN window after simulation"},
        {kIdLibraryTransfer, "Transfer a library of the previous version\nLibrary Transfer"},
        {kIdReloadLibrary, "Read the library file again\nReload Library"},
        // Library element window
        {kIdChangeLibraryFonts, "Change the fonts of symbol texts\nChange Library Fonts"},
        {kIdResetOutputs, "Reset output ports\nReset Outputs"},
        {kIdSetSize, "Set element size\nSet Size"},
        {kIdToolSelect, "Select, move and change shapes\nSelect"},
        {kIdToolLine, "Draw a line\nDraw Line"},
        {kIdToolCircle, "Draw a circle or an ellipse\nDraw Circle"},
        {kIdToolHalfCircle0, "Draw a half circle\nDraw Half Circle"},
        {kIdToolHalfCircle3, "Draw a half circle\nDraw Half Circle"},
        {kIdToolHalfCircle2, "Draw a half circle\nDraw Half Circle"},
        {kIdToolHalfCircle1, "Draw a half circle\nDraw Half Circle"},
        {kIdToolText, "Place a text in the symbol\nDraw Text"},
        {kIdToolRectangle, "Draw a rectangle\nDraw Rectangle"},
        // Window and help
        {kIdWindowNew, "Open another window on the active schematic\nNew Window"},
        {kIdWindowArrange, "Arrange icons at the bottom of the window\nArrange Icons"},
        {kIdWindowCascade, "Arrange windows so they overlap\nCascade Windows"},
        {kIdWindowTile, "Arrange windows as tiles that do not overlap\nTile Windows"},
        {kIdNextPane, "Switch to the next window pane\nNext Pane"},
        {kIdPreviousPane, "Switch back to the previous window pane\nPrevious Pane"},
        {kIdHelpIndex, "Show the help contents\nHelp Index"},
        {kIdAppAbout, "Show program information, version number and copyright\nAbout"},
        // Status texts
        {kIdsReady, "Ready"},
        {kIdsProcessing, "Processing, Please wait..."},
    };
    return table;
}

}  // namespace

QString StringTableEntry(int id) {
    const auto it = Table().find(id);
    return it == Table().end() ? QString() : QString::fromUtf8(it->second);
}

QString CommandPrompt(int id) {
    const QString entry = StringTableEntry(id);
    return entry.section('\n', 0, 0);
}

QString CommandTip(int id) {
    const QString entry = StringTableEntry(id);
    const qsizetype lineBreak = entry.indexOf('\n');
    return lineBreak < 0 ? entry : entry.mid(lineBreak + 1);
}

}  // namespace kestro
