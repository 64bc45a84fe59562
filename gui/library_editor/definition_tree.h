#pragma once

#include "gui/library_editor/drag_order_tree.h"

namespace kestro {

class CNetLine;

// The list of a library element's attribute definitions on the library page: one line
// per definition in a fixed-pitch font so the columns align. Each item carries its
// definition. Lines are reordered by dragging one with the left button onto another: it
// goes after that line. A drop outside the lines or on the dragged line beeps and keeps
// the order; the right button or Escape cancels the drag.
class CDefinitionTree : public CDragOrderTree {
    Q_OBJECT
public:
    explicit CDefinitionTree(QWidget* parent = nullptr);

    // A line for `definition` (its text and picture follow the definition).
    static QTreeWidgetItem* NewLine(CNetLine& definition);
    static void Refresh(QTreeWidgetItem* item);
    static CNetLine* DefinitionOf(const QTreeWidgetItem* item);
    // The definitions in the order of the lines.
    std::vector<CNetLine*> Definitions() const;
    // Moves `dragged` after `target` as a drop does; false (with a beep) when refused.
    bool Drop(QTreeWidgetItem* dragged, QTreeWidgetItem* target);

signals:
    void Beeped();
    // The lines were reordered by a drag.
    void Reordered();
    // Double click (or F2) on a line.
    void EditRequested(QTreeWidgetItem* item);
    // The Delete key on the selected line.
    void DeleteRequested(QTreeWidgetItem* item);

protected:
    void DropDragged(QTreeWidgetItem* dragged, QTreeWidgetItem* target,
                     Qt::KeyboardModifiers modifiers) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Beep();
};

}  // namespace kestro
