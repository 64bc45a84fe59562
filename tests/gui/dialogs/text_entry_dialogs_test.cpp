// The two text entry dialogs, used from the keyboard: "Create New Text" with its title
// replaced when one is given, and the symbol text with its choice of library font.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "core/library/library_fonts.h"
#include "gui/dialogs/symbol_text_dialog.h"
#include "gui/dialogs/text_entry_dialog.h"

using namespace kestro;

namespace {

template <typename T>
T* Control(QWidget* dialog, int id) {
    return dialog->findChild<T*>(QStringLiteral("id%1").arg(id));
}

CLibraryFonts FourFonts() {
    CLibraryFonts fonts = StartupLibraryFonts();
    fonts[0] = {"DejaVu Sans", -13, 400, 0, 100};
    fonts[1] = {"DejaVu Sans", -16, 700, 0, 120};
    fonts[2] = {"DejaVu Serif", -13, 400, 1, 100};
    fonts[3] = {"DejaVu Sans Mono", -19, 700, 1, 140};
    return fonts;
}

}  // namespace

class TextEntryDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void newTextTakesTheGivenTitleAndReturnsTheTypedLine() {
        CTextEntryDlg own({}, {}, {});
        QCOMPARE(own.windowTitle(), QString("Create New Text"));
        QVERIFY(own.findChildren<QLabel*>().first()->text().contains("Enter Text"));

        CTextEntryDlg dialog(QStringLiteral("Label"), {}, QStringLiteral("OUT"));
        QCOMPARE(dialog.windowTitle(), QString("Label"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* edit = Control<QLineEdit>(&dialog, 1046);
        QCOMPARE(edit->text(), QString("OUT"));
        // The offered text is selected, so typing replaces it.
        QTest::keyClicks(edit, "VIN");
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Text(), QString("VIN"));
    }

    void symbolTextOffersTheFourLibraryFontsTheFirstChosen() {
        const CLibraryFonts fonts = FourFonts();
        CSymbolTextDlg dialog(fonts, {});
        QCOMPARE(dialog.windowTitle(), QString("Kestro"));
        auto* list = Control<QComboBox>(&dialog, 1045);
        QVERIFY(list);
        QCOMPARE(list->count(), 4);
        QCOMPARE(list->itemText(0), QString("DejaVu Sans, 100,  ,  "));
        QCOMPARE(list->itemText(3), QString("DejaVu Sans Mono, 140, BOLD, ITALIC"));
        QCOMPARE(dialog.FontIndex(), 0);

        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClicks(Control<QLineEdit>(&dialog, 1046), "Vout");
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Down);
        QTest::mouseClick(Control<QPushButton>(&dialog, 1), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Text(), QString("Vout"));
        QCOMPARE(dialog.FontIndex(), 2);
    }

    void cancelReturnsNothing() {
        CSymbolTextDlg dialog(FourFonts(), QStringLiteral("x"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(TextEntryDialogsTest)
#include "text_entry_dialogs_test.moc"
