#include "gui/attributes/element_attribute.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "core/document/circuit.h"
#include "core/library/lib_element.h"
#include "core/objects/sim_link.h"
#include "core/objects/sim_part.h"
#include "core/platform/text_encoding.h"
#include "gui/attributes/attribute_edit.h"
#include "gui/attributes/ex_combo_box_ctrl.h"
#include "gui/attributes/ex_edit_ctrl.h"
#include "gui/attributes/kestro_attributes.h"

namespace kestro {

namespace {

constexpr int kMargin = 8;
constexpr int kGap = 6;
constexpr int kBoxPadding = 8;
constexpr int kValueWidth = 140;
constexpr int kMinLabelWidth = 48;
constexpr int kMaxLabelWidth = 220;

QString Utf8(const std::string& bytes) {
    return QString::fromStdString(TextAsUtf8(bytes));
}

bool MayBeShown(const CNetLine& definition) {
    return (definition.GetFlags() & CNetLine::kTextLink) != 0;
}

// The number of attributes the page edits: values and definitions go together.
size_t AttributeCount(const CSimPart& element) {
    const CLibElement* library = element.GetElement();
    return library ? std::min(library->GetDefinitionCount(), element.GetData().GetCount()) : 0;
}

}  // namespace

QWidget* CElementAttribute::CRow::Value() const {
    return edit ? static_cast<QWidget*>(edit) : static_cast<QWidget*>(list);
}

CElementAttribute::CElementAttribute(CKestroAttributes& window) : CAttribBaseDlg(window, 166) {
    CreateTemplate();
}

// The page as its template holds it: the fixed controls, whose looks the run-time rows
// copy.
void CElementAttribute::CreateTemplate() {
    m_description = new QLabel(this);
    m_description->setObjectName(QStringLiteral("id1038"));
    m_description->setWordWrap(true);
    m_description->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (const int id : {1040, 1041}) {
        auto* box = new QGroupBox(QStringLiteral("Display"), this);
        box->setObjectName(QStringLiteral("id%1").arg(id));
        // The caption stands over the column of "Display" boxes.
        box->setAlignment(Qt::AlignRight);
        m_boxes.push_back(box);
    }
    m_nameLabel = new CExStatic(QStringLiteral("Name"), this);
    m_nameLabel->setObjectName(QStringLiteral("id1024"));
    m_nameEdit = new CExEditCtrl(kSetEverything, this);
    m_nameEdit->setObjectName(QStringLiteral("id1020"));
    m_nameLabel->setBuddy(m_nameEdit);
    m_nameDisplay = new CExButton(this);
    m_nameDisplay->setObjectName(QStringLiteral("id1500"));
    m_nameDisplay->setAccessibleName(QStringLiteral("Display Name"));
    connect(m_nameDisplay, &QCheckBox::clicked, this, [this](bool on) { OnDisplayClicked(0, on); });
    m_modelList = new CExComboBoxCtrl(this);
    m_modelList->setObjectName(QStringLiteral("id1039"));
    m_modelList->hide();
    m_help = new QPushButton(QStringLiteral("Help"), this);
    m_help->setObjectName(QStringLiteral("id57670"));
    m_help->setAutoDefault(false);
    connect(m_help, &QPushButton::clicked, this, [this] { Window().ShowHelp(); });

    const int editHeight = std::max(m_nameEdit->sizeHint().height(), 22);
    m_nameLabel->resize(std::max(kMinLabelWidth, m_nameLabel->sizeHint().width()),
                        m_nameLabel->sizeHint().height());
    m_nameEdit->resize(kValueWidth, editHeight);
    m_nameDisplay->resize(m_nameDisplay->sizeHint());
    m_modelList->resize(kValueWidth, std::max(m_modelList->sizeHint().height(), editHeight));
    CaptureModel(*m_nameLabel, m_models.label);
    CaptureModel(*m_nameDisplay, m_models.checkBox);
    CaptureModel(*m_nameEdit, m_models.edit);
    CaptureModel(*m_modelList, m_models.comboBox);
}

CSimPart* CElementAttribute::SelectedElement() const {
    CPart* object = Window().SelectedObject();
    return object ? object->AsSimPart() : nullptr;
}

int CElementAttribute::ColumnCount() const {
    return int(m_rows.size()) / kRowsPerColumn + 1;
}

void CElementAttribute::DestroyRows() {
    for (CRow& row : m_rows) {
        delete row.label;
        delete row.unit;
        delete row.Value();
        delete row.display;
    }
    m_rows.clear();
}

// --- Loading ---------------------------------------------------------------------------------

CElementAttribute::CMeasures CElementAttribute::Measure(const CSimPart& element) const {
    CMeasures m;
    const QFontMetrics metrics(m_models.label.font);
    int widest = m_models.label.size.width();
    int widestUnit = 0;
    if (const CLibElement* library = element.GetElement())
        for (size_t i = 1; i < AttributeCount(element); ++i) {
            const CNetLine& definition = library->GetDefinition(i);
            widest = std::max(widest, metrics.horizontalAdvance(Utf8(definition.GetName())) + 4);
            widestUnit =
                std::max(widestUnit, metrics.horizontalAdvance(Utf8(definition.GetUnit())) + 4);
        }
    m.labelWidth = std::clamp(widest, kMinLabelWidth, kMaxLabelWidth);
    m.unitWidth = widestUnit > 4 ? std::min(widestUnit, kMaxLabelWidth) + kGap : 0;
    m.valueWidth = m_models.edit.size.width();
    m.editHeight = m_models.edit.size.height();
    m.labelHeight = m_models.label.size.height();
    m.checkWidth = m_models.checkBox.size.width();
    m.rowPitch = m.editHeight + m.labelHeight / 4;
    m.boxWidth = kBoxPadding + m.labelWidth + kGap + m.valueWidth + m.unitWidth + kGap +
                 m.checkWidth + kBoxPadding;
    m.columnPitch = m.boxWidth + kMargin;
    return m;
}

QRect CElementAttribute::RowRect(const CMeasures& m, size_t index, int x, int width,
                                 int height) const {
    const int column = int(index) / kRowsPerColumn;
    const int row = int(index) % kRowsPerColumn;
    const int top = m.rowsTop + row * m.rowPitch + (m.editHeight - height) / 2;
    return {kMargin + column * m.columnPitch + x, top, width, height};
}

void CElementAttribute::LoadPage() {
    DestroyRows();
    CSimPart* element = SelectedElement();
    if (!element) return;
    const CLibElement* library = element->GetElement();
    const size_t count = AttributeCount(*element);
    CMeasures m = Measure(*element);
    const int columns = count <= 1 ? 1 : int(count - 1) / kRowsPerColumn + 1;
    m_description->setText(library ? Utf8(library->GetDescription()) : QString());
    m.rowsTop = LayOutHeader(m, columns);
    PlaceNameRow(*element, m);
    for (size_t i = 1; i < count; ++i)
        AddRow(*element, i, m);
    const size_t firstColumnRows = std::min<size_t>(std::max<size_t>(count, 1), kRowsPerColumn);
    const QRect lastOfFirst = RowRect(m, firstColumnRows - 1, 0, 1, m.editHeight);
    PlaceBoxes(m, columns, lastOfFirst.bottom() + 1);
}

// Description and "Help" over the columns; returns the top of the first row.
int CElementAttribute::LayOutHeader(const CMeasures& m, int columns) {
    const int right = kMargin + columns * m.columnPitch - kMargin;
    const QSize help = m_help->sizeHint();
    m_help->setGeometry(right - help.width(), kMargin, help.width(), help.height());
    const int textWidth = std::max(40, right - kMargin - help.width() - kGap);
    const int textHeight = std::max(help.height(), m_description->heightForWidth(textWidth));
    m_description->setGeometry(kMargin, kMargin, textWidth, textHeight);
    const int boxTop = kMargin + textHeight + kGap;
    const int caption = m_boxes[0]->fontMetrics().height();
    return boxTop + caption + kGap;
}

void CElementAttribute::PlaceNameRow(const CSimPart& element, const CMeasures& m) {
    m_nameLabel->setGeometry(RowRect(m, 0, kBoxPadding, m.labelWidth, m.labelHeight));
    m_nameEdit->setGeometry(
        RowRect(m, 0, kBoxPadding + m.labelWidth + kGap, m.valueWidth, m.editHeight));
    m_nameEdit->setText(Utf8(element.GetInstanceName()));
    m_nameEdit->setModified(false);
    const QSize box = m_models.checkBox.size;
    m_nameDisplay->setGeometry(
        RowRect(m, 0, m.boxWidth - kBoxPadding - box.width(), box.width(), box.height()));
    const CLibElement* library = element.GetElement();
    const bool shown =
        library && library->GetDefinitionCount() > 0 && MayBeShown(library->GetDefinition(0));
    m_nameDisplay->setVisible(shown);
    m_nameDisplay->setChecked(element.FindLink(0) != nullptr);
}

void CElementAttribute::AddRow(CSimPart& element, size_t index, const CMeasures& m) {
    const CNetLine& definition = element.GetElement()->GetDefinition(index);
    const CGenType& value = element.GetData().GetValue(index);
    const int id = int(index);
    CRow row;
    row.label = CExStatic::Create(Utf8(definition.GetName()),
                                  RowRect(m, index, kBoxPadding, m.labelWidth, m.labelHeight), this,
                                  0, m_models.label);
    const QRect valueRect =
        RowRect(m, index, kBoxPadding + m.labelWidth + kGap, m.valueWidth, m.editHeight);
    switch (value.GetType()) {
        case CGenType::Boolean:
            row.list =
                CExComboBoxCtrl::Create(valueRect, this, kFirstValueId + id, m_models.comboBox);
            row.list->addItems({QStringLiteral("0"), QStringLiteral("1")});
            row.list->setCurrentIndex(value.GetInteger() != 0 ? 1 : 0);
            row.list->ClearChanged();
            break;
        case CGenType::Float:
            row.edit =
                CExEditCtrl::Create(kSetFloat, valueRect, this, kFirstValueId + id, m_models.edit);
            row.edit->setText(QString::fromStdString(value.GetFloatText()));
            break;
        case CGenType::Integer:
            row.edit = CExEditCtrl::Create(kSetInteger, valueRect, this, kFirstValueId + id,
                                           m_models.edit);
            row.edit->setText(QString::fromStdString(value.GetText()));
            row.edit->SetStepping(true);
            break;
        default:
            row.edit =
                CExEditCtrl::Create(kSetString, valueRect, this, kFirstValueId + id, m_models.edit);
            row.edit->setText(Utf8(value.GetText()));
            // A value without a type has nothing to edit.
            row.edit->setReadOnly(value.GetType() != CGenType::String);
            break;
    }
    if (row.edit) row.edit->setModified(false);
    row.label->setBuddy(row.Value());
    if (!definition.GetUnit().empty()) {
        const int x = kBoxPadding + m.labelWidth + kGap + m.valueWidth + kGap;
        row.unit = CExStatic::Create(Utf8(definition.GetUnit()),
                                     RowRect(m, index, x, m.unitWidth - kGap, m.labelHeight), this,
                                     0, m_models.label);
    }
    if (MayBeShown(definition)) {
        const QSize box = m_models.checkBox.size;
        row.display = CExButton::Create(
            QString(), RowRect(m, index, m.boxWidth - kBoxPadding - box.width(), 0, box.height()),
            this, kFirstDisplayId + id, m_models.checkBox);
        row.display->setAccessibleName(QStringLiteral("Display ") + row.label->text());
        row.display->setChecked(element.FindLink(index) != nullptr);
        connect(row.display, &QCheckBox::clicked, this,
                [this, index](bool on) { OnDisplayClicked(index, on); });
    }
    m_rows.push_back(row);
}

void CElementAttribute::PlaceBoxes(const CMeasures& m, int columns, int firstColumnBottom) {
    while (int(m_boxes.size()) < columns) {
        auto* box = new QGroupBox(QStringLiteral("Display"), this);
        box->setObjectName(QStringLiteral("displayBox%1").arg(m_boxes.size() + 1));
        box->setAlignment(Qt::AlignRight);
        m_boxes.push_back(box);
    }
    const int top = m_description->geometry().bottom() + 1 + kGap;
    const int bottom = firstColumnBottom + kBoxPadding;
    for (size_t c = 0; c < m_boxes.size(); ++c) {
        QGroupBox* box = m_boxes[c];
        box->setGeometry(kMargin + int(c) * m.columnPitch, top, m.boxWidth, bottom - top);
        box->setVisible(int(c) < columns);
        box->lower();  // under the rows
    }
    m_pageSize = QSize(kMargin + columns * m.columnPitch, bottom + kMargin);
}

// --- Writing back ----------------------------------------------------------------------------

bool CElementAttribute::ApplyPage() {
    CSimPart* element = SelectedElement();
    if (!element || !HasChanges()) return false;
    CAttributeEdit edit(Window().Document(), "Attributes");
    edit.Change(*element);
    // The links show the values: their texts and sizes follow.
    for (CSimLink* link : element->GetLinks())
        edit.Change(*link);
    ReadBack(*element);
    element->RefreshLinks();
    edit.Commit();
    ClearMarks();
    return true;
}

bool CElementAttribute::HasChanges() const {
    if (m_nameEdit->isModified()) return true;
    return std::any_of(m_rows.begin(), m_rows.end(), [](const CRow& row) {
        return row.list ? row.list->IsChanged() : row.edit->isModified();
    });
}

// Only what the user changed is written: a value left alone keeps every digit it has,
// even those its text does not show.
void CElementAttribute::ReadBack(CSimPart& element) {
    if (m_nameEdit->isModified()) element.SetInstanceName(m_nameEdit->text().toStdString());
    CPartData& data = element.GetData();
    for (size_t i = 0; i < m_rows.size() && i + 1 < data.GetCount(); ++i) {
        const CRow& row = m_rows[i];
        CGenType& value = data.GetValue(i + 1);
        if (row.list) {
            if (row.list->IsChanged()) value.SetIntegerValue(row.list->currentIndex() != 0 ? 1 : 0);
            continue;
        }
        if (!row.edit->isModified()) continue;
        const std::string text = row.edit->text().toStdString();
        if (value.GetType() == CGenType::Float)
            value.SetFromText(text);
        else if (value.GetType() == CGenType::Integer)
            value.SetIntegerValue(row.edit->GetInteger());
        else if (value.GetType() == CGenType::String)
            value.SetStringValue(text);
    }
}

void CElementAttribute::ClearMarks() {
    m_nameEdit->setModified(false);
    for (const CRow& row : m_rows) {
        if (row.edit) row.edit->setModified(false);
        if (row.list) row.list->ClearChanged();
    }
}

// A "Display" box adds or removes the text link of its attribute at once: one step
// with what was typed so far, which is what a new link is to show.
void CElementAttribute::OnDisplayClicked(size_t index, bool checked) {
    CSimPart* element = SelectedElement();
    CCircuit* document = Window().Document();
    if (!element || !document) return;
    CAttributeEdit edit(document, "Display");
    ApplyPage();
    if (checked) {
        if (element->FindLink(index)) return;
        // The element stacks its links again under itself.
        for (CSimLink* link : element->GetLinks())
            edit.Change(*link);
        edit.Add(CSimLink::Create(element->GetEnvironment(), *element, index));
        element->PlaceLinks();
    } else if (CSimLink* link = element->FindLink(index)) {
        edit.Remove(*link);
    }
    edit.Commit();
}

}  // namespace kestro
