#include "gui/dialogs/choose_list_dialog.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kestro {

CChooseListDialog::CChooseListDialog(const QString& title, const QStringList& items, int initial,
                                     QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(title);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("id1023"));
    m_list->addItems(items);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    if (initial >= 0 && initial < items.size()) m_list->setCurrentRow(initial);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("id1"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("id2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(420, 240);
}

int CChooseListDialog::Chosen() const {
    return result() == QDialog::Accepted ? m_list->currentRow() : -1;
}

}  // namespace kestro
