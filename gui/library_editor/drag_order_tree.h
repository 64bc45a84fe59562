#pragma once

#include <QTreeWidget>

class QLabel;

namespace kestro {

// A tree whose items the user reorders by dragging one with the left button: a picture
// of the item follows the mouse and the item under it is highlighted; letting go drops
// it there, the right button gives the drag up. What a drop means is the subclass's.
class CDragOrderTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit CDragOrderTree(QWidget* parent = nullptr) : QTreeWidget(parent) {}

    bool IsDragging() const { return m_dragging; }
    // Gives a running drag up (Escape, the right button, the items about to be replaced)
    // and forgets the item pressed.
    void EndDrag();

protected:
    // `dragged` let go over `target` (null: outside the items), with these keys held.
    virtual void DropDragged(QTreeWidgetItem* dragged, QTreeWidgetItem* target,
                             Qt::KeyboardModifiers modifiers) = 0;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void StartDrag();
    void ShowDropTarget(QTreeWidgetItem* target);

    QTreeWidgetItem* m_pressed = nullptr;
    QPoint m_pressPosition;
    bool m_dragging = false;
    QTreeWidgetItem* m_dropTarget = nullptr;
    QLabel* m_dragImage = nullptr;
};

}  // namespace kestro
