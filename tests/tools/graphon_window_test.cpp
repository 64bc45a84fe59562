// The viewer's window driven by mouse and keyboard: traces shown and hidden, zoom, pan, fit,
// cursors, exports, reloading, a damaged file, and the viewer channel.
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QLocalSocket>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <future>

#include "tools/graphon/graphon_window.h"
#include "tools/graphon/plot_widget.h"
#include "tools/graphon/viewer_server.h"

using namespace kestro::graphon;

namespace {

// A sine and a ramp over 1 s, 1001 rows.
QByteArray Table(double amplitude) {
    QByteArray text = "Time [s]\tVP1 [V]\tIP1 [A]\n";
    for (int i = 0; i <= 1000; ++i) {
        const double t = i / 1000.0;
        text += QByteArray::number(t) + "\t" +
                QByteArray::number(amplitude * std::sin(6.283 * 5 * t)) + "\t" +
                QByteArray::number(t * 2) + "\n";
    }
    return text;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path + ".new");
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return false;
    file.close();
    QFile::remove(path);
    return QFile::rename(path + ".new", path);  // as the engine does
}

}  // namespace

class GraphonWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_folder;

    QString Path(const QString& name) const { return m_folder.filePath(name); }

private slots:
    void initTestCase() { QVERIFY(WriteFile(Path("run.TXT"), Table(10))); }

    void theTitleNamesTheFileAndEveryColumnGetsAStrip() {
        CGraphonWindow window;
        QCOMPARE(window.windowTitle(), QString("Graphon"));
        QVERIFY(window.OpenFile(Path("run.TXT")));
        QCOMPARE(window.windowTitle(), QString("Graphon - run.TXT"));
        QCOMPARE(window.TraceList()->count(), 2);
        QCOMPARE(window.TraceList()->item(0)->text(), QString("VP1 [V]"));
        QCOMPARE(window.Plot()->ShownTraces(), (std::vector<size_t>{0, 1}));
    }

    void uncheckingATraceHidesItsStrip() {
        CGraphonWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.OpenFile(Path("run.TXT")));
        QListWidget* list = window.TraceList();
        const QRect row = list->visualItemRect(list->item(0));
        // The check box sits at the left of the row.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          QPoint(row.left() + 10, row.center().y()));
        QTRY_COMPARE(window.Plot()->ShownTraces(), (std::vector<size_t>{1}));
        list->setCurrentRow(0);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Space);
        QTRY_COMPARE(window.Plot()->ShownTraces(), (std::vector<size_t>{0, 1}));
    }

    void aDraggedBoxZoomsTheWheelZoomsAndFitReturns() {
        CGraphonWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.OpenFile(Path("run.TXT")));
        CPlotWidget* plot = window.Plot();
        QCOMPARE(plot->ViewStart(), 0.0);
        QCOMPARE(plot->ViewEnd(), 1.0);
        const int y = plot->height() / 4;
        QTest::mousePress(plot, Qt::LeftButton, {}, QPoint(plot->width() / 2, y));
        QTest::mouseMove(plot, QPoint(plot->width() * 3 / 4, y + 20));
        QTest::mouseRelease(plot, Qt::LeftButton, {}, QPoint(plot->width() * 3 / 4, y + 20));
        QVERIFY(plot->ViewStart() > 0.3 && plot->ViewEnd() < 0.9);
        const double width = plot->ViewEnd() - plot->ViewStart();
        QWheelEvent wheel(QPointF(plot->width() / 2, y),
                          plot->mapToGlobal(QPointF(plot->width() / 2, y)), {}, QPoint(0, 120),
                          Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(plot, &wheel);
        QVERIFY(plot->ViewEnd() - plot->ViewStart() < width);
        const double start = plot->ViewStart();
        QTest::keyClick(plot, Qt::Key_Right);
        QVERIFY(plot->ViewStart() > start);
        QTest::keyClick(plot, Qt::Key_F);
        QCOMPARE(plot->ViewStart(), 0.0);
        QCOMPARE(plot->ViewEnd(), 1.0);
    }

    void cursorsReadTimesValuesAndTheirDifference() {
        CGraphonWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.OpenFile(Path("run.TXT")));
        QTest::keyClick(&window, Qt::Key_C);
        CPlotWidget* plot = window.Plot();
        QVERIFY(plot->CursorsShown());
        plot->SetCursorTime(0, 0.25);
        plot->SetCursorTime(1, 0.75);
        QTableWidget* readout = window.Readout();
        QTRY_COMPARE(readout->rowCount(), 3);
        QCOMPARE(readout->item(0, 3)->text(), QString("0.5"));
        // The ramp IP1 = 2 t: 0.5 and 1.5, 1 apart.
        QCOMPARE(readout->item(2, 1)->text(), QString("0.5"));
        QCOMPARE(readout->item(2, 3)->text(), QString("1"));
        // The keyboard moves the active cursor (2) one pixel to the right.
        QTest::keyClick(plot, Qt::Key_2);
        QTest::keyClick(plot, Qt::Key_Right, Qt::ControlModifier);
        QVERIFY(plot->CursorTime(1) > 0.75);
    }

    void exportsWriteAPictureADrawingAndTheVisibleData() {
        CGraphonWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.OpenFile(Path("run.TXT")));
        window.Plot()->SetTimeRange(0.1, 0.2);
        QVERIFY(window.ExportPng(Path("plot.png")));
        QVERIFY(!QImage(Path("plot.png")).isNull());
        QVERIFY(window.ExportSvg(Path("plot.svg")));
        QFile svg(Path("plot.svg"));
        QVERIFY(svg.open(QIODevice::ReadOnly));
        QVERIFY(svg.readAll().contains("<svg"));
        QVERIFY(window.ExportCsv(Path("data.csv")));
        QFile csv(Path("data.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = csv.readAll().split('\n');
        QCOMPARE(lines[0], QByteArray("Time [s],VP1 [V],IP1 [A]"));
        QCOMPARE(lines.size(), 1 + 101 + 1);  // header, rows 0.1 to 0.2, the final line end
        QVERIFY(lines[1].startsWith("0.1,"));
    }

    void aChangedFileIsReloadedAndADamagedOneNamesItsLine() {
        QVERIFY(WriteFile(Path("live.TXT"), Table(10)));
        CGraphonWindow window;
        window.show();
        QVERIFY(window.OpenFile(Path("live.TXT")));
        QSignalSpy loaded(&window, &CGraphonWindow::Loaded);
        QVERIFY(WriteFile(Path("live.TXT"), Table(20) + "1.5\t1\t1\n"));
        QVERIFY(loaded.wait(5000));
        QCOMPARE(window.Plot()->Data()->Rows(), size_t(1002));
        // A damaged table: one message with the file and the line; the old plot stays.
        QVERIFY(WriteFile(Path("live.TXT"), "Time [s]\tVP1 [V]\n0\t1\n1e-06\toops\n"));
        QTRY_VERIFY_WITH_TIMEOUT(!window.LastError().isEmpty(), 5000);
        QVERIFY(window.LastError().contains("live.TXT"));
        QVERIFY(window.LastError().contains("line 3: \"oops\" is not a number"));
        QCOMPARE(window.Plot()->Data()->Rows(), size_t(1002));
        // Put right, it loads again.
        QVERIFY(WriteFile(Path("live.TXT"), Table(5)));
        QTRY_VERIFY_WITH_TIMEOUT(window.LastError().isEmpty(), 5000);
        QCOMPARE(window.Plot()->Data()->Rows(), size_t(1001));
    }

    void theChannelNamesTheWindowAndOpensWhatItIsSent() {
        const QString name = m_folder.filePath("viewer.socket");
        CGraphonWindow window;
        CViewerServer server(name, [&window] { return window.windowTitle(); });
        QObject::connect(&server, &CViewerServer::OpenRequested, &window,
                         &CGraphonWindow::OpenFile);
        QVERIFY(server.Listen());
        QLocalSocket socket;
        socket.connectToServer(name);
        QVERIFY(socket.waitForConnected(2000));
        QTRY_VERIFY(socket.canReadLine());
        QCOMPARE(socket.readLine(), QByteArray("TITLE Graphon\n"));
        // A file name with a line feed travels escaped.
        const QString odd = m_folder.filePath("two\nlines.TXT");
        QVERIFY(WriteFile(odd, Table(1)));
        socket.write("OPEN " + odd.toUtf8().replace("\n", "\\n") + "\nRAISE\n");
        QTRY_COMPARE(window.FilePath(), odd);
        QVERIFY(window.LastError().isEmpty());
        // A second viewer (here a thread of its own) hands its file to this one.
        auto second = std::async(std::launch::async, [&] {
            return CViewerServer::HandToRunning(name, Path("run.TXT"));
        });
        QTRY_VERIFY(second.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
        QVERIFY(second.get());
        QTRY_COMPARE(window.windowTitle(), QString("Graphon - run.TXT"));
    }
};

QTEST_MAIN(GraphonWindowTest)
#include "graphon_window_test.moc"
