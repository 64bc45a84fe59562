// The editing modes of the schematic view, driven by real mouse events and the commands:
// the mode commands and their check marks, the placement ghost, placing every kind, and
// the five drags (box select, move, zoom box, pan, wire) with their edge cases.
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

#include "core/document/circuit.h"
#include "core/library/library_data.h"
#include "core/objects/sim_label.h"
#include "core/objects/sim_part.h"
#include "core/objects/sim_term.h"
#include "core/objects/sim_text.h"
#include "core/objects/sub_cir_part.h"
#include "core/objects/wire.h"
#include "core/schematic_file/schematic_file.h"
#include "gui/attributes/port_picture.h"
#include "gui/commands/command_ids.h"
#include "gui/dialogs/terminals_dialog.h"
#include "gui/editing/edit_state.h"
#include "gui/editing/tracker.h"
#include "gui/editing/wire_tracker.h"
#include "gui/frames/main_frame.h"
#include "gui/views/kestro_view.h"
#include "tests/gui/support/editor_fixture.h"

using namespace kestro;

namespace {

std::vector<CWire*> Wires(const CCircuit& sheet) {
    std::vector<CWire*> wires;
    for (const auto& part : sheet.GetObjects())
        if (CWire* wire = part->AsWire()) wires.push_back(wire);
    return wires;
}

template <typename Kind>
int Count(const CCircuit& sheet, bool (CPart::*is)() const) {
    int count = 0;
    for (const auto& part : sheet.GetObjects())
        if (((*part).*is)()) ++count;
    return count;
}

}  // namespace

class EditingModesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { IsolateUserFolders(); }

    void modeCommandsSetTheModeWithTheirCheckMarks() {
        CEditorFixture f;
        QVERIFY(f.Open());
        QVERIFY(f.Checked(kIdEscape));
        QVERIFY2(!f.Enabled(kIdEditPaste), "nothing was copied");
        QVERIFY(f.Command(kIdWire));
        QCOMPARE(f.Editing().Mode(), EditMode::Wire);
        QVERIFY(f.Checked(kIdWire));
        QVERIFY(!f.Checked(kIdEscape));
        f.Hover({300, 300});
        QCOMPARE(f.t.app->MainFrame()->StatusText(), QString("NEW:  Wire"));
        QVERIFY(f.Command(kIdZoomBox));
        QVERIFY(f.Checked(kIdZoomBox));
        QVERIFY(!f.Checked(kIdWire));
        f.Key(Qt::Key_Escape);
        QCOMPARE(f.Editing().Mode(), EditMode::Select);
        // The element buttons place their elements; the status names the element.
        const int resistor = f.ElementId("R");
        QVERIFY(f.Enabled(kIdFirstElement + resistor));
        QVERIFY2(!f.Enabled(kIdFirstElement + 999), "no such element");
        QVERIFY(f.Command(kIdFirstElement + resistor));
        QCOMPARE(f.Editing().Mode(), EditMode::Place);
        QCOMPARE(f.Editing().Kind(), resistor);
        f.Hover({200, 200});
        QCOMPARE(f.t.app->MainFrame()->StatusText(), QString("NEW:  R"));
    }

    void theGhostFollowsTheMouseAndRightClicksTurnIt() {
        CEditorFixture f;
        QVERIFY(f.Open());
        QVERIFY(f.Command(kIdFirstElement + f.ElementId("R")));
        CPlacementGhost& ghost = f.Editing().Ghost();
        f.Hover({203, 198});
        QVERIFY(ghost.IsVisible());
        QCOMPARE(ghost.View(), f.view);
        QCOMPARE(ghost.Position(), QPoint(203, 198));
        // Each right click turns it a quarter; four bring it back.
        for (const int expected : {3, 2, 1, 0}) {
            f.Click({203, 198}, Qt::RightButton);
            QCOMPARE(f.Editing().Rotation(), expected);
            QCOMPARE(ghost.Rotation(), expected);
            QVERIFY(ghost.IsVisible());
        }
        f.Click({203, 198}, Qt::RightButton);
        f.Click({203, 198});
        CSimPart* r1 = f.sheet->GetObjects().front()->AsSimPart();
        QVERIFY(r1);
        QCOMPARE(r1->GetPlacement().rotation, uint16_t(3));
        QCOMPARE(r1->GetPosition(), (CPointF{200, 200}));  // on the grid
        QCOMPARE(r1->GetName(), std::string("R1"));
        QVERIFY2(r1->GetLinkCount() > 0, "its values shown at placement");
        // Rotate turns the ghost too while placing; the mode stays for the next one.
        QCOMPARE(f.Editing().Mode(), EditMode::Place);
        QVERIFY(f.Enabled(kIdRotate));
        QVERIFY(f.Command(kIdRotate));
        QCOMPARE(f.Editing().Rotation(), 2);
        f.Click({400, 200});
        CSimPart* r2 = nullptr;
        for (const auto& part : f.sheet->GetObjects())
            if (part->AsSimPart() && part.get() != r1) r2 = part->AsSimPart();
        QVERIFY(r2);
        QCOMPARE(r2->GetName(), std::string("R2"));
        QCOMPARE(r2->GetPlacement().rotation, uint16_t(2));
        // Leaving the window takes the ghost along.
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(f.view, &leave);
        QVERIFY(!ghost.IsVisible());
    }

    void everyKindIsPlacedByItsRules() {
        CEditorFixture f;
        QVERIFY(f.Open());
        CScriptedPrompts& prompts = *f.t.prompts;
        // Text: an empty text places nothing; a text returns to Select once put down.
        prompts.texts.push_back("");
        f.Key(Qt::Key_F9);
        QCOMPARE(f.Editing().Mode(), EditMode::Select);
        prompts.texts.push_back("Buck stage");
        f.Key(Qt::Key_F9);
        QCOMPARE(f.Editing().Mode(), EditMode::Place);
        QCOMPARE(f.Editing().Kind(), kPlaceText);
        f.Click({100, 40});
        QCOMPARE(f.Editing().Mode(), EditMode::Select);
        QCOMPARE(f.sheet->GetObjectCount(), size_t(1));
        QCOMPARE(f.sheet->GetObjects().front()->GetName(), std::string("Buck stage"));
        QVERIFY(f.sheet->IsModified());

        // Label: offered the sheet's latest name, its pin lands on the grid.
        prompts.texts.push_back("VOUT");
        f.Key(Qt::Key_F2);
        f.Hover({303, 204});
        QCOMPARE(f.t.app->MainFrame()->StatusText(), QString("NEW:  Label: VOUT"));
        f.Click({303, 204});
        QCOMPARE(f.Editing().Mode(), EditMode::Select);
        CSimLabel* label = f.sheet->GetObjects().back()->AsLabel();
        QVERIFY(label);
        QCOMPARE(label->GetTerminalPosition(0), (CPointF{320, 200}));
        prompts.texts.push_back("VIN");
        f.Key(Qt::Key_F2);
        QCOMPARE(prompts.textRequests.back().initial, std::string("VOUT"));
        QCOMPARE(prompts.textRequests.back().title, std::string("Label"));

        // The simulation control: one per sheet, shown in the attribute window.
        CPart* shown = nullptr;
        f.Editing().Hooks().showAttributes = [&](CKestroView&, CPart& part) { shown = &part; };
        QVERIFY(f.Command(kIdSimulationControl));
        f.Click({60, 40});
        QVERIFY(shown && shown->IsSimControl());
        QCOMPARE(f.Editing().Mode(), EditMode::Select);
        QVERIFY(f.Command(kIdSimulationControl));
        const size_t before = f.sheet->GetObjectCount();
        f.Click({460, 40});
        QCOMPARE(f.sheet->GetObjectCount(), before);  // a second control is refused

        // Ports take the numbers the sheet allots; the mode stays.
        QVERIFY(f.Command(kIdPlacePort));
        f.Click({100, 300});
        f.Click({200, 300});
        QCOMPARE(f.Editing().Mode(), EditMode::Place);
        QVERIFY(shown && shown->IsPort());
        QCOMPARE(shown->AsPort()->GetPortNumber(), uint16_t(1));
        QCOMPARE(f.sheet->GetPortObject(0)->GetPosition().y, 300.0f);
        // "Display Ports" shows the sheet's block with every port marked, the used ones
        // filled; a click there chooses nothing, and Close ends it.
        QVERIFY(f.Enabled(kIdDisplayPorts));
        QString title;
        int marked = 0;
        int chosen = 0;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<CTerminalsDlg*>(QApplication::activeModalWidget());
            if (!dialog) return;
            title = dialog->windowTitle();
            CPortPicture* picture = dialog->Picture();
            QCOMPARE(picture->objectName(), QString("id1029"));
            while (!picture->PortRect(marked).isEmpty())
                ++marked;
            QTest::mouseClick(picture, Qt::LeftButton, {},
                              picture->PortRect(marked - 1).center().toPoint());
            chosen = picture->Chosen();
            auto* close = dialog->findChild<QPushButton*>(QStringLiteral("id2"));
            QCOMPARE(close->text(), QString("&Close"));
            QTest::mouseClick(close, Qt::LeftButton);
        });
        QVERIFY(f.Command(kIdDisplayPorts));
        QCOMPARE(title, QString("Terminals"));
        QVERIFY(marked >= 2);
        QCOMPARE(marked, int(f.sheet->GetPortCount()));
        QCOMPARE(chosen, -1);
        QTRY_VERIFY(!QApplication::activeModalWidget());

        // A new subcircuit gets a new sheet; the mode returns to Select.
        QVERIFY(f.Command(kIdNewSubcircuit));
        f.Hover({500, 300});
        QCOMPARE(f.t.app->MainFrame()->StatusText(), QString("NEW:  Subcircuit"));
        f.Click({500, 300});
        QCOMPARE(f.Editing().Mode(), EditMode::Select);
        QCOMPARE(f.sheet->GetInstances().size(), size_t(1));
        CCircuit* inner = f.sheet->GetInstances().front()->GetSheet();
        QVERIFY(inner && inner != f.sheet);
        QCOMPARE(inner->GetParents(), std::vector<CCircuit*>{f.sheet});

        // A loaded one: the file chosen, its block while placing, the same sheet when open.
        QTemporaryDir folder;
        const QString path = folder.filePath("leg.sch");
        inner->SetSymbolBox({0, 0, 40, 60});
        QVERIFY(WriteSchematicFile(*inner, path.toStdString()));
        prompts.fileNames.push_back(path.toStdString());
        QVERIFY(f.Command(kIdLoadSubcircuit));
        QCOMPARE(prompts.fileRequests.back().title, std::string("Load Subcircuit"));
        QVERIFY(prompts.fileRequests.back().mustExist);
        QCOMPARE(f.Editing().Ghost().subcircuitRect, (CRectF{-20, -30, 20, 30}));
        f.Click({600, 300});
        QCOMPARE(f.sheet->GetInstances().size(), size_t(2));
        QCOMPARE(f.sheet->GetInstances().back()->GetSymbolRect(), (CRectF{-20, -30, 20, 30}));
    }

    void aClickPicksOneObjectAndADragOfFourUnitsSelectsAnArea() {
        CEditorFixture f;
        QVERIFY(f.Open());
        const CPartEnvironment& env = f.sheet->GetEnvironment();
        CPart* low = f.sheet->AddObject(CWire::Create(env, {100, 100}, {200, 100}));
        CPart* high = f.sheet->AddObject(CWire::Create(env, {150, 50}, {150, 150}));
        CPart* pointed = nullptr;
        f.Editing().Hooks().pointAttributes = [&](CKestroView&, CPart* part) { pointed = part; };
        f.Click({120, 101});
        QCOMPARE(f.view->Selection().Items(), std::vector<CPart*>{low});
        QCOMPARE(pointed, low);
        // Three units is still a click: the one object at its centre (the topmost).
        f.Click({500, 500});
        f.Drag({{148, 98}, {150, 100}, {151, 101}});
        QCOMPARE(f.view->Selection().Items(), std::vector<CPart*>{high});
        // Four units across selects every object the band meets.
        f.Drag({{90, 90}, {200, 92}, {300, 94}});
        QCOMPARE(f.view->Selection().Items(), std::vector<CPart*>{high});
        f.Drag({{90, 90}, {200, 200}, {300, 300}});
        QCOMPARE(f.view->Selection().Count(), size_t(2));
        // A click on nothing empties the selection.
        f.Click({500, 500});
        QVERIFY(f.view->Selection().IsEmpty());
        // The band is drawn while it is dragged.
        f.PressAndMove({{90, 90}, {200, 200}, {260, 240}});
        QVERIFY(f.view->Tracker() && f.view->Tracker()->FeedbackShown());
        f.Release({260, 240});
        QVERIFY(!f.view->Tracker());
    }

    void aDragOnTheSelectionMovesItByWholeSteps() {
        CEditorFixture f;
        QVERIFY(f.Open());
        CSimPart* r1 = f.Place("R", {200, 200});
        QVERIFY(r1);
        f.Key(Qt::Key_Escape);
        f.Click({200, 200});
        f.view->Document()->RefreshSelection(f.view->Selection());
        QCOMPARE(f.view->Selection().CountedCount(), size_t(1));
        f.Drag({{200, 200}, {220, 230}, {234, 263}});
        QCOMPARE(r1->GetPosition(), (CPointF{230, 260}));
        QVERIFY(f.view->Selection().Contains(r1));
        QCOMPARE(f.t.app->MainFrame()->StatusText(), QString("Ready"));
        // Escape and the right button cancel: nothing moves.
        f.PressAndMove({{230, 260}, {300, 300}});
        QVERIFY(f.view->IsMoveInProgress());
        f.Key(Qt::Key_Escape);
        QVERIFY(!f.view->Tracker());
        QVERIFY(!f.view->IsMoveInProgress());
        f.Release({300, 300});
        QCOMPARE(r1->GetPosition(), (CPointF{230, 260}));
        f.PressAndMove({{230, 260}, {300, 300}});
        QTest::mousePress(f.Window(), Qt::RightButton, {}, {300, 300});
        QVERIFY(!f.view->Tracker());
        f.Release({300, 300});
        QCOMPARE(r1->GetPosition(), (CPointF{230, 260}));
        QCOMPARE(f.Editing().Mode(), EditMode::Select);  // Escape in a drag is the drag's
    }

    void aZoomBoxTakesTheWindowsProportionsAndAClickOnlyCentres() {
        CEditorFixture f;
        QVERIFY(f.Open());
        QVERIFY(f.Command(kIdZoomBox));
        const QSize client = f.Window()->size();
        // Under 4 pixels: no box, and on release the view is only centred there.
        f.view->ScrollTo({500, 500});
        f.PressAndMove({{400, 300}, {402, 340}});
        QVERIFY(!f.view->Tracker()->FeedbackShown());
        f.Release({402, 340});
        QCOMPARE(f.view->Zoom(), 1.0);
        const QPoint centre(client.width() / 2, client.height() / 2);
        QVERIFY((f.view->ToWindow(CPointF{900, 800}) - centre).manhattanLength() <= 2);
        // A box: the zoom grows by the window over the box.
        f.view->SetZoom(1.0, CPointF{0, 0});
        f.Drag({{100, 100}, {150, 130}, {200, 150}});
        const double factor = std::min(client.width() / 100.0, client.height() / 50.0);
        QVERIFY(std::abs(f.view->Zoom() - factor) < 1e-9);
        QCOMPARE(f.Editing().Mode(), EditMode::ZoomBox);  // the mode stays
    }

    void theRightButtonPansTheDrawingWithTheMouse() {
        CEditorFixture f;
        QVERIFY(f.Open());
        f.view->ScrollTo({300, 300});
        // The pan starts with the first move: the drawing follows the mouse from there.
        f.PressAndMove({{400, 300}, {380, 290}, {350, 280}}, Qt::RightButton);
        QVERIFY(f.view->Tracker());
        f.Release({350, 280}, Qt::RightButton);
        QVERIFY(!f.view->Tracker());
        QCOMPARE(f.view->ScrollPosition(), QPoint(330, 310));
    }

    void wiresAreLShapedWithTheBendOnTheSideTheMouseLeftBy() {
        CEditorFixture f;
        QVERIFY(f.Open());
        QVERIFY(f.Command(kIdWire));
        // Leaving the start sideways: across first.
        f.Drag({{100, 100}, {130, 101}, {200, 150}});
        std::vector<CWire*> wires = Wires(*f.sheet);
        QCOMPARE(wires.size(), size_t(2));
        QCOMPARE(wires[0]->GetEnd(0), (CPointF{100, 100}));
        QCOMPARE(wires[0]->GetEnd(1), (CPointF{200, 100}));
        QCOMPARE(wires[1]->GetEnd(1), (CPointF{200, 150}));
        // Leaving it downwards: down first.
        f.Drag({{300, 100}, {301, 130}, {400, 150}});
        wires = Wires(*f.sheet);
        QCOMPARE(wires.size(), size_t(4));
        QCOMPARE(wires[2]->GetEnd(1), (CPointF{300, 150}));
        // Crossing back over the start's column turns a horizontal-first wire down first.
        f.PressAndMove({{500, 100}, {530, 100}, {560, 130}});
        auto* tracker = static_cast<CWireTracker*>(f.view->Tracker());
        QVERIFY(tracker && tracker->HorizontalFirst());
        QTest::mouseMove(f.Window(), {470, 130});
        QVERIFY(!tracker->HorizontalFirst());
        QTest::mouseMove(f.Window(), {470, 60});
        QTest::mouseMove(f.Window(), {470, 100});
        QVERIFY2(tracker->HorizontalFirst(), "crossing the start's row turns it back");
        f.Key(Qt::Key_Escape);
        f.Release({470, 100});
        QCOMPARE(Wires(*f.sheet).size(), size_t(4));  // Escape draws nothing
        // Straight: one wire; ending on its start: none.
        f.Drag({{100, 300}, {200, 302}, {300, 300}});
        QCOMPARE(Wires(*f.sheet).size(), size_t(5));
        f.Drag({{100, 400}, {200, 450}, {102, 398}});
        QCOMPARE(Wires(*f.sheet).size(), size_t(5));
        QCOMPARE(f.Editing().Mode(), EditMode::Wire);  // the mode stays
        // A wire ending on another one joins it there: the other is split.
        f.Drag({{200, 300}, {200, 250}, {200, 200}});
        QCOMPARE(Wires(*f.sheet).size(), size_t(7));
    }

    void outsideTheWindowADragScrollsAndHidesTheGridUntilTheMouseReturns() {
        CEditorFixture f;
        QVERIFY(f.Open());
        f.view->ScrollTo({400, 400});
        const QPoint start = f.view->ScrollPosition();
        QVERIFY(start != QPoint(0, 0));
        f.PressAndMove({{300, 300}, {200, 200}, {-30, 200}});
        QVERIFY(f.view->IsGridSuspended());
        const int left = f.view->ScrollPosition().x();
        QVERIFY(left < start.x());
        // The timer keeps scrolling while the mouse stays out.
        QTRY_VERIFY(f.view->ScrollPosition().x() < left);
        QTest::mouseMove(f.Window(), {200, 200});
        QVERIFY(!f.view->IsGridSuspended());
        const QPoint back = f.view->ScrollPosition();
        QTest::qWait(450);
        QCOMPARE(f.view->ScrollPosition(), back);
        f.Release({200, 200});
        // A zoom box never scrolls.
        QVERIFY(f.Command(kIdZoomBox));
        f.PressAndMove({{300, 300}, {-30, 200}});
        QCOMPARE(f.view->ScrollPosition(), back);
        QVERIFY(!f.view->IsGridSuspended());
        f.Key(Qt::Key_Escape);
        f.Release({-30, 200});
    }
};

QTEST_MAIN(EditingModesTest)
#include "editing_modes_test.moc"
