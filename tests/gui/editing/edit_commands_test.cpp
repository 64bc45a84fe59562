// The edit commands of the schematic view through the menus and keys: rotate, flip, cut,
// copy, paste, delete and Undo Delete, select all, Tab, Find with its dialog and patterns,
// the bitmap copies and help on the selection, each with its enable rule.
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QTextBlock>
#include <QTextBrowser>
#include <QtTest>

#include "core/document/circuit.h"
#include "core/library/library_data.h"
#include "core/objects/sim_link.h"
#include "core/objects/sim_part.h"
#include "core/objects/wire.h"
#include "gui/commands/command_ids.h"
#include "gui/dialogs/find_element_dialog.h"
#include "gui/dialogs/help_window.h"
#include "gui/editing/bitmap_copy.h"
#include "gui/editing/edit_state.h"
#include "gui/frames/main_frame.h"
#include "gui/views/kestro_view.h"
#include "tests/gui/support/editor_fixture.h"

using namespace kestro;

class EditCommandsTest : public QObject {
    Q_OBJECT

    // Selects exactly these objects (as clicks would) with the view's bounds.
    static void Select(CEditorFixture& f, std::initializer_list<CPart*> parts) {
        CSelection& selection = f.view->Selection();
        selection.Clear();
        for (CPart* part : parts)
            selection.Add(*part);
        f.view->UpdateSelectionBounds();
    }

private slots:
    void initTestCase() { IsolateUserFolders(); }

    void rotateAndFlipFollowTheirEnableRules() {
        CEditorFixture f;
        QVERIFY(f.Open());
        QVERIFY2(!f.Enabled(kIdRotate), "nothing selected");
        CSimPart* r1 = f.Place("R", {200, 200});
        CSimPart* c1 = f.Place("C", {400, 200});
        f.Key(Qt::Key_Escape);
        // An element with its text link counts as one: flip is enabled.
        f.Click({200, 200});
        f.sheet->RefreshSelection(f.view->Selection());
        QVERIFY(f.view->Selection().Count() > 1);
        QCOMPARE(f.view->Selection().CountedCount(), size_t(1));
        QVERIFY(f.Enabled(kIdFlipLeftRight));
        QVERIFY(f.Enabled(kIdFlipTopBottom));
        const CPointF left = r1->GetTerminalPosition(0);
        QVERIFY(f.Command(kIdFlipLeftRight));
        QCOMPARE(r1->GetTerminalPosition(1), left);
        QVERIFY(f.Command(kIdRotate));
        QCOMPARE(r1->GetPlacement().rotation, uint16_t(3));
        // Two elements: flipping is not offered.
        Select(f, {r1, c1});
        QVERIFY(!f.Enabled(kIdFlipLeftRight));
        QVERIFY(f.Enabled(kIdRotate));
    }

    void cutCopyPasteDeleteAndUndoDelete() {
        CEditorFixture f;
        QVERIFY(f.Open());
        CSimPart* r1 = f.Place("R", {200, 200});
        f.Key(Qt::Key_Escape);
        QVERIFY(!f.Enabled(kIdEditCopy));
        // Every change can be taken back now, placing too.
        QVERIFY(f.Enabled(kIdEditUndo));
        QCOMPARE(f.Label(kIdEditUndo), std::string("Undo Place"));
        f.Click({200, 200});
        QVERIFY(f.Enabled(kIdEditCopy));
        f.Key(Qt::Key_C, Qt::ControlModifier);
        QVERIFY(f.Editing().Clipboard().HasData());
        QVERIFY(f.Enabled(kIdEditPaste));
        // Pasting twice gives two independent sets, and leaves the clipboard as it was.
        f.Key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(f.Editing().Mode(), EditMode::Paste);
        QVERIFY(f.Checked(kIdEditPaste));
        f.Hover({400, 300});
        QVERIFY(f.Editing().Ghost().IsVisible());
        f.Click({400, 300});
        QCOMPARE(f.Editing().Mode(), EditMode::Select);
        const std::vector<CPart*> first = f.view->Selection().Items();
        f.Key(Qt::Key_V, Qt::ControlModifier);
        f.Click({400, 450}, Qt::RightButton);  // turned while pasting
        f.Click({400, 450});
        const std::vector<CPart*> second = f.view->Selection().Items();
        QCOMPARE(f.view->Selection().CountedCount(), size_t(1));
        QCOMPARE(first.size(), second.size());
        QVERIFY(first[0] != second[0]);
        QCOMPARE(first[0]->GetName(), std::string("R2"));
        QCOMPARE(second[0]->GetName(), std::string("R3"));
        QCOMPARE(second[0]->GetPlacement().rotation, uint16_t(3));
        QVERIFY(f.Editing().Clipboard().HasData());
        // Cut, then Undo Delete brings it back where it was, selected; the next Undo
        // takes back the step before the cut.
        Select(f, {r1});
        const CRectF was = r1->GetBounds();
        f.Key(Qt::Key_X, Qt::ControlModifier);
        QVERIFY(!f.sheet->Contains(*r1));
        QVERIFY(f.Enabled(kIdEditUndo));
        QCOMPARE(f.Label(kIdEditUndo), std::string("Undo Delete"));
        f.Key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.Label(kIdEditUndo), std::string("Undo Paste"));
        QCOMPARE(f.Label(kIdEditRedo), std::string("Redo Delete"));
        QVERIFY(f.sheet->Contains(*r1));
        QCOMPARE(f.view->Selection().First()->GetBounds(), was);
        QCOMPARE(f.view->Selection().First()->GetName(), std::string("R1"));
        QCOMPARE(f.view->Selection().CountedCount(), size_t(1));
        // Two deletions: only the second comes back. A deleted element takes its text
        // links along, though only the element was clicked.
        Select(f, {first[0]});
        f.Key(Qt::Key_Delete);
        const size_t withThird = f.sheet->GetObjectCount();
        const size_t links = second[0]->GetLinkCount();
        QVERIFY(links > 0);
        Select(f, {second[0]});
        f.Key(Qt::Key_Delete);
        QCOMPARE(f.sheet->GetObjectCount(), withThird - 1 - links);
        f.Key(Qt::Key_Backspace, Qt::AltModifier);
        QCOMPARE(f.sheet->GetObjectCount(), withThird);
        QCOMPARE(f.view->Selection().First()->GetName(), std::string("R3"));
    }

    void undoLeavesPlacingAndShowsWhatCameBack() {
        CEditorFixture f;
        QVERIFY(f.Open());
        CSimPart* r1 = f.Place("R", {200, 200});
        f.Key(Qt::Key_Escape);
        Select(f, {r1});
        f.Key(Qt::Key_Delete);
        // Far from the deleted element, about to place another one.
        f.view->ScrollTo(QPoint(f.view->TotalSize().width(), f.view->TotalSize().height()));
        const CPointF centre = r1->GetBounds().Center();
        QVERIFY(!f.view->viewport()->rect().contains(f.view->ToWindow(centre)));
        QVERIFY(f.Command(kIdFirstElement + f.ElementId("C")));
        QCOMPARE(f.Editing().Mode(), EditMode::Place);
        f.Key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.Editing().Mode(), EditMode::Select);
        QVERIFY(!f.Editing().Ghost().IsVisible());
        QVERIFY(f.sheet->Contains(*r1));
        QCOMPARE(f.view->Selection().First(), static_cast<CPart*>(r1));
        QCOMPARE(f.view->Selection().Count(), size_t(1 + r1->GetLinkCount()));
        QVERIFY(f.view->viewport()->rect().contains(f.view->ToWindow(centre)));
        // Redo deletes it again and leaves nothing selected; undoing the placing too.
        f.Key(Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(!f.sheet->Contains(*r1));
        QVERIFY(f.view->Selection().IsEmpty());
        f.Key(Qt::Key_Z, Qt::ControlModifier);
        f.Key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.sheet->GetObjectCount(), size_t(0));
        QVERIFY(f.view->Selection().IsEmpty());
        QVERIFY(!f.Enabled(kIdEditUndo));
    }

    void selectAllTabAndShiftTabStepThroughTheSheet() {
        CEditorFixture f;
        QVERIFY(f.Open());
        QVERIFY(!f.Enabled(kIdSelectAll));
        const CPartEnvironment& env = f.sheet->GetEnvironment();
        CPart* a = f.sheet->AddObject(CWire::Create(env, {100, 100}, {200, 100}));
        CPart* b = f.sheet->AddObject(CWire::Create(env, {100, 200}, {200, 200}));
        QVERIFY(f.Command(kIdSelectAll));
        QCOMPARE(f.view->Selection().Count(), size_t(2));
        f.Key(Qt::Key_Tab);
        QCOMPARE(f.view->Selection().Items(), std::vector<CPart*>{b});
        f.Key(Qt::Key_Tab);
        QCOMPARE(f.view->Selection().Items(), std::vector<CPart*>{a});  // wraps around
        f.Key(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(f.view->Selection().Items(), std::vector<CPart*>{b});
    }

    void findUsesTheDialogsPatternAndFindNextWraps() {
        CEditorFixture f;
        QVERIFY(f.Open());
        CSimPart* r1 = f.Place("R", {100, 100});
        f.Place("C", {200, 100});
        CSimPart* r2 = f.Place("R", {300, 100});
        f.Key(Qt::Key_Escape);
        // The dialog: every element by its netlist name, sorted; Find writes the request.
        CFindRequest request;
        CFindElementDlg dialog(request, *f.t.app->Library(), f.view);
        auto* type = dialog.findChild<QComboBox*>("id1045");
        auto* name = dialog.findChild<QLineEdit*>("id1046");
        QVERIFY(type && name);
        QCOMPARE(type->count(), int(f.t.app->Library()->GetElementCount()));
        QVERIFY(type->itemText(0) < type->itemText(1));
        type->setCurrentIndex(type->findText("R"));
        name->setText("r*");
        const CFindRequest asked = dialog.Request();
        QCOMPARE(asked.element, f.ElementId("R"));
        QCOMPARE(asked.kind, uint16_t(CPart::kTagSimPart));
        // The command: first the dialog, then Find Next (F3) from the last match on.
        int dialogs = 0;
        f.Editing().Hooks().askFind = [&](CFindRequest& r, CLibraryData&) {
            ++dialogs;
            r = asked;
            return true;
        };
        f.Key(Qt::Key_F3, Qt::AltModifier);
        QCOMPARE(dialogs, 1);
        QCOMPARE(f.view->Selection().Items(), std::vector<CPart*>{r1});
        f.Key(Qt::Key_F3);
        QCOMPARE(f.view->Selection().Items(), std::vector<CPart*>{r2});
        f.Key(Qt::Key_F3);
        QCOMPARE(f.view->Selection().Items(), std::vector<CPart*>{r1});  // wraps to the start
        QCOMPARE(dialogs, 1);
        // Nothing found: the message, and the selection stays.
        f.Editing().Hooks().askFind = [&](CFindRequest& r, CLibraryData&) {
            r.pattern = "X?";
            return true;
        };
        f.Key(Qt::Key_F3, Qt::AltModifier);
        QCOMPARE(f.t.prompts->LastMessage(), std::string("Can Not Find Element."));
        QCOMPARE(f.view->Selection().Items(), std::vector<CPart*>{r1});
        // Cancel leaves the request as it was.
        f.Editing().Hooks().askFind = [](CFindRequest&, CLibraryData&) { return false; };
        f.Key(Qt::Key_F3, Qt::AltModifier);
        QCOMPARE(f.Editing().FindParameters().pattern, std::string("X?"));
    }

    void bitmapCopiesGoToTheClipboardHalvingTheScaleWhenMemoryIsShort() {
        CEditorFixture f;
        QVERIFY(f.Open());
        QVERIFY(!f.Enabled(kIdCopyClipboardColor));
        CSimPart* r1 = f.Place("R", {200, 200});
        f.Place("R", {600, 400});
        f.Key(Qt::Key_Escape);
        f.view->SetZoom(2.0, CPointF{0, 0});
        // Nothing selected: the whole drawing, widened by 20 units, at the view's zoom.
        QGuiApplication::clipboard()->clear();
        QVERIFY(f.Command(kIdCopyClipboardColor));
        QImage image = QGuiApplication::clipboard()->image();
        const CRectF extent = f.sheet->GetExtent();
        QCOMPARE(image.width(), int((extent.Width() + 40) * 2));
        // Black and white: one bit per pixel, of the selection only.
        Select(f, {r1});
        f.Key(Qt::Key_B, Qt::ControlModifier);
        image = QGuiApplication::clipboard()->image();
        QCOMPARE(image.width(), int((r1->GetBounds().Width() + 40) * 2));
        const CSchematicImage mono = MakeSchematicImage(*f.sheet, {r1}, 2.0, true);
        QCOMPARE(mono.image.format(), QImage::Format_Mono);
        // Memory for 5000 pixels only: half, quarter... down to a tenth, then the message.
        std::vector<QSize> tried;
        const CImageMaker small = [&tried](QSize size, QImage::Format format) {
            tried.push_back(size);
            return size.width() * size.height() <= 5000 ? QImage(size, format) : QImage();
        };
        const CSchematicImage halved = MakeSchematicImage(*f.sheet, {}, 2.0, false, small);
        QVERIFY(!halved.image.isNull());
        QVERIFY(halved.scale < 2.0 && halved.scale >= 0.1);
        QCOMPARE(tried.front(),
                 QSize(int((extent.Width() + 40) * 2), int((extent.Height() + 40) * 2)));
        f.Editing().Hooks().makeImage = [](QSize, QImage::Format) { return QImage(); };
        QVERIFY(f.Command(kIdCopyClipboardColor));
        QCOMPARE(f.t.prompts->LastMessage(),
                 std::string("Not enough memory to create a Clipboard image."));
    }

    void helpOpensTheElementsEntryOfTheReference() {
        CEditorFixture f;
        QVERIFY(f.Open());
        CSimPart* r1 = f.Place("R", {200, 200});
        f.Key(Qt::Key_Escape);
        QString asked = "none";
        f.Editing().Hooks().showHelp = [&](const QString& keyword) { asked = keyword; };
        f.Key(Qt::Key_F1);
        QCOMPARE(asked, QString());  // nothing selected: the contents
        Select(f, {r1, r1->GetLink(0)});
        f.Key(Qt::Key_F1);
        QCOMPARE(asked, QString("R"));
        // The bundled reference has the entry.
        CHelpWindow help;
        QVERIFY(help.ShowElement("R"));
        QVERIFY(help.Browser()->textCursor().block().text().contains("R"));
        QVERIFY(!help.ShowElement("NO SUCH ELEMENT"));
    }
};

QTEST_MAIN(EditCommandsTest)
#include "edit_commands_test.moc"
