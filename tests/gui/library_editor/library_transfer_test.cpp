// "Transfer old version Library " through its command id: documents closed, the two file
// dialogs, the transfer, the save, and the editor going on with the new library.
#include <QAction>
#include <QFile>
#include <QMdiArea>
#include <QToolBar>
#include <QtTest>

#include "core/document/circuit.h"
#include "core/library/library_data.h"
#include "gui/app/kestro_doc_template.h"
#include "gui/commands/command_ids.h"
#include "gui/commands/command_table.h"
#include "gui/frames/main_frame.h"
#include "gui/library_editor/library_transfer.h"
#include "tests/core/support/old_library_writer.h"
#include "tests/gui/support/gui_test_support.h"

using namespace kestro;

namespace {

// A started editor with one schematic open and the fixture's old files in a folder.
struct CTransferWorld {
    QTemporaryDir oldFolder;
    CTestApp t = MakeTestApp();
    CCircuit* sheet = nullptr;

    CTransferWorld() {
        if (!t.app->Start()) return;
        sheet = t.app->NewDocument();
        test::WriteOldLibrary(OldFolder(), test::DozenOldElements(), test::OldGround(),
                              test::DozenOldGroups());
    }
    std::string OldFolder() const { return (oldFolder.path() + "/").toStdString(); }
    std::string OldLibrary() const { return OldFolder() + kOldLibraryFileName; }
    std::string NewLibrary() const { return OldFolder() + "NEW.LIB"; }
    CLibraryData& Library() const { return *t.app->Library(); }
    int Windows() const { return int(t.app->MainFrame()->MdiArea()->subWindowList().size()); }
    bool Execute() const { return t.app->MainFrame()->CommandTable().Execute(kIdLibraryTransfer); }

    QAction* ElementButton(int index) const {
        for (QAction* a : t.app->MainFrame()->ElementToolBar()->actions())
            if (CCommandTable::CommandId(a) == kIdFirstElement + index) return a;
        return nullptr;
    }
};

}  // namespace

class LibraryTransferTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { IsolateUserFolders(); }

    void transferReplacesTheLibraryAndSavesIt() {
        CTransferWorld w;
        QVERIFY(w.sheet);
        QVERIFY(w.Library().GetElementCount() > 100);  // the bundled library
        w.t.prompts->fileNames = {w.OldLibrary(), w.NewLibrary()};
        QVERIFY(w.Execute());

        QCOMPARE(w.Windows(), 0);  // the schematic was closed first
        QVERIFY(w.t.prompts->Messages().empty());
        QCOMPARE(w.t.prompts->fileRequests.size(), size_t(2));
        const CFileDialogRequest& open = w.t.prompts->fileRequests[0];
        QCOMPARE(open.title, std::string("Open Kestro Version 2.0 Library File"));
        QCOMPARE(open.fileName, std::string("ELEMENTS.LIB"));
        QCOMPARE(open.filter, std::string("Library Files (*.lib) |*.lib| All Files (*.*) |*.*||"));
        QVERIFY(open.mustExist);
        const CFileDialogRequest& save = w.t.prompts->fileRequests[1];
        QCOMPARE(save.title, std::string("Save As Kestro Version 3.0 Library File"));
        QCOMPARE(save.fileName, w.OldFolder() + "KESTRO.LIB");
        QVERIFY(save.overwritePrompt);

        CLibraryData& library = w.Library();
        QCOMPARE(library.GetElementCount(), 13u);
        QCOMPARE(library.GetPath(), w.NewLibrary());
        QVERIFY(!library.IsModified());
        QVERIFY(QFile::exists(QString::fromStdString(w.NewLibrary())));
        QCOMPARE(w.t.app->MainFrame()->StatusText(), QString("Ready"));

        // The element buttons follow the new library: element 7 is now the switch, and
        // the buttons of elements it does not have go back to their stand-ins.
        QCOMPARE(w.ElementButton(7)->text(), QString("SW"));
        QCOMPARE(w.ElementButton(0)->text(), QString("Ground"));
        QCOMPARE(w.ElementButton(107)->text(), QString("Element 107"));

        // The editor goes on with it: a new sheet places a transferred element.
        CCircuit* sheet = w.t.app->NewDocument();
        QVERIFY(sheet);
        QCOMPARE(library.GetElement(1)->GetName(), std::string("R"));
    }

    void cancellingADialogOrTheSaveQuestionKeepsTheLibrary() {
        CTransferWorld w;
        QVERIFY(w.sheet);
        const uint32_t bundled = w.Library().GetElementCount();
        w.sheet->SetModified();
        w.t.prompts->answers = {Answer::Cancel};
        QVERIFY(w.Execute());
        QCOMPARE(w.Windows(), 1);  // the schematic stays, nothing else was asked
        QVERIFY(w.t.prompts->fileRequests.empty());

        w.sheet->SetModified(false);
        w.t.prompts->fileNames = {w.OldLibrary(), std::nullopt};
        QVERIFY(w.Execute());
        QCOMPARE(w.t.prompts->fileRequests.size(), size_t(2));
        QCOMPARE(w.Library().GetElementCount(), bundled);
        QVERIFY(!QFile::exists(QString::fromStdString(w.NewLibrary())));
    }

    void aModifiedLibraryIsOfferedForSavingFirst() {
        CTransferWorld w;
        QVERIFY(w.sheet);
        w.Library().SetModified();
        w.t.prompts->answers = {Answer::Cancel};
        QVERIFY(w.Execute());
        QCOMPARE(w.t.prompts->LastMessage(), std::string("Save changes to Kestro Library?"));
        QVERIFY(w.t.prompts->fileRequests.empty());
        QVERIFY(w.Library().IsModified());

        w.t.prompts->answers = {Answer::No};
        w.t.prompts->fileNames = {w.OldLibrary(), w.NewLibrary()};
        QVERIFY(w.Execute());
        QCOMPARE(w.Library().GetElementCount(), 13u);
    }

    void anOldLibraryThatCannotBeReadChangesNothing() {
        CTransferWorld w;
        QVERIFY(w.sheet);
        const uint32_t bundled = w.Library().GetElementCount();
        const std::string path = w.Library().GetPath();
        QFile::resize(QString::fromStdString(w.OldLibrary()), 300);
        w.t.prompts->fileNames = {w.OldLibrary(), w.NewLibrary()};
        QVERIFY(w.Execute());
        QCOMPARE(w.t.prompts->Messages(), std::vector<std::string>{"File error. (Old Version)"});
        QCOMPARE(w.Library().GetElementCount(), bundled);
        QCOMPARE(w.Library().GetPath(), path);
        QVERIFY(!QFile::exists(QString::fromStdString(w.NewLibrary())));
        QCOMPARE(w.t.app->MainFrame()->StatusText(), QString("Ready"));
    }

    void missingCompanionFilesAreReportedAndTheRestTransferred() {
        CTransferWorld w;
        QVERIFY(w.sheet);
        QFile::remove(QString::fromStdString(w.OldFolder() + kOldGroundFileName));
        QFile::remove(QString::fromStdString(w.OldFolder() + kOldMenuFileName));
        w.t.prompts->fileNames = {w.OldLibrary(), w.NewLibrary()};
        QVERIFY(w.Execute());
        QCOMPARE(w.t.prompts->Messages().size(), size_t(2));
        QCOMPARE(w.Library().GetElementCount(), 13u);
        QVERIFY(w.Library().GetElement(0)->GetName().empty());
        QCOMPARE(w.Library().GetMenus().GetItems().size(), size_t(13));  // the flat menu
        QVERIFY(QFile::exists(QString::fromStdString(w.NewLibrary())));
    }

    void anOlderSchematicAsksForTheTransferFirst() {
        CTransferWorld w;
        QVERIFY(w.sheet);
        QByteArray old("SCH FILE\0\x14\0", 11);
        old.append(128, '\0');
        old[9 + 2 + 2] = 2;  // not version 1.0
        const std::string path = w.OldFolder() + "old.sch";
        QFile file(QString::fromStdString(path));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(old) == old.size());
        file.close();

        QVERIFY(!w.t.app->OpenDocument(path));
        QCOMPARE(w.t.prompts->LastMessage(),
                 std::string("You must transfer the old library before openning an older "
                             "version file."));
        w.t.prompts->fileNames = {w.OldLibrary(), w.NewLibrary()};
        QVERIFY(w.Execute());
        QVERIFY(!w.t.app->OpenDocument(path));
        QCOMPARE(w.t.prompts->LastMessage(), "Unable to open " + path + "\nNone compatable file.");
    }
};

QTEST_MAIN(LibraryTransferTest)
#include "library_transfer_test.moc"
