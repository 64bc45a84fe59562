#include "gui/dialogs/terminals_dialog.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/attributes/port_picture.h"

namespace kestro {

CTerminalsDlg::CTerminalsDlg(const CCircuit& sheet, QWidget* parent)
    : QDialog(parent), m_picture(new CPortPicture(this)) {
    setWindowTitle(QStringLiteral("Terminals"));
    setObjectName(QStringLiteral("id186"));
    // Only the port page of an edited port object may choose a port.
    m_picture->SetSheet(&sheet, -1, [](int) { return false; });
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(QStringLiteral("&Close"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("id2"));
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_picture, 1, Qt::AlignCenter);
    layout->addWidget(buttons);
}

}  // namespace kestro
