// The element list of the active sheet: its rows and columns, the list following the
// dialog's size, and its text copied to the clipboard and saved in a file.
#include <QAction>
#include <QClipboard>
#include <QHeaderView>
#include <QTreeWidget>
#include <QtTest>

#include "core/document/circuit.h"
#include "core/library/library_data.h"
#include "gui/commands/command_ids.h"
#include "gui/commands/command_table.h"
#include "gui/dialogs/element_list_dialog.h"
#include "gui/frames/main_frame.h"
#include "tests/gui/support/gui_test_support.h"

using namespace kestro;

namespace {

// Runs List Elements and hands the dialog to `check` before closing it.
void WithElementList(CTestApp& t, const std::function<void(CElementListDlg&)>& check) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CElementListDlg*>(QApplication::activeModalWidget());
        if (!dialog) return;
        seen = true;
        check(*dialog);
        dialog->reject();
    });
    QVERIFY(t.app->MainFrame()->CommandTable().Execute(kIdListElements));
    QVERIFY(seen);
}

QAction* Command(CElementListDlg& dialog, int id) {
    return dialog.List()->findChild<QAction*>(QStringLiteral("id%1").arg(id));
}

}  // namespace

class ElementListDialogTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    CTestApp t;
    CCircuit* m_sheet = nullptr;

private slots:
    void initTestCase() {
        IsolateUserFolders();
        t = MakeTestApp();
        QVERIFY(t.app->Start());
        m_sheet = t.app->NewDocument();
        CLibraryData& library = *t.app->Library();
        for (const char* name : {"R", "C", "R"})
            QVERIFY(m_sheet->PlaceElement(static_cast<uint16_t>(library.FindElementByName(name)),
                                          {100, 100}, 0));
    }

    void rowsAreTheShownElementsInThreeColumnsThatFollowTheDialogsSize() {
        WithElementList(t, [](CElementListDlg& dialog) {
            QTreeWidget* list = dialog.List();
            QCOMPARE(list->objectName(), QString("id1047"));
            QCOMPARE(list->topLevelItemCount(), 3);
            QCOMPARE(list->headerItem()->text(0), QString("Netlist Name"));
            QCOMPARE(list->headerItem()->text(2), QString("Value"));
            for (int column = 0; column < 2; ++column)
                QCOMPARE(list->header()->sectionSize(column), 100);
            QVERIFY(list->header()->sectionSize(2) >= 100);
            QCOMPARE(list->topLevelItem(0)->text(0), QString("R"));
            QCOMPARE(list->topLevelItem(0)->text(1), QString("R1"));
            QCOMPARE(list->topLevelItem(1)->text(1), QString("C1"));
            QCOMPARE(list->topLevelItem(2)->text(1), QString("R2"));
            const int width = list->width();
            dialog.resize(dialog.width() + 200, dialog.height() + 100);
            QTRY_COMPARE(list->width(), width + 200);
        });
    }

    void copyPutsTheTabSeparatedTextOnTheClipboard() {
        QString expected;
        WithElementList(t, [&expected](CElementListDlg& dialog) {
            expected = QString::fromStdString(ElementListText(dialog.Rows()));
            QTest::keyClick(dialog.List(), Qt::Key_C, Qt::ControlModifier);
        });
        QCOMPARE(QApplication::clipboard()->text(), expected);
        QCOMPARE(expected.count('\n'), 3);
        QVERIFY(expected.startsWith("R\tR1\t"));
    }

    void savedFileHasOneLinePerRowWithThreeTabTerminatedFields() {
        const QString path = m_folder.filePath("parts.lst");
        t.prompts->fileNames = {path.toStdString()};
        WithElementList(t, [](CElementListDlg& dialog) { Command(dialog, 34055)->trigger(); });
        QCOMPARE(t.prompts->fileRequests.back().title, std::string("Save As Text"));
        QCOMPARE(t.prompts->fileRequests.back().fileName, std::string("*.lst"));
        QVERIFY(t.prompts->fileRequests.back().overwritePrompt);
        const QList<QByteArray> lines = ReadFile(path).split('\n');
        QCOMPARE(lines.size(), 4);  // three rows and nothing after the last line feed
        QVERIFY(lines.back().isEmpty());
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(lines[i].count('\t'), 3);
            QVERIFY(lines[i].endsWith('\t'));
        }
        QVERIFY(lines[1].startsWith("C\tC1\t"));
    }

    void fileThatCannotBeWrittenIsReportedAndCancelWritesNothing() {
        t.prompts->shown.clear();
        t.prompts->fileNames = {m_folder.filePath("no such folder/parts.lst").toStdString(),
                                std::nullopt};
        WithElementList(t, [](CElementListDlg& dialog) {
            Command(dialog, 34055)->trigger();
            Command(dialog, 34055)->trigger();
        });
        QCOMPARE(t.prompts->Messages().size(), size_t(1));
        QVERIFY(t.prompts->LastMessage().find("no such folder") != std::string::npos);
        for (const CScriptedPrompts::Shown& shown : t.prompts->shown)
            if (shown.kind == "message") QCOMPARE(shown.icon, MessageIcon::Stop);
    }

    void cleanupTestCase() { t.app.reset(); }
};

QTEST_MAIN(ElementListDialogTest)
#include "element_list_dialog_test.moc"
