#include "gui/attributes/sim_control_attribute.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "core/document/circuit.h"
#include "gui/attributes/attribute_edit.h"
#include "gui/attributes/ex_combo_box_ctrl.h"
#include "gui/attributes/ex_edit_ctrl.h"
#include "gui/attributes/kestro_attributes.h"

namespace kestro {

namespace {

struct CField {
    int id;
    const char* label;
    const char* unit;
};
constexpr CField kEdits[] = {{1070, "Time &Step", "s"},
                             {1071, "&Total Time", "s"},
                             {1072, "&Print Time", "s"},
                             {1073, "Print St&ep", ""}};
constexpr CField kFlags[] = {{1036, "&Load Flag", ""}, {1037, "Sa&ve Flag", ""}};

}  // namespace

// A field with its unit after it; every field keeps the unit's room so that they line up.
QLayout* CSimControlAttribute::WithUnit(QWidget* field, const char* unit) {
    auto* row = new QHBoxLayout;
    row->addWidget(field, 1);
    auto* label = new QLabel(QString::fromLatin1(unit), this);
    label->setFixedWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("ms")));
    row->addWidget(label);
    return row;
}

CSimControlAttribute::CSimControlAttribute(CKestroAttributes& window)
    : CAttribBaseDlg(window, 173) {
    auto* form = new QFormLayout(this);
    form->setContentsMargins(10, 10, 10, 10);
    for (size_t i = 0; i < m_edits.size(); ++i) {
        const bool integer = i == 3;
        auto* edit = new CExEditCtrl(integer ? kSetInteger : kSetFloat, this);
        edit->setObjectName(QStringLiteral("id%1").arg(kEdits[i].id));
        edit->SetStepping(integer);
        auto* label = new QLabel(QString::fromLatin1(kEdits[i].label), this);
        label->setBuddy(edit);
        form->addRow(label, WithUnit(edit, kEdits[i].unit));
        m_edits[i] = edit;
    }
    for (size_t i = 0; i < m_flags.size(); ++i) {
        auto* list = new CExComboBoxCtrl(this);
        list->setObjectName(QStringLiteral("id%1").arg(kFlags[i].id));
        list->addItems({QStringLiteral("0"), QStringLiteral("1")});
        auto* label = new QLabel(QString::fromLatin1(kFlags[i].label), this);
        label->setBuddy(list);
        form->addRow(label, WithUnit(list, ""));
        m_flags[i] = list;
    }
    auto* help = new QPushButton(QStringLiteral("Help"), this);
    help->setObjectName(QStringLiteral("id57670"));
    help->setAutoDefault(false);
    connect(help, &QPushButton::clicked, this, [this] { Window().ShowHelp(); });
    form->addRow(QString(), help);
}

void CSimControlAttribute::LoadPage() {
    CCircuit* document = Window().Document();
    if (!document) return;
    const auto& parameters = document->GetSimulationParameters();
    for (size_t i = 0; i < 3; ++i)
        m_edits[i]->setText(QString::fromStdString(parameters[kTimeStep + i].GetFloatText()));
    m_edits[3]->setText(QString::fromStdString(parameters[kPrintStep].GetText()));
    for (CExEditCtrl* edit : m_edits)
        edit->setModified(false);
    for (size_t i = 0; i < m_flags.size(); ++i) {
        m_flags[i]->setCurrentIndex(parameters[kLoadFlag + i].GetInteger() != 0 ? 1 : 0);
        m_flags[i]->ClearChanged();
    }
}

bool CSimControlAttribute::HasChanges() const {
    return std::any_of(m_edits.begin(), m_edits.end(),
                       [](const CExEditCtrl* edit) { return edit->isModified(); }) ||
           std::any_of(m_flags.begin(), m_flags.end(), [](const CExComboBoxCtrl* list) {
               return list->IsChanged() && list->currentIndex() >= 0;
           });
}

bool CSimControlAttribute::ApplyPage() {
    CCircuit* document = Window().Document();
    if (!document || !HasChanges()) return false;
    CAttributeEdit edit(document, "Simulation Control");
    edit.ChangeSheet();
    auto& parameters = document->GetSimulationParameters();
    // Values left alone keep every digit, as on the element page.
    for (size_t i = 0; i < 3; ++i) {
        if (!m_edits[i]->isModified()) continue;
        CGenType& value = parameters[kTimeStep + i];
        value.SetType(CGenType::Float);
        value.SetFromText(m_edits[i]->text().toStdString());
    }
    if (m_edits[3]->isModified())
        parameters[kPrintStep] = CGenType::MakeInteger(m_edits[3]->GetInteger());
    for (size_t i = 0; i < m_flags.size(); ++i)
        if (m_flags[i]->IsChanged() && m_flags[i]->currentIndex() >= 0)
            parameters[kLoadFlag + i] = CGenType::MakeInteger(m_flags[i]->currentIndex());
    edit.Commit();
    for (CExEditCtrl* field : m_edits)
        field->setModified(false);
    for (CExComboBoxCtrl* list : m_flags)
        list->ClearChanged();
    return true;
}

}  // namespace kestro
