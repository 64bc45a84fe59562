#include "gui/library_editor/symbol_dialogs.h"

#include "gui/dialogs/symbol_text_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <algorithm>

namespace kestro {

namespace {

QDialogButtonBox* OkCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QComboBox* SizeList(int preselected, QWidget* parent) {
    auto* list = new QComboBox(parent);
    for (int i = CSetSizeDlg::kSmallest; i <= CSetSizeDlg::kLargest; ++i)
        list->addItem(QString::asprintf("%i", i), i);
    const int at = std::clamp(preselected, CSetSizeDlg::kSmallest, CSetSizeDlg::kLargest);
    list->setCurrentIndex(at - CSetSizeDlg::kSmallest);
    return list;
}

}  // namespace

std::optional<CSymbolTextChoice> AskSymbolText(const CLibraryFonts& fonts, QWidget* parent) {
    CSymbolTextDlg dialog(fonts, {}, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return CSymbolTextChoice{dialog.Text().toStdString(), dialog.FontIndex()};
}

CSetSizeDlg::CSetSizeDlg(int width, int height, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Set Element Size"));
    m_width = SizeList(width, this);
    m_width->setObjectName(QStringLiteral("width"));
    m_height = SizeList(height, this);
    m_height->setObjectName(QStringLiteral("height"));
    auto* form = new QFormLayout(this);
    auto* widthLabel = new QLabel(QStringLiteral("&Width (x 10)"), this);
    widthLabel->setBuddy(m_width);
    auto* heightLabel = new QLabel(QStringLiteral("&Height (x 10)"), this);
    heightLabel->setBuddy(m_height);
    form->addRow(widthLabel, m_width);
    form->addRow(heightLabel, m_height);
    form->addRow(OkCancel(this));
}

std::pair<int, int> CSetSizeDlg::Size() const {
    return {m_width->currentData().toInt(), m_height->currentData().toInt()};
}

std::optional<std::pair<int, int>> CSetSizeDlg::Ask(int width, int height, QWidget* parent) {
    CSetSizeDlg dialog(width, height, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Size();
}

}  // namespace kestro
