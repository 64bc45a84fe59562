#pragma once

#include <QString>
#include <vector>

#include "core/library/menu_stream.h"

class QMenu;
class QWidget;

namespace kestro {

class CCommandTable;
class CLibraryData;
class CMainFrame;

// The "Elements" pop-up of the schematic menu, built from the library's menu tree: a
// pop-up per popup, a separator per separator, and per element entry an item that sends
// 5000 + the element's index through the command table. A level without entries holds
// one separator. Each item's status prompt is its element's description.
QMenu* BuildElementsMenu(const std::vector<CMenuItem>& items, const QString& title,
                         CLibraryData& library, CCommandTable& commands, QWidget* parent);

// Puts the "Elements" pop-up built from the library's menu stream into the schematic
// menu in place of the one there (or of the placeholder), with the same label.
void RebuildElementsMenu(CMainFrame& frame, CLibraryData& library);

}  // namespace kestro
