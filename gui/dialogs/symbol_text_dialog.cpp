#include "gui/dialogs/symbol_text_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace kestro {

CSymbolTextDlg::CSymbolTextDlg(const CLibraryFonts& fonts, const QString& initial, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Kestro"));
    setObjectName(QStringLiteral("id182"));
    m_text = new QLineEdit(initial, this);
    m_text->setObjectName(QStringLiteral("id%1").arg(kTextId));
    m_text->setMinimumWidth(280);
    m_text->selectAll();
    m_fonts = new QComboBox(this);
    m_fonts->setObjectName(QStringLiteral("id%1").arg(kFontListId));
    for (const CLibraryFont& font : fonts)
        m_fonts->addItem(QString::fromStdString(DescribeLibraryFont(font)));
    m_fonts->setCurrentIndex(0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("id1"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("id2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Enter Text"), m_text);
    form->addRow(QStringLiteral("&Font"), m_fonts);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

QString CSymbolTextDlg::Text() const {
    return m_text->text();
}

int CSymbolTextDlg::FontIndex() const {
    return std::max(0, m_fonts->currentIndex());
}

}  // namespace kestro
