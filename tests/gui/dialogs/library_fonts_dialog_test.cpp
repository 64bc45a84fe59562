// "Change Library Fonts": the buttons describe the four fonts, a picked font is stored in
// the library at once, and closing rebuilds the symbol texts' fonts.
#include <QPushButton>
#include <QtTest>

#include "core/library/library_data.h"
#include "core/platform/scripted_prompts.h"
#include "gui/dialogs/library_fonts_dialog.h"

using namespace kestro;

class LibraryFontsDialogTest : public QObject {
    Q_OBJECT
private slots:
    void buttonsDescribeTheFontsAndAPickedFontIsStoredAtOnce() {
        CScriptedPrompts prompts;
        CLibraryData library(prompts);
        library.New("/nonexistent/KESTRO.LIB");
        CLibraryFont bold = library.GetFonts()[3];
        bold.weight = 700;
        library.SetFont(3, bold);
        library.SetModified(false);
        QFont offered;
        std::optional<QFont> answer;
        CLibraryFontsDlg dialog(library, [&](const QFont& initial) {
            offered = initial;
            return answer;
        });
        dialog.show();
        const auto text = [&](int i) { return dialog.FontButton(i)->text().toStdString(); };
        QCOMPARE(text(0), DescribeLibraryFont(library.GetFonts()[0]));
        QVERIFY(text(0).find("BOLD") == std::string::npos);  // weight 400
        QVERIFY(text(3).find("BOLD") != std::string::npos);  // weight 700
        QCOMPARE(dialog.FontButton(1)->objectName(), QString("id1032"));

        QTest::mouseClick(dialog.FontButton(1), Qt::LeftButton);  // cancelled
        QCOMPARE(offered.family().toStdString(), library.GetFonts()[1].faceName);
        QVERIFY(!library.IsModified());

        QFont picked(QStringLiteral("DejaVu Serif"));
        picked.setPointSize(12);
        picked.setWeight(QFont::Bold);
        picked.setItalic(true);
        answer = picked;
        QTest::keyClick(dialog.FontButton(1), Qt::Key_Space);
        const CLibraryFont& stored = library.GetFonts()[1];
        QCOMPARE(stored.faceName, std::string("DejaVu Serif"));
        QCOMPARE(stored.pointSize, 120);
        QCOMPARE(stored.height, -16);
        QCOMPARE(stored.weight, 700);
        QCOMPARE(stored.italic, 1u);
        QCOMPARE(text(1), std::string("DejaVu Serif, 120, BOLD, ITALIC"));
        QVERIFY(library.IsModified());

        library.SetModified(false);
        dialog.done(QDialog::Accepted);
        QVERIFY(library.IsModified());  // the texts' fonts were rebuilt
        QCOMPARE(library.GetFonts()[1], stored);
    }
};

QTEST_MAIN(LibraryFontsDialogTest)
#include "library_fonts_dialog_test.moc"
