#pragma once

#include "gui/attributes/attrib_base_dlg.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidgetItem;

namespace kestro {

class CDefinitionTree;
class CLibElement;
class CLibraryData;
class CNetLine;

// The library page of the attribute window: what the library knows of an element besides
// its drawing. Description, default instance name and how the name is shown are written
// back when the page is applied; a definition edited, added or deleted, or a line moved
// in the list, changes the element at once. The netlist line the element would give
// with its defaults is shown below the list.
class CLibAttribDlg : public CAttribBaseDlg {
    Q_OBJECT
public:
    explicit CLibAttribDlg(CKestroAttributes& window);

    QSize PageSize() const override;
    void LoadPage() override;
    bool ApplyPage() override;

    // Runs the definition dialog for the line (null: a new definition).
    void EditDefinition(QTreeWidgetItem* item);
    CDefinitionTree* Tree() const { return m_tree; }
    QString PreviewText() const;

private:
    void CreateControls();
    // The element the page edits: the window's, when it has attributes.
    CLibElement* Element() const;
    CLibraryData* Library() const;
    void BuildPreview();
    void DeleteDefinition(QTreeWidgetItem* item);
    // The element's definitions 1 to n-1 in the order of the lines.
    void TakeOrderFromList(CLibElement& element);
    void AddDefinition(const CNetLine& definition, QTreeWidgetItem* after);
    void UpdateEnabling();

    QLineEdit* m_description = nullptr;
    QLineEdit* m_defaultName = nullptr;
    QCheckBox* m_nameLink = nullptr;
    QCheckBox* m_nameShown = nullptr;
    QCheckBox* m_showInDialog = nullptr;
    QCheckBox* m_showInList2 = nullptr;
    CDefinitionTree* m_tree = nullptr;
    QLabel* m_preview = nullptr;
    QPushButton* m_add = nullptr;
    CLibElement* m_loaded = nullptr;  // what the controls were filled from
};

}  // namespace kestro
