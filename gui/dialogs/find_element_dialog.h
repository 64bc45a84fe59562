#pragma once

#include <QDialog>

#include "core/document/find_element.h"

class QComboBox;
class QLineEdit;

namespace kestro {

class CLibraryData;

// "Find Element" (template 174): the type of element (1045, every library element by its
// netlist name, sorted) and the name with wild cards (1046); "Find" (OK) and "Cancel".
// It opens on the request's element and pattern; Find writes them back.
class CFindElementDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTypeId = 1045;
    static constexpr int kNameId = 1046;

    CFindElementDlg(const CFindRequest& request, CLibraryData& library, QWidget* parent = nullptr);

    // The request the dialog holds now.
    CFindRequest Request() const;

    // Shows the dialog; true on Find, with `request` changed; Cancel leaves it as it was.
    static bool Ask(CFindRequest& request, CLibraryData& library, QWidget* parent);

private:
    QComboBox* m_type;
    QLineEdit* m_name;
};

}  // namespace kestro
