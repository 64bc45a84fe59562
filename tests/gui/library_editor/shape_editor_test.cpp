// The library symbol editor driven with the mouse and the keyboard: drawing tools with
// their Shift and Ctrl constraints, terminals, Set Size, the handles, the shape
// clipboard, Rotate and Tab; and library windows opened from the menu editor.
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

#include "core/library/lib_element.h"
#include "core/library/library_data.h"
#include "core/library/library_edit_step.h"
#include "core/library/sh_line.h"
#include "core/library/sh_rrect.h"
#include "core/platform/scripted_prompts.h"
#include "gui/attributes/kestro_attributes.h"
#include "gui/commands/command_ids.h"
#include "gui/commands/command_table.h"
#include "gui/dialogs/symbol_text_dialog.h"
#include "gui/frames/lib_child_frame.h"
#include "gui/frames/main_frame.h"
#include "gui/library_editor/library_windows.h"
#include "gui/library_editor/menu_tree.h"
#include "gui/library_editor/menu_tree_dialog.h"
#include "gui/library_editor/shape_doc.h"
#include "gui/library_editor/shape_tracker.h"
#include "gui/library_editor/shape_view.h"
#include "gui/library_editor/symbol_dialogs.h"
#include "tests/gui/support/gui_test_support.h"

using namespace kestro;

namespace {

// A press at one logical point and a release at another, with modifiers at the release.
void Drag(CShapeView& view, CPointF from, CPointF to, Qt::KeyboardModifiers modifiers = {}) {
    QWidget* port = view.viewport();
    const QPoint a = view.ToWindow(from), b = view.ToWindow(to);
    QTest::mousePress(port, Qt::LeftButton, {}, a);
    QTest::mouseMove(port, (a + b) / 2);
    QTest::mouseMove(port, b);
    QTest::mouseRelease(port, Qt::LeftButton, modifiers, b);
}

void Click(CShapeView& view, CPointF at) {
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.ToWindow(at));
}

struct CRecordingJournal : CLibraryJournal {
    std::vector<CLibraryEditRecord> records;
    void Record(CLibraryEditRecord record) override { records.push_back(std::move(record)); }
};

CRectF RectOf(const CShape& shape) {
    return shape.GetRect();
}

}  // namespace

class ShapeEditorTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    int m_case = 0;
    CTestApp m_t;
    CShapeView* m_view = nullptr;

    // A started editor with a new 40 by 40 element open in a library window, zoom 4.
    CShapeView& Open() {
        const std::string folder = m_folder.path().toStdString() + "/p" + std::to_string(++m_case);
        QDir().mkpath(QString::fromStdString(folder));
        m_t = MakeTestApp(folder + "/");
        if (!m_t.app->Start()) qFatal("editor did not start");
        m_t.app->MainFrame()->resize(900, 700);
        m_t.app->MainFrame()->show();
        CLibraryData& library = *m_t.app->Library();
        const uint16_t id = library.AppendElement(CLibElement::MakeNew("TESTSYM"));
        library.SetModified(false);
        if (!m_t.app->OpenLibraryElement(id)) qFatal("element did not open");
        CLibChildFrame* frame = m_t.app->LibraryWindows()->Frames().last();
        frame->resize(600, 500);
        m_view = CLibraryWindows::ViewOf(frame);
        m_view->SetZoom(4.0);
        m_view->horizontalScrollBar()->setValue(0);
        m_view->verticalScrollBar()->setValue(0);
        return *m_view;
    }
    CLibElement& Element() { return m_view->Document().Element(); }
    CLibraryData& Library() { return *m_t.app->Library(); }
    void Run(int id) {
        QVERIFY(m_view->Commands().Execute(id) || m_view->Document().Commands().Execute(id));
    }

private slots:
    void initTestCase() { IsolateUserFolders(); }
    void cleanup() {
        m_view = nullptr;
        m_t = CTestApp{};
    }

    void windowIsTitledAfterTheElementAndClosesWithoutAsking() {
        CShapeView& view = Open();
        CLibChildFrame* frame = m_t.app->LibraryWindows()->Frames().last();
        QCOMPARE(CLibraryWindows::ViewOf(frame), &view);
        QCOMPARE(frame->windowTitle(), QString("Library : TESTSYM"));
        Library().SetModified(true);
        frame->close();
        QTRY_VERIFY(m_t.app->LibraryWindows()->Frames().isEmpty());
        QVERIFY(m_t.prompts->Messages().empty());
        QVERIFY(Library().IsModified());
    }

    void newLinesKeepStraightWithShiftAndClicksAddNothing() {
        CShapeView& view = Open();
        view.SetTool(kIdToolLine);
        Click(view, {-10, -10});
        QCOMPARE(Element().GetShapes().size(), size_t(0));
        QVERIFY(!Library().IsModified());
        Drag(view, {-10, -10}, {8, -7}, Qt::ShiftModifier);
        QCOMPARE(Element().GetShapes().size(), size_t(1));
        QCOMPARE(RectOf(*Element().GetShapes()[0]), (CRectF{-10, -10, 8, -10}));
        QVERIFY(Library().IsModified());
        Drag(view, {0, 0}, {2, 12}, Qt::ShiftModifier);
        QCOMPARE(RectOf(*Element().GetShapes()[1]), (CRectF{0, 0, 0, 12}));
        // Without Shift the line goes where the mouse went.
        Drag(view, {0, 0}, {5, 7});
        QCOMPARE(RectOf(*Element().GetShapes()[2]), (CRectF{0, 0, 5, 7}));
    }

    void ctrlKeepsCirclesRoundAndRectanglesSquare() {
        CShapeView& view = Open();
        view.SetTool(kIdToolCircle);
        Drag(view, {-10, -10}, {5, -2}, Qt::ControlModifier);
        QCOMPARE(Element().GetShapes().back()->GetTypeCode(), CShape::kEllipse);
        QCOMPARE(RectOf(*Element().GetShapes().back()), (CRectF{-10, -10, 5, 5}));
        view.SetTool(kIdToolRectangle);
        Drag(view, {10, 10}, {4, 8}, Qt::ControlModifier);
        QCOMPARE(RectOf(*Element().GetShapes().back()), (CRectF{4, 4, 10, 10}));
        view.SetTool(kIdToolHalfCircle2);
        Drag(view, {0, 0}, {6, 9});
        QCOMPARE(Element().GetShapes().back()->GetTypeCode(), CShape::kArc);
        QCOMPARE(RectOf(*Element().GetShapes().back()), (CRectF{0, 0, 6, 9}));
    }

    void cancelledDragsAndFlatBoxesAddNothing() {
        CShapeView& view = Open();
        view.SetTool(kIdToolLine);
        QWidget* port = view.viewport();
        QTest::mousePress(port, Qt::LeftButton, {}, view.ToWindow(CPointF{0, 0}));
        QTest::mouseMove(port, view.ToWindow(CPointF{10, 10}));
        QTest::keyClick(&view, Qt::Key_Escape);
        QTest::mouseRelease(port, Qt::LeftButton, {}, view.ToWindow(CPointF{10, 10}));
        view.SetTool(kIdToolRectangle);
        Drag(view, {0, 0}, {10, 0});  // no area
        QCOMPARE(Element().GetShapes().size(), size_t(0));
        QVERIFY(!Library().IsModified());
    }

    void shapesReachingOutOfTheBoxAreBroughtInside() {
        CShapeView& view = Open();
        view.SetTool(kIdToolRectangle);
        Drag(view, {15, 15}, {30, 30});
        QCOMPARE(RectOf(*Element().GetShapes().back()), (CRectF{5, 5, 20, 20}));
    }

    void terminalsAreNumberedInClickOrderAndReset() {
        CShapeView& view = Open();
        CShapeDoc& doc = view.Document();
        QCOMPARE(doc.Candidates().size(), size_t(12));  // three on each side of 40 by 40
        Click(view, {0, -24});                          // top, middle
        Click(view, {24, 0});                           // right, middle
        Click(view, {-24, 10});                         // left, lower
        const std::vector<CPointF> expected{{0, -20}, {20, 0}, {-20, 10}};
        QCOMPARE(Element().GetOutputPoints(), expected);
        QCOMPARE(doc.Marks()[size_t(doc.CandidateAt({0, -24}))], uint16_t(1));
        QCOMPARE(doc.Marks()[size_t(doc.CandidateAt({24, 0}))], uint16_t(2));
        QCOMPARE(doc.Marks()[size_t(doc.CandidateAt({-24, 10}))], uint16_t(3));
        // A place that has a terminal takes no second one.
        Click(view, {0, -24});
        QCOMPARE(Element().GetOutputPoints().size(), size_t(3));
        Run(kIdResetOutputs);
        QVERIFY(Element().GetOutputPoints().empty());
        for (uint16_t mark : doc.Marks())
            QCOMPARE(mark, uint16_t(0));
        // Nothing left to take back still marks the library.
        Library().SetModified(false);
        Run(kIdResetOutputs);
        QVERIFY(Library().IsModified());
    }

    void setSizeResizesAboutTheCentreAndResetsTerminals() {
        CShapeView& view = Open();
        Click(view, {0, -24});
        QCOMPARE(Element().GetOutputPoints().size(), size_t(1));
        std::pair<int, int> offered;
        view.Services().askSize = [&offered](QWidget*, int w, int h) {
            offered = {w, h};
            return std::optional<std::pair<int, int>>({6, 4});
        };
        Run(kIdSetSize);
        QCOMPARE(offered, std::make_pair(4, 4));
        QCOMPARE(Element().GetRect(), (CRectF{-30, -20, 30, 20}));
        QVERIFY(Element().GetOutputPoints().empty());
        QCOMPARE(view.Document().Candidates().size(), size_t(16));
        // The new box's places take terminals.
        Click(view, {34, 10});
        QCOMPARE(Element().GetOutputPoints(), (std::vector<CPointF>{{30, 10}}));
    }

    void handlesResizeTheSelectionKeepingTheOppositeSide() {
        CShapeView& view = Open();
        Element().AddShape(std::make_unique<CSHRRect>(CRectF{-10, -10, 10, 10}));
        Click(view, {0, -10});
        QCOMPARE(view.Selection().size(), size_t(1));
        QCOMPARE(view.SelectionBounds(), (CRectF{-10, -10, 10, 10}));
        // Bottom-right handle, 10 units right and 5 down.
        QWidget* port = view.viewport();
        const QPoint handle = view.HandlePixel(2);
        QCOMPARE(view.HandleAt(handle + QPoint(4, -4)), 2);
        QTest::mousePress(port, Qt::LeftButton, {}, handle);
        QTest::mouseMove(port, handle + QPoint(20, 10));
        QVERIFY(view.Tracker() && view.Tracker()->HidesSelection());
        QTest::mouseRelease(port, Qt::LeftButton, {}, handle + QPoint(40, 20));
        QCOMPARE(RectOf(*Element().GetShapes()[0]), (CRectF{-10, -10, 20, 15}));
        // The left handle pulls the left side only.
        const QPoint left = view.HandlePixel(7);
        QTest::mousePress(port, Qt::LeftButton, {}, left);
        QTest::mouseMove(port, left + QPoint(10, 0));
        QTest::mouseRelease(port, Qt::LeftButton, {}, left + QPoint(20, 0));
        QCOMPARE(RectOf(*Element().GetShapes()[0]), (CRectF{-5, -10, 20, 15}));
    }

    void handlesStayEasyToHitAtEveryZoom() {
        CShapeView& view = Open();
        Element().AddShape(std::make_unique<CSHRRect>(CRectF{-10, -10, 10, 10}));
        Click(view, {0, -10});
        for (double zoom : {0.25, 1.0, 4.0, 30.0}) {
            view.SetZoom(zoom);
            for (int h = 0; h < 8; ++h)
                QVERIFY(view.HandleAt(view.HandlePixel(h) + QPoint(3, 3)) >= 0);
        }
    }

    void selectionMovesByTheDragAndBandSelects() {
        CShapeView& view = Open();
        Element().AddShape(std::make_unique<CSHLine>(CPointF{-10, 0}, CPointF{0, 0}));
        Element().AddShape(std::make_unique<CSHLine>(CPointF{5, 5}, CPointF{15, 5}));
        Drag(view, {-5, 0}, {-3, 4});
        QCOMPARE(RectOf(*Element().GetShapes()[0]), (CRectF{-8, 4, 2, 4}));
        Drag(view, {-19, -19}, {19, 19});
        QCOMPARE(view.Selection().size(), size_t(2));
        Drag(view, {-19, -19}, {3, 10});
        QCOMPARE(view.Selection().size(), size_t(1));
    }

    void clipboardCutsCopiesAndPastesShapes() {
        CShapeView& view = Open();
        Element().AddShape(std::make_unique<CSHLine>(CPointF{-10, 0}, CPointF{0, 0}));
        CCommandState state;
        view.Commands().Update(kIdEditPaste, state);
        QVERIFY(!state.enabled);
        Click(view, {-5, 0});
        Run(kIdEditCopy);
        Run(kIdEditPaste);
        QVERIFY(view.PastePending());
        Click(view, {10, 10});
        QVERIFY(!view.PastePending());
        QCOMPARE(Element().GetShapes().size(), size_t(2));
        QCOMPARE(RectOf(*Element().GetShapes()[1]), (CRectF{5, 10, 15, 10}));
        QCOMPARE(view.Selection().size(), size_t(1));
        Run(kIdEditCut);
        QCOMPARE(Element().GetShapes().size(), size_t(1));
        QVERIFY(view.Selection().empty());
        // Escape gives up a pending paste.
        Run(kIdEditPaste);
        QTest::keyClick(&view, Qt::Key_Escape);
        QVERIFY(!view.PastePending());
        Click(view, {10, 10});
        QCOMPARE(Element().GetShapes().size(), size_t(1));
    }

    void deleteRotateAndTabWorkOnTheSelection() {
        CShapeView& view = Open();
        Element().AddShape(std::make_unique<CSHLine>(CPointF{0, 0}, CPointF{10, 0}));
        Element().AddShape(std::make_unique<CSHLine>(CPointF{-10, -10}, CPointF{-10, 0}));
        view.setFocus();
        QTest::keyClick(&view, Qt::Key_Tab);
        QCOMPARE(view.Selection().front(), Element().GetShapes()[0].get());
        QTest::keyClick(&view, Qt::Key_Tab);
        QCOMPARE(view.Selection().front(), Element().GetShapes()[1].get());
        QTest::keyClick(&view, Qt::Key_Tab);  // wraps
        QCOMPARE(view.Selection().front(), Element().GetShapes()[0].get());
        Run(kIdRotate);  // about the frame's centre (5, 0)
        QCOMPARE(RectOf(*Element().GetShapes()[0]), (CRectF{5, 5, 5, -5}));
        QTest::keyClick(&view, Qt::Key_Delete);
        QCOMPARE(Element().GetShapes().size(), size_t(1));
        QVERIFY(view.Selection().empty());
    }

    void drawTextPlacesATextOrLeavesTheElementAlone() {
        CShapeView& view = Open();
        view.Services().askText = [](QWidget*) { return std::optional<CSymbolTextChoice>(); };
        Run(kIdToolText);
        CCommandState state;
        view.Commands().Update(kIdToolSelect, state);
        QVERIFY(state.checked.value_or(false));
        QVERIFY(Element().GetShapes().empty());
        QVERIFY(!Library().IsModified());
        view.Services().askText = [](QWidget*) {
            return std::optional<CSymbolTextChoice>(CSymbolTextChoice{"Q1", 2});
        };
        Run(kIdToolText);
        QCOMPARE(Element().GetShapes().size(), size_t(1));
        QCOMPARE(Element().GetShapes()[0]->GetTypeCode(), CShape::kText);
        QCOMPARE(view.Selection().size(), size_t(1));
        QCOMPARE(view.SelectionBounds().Center(), (CPointF{0, 0}));
    }

    void zoomStopsAtItsLimits() {
        CShapeView& view = Open();
        CCommandState in, out;
        view.SetZoom(100.0);
        view.Commands().Update(kIdZoomIn, in);
        QVERIFY(!in.enabled);
        view.SetZoom(0.25);
        view.Commands().Update(kIdZoomOut, out);
        QVERIFY(!out.enabled);
        Run(kIdZoomIn);
        QVERIFY(view.Zoom() > 0.25);
    }

    void everyGestureIsOneLibraryEditStep() {
        CShapeView& view = Open();
        CRecordingJournal journal;
        Library().SetJournal(&journal);
        view.SetTool(kIdToolLine);
        Drag(view, {-10, -10}, {10, 10});
        view.SetTool(kIdToolSelect);
        Drag(view, {0, 0}, {3, 0});
        Click(view, {0, -24});
        Click(view, {0, 0});  // selects, moves nothing
        QStringList labels;
        for (const CLibraryEditRecord& record : journal.records) {
            labels << QString::fromStdString(record.label);
            QCOMPARE(record.elements.size(), size_t(1));
            QCOMPARE(record.elements[0].identifier, uint32_t(Element().GetIdentifier()));
            QVERIFY(record.elements[0].before != record.elements[0].after);
        }
        QCOMPARE(labels, (QStringList{"Add Line", "Move", "Set Terminal"}));
        Library().SetJournal(nullptr);
    }

    // Ctrl+Z and Ctrl+Y in a library window take back and bring again whole gestures of
    // the library's history, with the step's name in the Edit menu.
    void undoAndRedoInALibraryWindowWorkOnWholeGestures() {
        CShapeView& view = Open();
        const auto label = [this](int id) {
            return m_t.app->MainFrame()->Router().Query(id).text.value_or(std::string());
        };
        QCOMPARE(label(kIdEditUndo), std::string("Undo"));
        view.SetTool(kIdToolLine);
        Drag(view, {-10, -10}, {10, -10});
        view.SetTool(kIdToolSelect);
        QCOMPARE(Element().GetShapes().size(), size_t(1));
        QCOMPARE(label(kIdEditUndo), std::string("Undo Add Line"));
        Run(kIdResetOutputs);  // no terminals: no step
        CCommandTable& table = m_t.app->MainFrame()->CommandTable();
        QTRY_VERIFY(table.MenuAction(kMenuLibrary, kIdEditUndo)->isEnabled());
        QTest::keyClick(&view, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Element().GetShapes().size(), size_t(0));
        QVERIFY(view.Selection().empty());
        QCOMPARE(label(kIdEditRedo), std::string("Redo Add Line"));
        QVERIFY(!Library().IsModified());  // back where the window opened

        QTRY_VERIFY(table.MenuAction(kMenuLibrary, kIdEditRedo)->isEnabled());
        QTest::keyClick(&view, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(Element().GetShapes().size(), size_t(1));
        QCOMPARE(RectOf(*Element().GetShapes()[0]).left, -10.0f);
        QVERIFY(Library().IsModified());
        QCOMPARE(&view.Document().Element(), Library().GetElement(Element().GetIdentifier()));
    }

    // The attribute window shows the element of the active library window, and lets it go
    // when a sheet's window becomes the active one.
    void attributeWindowFollowsTheActiveWindowKind() {
        CShapeView& view = Open();
        CLibChildFrame* frame = m_t.app->LibraryWindows()->Frames().last();
        m_t.app->MainFrame()->MdiArea()->setActiveSubWindow(frame);
        QVERIFY(m_t.app->MainFrame()->CommandTable().Execute(kIdAttributes));
        CKestroAttributes* attributes = m_t.app->Attributes();
        QVERIFY(attributes);
        QTRY_COMPARE(attributes->LibraryElement(), &view.Document().Element());
        QVERIFY(m_t.app->NewDocument());
        QTRY_VERIFY(attributes->LibraryElement() == nullptr);
    }

    void symbolTextAndSizeDialogsOfferTheirChoices() {
        CLibraryFonts fonts = StartupLibraryFonts();
        CSymbolTextDlg text(fonts, {});
        text.show();
        auto* edit = text.findChild<QLineEdit*>("id1046");
        auto* list = text.findChild<QComboBox*>("id1045");
        QVERIFY(edit && list);
        QCOMPARE(list->count(), 4);
        QCOMPARE(list->currentIndex(), 0);
        QCOMPARE(list->itemText(0), QString::fromStdString(DescribeLibraryFont(fonts[0])));
        QTest::keyClicks(edit, "Vout");
        list->setCurrentIndex(3);
        QCOMPARE(text.Text(), QString("Vout"));
        QCOMPARE(text.FontIndex(), 3);

        CSetSizeDlg size(1, 57);  // out of range: the nearest choice
        auto* width = size.findChild<QComboBox*>("width");
        QVERIFY(width);
        QCOMPARE(width->count(), 39);
        QCOMPARE(width->itemText(0), QString("2"));
        QCOMPARE(size.Size(), std::make_pair(2, 40));
        width->setCurrentIndex(4);
        QCOMPARE(size.Size().first, 6);
    }

    void keysReachZoomAndDrawText() {
        CShapeView& view = Open();
        view.setFocus();
        const double zoom = view.Zoom();
        QTest::keyClick(&view, Qt::Key_Plus);
        QVERIFY(view.Zoom() > zoom);
        QTest::keyClick(&view, Qt::Key_Minus);
        QCOMPARE(view.Zoom(), zoom);
        bool asked = false;
        view.Services().askText = [&asked](QWidget*) {
            asked = true;
            return std::optional<CSymbolTextChoice>();
        };
        Run(kIdText);
        QVERIFY(asked);
    }

    void drawnShapesAndTerminalsAreSavedWithTheLibrary() {
        CShapeView& view = Open();
        view.SetTool(kIdToolLine);
        Drag(view, {-10, 0}, {10, 0});
        Click(view, {-24, 0});
        Click(view, {24, 0});
        QVERIFY(m_t.app->SaveLibrary());
        QVERIFY(!Library().IsModified());
        CScriptedPrompts prompts;
        CLibraryData saved(prompts);
        QVERIFY(saved.Open(Library().GetPath()));
        const int id = saved.FindElementByName("TESTSYM");
        QVERIFY(id >= 0);
        const CLibElement& element = *saved.GetElement(uint32_t(id));
        QCOMPARE(element.GetShapes().size(), size_t(1));
        QCOMPARE(element.GetShapes()[0]->GetRect(), (CRectF{-10, 0, 10, 0}));
        QCOMPARE(element.GetOutputPoints(), (std::vector<CPointF>{{-20, 0}, {20, 0}}));
    }

    void deletingAnElementClosesItsWindowOnly() {
        Open();
        QVERIFY(m_t.app->OpenLibraryElement(uint32_t(Library().FindElementByName("R"))));
        QCOMPARE(m_t.app->LibraryWindows()->Frames().size(), 2);
        m_t.app->MainFrame()->CommandTable().Execute(kIdEditLibrary);
        CMenuTreeDialog* editor = m_t.app->MenuEditor();
        QVERIFY(editor);
        const auto found = editor->Tree()->findItems("R", Qt::MatchExactly | Qt::MatchRecursive);
        QVERIFY(!found.isEmpty());
        m_t.prompts->answers.push_back(Answer::Yes);
        m_t.prompts->answers.push_back(Answer::Yes);
        editor->DeleteItem(found.first());
        QTRY_COMPARE(m_t.app->LibraryWindows()->Frames().size(), 1);
        QCOMPARE(m_t.app->LibraryWindows()->Frames().first()->windowTitle(),
                 QString("Library : TESTSYM"));
        // What is left still draws and takes gestures.
        m_view->SetTool(kIdToolRectangle);
        Drag(*m_view, {0, 0}, {5, 5});
        QCOMPARE(Element().GetShapes().size(), size_t(1));
    }

    void menuEditorOpensLabelPortAndElementsInLibraryWindows() {
        Open();
        m_t.app->MainFrame()->CommandTable().Execute(kIdEditLibrary);
        CMenuTreeDialog* editor = m_t.app->MenuEditor();
        QVERIFY(editor);
        QAction* label = editor->CommandAction(kIdEditLabel);
        QVERIFY(label->isEnabled());
        label->trigger();
        editor->CommandAction(kIdEditPort)->trigger();
        QStringList titles;
        for (CLibChildFrame* frame : m_t.app->LibraryWindows()->Frames())
            titles << frame->windowTitle();
        QVERIFY(titles.contains("Library : " +
                                QString::fromStdString(Library().GetLabelElement().GetName())));
        QVERIFY(titles.contains("Library : " +
                                QString::fromStdString(Library().GetPortElement().GetName())));
        // Opening again brings the same window forward.
        const qsizetype count = titles.size();
        label->trigger();
        QCOMPARE(m_t.app->LibraryWindows()->Frames().size(), count);
        QVERIFY(!m_t.app->OpenLibraryElement(Library().GetElementCount()));
    }
};

QTEST_MAIN(ShapeEditorTest)
#include "shape_editor_test.moc"
