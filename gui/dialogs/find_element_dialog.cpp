#include "gui/dialogs/find_element_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/library/lib_element.h"
#include "core/library/library_data.h"
#include "core/objects/part.h"

namespace kestro {

namespace {

// Each item carries the kind code and the element's identifier.
QVariant ItemData(uint16_t kind, int element) {
    return QVariant::fromValue((qint64(kind) << 32) | quint32(element));
}

}  // namespace

CFindElementDlg::CFindElementDlg(const CFindRequest& request, CLibraryData& library,
                                 QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Find Element"));
    setObjectName(QStringLiteral("id174"));
    m_type = new QComboBox(this);
    m_type->setObjectName(QStringLiteral("id%1").arg(kTypeId));
    for (uint32_t id = 0; id < library.GetElementCount(); ++id)
        if (const CLibElement* element = library.GetElement(id))
            m_type->addItem(QString::fromStdString(element->GetName()),
                            ItemData(CPart::kTagSimPart, int(id)));
    m_type->model()->sort(0);
    const int current = m_type->findData(ItemData(request.kind, request.element));
    m_type->setCurrentIndex(current >= 0 ? current : 0);
    m_name = new QLineEdit(QString::fromStdString(request.pattern), this);
    m_name->setObjectName(QStringLiteral("id%1").arg(kNameId));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Type of Element"), m_type);
    form->addRow(QStringLiteral("Name including wild card (*)"), m_name);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* find = buttons->addButton(QStringLiteral("Find"), QDialogButtonBox::AcceptRole);
    find->setObjectName(QStringLiteral("id1"));
    find->setDefault(true);
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("id2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

CFindRequest CFindElementDlg::Request() const {
    CFindRequest request;
    const qint64 data = m_type->currentData().toLongLong();
    request.kind = static_cast<uint16_t>(data >> 32);
    request.element = static_cast<int>(static_cast<quint32>(data));
    if (m_type->currentIndex() < 0) request = {};
    request.pattern = m_name->text().toStdString();
    return request;
}

bool CFindElementDlg::Ask(CFindRequest& request, CLibraryData& library, QWidget* parent) {
    CFindElementDlg dialog(request, library, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    request = dialog.Request();
    return true;
}

}  // namespace kestro
