#include "gui/library_editor/lib_attrib_dlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "core/library/library_data.h"
#include "core/library/library_edit_step.h"
#include "core/platform/text_encoding.h"
#include "gui/attributes/kestro_attributes.h"
#include "gui/dialogs/labelled_row.h"
#include "gui/library_editor/definition_text.h"
#include "gui/library_editor/definition_tree.h"
#include "gui/library_editor/net_line_dlg.h"

namespace kestro {

namespace {

// What the page sets of the element flags and of the name's definition flags.
constexpr uint32_t kPageElementFlags = CLibElement::kShowInDialog | CLibElement::kShowInList2;
constexpr uint32_t kNameFlags = CNetLine::kTextLink | CNetLine::kLinkAtPlacement;

QString Utf8(const std::string& bytes) {
    return QString::fromStdString(TextAsUtf8(bytes));
}

QCheckBox* Check(const QString& text, int id, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QStringLiteral("id%1").arg(id));
    return box;
}

QLineEdit* Edit(int id, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("id%1").arg(id));
    return edit;
}

}  // namespace

CLibAttribDlg::CLibAttribDlg(CKestroAttributes& window) : CAttribBaseDlg(window, 163) {
    CreateControls();
}

void CLibAttribDlg::CreateControls() {
    m_description = Edit(1007, this);
    m_defaultName = Edit(1009, this);
    m_nameLink = Check(QStringLiteral("Display Name as text link"), 1042, this);
    m_nameShown = Check(QStringLiteral("Initial Display State of Name"), 1043, this);
    m_showInDialog = Check(QStringLiteral("Show in Dialog box"), 1016, this);
    // Carried through without being offered.
    m_showInList2 = Check(QStringLiteral("Show in List 2"), 1018, this);
    m_showInList2->setVisible(false);
    m_tree = new CDefinitionTree(this);
    m_preview = new QLabel(this);
    m_preview->setObjectName(QStringLiteral("id1001"));
    m_preview->setAccessibleName(QStringLiteral("Netlist string"));
    m_preview->setWordWrap(true);
    m_preview->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_add = new QPushButton(QStringLiteral("&Add"), this);
    m_add->setObjectName(QStringLiteral("id1019"));
    m_add->setAutoDefault(false);

    auto* grid = new QGridLayout;
    const auto row = [&](int at, const QString& text, QWidget* field) {
        AddLabelledRow(*grid, at, text, field);
    };
    row(0, QStringLiteral("D&escription"), m_description);
    row(1, QStringLiteral("Default &name"), m_defaultName);
    auto* checks = new QHBoxLayout;
    for (QCheckBox* box : {m_nameLink, m_nameShown, m_showInDialog})
        checks->addWidget(box);
    checks->addStretch();
    auto* listHead = new QHBoxLayout;
    auto* listLabel = new QLabel(QStringLiteral("Attribute &definitions"), this);
    listLabel->setBuddy(m_tree);
    listHead->addWidget(listLabel);
    listHead->addStretch();
    listHead->addWidget(m_add);
    auto* previewLabel = new QLabel(QStringLiteral("Netlist string :"), this);
    previewLabel->setBuddy(m_preview);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(grid);
    layout->addLayout(checks);
    layout->addLayout(listHead);
    layout->addWidget(m_tree, 1);
    layout->addWidget(previewLabel);
    layout->addWidget(m_preview);

    connect(m_nameLink, &QCheckBox::toggled, this, &CLibAttribDlg::UpdateEnabling);
    connect(m_add, &QPushButton::clicked, this, [this] { EditDefinition(nullptr); });
    connect(m_tree, &CDefinitionTree::EditRequested, this, &CLibAttribDlg::EditDefinition);
    connect(m_tree, &CDefinitionTree::DeleteRequested, this, &CLibAttribDlg::DeleteDefinition);
    connect(m_tree, &CDefinitionTree::Reordered, this, [this] {
        if (CLibElement* element = Element()) {
            CLibraryEditStep step(*Library(), "Move Definition");
            step.TouchElement(element->GetIdentifier());
            TakeOrderFromList(*element);
            step.Commit();
        }
        BuildPreview();
    });
    connect(m_defaultName, &QLineEdit::textEdited, this, &CLibAttribDlg::BuildPreview);
}

QSize CLibAttribDlg::PageSize() const {
    return {600, 380};
}

CLibraryData* CLibAttribDlg::Library() const {
    return Window().Services().library;
}

CLibElement* CLibAttribDlg::Element() const {
    CLibElement* element = Window().LibraryElement();
    if (!element || element != m_loaded || element->GetDefinitionCount() == 0 || !Library())
        return nullptr;
    return element;
}

void CLibAttribDlg::UpdateEnabling() {
    m_nameShown->setEnabled(m_nameLink->isChecked());
}

void CLibAttribDlg::LoadPage() {
    m_loaded = nullptr;
    m_tree->clear();
    CLibElement* element = Window().LibraryElement();
    if (!element || element->GetDefinitionCount() == 0) {
        m_preview->clear();
        return;
    }
    m_loaded = element;
    const CNetLine& name = element->GetDefinition(0);
    m_description->setText(Utf8(element->GetDescription()));
    m_defaultName->setText(Utf8(name.GetValue().GetText()));
    m_nameLink->setChecked(name.GetFlags() & CNetLine::kTextLink);
    m_nameShown->setChecked(name.GetFlags() & CNetLine::kLinkAtPlacement);
    m_showInDialog->setChecked(element->GetFlags() & CLibElement::kShowInDialog);
    m_showInList2->setChecked(element->GetFlags() & CLibElement::kShowInList2);
    UpdateEnabling();
    auto& definitions = element->GetDefinitions();
    for (size_t i = 1; i < definitions.size(); ++i)
        m_tree->addTopLevelItem(CDefinitionTree::NewLine(*definitions[i]));
    BuildPreview();
}

bool CLibAttribDlg::ApplyPage() {
    CLibElement* element = Element();
    if (!element) return false;
    CLibraryEditStep step(*Library(), "Library Attributes");
    step.TouchElement(element->GetIdentifier());
    element->SetDescription(m_description->text().toStdString());
    CNetLine& name = element->GetDefinition(0);
    name.SetValue(CGenType::MakeString(m_defaultName->text().toStdString()));
    uint32_t flags = element->GetFlags() & ~kPageElementFlags;
    if (m_showInDialog->isChecked()) flags |= CLibElement::kShowInDialog;
    if (m_showInList2->isChecked()) flags |= CLibElement::kShowInList2;
    element->SetFlags(flags);
    uint32_t nameFlags = name.GetFlags() & ~kNameFlags;
    if (m_nameLink->isChecked()) {
        nameFlags |= CNetLine::kTextLink;
        if (m_nameShown->isChecked()) nameFlags |= CNetLine::kLinkAtPlacement;
    }
    name.SetFlags(nameFlags);
    TakeOrderFromList(*element);
    const bool changed = step.Commit();
    BuildPreview();
    return changed;
}

void CLibAttribDlg::TakeOrderFromList(CLibElement& element) {
    auto& definitions = element.GetDefinitions();
    std::vector<std::unique_ptr<CNetLine>> ordered;
    ordered.reserve(definitions.size());
    ordered.push_back(std::move(definitions[0]));
    for (CNetLine* wanted : m_tree->Definitions()) {
        const auto found = std::find_if(definitions.begin() + 1, definitions.end(),
                                        [wanted](const auto& d) { return d.get() == wanted; });
        if (found != definitions.end()) ordered.push_back(std::move(*found));
    }
    // Definitions without a line (none, normally) keep their places at the end.
    for (auto& rest : definitions)
        if (rest) ordered.push_back(std::move(rest));
    definitions = std::move(ordered);
}

QString CLibAttribDlg::PreviewText() const {
    return m_preview->text();
}

void CLibAttribDlg::BuildPreview() {
    const CLibElement* element = Element();
    if (!element) {
        m_preview->clear();
        return;
    }
    const std::vector<CNetLine*> lines = m_tree->Definitions();
    const std::vector<const CNetLine*> definitions(lines.begin(), lines.end());
    m_preview->setText(
        Utf8(NetlistPreview(*element, m_defaultName->text().toStdString(), definitions)));
}

void CLibAttribDlg::EditDefinition(QTreeWidgetItem* item) {
    CLibElement* element = Element();
    if (!element) return;
    CNetLine* edited = CDefinitionTree::DefinitionOf(item);
    const CNetLine start =
        edited ? *edited : CNetLine(std::string(), std::string(), CGenType::MakeFloat(0.0), 0);
    CNetLineDlg dialog(start, edited == nullptr, this);
    if (dialog.exec() == QDialog::Accepted) {
        if (dialog.IsNew()) {
            AddDefinition(dialog.Definition(), item ? item : m_tree->currentItem());
        } else {
            CLibraryEditStep step(*Library(), "Edit Definition");
            step.TouchElement(element->GetIdentifier());
            *edited = dialog.Definition();
            edited->ComputeId();
            step.Commit();
            CDefinitionTree::Refresh(item);
            m_tree->setCurrentItem(item);
        }
    }
    BuildPreview();
}

void CLibAttribDlg::AddDefinition(const CNetLine& definition, QTreeWidgetItem* after) {
    CLibElement& element = *Element();
    CLibraryEditStep step(*Library(), "Add Definition");
    step.TouchElement(element.GetIdentifier());
    CNetLine added = definition;
    added.ComputeId();
    CNetLine& stored = element.AddDefinition(std::move(added));
    QTreeWidgetItem* line = CDefinitionTree::NewLine(stored);
    const int at = after ? m_tree->indexOfTopLevelItem(after) + 1 : m_tree->topLevelItemCount();
    m_tree->insertTopLevelItem(at, line);
    m_tree->setCurrentItem(line);
    TakeOrderFromList(element);
    step.Commit();
}

void CLibAttribDlg::DeleteDefinition(QTreeWidgetItem* item) {
    CLibElement* element = Element();
    CNetLine* definition = CDefinitionTree::DefinitionOf(item);
    if (!element || !definition) return;
    CLibraryEditStep step(*Library(), "Delete Definition");
    step.TouchElement(element->GetIdentifier());
    auto& definitions = element->GetDefinitions();
    const auto found = std::find_if(definitions.begin() + 1, definitions.end(),
                                    [definition](const auto& d) { return d.get() == definition; });
    delete item;
    if (found != definitions.end()) definitions.erase(found);
    step.Commit();
    BuildPreview();
}

}  // namespace kestro
