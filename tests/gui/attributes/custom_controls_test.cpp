// The controls of the attribute pages, typed into as a user types: the character sets,
// the sign and suffix rules of numbers, stepping, the changed mark and the lock of lists,
// and the colour list.
#include <QSignalSpy>
#include <QtTest>

#include "core/platform/palette.h"
#include "gui/attributes/color_combo_box.h"
#include "gui/attributes/control_model.h"
#include "gui/attributes/ex_combo_box_ctrl.h"
#include "gui/attributes/ex_edit_ctrl.h"
#include "gui/attributes/ex_list_box.h"

using namespace kestro;

namespace {

// An edit holding `text`, shown and focused, with the caret at `caret` (-1: the end).
std::unique_ptr<CExEditCtrl> Edit(uint16_t set, const QString& text, int caret = -1) {
    auto edit = std::make_unique<CExEditCtrl>(set);
    edit->setText(text);
    edit->show();
    edit->setFocus();
    edit->setCursorPosition(caret < 0 ? int(text.size()) : caret);
    return edit;
}

}  // namespace

class CustomControlsTest : public QObject {
    Q_OBJECT

private slots:
    void integerEditTurnsTheSignWhereverTheCaretIs() {
        auto edit = Edit(kSetInteger, "15", 1);
        QSignalSpy beeps(edit.get(), &CExEditCtrl::Beeped);
        QTest::keyClicks(edit.get(), "-");
        QCOMPARE(edit->text(), QString("-15"));
        QCOMPARE(edit->cursorPosition(), 2);  // still between 1 and 5
        QVERIFY(edit->isModified());
        QTest::keyClicks(edit.get(), "-");  // the sign is on already
        QCOMPARE(edit->text(), QString("-15"));
        QCOMPARE(beeps.count(), 1);
        QTest::keyClicks(edit.get(), "+");
        QCOMPARE(edit->text(), QString("15"));
        QTest::keyClicks(edit.get(), "+");  // nothing to take away
        QCOMPARE(beeps.count(), 2);
        QCOMPARE(edit->GetInteger(), 15);
        // Undo goes back through the sign changes as through typing.
        QTest::keyClick(edit.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(edit->text(), QString("-15"));
    }

    void lettersAndOtherCharactersBeepAndLeaveTheTextAlone() {
        auto integer = Edit(kSetInteger, "42");
        QSignalSpy beeps(integer.get(), &CExEditCtrl::Beeped);
        QTest::keyClicks(integer.get(), "a.k ");
        QCOMPARE(integer->text(), QString("42"));
        QCOMPARE(beeps.count(), 4);
        QTest::keyClicks(integer.get(), "7");
        QCOMPARE(integer->text(), QString("427"));
        // A read-only edit takes nothing, not even the sign.
        integer->setReadOnly(true);
        QTest::keyClicks(integer.get(), "-");
        QCOMPARE(integer->text(), QString("427"));
        QCOMPARE(beeps.count(), 5);
        // Letters are ordinary characters of a String edit, but not "/" or "(".
        auto string = Edit(kSetString, "");
        QSignalSpy stringBeeps(string.get(), &CExEditCtrl::Beeped);
        QTest::keyClicks(string.get(), "Mod_1-a, b.x(/");
        QCOMPARE(string->text(), QString("Mod_1-a, b.x"));
        QCOMPARE(stringBeeps.count(), 2);
        // Control keys are never filtered.
        QTest::keyClick(string.get(), Qt::Key_Backspace);
        QCOMPARE(string->text(), QString("Mod_1-a, b."));
    }

    void floatEditTakesNumberCharactersAtTheCaretAndReplacesSuffixes() {
        auto edit = Edit(kSetFloat, "15", 0);
        QTest::keyClicks(edit.get(), "-");
        QCOMPARE(edit->text(), QString("-15"));  // inserted at the caret, not a sign rule
        edit->setText("2");
        QTest::keyClicks(edit.get(), ".5e+3");
        QCOMPARE(edit->text(), QString("2.5e+3"));
        edit->setText("1.5k");
        edit->setCursorPosition(1);
        QTest::keyClicks(edit.get(), "u");
        QCOMPARE(edit->text(), QString("1.5u"));
        QTest::keyClicks(edit.get(), "M");
        QCOMPARE(edit->text(), QString("1.5M"));
        edit->setText("10");
        QTest::keyClicks(edit.get(), "n");
        QCOMPARE(edit->text(), QString("10n"));
        // "0" alone, a text without a digit, and letters that are not suffixes beep.
        QSignalSpy beeps(edit.get(), &CExEditCtrl::Beeped);
        edit->setText("0");
        QTest::keyClicks(edit.get(), "k");
        QCOMPARE(edit->text(), QString("0"));
        edit->setText("-.");
        QTest::keyClicks(edit.get(), "m");
        QCOMPARE(edit->text(), QString("-."));
        edit->setText("4.7");
        QTest::keyClicks(edit.get(), "KU x");
        QCOMPARE(edit->text(), QString("4.7"));
        QCOMPARE(beeps.count(), 6);
    }

    void steppingStaysWithinTheRangeAndSelectsTheNumber() {
        auto edit = Edit(kSetInteger, "32766");
        edit->SetStepping(true);
        QSignalSpy beeps(edit.get(), &CExEditCtrl::Beeped);
        QTest::keyClick(edit.get(), Qt::Key_Up);
        QCOMPARE(edit->text(), QString("32767"));
        QCOMPARE(edit->selectedText(), QString("32767"));
        QTest::keyClick(edit.get(), Qt::Key_Up);
        QCOMPARE(edit->text(), QString("32767"));
        QCOMPARE(beeps.count(), 1);
        edit->setText("0");
        QTest::keyClick(edit.get(), Qt::Key_Down);
        QCOMPARE(edit->text(), QString("0"));
        QCOMPARE(beeps.count(), 2);
        // Without stepping the keys move the caret as usual.
        edit->SetStepping(false);
        edit->setText("5");
        QTest::keyClick(edit.get(), Qt::Key_Up);
        QCOMPARE(edit->text(), QString("5"));
        edit->setText("99999999999");
        QCOMPARE(edit->GetInteger(), INT32_MAX);
        edit->setText("x12");
        QCOMPARE(edit->GetInteger(), 0);
    }

    void listsMarkChangesAndALockedOneReturns() {
        CExComboBoxCtrl list;
        list.addItems({"0", "1", "2"});
        list.show();
        list.setCurrentIndex(0);
        list.ClearChanged();
        list.setFocus();
        QTest::keyClick(&list, Qt::Key_Down);
        QCOMPARE(list.currentIndex(), 1);
        QVERIFY(list.IsChanged());
        list.ClearChanged();
        list.SetLocked(true);
        QTest::keyClick(&list, Qt::Key_Down);
        QCOMPARE(list.currentIndex(), 1);
        QVERIFY(!list.IsChanged());

        CExListBox box;
        box.AddString("short");
        box.AddString("a line much longer than the others in this list");
        box.AddString("mid length");
        QCOMPARE(box.HorizontalExtent(), box.fontMetrics().horizontalAdvance(
                                             "a line much longer than the others in this list"));
        box.show();
        box.setCurrentRow(0);
        box.SetLocked(true);
        box.setCurrentRow(2);
        QCOMPARE(box.currentRow(), 0);
    }

    void colourListShowsTheTableAndFramesTheSelection() {
        CColorComboBox colors;
        colors.SetColors(kPalette.data(), int(kPalette.size()));
        QCOMPARE(colors.count(), 8);
        QCOMPARE(colors.itemData(5).toInt(), 5);
        QCOMPARE(colors.ItemColor(4), QColor(128, 0, 0));
        QCOMPARE(InverseColor(kPalette[4]), QColor(127, 255, 255));
        colors.resize(120, 24);
        colors.setCurrentIndex(7);
        const QImage face = colors.grab().toImage();
        QCOMPARE(QColor(face.pixel(face.width() / 3, face.height() / 2)), QColor(255, 0, 0));
        // The open list draws each item as its colour, the current one framed.
        colors.show();
        colors.showPopup();
        QAbstractItemView* view = colors.view();
        QTRY_VERIFY(view->isVisible());
        QCOMPARE(view->sizeHintForRow(0), CColorComboBox::kItemHeight);
        const QRect third = view->visualRect(view->model()->index(2, 0));
        const QImage items = view->viewport()->grab().toImage();
        QCOMPARE(QColor(items.pixel(third.center())), QColor(0, 0, 255));
        colors.hidePopup();
    }

    void controlsMadeAtRunTimeTakeTheModelsLook() {
        QWidget page;
        CExEditCtrl model(kSetEverything, &page);
        QFont font = model.font();
        font.setPixelSize(17);
        model.setFont(font);
        model.resize(133, 27);
        CControlModel record;
        CaptureModel(model, record);
        auto* made = CExEditCtrl::Create(kSetFloat, QRect(10, 20, 0, 0), &page, 1403, record);
        QCOMPARE(made->objectName(), QString("id1403"));
        QCOMPARE(made->geometry(), QRect(10, 20, 133, 27));
        QCOMPARE(made->font().pixelSize(), 17);
        QCOMPARE(made->CharacterSet(), kSetFloat);
        auto* label = CExStatic::Create("Ron", QRect(1, 2, 50, 10), &page, 0, record);
        QCOMPARE(label->geometry(), QRect(1, 2, 50, 10));
        QVERIFY(label->objectName().isEmpty());
    }
};

QTEST_MAIN(CustomControlsTest)
#include "custom_controls_test.moc"
