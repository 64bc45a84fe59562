#include "gui/attributes/subcircuit_attribute.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <utility>

#include "core/document/circuit.h"
#include "core/hierarchy/circuit_document_manager.h"
#include "core/objects/sub_cir_part.h"
#include "core/platform/prompts.h"
#include "core/platform/text_encoding.h"
#include "gui/attributes/attribute_edit.h"
#include "gui/attributes/ex_combo_box_ctrl.h"
#include "gui/attributes/kestro_attributes.h"

namespace kestro {

namespace {

// How many instances on all open sheets use `sheet`.
size_t UserCount(const CCircuit& sheet) {
    size_t count = 0;
    for (const CCircuit* parent : sheet.GetParents())
        count += size_t(std::count_if(
            parent->GetInstances().begin(), parent->GetInstances().end(),
            [&sheet](const CSubCirPart* instance) { return instance->GetSheet() == &sheet; }));
    return count;
}

CExComboBoxCtrl* SizeList(QWidget* parent, int id) {
    auto* list = new CExComboBoxCtrl(parent);
    list->setObjectName(QStringLiteral("id%1").arg(id));
    for (int size = CSubcircuitAttribute::kFirstSize; size <= CSubcircuitAttribute::kLastSize;
         ++size)
        list->addItem(QString::number(size));
    list->setMaxVisibleItems(12);
    return list;
}

}  // namespace

CSubcircuitAttribute::CSubcircuitAttribute(CKestroAttributes& window)
    : CAttribBaseDlg(window, 172),
      m_file(new QLineEdit(this)),
      m_change(new QPushButton(QStringLiteral("&Change File Name..."), this)),
      m_width(SizeList(this, 1068)),
      m_height(SizeList(this, 1069)) {
    m_file->setObjectName(QStringLiteral("id1035"));
    m_file->setReadOnly(true);
    m_file->setMinimumWidth(300);
    m_change->setObjectName(QStringLiteral("id1031"));
    m_change->setAutoDefault(false);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(10, 10, 10, 10);
    auto* fileLabel = new QLabel(QStringLiteral("File Name"), this);
    fileLabel->setBuddy(m_file);
    grid->addWidget(fileLabel, 0, 0);
    grid->addWidget(m_file, 0, 1, 1, 2);
    grid->addWidget(m_change, 0, 3);
    int row = 1;
    for (auto [list, text] : {std::pair{m_width, "&Width of subcircuit"},
                              std::pair{m_height, "&Height of subcircuit"}}) {
        auto* label = new QLabel(QString::fromLatin1(text), this);
        label->setBuddy(list);
        // The lists count tens of units.
        list->setToolTip(QStringLiteral("In tens of units: 4 is 40 units"));
        grid->addWidget(label, row, 0);
        grid->addWidget(list, row, 1);
        grid->addWidget(new QLabel(QStringLiteral("x 10 units"), this), row, 2);
        ++row;
    }
    grid->setColumnStretch(2, 1);
    connect(m_change, &QPushButton::clicked, this, &CSubcircuitAttribute::ChangeFileName);
}

int CSubcircuitAttribute::SizeIndex(float extent) {
    const double tenths = std::round(double(std::fabs(extent)) * 0.1);  // halves away from 0
    return std::clamp(int(tenths) - kFirstSize, 0, kLastSize - kFirstSize);
}

CSubCirPart* CSubcircuitAttribute::Instance() const {
    CPart* object = Window().SelectedObject();
    return object ? object->AsSubCircuit() : nullptr;
}

void CSubcircuitAttribute::ShowPath() {
    const CSubCirPart* instance = Instance();
    if (!instance) return;
    const CCircuit* sheet = instance->GetSheet();
    const std::string& path =
        sheet && !sheet->GetPathName().empty() ? sheet->GetPathName() : instance->GetPath();
    m_file->setText(QString::fromStdString(TextAsUtf8(path)));
    m_file->setCursorPosition(0);
}

void CSubcircuitAttribute::LoadPage() {
    const CSubCirPart* instance = Instance();
    if (!instance) return;
    ShowPath();
    const CRectF box = instance->GetSheet() ? instance->GetSheet()->GetSymbolBox() : CRectF{};
    m_width->setCurrentIndex(SizeIndex(box.Width()));
    m_height->setCurrentIndex(SizeIndex(box.Height()));
    m_width->ClearChanged();
    m_height->ClearChanged();
}

bool CSubcircuitAttribute::ApplyPage() {
    CSubCirPart* instance = Instance();
    CCircuitDocumentManager* documents = Window().Services().documents;
    if (!instance || !instance->GetSheet() || !documents) return false;
    if (!m_width->IsChanged() && !m_height->IsChanged()) return false;
    const float width = float((m_width->currentIndex() + kFirstSize) * 10);
    const float height = float((m_height->currentIndex() + kFirstSize) * 10);
    // One step of the sheet whose block it is; the sheets that use it follow.
    const bool changed = documents->ResizeSymbolBox(*instance->GetSheet(), width, height);
    // A refused change (ports kept) shows the size the sheet still has.
    LoadPage();
    return changed;
}

void CSubcircuitAttribute::ChangeFileName() {
    CSubCirPart* instance = Instance();
    CCircuit* parent = Window().Document();
    const CAttributeServices& services = Window().Services();
    if (!instance || !instance->GetSheet() || !parent || !services.documents || !services.prompts)
        return;
    CFileDialogRequest request;
    request.title = kChangeTitle;
    request.filter = CCircuitDocumentManager::kFileFilter;
    request.defaultExtension = CCircuitDocumentManager::kFileExtension;
    const std::optional<std::string> path = services.prompts->SaveFileName(request);
    if (!path || path->empty()) return;
    CCircuit& sheet = *instance->GetSheet();
    Answer answer = Answer::Yes;
    if (UserCount(sheet) > 1)
        answer = services.prompts->Ask(kAllInstancesQuestion, MessageButtons::YesNoCancel,
                                       MessageIcon::Question);
    if (answer == Answer::Cancel) return;
    if (answer == Answer::Yes) {
        services.documents->RenameSheet(sheet, *path);
    } else {
        CAttributeEdit edit(parent, "Change File Name");
        edit.Change(*instance);
        services.documents->MoveInstanceToFile(*parent, *instance, *path);
    }
    LoadPage();
}

}  // namespace kestro
