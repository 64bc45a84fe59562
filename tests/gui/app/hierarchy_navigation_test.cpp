// Going up and down a hierarchy of open sheets from the keyboard: One Page Up, Top Page and
// the Subcircuit List, with their enable rules and the choice between several sheets.
#include <QTreeWidget>
#include <QtTest>

#include "core/document/circuit.h"
#include "core/objects/sub_cir_part.h"
#include "gui/app/kestro_doc_template.h"
#include "gui/commands/command_ids.h"
#include "gui/commands/command_table.h"
#include "gui/dialogs/subcircuit_tree_dialog.h"
#include "gui/frames/child_frame.h"
#include "gui/frames/main_frame.h"
#include "tests/gui/support/gui_test_support.h"

using namespace kestro;

namespace {

// Top sheets A and B both place the middle sheet M; M places the leaf L. Each has a window.
struct CHierarchy {
    CTestApp t = MakeTestApp();
    CCircuit* a = nullptr;
    CCircuit* b = nullptr;
    CCircuit* m = nullptr;
    CCircuit* l = nullptr;

    bool Make() {
        if (!t.app->Start()) return false;
        a = t.app->NewDocument();
        b = t.app->NewDocument();
        m = t.app->NewDocument();
        l = t.app->NewDocument();
        if (!Place(*m, *l) || !Place(*a, *m) || !Place(*b, *m)) return false;
        // Keys reach the commands of the active window only.
        t.app->MainFrame()->activateWindow();
        return QTest::qWaitForWindowActive(t.app->MainFrame());
    }
    bool Place(CCircuit& on, CCircuit& sheet) {
        std::shared_ptr<CCircuit> shared;
        for (const auto& open : Manager().Documents())
            if (open.get() == &sheet) shared = open;
        return on.AddObject(CSubCirPart::Create(on.GetEnvironment(), shared, {100, 100}, 0));
    }
    CCircuitDocumentManager& Manager() { return t.app->DocTemplate()->Manager(); }
    void Activate(CCircuit& sheet) { t.app->DocTemplate()->ShowDocument(sheet); }
    CCircuit* Active() const { return t.app->ActiveCircuit(); }
    bool Enabled(int id) {
        QAction* item = t.app->MainFrame()->CommandTable().MenuAction(kMenuSchematic, id);
        t.app->MainFrame()->CommandTable().UpdateAll();
        return item && item->isEnabled();
    }
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(t.app->MainFrame(), key, modifiers);
    }
};

}  // namespace

class HierarchyNavigationTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { IsolateUserFolders(); }

    void onePageUpGoesStraightToTheOnlyParentAndAsksBetweenTwo() {
        CHierarchy h;
        QVERIFY(h.Make());
        h.Activate(*h.l);
        QCOMPARE(h.Active(), h.l);
        QVERIFY(h.Enabled(kIdOnePageUp));
        h.Press(Qt::Key_Backspace);
        QCOMPARE(h.Active(), h.m);
        QVERIFY(h.t.prompts->shown.empty());  // one parent: no list

        h.t.prompts->listChoices = {std::nullopt};
        h.Press(Qt::Key_Backspace);
        QCOMPARE(h.Active(), h.m);  // cancelled: stays
        QVERIFY(!h.t.prompts->shown.empty());
        QCOMPARE(h.t.prompts->shown.back().kind, std::string("list"));
        QCOMPARE(h.t.prompts->shown.back().text, std::string("Parent Circuits"));
        QCOMPARE(h.t.prompts->listItems.back(),
                 (std::vector<std::string>{h.a->GetTitle(), h.b->GetTitle()}));

        h.t.prompts->listChoices = {1};
        h.Press(Qt::Key_Backspace);
        QCOMPARE(h.Active(), h.b);
        QVERIFY(!h.Enabled(kIdOnePageUp));  // a top sheet has nowhere to go up
        QVERIFY(!h.Enabled(kIdTopPage));
        QVERIFY(h.Enabled(kIdSubcircuitList));
    }

    void topPageListsTheTopSheetsAboveTheLeaf() {
        CHierarchy h;
        QVERIFY(h.Make());
        h.Activate(*h.l);
        QVERIFY(h.Enabled(kIdTopPage));
        h.t.prompts->listChoices = {std::nullopt, 0};
        h.Press(Qt::Key_F5, Qt::AltModifier);
        QCOMPARE(h.Active(), h.l);
        QVERIFY(!h.t.prompts->shown.empty());
        QCOMPARE(h.t.prompts->shown.back().text, std::string("Top Page"));
        h.Press(Qt::Key_F5, Qt::AltModifier);
        QCOMPARE(h.Active(), h.a);
    }

    void aParentWithoutAWindowGetsOne() {
        CHierarchy h;
        QVERIFY(h.Make());
        h.Activate(*h.m);
        h.t.app->MainFrame()->ActiveDocumentFrame()->close();
        QTRY_VERIFY(h.t.app->DocTemplate()->FramesOf(*h.m).isEmpty());
        QVERIFY(h.t.app->DocTemplate()->FrameDocument(*h.m) == nullptr);
        QVERIFY(h.m->GetParents().size() == 2);  // still loaded: A and B use it
        h.Activate(*h.l);
        h.Press(Qt::Key_Backspace);
        QCOMPARE(h.Active(), h.m);
        QCOMPARE(h.t.app->DocTemplate()->FramesOf(*h.m).size(), 1);
    }

    void subcircuitListShowsEachTopSheetWithItsSubtreeAndGoesToTheChosenOne() {
        CHierarchy h;
        QVERIFY(h.Make());
        h.Activate(*h.b);
        QStringList shown;
        int topCount = -1;
        QString selected;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<CSubcircuitTreeDlg*>(QApplication::activeModalWidget());
            if (!dialog) return;
            QTreeWidget* tree = dialog->Tree();
            topCount = tree->topLevelItemCount();
            selected = tree->currentItem() ? tree->currentItem()->text(0) : QString();
            for (QTreeWidgetItemIterator it(tree); *it; ++it)
                shown << QString((*it)->parent() ? ">" : "") + (*it)->text(0);
            // Down to B's leaf with the keyboard: B, M, L.
            QTest::keyClick(tree, Qt::Key_Down);
            QTest::keyClick(tree, Qt::Key_Down);
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        h.Press(Qt::Key_F5);
        const QString A = QString::fromStdString(h.a->GetTitle());
        const QString B = QString::fromStdString(h.b->GetTitle());
        const QString M = ">" + QString::fromStdString(h.m->GetTitle());
        const QString L = ">" + QString::fromStdString(h.l->GetTitle());
        QCOMPARE(topCount, 2);
        QCOMPARE(shown, (QStringList{A, M, L, B, M, L}));
        QCOMPARE(selected, B);
        QCOMPARE(h.Active(), h.l);
    }

    void cancelledSubcircuitListStaysPut() {
        CHierarchy h;
        QVERIFY(h.Make());
        h.Activate(*h.m);
        QTimer::singleShot(0, [] {
            if (QWidget* dialog = QApplication::activeModalWidget())
                QTest::keyClick(dialog, Qt::Key_Escape);
        });
        h.Press(Qt::Key_F5);
        QCOMPARE(h.Active(), h.m);
    }
};

QTEST_MAIN(HierarchyNavigationTest)
#include "hierarchy_navigation_test.moc"
