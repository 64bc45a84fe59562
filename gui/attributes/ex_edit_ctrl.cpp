#include "gui/attributes/ex_edit_ctrl.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>
#include <algorithm>

#include "core/platform/number_text.h"

namespace kestro {

namespace {

constexpr int kStepMaximum = 32767;

}  // namespace

CExEditCtrl::CExEditCtrl(uint16_t characterSet, QWidget* parent)
    : QLineEdit(parent), m_set(characterSet) {}

CExEditCtrl* CExEditCtrl::Create(uint16_t characterSet, const QRect& rect, QWidget* parent, int id,
                                 const CControlModel& model) {
    auto* edit = new CExEditCtrl(characterSet, parent);
    PlaceLikeModel(*edit, rect, id, model);
    return edit;
}

int CExEditCtrl::GetInteger() const {
    const int64_t value = ParseLeadingInt(text().toStdString());
    return static_cast<int>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

void CExEditCtrl::Refuse() {
    QApplication::beep();
    emit Beeped();
}

void CExEditCtrl::ReplaceText(const QString& newText, int caret) {
    selectAll();
    insert(newText);
    setCursorPosition(std::clamp(caret, 0, int(newText.size())));
}

void CExEditCtrl::keyPressEvent(QKeyEvent* event) {
    const bool command =
        event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (m_stepping && !command && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        Step(event->key() == Qt::Key_Up ? 1 : -1);
        return;
    }
    const QString typed = event->text();
    if (command || typed.size() != 1) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QChar c = typed[0];
    const uint16_t charClass = CharacterClass(c, m_set);
    if (charClass == 0 ? m_set != 0 : (m_set & charClass) != 0) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QString before = text();
    const std::optional<QString> after = TypeOutsideSet(before, c, m_set, isReadOnly());
    if (!after) {
        Refuse();
        return;
    }
    // The sign moves the caret with the text; a new suffix leaves it at the end.
    const int shift = int(after->size() - before.size());
    const bool sign = c == '-' || c == '+';
    ReplaceText(*after, sign ? cursorPosition() + shift : int(after->size()));
}

void CExEditCtrl::wheelEvent(QWheelEvent* event) {
    if (!m_stepping || isReadOnly() || event->angleDelta().y() == 0) {
        QLineEdit::wheelEvent(event);
        return;
    }
    Step(event->angleDelta().y() > 0 ? 1 : -1);
    event->accept();
}

void CExEditCtrl::Step(int delta) {
    const int64_t next = int64_t{GetInteger()} + delta;
    if (isReadOnly() || next < 0 || next > kStepMaximum)
        Refuse();
    else
        ReplaceText(QString::number(next), 0);
    selectAll();
}

}  // namespace kestro
