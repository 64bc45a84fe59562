// An editor killed with SIGKILL while a sheet holds unsaved work: its autosaved copy is
// offered at the next start and comes back modified under its own path, the user's file
// untouched, and the lock the killed editor left is taken over without a warning.
//
// The killed editor is this program run a second time: with kChildVariable set, main
// starts the editor, saves a sheet, changes it and runs until it is killed.
#include <signal.h>
#include <sys/wait.h>

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "core/document/circuit.h"
#include "core/hierarchy/circuit_document_manager.h"
#include "core/hierarchy/file_lock.h"
#include "core/hierarchy/recovery_store.h"
#include "core/library/library_data.h"
#include "gui/app/autosave.h"
#include "gui/app/kestro_doc_template.h"
#include "tests/gui/support/gui_test_support.h"

using namespace kestro;

namespace {

constexpr const char* kChildVariable = "KESTRO_TEST_EDITOR_TO_KILL";

uint16_t Resistor(CKestroApp& app) {
    return static_cast<uint16_t>(app.Library()->FindElementByName("R"));
}

// The editor to be killed: autosave every second, a sheet saved at `path` and then
// changed by one more element. It never exits by itself.
int RunEditorToKill(const std::string& path) {
    CTestApp t = MakeTestApp();
    t.store->SetInt("STANDARD OPTIONS", "AUTOSAVE", 1);
    if (!t.app->Start()) return 2;
    CCircuit* sheet = t.app->NewDocument();
    sheet->PlaceElement(Resistor(*t.app), {100, 100}, 0);
    if (!t.app->DocTemplate()->Manager().SaveUnderName(*sheet, path)) return 3;
    sheet->PlaceElement(Resistor(*t.app), {300, 100}, 0);
    std::printf("edited %zu\n", sheet->GetObjectCount());
    std::fflush(stdout);
    return QApplication::exec();
}

}  // namespace

class KilledEditorTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { IsolateUserFolders(); }

    void itsAutosavedCopyIsOfferedAndRestoredUnderItsOwnPath() {
        QTemporaryDir folder;
        const QString user = QFileInfo(folder.path()).canonicalFilePath() + "/buck.sch";
        QProcess editor;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(kChildVariable, user);
        editor.setProcessEnvironment(environment);
        editor.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        editor.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(editor.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(editor.canReadLine() || editor.state() == QProcess::NotRunning,
                                 120000);
        const QByteArray edited = editor.readLine().trimmed();
        QVERIFY2(edited.startsWith("edited "), edited.constData());
        const size_t objects = edited.mid(7).toULongLong();
        const QByteArray saved = ReadFile(user);
        QVERIFY(!saved.isEmpty());

        // Killed once a copy is there: no exit, no clean-up of any kind.
        const CRecoveryStore store(CRecoveryStore::DefaultFolder());
        QTRY_VERIFY_WITH_TIMEOUT(!store.List().empty(), 60000);
        const auto pid = static_cast<pid_t>(editor.processId());
        QCOMPARE(::kill(pid, SIGKILL), 0);
        QVERIFY(editor.waitForFinished(30000));
        QCOMPARE(editor.exitStatus(), QProcess::CrashExit);
        const std::string lock = CFileLocks::LockPathFor(user.toStdString());
        QVERIFY2(QFile::exists(QString::fromStdString(lock)), "left behind by the killed editor");

        // The next start asks, and Yes brings the work back.
        CTestApp t = MakeTestApp();
        t.prompts->answers.push_back(Answer::Yes);
        QVERIFY(t.app->Start());
        QCOMPARE(t.prompts->Messages().size(), size_t(1));
        const std::string question = t.prompts->LastMessage();
        QVERIFY2(question.find("Kestro was not closed properly") == 0, question.c_str());
        QVERIFY(question.find(user.toStdString()) != std::string::npos);
        auto sheet = t.app->DocTemplate()->Manager().FindByPath(user.toStdString());
        QVERIFY(sheet);
        QCOMPARE(QString::fromStdString(sheet->GetPathName()), user);
        QVERIFY(sheet->IsModified());
        QCOMPARE(sheet->GetObjectCount(), objects);
        QCOMPARE(ReadFile(user), saved);
        const auto holder = ParseLockFile(ReadFile(QString::fromStdString(lock)).toStdString());
        QVERIFY(holder);
        QCOMPARE(holder->pid, int64_t(::getpid()));

        // Save writes the user's own file; the clean exit leaves nothing behind.
        QVERIFY(t.app->DocTemplate()->Manager().Save(*sheet));
        QVERIFY(ReadFile(user) != saved);
        t.app->Exit();
        QVERIFY(store.List().empty());
        QVERIFY(!QFile::exists(QString::fromStdString(lock)));
    }
};

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (qEnvironmentVariableIsSet(kChildVariable))
        return RunEditorToKill(qEnvironmentVariable(kChildVariable).toStdString());
    KilledEditorTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "killed_editor_test.moc"
