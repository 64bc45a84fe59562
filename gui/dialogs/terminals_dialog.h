#pragma once

#include <QDialog>

namespace kestro {

class CCircuit;
class CPortPicture;

// "Terminals" (template 186): the block of a sheet as its parents see it, each port
// marked and named as on the port page (1029), and "&Close". Nothing here edits.
class CTerminalsDlg : public QDialog {
    Q_OBJECT
public:
    explicit CTerminalsDlg(const CCircuit& sheet, QWidget* parent = nullptr);

    CPortPicture* Picture() const { return m_picture; }

private:
    CPortPicture* m_picture;
};

}  // namespace kestro
