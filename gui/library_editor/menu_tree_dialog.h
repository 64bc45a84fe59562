#pragma once

#include <QDialog>
#include <QKeySequence>
#include <functional>
#include <vector>

#include "core/library/menu_stream.h"

class QAction;
class QMenu;
class QTreeWidgetItem;

namespace kestro {

class CKestroAttributes;
class CLibElement;
class CLibraryData;
class CMenuTree;
class CPrompts;

// What the menu editor uses of the rest of the editor.
struct CMenuEditorServices {
    CLibraryData* library = nullptr;
    CPrompts* prompts = nullptr;
    CKestroAttributes* attributes = nullptr;
    // The documents' save questions, then every document closed; false when cancelled.
    std::function<bool()> closeAllDocuments;
    // "Save Library": the library saved (with this tree) and the "Elements" menu rebuilt.
    std::function<bool()> saveLibrary;
    // Opens an element in the library symbol editor; empty while there is none.
    std::function<void(CLibElement&)> openElement;
    // Keys the editor does not use go to the main frame's accelerators.
    std::function<bool(const QKeySequence&)> offerKey;
    // The library's elements were renumbered (one was deleted).
    std::function<void()> elementsRenumbered;
    // "Transfer old version Library ": the library replaced by one transferred from the
    // previous version's files (this editor goes first); empty: the command is disabled.
    std::function<void()> transferLibrary;
    // "Change Library Fonts": the four symbol text fonts; empty: the command is disabled.
    std::function<void()> changeLibraryFonts;
    // "New Element": a new element named by the user; empty: the command is disabled.
    std::function<void()> newElement;
};

// The modeless "Menu Editor": the working copy of the library's element menus as a tree,
// rearranged by dragging, the right-button menu, label editing and the Delete key, with
// the commands of its own menu. Every change marks the library modified; saving the
// library takes this tree.
class CMenuTreeDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kDeleteQuestion = "Do you want to Delete '%s' ?";
    static constexpr const char* kDeleteOldQuestion =
        "This element is part of Kestro 2.0 Library.\nIf deleted old version files(Kestro 2.0) "
        "will not be fully loaded.\nDo you want to Delete '%s' ?";

    CMenuTreeDialog(CMenuEditorServices services, QWidget* parent);

    CMenuTree* Tree() const { return m_tree; }
    // The tree as menu items (pop-ups, separators, element entries with their labels).
    std::vector<CMenuItem> TreeItems() const;
    // Writes the tree into the library's menu stream as it is saved; entries take their
    // elements' names, here too.
    void WriteTreeToStream();
    // The tree built again from the library's menus (they were put back by an undo).
    void ReloadTree() { BuildTree(); }
    // The command actions of the editor's menu, by command id.
    QAction* CommandAction(int id) const;

    // An entry for a new element at the end of the top level.
    void AppendElementEntry(int identifier);

    // The commands (also reachable by their menu items).
    void AddSeparator();
    void AddPopupMenu();
    // The Delete key's rules for the item.
    void DeleteItem(QTreeWidgetItem* item);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateMenu();
    QAction* AddCommand(QMenu* menu, int id, const QString& label, bool enabled);
    void BuildTree();
    void Insert(QTreeWidgetItem* item);
    void MarkModified();
    void OnItemChosen(QTreeWidgetItem* item);
    void OnAttributesRequested(QTreeWidgetItem* item);
    void OnCurrentChanged(QTreeWidgetItem* item);
    void ShowContextMenu(QTreeWidgetItem* item, const QPoint& at);
    void DeletePopup(QTreeWidgetItem* item);
    void DeleteElement(QTreeWidgetItem* item);
    void RenumberAfterDeletion(int index);
    void RefreshElementLabels();
    CLibElement* ElementOf(const QTreeWidgetItem* item) const;

    CMenuEditorServices m_services;
    CMenuTree* m_tree;
    std::vector<QAction*> m_commands;
    // Where the context menu's commands insert (the item under the mouse).
    QTreeWidgetItem* m_insertAfter = nullptr;
    bool m_fromContextMenu = false;
};

}  // namespace kestro
