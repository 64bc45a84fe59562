#include "gui/dialogs/text_entry_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kestro {

CTextEntryDlg::CTextEntryDlg(const QString& title, const QString& prompt, const QString& initial,
                             QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(title.isEmpty() ? QStringLiteral("Create New Text") : title);
    setObjectName(QStringLiteral("id179"));
    auto* label = new QLabel(prompt.isEmpty() ? QStringLiteral("Enter Text") : prompt, this);
    m_text = new QLineEdit(initial, this);
    m_text->setObjectName(QStringLiteral("id%1").arg(kTextId));
    m_text->setMinimumWidth(280);
    m_text->selectAll();
    label->setBuddy(m_text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("id1"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("id2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_text);
    layout->addWidget(buttons);
}

QString CTextEntryDlg::Text() const {
    return m_text->text();
}

}  // namespace kestro
