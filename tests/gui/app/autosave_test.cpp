// Autosave: copies of modified sheets in the recovery folder, the user's file untouched,
// and the question at the next start after an editor that never exited.
#include <QLabel>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include "core/document/circuit.h"
#include "core/hierarchy/circuit_document_manager.h"
#include "core/library/lib_element.h"
#include "core/library/library_data.h"
#include "core/objects/sim_part.h"
#include "core/platform/scripted_prompts.h"
#include "gui/app/autosave.h"
#include "gui/app/kestro_doc_template.h"
#include "gui/commands/command_ids.h"
#include "gui/commands/command_table.h"
#include "gui/dialogs/options_sheet.h"
#include "gui/frames/child_frame.h"
#include "gui/frames/circuit_frame_document.h"
#include "gui/frames/main_frame.h"
#include "tests/gui/support/gui_test_support.h"

using namespace kestro;

class AutosaveTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;

    uint16_t Resistor(CTestApp& t) {
        return static_cast<uint16_t>(t.app->Library()->FindElementByName("R"));
    }

    // A started editor with one modified sheet holding a resistor.
    CCircuit* StartWithModifiedSheet(CTestApp& t) {
        if (!t.app->Start()) return nullptr;
        CCircuit* sheet = t.app->NewDocument();
        sheet->PlaceElement(Resistor(t), {100, 100}, 0);
        sheet->SetModified();
        return sheet;
    }

private slots:
    void initTestCase() { IsolateUserFolders(); }

    void aCrashedEditorsCopyIsOfferedAndRestoredAsModified() {
        const std::string user = m_folder.filePath("buck.sch").toStdString();
        QByteArray saved;
        size_t objects = 0;
        {
            CTestApp t = MakeTestApp();
            QVERIFY(t.app->Start());
            CCircuit* sheet = t.app->NewDocument();
            sheet->PlaceElement(Resistor(t), {100, 100}, 0);
            QVERIFY(t.app->DocTemplate()->Manager().SaveUnderName(*sheet, user));
            saved = ReadFile(QString::fromStdString(user));
            sheet->PlaceElement(Resistor(t), {300, 100}, 0);
            sheet->SetModified();
            objects = sheet->GetObjectCount();
            t.app->Autosave()->SaveNow();
            t.app->Autosave()->Wait();
            QCOMPARE(ReadFile(QString::fromStdString(user)), saved);
            QCOMPARE(t.app->Autosave()->Store().List().size(), size_t(1));
            // The editor goes without exiting, as a killed one would.
        }
        CTestApp t = MakeTestApp();
        t.prompts->answers.push_back(Answer::Yes);
        QVERIFY(t.app->Start());
        QVERIFY(t.prompts->LastMessage().find("buck.sch") != std::string::npos);
        QVERIFY(t.prompts->LastMessage().find("Restore it?") != std::string::npos);
        auto sheet = t.app->DocTemplate()->Manager().FindByPath(user);
        QVERIFY(sheet);
        QCOMPARE(sheet->GetObjectCount(), objects);
        QVERIFY(sheet->IsModified());
        QCOMPARE(ReadFile(QString::fromStdString(user)), saved);
        // Its window says which file it is; the copy never shows as a recent file.
        const auto frames = t.app->DocTemplate()->FramesOf(*sheet);
        QCOMPARE(frames.size(), 1);
        QCOMPARE(frames.first()->windowTitle(), QString::fromStdString(user));
        for (const std::string& recent : t.app->RecentFiles().Entries())
            QVERIFY2(recent.find("/recovery/") == std::string::npos, recent.c_str());
        // No state of its history is the user's file: undoing never clears the mark.
        sheet->PlaceElement(Resistor(t), {500, 100}, 0);
        CCircuitFrameDocument* document = t.app->DocTemplate()->FrameDocument(*sheet);
        QVERIFY(document);
        QVERIFY(document->History().Undo());
        QVERIFY(sheet->IsModified());
        // A clean exit takes the copies along.
        t.app->Exit();
        QVERIFY(CRecoveryStore(CRecoveryStore::DefaultFolder()).List().empty());
    }

    void noDiscardsTheCopyAndUnmodifiedSheetsHaveNone() {
        {
            CTestApp t = MakeTestApp();
            QVERIFY(t.app->Start());
            CCircuit* sheet = t.app->NewDocument();
            sheet->PlaceElement(Resistor(t), {100, 100}, 0);
            sheet->SetModified();
            t.app->Autosave()->SaveNow();
            t.app->Autosave()->Wait();
            QCOMPARE(t.app->Autosave()->Store().List().size(), size_t(1));
            sheet->SetModified(false);  // saved meanwhile
            t.app->Autosave()->SaveNow();
            QVERIFY(t.app->Autosave()->Store().List().empty());
            sheet->SetModified(true);
            t.app->Autosave()->SaveNow();
            t.app->Autosave()->Wait();
        }
        CTestApp t = MakeTestApp();
        t.prompts->answers.push_back(Answer::No);
        QVERIFY(t.app->Start());
        QCOMPARE(t.prompts->Messages().size(), size_t(1));
        QVERIFY(t.app->Autosave()->Store().List().empty());
        QVERIFY(t.app->DocTemplate()->WindowDocuments().isEmpty());
    }

    void logOutAsksAboutUnsavedSheetsOrLeavesCopiesWhenItCannotAsk() {
        CTestApp t = MakeTestApp();
        CCircuit* sheet = StartWithModifiedSheet(t);
        QVERIFY(sheet);
        t.prompts->answers.push_back(Answer::Cancel);
        QVERIFY(!t.app->CommitDataForLogout(true));
        QVERIFY(t.prompts->LastMessage().find("Save changes to") != std::string::npos);
        QVERIFY(sheet->IsModified());
        t.prompts->answers.push_back(Answer::No);
        QVERIFY(t.app->CommitDataForLogout(true));
        // A session that cannot ask: copies instead, and the log-out goes on.
        const size_t asked = t.prompts->Messages().size();
        QVERIFY(t.app->CommitDataForLogout(false));
        QCOMPARE(t.prompts->Messages().size(), asked);
        QCOMPARE(t.app->Autosave()->Store().List().size(), size_t(1));
        t.app->Autosave()->RemoveAll();
    }

    // The timer's autosave never makes the window wait for new memory: the first time a
    // sheet is copied its memory is made ready in the background and the copy follows;
    // the next time the snapshot goes into that memory at once. A save lets it go.
    void theTimersAutosaveWritesIntoMemoryMadeReadyBeforehand() {
        CTestApp t = MakeTestApp();
        CCircuit* sheet = StartWithModifiedSheet(t);
        QVERIFY(sheet);
        CAutosave& autosave = *t.app->Autosave();
        const std::string key = CAutosave::Key(*sheet);
        autosave.SaveSparingTheWindow();
        QVERIFY(autosave.Store().List().empty());
        QTRY_COMPARE(autosave.Store().List().size(), size_t(1));
        QTRY_VERIFY(!autosave.Buffers().IsBusy(key));
        QVERIFY(autosave.Buffers().IdleCapacity() > 0);

        sheet->PlaceElement(Resistor(t), {300, 100}, 0);
        autosave.SaveSparingTheWindow();
        autosave.Wait();
        const auto copies = autosave.Store().List();
        QCOMPARE(copies.size(), size_t(1));
        const std::vector<uint8_t> now = CRecoveryStore::Snapshot(*sheet);
        QCOMPARE(ReadFile(QString::fromStdString(copies[0].copyPath)),
                 QByteArray(reinterpret_cast<const char*>(now.data()), qsizetype(now.size())));

        sheet->SetModified(false);  // saved meanwhile
        autosave.SaveSparingTheWindow();
        QVERIFY(autosave.Store().List().empty());
        QVERIFY(autosave.Buffers().Keys().empty());
    }

    // A sheet saved under a name for the first time leaves no copy under its old title,
    // and a closed sheet none at all.
    void copiesOfRenamedOrClosedSheetsGo() {
        CTestApp t = MakeTestApp();
        CCircuit* sheet = StartWithModifiedSheet(t);
        QVERIFY(sheet);
        CAutosave& autosave = *t.app->Autosave();
        autosave.SaveNow();
        autosave.Wait();
        QCOMPARE(autosave.Store().List().size(), size_t(1));
        const std::string path = m_folder.filePath("named.sch").toStdString();
        QVERIFY(t.app->DocTemplate()->Manager().SaveUnderName(*sheet, path));
        sheet->PlaceElement(Resistor(t), {300, 100}, 0);
        autosave.SaveNow();
        autosave.Wait();
        auto copies = autosave.Store().List();
        QCOMPARE(copies.size(), size_t(1));
        QCOMPARE(copies[0].originalPath, path);
        t.app->DocTemplate()->Manager().Close(*sheet);
        autosave.SaveNow();
        QVERIFY(autosave.Store().List().empty());
    }

    // A modified library is copied too. After a crash its copy is offered before the
    // sheets (they may use its new elements), restored as modified, and "Save Library"
    // then writes the user's library file.
    void aCrashedEditorsLibraryIsOfferedFirstAndRestoredAsModified() {
        const QString program = m_folder.filePath("program/");
        QVERIFY(QDir().mkpath(program));
        const QString libraryFile = program + "KESTRO.LIB";
        QByteArray before;
        {
            CTestApp t = MakeTestApp(program.toStdString());
            QVERIFY(t.app->Start());
            before = ReadFile(libraryFile);
            CLibraryData& library = *t.app->Library();
            auto element = CLibElement::MakeNew("TESTX");
            element->SetRect({-20, -10, 20, 10});
            element->GetOutputPoints().push_back({-20, 0});
            element->GetOutputPoints().push_back({20, 0});
            const uint16_t id = library.AppendElement(std::move(element));
            library.SetModified();
            CCircuit* sheet = t.app->NewDocument();
            sheet->PlaceElement(id, {100, 100}, 0);
            sheet->SetModified();
            t.app->Autosave()->SaveNow();
            t.app->Autosave()->Wait();
            QCOMPARE(t.app->Autosave()->Store().List().size(), size_t(2));
            QCOMPARE(ReadFile(libraryFile), before);
        }
        CTestApp t = MakeTestApp(program.toStdString());
        t.prompts->answers = {Answer::Yes, Answer::Yes};
        QVERIFY(t.app->Start());
        const auto asked = t.prompts->Messages();
        QCOMPARE(asked.size(), size_t(2));
        QVERIFY2(
            asked[0].find("the element library " + libraryFile.toStdString()) != std::string::npos,
            asked[0].c_str());
        CLibraryData& library = *t.app->Library();
        QVERIFY(library.IsModified());
        const int id = library.FindElementByName("TESTX");
        QVERIFY(id >= 0);
        const auto sheets = t.app->DocTemplate()->WindowDocuments();
        QCOMPARE(sheets.size(), 1);
        const CSimPart* placed = sheets[0]->GetObjects().front()->AsSimPart();
        QVERIFY(placed);
        QCOMPARE(int(placed->GetElementId()), id);
        QCOMPARE(ReadFile(libraryFile), before);
        QVERIFY(t.app->SaveLibrary());
        QVERIFY(!library.IsModified());
        CScriptedPrompts quiet;
        CLibraryData saved(quiet);
        QVERIFY(saved.Open(libraryFile.toStdString()));
        QVERIFY(saved.FindElementByName("TESTX") >= 0);
        t.app->Exit();
        QVERIFY(CRecoveryStore(CRecoveryStore::DefaultFolder()).List().empty());
    }

    // "Autosave every" on the Standard page: typed seconds, 0 shown as "Off" and the
    // timer stopped; the setting is written at exit.
    void theIntervalIsSetOnTheStandardOptionsPage() {
        CTestApp t = MakeTestApp();
        QVERIFY(t.app->Start());
        QCOMPARE(t.app->Autosave()->IntervalSeconds(), 120);
        const auto typeSeconds = [](const QString& text, QString* shown) {
            auto* sheet = qobject_cast<COptionsSheet*>(QApplication::activeModalWidget());
            if (!sheet) return;
            auto* field = sheet->findChild<QSpinBox*>(QStringLiteral("autosaveSeconds"));
            if (!field) return;
            const auto labels = sheet->findChildren<QLabel*>();
            const bool named = std::any_of(labels.begin(), labels.end(), [field](QLabel* label) {
                return label->buddy() == field && label->text() == "&Autosave every";
            });
            if (!named) return;
            *shown = field->text();  // as the sheet opened
            field->setFocus();
            QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(field, text);
            QTest::keyClick(sheet, Qt::Key_Return);
        };
        QString shown;
        QTimer::singleShot(0, [&] { typeSeconds("0", &shown); });
        QVERIFY(t.app->MainFrame()->CommandTable().Execute(kIdSettings));
        QCOMPARE(shown, QString("120 s"));
        QCOMPARE(t.app->Settings().autosaveSeconds, 0);
        QCOMPARE(t.app->Autosave()->IntervalSeconds(), 0);
        QTimer::singleShot(0, [&] { typeSeconds("45", &shown); });
        QVERIFY(t.app->MainFrame()->CommandTable().Execute(kIdSettings));
        QCOMPARE(shown, QString("Off"));
        QCOMPARE(t.app->Autosave()->IntervalSeconds(), 45);
        t.app->Exit();
        QCOMPARE(t.store->GetInt("STANDARD OPTIONS", "AUTOSAVE", -1), 45);
    }
};

QTEST_MAIN(AutosaveTest)
#include "autosave_test.moc"
