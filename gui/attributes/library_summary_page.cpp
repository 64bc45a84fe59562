#include "gui/attributes/library_summary_page.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/library/lib_element.h"
#include "core/platform/text_encoding.h"
#include "gui/attributes/kestro_attributes.h"

namespace kestro {

namespace {

QString Utf8(const std::string& bytes) {
    return QString::fromStdString(TextAsUtf8(bytes));
}

QString ValueText(const CGenType& value) {
    return Utf8(value.GetType() == CGenType::Float ? value.GetFloatText() : value.GetText());
}

}  // namespace

CLibrarySummaryPage::CLibrarySummaryPage(CKestroAttributes& window)
    : CAttribBaseDlg(window, 163),
      m_description(new QLabel(this)),
      m_definitions(new QTreeWidget(this)) {
    m_description->setObjectName(QStringLiteral("libraryDescription"));
    m_description->setWordWrap(true);
    m_definitions->setObjectName(QStringLiteral("libraryDefinitions"));
    m_definitions->setAccessibleName(QStringLiteral("Attribute definitions"));
    m_definitions->setRootIsDecorated(false);
    m_definitions->setHeaderLabels({QStringLiteral("Data name"), QStringLiteral("Data type"),
                                    QStringLiteral("Default value"), QStringLiteral("Unit")});
    m_definitions->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(m_description);
    layout->addWidget(m_definitions);
}

QSize CLibrarySummaryPage::PageSize() const {
    return {420, 260};
}

void CLibrarySummaryPage::LoadPage() {
    m_definitions->clear();
    const CLibElement* element = Window().LibraryElement();
    if (!element) {
        m_description->clear();
        return;
    }
    m_description->setText(Utf8(element->GetName()) + QStringLiteral(": ") +
                           Utf8(element->GetDescription()));
    for (const auto& definition : element->GetDefinitions()) {
        auto* row = new QTreeWidgetItem(m_definitions);
        row->setText(0, Utf8(definition->GetName()));
        row->setText(1, QString::fromStdString(definition->GetValue().GetTypeName()).trimmed());
        row->setText(2, ValueText(definition->GetValue()));
        row->setText(3, Utf8(definition->GetUnit()));
    }
}

}  // namespace kestro
