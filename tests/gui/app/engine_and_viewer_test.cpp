// F8 then Alt+F8 on an example with the real engine and viewer from the build: the engine
// writes the results beside the netlist and the viewer started by the editor shows them.
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QtTest>

#include "core/document/circuit.h"
#include "gui/frames/main_frame.h"
#include "tests/gui/support/gui_test_support.h"

using namespace kestro;

namespace {

// The title the viewer on the socket names, or an empty text.
QString ViewerTitle(const QString& socketName, pid_t* pid = nullptr) {
    QLocalSocket socket;
    socket.connectToServer(socketName);
    if (!socket.waitForConnected(500)) return {};
    if (pid) {
        ucred peer{};
        socklen_t length = sizeof peer;
        if (::getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &length) ==
            0)
            *pid = peer.pid;
    }
    if (!socket.waitForReadyRead(2000)) return {};
    QByteArray line = socket.readLine();
    socket.abort();
    return line.startsWith("TITLE ") ? QString::fromUtf8(line.mid(6).trimmed()) : QString();
}

}  // namespace

class EngineAndViewerTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;

private slots:
    void initTestCase() { IsolateUserFolders(); }

    void f8ThenAltF8ShowsTheBuckConvertersWaveforms() {
        const QString program = QStringLiteral(KESTRO_BINARY_DIR) + "/bin/";
        QVERIFY2(QFile::exists(program + "tarn") && QFile::exists(program + "graphon"),
                 "tarn and graphon are built beside the editor");
        const QString sheet = m_folder.filePath("buck converter.sch");
        QVERIFY(
            QFile::copy(QStringLiteral(KESTRO_SOURCE_DIR) + "/examples/buck_converter.sch", sheet));
        const QString socket = m_folder.filePath("viewer");
        qputenv("KESTRO_VIEWER_SOCKET", QFile::encodeName(socket));

        CTestApp t = MakeTestApp(program.toStdString(), socket);
        QVERIFY(t.app->Start());
        QVERIFY(t.app->OpenDocument(sheet.toStdString()));
        t.app->MainFrame()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(t.app->MainFrame()));

        QTest::keyClick(t.app->MainFrame(), Qt::Key_F8);
        const QString results = m_folder.filePath("buck converter.TXT");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(results), 30000);
        QFile file(results);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readLine(), QByteArray("Time [s]\tIP1 [A]\tVP1 [V]\n"));
        QVERIFY(file.size() > 100000);  // 10001 rows of the 10 ms run

        QTest::keyClick(t.app->MainFrame(), Qt::Key_F8, Qt::AltModifier);
        pid_t viewer = 0;
        QTRY_COMPARE_WITH_TIMEOUT(ViewerTitle(socket, &viewer),
                                  QString("Graphon - buck converter.TXT"), 30000);
        QVERIFY(viewer > 0);
        ::kill(viewer, SIGTERM);
        QTRY_VERIFY_WITH_TIMEOUT(ViewerTitle(socket).isEmpty(), 10000);
        qunsetenv("KESTRO_VIEWER_SOCKET");
    }
};

QTEST_MAIN(EngineAndViewerTest)
#include "engine_and_viewer_test.moc"
