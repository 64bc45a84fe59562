#include "gui/library_editor/definition_tree.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QPainter>

#include "core/library/net_line.h"
#include "core/platform/text_encoding.h"
#include "gui/library_editor/definition_text.h"

namespace kestro {

namespace {

constexpr int kDefinitionRole = Qt::UserRole;

// The small pictures in front of the lines (8 by 16): a plain attribute, and one that
// may be shown as a text link, normal and selected.
QPixmap LinePicture(bool textLink, bool selected) {
    QPixmap picture(8, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    const QColor ink = selected ? QColor(0, 0, 160) : QColor(Qt::black);
    if (!textLink) {
        painter.fillRect(QRect(2, 6, 4, 4), ink);
        return picture;
    }
    painter.setPen(ink);
    painter.drawRect(QRect(0, 3, 7, 9));
    painter.drawLine(2, 6, 5, 6);
    painter.drawLine(3, 6, 3, 10);
    return picture;
}

QIcon LineIcon(bool textLink) {
    QIcon icon(LinePicture(textLink, false));
    icon.addPixmap(LinePicture(textLink, true), QIcon::Selected);
    return icon;
}

}  // namespace

CDefinitionTree::CDefinitionTree(QWidget* parent) : CDragOrderTree(parent) {
    setObjectName(QStringLiteral("id1004"));
    setAccessibleName(QStringLiteral("Attribute definitions"));
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setIconSize(QSize(8, 16));
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
}

QTreeWidgetItem* CDefinitionTree::NewLine(CNetLine& definition) {
    auto* item = new QTreeWidgetItem;
    item->setData(0, kDefinitionRole, QVariant::fromValue<quintptr>(quintptr(&definition)));
    Refresh(item);
    return item;
}

void CDefinitionTree::Refresh(QTreeWidgetItem* item) {
    const CNetLine* definition = DefinitionOf(item);
    if (!definition) return;
    item->setText(0, QString::fromStdString(TextAsUtf8(DefinitionListLine(*definition))));
    item->setIcon(0, LineIcon(definition->GetFlags() & CNetLine::kTextLink));
}

CNetLine* CDefinitionTree::DefinitionOf(const QTreeWidgetItem* item) {
    return item ? reinterpret_cast<CNetLine*>(item->data(0, kDefinitionRole).value<quintptr>())
                : nullptr;
}

std::vector<CNetLine*> CDefinitionTree::Definitions() const {
    std::vector<CNetLine*> definitions;
    for (int i = 0; i < topLevelItemCount(); ++i)
        definitions.push_back(DefinitionOf(topLevelItem(i)));
    return definitions;
}

bool CDefinitionTree::Drop(QTreeWidgetItem* dragged, QTreeWidgetItem* target) {
    if (!dragged || !target || dragged == target) {
        Beep();
        return false;
    }
    // A copy goes after the target and the dragged line goes.
    QTreeWidgetItem* copy = dragged->clone();
    insertTopLevelItem(indexOfTopLevelItem(target) + 1, copy);
    delete dragged;
    setCurrentItem(copy);
    emit Reordered();
    return true;
}

void CDefinitionTree::Beep() {
    QApplication::beep();
    emit Beeped();
}

void CDefinitionTree::DropDragged(QTreeWidgetItem* dragged, QTreeWidgetItem* target,
                                  Qt::KeyboardModifiers) {
    Drop(dragged, target);
}

void CDefinitionTree::mouseDoubleClickEvent(QMouseEvent* event) {
    if (QTreeWidgetItem* item = itemAt(event->position().toPoint())) {
        setCurrentItem(item);
        emit EditRequested(item);
        return;
    }
    QTreeWidget::mouseDoubleClickEvent(event);
}

void CDefinitionTree::keyPressEvent(QKeyEvent* event) {
    if (IsDragging() && event->key() == Qt::Key_Escape) {
        EndDrag();
        return;
    }
    if (event->key() == Qt::Key_Delete && currentItem()) {
        emit DeleteRequested(currentItem());
        return;
    }
    // The keyboard's way to what a double click does.
    if (event->key() == Qt::Key_F2 && currentItem()) {
        emit EditRequested(currentItem());
        return;
    }
    // Enter goes on to the page (which writes itself back).
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->ignore();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

}  // namespace kestro
