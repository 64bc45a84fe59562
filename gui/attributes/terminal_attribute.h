#pragma once

#include "gui/attributes/attrib_base_dlg.h"

class QLineEdit;

namespace kestro {

class CCircuit;
class CPortPicture;
class CSimTerm;

// The page of a port: the block of the sheet the port belongs to with every port of it;
// a click chooses which port number this port object stands for, and "Port Name" renames
// the chosen port at once.
class CTerminalAttribute : public CAttribBaseDlg {
    Q_OBJECT
public:
    explicit CTerminalAttribute(CKestroAttributes& window);

    QSize PageSize() const override;
    void LoadPage() override;
    bool ApplyPage() override;

    CPortPicture* Picture() const { return m_picture; }

private:
    CSimTerm* Port() const;
    CCircuit* Sheet() const;
    bool MayChoose(int port) const;
    void OnPortChosen(int port);
    void OnNameEdited(const QString& name);

    CPortPicture* m_picture;
    QLineEdit* m_name;
};

}  // namespace kestro
