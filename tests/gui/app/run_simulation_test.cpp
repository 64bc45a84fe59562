// Run TARN and Run GRAPHON on real schematics: the top-level sheets of a subcircuit, the
// netlist written beside the chosen one, a stand-in engine and a stand-in viewer.
#include <QDir>
#include <QFile>
#include <QtTest>

#include "core/document/circuit.h"
#include "core/library/library_data.h"
#include "core/objects/sub_cir_part.h"
#include "gui/app/kestro_doc_template.h"
#include "gui/frames/main_frame.h"
#include "gui/platform/viewer_channel.h"
#include "tests/gui/support/gui_test_support.h"
#include "tests/gui/support/stand_in_viewer.h"

using namespace kestro;

class RunSimulationTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_root;
    QString m_program;  // with a space in its name
    QString m_sheets;   // likewise
    QString m_socket;
    int m_case = 0;

    // Sheet "leg.sch" used by two top-level sheets "left.sch" and "right.sch"; the leg's
    // window is the active one.
    CCircuit* OpenHierarchy(CTestApp& t) {
        CKestroDocTemplate& type = *t.app->DocTemplate();
        CCircuitDocumentManager& manager = type.Manager();
        const auto resistor = static_cast<uint16_t>(t.app->Library()->FindElementByName("R"));
        CCircuit* leg = t.app->NewDocument();
        leg->PlaceElement(resistor, {100, 100}, 0);
        if (!manager.SaveUnderName(*leg, (m_sheets + "/leg.sch").toStdString())) return nullptr;
        for (const char* name : {"left.sch", "right.sch"}) {
            CCircuit* top = t.app->NewDocument();
            top->PlaceElement(resistor, {300, 100}, 0);
            top->AddObject(CSubCirPart::Create(
                top->GetEnvironment(), manager.FindByPath(leg->GetPathName()), {100, 300}, 0));
            if (!manager.SaveUnderName(*top, (m_sheets + "/" + name).toStdString())) return nullptr;
        }
        t.app->OpenDocument(leg->GetPathName());  // its window comes to the front
        t.app->MainFrame()->activateWindow();
        if (!QTest::qWaitForWindowActive(t.app->MainFrame())) return nullptr;
        return leg;
    }

private slots:
    void initTestCase() {
        IsolateUserFolders();
        m_sheets = m_root.filePath("my sheets");
        QVERIFY(QDir().mkpath(m_sheets));
    }

    void init() {
        m_program = m_root.filePath(QString("program folder %1").arg(++m_case));
        QVERIFY(QDir().mkpath(m_program));
        m_socket = CLocalViewerChannel::DefaultSocketName() + "run" + QString::number(m_case);
        for (const char* name : {"left.CCT", "right.CCT"})
            QFile::remove(m_sheets + "/" + name);
    }

    void twoTopLevelSheetsAskWhichAndCancelWritesNothing() {
        QVERIFY(WriteScript(m_program + "/tarn", "touch \"$(dirname \"$0\")/ran\"\n"));
        CTestApp t = MakeTestApp((m_program + "/").toStdString(), m_socket);
        QVERIFY(t.app->Start());
        QVERIFY(OpenHierarchy(t));
        t.prompts->listChoices.push_back(std::nullopt);
        QTest::keyClick(t.app->MainFrame(), Qt::Key_F8);
        QCOMPARE(t.prompts->shown.back().kind, std::string("list"));
        QCOMPARE(t.prompts->shown.back().text, std::string("Run TARN"));
        QCOMPARE(t.prompts->listItems.back(),
                 (std::vector<std::string>{(m_sheets + "/left.sch").toStdString(),
                                           (m_sheets + "/right.sch").toStdString()}));
        QVERIFY(t.starter->requests.empty());
        QVERIFY(!QFile::exists(m_sheets + "/left.CCT"));
        QVERIFY(!QFile::exists(m_sheets + "/right.CCT"));
        QVERIFY(!QFile::exists(m_program + "/ran"));
        QCOMPARE(t.app->Launcher().LastNetlistPath(), std::string());
    }

    void theChosenSheetsNetlistGoesToTheEngineAsOneArgument() {
        QVERIFY(WriteScript(m_program + "/tarn",
                            "printf '%s\\n' \"$#\" \"$1\" > \"$(dirname \"$0\")/args.txt\"\n"));
        CTestApp t = MakeTestApp((m_program + "/").toStdString(), m_socket);
        QVERIFY(t.app->Start());
        QVERIFY(OpenHierarchy(t));
        t.prompts->listChoices.push_back(1);
        QTest::keyClick(t.app->MainFrame(), Qt::Key_F8);
        const QString netlist = m_sheets + "/right.CCT";
        QVERIFY(QFile::exists(netlist));
        QVERIFY(!QFile::exists(m_sheets + "/left.CCT"));
        // The subcircuit's element is in the flattened netlist.
        QVERIFY(ReadFile(netlist).contains("'S1.R1'"));
        QTRY_COMPARE(ReadFile(m_program + "/args.txt"), ("1\n" + netlist + "\n").toUtf8());
        QCOMPARE(t.app->Launcher().LastNetlistPath(), netlist.toStdString());
    }

    void runGraphonHandsTheRunningViewerTheResultFile() {
        QVERIFY(WriteScript(m_program + "/tarn", "exit 0\n"));
        QVERIFY(
            WriteScript(m_program + "/graphon", "touch \"$(dirname \"$0\")/viewer-started\"\n"));
        CStandInViewer viewer(m_socket, "Graphon waveforms");
        CTestApp t = MakeTestApp((m_program + "/").toStdString(), m_socket);
        QVERIFY(t.app->Start());
        CCircuit* leg = OpenHierarchy(t);
        QVERIFY(leg);
        t.prompts->listChoices.push_back(0);
        QTest::keyClick(t.app->MainFrame(), Qt::Key_F8);
        QTest::keyClick(t.app->MainFrame(), Qt::Key_F8, Qt::AltModifier);
        QTRY_COMPARE(viewer.Received(), "OPEN " + (m_sheets + "/left.TXT").toUtf8() + "\nRAISE\n");
        // Only the engine was started: the running viewer got the file.
        QCOMPARE(t.starter->requests.size(), size_t(1));
        QCOMPARE(t.starter->requests[0].program, (m_program + "/tarn").toStdString());
    }
};

QTEST_MAIN(RunSimulationTest)
#include "run_simulation_test.moc"
