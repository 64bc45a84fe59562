#include "gui/dialogs/library_fonts_dialog.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/library/library_data.h"

namespace kestro {

CLibraryFontsDlg::CLibraryFontsDlg(CLibraryData& library, CFontChooser chooser, QWidget* parent)
    : QDialog(parent), m_library(library), m_chooser(std::move(chooser)) {
    setWindowTitle(QStringLiteral("Change Library Fonts"));
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < 4; ++i) {
        auto* button = new QPushButton(this);
        button->setObjectName(QStringLiteral("id%1").arg(kFirstButtonId + i));
        button->setAutoDefault(false);
        button->setMinimumWidth(300);
        m_buttons[static_cast<size_t>(i)] = button;
        RenewButton(i);
        connect(button, &QPushButton::clicked, this, [this, i] { ChangeFont(i); });
        layout->addWidget(button);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* close = buttons->button(QDialogButtonBox::Close);
    close->setObjectName(QStringLiteral("id1"));
    close->setText(QStringLiteral("Close"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::accept);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CLibraryFontsDlg::RenewButton(int index) {
    const CLibraryFont& font = m_library.GetFonts()[static_cast<size_t>(index)];
    const QString text = QString::fromStdString(DescribeLibraryFont(font));
    QPushButton* button = m_buttons[static_cast<size_t>(index)];
    button->setText(text);
    button->setAccessibleName(QStringLiteral("Font%1: %2").arg(index + 1).arg(text));
}

void CLibraryFontsDlg::ChangeFont(int index) {
    if (index < 0 || index > 3 || !m_chooser) return;
    const CLibraryFont& current = m_library.GetFonts()[static_cast<size_t>(index)];
    const std::optional<QFont> picked = m_chooser(LibraryFontToQFont(current));
    if (!picked) return;
    m_library.SetFont(index, LibraryFontFromQFont(*picked));
    RenewButton(index);
}

void CLibraryFontsDlg::done(int result) {
    // The symbol texts take the four entries as they now are.
    for (int i = 0; i < 4; ++i)
        m_library.SetFont(i, m_library.GetFonts()[static_cast<size_t>(i)]);
    QDialog::done(result);
}

}  // namespace kestro
