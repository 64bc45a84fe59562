// The menu editor's gestures as steps of the library's undo history: Ctrl+Z and Ctrl+Y in
// the editor, the names in its Edit menu, and one history shared with the library windows.
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

#include "core/document/circuit.h"
#include "core/library/lib_element.h"
#include "core/library/library_data.h"
#include "core/library/library_edit_step.h"
#include "core/library/library_history.h"
#include "gui/commands/command_ids.h"
#include "gui/commands/command_table.h"
#include "gui/frames/lib_child_frame.h"
#include "gui/frames/main_frame.h"
#include "gui/library_editor/library_windows.h"
#include "gui/library_editor/menu_tree.h"
#include "gui/library_editor/menu_tree_dialog.h"
#include "gui/library_editor/shape_doc.h"
#include "gui/library_editor/shape_view.h"
#include "tests/gui/support/gui_test_support.h"

using namespace kestro;
using Kind = CMenuTree::Kind;

namespace {

QTreeWidgetItem* Find(QTreeWidget& tree, const QString& text) {
    const auto found = tree.findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

QPoint Centre(QTreeWidget& tree, QTreeWidgetItem* item) {
    tree.scrollToItem(item);
    return tree.visualItemRect(item).center();
}

void Drag(QTreeWidget& tree, QTreeWidgetItem* from, QTreeWidgetItem* to) {
    QWidget* viewport = tree.viewport();
    const QPoint start = Centre(tree, from);
    QTest::mousePress(viewport, Qt::LeftButton, {}, start);
    QTest::mouseMove(viewport, start + QPoint(0, 8));
    const QPoint end = Centre(tree, to);
    QTest::mouseMove(viewport, end);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, end);
}

void Undo(QWidget& tree) {
    QTest::keyClick(&tree, Qt::Key_Z, Qt::ControlModifier);
}

void Redo(QWidget& tree) {
    QTest::keyClick(&tree, Qt::Key_Y, Qt::ControlModifier);
}

}  // namespace

class MenuEditorUndoTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    int m_case = 0;
    CTestApp m_t;
    CMenuTreeDialog* m_editor = nullptr;

    // A started editor, its library unmodified, with the menu editor open.
    CMenuTree& Open() {
        const std::string folder = m_folder.path().toStdString() + "/p" + std::to_string(++m_case);
        QDir().mkpath(QString::fromStdString(folder));
        m_t = MakeTestApp(folder + "/");
        if (!m_t.app->Start()) qFatal("editor did not start");
        m_t.app->MainFrame()->CommandTable().Execute(kIdEditLibrary);
        m_editor = m_t.app->MenuEditor();
        if (!m_editor || !QTest::qWaitForWindowExposed(m_editor)) qFatal("no menu editor");
        m_editor->activateWindow();
        Library().SetModified(false);
        Tree().setFocus();
        return Tree();
    }
    CMenuTree& Tree() { return *m_editor->Tree(); }
    CLibraryData& Library() { return *m_t.app->Library(); }
    CLibraryHistory& History() { return *m_t.app->LibraryHistory(); }
    std::vector<uint8_t> Menus() { return Library().GetMenus().GetBytes(); }
    QString ActionText(int id) {
        m_editor->UpdateUndoCommands();
        return m_editor->CommandAction(id)->text();
    }
    bool Enabled(int id) {
        m_editor->UpdateUndoCommands();
        return m_editor->CommandAction(id)->isEnabled();
    }

private slots:
    void initTestCase() { IsolateUserFolders(); }
    void cleanup() {
        m_editor = nullptr;
        m_t = CTestApp{};
    }

    // A drag, taken back with Ctrl+Z and brought again with Ctrl+Y (and Ctrl+Shift+Z): the
    // tree and the library's menus are what they were, byte for byte.
    void dragIsUndoneAndRedoneWithTheKeys() {
        CMenuTree& tree = Open();
        const std::vector<uint8_t> before = Menus();
        const std::vector<CMenuItem> items = m_editor->TreeItems();
        QCOMPARE(ActionText(kIdEditUndo), QString("Undo"));
        QVERIFY(!Enabled(kIdEditUndo));
        QVERIFY(!Enabled(kIdEditRedo));
        Drag(tree, Find(tree, "GND"), Find(tree, "Switches"));
        QCOMPARE(Find(tree, "GND")->parent(), Find(tree, "Switches"));
        // The menus follow the tree at once.
        const std::vector<uint8_t> after = Menus();
        QVERIFY(after != before);
        QCOMPARE(Library().GetMenus().GetItems(), m_editor->TreeItems());
        QCOMPARE(History().UndoCount(), size_t(1));
        QVERIFY(Library().IsModified());
        QCOMPARE(ActionText(kIdEditUndo), QString("Undo Move Entry"));
        QVERIFY(Enabled(kIdEditUndo));

        Undo(tree);
        QCOMPARE(Menus(), before);
        QCOMPARE(m_editor->TreeItems(), items);
        QCOMPARE(Find(tree, "GND")->parent(), nullptr);
        QCOMPARE(tree.currentItem(), Find(tree, "GND"));  // it follows the entry back
        QVERIFY(Find(tree, "Switches")->isExpanded());    // what was open stays open
        QVERIFY(!Library().IsModified());                 // back to the saved state
        QVERIFY(!Enabled(kIdEditUndo));
        QCOMPARE(ActionText(kIdEditRedo), QString("Redo Move Entry"));

        Redo(tree);
        QCOMPARE(Menus(), after);
        QCOMPARE(Find(tree, "GND")->parent(), Find(tree, "Switches"));
        QVERIFY(Library().IsModified());
        Undo(tree);
        QTest::keyClick(&tree, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(Menus(), after);
        // Nothing more to redo: the key changes nothing.
        Redo(tree);
        QCOMPARE(Menus(), after);
        QCOMPARE(History().UndoCount(), size_t(1));
    }

    // Each gesture is one step named after it; a drop that leaves the tree as it was and
    // an edit that leaves the label as it was record nothing.
    void eachGestureIsOneNamedStep() {
        CMenuTree& tree = Open();
        QStringList names;
        const auto step = [&] {
            names << QString::fromStdString(History().UndoName());
            return History().UndoCount();
        };
        QTreeWidgetItem* passive = Find(tree, "Passive");
        passive->setExpanded(true);
        // A drop onto the item before it puts it where it already is.
        QTreeWidgetItem* resistor = Find(tree, "R");
        Drag(tree, resistor, tree.itemAbove(resistor));
        QCOMPARE(History().UndoCount(), size_t(0));
        QVERIFY(!Library().IsModified());

        tree.setCurrentItem(Find(tree, "Transformers"));
        QTest::keyClick(&tree, Qt::Key_Delete);
        QCOMPARE(step(), size_t(1));
        tree.setCurrentItem(Find(tree, "GND"));
        m_editor->CommandAction(kIdAddSeparator)->trigger();
        QCOMPARE(step(), size_t(2));
        QTest::keyClick(&tree, Qt::Key_Delete);
        QCOMPARE(step(), size_t(3));
        m_editor->CommandAction(kIdAddPopupMenu)->trigger();
        QCOMPARE(step(), size_t(4));
        QTRY_VERIFY(tree.IsEditing());
        auto* field = tree.viewport()->findChild<QLineEdit*>();
        QTest::keyClicks(field, "Drives");
        QTest::keyClick(field, Qt::Key_Return);
        QTRY_VERIFY(!tree.IsEditing());
        QCOMPARE(step(), size_t(5));
        Drag(tree, Find(tree, "Switches"), Find(tree, "GND"));
        QCOMPARE(step(), size_t(6));
        QCOMPARE(names, (QStringList{"Delete Popup", "New Separator", "Delete Separator",
                                     "New Popup", "Rename Popup", "Move Popup"}));
        // Undone to the start, the tree shows the library as it was read.
        for (int i = 0; i < 6; ++i)
            Undo(tree);
        QVERIFY(!Find(tree, "Drives"));
        QCOMPARE(Find(tree, "Transformers")->parent(), Find(tree, "Passive"));
        QCOMPARE(Library().GetMenus().GetItems(), m_editor->TreeItems());
        QVERIFY(!Library().IsModified());
    }

    // Deleting an element takes its entries and the element itself in one step; Ctrl+Z
    // brings back the element where it was and its entries with their numbers.
    void deletedElementComesBackWhole() {
        CMenuTree& tree = Open();
        const uint32_t count = Library().GetElementCount();
        const int capacitor = CMenuTree::ElementOf(Find(tree, "C"));
        const std::vector<uint8_t> record = ElementRecordBytes(Library(), uint32_t(capacitor));
        const std::vector<uint8_t> before = Menus();
        const int after = CMenuTree::ElementOf(Find(tree, "RL"));
        m_t.prompts->answers = {Answer::Yes, Answer::Yes};
        tree.setCurrentItem(Find(tree, "C"));
        QTest::keyClick(&tree, Qt::Key_Delete);
        QCOMPARE(Library().GetElementCount(), count - 1);
        QVERIFY(!Find(tree, "C"));
        QCOMPARE(History().UndoCount(), size_t(1));
        QCOMPARE(ActionText(kIdEditUndo), QString("Undo Delete Element"));

        Undo(tree);
        QCOMPARE(Library().GetElementCount(), count);
        QCOMPARE(ElementRecordBytes(Library(), uint32_t(capacitor)), record);
        QCOMPARE(Menus(), before);
        QCOMPARE(CMenuTree::ElementOf(Find(tree, "C")), capacitor);
        QCOMPARE(CMenuTree::ElementOf(Find(tree, "RL")), after);
        Redo(tree);
        QCOMPARE(Library().GetElementCount(), count - 1);
        QCOMPARE(CMenuTree::ElementOf(Find(tree, "RL")), after - 1);
    }

    // Undoing a deletion moves the elements after it up again: a sheet placing one of them
    // closes first (with its save question, whose Cancel keeps the step); one placing
    // only elements before it stays open.
    void sheetsPlacingMovedElementsCloseBeforeAnUndo() {
        CMenuTree& tree = Open();
        const uint32_t count = Library().GetElementCount();
        const uint16_t ground = uint16_t(Library().FindElementByName("GND"));
        m_t.prompts->answers = {Answer::Yes, Answer::Yes};
        tree.setCurrentItem(Find(tree, "C"));
        QTest::keyClick(&tree, Qt::Key_Delete);
        QCOMPARE(Library().GetElementCount(), count - 1);
        CCircuit* before = m_t.app->NewDocument();
        before->PlaceElement(ground, {60, 60}, 0);
        Undo(tree);
        QCOMPARE(Library().GetElementCount(), count);
        QCOMPARE(m_t.app->MainFrame()->DocumentFrames().size(), qsizetype(1));
        Redo(tree);
        QCOMPARE(Library().GetElementCount(), count - 1);
        CCircuit* after = m_t.app->NewDocument();
        after->PlaceElement(uint16_t(Library().FindElementByName("RL")), {60, 60}, 0);
        m_t.prompts->answers = {Answer::Cancel};
        Undo(tree);
        QCOMPARE(Library().GetElementCount(), count - 1);
        QCOMPARE(m_t.app->MainFrame()->DocumentFrames().size(), qsizetype(2));
        QCOMPARE(History().RedoCount(), size_t(0));
        m_t.prompts->answers = {Answer::No, Answer::No};
        Undo(tree);
        QCOMPARE(Library().GetElementCount(), count);
        QVERIFY(m_t.app->MainFrame()->DocumentFrames().isEmpty());
    }

    // Saving stores an empty pop-up as a separator, but the tree keeps showing the pop-up;
    // the next step starts from the tree, so undoing it brings back the pop-up.
    void undoAfterASaveKeepsWhatTheTreeShowed() {
        CMenuTree& tree = Open();
        tree.setCurrentItem(Find(tree, "GND"));
        m_editor->AddPopupMenu();
        QTRY_VERIFY(tree.IsEditing());
        QTest::keyClick(tree.viewport()->findChild<QLineEdit*>(), Qt::Key_Escape);
        QTRY_VERIFY(!tree.IsEditing());
        m_editor->CommandAction(kIdSaveLibrary)->trigger();
        QVERIFY(!Library().IsModified());
        QCOMPARE(Library().GetMenus().GetItems().at(1), CMenuItem::Separator());
        Drag(tree, Find(tree, "Sources"), Find(tree, "GND"));
        Undo(tree);
        QTreeWidgetItem* popup = tree.topLevelItem(1);
        QCOMPARE(popup->text(0), QString("New Popup Menu"));
        QCOMPARE(CMenuTree::KindOf(popup), Kind::Popup);
        Undo(tree);  // the new pop-up itself
        QVERIFY(!Find(tree, "New Popup Menu"));
    }

    // One history for the library windows and the menu editor: a symbol change undone in
    // the editor, a tree change undone in a library window.
    void historyIsSharedWithTheLibraryWindows() {
        CMenuTree& tree = Open();
        m_t.app->MainFrame()->resize(900, 700);
        m_t.app->MainFrame()->show();
        const uint32_t id = uint32_t(Library().FindElementByName("R"));
        QVERIFY(m_t.app->OpenLibraryElement(id));
        CLibChildFrame* frame = m_t.app->LibraryWindows()->Frames().last();
        CShapeView& view = *CLibraryWindows::ViewOf(frame);
        const std::vector<uint8_t> symbol = ElementRecordBytes(Library(), id);
        view.SetTool(kIdToolLine);
        QWidget* port = view.viewport();
        const QPoint from = port->rect().center();
        QTest::mousePress(port, Qt::LeftButton, {}, from);
        QTest::mouseMove(port, from + QPoint(20, 0));
        QTest::mouseMove(port, from + QPoint(60, 0));
        QTest::mouseRelease(port, Qt::LeftButton, {}, from + QPoint(60, 0));
        QVERIFY(ElementRecordBytes(Library(), id) != symbol);
        QCOMPARE(ActionText(kIdEditUndo), QString("Undo Add Line"));
        Undo(tree);
        QCOMPARE(ElementRecordBytes(Library(), id), symbol);
        QCOMPARE(&view.Document().Element(), Library().GetElement(id));

        // A move in the tree, undone by the library window's Edit menu.
        const std::vector<uint8_t> menus = Menus();
        Drag(tree, Find(tree, "GND"), Find(tree, "Switches"));
        m_t.app->MainFrame()->MdiArea()->setActiveSubWindow(frame);
        CCommandTable& table = m_t.app->MainFrame()->CommandTable();
        table.UpdateAll();
        QCOMPARE(m_t.app->MainFrame()->Router().Query(kIdEditUndo).text.value_or(std::string()),
                 std::string("Undo Move Entry"));
        QVERIFY(table.Execute(kIdEditUndo));
        QCOMPARE(Menus(), menus);
        QCOMPARE(Find(tree, "GND")->parent(), nullptr);
        QCOMPARE(ActionText(kIdEditRedo), QString("Redo Move Entry"));
    }

    // An undo from a library window rebuilds the tree under a drag in progress: the drag
    // ends and letting go of the button moves nothing.
    void rebuildEndsADragInProgress() {
        CMenuTree& tree = Open();
        QVERIFY(m_t.app->OpenLibraryElement(uint32_t(Library().FindElementByName("R"))));
        CLibChildFrame* frame = m_t.app->LibraryWindows()->Frames().last();
        Drag(tree, Find(tree, "GND"), Find(tree, "Switches"));
        QWidget* viewport = tree.viewport();
        const QPoint start = Centre(tree, Find(tree, "Sources"));
        QTest::mousePress(viewport, Qt::LeftButton, {}, start);
        QTest::mouseMove(viewport, start + QPoint(0, 30));
        QVERIFY(tree.IsDragging());
        Undo(tree);  // refused while the drag runs
        QCOMPARE(History().UndoCount(), size_t(1));
        m_t.app->MainFrame()->MdiArea()->setActiveSubWindow(frame);
        QVERIFY(m_t.app->MainFrame()->CommandTable().Execute(kIdEditUndo));
        QCOMPARE(History().UndoCount(), size_t(0));
        QVERIFY(!tree.IsDragging());
        const std::vector<uint8_t> menus = Menus();
        QTest::mouseMove(viewport, start + QPoint(0, 40));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, start + QPoint(0, 40));
        QCOMPARE(Menus(), menus);
        QCOMPARE(History().RedoCount(), size_t(1));
    }
};

QTEST_MAIN(MenuEditorUndoTest)
#include "menu_editor_undo_test.moc"
