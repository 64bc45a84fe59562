#include "gui/library_editor/menu_tree.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTreeWidgetItemIterator>
#include <algorithm>
#include <functional>

#include "gui/library_editor/menu_tree_images.h"

namespace kestro {

namespace {

// The items of a subtree that are open, so that a moved subtree opens as it was.
void CollectExpanded(QTreeWidgetItem* item, QList<QTreeWidgetItem*>& open) {
    if (item->isExpanded()) open.append(item);
    for (int i = 0; i < item->childCount(); ++i)
        CollectExpanded(item->child(i), open);
}

bool Contains(const QTreeWidgetItem* ancestor, const QTreeWidgetItem* item) {
    for (const QTreeWidgetItem* p = item; p; p = p->parent())
        if (p == ancestor) return true;
    return false;
}

QTreeWidgetItem* MakeItem(CMenuTree::Kind kind, const QString& text, MenuTreeImage image) {
    auto* item = new QTreeWidgetItem;
    item->setText(0, text);
    item->setIcon(0, MenuTreeIcon(image));
    item->setData(0, CMenuTree::kKindRole, int(kind));
    item->setData(0, CMenuTree::kLabelRole, text);
    return item;
}

QString MoveStepName(CMenuTree::Kind kind) {
    switch (kind) {
        case CMenuTree::Kind::Popup:
            return QStringLiteral("Move Popup");
        case CMenuTree::Kind::Separator:
            return QStringLiteral("Move Separator");
        case CMenuTree::Kind::Element:
            break;
    }
    return QStringLiteral("Move Entry");
}

}  // namespace

CMenuTree::CMenuTree(QWidget* parent) : CDragOrderTree(parent) {
    setObjectName(QStringLiteral("id1000"));
    setAccessibleName(QStringLiteral("Element menus"));
    setHeaderHidden(true);
    setColumnCount(1);
    setIconSize(QSize(32, 16));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setExpandsOnDoubleClick(false);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    connect(this, &QTreeWidget::itemChanged, this, &CMenuTree::OnItemChanged);
}

QTreeWidgetItem* CMenuTree::NewPopup(const QString& label) {
    QTreeWidgetItem* item = MakeItem(Kind::Popup, label, MenuTreeImage::Popup);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    return item;
}

QTreeWidgetItem* CMenuTree::NewSeparator() {
    return MakeItem(Kind::Separator, QString::fromLatin1(kSeparatorText), MenuTreeImage::Separator);
}

QTreeWidgetItem* CMenuTree::NewElement(int index, const QString& label) {
    QTreeWidgetItem* item = MakeItem(Kind::Element, label, MenuTreeImage::Element);
    item->setData(0, kElementRole, index);
    return item;
}

CMenuTree::Kind CMenuTree::KindOf(const QTreeWidgetItem* item) {
    return item ? Kind(item->data(0, kKindRole).toInt()) : Kind::Separator;
}

int CMenuTree::ElementOf(const QTreeWidgetItem* item) {
    return item && KindOf(item) == Kind::Element ? item->data(0, kElementRole).toInt() : -1;
}

void CMenuTree::Beep() {
    QApplication::beep();
    emit Beeped();
}

// --- Moving items ----------------------------------------------------------------------------

void CMenuTree::Insert(QTreeWidgetItem* parent, int index, QTreeWidgetItem* item) {
    if (parent)
        parent->insertChild(index, item);
    else
        insertTopLevelItem(index, item);
}

void CMenuTree::Move(QTreeWidgetItem* item, QTreeWidgetItem* parent, int index) {
    // A view forgets what was open in an item taken out of it.
    QList<QTreeWidgetItem*> open;
    CollectExpanded(item, open);
    if (QTreeWidgetItem* old = item->parent())
        old->takeChild(old->indexOfChild(item));
    else
        takeTopLevelItem(indexOfTopLevelItem(item));
    Insert(parent, index, item);
    for (QTreeWidgetItem* o : open)
        o->setExpanded(true);
}

void CMenuTree::InsertAfter(QTreeWidgetItem* item, QTreeWidgetItem* after) {
    if (!after) {
        Insert(nullptr, topLevelItemCount(), item);
        return;
    }
    QTreeWidgetItem* parent = after->parent();
    const int at = parent ? parent->indexOfChild(after) : indexOfTopLevelItem(after);
    Insert(parent, at + 1, item);
}

void CMenuTree::MoveToEnd(QTreeWidgetItem* item, QTreeWidgetItem* parent) {
    const bool sameLevel = item->parent() == parent;
    const int count = parent ? parent->childCount() : topLevelItemCount();
    Move(item, parent, sameLevel ? count - 1 : count);
}

bool CMenuTree::Drop(QTreeWidgetItem* dragged, QTreeWidgetItem* target, bool ctrl) {
    if (!dragged || !target || Contains(dragged, target)) {
        Beep();
        if (dragged) setCurrentItem(dragged);
        return false;
    }
    if (KindOf(target) == Kind::Popup && !ctrl) {
        Move(dragged, target, 0);
        target->setExpanded(true);
    } else {
        // After the target, among the target's siblings once the dragged item is out.
        QTreeWidgetItem* parent = target->parent();
        const auto indexOf = [this, parent](QTreeWidgetItem* item) {
            return parent ? parent->indexOfChild(item) : indexOfTopLevelItem(item);
        };
        const bool before = dragged->parent() == parent && indexOf(dragged) < indexOf(target);
        Move(dragged, parent, indexOf(target) + (before ? 0 : 1));
    }
    setCurrentItem(dragged);
    emit Changed(MoveStepName(KindOf(dragged)));
    return true;
}

// --- Dragging --------------------------------------------------------------------------------

void CMenuTree::DropDragged(QTreeWidgetItem* dragged, QTreeWidgetItem* target,
                            Qt::KeyboardModifiers modifiers) {
    Drop(dragged, target, modifiers & Qt::ControlModifier);
}

// --- Keys, clicks and editing ------------------------------------------------------------------

void CMenuTree::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (QTreeWidgetItem* item = itemAt(event->position().toPoint())) emit ItemChosen(item);
}

void CMenuTree::keyPressEvent(QKeyEvent* event) {
    if (state() == QAbstractItemView::EditingState) {
        QTreeWidget::keyPressEvent(event);
        return;
    }
    QTreeWidgetItem* item = currentItem();
    switch (event->key()) {
        case Qt::Key_Escape:
            if (IsDragging()) {
                EndDrag();
                return;
            }
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (item) emit ItemChosen(item);
            return;
        case Qt::Key_Delete:
            if (item) emit DeleteRequested(item);
            return;
        case Qt::Key_F4:
            if (event->modifiers() == Qt::NoModifier && item) {
                emit AttributesRequested(item);
                return;
            }
            break;
        default:
            break;
    }
    QTreeWidget::keyPressEvent(event);
}

void CMenuTree::contextMenuEvent(QContextMenuEvent* event) {
    if (IsDragging()) return;
    m_contextItem =
        event->reason() == QContextMenuEvent::Mouse ? itemAt(event->pos()) : currentItem();
    const QPoint at = m_contextItem && event->reason() != QContextMenuEvent::Mouse
                          ? viewport()->mapToGlobal(visualItemRect(m_contextItem).bottomLeft())
                          : event->globalPos();
    emit ContextMenuRequested(m_contextItem, at);
}

bool CMenuTree::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    const bool asked = trigger == AllEditTriggers || (editTriggers() & trigger);
    if (asked && index.isValid() && KindOf(itemFromIndex(index)) != Kind::Popup &&
        trigger != AllEditTriggers) {
        // Element entries take their element's name and separators have none.
        if (trigger == EditKeyPressed) Beep();
        return false;
    }
    return QTreeWidget::edit(index, trigger, event);
}

// --- Keeping the view across a rebuild ---------------------------------------------------------

namespace {

QStringList LabelPath(const QTreeWidgetItem* item) {
    QStringList path;
    for (; item; item = item->parent())
        path.prepend(item->text(0));
    return path;
}

QTreeWidgetItem* ChildAt(QTreeWidget& tree, QTreeWidgetItem* parent, int index) {
    return parent ? parent->child(index) : tree.topLevelItem(index);
}

int ChildCount(const QTreeWidget& tree, const QTreeWidgetItem* parent) {
    return parent ? parent->childCount() : tree.topLevelItemCount();
}

int IndexInLevel(const QTreeWidget& tree, QTreeWidgetItem* item) {
    QTreeWidgetItem* parent = item->parent();
    return parent ? parent->indexOfChild(item) : tree.indexOfTopLevelItem(item);
}

// The pop-up reached by following the labels from the top level, or null.
QTreeWidgetItem* PopupAt(QTreeWidget& tree, const QStringList& path) {
    QTreeWidgetItem* found = nullptr;
    for (const QString& label : path) {
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < ChildCount(tree, found) && !next; ++i) {
            QTreeWidgetItem* child = ChildAt(tree, found, i);
            if (CMenuTree::KindOf(child) == CMenuTree::Kind::Popup && child->text(0) == label)
                next = child;
        }
        if (!next) return nullptr;
        found = next;
    }
    return found;
}

}  // namespace

CMenuTree::CViewState CMenuTree::ViewState() const {
    CViewState state;
    QTreeWidgetItemIterator it(const_cast<CMenuTree*>(this));
    for (; *it; ++it)
        if (KindOf(*it) == Kind::Popup && (*it)->isExpanded()) state.openPopups << LabelPath(*it);
    if (QTreeWidgetItem* current = currentItem()) {
        state.currentKind = KindOf(current);
        state.currentText = current->text(0);
        for (QTreeWidgetItem* item = current; item; item = item->parent())
            state.currentPlace.insert(state.currentPlace.begin(), IndexInLevel(*this, item));
    }
    return state;
}

void CMenuTree::RestoreViewState(const CViewState& state) {
    for (const QStringList& path : state.openPopups)
        if (QTreeWidgetItem* popup = PopupAt(*this, path)) popup->setExpanded(true);
    QTreeWidgetItem* current = nullptr;
    // The same pop-up or entry wherever it went (separators have nothing to tell them by).
    if (state.currentKind != Kind::Separator) {
        const auto found = findItems(state.currentText, Qt::MatchExactly | Qt::MatchRecursive);
        for (QTreeWidgetItem* item : found)
            if (!current && KindOf(item) == state.currentKind) current = item;
    }
    // Else whatever stands where it stood.
    QTreeWidgetItem* parent = nullptr;
    for (size_t level = 0; !current && level < state.currentPlace.size(); ++level) {
        const int count = ChildCount(*this, parent);
        if (count == 0) {
            current = parent;
            break;
        }
        QTreeWidgetItem* item =
            ChildAt(*this, parent, std::min(state.currentPlace[level], count - 1));
        if (level + 1 == state.currentPlace.size() || state.currentPlace[level] >= count ||
            KindOf(item) != Kind::Popup)
            current = item;
        parent = item;
    }
    if (!current) return;
    for (QTreeWidgetItem* p = current->parent(); p; p = p->parent())
        p->setExpanded(true);
    setCurrentItem(current);
    scrollToItem(current);
}

void CMenuTree::OnItemChanged(QTreeWidgetItem* item, int column) {
    if (column != 0 || KindOf(item) != Kind::Popup) return;
    const QString text = item->text(0);
    const QString accepted = item->data(0, kLabelRole).toString();
    if (text == accepted) return;
    if (text.trimmed().isEmpty()) {
        item->setText(0, accepted);  // an edit that leaves no text changes nothing
        return;
    }
    item->setData(0, kLabelRole, text);
    emit Changed(QStringLiteral("Rename Popup"));
}

}  // namespace kestro
