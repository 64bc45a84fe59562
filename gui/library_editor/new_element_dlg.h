#pragma once

#include <QDialog>
#include <string>

namespace kestro {

class CExEditCtrl;
class CLibraryData;
class CPrompts;

// "New Library Element": asks for the netlist name of a new element. OK with an empty
// name, or with one the library has already, says so and keeps the dialog open.
class CNewElementDlg : public QDialog {
    Q_OBJECT
public:
    CNewElementDlg(CLibraryData& library, CPrompts& prompts, QWidget* parent = nullptr);

    std::string Name() const;
    void accept() override;

private:
    CLibraryData& m_library;
    CPrompts& m_prompts;
    CExEditCtrl* m_name;
};

}  // namespace kestro
