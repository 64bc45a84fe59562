// Working on a subcircuit from its parents' windows: a sheet used by two open parents is
// opened by a double click, edited and saved, and both parents (and their netlists) have
// the change; an instance whose file turned up elsewhere or under another name is named
// after the file it uses now.
#include <QDir>
#include <QFile>
#include <QtTest>

#include "core/document/circuit.h"
#include "core/netlist/netlist_writer.h"
#include "core/objects/sub_cir_part.h"
#include "core/platform/path.h"
#include "gui/app/kestro_doc_template.h"
#include "gui/commands/command_ids.h"
#include "gui/views/kestro_view.h"
#include "tests/gui/support/editor_fixture.h"
#include "tests/gui/support/gui_test_support.h"

using namespace kestro;

namespace {

int CountLines(const std::string& netlist, const std::string& start) {
    int count = 0;
    for (size_t at = netlist.find(start); at != std::string::npos; at = netlist.find(start, at + 1))
        count += at == 0 || netlist[at - 1] == '\n';
    return count;
}

std::string Netlist(CCircuit& top) {
    return CNetlistWriter(false).Build(top);
}

// The sheet `sub` is written to `dir`/sub.sch with a resistor and a port; the parents
// a.sch and b.sch each place it once. Everything is then closed, as after a restart.
struct CFamily {
    CEditorFixture f;
    QTemporaryDir dir;

    QString Path(const char* name) const { return dir.filePath(name); }
    CCircuitDocumentManager& Manager() { return f.t.app->DocTemplate()->Manager(); }

    bool Make() {
        if (!f.Open() || !dir.isValid()) return false;
        if (!f.Place("R", {100, 100})) return false;
        f.Command(kIdPlacePort);
        f.Click({200, 100});
        f.Key(Qt::Key_Escape);
        std::shared_ptr<CCircuit> sub;
        for (const auto& open : Manager().Documents())
            if (open.get() == f.sheet) sub = open;
        if (!sub || !Manager().SaveUnderName(*sub, Path("sub.sch").toStdString())) return false;
        for (const char* name : {"a.sch", "b.sch"}) {
            CCircuit* parent = f.t.app->NewDocument();
            if (!parent->AddObject(
                    CSubCirPart::Create(parent->GetEnvironment(), sub, {200, 200}, 0)))
                return false;
            if (!Manager().SaveUnderName(*parent, Path(name).toStdString())) return false;
        }
        return f.t.app->CloseAllDocuments();
    }

    // Makes the window of `sheet` the one the fixture drives.
    void Drive(CCircuit& sheet) {
        f.t.app->DocTemplate()->ShowDocument(sheet);
        f.sheet = f.t.app->ActiveCircuit();
        f.view = f.t.app->ActiveSchematicView();
        f.view->SetZoom(1.0, CPointF{0, 0}, false);
        f.view->setFocus();
    }

    void DoubleClick(const CPart& part) {
        const QPoint at = f.view->ToWindow(part.GetBounds().Center());
        f.Click(at);
        QTest::mouseDClick(f.Window(), Qt::LeftButton, {}, at);
    }
};

}  // namespace

class SubcircuitEditingTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { IsolateUserFolders(); }

    void savedSubcircuitReachesEveryOpenParentAndItsNetlist() {
        CFamily h;
        QVERIFY(h.Make());
        CCircuit* a = h.f.t.app->OpenDocument(h.Path("a.sch").toStdString());
        CCircuit* b = h.f.t.app->OpenDocument(h.Path("b.sch").toStdString());
        QVERIFY(a && b);
        CSubCirPart& inA = *a->GetInstances().at(0);
        CSubCirPart& inB = *b->GetInstances().at(0);
        CCircuit* sub = inA.GetSheet();
        QCOMPARE(inB.GetSheet(), sub);  // one sheet behind both parents, without a window
        QVERIFY(!h.Manager().HasWindow(*sub));
        QCOMPARE(CountLines(Netlist(*a), "'R' 'S1."), 1);

        // A double click on the block opens the sheet in its own window.
        h.Drive(*a);
        h.DoubleClick(inA);
        QTRY_COMPARE(h.f.t.app->ActiveCircuit(), sub);
        h.Drive(*sub);
        // Another resistor, and a smaller block: 8 pins instead of 20.
        QVERIFY(h.f.Place("R", {300, 200}));
        QVERIFY(h.Manager().ResizeSymbolBox(*sub, 40, 20));
        QVERIFY(sub->IsModified());
        h.f.Key(Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!sub->IsModified());

        for (CCircuit* parent : {a, b}) {
            const CSubCirPart& instance = *parent->GetInstances().at(0);
            QCOMPARE(instance.GetTerminalCount(), size_t(8));
            QCOMPARE(instance.GetBounds().Width(), 40.0f);
            QCOMPARE(CountLines(Netlist(*parent), "'R' 'S1."), 2);
        }
        // The file has it too: a parent opened afresh reads the new sheet.
        QVERIFY(h.f.t.app->CloseAllDocuments());
        CCircuit* again = h.f.t.app->OpenDocument(h.Path("b.sch").toStdString());
        QVERIFY(again);
        QCOMPARE(again->GetInstances().at(0)->GetTerminalCount(), size_t(8));
        QCOMPARE(CountLines(Netlist(*again), "'R' 'S1."), 2);
    }

    void instanceIsNamedAfterTheFileFoundElsewhere() {
        CFamily h;
        QVERIFY(h.Make());
        QVERIFY(QDir(h.dir.path()).mkpath("moved/deep"));
        QVERIFY(QFile::rename(h.Path("sub.sch"), h.Path("moved/deep/sub.sch")));
        CSubcircuitSearch& search = h.Manager().GetSearch();
        search.SetMountTable({{h.dir.path().toStdString(), "ext4"}});
        search.SetLastOpened(h.Path("a.sch").toStdString());
        CCircuit* a = h.f.t.app->OpenDocument(h.Path("a.sch").toStdString());
        QVERIFY(a);
        const CSubCirPart& instance = *a->GetInstances().at(0);
        const std::string found = CanonicalPath(h.Path("moved/deep/sub.sch").toStdString());
        QCOMPARE(instance.GetSheet()->GetPathName(), found);
        QCOMPARE(instance.GetPath(), found);
        QCOMPARE(instance.GetName(), std::string("sub"));
        // Saved, the parent stores where the file is now.
        h.Drive(*a);
        h.f.Key(Qt::Key_S, Qt::ControlModifier);
        QVERIFY(ReadFile(h.Path("a.sch")).contains(QByteArray::fromStdString(found)));
    }

    void instanceIsNamedAfterTheFilePickedInFindSubcircuit() {
        CFamily h;
        QVERIFY(h.Make());
        QVERIFY(QFile::rename(h.Path("sub.sch"), h.Path("renamed.sch")));
        h.Manager().SetFullSearchEnabled(false);
        h.f.t.prompts->fileNames.push_back(h.Path("renamed.sch").toStdString());
        CCircuit* b = h.f.t.app->OpenDocument(h.Path("b.sch").toStdString());
        QVERIFY(b);
        QCOMPARE(h.f.t.prompts->fileRequests.size(), size_t(1));
        QCOMPARE(h.f.t.prompts->fileRequests[0].title, std::string("Find Subcircuit"));
        const CSubCirPart& instance = *b->GetInstances().at(0);
        QCOMPARE(instance.GetName(), std::string("renamed"));
        QCOMPARE(instance.GetPath(), CanonicalPath(h.Path("renamed.sch").toStdString()));
        h.Drive(*b);
        h.f.Key(Qt::Key_S, Qt::ControlModifier);
        QVERIFY(ReadFile(h.Path("b.sch")).contains("renamed.sch"));
        QVERIFY(!ReadFile(h.Path("b.sch")).contains("sub.sch"));
    }
};

QTEST_MAIN(SubcircuitEditingTest)
#include "subcircuit_editing_test.moc"
