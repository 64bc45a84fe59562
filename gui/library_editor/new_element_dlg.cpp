#include "gui/library_editor/new_element_dlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/library/library_data.h"
#include "gui/attributes/ex_edit_ctrl.h"

namespace kestro {

CNewElementDlg::CNewElementDlg(CLibraryData& library, CPrompts& prompts, QWidget* parent)
    : QDialog(parent),
      m_library(library),
      m_prompts(prompts),
      m_name(new CExEditCtrl(kSetString, this)) {
    setObjectName(QStringLiteral("id180"));
    setWindowTitle(QStringLiteral("New Library Element"));
    m_name->setObjectName(QStringLiteral("id1046"));
    auto* label = new QLabel(QStringLiteral("&Netlist Name"), this);
    label->setBuddy(m_name);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("id1"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("id2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CNewElementDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_name);
    layout->addWidget(buttons);
    setMinimumWidth(280);
}

std::string CNewElementDlg::Name() const {
    return m_name->text().toStdString();
}

void CNewElementDlg::accept() {
    if (const auto refusal = m_library.RefuseNetlistName(Name())) {
        m_prompts.Error(*refusal);
        m_name->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace kestro
