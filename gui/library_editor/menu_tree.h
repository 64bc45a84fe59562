#pragma once

#include <QPointer>
#include <QStringList>
#include <vector>

#include "gui/library_editor/drag_order_tree.h"

namespace kestro {

// The tree of the menu editor: pop-ups, element entries and separators. Items are moved
// by dragging them with the left button: dropped on an element or a separator an item
// goes after it; dropped on a pop-up it becomes the pop-up's first entry, or, with Ctrl
// held, goes after the pop-up. A drop on the item itself or inside it is refused with a
// beep; the right button or Escape cancels a drag. Only pop-up labels can be edited
// (F2, or a click on the selected pop-up).
class CMenuTree : public CDragOrderTree {
    Q_OBJECT
public:
    enum class Kind { Popup, Separator, Element };
    static constexpr int kKindRole = Qt::UserRole;
    static constexpr int kElementRole = Qt::UserRole + 1;
    static constexpr int kLabelRole = Qt::UserRole + 2;  // the last accepted label
    // The label's bytes as the library holds them (older libraries hold Windows-1252),
    // written back while the label shows them unchanged.
    static constexpr int kStoredLabelRole = Qt::UserRole + 3;
    static constexpr const char* kSeparatorText = "__________";
    static constexpr const char* kNewPopupText = "New Popup Menu";

    explicit CMenuTree(QWidget* parent = nullptr);

    static QTreeWidgetItem* NewPopup(const QString& label);
    static QTreeWidgetItem* NewSeparator();
    static QTreeWidgetItem* NewElement(int index, const QString& label);
    static Kind KindOf(const QTreeWidgetItem* item);
    static int ElementOf(const QTreeWidgetItem* item);

    // Puts `item` after `after` among `after`'s siblings, or at the end of the top level
    // when `after` is null.
    void InsertAfter(QTreeWidgetItem* item, QTreeWidgetItem* after);
    // Moves `item` to the end of `parent`'s entries (the top level when null).
    void MoveToEnd(QTreeWidgetItem* item, QTreeWidgetItem* parent);
    // The drop rules above; false (with a beep) when the drop is refused.
    bool Drop(QTreeWidgetItem* dragged, QTreeWidgetItem* target, bool ctrl);
    // A pop-up label is being edited in place.
    bool IsEditing() const { return state() == EditingState; }
    // The item the last context menu was asked over (null: none).
    QTreeWidgetItem* ContextItem() const { return m_contextItem; }

    // What the user sees of the tree, kept while its items are built again: the open
    // pop-ups (by their labels from the top) and the current item (its kind and label,
    // and where it stood).
    struct CViewState {
        QList<QStringList> openPopups;
        Kind currentKind = Kind::Separator;
        QString currentText;
        std::vector<int> currentPlace;  // indices from the top level down; empty: none
    };
    CViewState ViewState() const;
    // Opens the pop-ups again and makes current the same item, or else the one now at its
    // place (or the last one of that level, or its pop-up).
    void RestoreViewState(const CViewState& state);

signals:
    void Beeped();
    // The tree changed (an item moved or a pop-up was renamed); `step` names the change
    // for the undo history ("Move Entry", "Rename Popup").
    void Changed(const QString& step);
    // Double click or Enter on an item.
    void ItemChosen(QTreeWidgetItem* item);
    void DeleteRequested(QTreeWidgetItem* item);
    void AttributesRequested(QTreeWidgetItem* item);
    void ContextMenuRequested(QTreeWidgetItem* item, const QPoint& globalPosition);

protected:
    void DropDragged(QTreeWidgetItem* dragged, QTreeWidgetItem* target,
                     Qt::KeyboardModifiers modifiers) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;

private:
    void Beep();
    void OnItemChanged(QTreeWidgetItem* item, int column);
    // Moves the item with its entries under `parent` (the top level when null) at `index`
    // (counted without the item); what was open in it stays open.
    void Move(QTreeWidgetItem* item, QTreeWidgetItem* parent, int index);
    void Insert(QTreeWidgetItem* parent, int index, QTreeWidgetItem* item);

    QTreeWidgetItem* m_contextItem = nullptr;
};

}  // namespace kestro
