#pragma once

#include <QDialog>
#include <vector>

#include "core/hierarchy/sheet_navigation.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace kestro {

class CCircuit;

// "Subcircuits" (template 168): the tree 1022 of the open top-level sheets with the sheets
// they use below them, each shown by its path (or title); OK (1) or a double click picks
// the selected sheet, Cancel (2) picks none.
class CSubcircuitTreeDlg : public QDialog {
    Q_OBJECT
public:
    CSubcircuitTreeDlg(const std::vector<CSheetTreeNode>& tree, const CCircuit* active,
                       QWidget* parent = nullptr);

    // The sheet of the selected item once accepted; null otherwise.
    CCircuit* Chosen() const;
    QTreeWidget* Tree() const { return m_tree; }
    // The first item showing `sheet`, depth first; null when it is not in the tree.
    QTreeWidgetItem* ItemOf(const CCircuit* sheet) const;

private:
    void AddNode(const CSheetTreeNode& node, QTreeWidgetItem* parent);

    QTreeWidget* m_tree;
};

}  // namespace kestro
