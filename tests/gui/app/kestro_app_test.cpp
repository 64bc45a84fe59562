// Start-up, settings, the application's own commands and the order of the exit.
#include <QDialog>
#include <QMdiArea>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTextBrowser>
#include <QToolBar>
#include <QtTest>

#include "core/app/settings_transfer.h"
#include "gui/commands/command_ids.h"
#include "gui/commands/command_table.h"
#include "gui/dialogs/help_window.h"
#include "gui/frames/child_frame.h"
#include "gui/frames/main_frame.h"
#include "gui/platform/qt_settings_store.h"
#include "gui/resources/edit_cursors.h"
#include "tests/gui/support/gui_test_support.h"

using namespace kestro;

namespace {

QAction* MenuItem(CKestroApp& app, int resource, int id) {
    CCommandTable& table = app.MainFrame()->CommandTable();
    table.UpdateAll();
    return table.MenuAction(resource, id);
}

// Presses the default button of the next modal dialog, remembering its title.
void AnswerNextDialog(QString& title) {
    QTimer::singleShot(0, [&title] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        title = dialog->windowTitle();
        QTest::keyClick(dialog, Qt::Key_Return);
    });
}

}  // namespace

class KestroAppTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { IsolateUserFolders(); }

    void startWithNothingStoredGivesTheDefaults() {
        CTestApp t = MakeTestApp();
        QVERIFY(t.app->Start());
        const CSettings& s = t.app->Settings();
        QCOMPARE(s.grid, 1);
        QCOMPARE(s.printPageBorder, 1);
        QCOMPARE(s.printPageLegend, 1);
        QCOMPARE(s.printPagePosition, 1);
        QCOMPARE(s.zoomFactor, 1.2);
        QCOMPARE(s.closeTarn, 0);
        QCOMPARE(s.showSubcircuitName, 0);
        QCOMPARE(s.textFont.name, std::string("Courier New"));
        QCOMPARE(s.textFont.size, -16);
        QCOMPARE(s.textFont.weight, 400);
        QCOMPARE(s.textFont.italic, 0);
        QCOMPARE(s.colorRoles, CSettings::DefaultColorRoles());
        QCOMPARE(t.app->LibraryFonts(), StartupLibraryFonts());

        CMainFrame* frame = t.app->MainFrame();
        QVERIFY(frame->isVisible());
        QVERIFY(frame->MdiArea()->subWindowList().isEmpty());  // no document open
        QCOMPARE(frame->ActiveMenuResource(), kMenuMain);
        QCOMPARE(frame->StatusText(), QString("Ready"));
        QVERIFY(t.prompts->shown.empty());
        QVERIFY(t.store->WriteOrder().empty());  // nothing is written at start-up
    }

    void storedSettingsAreReadAndTheZoomFactorClamped() {
        for (const auto& [stored, expected] :
             {std::pair{50000, 1.2}, {900000, 5.0}, {300000, 3.0}}) {
            CTestApp t = MakeTestApp();
            t.store->SetInt(kSectionStandard, "ZOOMFACTOR", stored);
            t.store->SetInt(kSectionStandard, "CLOSETARN", 1);
            t.store->SetString(kSectionFont, "NAME", "DejaVu Sans Mono");
            QVERIFY(t.app->Start());
            QCOMPARE(t.app->Settings().zoomFactor, expected);
            QCOMPARE(t.app->Settings().textFont.name, std::string("DejaVu Sans Mono"));
            QVERIFY(MenuItem(*t.app, kMenuMain, kIdAutoExitTarn)->isChecked());
        }
    }

    void autoExitToggleFlipsTheSettingAndItsCheckMark() {
        CTestApp t = MakeTestApp();
        QVERIFY(t.app->Start());
        QAction* item = MenuItem(*t.app, kMenuMain, kIdAutoExitTarn);
        QVERIFY(item->isEnabled());
        QVERIFY(item->isCheckable());
        QVERIFY(!item->isChecked());
        item->trigger();
        QCOMPARE(t.app->Settings().closeTarn, 1);
        QVERIFY(item->isChecked());
        item->trigger();
        QCOMPARE(t.app->Settings().closeTarn, 0);
        QVERIFY(!item->isChecked());
        // Settings are written at exit only.
        QVERIFY(t.store->WriteOrder().empty());
    }

    void displayNameToggleRedrawsEveryView() {
        CTestApp t = MakeTestApp();
        QVERIFY(t.app->Start());
        int redraws = 0;
        t.app->SetRedrawAllViews([&] { ++redraws; });
        t.app->MainFrame()->AddDocumentFrame(new CChildFrame);
        QAction* item = MenuItem(*t.app, kMenuSchematic, kIdDisplayName);
        QVERIFY(!item->isChecked());
        item->trigger();
        QCOMPARE(t.app->Settings().showSubcircuitName, 1);
        QVERIFY(item->isChecked());
        QCOMPARE(redraws, 1);
        // Exit writes the toggled values.
        QVERIFY(t.app->MainFrame()->close());
        QCOMPARE(t.store->GetInt(kSectionStandard, "SHOWSUBCIRCUITNAME", -1), 1);
        QCOMPARE(t.store->GetInt(kSectionStandard, "CLOSETARN", -1), 0);
    }

    void commandsThatNeedNoDocumentAreEnabledAndTheOthersWaitForOne() {
        CTestApp t = MakeTestApp();
        QVERIFY(t.app->Start());
        t.app->MainFrame()->CommandTable().UpdateAll();
        for (const int id : {kIdAutoExitTarn, kIdHelpIndex, kIdAppAbout, kIdAppExit, kIdViewToolbar,
                             kIdViewStatusBar, kIdFileNew, kIdFileOpen, kIdFilePrintSetup})
            QVERIFY2(MenuItem(*t.app, kMenuMain, id)->isEnabled(), qPrintable(QString::number(id)));
        // Without a schematic window there is nothing to save, simulate or zoom.
        for (const int id : {kIdFileSave, kIdZoomIn, kIdCloseAll, kIdSaveAll, kIdRunTarn,
                             kIdRunGraphon, kIdWindowNew, kIdElementToolbar})
            QVERIFY2(!MenuItem(*t.app, kMenuMain, id)->isEnabled(),
                     qPrintable(QString::number(id)));
    }

    void exitWritesEverySettingInTableOrder() {
        CTestApp t = MakeTestApp();
        QVERIFY(t.app->Start());
        QSignalSpy exited(t.app.get(), &CKestroApp::Exited);
        MenuItem(*t.app, kMenuMain, kIdAppExit)->trigger();
        QVERIFY(!t.app->MainFrame()->isVisible());
        QCOMPARE(exited.count(), 1);
        QStringList order;
        for (const std::string& key : t.store->WriteOrder())
            order << QString::fromStdString(key);
        QStringList expected{"STANDARD OPTIONS/GRID",
                             "STANDARD OPTIONS/PRINT PAGE BORDER",
                             "STANDARD OPTIONS/PRINT PAGE LEGEND",
                             "STANDARD OPTIONS/PRINT PAGE POSITION",
                             "STANDARD OPTIONS/ZOOMFACTOR",
                             "STANDARD OPTIONS/CLOSETARN",
                             "STANDARD OPTIONS/SHOWSUBCIRCUITNAME",
                             "STANDARD OPTIONS/AUTOSAVE",
                             "FONT OPTIONS/NAME",
                             "FONT OPTIONS/SIZE",
                             "FONT OPTIONS/WEIGHT",
                             "FONT OPTIONS/ITALIC"};
        for (int i = 1; i <= 14; ++i)
            expected << QString("DEFAULTCOLORS/COLORVALUE%1").arg(i);
        QCOMPARE(order, expected);
        QCOMPARE(t.store->GetInt(kSectionStandard, "ZOOMFACTOR", 0), 120000);
    }

    void exitAsksDocumentsFirstThenTheLibrary() {
        CTestApp t = MakeTestApp();
        QVERIFY(t.app->Start());
        QStringList asked;
        bool documentsAgree = false;
        int librarySaves = 0;
        t.app->SetDocumentsSavePrompt([&] {
            asked << "documents";
            return documentsAgree;
        });
        t.app->SetLibraryState([] { return true; },
                               [&] {
                                   ++librarySaves;
                                   return true;
                               });
        CMainFrame* frame = t.app->MainFrame();

        // A cancelled document prompt ends it before the library is asked about.
        QVERIFY(!frame->close());
        QCOMPARE(asked, QStringList{"documents"});
        QVERIFY(t.prompts->shown.empty());

        // Cancel at the library's question keeps the program running, nothing written.
        documentsAgree = true;
        t.prompts->answers.push_back(Answer::Cancel);
        QVERIFY(!frame->close());
        QCOMPARE(t.prompts->LastMessage(), std::string("Save changes to Kestro Library?"));
        QCOMPARE(t.prompts->shown.back().buttons, MessageButtons::YesNoCancel);
        QVERIFY(frame->isVisible());
        QVERIFY(t.store->WriteOrder().empty());
        QVERIFY(!t.app->HasExited());

        // Yes saves the library, then the settings are written.
        t.prompts->answers.push_back(Answer::Yes);
        QVERIFY(frame->close());
        QCOMPARE(librarySaves, 1);
        QVERIFY(t.app->HasExited());
        QVERIFY(!t.store->WriteOrder().empty());
    }

    void unmodifiedLibraryIsNotAskedAbout() {
        CTestApp t = MakeTestApp();
        QVERIFY(t.app->Start());
        t.app->SetLibraryState([] { return false; }, [] { return true; });
        QVERIFY(t.app->MainFrame()->close());
        QVERIFY(t.prompts->shown.empty());
    }

    void qtSettingsStoreKeepsSectionsAsGroupsInTheUsersIniFile() {
        {
            CQtSettingsStore store;
            QCOMPARE(store.FileName(),
                     qEnvironmentVariable("XDG_CONFIG_HOME") + "/QUORVANT/KESTRO.ini");
        }
        QTemporaryDir folder;
        const QString file = folder.filePath("KESTRO.ini");
        {
            CQtSettingsStore store(file);
            CSettings settings;
            settings.zoomFactor = 2.5;
            settings.textFont.name = "Courier Prime";
            settings.colorRoles[13] = 7;
            TransferSettings(store, settings, TransferDirection::Write);
        }
        QSettings raw(file, QSettings::IniFormat);
        QCOMPARE(raw.value("STANDARD OPTIONS/ZOOMFACTOR").toInt(), 250000);
        QCOMPARE(raw.value("FONT OPTIONS/NAME").toString(), QString("Courier Prime"));
        QCOMPARE(raw.childGroups(),
                 QStringList({"DEFAULTCOLORS", "FONT OPTIONS", "STANDARD OPTIONS"}));
        raw.setValue("STANDARD OPTIONS/GRID", "not a number");
        raw.sync();

        CQtSettingsStore store(file);
        CSettings read;
        TransferSettings(store, read, TransferDirection::Read);
        QCOMPARE(read.zoomFactor, 2.5);
        QCOMPARE(read.textFont.name, std::string("Courier Prime"));
        QCOMPARE(read.colorRoles[13], int16_t(7));
        QCOMPARE(read.grid, 1);  // a value that is no number keeps the default
    }

    void helpIndexOpensTheBundledHelp() {
        CTestApp t = MakeTestApp();
        QVERIFY(t.app->Start());
        CMainFrame* frame = t.app->MainFrame();
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame));
        QTest::keyClick(frame, Qt::Key_F1);
        CHelpWindow& help = t.app->HelpWindow();
        QVERIFY(help.isVisible());
        QVERIFY(help.Browser()->toPlainText().contains("Running a simulation"));
        help.ShowKeyword("no-such-topic");
        QVERIFY(help.isVisible());
    }

    void aboutBoxShowsTheProgramAndCloses() {
        CTestApp t = MakeTestApp();
        QVERIFY(t.app->Start());
        QString title;
        AnswerNextDialog(title);
        MenuItem(*t.app, kMenuMain, kIdAppAbout)->trigger();
        QCOMPARE(title, QString("About KESTRO"));
    }

    void editingCursorsAreDrawnForEveryNumberAndPixelRatio() {
        CEditCursors cursors(2.0);
        QCOMPARE(int(CEditCursors::Ids().size()), 15);
        for (const int id : CEditCursors::Ids()) {
            for (const qreal ratio : {1.0, 2.0}) {
                const QImage image = CEditCursors::Image(id, ratio);
                QCOMPARE(image.size(), QSize(32, 32) * ratio);
                int inked = 0;
                for (int y = 0; y < image.height(); ++y)
                    for (int x = 0; x < image.width(); ++x)
                        if (qAlpha(image.pixel(x, y)) > 128) ++inked;
                QVERIFY2(inked > 20 * ratio * ratio, qPrintable(QString::number(id)));
            }
            const QPoint hot = CEditCursors::HotSpot(id);
            QVERIFY(QRect(0, 0, 32, 32).contains(hot));
            QCOMPARE(cursors.Cursor(id).shape(), Qt::BitmapCursor);
        }
        QCOMPARE(cursors.Cursor(999).shape(), Qt::ArrowCursor);
        QCOMPARE(CEditCursors::SizingCursor(1, 1).shape(), Qt::SizeFDiagCursor);
        QCOMPARE(CEditCursors::SizingCursor(-1, 1).shape(), Qt::SizeBDiagCursor);
        QCOMPARE(CEditCursors::SizingCursor(0, -1).shape(), Qt::SizeVerCursor);
        QCOMPARE(CEditCursors::SizingCursor(1, 0).shape(), Qt::SizeHorCursor);
    }
};

QTEST_MAIN(KestroAppTest)
#include "kestro_app_test.moc"
