// The options sheet: the zoom factor's limits, OK storing both pages, Cancel keeping all
// but a picked default text font, and the views redrawn after either answer.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include "core/platform/scripted_prompts.h"
#include "gui/attributes/color_combo_box.h"
#include "gui/commands/command_ids.h"
#include "gui/commands/command_table.h"
#include "gui/dialogs/options_sheet.h"
#include "gui/frames/main_frame.h"
#include "tests/gui/support/gui_test_support.h"

using namespace kestro;

namespace {

template <typename T>
T* Control(QWidget* dialog, int id) {
    return dialog->findChild<T*>(QStringLiteral("id%1").arg(id));
}

void TypeZoom(QWidget* sheet, const QString& text) {
    auto* zoom = Control<QLineEdit>(sheet, 1053);
    if (!zoom->isVisible()) {  // on the page not shown
        zoom->setText(text);
        return;
    }
    zoom->selectAll();
    QTest::keyClicks(zoom, text);
}

void ClickOk(QWidget* sheet) {
    QTest::mouseClick(Control<QPushButton>(sheet, 1), Qt::LeftButton);
}

// The font every font dialog of a test answers with.
CFontChooser BoldChooser() {
    return [](const QFont&) -> std::optional<QFont> {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(20);
        font.setWeight(QFont::Bold);
        return font;
    };
}

}  // namespace

class OptionsSheetTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { IsolateUserFolders(); }

    void zoomFactorOutsideItsRangeIsRefusedAndTheSheetStaysOpen() {
        for (const QString& text : {QString("1.04"), QString("5.1"), QString("1,5"), QString("")}) {
            CSettings settings;
            CScriptedPrompts prompts;
            COptionsSheet sheet(settings, prompts, {}, COptionsSheet::kColors);
            sheet.show();
            TypeZoom(&sheet, text);
            ClickOk(&sheet);
            QVERIFY2(sheet.isVisible(), qPrintable(text));
            QCOMPARE(sheet.Pages()->currentIndex(), int(COptionsSheet::kStandard));
            QCOMPARE(prompts.LastMessage(), std::string(kZoomFactorRange));
            QCOMPARE(settings.zoomFactor, 1.2);
        }
        for (const auto& [text, value] :
             {std::pair{QString("1.05"), 1.05}, {QString("5.0"), 5.0}}) {
            CSettings settings;
            CScriptedPrompts prompts;
            COptionsSheet sheet(settings, prompts, {}, COptionsSheet::kStandard);
            sheet.show();
            TypeZoom(&sheet, text);
            ClickOk(&sheet);
            QVERIFY(!sheet.isVisible());
            QCOMPARE(sheet.result(), int(QDialog::Accepted));
            QVERIFY(prompts.shown.empty());
            QCOMPARE(settings.zoomFactor, value);
        }
    }

    void okStoresBothPages() {
        CSettings settings;
        CScriptedPrompts prompts;
        COptionsSheet sheet(settings, prompts, {}, COptionsSheet::kStandard);
        sheet.show();
        QTest::keyClick(Control<QCheckBox>(&sheet, 1049), Qt::Key_Space);  // grid off
        QTest::keyClick(Control<QCheckBox>(&sheet, 1052), Qt::Key_Space);  // legend off
        Control<QComboBox>(&sheet, 1045)->setCurrentIndex(2);
        Control<QComboBox>(&sheet, 1057)->setCurrentIndex(5);  // elements
        Control<QComboBox>(&sheet, 1062)->setCurrentIndex(6);  // node
        ClickOk(&sheet);
        QCOMPARE(settings.grid, 0);
        QCOMPARE(settings.printPageBorder, 1);
        QCOMPARE(settings.printPageLegend, 0);
        QCOMPARE(settings.printPagePosition, 2);
        QCOMPARE(settings.colorRoles[kRoleElements], int16_t(5));
        QCOMPARE(settings.colorRoles[kRoleNode], int16_t(6));
        QCOMPARE(settings.colorRoles[kRoleGrid], CSettings::DefaultColorRoles()[kRoleGrid]);
    }

    // Through the application: Settings... with the mouse's changes, a picked font, Cancel.
    void cancelKeepsEverythingButThePickedFontAndStillRedraws() {
        CTestApp t = MakeTestApp();
        QVERIFY(t.app->Start());
        t.app->SetFontChooser(BoldChooser());
        int redraws = 0;
        t.app->SetRedrawAllViews([&redraws] { ++redraws; });
        const CSettings before = t.app->Settings();
        int firstPage = -1;
        QTimer::singleShot(0, [&] {
            auto* sheet = qobject_cast<COptionsSheet*>(QApplication::activeModalWidget());
            if (!sheet) return;
            firstPage = sheet->Pages()->currentIndex();
            QTest::keyClick(Control<QCheckBox>(sheet, 1049), Qt::Key_Space);
            QVERIFY(!Control<QCheckBox>(sheet, 1049)->isChecked());
            TypeZoom(sheet, "3");
            QTest::mouseClick(Control<QPushButton>(sheet, 1055), Qt::LeftButton);
            Control<QComboBox>(sheet, 1060)->setCurrentIndex(0);
            QTest::keyClick(sheet, Qt::Key_Escape);
        });
        QVERIFY(t.app->MainFrame()->CommandTable().Execute(kIdSettings));
        QCOMPARE(firstPage, int(COptionsSheet::kStandard));
        CSettings expected = before;
        expected.textFont = {"DejaVu Sans", -20, 700, 0};
        QCOMPARE(t.app->Settings().textFont, expected.textFont);
        QVERIFY(t.app->Settings().grid == before.grid);
        QVERIFY(t.app->Settings().zoomFactor == before.zoomFactor);
        QVERIFY(t.app->Settings().colorRoles == before.colorRoles);
        QCOMPARE(redraws, 1);
    }

    void colourCommandOpensTheColorsPage() {
        CTestApp t = MakeTestApp();
        QVERIFY(t.app->Start());
        int redraws = 0;
        t.app->SetRedrawAllViews([&redraws] { ++redraws; });
        int firstPage = -1;
        QTimer::singleShot(0, [&] {
            auto* sheet = qobject_cast<COptionsSheet*>(QApplication::activeModalWidget());
            if (!sheet) return;
            firstPage = sheet->Pages()->currentIndex();
            // Each list is a swatch list of the eight drawing colours.
            for (int id = 1056; id <= 1063; ++id) {
                auto* list = qobject_cast<CColorComboBox*>(Control<QComboBox>(sheet, id));
                QVERIFY(list);
                QCOMPARE(list->count(), 8);
                QCOMPARE(list->ItemColor(7), QColor(255, 0, 0));
                QCOMPARE(list->ItemColor(1), QColor(0, 0, 128));
            }
            auto* grid = Control<QComboBox>(sheet, 1056);
            grid->setFocus();
            QTest::keyClick(grid, Qt::Key_End);
            QTest::keyClick(grid, Qt::Key_Return);
        });
        QVERIFY(t.app->MainFrame()->CommandTable().Execute(kIdChangeColors));
        QCOMPARE(firstPage, int(COptionsSheet::kColors));
        QCOMPARE(t.app->Settings().colorRoles[kRoleGrid], int16_t(7));
        QCOMPARE(redraws, 1);
    }
};

QTEST_MAIN(OptionsSheetTest)
#include "options_sheet_test.moc"
