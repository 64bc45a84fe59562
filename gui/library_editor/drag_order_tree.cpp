#include "gui/library_editor/drag_order_tree.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>

namespace kestro {

void CDragOrderTree::mousePressEvent(QMouseEvent* event) {
    if (m_dragging) {
        // The right button gives up the drag; the left one is still held.
        if (event->button() == Qt::RightButton) EndDrag();
        event->accept();
        return;
    }
    if (event->button() == Qt::LeftButton) {
        m_pressed = itemAt(event->position().toPoint());
        m_pressPosition = event->position().toPoint();
    }
    QTreeWidget::mousePressEvent(event);
}

void CDragOrderTree::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton) || !m_pressed) {
        QTreeWidget::mouseMoveEvent(event);
        return;
    }
    const QPoint at = event->position().toPoint();
    if (!m_dragging &&
        (at - m_pressPosition).manhattanLength() >= QApplication::startDragDistance())
        StartDrag();
    if (!m_dragging) return;
    m_dragImage->move(at + QPoint(12, 4));
    ShowDropTarget(itemAt(at));
}

void CDragOrderTree::mouseReleaseEvent(QMouseEvent* event) {
    if (m_dragging && event->button() == Qt::LeftButton) {
        QTreeWidgetItem* dragged = m_pressed;
        QTreeWidgetItem* target = itemAt(event->position().toPoint());
        EndDrag();
        DropDragged(dragged, target, event->modifiers());
        event->accept();
        return;
    }
    m_pressed = nullptr;
    QTreeWidget::mouseReleaseEvent(event);
}

void CDragOrderTree::StartDrag() {
    // The picture of the item follows the mouse; an item without one is not dragged.
    const QPixmap image = viewport()->grab(visualItemRect(m_pressed));
    if (image.isNull()) return;
    m_dragging = true;
    m_dragImage = new QLabel(viewport());
    m_dragImage->setPixmap(image);
    m_dragImage->setWindowOpacity(0.7);
    m_dragImage->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_dragImage->show();
}

void CDragOrderTree::ShowDropTarget(QTreeWidgetItem* target) {
    if (target == m_dropTarget) return;
    if (m_dropTarget) m_dropTarget->setBackground(0, QBrush());
    m_dropTarget = target;
    if (m_dropTarget)
        m_dropTarget->setBackground(0, palette().brush(QPalette::Highlight).color().lighter(160));
}

void CDragOrderTree::EndDrag() {
    ShowDropTarget(nullptr);
    delete m_dragImage;
    m_dragImage = nullptr;
    m_dragging = false;
    m_pressed = nullptr;
}

}  // namespace kestro
