// The "Elements" menu built from the library's menu tree, and the menu editor that
// rearranges that tree, driven with the mouse and the keyboard.
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "core/library/library_data.h"
#include "gui/attributes/kestro_attributes.h"
#include "gui/commands/command_ids.h"
#include "gui/commands/command_table.h"
#include "gui/dialogs/library_fonts_dialog.h"
#include "gui/frames/main_frame.h"
#include "gui/library_editor/element_menu.h"
#include "gui/library_editor/menu_tree.h"
#include "gui/library_editor/menu_tree_dialog.h"
#include "tests/gui/support/gui_test_support.h"

using namespace kestro;
using Kind = CMenuTree::Kind;

namespace {

QMenu* ElementsMenu(CKestroApp& app) {
    QAction* popup = app.MainFrame()->CommandTable().MenuAction(kMenuSchematic, kIdElementsMenu);
    return popup ? popup->menu() : nullptr;
}

QMenu* Submenu(QMenu* menu, const QString& title) {
    for (QAction* a : menu->actions())
        if (a->menu() && a->text() == title) return a->menu();
    return nullptr;
}

QAction* Entry(QMenu* menu, const QString& text) {
    for (QAction* a : menu->actions())
        if (a->text() == text) return a;
    return nullptr;
}

QTreeWidgetItem* Find(QTreeWidget& tree, const QString& text) {
    const auto found = tree.findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

// The editor opened as "Edit Library" opens it.
CMenuTreeDialog* OpenEditor(CKestroApp& app) {
    app.MainFrame()->CommandTable().Execute(kIdEditLibrary);
    return app.MenuEditor();
}

QPoint Centre(QTreeWidget& tree, QTreeWidgetItem* item) {
    return tree.visualItemRect(item).center();
}

// A drag with the left button from one item to another, Ctrl held at the release or not.
void Drag(QTreeWidget& tree, QTreeWidgetItem* from, QTreeWidgetItem* to, bool ctrl = false) {
    QWidget* viewport = tree.viewport();
    const QPoint start = Centre(tree, from);
    const QPoint end = Centre(tree, to);
    QTest::mousePress(viewport, Qt::LeftButton, {}, start);
    QTest::mouseMove(viewport, start + QPoint(0, 8));
    QTest::mouseMove(viewport, end);
    QTest::mouseRelease(viewport, Qt::LeftButton, ctrl ? Qt::ControlModifier : Qt::NoModifier, end);
}

// The field of an in-place label edit.
QLineEdit* LabelField(QTreeWidget& tree) {
    return tree.viewport()->findChild<QLineEdit*>();
}

QStringList Texts(QTreeWidgetItem* parent) {
    QStringList texts;
    for (int i = 0; i < parent->childCount(); ++i)
        texts << parent->child(i)->text(0);
    return texts;
}

}  // namespace

class MenuEditorTest : public QObject {
    Q_OBJECT

    CTestApp Started() {
        CTestApp t =
            MakeTestApp(m_folder.path().toStdString() + "/p" + std::to_string(++m_case) + "/");
        return t;
    }

    QTemporaryDir m_folder;
    int m_case = 0;

private slots:
    void initTestCase() { IsolateUserFolders(); }

    void init() { QVERIFY(QDir().mkpath(m_folder.filePath(QString("p%1").arg(m_case + 1)))); }

    void elementsMenuFollowsTheLibraryTree() {
        CTestApp t = Started();
        QVERIFY(t.app->Start());
        QMenu* menu = ElementsMenu(*t.app);
        QVERIFY(menu);
        QCOMPARE(menu->title(), QString("E&lements"));
        const std::vector<CMenuItem> items = t.app->Library()->GetMenus().GetItems();
        QCOMPARE(menu->actions().size(), qsizetype(items.size()));
        QAction* ground = menu->actions().first();
        QCOMPARE(ground->text(), QString("GND"));
        QCOMPARE(ground->objectName(), QString("id5000"));
        QMenu* passive = Submenu(menu, "Passive");
        QVERIFY(passive);
        QMenu* threePhase = Submenu(passive, "Three-phase");
        QVERIFY(threePhase);
        QVERIFY(passive->actions().at(4)->isSeparator());
        QAction* r = Entry(passive, "R");
        QCOMPARE(CCommandTable::CommandId(r), 5000 + t.app->Library()->FindElementByName("R"));
        // The prompt of an entry is its element's description, once its pop-up opens.
        menu->popup(QPoint(0, 0));
        passive->popup(QPoint(0, 0));
        QCOMPARE(r->statusTip(),
                 QString::fromStdString(t.app->Library()->GetElement(7)->GetDescription()));
        passive->hide();
        menu->hide();
    }

    void emptyLevelsHoldOneSeparatorAndTheMenuKeepsItsPlace() {
        CTestApp t = Started();
        QVERIFY(t.app->Start());
        CLibraryData& library = *t.app->Library();
        const QList<QMenu*>& menus = t.app->MainFrame()->CommandTable().Menus(kMenuSchematic);
        const qsizetype place = menus.indexOf(ElementsMenu(*t.app));
        QVERIFY(place > 0);
        library.GetMenus().SetItems({});
        RebuildElementsMenu(*t.app->MainFrame(), library);
        QMenu* empty = ElementsMenu(*t.app);
        QCOMPARE(menus.indexOf(empty), place);
        QCOMPARE(empty->title(), QString("E&lements"));
        QCOMPARE(empty->actions().size(), 1);
        QVERIFY(empty->actions().first()->isSeparator());
        library.GetMenus().SetItems({CMenuItem::Popup("Nothing"), CMenuItem::Element(7, "R")});
        RebuildElementsMenu(*t.app->MainFrame(), library);
        QMenu* nothing = Submenu(ElementsMenu(*t.app), "Nothing");
        QCOMPARE(nothing->actions().size(), 1);
        QVERIFY(nothing->actions().first()->isSeparator());
    }

    void editorTreeShowsPopupsEntriesAndSeparators() {
        CTestApp t = Started();
        QVERIFY(t.app->Start());
        CMenuTreeDialog* editor = OpenEditor(*t.app);
        QVERIFY(editor && editor->isVisible());
        CMenuTree& tree = *editor->Tree();
        QCOMPARE(tree.objectName(), QString("id1000"));
        QCOMPARE(editor->TreeItems(), t.app->Library()->GetMenus().GetItems());
        QTreeWidgetItem* passive = Find(tree, "Passive");
        QCOMPARE(CMenuTree::KindOf(passive), Kind::Popup);
        QCOMPARE(passive->child(4)->text(0), QString("__________"));
        QCOMPARE(CMenuTree::KindOf(passive->child(4)), Kind::Separator);
        QVERIFY(!passive->icon(0).isNull());
        // Every command of the editor can be chosen now.
        for (const int id : {kIdNewLibraryElement, kIdChangeLibraryFonts, kIdEditLabel, kIdEditPort})
            QVERIFY(editor->CommandAction(id)->isEnabled());
        QCOMPARE(editor->CommandAction(kIdLibraryTransfer)->text(),
                 QString("Transfer old version Library "));
        // Double click and Enter open and close pop-ups; Escape hides the editor.
        QVERIFY(!passive->isExpanded());
        QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, Centre(tree, passive));
        QVERIFY(passive->isExpanded());
        tree.setCurrentItem(passive);
        QTest::keyClick(&tree, Qt::Key_Return);
        QVERIFY(!passive->isExpanded());
        // "Menu Editor" shows and hides it, with its check mark.
        QTest::keyClick(&tree, Qt::Key_Escape);
        QVERIFY(!editor->isVisible());
        CCommandTable& table = t.app->MainFrame()->CommandTable();
        table.Execute(kIdMenuEditor);
        QVERIFY(editor->isVisible());
        table.UpdateAll();
        QVERIFY(table.MenuAction(kMenuLibrary, kIdMenuEditor)->isChecked());
        table.Execute(kIdMenuEditor);
        QVERIFY(!editor->isVisible());
    }

    void dropsFollowTheRulesAndNeverIntoTheDraggedItem() {
        CTestApp t = Started();
        QVERIFY(t.app->Start());
        CMenuTree& tree = *OpenEditor(*t.app)->Tree();
        QVERIFY(QTest::qWaitForWindowExposed(&tree));
        t.app->Library()->SetModified(false);
        QTreeWidgetItem* ground = Find(tree, "GND");
        QTreeWidgetItem* switches = Find(tree, "Switches");
        // Onto a pop-up: its first entry.
        Drag(tree, ground, switches);
        QCOMPARE(ground->parent(), switches);
        QCOMPARE(switches->indexOfChild(ground), 0);
        QCOMPARE(tree.currentItem(), ground);
        QVERIFY(t.app->Library()->IsModified());
        // Onto a pop-up with Ctrl: after it.
        QTreeWidgetItem* passive = Find(tree, "Passive");
        passive->setExpanded(false);
        Drag(tree, ground, passive, true);
        QCOMPARE(ground->parent(), nullptr);
        QCOMPARE(tree.indexOfTopLevelItem(ground), tree.indexOfTopLevelItem(passive) + 1);
        // Onto an entry: after it, in its pop-up.
        passive->setExpanded(true);
        QTreeWidgetItem* capacitor = Find(tree, "C");
        Drag(tree, ground, capacitor);
        QCOMPARE(ground->parent(), passive);
        QCOMPARE(passive->indexOfChild(ground), passive->indexOfChild(capacitor) + 1);
        // A pop-up into its own entries is refused with a beep; the open subtree moves whole.
        QTreeWidgetItem* threePhase = Find(tree, "Three-phase");
        threePhase->setExpanded(true);
        QSignalSpy beeps(&tree, &CMenuTree::Beeped);
        const QStringList before = Texts(passive);
        Drag(tree, passive, threePhase->child(0));
        QCOMPARE(beeps.count(), 1);
        QCOMPARE(Texts(passive), before);
        QCOMPARE(tree.currentItem(), passive);
        Drag(tree, threePhase, Find(tree, "Sources"));
        QCOMPARE(threePhase->parent(), Find(tree, "Sources"));
        QVERIFY(threePhase->isExpanded());
        QCOMPARE(threePhase->childCount(), 4);
        // The right button gives up a drag in progress.
        QTreeWidgetItem* resistor = Find(tree, "R");
        tree.scrollToItem(resistor);
        const QPoint start = Centre(tree, resistor);
        QTest::mousePress(tree.viewport(), Qt::LeftButton, {}, start);
        QTest::mouseMove(tree.viewport(), start + QPoint(0, 30));
        QVERIFY(tree.IsDragging());
        QTest::mousePress(tree.viewport(), Qt::RightButton, Qt::NoModifier, start + QPoint(0, 30));
        QVERIFY(!tree.IsDragging());
        QTest::mouseRelease(tree.viewport(), Qt::LeftButton, {}, Centre(tree, switches));
        QCOMPARE(resistor->parent(), passive);
    }

    void deletingFollowsTheRulesOfEachKind() {
        CTestApp t = Started();
        QVERIFY(t.app->Start());
        CLibraryData& library = *t.app->Library();
        CMenuTreeDialog* editor = OpenEditor(*t.app);
        CMenuTree& tree = *editor->Tree();
        // A pop-up: its entries go to the end of its level.
        QTreeWidgetItem* passive = Find(tree, "Passive");
        QTreeWidgetItem* transformers = Find(tree, "Transformers");
        const QStringList inside = Texts(transformers);
        const int before = passive->childCount();
        tree.setCurrentItem(transformers);
        QTest::keyClick(&tree, Qt::Key_Delete);
        QVERIFY(!Find(tree, "Transformers"));
        QCOMPARE(passive->childCount(), before - 1 + inside.size());
        QCOMPARE(Texts(passive).mid(passive->childCount() - inside.size()), inside);
        // A separator simply goes.
        tree.setCurrentItem(passive->child(4));
        QTest::keyClick(&tree, Qt::Key_Delete);
        QCOMPARE(passive->childCount(), before - 2 + inside.size());
        // The ground element (index 0) is never deleted, and nothing is asked.
        tree.setCurrentItem(Find(tree, "GND"));
        QTest::keyClick(&tree, Qt::Key_Delete);
        QVERIFY(Find(tree, "GND"));
        QVERIFY(t.prompts->shown.empty());
        // An element: asked first; No keeps it.
        QTreeWidgetItem* capacitor = Find(tree, "C");
        const int capacitorIndex = CMenuTree::ElementOf(capacitor);
        tree.setCurrentItem(capacitor);
        t.prompts->answers = {Answer::No};
        QTest::keyClick(&tree, Qt::Key_Delete);
        QCOMPARE(t.prompts->LastMessage(), std::string("Do you want to Delete 'C' ?"));
        QVERIFY(Find(tree, "C"));
        // Yes (twice for an element of the old library): the sheets close, the element
        // goes, and entries after it follow their new indices.
        const uint32_t count = library.GetElementCount();
        QTreeWidgetItem* after = Find(tree, "RL");
        const int afterIndex = CMenuTree::ElementOf(after);
        QVERIFY(afterIndex > capacitorIndex);
        t.app->NewDocument();
        const bool old = size_t(capacitorIndex) < library.GetOldNumbers().size();
        t.prompts->answers = {Answer::Yes, Answer::Yes};
        t.prompts->shown.clear();
        tree.setCurrentItem(capacitor);
        QTest::keyClick(&tree, Qt::Key_Delete);
        QCOMPARE(t.prompts->Messages().size(), size_t(old ? 2 : 1));
        if (old)
            QCOMPARE(t.prompts->Messages()[1],
                     std::string("This element is part of Kestro 2.0 Library.\nIf deleted old "
                                 "version files(Kestro 2.0) will not be fully loaded.\nDo you "
                                 "want to Delete 'C' ?"));
        QVERIFY(!Find(tree, "C"));
        QCOMPARE(library.GetElementCount(), count - 1);
        QCOMPARE(CMenuTree::ElementOf(after), afterIndex - 1);
        QCOMPARE(QString::fromStdString(library.GetElement(uint32_t(afterIndex - 1))->GetName()),
                 QString("RL"));
        QVERIFY(t.app->MainFrame()->DocumentFrames().isEmpty());
    }

    void contextMenuAndCommandsInsertAfterTheItem() {
        CTestApp t = Started();
        QVERIFY(t.app->Start());
        CMenuTreeDialog* editor = OpenEditor(*t.app);
        CMenuTree& tree = *editor->Tree();
        QVERIFY(QTest::qWaitForWindowExposed(&tree));
        QTreeWidgetItem* sources = Find(tree, "Sources");
        tree.setCurrentItem(Find(tree, "GND"));
        QContextMenuEvent event(QContextMenuEvent::Mouse, Centre(tree, sources),
                                tree.viewport()->mapToGlobal(Centre(tree, sources)));
        QApplication::sendEvent(tree.viewport(), &event);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QCOMPARE(tree.ContextItem(), sources);
        QCOMPARE(menu->actions().size(), 2);
        QCOMPARE(menu->actions().at(0)->text(), QString("Add New Popup Menu"));
        menu->actions().at(1)->trigger();
        menu->close();
        const int at = tree.indexOfTopLevelItem(sources);
        QCOMPARE(CMenuTree::KindOf(tree.topLevelItem(at + 1)), Kind::Separator);
        // "Add Popup Menu" of the editor's menu: after the selected item, ready to be named.
        tree.setCurrentItem(Find(tree, "R"));
        editor->CommandAction(kIdAddPopupMenu)->trigger();
        QTreeWidgetItem* popup = tree.currentItem();
        QCOMPARE(popup->text(0), QString("New Popup Menu"));
        QCOMPARE(popup->parent(), Find(tree, "Passive"));
        QCOMPARE(popup->parent()->indexOfChild(popup), 1);
        QTRY_VERIFY(tree.IsEditing());
        QWidget* editorField = LabelField(tree);
        QTest::keyClicks(editorField, "Filters");
        QTest::keyClick(editorField, Qt::Key_Return);
        QTRY_VERIFY(!tree.IsEditing());
        QCOMPARE(popup->text(0), QString("Filters"));
    }

    void onlyPopupLabelsAreEdited() {
        CTestApp t = Started();
        QVERIFY(t.app->Start());
        CMenuTree& tree = *OpenEditor(*t.app)->Tree();
        QVERIFY(QTest::qWaitForWindowExposed(&tree));
        QSignalSpy beeps(&tree, &CMenuTree::Beeped);
        tree.setFocus();
        tree.setCurrentItem(Find(tree, "GND"));
        QTest::keyClick(&tree, Qt::Key_F2);
        QVERIFY(!tree.IsEditing());
        QCOMPARE(beeps.count(), 1);
        t.app->Library()->SetModified(false);
        QTreeWidgetItem* switches = Find(tree, "Switches");
        tree.setCurrentItem(switches);
        QTest::keyClick(&tree, Qt::Key_F2);
        QTRY_VERIFY(tree.IsEditing());
        QWidget* field = LabelField(tree);
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClick(field, Qt::Key_Return);
        QTRY_VERIFY(!tree.IsEditing());
        QCOMPARE(switches->text(0), QString("Switches"));  // no text, no change
        QVERIFY(!t.app->Library()->IsModified());
        QTest::keyClick(&tree, Qt::Key_F2);
        QTRY_VERIFY(tree.IsEditing());
        field = LabelField(tree);
        QTest::keyClicks(field, "Power switches");
        QTest::keyClick(field, Qt::Key_Return);
        QTRY_VERIFY(!tree.IsEditing());
        QCOMPARE(switches->text(0), QString("Power switches"));
        QVERIFY(t.app->Library()->IsModified());
    }

    void savingStoresTheTreeAndRebuildsTheMenu() {
        CTestApp t = Started();
        QVERIFY(t.app->Start());
        CLibraryData& library = *t.app->Library();
        CMenuTreeDialog* editor = OpenEditor(*t.app);
        CMenuTree& tree = *editor->Tree();
        const QList<QMenu*>& menus = t.app->MainFrame()->CommandTable().Menus(kMenuSchematic);
        QMenu* old = ElementsMenu(*t.app);
        const qsizetype place = menus.indexOf(old);
        // A new pop-up left empty, and an element renamed in the library meanwhile.
        tree.setCurrentItem(Find(tree, "GND"));
        editor->AddPopupMenu();
        QTRY_VERIFY(LabelField(tree));
        QTest::keyClick(LabelField(tree), Qt::Key_Escape);
        const int resistor = library.FindElementByName("R");
        library.GetElement(uint32_t(resistor))->SetName("RES");
        editor->CommandAction(kIdSaveLibrary)->trigger();
        QVERIFY(!library.IsModified());
        QMenu* rebuilt = ElementsMenu(*t.app);
        QVERIFY(rebuilt != old);
        QCOMPARE(menus.indexOf(rebuilt), place);
        QCOMPARE(rebuilt->title(), QString("E&lements"));
        // The empty pop-up was stored as a separator.
        QVERIFY(rebuilt->actions().at(1)->isSeparator());
        QVERIFY(Entry(Submenu(rebuilt, "Passive"), "RES"));
        QCOMPARE(Find(tree, "RES"), tree.findItems("RES", Qt::MatchRecursive).first());
        // Read back from the file, the tree shows the separator.
        CTestApp again = MakeTestApp(t.app->ProgramFolder());
        QVERIFY(again.app->Start());
        CMenuTree& reread = *OpenEditor(*again.app)->Tree();
        QCOMPARE(reread.topLevelItem(1)->text(0), QString("__________"));
        QVERIFY(Find(reread, "RES"));
    }

    void attributesFollowTheSelectedElementAndF4() {
        CTestApp t = Started();
        QVERIFY(t.app->Start());
        CMenuTreeDialog* editor = OpenEditor(*t.app);
        QVERIFY(QTest::qWaitForWindowActive(editor));
        CMenuTree& tree = *editor->Tree();
        CKestroAttributes& window = *t.app->Attributes();
        tree.setFocus();
        tree.setCurrentItem(Find(tree, "GND"));
        QVERIFY(!window.isVisible());  // a hidden window is not turned to it
        QVERIFY(!window.LibraryElement());
        QTest::keyClick(&tree, Qt::Key_F4);
        QVERIFY(window.isVisible());
        QCOMPARE(window.CurrentPage(), window.PageOf(CKestroAttributes::Page::Library));
        QCOMPARE(window.windowTitle(), QString("GND"));
        QCOMPARE(window.LibraryElement(), t.app->Library()->GetElement(0));
        // While it is up, it follows the element chosen in the tree.
        Find(tree, "Passive")->setExpanded(true);
        tree.setCurrentItem(Find(tree, "R"));
        QCOMPARE(window.windowTitle(), QString("R"));
        // A pop-up leaves it as it is.
        tree.setCurrentItem(Find(tree, "Passive"));
        QCOMPARE(window.windowTitle(), QString("R"));
    }

    // The editor's tree belongs to the library about to be replaced: the transfer, chosen in
    // the editor itself, takes the editor away and clears the attribute window, even when
    // the user then cancels the file dialog.
    void transferFromTheEditorClosesTheLibraryWindows() {
        CTestApp t = Started();
        QVERIFY(t.app->Start());
        QPointer<CMenuTreeDialog> editor = OpenEditor(*t.app);
        CMenuTree& tree = *editor->Tree();
        tree.setCurrentItem(Find(tree, "GND"));
        QTest::keyClick(&tree, Qt::Key_F4);
        CKestroAttributes& window = *t.app->Attributes();
        QVERIFY(window.isVisible());
        QAction* transfer = editor->CommandAction(kIdLibraryTransfer);
        QVERIFY(transfer->isEnabled());
        transfer->trigger();  // no file chosen
        QCOMPARE(t.prompts->fileRequests.size(), size_t(1));
        QVERIFY(!t.app->MenuEditor());
        QVERIFY(!window.isVisible());
        QVERIFY(!window.LibraryElement());
        QTRY_VERIFY(!editor);
        // The next "Edit Library" makes a new one from the library's menu.
        CMenuTreeDialog* fresh = OpenEditor(*t.app);
        QVERIFY(fresh && fresh->isVisible());
        QCOMPARE(fresh->TreeItems(), t.app->Library()->GetMenus().GetItems());
    }

    // "Change Library Fonts" of the editor's own menu opens the fonts dialog; a font picked
    // there is the library's at once, and the library is then modified.
    void changeLibraryFontsFromTheEditor() {
        CTestApp t = Started();
        QVERIFY(t.app->Start());
        CLibraryData& library = *t.app->Library();
        library.SetModified(false);
        QFont picked(QStringLiteral("DejaVu Serif"));
        picked.setPointSize(14);
        t.app->SetFontChooser([&](const QFont&) { return std::optional<QFont>(picked); });
        CMenuTreeDialog* editor = OpenEditor(*t.app);
        QAction* fonts = editor->CommandAction(kIdChangeLibraryFonts);
        QVERIFY(fonts->isEnabled());
        QString firstButton;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<CLibraryFontsDlg*>(QApplication::activeModalWidget());
            if (!dialog) return;
            QTest::mouseClick(dialog->FontButton(2), Qt::LeftButton);
            firstButton = dialog->FontButton(2)->text();
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        fonts->trigger();
        QCOMPARE(firstButton, QString("DejaVu Serif, 140,  ,  "));
        QCOMPARE(library.GetFonts()[2].faceName, std::string("DejaVu Serif"));
        QVERIFY(library.IsModified());
    }
};

QTEST_MAIN(MenuEditorTest)
#include "menu_editor_test.moc"
