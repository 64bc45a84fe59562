#include "gui/attributes/tool_window_keys.h"

#include <QKeyEvent>

namespace kestro {

namespace {

bool IsMovingOrEditingKey(int key) {
    switch (key) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
        case Qt::Key_Insert:
        case Qt::Key_Space:
            return true;
        default:
            return false;
    }
}

}  // namespace

bool IsToolWindowKey(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    if (IsMovingOrEditingKey(event.key())) return !(modifiers & Qt::AltModifier);
    if (event.matches(QKeySequence::Copy) || event.matches(QKeySequence::Cut) ||
        event.matches(QKeySequence::Paste) || event.matches(QKeySequence::Undo) ||
        event.matches(QKeySequence::Redo) || event.matches(QKeySequence::SelectAll))
        return true;
    // A printable character typed without Ctrl or Alt.
    const QString text = event.text();
    return !(modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) &&
           text.size() == 1 && text[0].isPrint();
}

}  // namespace kestro
