#pragma once

#include <QLineEdit>
#include <cstdint>

#include "gui/attributes/char_filter.h"
#include "gui/attributes/control_model.h"

namespace kestro {

// An edit that takes only the typed characters of its character set. Other characters
// are refused with a beep, except for the sign and suffix rules of numbers: in an
// Integer edit "-" turns the sign on and "+" turns it off wherever the caret is, and in
// a Float edit a suffix letter ("k", "u", ...) replaces the suffix after the last digit.
// Pasted text is not filtered: the value parsers accept any text.
class CExEditCtrl : public QLineEdit {
    Q_OBJECT
public:
    explicit CExEditCtrl(uint16_t characterSet = kSetEverything, QWidget* parent = nullptr);

    static CExEditCtrl* Create(uint16_t characterSet, const QRect& rect, QWidget* parent, int id,
                               const CControlModel& model);

    uint16_t CharacterSet() const { return m_set; }
    void SetCharacterSet(uint16_t set) { m_set = set; }
    // The leading whole number of the text (0 when there is none), kept within 32 bits.
    int GetInteger() const;
    // Up and Down (keys or wheel) add or take one from the number, within 0 to 32767.
    void SetStepping(bool stepping) { m_stepping = stepping; }
    bool IsStepping() const { return m_stepping; }

signals:
    // A typed character or a step was refused (the system bell has rung).
    void Beeped();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void Refuse();
    void Step(int delta);
    // Replaces the whole text as typing would (the modified mark is set, undo kept).
    void ReplaceText(const QString& text, int caret);

    uint16_t m_set;
    bool m_stepping = false;
};

}  // namespace kestro
