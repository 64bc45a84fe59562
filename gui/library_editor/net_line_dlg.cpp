#include "gui/library_editor/net_line_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <limits>

#include "core/platform/number_text.h"
#include "core/platform/text_encoding.h"
#include "gui/attributes/ex_edit_ctrl.h"
#include "gui/dialogs/labelled_row.h"

namespace kestro {

namespace {

QString Utf8(const std::string& bytes) {
    return QString::fromStdString(TextAsUtf8(bytes));
}

// A Float from engineering notation ("4.7k").
CGenType ParseFloat(const QString& text) {
    CGenType value = CGenType::MakeFloat(0.0);
    value.SetFromText(text.toStdString());
    return value;
}

int32_t LeadingInt32(const QString& text) {
    const int64_t value = ParseLeadingInt(text.toStdString());
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// The character set of the default value edit for each type.
uint16_t CharacterSetOf(int index) {
    switch (index) {
        case CNetLineDlg::kFloatIndex:
            return kSetFloat;
        case CNetLineDlg::kStringIndex:
            return kSetString;
        default:
            return kSetDigits;
    }
}

QCheckBox* Check(const QString& text, int id, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QStringLiteral("id%1").arg(id));
    return box;
}

QPushButton* Button(const QString& text, int id, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QStringLiteral("id%1").arg(id));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

int TypeIndexOf(uint16_t type) {
    switch (type) {
        case CGenType::Boolean:
            return CNetLineDlg::kBooleanIndex;
        case CGenType::String:
            return CNetLineDlg::kStringIndex;
        case CGenType::Integer:
            return CNetLineDlg::kIntegerIndex;
        default:
            return CNetLineDlg::kFloatIndex;
    }
}

uint16_t TypeOfIndex(int index) {
    switch (index) {
        case CNetLineDlg::kBooleanIndex:
            return CGenType::Boolean;
        case CNetLineDlg::kStringIndex:
            return CGenType::String;
        case CNetLineDlg::kIntegerIndex:
            return CGenType::Integer;
        default:
            return CGenType::Float;
    }
}

CNetLineDlg::CNetLineDlg(CNetLine definition, bool isNew, QWidget* parent)
    : QDialog(parent), m_definition(std::move(definition)), m_new(isNew) {
    setObjectName(QStringLiteral("id165"));
    setWindowTitle(QStringLiteral("Attribute Definition"));
    CreateControls();
    LoadDialog();
}

void CNetLineDlg::CreateControls() {
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("id1010"));
    m_type = new QComboBox(this);
    m_type->setObjectName(QStringLiteral("id1011"));
    m_type->addItems({QStringLiteral("Float"), QStringLiteral("Boolean"), QStringLiteral("String"),
                      QStringLiteral("Integer")});
    m_unit = new QLineEdit(this);
    m_unit->setObjectName(QStringLiteral("id1012"));
    m_value = new CExEditCtrl(kSetFloat, this);
    m_value->setObjectName(QStringLiteral("id1013"));
    m_hidden = Check(QStringLiteral("Don't show in Attribute Dialog"), 1005, this);
    m_primary = Check(QStringLiteral("Is Primary Value of Element"), 1008, this);
    m_textLink = Check(QStringLiteral("Display as text link"), 1015, this);
    m_linkAtPlacement = Check(QStringLiteral("Initial Display State"), 1017, this);
    m_noQuotation = Check(QStringLiteral("No quotation in Netlist file"), 1018, this);
    // Carried through without being offered.
    m_hidden->setVisible(false);
    m_primary->setVisible(false);
    m_ok = Button(QStringLiteral("OK"), 1006, this);
    auto* cancel = Button(QStringLiteral("Cancel"), 2, this);
    m_addAsNew = Button(QStringLiteral("&Add as New"), 1019, this);

    auto* grid = new QGridLayout;
    const auto row = [&](int at, const QString& text, QWidget* field) {
        AddLabelledRow(*grid, at, text, field);
    };
    row(0, QStringLiteral("&Data name"), m_name);
    row(1, QStringLiteral("Data &type"), m_type);
    row(2, QStringLiteral("&Unit"), m_unit);
    row(3, QStringLiteral("Default &value"), m_value);
    auto* checks = new QVBoxLayout;
    for (QCheckBox* box : {m_textLink, m_linkAtPlacement, m_noQuotation})
        checks->addWidget(box);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {m_ok, cancel, m_addAsNew})
        buttons->addWidget(button);
    buttons->addStretch();
    auto* left = new QVBoxLayout;
    left->addLayout(grid);
    left->addLayout(checks);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(buttons);

    connect(m_type, &QComboBox::currentIndexChanged, this, &CNetLineDlg::OnTypeChanged);
    connect(m_textLink, &QCheckBox::toggled, this, &CNetLineDlg::UpdateEnabling);
    connect(m_ok, &QPushButton::clicked, this, &CNetLineDlg::Accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_addAsNew, &QPushButton::clicked, this, &CNetLineDlg::AddAsNew);
}

void CNetLineDlg::LoadDialog() {
    const CGenType& value = m_definition.GetValue();
    m_typeIndex = TypeIndexOf(value.GetType());
    {
        const QSignalBlocker quiet(m_type);
        m_type->setCurrentIndex(m_typeIndex);
    }
    m_name->setText(Utf8(m_definition.GetName()));
    m_unit->setText(Utf8(m_definition.GetUnit()));
    switch (m_typeIndex) {
        case kFloatIndex:
            m_value->setText(Utf8(value.GetType() == CGenType::Float ? value.GetDisplayText()
                                                                     : std::string("0")));
            break;
        case kStringIndex:
            m_value->setText(Utf8(value.GetString()));
            break;
        default:
            m_value->setText(QString::number(value.GetInteger()));
            break;
    }
    m_value->SetCharacterSet(CharacterSetOf(m_typeIndex));
    const uint32_t flags = m_definition.GetFlags();
    m_hidden->setChecked(flags & CNetLine::kHidden);
    m_primary->setChecked(flags & CNetLine::kPrimaryValue);
    m_textLink->setChecked(flags & CNetLine::kTextLink);
    m_linkAtPlacement->setChecked(flags & CNetLine::kLinkAtPlacement);
    m_noQuotation->setChecked(flags & CNetLine::kNoQuotation);
    UpdateEnabling();
}

QString CNetLineDlg::ConvertText(const QString& text, int toIndex) {
    switch (toIndex) {
        case kFloatIndex:
            return Utf8(ParseFloat(text).GetDisplayText());
        case kBooleanIndex:
            return LeadingInt32(text) != 0 ? QStringLiteral("1") : QStringLiteral("0");
        case kIntegerIndex:
            return QString::number(LeadingInt32(text));
        default:
            return text;
    }
}

void CNetLineDlg::OnTypeChanged(int index) {
    if (index < 0 || index == m_typeIndex) return;
    m_typeIndex = index;
    m_value->setText(ConvertText(m_value->text(), index));
    m_value->SetCharacterSet(CharacterSetOf(index));
    UpdateEnabling();
}

void CNetLineDlg::UpdateEnabling() {
    m_linkAtPlacement->setEnabled(m_textLink->isChecked());
    m_noQuotation->setEnabled(m_typeIndex == kStringIndex);
    m_ok->setEnabled(!m_new);
}

void CNetLineDlg::SaveDialog() {
    m_definition.SetName(m_name->text().toStdString());
    m_definition.SetUnit(m_unit->text().toStdString());
    const QString text = m_value->text();
    switch (m_typeIndex) {
        case kFloatIndex:
            m_definition.SetValue(ParseFloat(text));
            break;
        case kBooleanIndex:
            m_definition.SetValue(CGenType::MakeBoolean(LeadingInt32(text) != 0));
            break;
        case kStringIndex:
            m_definition.SetValue(CGenType::MakeString(text.toStdString()));
            break;
        default:
            m_definition.SetValue(CGenType::MakeInteger(LeadingInt32(text)));
            break;
    }
    uint32_t flags = m_definition.GetFlags() & ~kDialogFlags;
    if (m_hidden->isChecked()) flags |= CNetLine::kHidden;
    if (m_primary->isChecked()) flags |= CNetLine::kPrimaryValue;
    if (m_textLink->isChecked()) {
        flags |= CNetLine::kTextLink;
        if (m_linkAtPlacement->isChecked()) flags |= CNetLine::kLinkAtPlacement;
    }
    if (m_noQuotation->isChecked()) flags |= CNetLine::kNoQuotation;
    m_definition.SetFlags(flags);
    m_definition.ComputeId();
}

void CNetLineDlg::Accept() {
    if (m_new) return;  // a new definition is only added
    SaveDialog();
    QDialog::accept();
}

void CNetLineDlg::AddAsNew() {
    m_new = true;
    SaveDialog();
    QDialog::accept();
}

void CNetLineDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace kestro
