// The complete command table: every menu item with its label, id and shown key, and every
// accelerator key routed to its command, driven through the real main window.
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

#include "gui/commands/command_ids.h"
#include "gui/commands/command_table.h"
#include "gui/frames/child_frame.h"
#include "gui/frames/lib_child_frame.h"
#include "gui/frames/main_frame.h"
#include "tests/gui/support/gui_test_support.h"

using namespace kestro;

namespace {

// One menu item as the user sees it: its pop-up path, id, label and shown key.
struct Row {
    QString path;
    int id;
    QString label;
    QString key;
};

bool operator==(const Row& a, const Row& b) {
    return a.path == b.path && a.id == b.id && a.label == b.label && a.key == b.key;
}

char* toString(const Row& r) {
    return QTest::toString(
        QStringLiteral("%1 | %2 | %3 | %4").arg(r.path).arg(r.id).arg(r.label, r.key));
}

const QString F = "&File", E = "&Edit", V = "&View", S = "&Subcircuit", M = "Si&mulate",
              O = "&Options", W = "&Window", H = "&Help", CB = "&Edit/Copy to Clip&board";

// Menu 129, in menu order.
QList<Row> SchematicRows() {
    return {{F, 57600, "&New", "Ctrl+N"},
            {F, 57601, "&Open...", "Ctrl+O"},
            {F, 57602, "&Close", ""},
            {F, 34053, "Close All", ""},
            {F, 57603, "&Save", "Ctrl+S"},
            {F, 57604, "Save &As...", ""},
            {F, 34052, "Save All", ""},
            {F, 34056, "&Export...", ""},
            {F, 57607, "&Print...", "Ctrl+P"},
            {F, 57609, "Print Pre&view", ""},
            {F, 34050, "Print Selected", ""},
            {F, 34051, "Print Selected Preview", ""},
            {F, 35021, "Print Black and White", ""},
            {F, 34054, "Print Page Setup", ""},
            {F, 57606, "P&rinter Setup...", ""},
            {F, 57616, "Recent File", ""},
            {F, 57665, "E&xit", ""},
            {E, 57643, "Undo Delete", "Ctrl+Z"},
            {E, 57644, "Redo", "Ctrl+Y"},
            {E, 57635, "C&ut", "Ctrl+X"},
            {E, 57634, "&Copy", "Ctrl+C"},
            {E, 57637, "&Paste", "Ctrl+V"},
            {E, 32777, "Select &All", ""},
            {CB, 32771, "Color", ""},
            {CB, 35019, "Black and White", "Ctrl+B"},
            {E, 33001, "&Text", "F9"},
            {E, 33000, "&Wire", ""},
            {E, 33002, "&Label", "F2"},
            {E, 32826, "Attributes", "F4"},
            {E, 32772, "&Rotate", ""},
            {E, 32773, "&Flip  L/R", ""},
            {E, 32774, "&Flip  T/B", ""},
            {E, 57636, "Find", "F3"},
            {E, 32775, "Find Next", "Alt+F3"},
            {E, 34102, "Edit Library", ""},
            {E, 32776, "Escape", ""},
            {V, 59393, "&Status Bar", ""},
            {V, 59392, "&Toolbar", ""},
            {V, 32829, "Element Toolbar", ""},
            {V, 32820, "Zoom &In", "+"},
            {V, 32821, "Zoom &Out", "-"},
            {V, 32823, "&Fit to Page", ""},
            {V, 32822, "Zoom in Selected", ""},
            {V, 32827, "List Elements", ""},
            {S, 34000, "&New Subcircuit", ""},
            {S, 34001, "&Load Subcircuit", ""},
            {S, 32826, "Edit Subcircuit", "F4"},
            {S, 34003, "&Place Port", ""},
            {S, 35020, "Display Ports", ""},
            {S, 35022, "Display Name", ""},
            {S, 34004, "Subcircuit List", "F5"},
            {S, 34006, "One Page Up", "Back Space"},
            {S, 34005, "Top Page", "Alt+F5"},
            {"E&lements", 33500, "E&lements", ""},
            {M, 34020, "Simulation Control", ""},
            {M, 34021, "Run TARN", "F8"},
            {M, 34022, "Run GRAPHON", "Ctrl+F8"},
            {O, 34200, "Settings...", ""},
            {O, 34201, "&Colors...", ""},  // no other way to the colours from the keyboard
            {O, 34202, "Auto-exit TARN", ""},
            {W, 57648, "&New Window", ""},
            {W, 57650, "&Cascade", ""},
            {W, 57651, "&Tile", ""},
            {W, 57649, "&Arrange Icons", ""},
            {H, 57670, "Index", "F1"},
            {H, 57664, "&About KESTRO...", ""}};
}

// Menu 128: the schematic menu without "Display Ports", "Display Name" and "E&lements",
// and with "Copy to Clip&board" as one item.
QList<Row> MainRows() {
    QList<Row> rows;
    for (const Row& r : SchematicRows()) {
        if (r.id == 35020 || r.id == 35022 || r.id == 33500 || r.id == 35019) continue;
        if (r.id == 32771)
            rows.append({E, 32771, "Copy to Clip&board", ""});
        else
            rows.append(r);
    }
    return rows;
}

QList<Row> LibraryRows() {
    const QString L = "&Library";
    return {{L, 57600, "&New Element", ""},
            {L, 57601, "&Open...", "Ctrl+O"},
            {L, 57602, "&Close", ""},
            {L, 34053, "Close All", ""},
            {L, 57604, "Save Element &As...", ""},
            {L, 57603, "&Save Library", "Ctrl+S"},
            {L, 34103, "Reload Library", ""},
            {L, 57665, "E&xit", ""},
            {E, 57643, "&Undo", "Ctrl+Z"},
            {E, 57644, "&Redo", "Ctrl+Y"},
            {E, 57635, "C&ut", "Ctrl+X"},
            {E, 57634, "&Copy", "Ctrl+C"},
            {E, 57637, "&Paste", "Ctrl+V"},
            {E, 33001, "&Text", "F9"},
            {E, 34123, "Change Library Fonts", ""},
            {E, 34124, "Reset Outputs", ""},
            {E, 34125, "Set Size", ""},
            {V, 59392, "&Toolbar", ""},
            {V, 59393, "&Status Bar", ""},
            {V, 32825, "Drawing Tools", ""},
            {V, 32824, "Menu Editor", ""},
            {V, 32820, "Zoom &in", "+"},
            {V, 32821, "Zoom &out", "-"},
            {V, 32826, "Attributes", "F4"},
            {W, 57650, "&Cascade", ""},
            {W, 57651, "&Tile", ""},
            {W, 57649, "&Arrange Icons", ""}};
}

void CollectRows(const QMenu* menu, const QString& path, QList<Row>& rows) {
    for (const QAction* a : menu->actions()) {
        if (a->isSeparator()) continue;
        if (a->menu()) {
            CollectRows(a->menu(), path + "/" + a->menu()->title(), rows);
            continue;
        }
        const QStringList parts = a->text().split('\t');
        QCOMPARE(a->objectName(), QStringLiteral("id%1").arg(CCommandTable::CommandId(a)));
        rows.append({path, CCommandTable::CommandId(a), parts.value(0), parts.value(1)});
    }
}

QList<Row> MenuBarRows(const QMenuBar* bar) {
    QList<Row> rows;
    for (const QAction* top : bar->actions()) {
        const QMenu* menu = top->menu();
        if (menu->actions().isEmpty() && CCommandTable::CommandId(top) != 0)
            rows.append({menu->title(), CCommandTable::CommandId(top), menu->title(), ""});
        else
            CollectRows(menu, menu->title(), rows);
    }
    return rows;
}

// One key and the command it must reach.
struct KeyRow {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int id;
};

QList<KeyRow> FrameKeys() {
    return {{Qt::Key_C, Qt::ControlModifier, 57634},
            {Qt::Key_Insert, Qt::ControlModifier, 57634},
            {Qt::Key_N, Qt::ControlModifier, 57600},
            {Qt::Key_O, Qt::ControlModifier, 57601},
            {Qt::Key_P, Qt::ControlModifier, 57607},
            {Qt::Key_S, Qt::ControlModifier, 57603},
            {Qt::Key_V, Qt::ControlModifier, 57637},
            {Qt::Key_Insert, Qt::ShiftModifier, 57637},
            {Qt::Key_X, Qt::ControlModifier, 57635},
            {Qt::Key_Delete, Qt::ShiftModifier, 57635},
            {Qt::Key_Z, Qt::ControlModifier, 57643},
            {Qt::Key_Y, Qt::ControlModifier, 57644},
            {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, 57644},
            {Qt::Key_Backspace, Qt::AltModifier, 57643},
            {Qt::Key_F1, Qt::NoModifier, 57670},
            {Qt::Key_F4, Qt::NoModifier, 32826},
            {Qt::Key_F6, Qt::NoModifier, 57680},
            {Qt::Key_F6, Qt::ShiftModifier, 57681},
            {Qt::Key_Tab, Qt::NoModifier, 32793},
            {Qt::Key_Backtab, Qt::ShiftModifier, 32794}};
}

// Table 129, plus the keys of table 128 that it does not have itself.
QList<KeyRow> SchematicKeys() {
    return {{Qt::Key_Plus, Qt::NoModifier, 32820},
            {Qt::Key_Plus, Qt::KeypadModifier, 32820},
            {Qt::Key_Minus, Qt::NoModifier, 32821},
            {Qt::Key_Minus, Qt::KeypadModifier, 32821},
            {Qt::Key_B, Qt::ControlModifier, 35019},
            {Qt::Key_C, Qt::ControlModifier, 57634},
            {Qt::Key_Insert, Qt::ControlModifier, 57634},
            {Qt::Key_N, Qt::ControlModifier, 57600},
            {Qt::Key_O, Qt::ControlModifier, 57601},
            {Qt::Key_P, Qt::ControlModifier, 57607},
            {Qt::Key_S, Qt::ControlModifier, 57603},
            {Qt::Key_V, Qt::ControlModifier, 57637},
            {Qt::Key_Insert, Qt::ShiftModifier, 57637},
            {Qt::Key_X, Qt::ControlModifier, 57635},
            {Qt::Key_Delete, Qt::ShiftModifier, 57635},
            {Qt::Key_Backspace, Qt::NoModifier, 34006},
            {Qt::Key_Escape, Qt::NoModifier, 32778},
            {Qt::Key_Up, Qt::NoModifier, 32781},
            {Qt::Key_Down, Qt::NoModifier, 32782},
            {Qt::Key_Right, Qt::NoModifier, 32783},
            {Qt::Key_Left, Qt::NoModifier, 32784},
            {Qt::Key_PageUp, Qt::NoModifier, 32785},
            {Qt::Key_PageDown, Qt::NoModifier, 32786},
            {Qt::Key_Home, Qt::NoModifier, 32787},
            {Qt::Key_End, Qt::NoModifier, 32788},
            {Qt::Key_PageUp, Qt::ControlModifier, 32789},
            {Qt::Key_PageDown, Qt::ControlModifier, 32790},
            {Qt::Key_Home, Qt::ControlModifier, 32791},
            {Qt::Key_End, Qt::ControlModifier, 32792},
            {Qt::Key_Tab, Qt::NoModifier, 32793},
            {Qt::Key_Backtab, Qt::ShiftModifier, 32794},
            {Qt::Key_F1, Qt::NoModifier, 57670},
            {Qt::Key_F2, Qt::NoModifier, 33002},
            {Qt::Key_F3, Qt::NoModifier, 32775},
            {Qt::Key_F3, Qt::AltModifier, 57636},
            {Qt::Key_F4, Qt::NoModifier, 32826},
            {Qt::Key_F5, Qt::NoModifier, 34004},
            {Qt::Key_F5, Qt::AltModifier, 34005},
            {Qt::Key_F6, Qt::NoModifier, 57680},
            {Qt::Key_F6, Qt::ShiftModifier, 57681},
            {Qt::Key_F8, Qt::NoModifier, 34021},
            {Qt::Key_F8, Qt::AltModifier, 34022},
            {Qt::Key_F9, Qt::NoModifier, 33001},
            // From table 128 only.
            {Qt::Key_Z, Qt::ControlModifier, 57643},
            {Qt::Key_Y, Qt::ControlModifier, 57644},
            {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, 57644},
            {Qt::Key_Backspace, Qt::AltModifier, 57643}};
}

// A view that takes every command and remembers which arrived.
class CRecordingPane : public QWidget, public CCommandTarget {
public:
    CRecordingPane() {
        setFocusPolicy(Qt::StrongFocus);
        Commands().AddRange(1, 65535, [this](int id) { received.append(id); });
    }
    QList<int> received;
};

}  // namespace

class CommandTableTest : public QObject {
    Q_OBJECT

private:
    CRecordingPane* m_pane = nullptr;

    std::unique_ptr<CMainFrame> MakeFrame(CCommandTarget* application = nullptr) {
        auto frame = std::make_unique<CMainFrame>(application);
        frame->show();
        frame->activateWindow();
        [&] { QVERIFY(QTest::qWaitForWindowActive(frame.get())); }();
        return frame;
    }

    QList<int> PressAll(QWidget* target, const QList<KeyRow>& keys, QList<int>& received) {
        QList<int> missed;
        for (const KeyRow& k : keys) {
            received.clear();
            QTest::keyClick(target, k.key, k.modifiers);
            if (received != QList<int>{k.id}) missed.append(k.id);
        }
        return missed;
    }

private slots:
    void initTestCase() { IsolateUserFolders(); }

    void everyMenuItemHasItsLabelIdAndShownKey() {
        CMainFrame frame;
        auto& table = frame.CommandTable();
        auto rowsOf = [&](int resource) {
            QMenuBar bar;
            for (QMenu* m : table.Menus(resource))
                bar.addMenu(m);
            return MenuBarRows(&bar);
        };
        QCOMPARE(rowsOf(kMenuSchematic), SchematicRows());
        QCOMPARE(rowsOf(kMenuMain), MainRows());
        QCOMPARE(rowsOf(kMenuLibrary), LibraryRows());
    }

    void topLevelMenusAreInOrder() {
        CMainFrame frame;
        QStringList titles;
        for (QMenu* m : frame.CommandTable().Menus(kMenuSchematic))
            titles << m->title();
        QCOMPARE(titles, QStringList({"&File", "&Edit", "&View", "&Subcircuit", "E&lements",
                                      "Si&mulate", "&Options", "&Window", "&Help"}));
    }

    void mainFrameKeysReachTheirCommands() {
        CRecordingPane application;  // with no window open the application gets the keys
        auto frame = MakeFrame(&application);
        QCOMPARE(frame->ActiveMenuResource(), kMenuMain);
        QCOMPARE(PressAll(frame.get(), FrameKeys(), application.received), QList<int>());
        // Keys of the schematic table do nothing here.
        application.received.clear();
        QTest::keyClick(frame.get(), Qt::Key_F8);
        QTest::keyClick(frame.get(), Qt::Key_F3);
        QCOMPARE(application.received, QList<int>());
    }

    void schematicKeysDecideOverTheShownKeys() {
        auto frame = MakeFrame();
        auto* pane = new CRecordingPane;
        frame->AddDocumentFrame(new CChildFrame(nullptr, [pane](CChildFrame&) { return pane; }));
        pane->setFocus();
        QCOMPARE(frame->ActiveMenuResource(), kMenuSchematic);
        QCOMPARE(PressAll(pane, SchematicKeys(), pane->received), QList<int>());
        // The menu says Ctrl+F8 for Run GRAPHON and F3 for Find: the keys do not.
        pane->received.clear();
        QTest::keyClick(pane, Qt::Key_F8, Qt::ControlModifier);
        QCOMPARE(pane->received, QList<int>());
    }

    void libraryKeysAreTheMainFramesKeys() {
        auto frame = MakeFrame();
        auto* pane = new CRecordingPane;
        frame->AddDocumentFrame(new CLibChildFrame(pane));
        pane->setFocus();
        QCOMPARE(frame->ActiveMenuResource(), kMenuLibrary);
        QCOMPARE(PressAll(pane, FrameKeys(), pane->received), QList<int>());
        pane->received.clear();
        QTest::keyClick(pane, Qt::Key_F9);  // shown in the menu, but no key of table 130
        QTest::keyClick(pane, Qt::Key_Plus);
        QCOMPARE(pane->received, QList<int>());
    }

    void routingAsksViewDocumentFrameMainFrameApplicationInTurn() {
        CCommandTarget document, application;
        class CPane : public QWidget, public CCommandTarget {
        public:
            explicit CPane(CCommandTarget* doc) : m_doc(doc) {}
            CCommandTarget* NextCommandTarget() const override { return m_doc; }
            CCommandTarget* m_doc;
        };
        auto frame = MakeFrame(&application);
        auto* pane = new CPane(&document);
        auto* child = new CChildFrame(nullptr, [pane](CChildFrame&) { return pane; });
        frame->AddDocumentFrame(child);

        constexpr int kId = 34020;
        QString who;
        application.Commands().Add(kId, [&] { who = "application"; });
        frame->Commands().Add(kId, [&] { who = "main frame"; });
        child->Commands().Add(kId, [&] { who = "child frame"; });
        document.Commands().Add(kId, [&] { who = "document"; });
        pane->Commands().Add(kId, [&] { who = "view"; });
        auto* action = frame->CommandTable().MenuAction(kMenuSchematic, kId);
        const std::vector<std::pair<QString, CCommandTarget*>> chain{{"view", pane},
                                                                     {"document", &document},
                                                                     {"child frame", child},
                                                                     {"main frame", frame.get()},
                                                                     {"application", &application}};
        for (const auto& [expected, target] : chain) {
            who.clear();
            frame->CommandTable().UpdateAll();  // as opening the menu would
            action->trigger();
            QCOMPARE(who, expected);
            target->Commands().Remove(kId);
        }
    }

    void theFirstHandlerDecidesEnabledAndACommandNobodyHandlesIsDisabled() {
        CCommandTarget application;
        auto frame = MakeFrame(&application);
        bool enabled = true;
        int runs = 0;
        application.Commands().Add(
            kIdSimulationControl, [&] { ++runs; }, [&](CCommandState& s) { s.enabled = enabled; });
        CCommandTable& table = frame->CommandTable();
        QAction* item = table.MenuAction(kMenuMain, kIdSimulationControl);

        QMenu* simulate = qobject_cast<QMenu*>(item->parent());
        simulate->popup(QPoint(10, 10));  // opening the menu updates its items
        QVERIFY(item->isEnabled());
        simulate->hide();
        enabled = false;
        simulate->popup(QPoint(10, 10));
        QVERIFY(!item->isEnabled());
        simulate->hide();
        item->trigger();  // a disabled command does not run, however it is reached
        QVERIFY(!table.Execute(kIdSimulationControl));
        QCOMPARE(runs, 0);

        application.Commands().Remove(kIdSimulationControl);
        table.UpdateAll();
        QVERIFY(!item->isEnabled());
    }

    void elementsPlaceholderIsReplacedByTheElementMenu() {
        auto frame = MakeFrame();
        frame->AddDocumentFrame(new CChildFrame);
        QAction* placeholder = frame->CommandTable().MenuAction(kMenuSchematic, kIdElementsMenu);
        QVERIFY(placeholder);
        QVERIFY(!placeholder->isEnabled());

        auto* elements = new QMenu("E&lements");
        elements->addAction("Resistor");
        frame->SetElementMenu(elements);
        QAction* replaced = frame->CommandTable().MenuAction(kMenuSchematic, kIdElementsMenu);
        QCOMPARE(replaced, elements->menuAction());
        QVERIFY(replaced->isEnabled());
        QVERIFY(frame->menuBar()->actions().contains(replaced));
        QVERIFY(!frame->menuBar()->actions().contains(placeholder));
    }
};

QTEST_MAIN(CommandTableTest)
#include "command_table_test.moc"
