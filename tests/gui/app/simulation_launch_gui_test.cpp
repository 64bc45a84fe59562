// Run TARN and Run GRAPHON from a schematic window: stand-in programs in a temporary program
// folder, and a stand-in viewer listening on the viewer socket in a thread of its own.
#include <QEventLoop>
#include <QFile>
#include <QListWidget>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMutex>
#include <QThread>
#include <QtTest>
#include <atomic>

#include "core/app/simulation_launch.h"
#include "gui/commands/command_ids.h"
#include "gui/dialogs/choose_list_dialog.h"
#include "gui/frames/child_frame.h"
#include "gui/frames/frame_document.h"
#include "gui/frames/main_frame.h"
#include "gui/platform/qt_prompts.h"
#include "gui/platform/viewer_channel.h"
#include "tests/gui/support/gui_test_support.h"
#include "tests/gui/support/stand_in_viewer.h"

using namespace kestro;

namespace {

// A schematic that writes a dummy netlist where it is told to.
class CFakeSchematic : public CFrameDocument, public CSimulationSource {
public:
    explicit CFakeSchematic(QString netlist) : m_netlist(std::move(netlist)) {}
    QString Title() const override { return "buck.sch"; }
    bool SaveModified() override { return true; }
    bool StaysLoadedWithoutWindows() const override { return false; }
    void CloseDocument() override {}
    CSimulationSource* SimulationSource() override { return this; }

    std::vector<std::string> TopLevelPathNames() override { return topLevels; }
    std::optional<std::string> WriteNetlist(size_t index) override {
        written.push_back(index);
        QFile file(m_netlist);
        if (!file.open(QIODevice::WriteOnly)) return std::nullopt;
        file.write("'.TIME' 1E-005 0.01 0 1 0 0 0\n");
        return m_netlist.toStdString();
    }

    std::vector<std::string> topLevels{"/w/buck.sch"};
    std::vector<size_t> written;

private:
    QString m_netlist;
};

}  // namespace

class SimulationLaunchGuiTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_root;
    QString m_program;  // the program folder, with a space in its name
    QString m_socket;
    int m_case = 0;

    struct Session {
        CTestApp t;
        std::unique_ptr<CFakeSchematic> schematic;
        CMainFrame* frame = nullptr;
    };

    // An application on the program folder with one schematic window active.
    std::unique_ptr<Session> Open() {
        auto s = std::make_unique<Session>();
        s->t = MakeTestApp((m_program + "/").toStdString(), m_socket);
        [&] { QVERIFY(s->t.app->Start()); }();
        s->schematic = std::make_unique<CFakeSchematic>(m_root.filePath("my runs/buck 1.CCT"));
        s->frame = s->t.app->MainFrame();
        s->frame->AddDocumentFrame(new CChildFrame(s->schematic.get()));
        s->frame->activateWindow();
        [&] { QVERIFY(QTest::qWaitForWindowActive(s->frame)); }();
        return s;
    }

private slots:
    void initTestCase() {
        IsolateUserFolders();
        QVERIFY(m_root.isValid());
        QVERIFY(QDir(m_root.path()).mkpath("my runs"));
    }

    void init() {
        // A fresh program folder and socket for every case.
        m_program = m_root.filePath(QString("program folder %1").arg(++m_case));
        QVERIFY(QDir().mkpath(m_program));
        m_socket = CLocalViewerChannel::DefaultSocketName() + QString::number(m_case);
    }

    void engineGetsTheNetlistPathAsOneArgumentEvenWithSpaces() {
        QVERIFY(WriteScript(
            m_program + "/tarn",
            "printf '%s\\n' \"$#\" \"$1\" \"$(pwd)\" > \"$(dirname \"$0\")/args.txt\"\n"));
        auto s = Open();
        QTest::keyClick(s->frame, Qt::Key_F8);
        QTRY_VERIFY(QFile::exists(m_program + "/args.txt"));
        QTRY_COMPARE(
            ReadFile(m_program + "/args.txt"),
            ("1\n" + m_root.filePath("my runs/buck 1.CCT") + "\n" + m_program + "\n").toUtf8());
        QCOMPARE(s->t.app->Launcher().LastNetlistPath(),
                 m_root.filePath("my runs/buck 1.CCT").toStdString());
        QVERIFY(s->t.prompts->shown.empty());
    }

    void missingEngineIsReportedWithTheSystemsReason() {
        auto s = Open();
        QTest::keyClick(s->frame, Qt::Key_F8);
        QCOMPARE(int(s->t.prompts->shown.size()), 1);
        QCOMPARE(s->t.prompts->shown[0].text,
                 "Failed to run " + m_program.toStdString() + "/tarn\nNo such file or directory");
        QCOMPARE(s->t.prompts->shown[0].icon, MessageIcon::Stop);
        QCOMPARE(s->t.app->Launcher().LastNetlistPath(), std::string());
    }

    void twoTopLevelSheetsAskWhichAndCancelWritesNothing() {
        QVERIFY(WriteScript(m_program + "/tarn", "touch \"$(dirname \"$0\")/ran\"\n"));
        auto s = Open();
        s->schematic->topLevels = {"/w/a.sch", "/w/b.sch"};
        QTest::keyClick(s->frame, Qt::Key_F8);
        QCOMPARE(s->t.prompts->shown.at(0).text, std::string("Run TARN"));
        QVERIFY(s->schematic->written.empty());
        QVERIFY(s->t.starter->requests.empty());
    }

    void runGraphonHandsARunningViewerTheResultFile() {
        QVERIFY(WriteScript(m_program + "/tarn", "exit 0\n"));
        QVERIFY(
            WriteScript(m_program + "/graphon", "touch \"$(dirname \"$0\")/viewer-started\"\n"));
        CStandInViewer viewer(m_socket, "graphon - old results");
        auto s = Open();
        QTest::keyClick(s->frame, Qt::Key_F8);
        QTest::keyClick(s->frame, Qt::Key_F8, Qt::AltModifier);
        const QByteArray expected =
            "OPEN " + m_root.filePath("my runs/buck 1.TXT").toUtf8() + "\nRAISE\n";
        QTRY_COMPARE(viewer.Received(), expected);
        // Only the engine was started: the running viewer got the file.
        QCOMPARE(s->t.starter->requests.size(), size_t(1));
        QCOMPARE(s->t.starter->requests[0].program, (m_program + "/tarn").toStdString());
    }

    void aTitleShorterThanSevenCharactersNeverCounts() {
        QVERIFY(WriteScript(m_program + "/tarn", "exit 0\n"));
        QVERIFY(
            WriteScript(m_program + "/graphon", "touch \"$(dirname \"$0\")/viewer-started\"\n"));
        CStandInViewer squatter(m_socket, "Graph");
        auto s = Open();
        QTest::keyClick(s->frame, Qt::Key_F8);
        QTest::keyClick(s->frame, Qt::Key_F8, Qt::AltModifier);
        QTRY_VERIFY(QFile::exists(m_program + "/viewer-started"));
        QTRY_VERIFY(squatter.Connections() >= 2);  // asked again while waiting for the new one
        QCOMPARE(squatter.Received(), QByteArray());
        QVERIFY(s->t.app->ViewerChannel().HandOffPending());
    }

    void aStartedViewerGetsTheFileOnceItListens() {
        QVERIFY(WriteScript(m_program + "/tarn", "exit 0\n"));
        QVERIFY(
            WriteScript(m_program + "/graphon", "touch \"$(dirname \"$0\")/viewer-started\"\n"));
        auto s = Open();
        QSignalSpy handedOff(&s->t.app->ViewerChannel(), &CLocalViewerChannel::HandOffFinished);
        QTest::keyClick(s->frame, Qt::Key_F8);
        QTest::keyClick(s->frame, Qt::Key_F8, Qt::AltModifier);
        // The new viewer opens its channel only after it has started: the editor keeps
        // asking until it answers.
        QTRY_VERIFY(QFile::exists(m_program + "/viewer-started"));
        CStandInViewer viewer(m_socket, "GRAPHON");
        QTRY_COMPARE(viewer.Received(),
                     "OPEN " + m_root.filePath("my runs/buck 1.TXT").toUtf8() + "\n");
        QTRY_COMPARE(handedOff.count(), 1);
        QCOMPARE(handedOff.at(0).at(0).toBool(), true);
    }

    void viewerWithoutAnyRunStartsWithoutAFile() {
        QVERIFY(
            WriteScript(m_program + "/graphon", "touch \"$(dirname \"$0\")/viewer-started\"\n"));
        auto s = Open();
        QTest::keyClick(s->frame, Qt::Key_F8, Qt::AltModifier);
        QTRY_VERIFY(QFile::exists(m_program + "/viewer-started"));
        QVERIFY(!s->t.app->ViewerChannel().HandOffPending());
    }

    void handOffGivesUpAfterItsTimeout() {
        CLocalViewerChannel channel(m_socket);
        QSignalSpy finished(&channel, &CLocalViewerChannel::HandOffFinished);
        channel.HandToStarted("/w/x.TXT", 300);
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toBool(), false);
        QVERIFY(!channel.HandOffPending());
    }

    void runTarnNeedsASchematicThatCanBeSimulated() {
        CTestApp t = MakeTestApp((m_program + "/").toStdString(), m_socket);
        QVERIFY(t.app->Start());
        t.app->MainFrame()->AddDocumentFrame(new CChildFrame);  // no document behind it
        QCOMPARE(t.app->MainFrame()->Router().Query(kIdRunTarn).enabled, false);
        QCOMPARE(t.app->MainFrame()->Router().Query(kIdRunGraphon).enabled, true);
    }

    void choiceListDialogAnswersWithTheChosenRow() {
        CQtPrompts prompts;
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<CChooseListDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), QString("Run TARN"));
            QTest::keyClick(dialog->List(), Qt::Key_Down);
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        QCOMPARE(ChooseTopLevel(prompts, {"/w/a.sch", "/w/b.sch", "/w/c.sch"}),
                 std::optional<size_t>(1));
        QTimer::singleShot(
            0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
        QCOMPARE(ChooseTopLevel(prompts, {"/w/a.sch", "/w/b.sch"}), std::nullopt);
    }
};

QTEST_MAIN(SimulationLaunchGuiTest)
#include "simulation_launch_gui_test.moc"
