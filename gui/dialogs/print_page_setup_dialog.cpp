#include "gui/dialogs/print_page_setup_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/platform/text_encoding.h"

namespace kestro {

namespace {

const char* const kLabels[5] = {"Company", "Title", "Designed by", "Revision", "Last Update"};

}  // namespace

QString FormatTitleDate(const QDate& date) {
    // Built by hand: the format must not follow the user's locale.
    return QStringLiteral("%1/%2/%3")
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

CPrintPageSetupDlg::CPrintPageSetupDlg(const std::array<std::string, 5>& titleInfo, QWidget* parent)
    : QDialog(parent), m_today(QDate::currentDate()) {
    setWindowTitle(QStringLiteral("Print Page Setup"));
    setObjectName(QStringLiteral("id178"));
    auto* form = new QFormLayout;
    for (size_t i = 0; i < m_edits.size(); ++i) {
        m_edits[i] = new QLineEdit(QString::fromStdString(TextAsUtf8(titleInfo[i])), this);
        m_edits[i]->setObjectName(QStringLiteral("id%1").arg(kEditIds[i]));
        // Room for a company name or a title without scrolling.
        m_edits[i]->setMinimumWidth(m_edits[i]->fontMetrics().averageCharWidth() * 40);
        form->addRow(QString::fromLatin1(kLabels[i]), m_edits[i]);
    }
    auto* today = new QPushButton(QStringLiteral("Today"), this);
    today->setObjectName(QStringLiteral("id%1").arg(kTodayId));
    today->setAutoDefault(false);
    connect(today, &QPushButton::clicked, this, &CPrintPageSetupDlg::FillToday);
    form->addRow(QString(), today);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("id1"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("id2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void CPrintPageSetupDlg::FillToday() {
    m_edits[4]->setText(FormatTitleDate(m_today));
}

std::array<std::string, 5> CPrintPageSetupDlg::TitleInfo() const {
    std::array<std::string, 5> info;
    for (size_t i = 0; i < m_edits.size(); ++i)
        info[i] = m_edits[i]->text().toStdString();
    return info;
}

}  // namespace kestro
