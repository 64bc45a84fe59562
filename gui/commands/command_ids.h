#pragma once

// The fixed numbers of menu, toolbar and accelerator commands, and of the menus,
// accelerator tables and toolbar images that hold them.

namespace kestro {

// Menu and accelerator table resources.
inline constexpr int kMenuMain = 128;       // no document window open
inline constexpr int kMenuSchematic = 129;  // a schematic window is active
inline constexpr int kMenuLibrary = 130;    // a library element window is active

// File
inline constexpr int kIdFileNew = 57600;
inline constexpr int kIdFileOpen = 57601;
inline constexpr int kIdFileClose = 57602;
inline constexpr int kIdFileSave = 57603;
inline constexpr int kIdFileSaveAs = 57604;
inline constexpr int kIdFilePrintSetup = 57606;
inline constexpr int kIdFilePrint = 57607;
inline constexpr int kIdFilePrintPreview = 57609;
inline constexpr int kIdFileMruFirst = 57616;
inline constexpr int kIdPrintSelected = 34050;
inline constexpr int kIdPrintSelectedPreview = 34051;
inline constexpr int kIdSaveAll = 34052;
inline constexpr int kIdCloseAll = 34053;
inline constexpr int kIdPrintPageSetup = 34054;
inline constexpr int kIdFileExport = 34056;
inline constexpr int kIdPrintBlackWhite = 35021;
inline constexpr int kIdAppExit = 57665;

// Edit
inline constexpr int kIdEditUndo = 57643;
inline constexpr int kIdEditRedo = 57644;
inline constexpr int kIdEditCut = 57635;
inline constexpr int kIdEditCopy = 57634;
inline constexpr int kIdEditPaste = 57637;
inline constexpr int kIdEditFind = 57636;
inline constexpr int kIdCopyClipboardColor = 32771;
inline constexpr int kIdRotate = 32772;
inline constexpr int kIdFlipLeftRight = 32773;
inline constexpr int kIdFlipTopBottom = 32774;
inline constexpr int kIdFindNext = 32775;
inline constexpr int kIdEscape = 32776;
inline constexpr int kIdSelectAll = 32777;
inline constexpr int kIdSelectMode = 32778;
inline constexpr int kIdText = 33001;
inline constexpr int kIdWire = 33000;
inline constexpr int kIdLabel = 33002;
inline constexpr int kIdAttributes = 32826;
inline constexpr int kIdEditLibrary = 34102;
inline constexpr int kIdCopyClipboardBlackWhite = 35019;
// The Delete key of a schematic view (no menu item).
inline constexpr int kIdEditClear = 57632;

// Scrolling and stepping through objects (keys only)
inline constexpr int kIdScrollLineUp = 32781;
inline constexpr int kIdScrollLineDown = 32782;
inline constexpr int kIdScrollLineRight = 32783;
inline constexpr int kIdScrollLineLeft = 32784;
inline constexpr int kIdScrollPageUp = 32785;
inline constexpr int kIdScrollPageDown = 32786;
inline constexpr int kIdScrollPageLeft = 32787;
inline constexpr int kIdScrollPageRight = 32788;
inline constexpr int kIdScrollToTop = 32789;
inline constexpr int kIdScrollToBottom = 32790;
inline constexpr int kIdScrollToLeft = 32791;
inline constexpr int kIdScrollToRight = 32792;
inline constexpr int kIdSelectNext = 32793;
inline constexpr int kIdSelectPrevious = 32794;

// View
inline constexpr int kIdViewToolbar = 59392;
inline constexpr int kIdViewStatusBar = 59393;
inline constexpr int kIdElementToolbar = 32829;
inline constexpr int kIdDrawingTools = 32825;
inline constexpr int kIdMenuEditor = 32824;
inline constexpr int kIdZoomIn = 32820;
inline constexpr int kIdZoomOut = 32821;
inline constexpr int kIdZoomBox = 32822;
inline constexpr int kIdFitToPage = 32823;
inline constexpr int kIdListElements = 32827;

// Subcircuit
inline constexpr int kIdNewSubcircuit = 34000;
inline constexpr int kIdLoadSubcircuit = 34001;
inline constexpr int kIdPlacePort = 34003;
inline constexpr int kIdSubcircuitList = 34004;
inline constexpr int kIdTopPage = 34005;
inline constexpr int kIdOnePageUp = 34006;
inline constexpr int kIdDisplayPorts = 35020;
inline constexpr int kIdDisplayName = 35022;

// Elements, simulation, options
inline constexpr int kIdElementsMenu = 33500;
inline constexpr int kIdSimulationControl = 34020;
inline constexpr int kIdRunTarn = 34021;
inline constexpr int kIdRunGraphon = 34022;
inline constexpr int kIdSettings = 34200;
inline constexpr int kIdChangeColors = 34201;
inline constexpr int kIdAutoExitTarn = 34202;
inline constexpr int kIdLibraryTransfer = 34100;
inline constexpr int kIdReloadLibrary = 34103;

// Menu editor (its own menu)
inline constexpr int kIdAddSeparator = 34120;
inline constexpr int kIdAddPopupMenu = 34121;
inline constexpr int kIdNewLibraryElement = 34122;
inline constexpr int kIdSaveLibrary = 34104;
inline constexpr int kIdEditLabel = 34126;
inline constexpr int kIdEditPort = 34127;

// Library element window
inline constexpr int kIdChangeLibraryFonts = 34123;
inline constexpr int kIdResetOutputs = 34124;
inline constexpr int kIdSetSize = 34125;
inline constexpr int kIdToolSelect = 34300;
inline constexpr int kIdToolLine = 34301;
inline constexpr int kIdToolCircle = 34302;
inline constexpr int kIdToolHalfCircle0 = 34303;
inline constexpr int kIdToolHalfCircle3 = 34304;
inline constexpr int kIdToolHalfCircle2 = 34305;
inline constexpr int kIdToolHalfCircle1 = 34306;
inline constexpr int kIdToolText = 34307;
inline constexpr int kIdToolRectangle = 34308;

// Window and help
inline constexpr int kIdWindowNew = 57648;
inline constexpr int kIdWindowArrange = 57649;
inline constexpr int kIdWindowCascade = 57650;
inline constexpr int kIdWindowTile = 57651;
inline constexpr int kIdNextPane = 57680;
inline constexpr int kIdPreviousPane = 57681;
inline constexpr int kIdHelpIndex = 57670;
inline constexpr int kIdAppAbout = 57664;

// Library elements: 5000 + the element's index.
inline constexpr int kIdFirstElement = 5000;
inline constexpr int kIdLastElement = 6000;

// Status texts that are not commands.
inline constexpr int kIdsReady = 57345;
inline constexpr int kIdsProcessing = 57430;

}  // namespace kestro
