// The main window: toolbars and which are shown when, the status pane, the schematic
// window's splitter and its closing rules, and pictures of it all.
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QtTest>

#include "core/library/library_data.h"
#include "core/library/sh_line.h"
#include "core/platform/scripted_prompts.h"
#include "gui/commands/command_ids.h"
#include "gui/commands/command_table.h"
#include "gui/frames/child_frame.h"
#include "gui/frames/frame_document.h"
#include "gui/frames/lib_child_frame.h"
#include "gui/frames/main_frame.h"
#include "gui/resources/button_images.h"
#include "gui/resources/element_button_images.h"
#include "gui/resources/string_table.h"
#include "tests/gui/support/gui_test_support.h"

using namespace kestro;

namespace {

// A document that records what its windows ask of it.
class CFakeDocument : public CFrameDocument {
public:
    QString Title() const override { return "buck.sch"; }
    bool SaveModified() override {
        ++savePrompts;
        return allowClose;
    }
    bool StaysLoadedWithoutWindows() const override { return hasParent; }
    void CloseDocument() override {
        ++closed;
        for (CChildFrame* f : frames)
            f->Destroy();
    }
    bool allowClose = true;
    bool hasParent = false;
    int savePrompts = 0;
    int closed = 0;
    QList<QPointer<CChildFrame>> frames;
};

QList<int> ButtonIds(const QToolBar* bar) {
    QList<int> ids;
    for (const QAction* a : bar->actions())
        ids << (a->isSeparator() ? 0 : CCommandTable::CommandId(a));
    return ids;
}

}  // namespace

class MainFrameTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CMainFrame> MakeFrame() {
        auto frame = std::make_unique<CMainFrame>();
        frame->show();
        frame->activateWindow();
        [&] { QVERIFY(QTest::qWaitForWindowActive(frame.get())); }();
        return frame;
    }

private slots:
    void initTestCase() { IsolateUserFolders(); }

    void threeToolbarsWithTheirButtonsInOrder() {
        auto frame = MakeFrame();
        QCOMPARE(frame->windowTitle(), QString("Kestro"));
        QCOMPARE(frame->MainToolBar()->windowTitle(), QString("ToolBar"));
        QCOMPARE(frame->DrawingToolBar()->windowTitle(), QString("Drawing Tools"));
        QCOMPARE(frame->ElementToolBar()->windowTitle(), QString("Element ToolBar"));
        QCOMPARE(frame->toolBarArea(frame->MainToolBar()), Qt::TopToolBarArea);
        QCOMPARE(frame->toolBarArea(frame->DrawingToolBar()), Qt::LeftToolBarArea);
        QCOMPARE(frame->toolBarArea(frame->ElementToolBar()), Qt::BottomToolBarArea);
        QVERIFY(frame->MainToolBar()->isVisible());
        QVERIFY(!frame->DrawingToolBar()->isVisible());
        QVERIFY(!frame->ElementToolBar()->isVisible());
        for (QToolBar* bar : frame->findChildren<QToolBar*>()) {
            QCOMPARE(bar->iconSize(), QSize(16, 15));
            QCOMPARE(bar->allowedAreas(), Qt::AllToolBarAreas);
        }
        QCOMPARE(ButtonIds(frame->MainToolBar()),
                 QList<int>({57600, 57601, 57603, 57607, 0,     57635, 57634, 57637, 35019, 0,
                             32772, 32773, 32774, 0,     33000, 33002, 32776, 0,     32820, 32821,
                             32822, 32823, 0,     34021, 0,     34022, 0,     33001}));
        QCOMPARE(ButtonIds(frame->DrawingToolBar()),
                 QList<int>({34301, 34308, 34302, 34303, 34304, 34305, 34306, 34307, 34300}));
        QCOMPARE(
            ButtonIds(frame->ElementToolBar()),
            QList<int>({5000, 5007, 5005, 5006, 5012, 5013, 5015, 5016, 5017, 5019, 0,    5107,
                        5071, 0,    5023, 5025, 5024, 0,    5026, 5001, 5077, 5078, 5079, 0,
                        5069, 5070, 0,    5035, 5036, 5039, 5040, 5038, 5097, 5049, 5057, 5058}));
    }

    void buttonsAndItemsCarryTheirPromptsAndTips() {
        auto frame = MakeFrame();
        for (QAction* a : frame->MainToolBar()->actions()) {
            if (a->isSeparator()) continue;
            const int id = CCommandTable::CommandId(a);
            QVERIFY2(!CommandPrompt(id).isEmpty(), qPrintable(QString::number(id)));
            QCOMPARE(a->statusTip(), CommandPrompt(id));
            QCOMPARE(a->toolTip(), CommandTip(id));
        }
        QCOMPARE(CommandPrompt(kIdRunTarn), QString("Run simulation engine TARN"));
        QCOMPARE(CommandTip(kIdRunTarn), QString("Run TARN"));
        QCOMPARE(CommandPrompt(kIdZoomBox),
                 QString("Zoom an area by draging the left mouse button"));
        QCOMPARE(CommandPrompt(kIdEditPaste), QString("Paste the selection"));
        // Every menu item of every menu has a prompt.
        for (const int resource : {kMenuMain, kMenuSchematic, kMenuLibrary})
            for (QMenu* menu : frame->CommandTable().Menus(resource))
                for (QAction* a : menu->actions())
                    if (!a->isSeparator() && !a->menu())
                        QVERIFY2(!a->statusTip().isEmpty(), qPrintable(a->text()));

        // Hovering shows the prompt in the one status pane; the pane keeps its own text.
        QStatusTipEvent tip(CommandPrompt(kIdRunTarn));
        QApplication::sendEvent(frame.get(), &tip);
        QCOMPARE(frame->statusBar()->currentMessage(), QString("Run simulation engine TARN"));
        QCOMPARE(frame->StatusText(), QString("Ready"));
        QCOMPARE(frame->statusBar()->findChildren<QLabel*>().size(), 1);
    }

    void elementButtonTakesTheLibrarysImageAndDescription() {
        auto frame = MakeFrame();
        frame->SetElementButton(5007, ButtonIcon(kIdWire), "Resistor");
        QAction* button = frame->ElementToolBar()->findChild<QAction*>("id5007");
        QVERIFY(button);
        QCOMPARE(button->toolTip(), QString("Resistor"));
        QCOMPARE(button->statusTip(), QString("Resistor"));
    }

    void elementButtonsShowTheLibrarysElementsAndKeepTheStandInPastItsEnd() {
        CScriptedPrompts prompts;
        CLibraryData library(prompts);
        library.New("/nonexistent/KESTRO.LIB");
        for (const char* name : {"GND", "RX"}) {
            auto element = CLibElement::MakeNew(name);
            element->SetRect({-20, -10, 20, 10});
            element->SetDescription(std::string("Element ") + name);
            // A cross over the whole symbol: the image must reach its four edges.
            element->AddShape(std::make_unique<CSHLine>(CPointF{-20, 0}, CPointF{20, 0}));
            element->AddShape(std::make_unique<CSHLine>(CPointF{0, -10}, CPointF{0, 10}));
            library.AppendElement(std::move(element));
        }
        auto frame = MakeFrame();
        CSettings settings;
        UpdateElementButtons(*frame, library, settings);
        QAction* second = frame->ElementToolBar()->findChild<QAction*>("id5001");
        QAction* past = frame->ElementToolBar()->findChild<QAction*>("id5007");
        QVERIFY(second && past);
        QCOMPARE(second->toolTip(), QString("Element RX"));
        QCOMPARE(second->statusTip(), QString("Element RX"));
        QVERIFY(past->toolTip() != QString("Element RX"));

        for (const qreal ratio : {1.0, 2.0}) {
            const QImage image = ElementButtonImage(*library.GetElement(1), settings, ratio);
            QCOMPARE(image.size(), QSize(16, 15) * ratio);
            // The wide symbol spans the button from the first free column to the last,
            // centred between top and bottom, with the border left clear.
            QRect inked;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (qAlpha(image.pixel(x, y)) != 0) inked |= QRect(x, y, 1, 1);
            const int border = int(ratio);
            QCOMPARE(inked.left(), border);
            // A line ends before its last pixel, as everywhere on the sheet.
            QVERIFY(inked.right() >= image.width() - 2 - border);
            QVERIFY(inked.right() <= image.width() - 1 - border);
            QVERIFY(inked.top() >= border && inked.bottom() <= image.height() - 1 - border);
            QVERIFY(qAbs(inked.top() - (image.height() - 1 - inked.bottom())) <= 1);
        }
    }

    void toolbarsFollowTheActiveWindowKind() {
        auto frame = MakeFrame();
        QToolBar* drawing = frame->DrawingToolBar();
        QToolBar* elements = frame->ElementToolBar();
        CLibChildFrame* library = new CLibChildFrame;
        CChildFrame* schematic = new CChildFrame;

        frame->AddDocumentFrame(library);
        QVERIFY(drawing->isVisible());
        QVERIFY(!elements->isVisible());
        QCOMPARE(frame->ActiveMenuResource(), kMenuLibrary);

        frame->AddDocumentFrame(schematic);
        QVERIFY(!drawing->isVisible());
        QVERIFY(elements->isVisible());
        QCOMPARE(frame->ActiveMenuResource(), kMenuSchematic);
        QCOMPARE(frame->windowTitle(), QString("Kestro - untitle"));

        // "Element Toolbar" switches it off and keeps it off across window changes.
        QAction* item = frame->CommandTable().MenuAction(kMenuSchematic, kIdElementToolbar);
        frame->CommandTable().UpdateAll();
        QVERIFY(item->isChecked());
        item->trigger();
        QVERIFY(!elements->isVisible());
        QVERIFY(!item->isChecked());
        frame->MdiArea()->setActiveSubWindow(library);
        frame->MdiArea()->setActiveSubWindow(schematic);
        QVERIFY(!elements->isVisible());
        item->trigger();
        QVERIFY(elements->isVisible());

        // "Drawing Tools" belongs to the library window.
        QAction* tools = frame->CommandTable().MenuAction(kMenuLibrary, kIdDrawingTools);
        QVERIFY(!frame->Router().Query(kIdDrawingTools).enabled);
        frame->MdiArea()->setActiveSubWindow(library);
        frame->CommandTable().UpdateAll();
        QVERIFY(tools->isChecked());
        tools->trigger();
        QVERIFY(!drawing->isVisible());
        QVERIFY(!tools->isChecked());

        // With the last window gone the main menu is back, and the drawing tools go with
        // the last library window.
        tools->trigger();
        schematic->close();
        QTRY_VERIFY(drawing->isVisible());
        library->close();
        QTRY_COMPARE(frame->ActiveMenuResource(), kMenuMain);
        QCOMPARE(frame->windowTitle(), QString("Kestro"));
        QVERIFY(!drawing->isVisible());
    }

    void toolbarAndStatusBarToggles() {
        auto frame = MakeFrame();
        QAction* toolbar = frame->CommandTable().MenuAction(kMenuMain, kIdViewToolbar);
        QAction* status = frame->CommandTable().MenuAction(kMenuMain, kIdViewStatusBar);
        frame->CommandTable().UpdateAll();
        QVERIFY(toolbar->isChecked() && status->isChecked());
        toolbar->trigger();
        status->trigger();
        QVERIFY(!frame->MainToolBar()->isVisible());
        QVERIFY(!frame->statusBar()->isVisible());
        QVERIFY(!toolbar->isChecked() && !status->isChecked());
        toolbar->trigger();
        QVERIFY(frame->MainToolBar()->isVisible());
    }

    void activatingAWindowEmptiesTheStatusText() {
        auto frame = MakeFrame();
        frame->SetStatusText("NEW:  Wire");
        frame->AddDocumentFrame(new CChildFrame);
        QCOMPARE(frame->StatusText(), QString());
    }

    void splitterHasAtMostTwoColumnsAndF6SwitchesPanes() {
        auto frame = MakeFrame();
        auto* child = new CChildFrame;
        frame->AddDocumentFrame(child);
        child->resize(600, 400);
        QCOMPARE(child->PaneCount(), 1);
        QVERIFY(!frame->Router().Query(kIdNextPane).enabled);
        QVERIFY(child->Split());
        QVERIFY(!child->Split());
        QCOMPARE(child->PaneCount(), 2);
        QCOMPARE(child->Splitter()->count(), 2);
        QCOMPARE(child->Splitter()->orientation(), Qt::Horizontal);

        child->Pane(0)->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), child->Pane(0));
        QTest::keyClick(child->Pane(0), Qt::Key_F6);
        QCOMPARE(QApplication::focusWidget(), child->Pane(1));
        QCOMPARE(child->ActiveView(), child->Pane(1));
        QTest::keyClick(child->Pane(1), Qt::Key_Backtab, Qt::ShiftModifier);  // not a pane key
        QTest::keyClick(child->Pane(1), Qt::Key_F6, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), child->Pane(0));

        // Unsplitting keeps the active pane.
        QWidget* kept = child->Pane(0);
        QVERIFY(child->Unsplit());
        QVERIFY(!child->Unsplit());
        QCOMPARE(child->PaneCount(), 1);
        QCOMPARE(child->Pane(0), kept);
    }

    void draggingTheSplitterOpensAndClosesTheSecondColumn() {
        auto frame = MakeFrame();
        auto* child = new CChildFrame;
        frame->AddDocumentFrame(child);
        child->resize(600, 400);
        QSplitter* splitter = child->Splitter();
        QTRY_VERIFY(splitter->width() > 100);
        QSplitterHandle* handle = splitter->handle(1);
        const QPoint start = handle->rect().center();
        QTest::mousePress(handle, Qt::LeftButton, {}, start);
        QTest::mouseMove(handle, start - QPoint(splitter->width() / 2, 0));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, start - QPoint(splitter->width() / 2, 0));
        QTRY_COMPARE(child->PaneCount(), 2);
    }

    void newWindowShowsTheSameDocumentAndClosingFollowsTheRules() {
        auto frame = MakeFrame();
        CFakeDocument document;
        auto* first = new CChildFrame(&document);
        document.frames << first;
        frame->AddDocumentFrame(first);
        QAction* newWindow = frame->CommandTable().MenuAction(kMenuSchematic, kIdWindowNew);
        frame->CommandTable().UpdateAll();
        QVERIFY(newWindow->isEnabled());
        newWindow->trigger();
        QCOMPARE(frame->DocumentFrames().size(), 2);
        auto* second = qobject_cast<CChildFrame*>(frame->ActiveDocumentFrame());
        QVERIFY(second && second != first);
        QCOMPARE(second->Document(), &document);
        document.frames << second;

        // With another window on the document, a window closes without asking.
        QVERIFY(first->close());
        QCOMPARE(document.savePrompts, 0);
        QCOMPARE(document.closed, 0);

        // The last window asks; Cancel keeps it.
        document.allowClose = false;
        QVERIFY(!second->close());
        QCOMPARE(document.savePrompts, 1);
        QCOMPARE(frame->DocumentFrames().size(), 1);
        document.allowClose = true;
        QVERIFY(second->close());
        QCOMPARE(document.closed, 1);
    }

    void lastWindowOfAUsedSubcircuitLeavesItLoaded() {
        auto frame = MakeFrame();
        CFakeDocument subcircuit;
        subcircuit.hasParent = true;
        auto* window = new CChildFrame(&subcircuit);
        frame->AddDocumentFrame(window);
        QVERIFY(window->close());
        QCOMPARE(subcircuit.savePrompts, 0);
        QCOMPARE(subcircuit.closed, 0);
    }

    void closeCommandClosesTheActiveWindow() {
        auto frame = MakeFrame();
        frame->AddDocumentFrame(new CLibChildFrame);
        QAction* close = frame->CommandTable().MenuAction(kMenuLibrary, kIdFileClose);
        frame->CommandTable().UpdateAll();
        close->trigger();
        QTRY_VERIFY(frame->DocumentFrames().isEmpty());
    }

    void windowMenuArrangesAndListsTheWindows() {
        auto frame = MakeFrame();
        frame->AddDocumentFrame(new CChildFrame)->setWindowTitle("a.sch");
        frame->AddDocumentFrame(new CChildFrame)->setWindowTitle("b.sch");
        QAction* tile = frame->CommandTable().MenuAction(kMenuSchematic, kIdWindowTile);
        frame->CommandTable().UpdateAll();
        QVERIFY(tile->isEnabled());
        tile->trigger();
        const QList<CDocumentFrame*> frames = frame->DocumentFrames();
        QVERIFY(!frames[0]->geometry().intersects(frames[1]->geometry()));

        QMenu* window = qobject_cast<QMenu*>(tile->parent());
        window->popup(frame->mapToGlobal(QPoint(300, 20)));
        QStringList items;
        for (QAction* a : window->actions())
            items << a->text();
        QVERIFY(items.contains("&1 a.sch"));
        QVERIFY(items.contains("&2 b.sch"));
        window->hide();
    }

    void buttonImagesAreCrispAtBothPixelRatios() {
        // Images made of straight edges only: every pixel is fully in or fully out.
        for (const int id : {kIdFileSave, kIdFilePrint, kIdToolRectangle, kIdWire}) {
            for (const qreal ratio : {1.0, 2.0}) {
                const QImage image = ButtonImage(id, ratio);
                QCOMPARE(image.size(), QSize(16, 15) * ratio);
                int partial = 0;
                for (int y = 0; y < image.height(); ++y)
                    for (int x = 0; x < image.width(); ++x) {
                        const int a = qAlpha(image.pixel(x, y));
                        if (a != 0 && a != 255) ++partial;
                    }
                QVERIFY2(partial == 0, qPrintable(QString("%1 at %2").arg(id).arg(ratio)));
            }
        }
    }
};

QTEST_MAIN(MainFrameTest)
#include "main_frame_test.moc"
