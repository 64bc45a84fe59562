#pragma once

#include <QDialog>
#include <vector>

#include "core/document/element_list.h"

class QTreeWidget;

namespace kestro {

class CCircuit;
class CPrompts;

// "Element List" (template 167): the list 1047 of a sheet's elements with the columns
// "Netlist Name", "Name" and "Value", following the dialog's size. Its right-button menu
// copies the list to the clipboard as text (32771) or saves it in a file (34055).
class CElementListDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kCopyId = 32771;
    static constexpr int kSaveId = 34055;
    static constexpr const char* kCannotOpenClipboard = "Can not open the Clipboard";
    static constexpr const char* kCannotSetClipboard = "Unable to set Clipboard data.";
    static constexpr const char* kSaveTitle = "Save As Text";
    static constexpr const char* kSaveFilter = "List Files (*.lst) |*.lst| All Files (*.*) |*.*||";

    CElementListDlg(const CCircuit& sheet, CPrompts& prompts, QWidget* parent = nullptr);

    QTreeWidget* List() const { return m_list; }
    const std::vector<CElementListRow>& Rows() const { return m_rows; }
    void CopyToClipboard();
    void SaveInFile();

protected:
    // The list's own copy key would copy one cell: it copies the whole list here.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowMenu(const QPoint& position);

    CPrompts& m_prompts;
    std::vector<CElementListRow> m_rows;
    QTreeWidget* m_list;
};

}  // namespace kestro
