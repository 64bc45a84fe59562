#include "gui/attributes/text_attr_dlg.h"

#include <QFontDialog>
#include <QFormLayout>
#include <QPushButton>
#include <algorithm>
#include <cmath>

#include "core/document/circuit.h"
#include "core/library/sh_text.h"
#include "core/objects/sim_link.h"
#include "core/objects/sim_text.h"
#include "core/platform/palette.h"
#include "core/platform/text_encoding.h"
#include "gui/attributes/attribute_edit.h"
#include "gui/attributes/color_combo_box.h"
#include "gui/attributes/ex_combo_box_ctrl.h"
#include "gui/attributes/ex_edit_ctrl.h"
#include "gui/attributes/kestro_attributes.h"

namespace kestro {

namespace {

constexpr uint32_t kJustificationBits = 0xF0000;
constexpr size_t kMaxFaceLength = 31;

// A font the dialog returns, as the text stores it (character height in pixels).
CLogicalFont StoredFont(const QFont& font) {
    CLogicalFont stored;
    stored.face = font.family().left(int(kMaxFaceLength)).toStdString();
    const int pixels =
        font.pixelSize() > 0 ? font.pixelSize() : int(std::lround(font.pointSizeF() * 96.0 / 72.0));
    stored.height = -std::max(1, pixels);
    stored.weight = font.weight();
    stored.italic = font.italic();
    return stored;
}

// The font dialog starts from the text's font.
QFont DialogFont(const CLogicalFont& logical) {
    QFont font;
    font.setFamily(QString::fromStdString(TextAsUtf8(logical.face)));
    font.setPixelSize(std::max(1, std::abs(int(logical.height))));
    font.setWeight(
        QFont::Weight(logical.weight <= 0 ? 400 : std::clamp(int(logical.weight), 100, 900)));
    font.setItalic(logical.italic);
    return font;
}

}  // namespace

CTextAttrDlg::CTextAttrDlg(CKestroAttributes& window)
    : CAttribBaseDlg(window, 185),
      m_text(new CExEditCtrl(kSetEverything, this)),
      m_font(new QPushButton(QStringLiteral("&Font..."), this)),
      m_color(new CColorComboBox(this)),
      m_justification(new CExComboBoxCtrl(this)) {
    m_text->setObjectName(QStringLiteral("id1025"));
    m_text->setMinimumWidth(320);
    m_font->setObjectName(QStringLiteral("id1026"));
    m_font->setAutoDefault(false);
    m_color->setObjectName(QStringLiteral("id1028"));
    m_color->SetColors(kPalette.data(), int(kPalette.size()));
    m_justification->setObjectName(QStringLiteral("id1044"));
    m_justification->addItems(
        {QStringLiteral("Center"), QStringLiteral("Left"), QStringLiteral("Right")});
    auto* form = new QFormLayout(this);
    form->setContentsMargins(10, 10, 10, 10);
    form->addRow(QStringLiteral("&Text"), m_text);
    form->addRow(QStringLiteral("&Color"), m_color);
    form->addRow(QStringLiteral("&Justification"), m_justification);
    form->addRow(QString(), m_font);
    connect(m_font, &QPushButton::clicked, this, &CTextAttrDlg::ChooseFont);
}

uint32_t CTextAttrDlg::JustificationStyle(int index) {
    if (index == 1) return CSHTextAdvance::kJustifyLeft;
    if (index == 2) return CSHTextAdvance::kJustifyRight;
    return 0;
}

int CTextAttrDlg::JustificationIndex(uint32_t style) {
    if (style & CSHTextAdvance::kJustifyLeft) return 1;
    if (style & CSHTextAdvance::kJustifyRight) return 2;
    return 0;
}

CSHTextAdvance* CTextAttrDlg::Shape() const {
    CPart* object = Window().SelectedObject();
    if (!object) return nullptr;
    if (CSimText* text = object->AsText()) return &text->GetTextShape();
    if (CSimLink* link = object->AsLink()) return &link->GetTextShape();
    return nullptr;
}

void CTextAttrDlg::LoadPage() {
    const CSHTextAdvance* shape = Shape();
    if (!shape) return;
    const bool link = Window().SelectedObject()->IsLink();
    m_text->setText(QString::fromStdString(TextAsUtf8(shape->GetText())));
    m_text->setCursorPosition(0);  // a long text shows its beginning
    m_text->setReadOnly(link);
    m_text->setToolTip(link ? QStringLiteral("The text of a link is its attribute's value")
                            : QString());
    m_text->setModified(false);
    m_color->setCurrentIndex(std::min<int>(shape->GetColorIndex(), int(kPalette.size()) - 1));
    m_justification->setCurrentIndex(JustificationIndex(shape->GetStyle()));
    m_justification->ClearChanged();
}

void CTextAttrDlg::Remeasure() {
    CPart* object = Window().SelectedObject();
    if (CSimText* text = object->AsText()) text->TextChanged();
    if (CSimLink* link = object->AsLink()) link->RefreshText();
}

uint32_t CTextAttrDlg::ShownStyle(uint32_t style) const {
    return (style & ~kJustificationBits) | JustificationStyle(m_justification->currentIndex());
}

bool CTextAttrDlg::ApplyPage() {
    CSHTextAdvance* shape = Shape();
    if (!shape) return false;
    const bool text = m_text->isModified() && !m_text->isReadOnly();
    const int color = m_color->currentIndex();
    const bool recolor = color >= 0 && color != shape->GetColorIndex();
    const bool restyle = ShownStyle(shape->GetStyle()) != shape->GetStyle();
    m_text->setModified(false);
    m_justification->ClearChanged();
    if (!text && !recolor && !restyle) return false;
    CAttributeEdit edit(Window().Document(), "Text");
    edit.Change(*Window().SelectedObject());
    if (text) shape->SetText(m_text->text().toStdString());
    if (recolor) shape->SetColorIndex(static_cast<uint16_t>(color));
    shape->SetStyle(ShownStyle(shape->GetStyle()));
    Remeasure();
    edit.Commit();
    return true;
}

void CTextAttrDlg::ChooseFont() {
    CSHTextAdvance* shape = Shape();
    if (!shape) return;
    CLogicalFont current = shape->GetFont();
    current.face = current.face.substr(0, kMaxFaceLength);
    const QFont initial = DialogFont(current);
    const auto& choose = Window().Services().chooseFont;
    std::optional<QFont> chosen;
    if (choose) {
        chosen = choose(initial, this);
    } else {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, initial, this, QStringLiteral("Font"));
        if (ok) chosen = font;
    }
    if (!chosen) return;
    CAttributeEdit edit(Window().Document(), "Font");
    edit.Change(*Window().SelectedObject());
    shape->SetFont(StoredFont(*chosen));
    Remeasure();
    edit.Commit();
}

}  // namespace kestro
