#pragma once

#include <QDialog>
#include <QKeySequence>
#include <cstdint>
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
class CLibraryEditStep;
class CLibraryHistory;
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
    // The library's undo history, shared with the library windows; null or empty: Undo
    // and Redo are disabled.
    std::function<CLibraryHistory*()> history;
    // Undo (true) or redo of the library's last change, the way the library windows do
    // it: what other windows hold is handed in first, and everything showing the library
    // (this tree too) follows after.
    std::function<void(bool undo)> moveInHistory;
    // A change of the tree was recorded in the library's history.
    std::function<void()> stepRecorded;
};

// The modeless "Menu Editor": the working copy of the library's element menus as a tree,
// rearranged by dragging, the right-button menu, label editing and the Delete key, with
// the commands of its own menu. Every gesture is one step of the library's undo history:
// the library's menus follow the tree as it changes (empty pop-ups kept, so that undo
// brings back what the tree showed); saving the library stores the tree tidied.
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
    // Before an undo or redo: a running drag is given up and the library's menus are the
    // tree as it stands (a save may have stored them tidied).
    void HandInTree();
    // The tree built again from the library's menus (they were put back by an undo); the
    // pop-ups open and the current item stay as they were where they still exist.
    void ReloadTree();
    // Undo (true) or redo of the library's last change, from wherever it was made.
    void MoveInHistory(bool undo);
    // "Undo <step>" and "Redo <step>" as the library's history has them now.
    void UpdateUndoCommands();
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
    void Insert(QTreeWidgetItem* item, const char* step);
    // The tree as the library's menus hold it while it is edited.
    std::vector<uint8_t> WorkingMenus() const;
    // One gesture as one library step: Begin takes the menus as the tree had them before
    // it, Commit the tree as it is now. A gesture that changed nothing records nothing.
    void BeginTreeStep(CLibraryEditStep& step);
    void CommitTreeStep(CLibraryEditStep& step);
    void RecordTreeChange(const QString& step);
    CLibraryHistory* History() const;
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
    // The working menus of the tree as it was after the last gesture or rebuild.
    std::vector<uint8_t> m_treeMenus;
    // Where the context menu's commands insert (the item under the mouse).
    QTreeWidgetItem* m_insertAfter = nullptr;
    bool m_fromContextMenu = false;
};

}  // namespace kestro
