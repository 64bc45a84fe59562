#include "gui/dialogs/options_sheet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <charconv>

#include "core/platform/number_text.h"
#include "core/platform/palette.h"
#include "core/platform/prompts.h"
#include "gui/attributes/color_combo_box.h"

namespace kestro {

namespace {

QString IdName(int id) {
    return QStringLiteral("id%1").arg(id);
}

QCheckBox* MakeCheckBox(const QString& text, int id, bool checked, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(IdName(id));
    box->setChecked(checked);
    return box;
}

// The whole text must be the number (no locale: a point is the decimal separator).
std::optional<double> ParseWholeNumber(const QString& text) {
    const std::string s = text.trimmed().toStdString();
    double value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (s.empty() || error != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return value;
}

}  // namespace

CColorComboBox* MakeColorList(QWidget* parent) {
    auto* list = new CColorComboBox(parent);
    list->SetColors(kPalette.data(), static_cast<int>(kPalette.size()));
    return list;
}

// --- Standard ---------------------------------------------------------------------------

COptionsPage_1::COptionsPage_1(CSettings& settings, CFontChooser chooser, QWidget* parent)
    : QWidget(parent), m_settings(settings), m_chooser(std::move(chooser)) {
    m_grid = MakeCheckBox(QStringLiteral("&Grid"), 1049, settings.grid != 0, this);
    m_borders = MakeCheckBox(QStringLiteral("Show Print Page &Borders"), 1051,
                             settings.printPageBorder != 0, this);
    m_legend = MakeCheckBox(QStringLiteral("Print Page &Legend"), 1052,
                            settings.printPageLegend != 0, this);
    m_position = new QComboBox(this);
    m_position->setObjectName(IdName(1045));
    m_position->addItems(
        {QStringLiteral("Top"), QStringLiteral("Middle"), QStringLiteral("Bottom")});
    m_position->setCurrentIndex(std::clamp(settings.printPagePosition, 0, 2));
    m_zoom = new QLineEdit(QString::fromStdString(FormatG(settings.zoomFactor, 10)), this);
    m_zoom->setObjectName(IdName(1053));
    auto* font = new QPushButton(QStringLiteral("Change Default &Text Font"), this);
    font->setObjectName(IdName(1055));
    font->setAutoDefault(false);
    connect(font, &QPushButton::clicked, this, &COptionsPage_1::ChangeDefaultFont);
    m_autosave = new QSpinBox(this);
    m_autosave->setObjectName(QStringLiteral("autosaveSeconds"));
    m_autosave->setRange(0, 24 * 3600);
    m_autosave->setSingleStep(30);
    m_autosave->setSuffix(QStringLiteral(" s"));
    m_autosave->setSpecialValueText(QStringLiteral("Off"));
    m_autosave->setValue(std::max(0, settings.autosaveSeconds));

    auto* form = new QFormLayout;
    auto* positionLabel = new QLabel(QStringLiteral("Print Page &Position"), this);
    positionLabel->setBuddy(m_position);
    auto* zoomLabel = new QLabel(QStringLiteral("&Zoom Factor"), this);
    zoomLabel->setBuddy(m_zoom);
    form->addRow(positionLabel, m_position);
    form->addRow(zoomLabel, m_zoom);
    auto* autosaveLabel = new QLabel(QStringLiteral("&Autosave every"), this);
    autosaveLabel->setBuddy(m_autosave);
    form->addRow(autosaveLabel, m_autosave);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid);
    layout->addWidget(m_borders);
    layout->addWidget(m_legend);
    layout->addLayout(form);
    layout->addWidget(font, 0, Qt::AlignLeft);
    layout->addStretch();
}

bool COptionsPage_1::Validate(double& zoomFactor) const {
    const std::optional<double> value = ParseWholeNumber(m_zoom->text());
    if (!value || *value < kOptionsMinZoomFactor || *value > kOptionsMaxZoomFactor) return false;
    zoomFactor = *value;
    return true;
}

void COptionsPage_1::Store(double zoomFactor) {
    m_settings.grid = m_grid->isChecked() ? 1 : 0;
    m_settings.printPageBorder = m_borders->isChecked() ? 1 : 0;
    m_settings.printPageLegend = m_legend->isChecked() ? 1 : 0;
    m_settings.printPagePosition = m_position->currentIndex();
    m_settings.zoomFactor = zoomFactor;
    m_settings.autosaveSeconds = m_autosave->value();
}

// Picked fonts are kept at once, whatever the sheet's answer.
void COptionsPage_1::ChangeDefaultFont() {
    if (!m_chooser) return;
    if (const std::optional<QFont> font = m_chooser(TextFontToQFont(m_settings.textFont)))
        m_settings.textFont = TextFontFromQFont(*font);
}

// --- Colors -----------------------------------------------------------------------------

COptionsPage_2::COptionsPage_2(CSettings& settings, QWidget* parent)
    : QWidget(parent), m_settings(settings) {
    static const char* const kLabels[8] = {"&Grid", "&Elements", "&Subcircuit", "&Port",
                                           "&Wire", "&Text",     "&Node",       "&Label"};
    auto* layout = new QFormLayout(this);
    for (size_t i = 0; i < m_lists.size(); ++i) {
        CColorComboBox* list = MakeColorList(this);
        list->setObjectName(IdName(kFirstListId + static_cast<int>(i)));
        list->setCurrentIndex(settings.PaletteIndex(kRoles[i]));
        auto* label = new QLabel(QString::fromLatin1(kLabels[i]), this);
        label->setBuddy(list);
        layout->addRow(label, list);
        m_lists[i] = list;
    }
}

void COptionsPage_2::Store() {
    for (size_t i = 0; i < m_lists.size(); ++i)
        m_settings.colorRoles[static_cast<size_t>(kRoles[i])] =
            static_cast<int16_t>(std::max(0, m_lists[i]->currentIndex()));
}

// --- The sheet --------------------------------------------------------------------------

COptionsSheet::COptionsSheet(CSettings& settings, CPrompts& prompts, CFontChooser chooser,
                             Page first, QWidget* parent)
    : QDialog(parent), m_prompts(prompts) {
    setWindowTitle(QStringLiteral("Options"));
    m_pages = new QTabWidget(this);
    m_standard = new COptionsPage_1(settings, std::move(chooser), m_pages);
    m_colors = new COptionsPage_2(settings, m_pages);
    m_pages->addTab(m_standard, QStringLiteral("Standard"));
    m_pages->addTab(m_colors, QStringLiteral("Colors"));
    m_pages->setCurrentIndex(first);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(IdName(1));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(IdName(2));
    connect(buttons, &QDialogButtonBox::accepted, this, &COptionsSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addWidget(buttons);
}

void COptionsSheet::accept() {
    double zoomFactor = 0;
    if (!m_standard->Validate(zoomFactor)) {
        m_pages->setCurrentWidget(m_standard);
        m_prompts.ShowMessage(kZoomFactorRange, MessageIcon::Exclamation);
        if (QWidget* zoom = m_standard->findChild<QWidget*>(QStringLiteral("id1053")))
            zoom->setFocus();
        return;
    }
    m_standard->Store(zoomFactor);
    m_colors->Store();
    QDialog::accept();
}

}  // namespace kestro
