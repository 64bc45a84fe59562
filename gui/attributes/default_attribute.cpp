#include "gui/attributes/default_attribute.h"

#include <QLabel>
#include <QVBoxLayout>

namespace kestro {

namespace {

constexpr int kMinimumWidth = 220;

}  // namespace

CDefaultAttribute::CDefaultAttribute(CKestroAttributes& window)
    : CAttribBaseDlg(window, 170), m_text(new QLabel(this)) {
    m_text->setObjectName(QStringLiteral("id1067"));
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(m_text);
}

void CDefaultAttribute::SetText(const QString& text) {
    m_text->setText(text);
}

QString CDefaultAttribute::Text() const {
    return m_text->text();
}

QSize CDefaultAttribute::PageSize() const {
    const QSize hint = sizeHint();
    return {std::max(hint.width(), kMinimumWidth), hint.height()};
}

}  // namespace kestro
