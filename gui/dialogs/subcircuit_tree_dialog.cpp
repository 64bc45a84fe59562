#include "gui/dialogs/subcircuit_tree_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include "core/document/circuit.h"

namespace kestro {

namespace {

CCircuit* SheetOf(const QTreeWidgetItem* item) {
    return item ? static_cast<CCircuit*>(item->data(0, Qt::UserRole).value<void*>()) : nullptr;
}

}  // namespace

CSubcircuitTreeDlg::CSubcircuitTreeDlg(const std::vector<CSheetTreeNode>& tree,
                                       const CCircuit* active, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Subcircuits"));
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("id1022"));
    m_tree->setAccessibleName(QStringLiteral("Circuits and subcircuits"));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tree->header()->setStretchLastSection(false);
    for (const CSheetTreeNode& node : tree)
        AddNode(node, nullptr);
    m_tree->expandAll();
    if (QTreeWidgetItem* item = ItemOf(active)) m_tree->setCurrentItem(item);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("id1"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("id2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tree);
    layout->addWidget(buttons);
    resize(460, 320);
    m_tree->setFocus();
}

void CSubcircuitTreeDlg::AddNode(const CSheetTreeNode& node, QTreeWidgetItem* parent) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_tree);
    item->setText(0, QString::fromStdString(SheetLabel(*node.sheet)));
    item->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<void*>(node.sheet)));
    for (const CSheetTreeNode& child : node.children)
        AddNode(child, item);
}

QTreeWidgetItem* CSubcircuitTreeDlg::ItemOf(const CCircuit* sheet) const {
    if (!sheet) return nullptr;
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it)
        if (SheetOf(*it) == sheet) return *it;
    return nullptr;
}

CCircuit* CSubcircuitTreeDlg::Chosen() const {
    return result() == QDialog::Accepted ? SheetOf(m_tree->currentItem()) : nullptr;
}

}  // namespace kestro
