#include "gui/attributes/terminal_attribute.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/document/circuit.h"
#include "core/objects/sim_term.h"
#include "core/platform/text_encoding.h"
#include "gui/attributes/attribute_edit.h"
#include "gui/attributes/kestro_attributes.h"
#include "gui/attributes/port_picture.h"

namespace kestro {

CTerminalAttribute::CTerminalAttribute(CKestroAttributes& window)
    : CAttribBaseDlg(window, 171), m_picture(new CPortPicture(this)), m_name(new QLineEdit(this)) {
    m_name->setObjectName(QStringLiteral("id1030"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(m_picture, 1, Qt::AlignHCenter);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Port Name"), m_name);
    layout->addLayout(form);
    connect(m_picture, &CPortPicture::PortChosen, this, &CTerminalAttribute::OnPortChosen);
    connect(m_name, &QLineEdit::textEdited, this, &CTerminalAttribute::OnNameEdited);
}

QSize CTerminalAttribute::PageSize() const {
    const QSize hint = sizeHint();
    return {std::max(hint.width(), 240), hint.height()};
}

CSimTerm* CTerminalAttribute::Port() const {
    CPart* object = Window().SelectedObject();
    return object ? object->AsPort() : nullptr;
}

CCircuit* CTerminalAttribute::Sheet() const {
    const CSimTerm* port = Port();
    return port ? port->GetDocument() : nullptr;
}

// Another port than the chosen one, free or this object's own.
bool CTerminalAttribute::MayChoose(int port) const {
    const CCircuit* sheet = Sheet();
    if (!sheet || port == m_picture->Chosen()) return false;
    const CSimTerm* user = sheet->GetPortObject(size_t(port));
    return !user || user == Port();
}

void CTerminalAttribute::LoadPage() {
    const CSimTerm* port = Port();
    const CCircuit* sheet = Sheet();
    const bool inTable = port && sheet && port->GetPortNumber() < sheet->GetPortCount();
    const int chosen = inTable ? int(port->GetPortNumber()) : -1;
    m_picture->SetSheet(sheet, chosen, [this](int p) { return MayChoose(p); });
    m_name->setEnabled(chosen >= 0);
    m_name->setText(chosen >= 0
                        ? QString::fromStdString(TextAsUtf8(sheet->GetPortName(size_t(chosen))))
                        : QString());
}

void CTerminalAttribute::OnPortChosen(int port) {
    m_name->setEnabled(true);
    m_name->setText(QString::fromStdString(TextAsUtf8(Sheet()->GetPortName(size_t(port)))));
}

// A name takes effect as it is typed: the sheet's port table holds it, not this object.
void CTerminalAttribute::OnNameEdited(const QString& name) {
    CCircuit* sheet = Sheet();
    const int chosen = m_picture->Chosen();
    if (!sheet || chosen < 0 || size_t(chosen) >= sheet->GetPortNames().size()) return;
    CAttributeEdit edit(sheet, "Port Name");
    edit.ChangeSheet();
    sheet->GetPortNames()[size_t(chosen)] = name.toStdString();
    edit.Commit();
    m_picture->RepaintPort(chosen);
    // Blocks of this sheet on other sheets show the port names too.
    for (CCircuit* parent : sheet->GetParents())
        parent->UpdateAllViews(CCircuit::kHintGeneral);
}

bool CTerminalAttribute::ApplyPage() {
    CSimTerm* port = Port();
    CCircuit* sheet = Sheet();
    const int chosen = m_picture->Chosen();
    if (!port || !sheet || chosen < 0 || chosen == int(port->GetPortNumber())) return false;
    if (sheet->GetPortObject(size_t(chosen))) return false;  // taken meanwhile
    CAttributeEdit edit(sheet, "Port");
    edit.Change(*port);
    return sheet->MovePort(*port, size_t(chosen));
}

}  // namespace kestro
