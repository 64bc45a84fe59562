#pragma once

#include "gui/attributes/attrib_base_dlg.h"

class QLabel;
class QTreeWidget;

namespace kestro {

// The library page until the library editor brings its own: what the library knows of
// an element (netlist name, description, attribute definitions), to read only.
class CLibrarySummaryPage : public CAttribBaseDlg {
    Q_OBJECT
public:
    explicit CLibrarySummaryPage(CKestroAttributes& window);

    QSize PageSize() const override;
    void LoadPage() override;

private:
    QLabel* m_description;
    QTreeWidget* m_definitions;
};

}  // namespace kestro
