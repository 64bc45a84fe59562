#include <QMenuBar>
#include <QtTest>

#include "gui/views/main_frame.h"

using namespace kestro;

class MainFrameTest : public QObject {
    Q_OBJECT
private slots:
    void opensTitledWithFileAndHelpMenus() {
        CMainFrame frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QCOMPARE(frame.windowTitle(), QString("Kestro"));
        QStringList menus;
        for (QAction* a : frame.menuBar()->actions())
            menus << a->text();
        QVERIFY(menus.contains("&File"));
        QVERIFY(menus.contains("&Help"));
    }
};

QTEST_MAIN(MainFrameTest)
#include "main_frame_test.moc"
