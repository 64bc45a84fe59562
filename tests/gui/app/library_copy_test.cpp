// An installed editor: nobody may write its program folder, so a user's changes to the
// element library go into a copy of their own, which the next start reads.
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "core/app/library_location.h"
#include "core/library/library_data.h"
#include "gui/frames/main_frame.h"
#include "tests/gui/support/gui_test_support.h"

using namespace kestro;

namespace {

const QFile::Permissions kReadOnlyFolder = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                           QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;

// A program folder holding the bundled library (its minor version changed when asked),
// marked read-only as an installed one is.
class CInstalledFolder {
public:
    explicit CInstalledFolder(int minorVersion = 0) {
        QFile::copy(BundledLibraryFile(), Library());
        if (minorVersion) {
            QFile file(Library());
            file.open(QIODevice::ReadWrite);
            file.seek(10);  // magic, major, then the minor version
            const char version[2] = {char(minorVersion), 0};
            file.write(version, 2);
        }
        m_bytes = ReadFile(Library());
        QFile::setPermissions(m_folder.path(), kReadOnlyFolder);
    }
    ~CInstalledFolder() {
        QFile::setPermissions(m_folder.path(), kReadOnlyFolder | QFile::WriteOwner);
    }

    std::string Path() const { return (m_folder.path() + "/").toStdString(); }
    QString Library() const { return m_folder.filePath("KESTRO.LIB"); }
    bool Untouched() const { return ReadFile(Library()) == m_bytes; }

private:
    QTemporaryDir m_folder;
    QByteArray m_bytes;
};

QString UserCopy() {
    return qEnvironmentVariable("XDG_DATA_HOME") + "/QUORVANT/KESTRO/KESTRO.LIB";
}

int MinorVersion(const QString& library) {
    return int(ReadFile(library).mid(10, 1).at(0));
}

}  // namespace

class LibraryCopyTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { IsolateUserFolders(); }
    void cleanup() { QFile::remove(UserCopy()); }

    void savedChangesGoToTheUsersCopyAndTheNextStartReadsIt() {
        CInstalledFolder program;
        {
            CTestApp t = MakeTestApp(program.Path());
            QVERIFY(t.app->Start());
            QVERIFY(t.prompts->shown.empty());
            QCOMPARE(QString::fromStdString(t.app->LibraryLocation().read), program.Library());
            QCOMPARE(QString::fromStdString(t.app->LibraryLocation().save), UserCopy());

            t.app->Library()->SetModified();
            t.prompts->answers.push_back(Answer::Yes);
            QVERIFY(t.app->MainFrame()->close());
            const std::vector<std::string> messages = t.prompts->Messages();
            QCOMPARE(int(messages.size()), 2);
            QCOMPARE(messages[0], std::string("Save changes to Kestro Library?"));
            QVERIFY2(QString::fromStdString(messages[1]).contains(UserCopy()), messages[1].c_str());
            QCOMPARE(t.prompts->shown[1].icon, MessageIcon::Information);
        }
        QVERIFY(QFile::exists(UserCopy()));
        QVERIFY(program.Untouched());

        CTestApp next = MakeTestApp(program.Path());
        QVERIFY(next.app->Start());
        QVERIFY(next.prompts->shown.empty());
        QCOMPARE(QString::fromStdString(next.app->Library()->GetPath()), UserCopy());
        QVERIFY(next.app->Library()->GetElementCount() > 100);
        QVERIFY(next.app->Library()->FindElementByName("R") >= 0);
    }

    void anOlderInstalledLibraryIsUpdatedIntoTheUsersCopy() {
        CInstalledFolder program(20);
        CTestApp t = MakeTestApp(program.Path());
        QVERIFY(t.app->Start());
        const std::vector<std::string> messages = t.prompts->Messages();
        QCOMPARE(int(messages.size()), 2);
        QVERIFY(QString::fromStdString(messages[0]).contains(UserCopy()));
        QCOMPARE(messages[1], std::string("Kestro Library has been updated."));
        QCOMPARE(MinorVersion(UserCopy()), 30);
        QVERIFY(program.Untouched());
        QCOMPARE(MinorVersion(program.Library()), 20);
        QVERIFY(!t.app->Library()->IsModified());
    }

    // The core finds the folder without Qt; it must be the one Qt gives the editor.
    void theUsersCopyLivesInTheEditorsDataLocation() {
        QCoreApplication::setOrganizationName("QUORVANT");
        QCoreApplication::setApplicationName("KESTRO");
        QCOMPARE(QString::fromStdString(UserKestroFolder()),
                 QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/");
    }
};

QTEST_MAIN(LibraryCopyTest)
#include "library_copy_test.moc"
