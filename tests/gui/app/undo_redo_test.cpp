// Undo and Redo in the Edit menu and from the keyboard: their labels follow the steps,
// their enable rules, and the modified mark at the saved state.
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest>

#include "core/document/circuit.h"
#include "core/document/edit_step.h"
#include "core/document/selection.h"
#include "core/hierarchy/circuit_document_manager.h"
#include "core/library/library_data.h"
#include "core/library/library_history.h"
#include "core/objects/wire.h"
#include "gui/app/kestro_doc_template.h"
#include "gui/commands/command_ids.h"
#include "gui/commands/command_table.h"
#include "gui/frames/circuit_frame_document.h"
#include "gui/frames/main_frame.h"
#include "tests/gui/support/gui_test_support.h"

using namespace kestro;

class UndoRedoTest : public QObject {
    Q_OBJECT

    QAction* Item(CTestApp& t, int id) {
        CCommandTable& table = t.app->MainFrame()->CommandTable();
        table.UpdateAll();
        return table.MenuAction(kMenuSchematic, id);
    }
    void Key(CTestApp& t, Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QTest::keyClick(t.app->MainFrame(), key, modifiers);
    }
    CPart* AddWire(CCircuit& sheet, CPointF a, CPointF b) {
        CEditStep step(sheet, "Wire");
        return step.Add(CWire::Create(sheet.GetEnvironment(), a, b));
    }

private slots:
    void initTestCase() { IsolateUserFolders(); }

    void labelsAndKeysFollowTheHistory() {
        CTestApp t = MakeTestApp();
        QVERIFY(t.app->Start());
        CCircuit* sheet = t.app->NewDocument();
        QVERIFY(sheet);
        t.app->MainFrame()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(t.app->MainFrame()));
        QAction* undo = Item(t, kIdEditUndo);
        QAction* redo = Item(t, kIdEditRedo);
        QVERIFY(undo && redo);
        QCOMPARE(undo->text(), QString("Undo\tCtrl+Z"));
        QVERIFY(!undo->isEnabled());
        QVERIFY(!redo->isEnabled());

        CPart* wire = AddWire(*sheet, {100, 100}, {200, 100});
        CSelection selection;
        selection.Add(*wire);
        sheet->MoveSelection(selection, 0, 50);
        sheet->DeleteSelection(selection);
        Item(t, kIdEditUndo);
        QCOMPARE(undo->text(), QString("Undo Delete\tCtrl+Z"));
        QVERIFY(undo->isEnabled());

        Key(t, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(sheet->Contains(*wire));
        Item(t, kIdEditUndo);
        QCOMPARE(undo->text(), QString("Undo Move\tCtrl+Z"));
        QCOMPARE(redo->text(), QString("Redo Delete\tCtrl+Y"));
        QVERIFY(redo->isEnabled());
        Key(t, Qt::Key_Backspace, Qt::AltModifier);
        QCOMPARE(wire->GetBounds(), (CRectF{100, 100, 200, 100}));
        Key(t, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!sheet->Contains(*wire));
        QVERIFY2(!sheet->IsModified(), "back at the state of a new sheet");
        QVERIFY(!Item(t, kIdEditUndo)->isEnabled());

        Key(t, Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(sheet->Contains(*wire));
        Key(t, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(wire->GetBounds(), (CRectF{100, 150, 200, 150}));
        QVERIFY(sheet->IsModified());
        // The menu item itself runs the command.
        Item(t, kIdEditRedo)->trigger();
        QVERIFY(!sheet->Contains(*wire));
        QVERIFY(!Item(t, kIdEditRedo)->isEnabled());
        QCOMPARE(Item(t, kIdEditRedo)->text(), QString("Redo\tCtrl+Y"));
    }

    void savingKeepsTheHistoryAndMarksTheSavedState() {
        QTemporaryDir folder;
        CTestApp t = MakeTestApp();
        QVERIFY(t.app->Start());
        CCircuit* sheet = t.app->NewDocument();
        CPart* wire = AddWire(*sheet, {100, 100}, {200, 100});
        CCircuitDocumentManager& manager = t.app->DocTemplate()->Manager();
        QVERIFY(manager.SaveUnderName(*sheet, folder.filePath("a.sch").toStdString()));
        CSelection selection;
        selection.Add(*wire);
        sheet->MoveSelection(selection, 10, 0);
        CCircuitFrameDocument* document = t.app->DocTemplate()->FrameDocument(*sheet);
        QVERIFY(document);
        QCOMPARE(document->History().UndoCount(), size_t(2));
        document->Undo();
        QVERIFY(!sheet->IsModified());
        document->Undo();
        QVERIFY(sheet->IsModified());
        document->Redo();
        QVERIFY(!sheet->IsModified());
        // Reading the file again forgets the history.
        QVERIFY(manager.Reload(*sheet));
        QVERIFY(!document->History().CanUndo());
        QVERIFY(!document->History().CanRedo());
    }

    // The library keeps its own history, apart from every sheet's.
    void theLibraryHasItsOwnHistory() {
        CTestApp t = MakeTestApp();
        QVERIFY(t.app->Start());
        CLibraryHistory* history = t.app->LibraryHistory();
        QVERIFY(history);
        CLibraryData& library = *t.app->Library();
        QCOMPARE(library.GetJournal(), static_cast<CLibraryJournal*>(history));
        CCircuit* sheet = t.app->NewDocument();
        const CLibraryFont before = library.GetFonts()[2];
        {
            CLibraryEditStep step(library, "Fonts");
            step.TouchFonts();
            CLibraryFont bold = before;
            bold.weight = 700;
            library.SetFont(2, bold);
            QVERIFY(step.Commit());
        }
        QCOMPARE(history->UndoName(), std::string("Fonts"));
        QVERIFY2(!Item(t, kIdEditUndo)->isEnabled(), "the sheet has nothing to undo");
        QVERIFY(history->Undo());
        QVERIFY(library.GetFonts()[2] == before);
        QVERIFY(!sheet->IsModified());
    }
};

QTEST_MAIN(UndoRedoTest)
#include "undo_redo_test.moc"
