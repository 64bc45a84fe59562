// The attribute window driven as a user drives it: clicks and double clicks in a real
// schematic window, F4, typing into the pages' controls and pressing Enter, and what the
// document holds afterwards.
#include <QCheckBox>
#include <QFile>
#include <QFontDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QtTest>

#include "core/document/circuit.h"
#include "core/document/edit_step.h"
#include "core/library/library_data.h"
#include "core/netlist/netlist_writer.h"
#include "core/objects/sim_control.h"
#include "core/objects/sim_label.h"
#include "core/objects/sim_link.h"
#include "core/objects/sim_part.h"
#include "core/objects/sim_term.h"
#include "core/objects/sim_text.h"
#include "core/objects/sub_cir_part.h"
#include "core/objects/wire.h"
#include "gui/app/kestro_doc_template.h"
#include "gui/attributes/color_combo_box.h"
#include "gui/attributes/default_attribute.h"
#include "gui/attributes/element_attribute.h"
#include "gui/attributes/ex_combo_box_ctrl.h"
#include "gui/attributes/ex_edit_ctrl.h"
#include "gui/attributes/kestro_attributes.h"
#include "gui/attributes/port_picture.h"
#include "gui/attributes/subcircuit_attribute.h"
#include "gui/attributes/terminal_attribute.h"
#include "gui/commands/command_ids.h"
#include "gui/commands/command_table.h"
#include "gui/dialogs/help_window.h"
#include "gui/frames/main_frame.h"
#include "gui/views/kestro_view.h"
#include "tests/gui/support/gui_test_support.h"

using namespace kestro;
using Page = CKestroAttributes::Page;

namespace {

// An element "ROWS<n>" with n further Float attributes, each of which may be shown.
uint16_t AddElementWithRows(CLibraryData& library, int rows) {
    auto element = CLibElement::MakeNew("ROWS" + std::to_string(rows));
    element->SetDescription(std::to_string(rows) + " attributes");
    element->SetRect({-20, -20, 20, 20});
    element->GetOutputPoints() = {{-20, 0}, {20, 0}};
    for (int i = 1; i <= rows; ++i)
        element->AddDefinition(
            CNetLine("A" + std::to_string(i), "V", CGenType::MakeFloat(i), CNetLine::kTextLink));
    const uint16_t id = library.AppendElement(std::move(element));
    library.SetModified(false);
    return id;
}

// The editor with one empty schematic window.
struct CSheetWindow {
    CTestApp t = MakeTestApp();
    CCircuit* document = nullptr;
    CKestroView* view = nullptr;
    CKestroAttributes* window = nullptr;

    bool Open() {
        if (!t.app->Start()) return false;
        document = t.app->NewDocument();
        view = t.app->ActiveSchematicView();
        window = t.app->Attributes();
        t.app->MainFrame()->activateWindow();
        return document && view && window && QTest::qWaitForWindowActive(t.app->MainFrame());
    }
    uint16_t Element(const char* name) const {
        return static_cast<uint16_t>(t.app->Library()->FindElementByName(name));
    }
    CSimPart* Place(const char* name, CPointF at) {
        CSimPart* part = document->PlaceElement(Element(name), at, 0);
        view->viewport()->update();
        return part;
    }
    QPoint PixelOf(const CPart& part) const { return view->ToWindow(part.GetBounds().Center()); }
    void Click(const CPart& part) {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, PixelOf(part));
    }
    // The first press of a double click selects, as on the screen.
    void DoubleClick(const CPart& part) {
        Click(part);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, PixelOf(part));
    }
    void ClickEmpty() { QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(3, 3)); }
    void PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(view, key, modifiers);
    }
    template <typename T>
    T* Control(int id) const {
        return window->findChild<T*>(QStringLiteral("id%1").arg(id));
    }
    QString InformationText() const {
        return static_cast<CDefaultAttribute*>(window->PageOf(Page::Information))->Text();
    }
    // The user clicks into the window: it becomes the active window, and keys go to it.
    // (A tool window counts as active while its main window is, so the test waits for
    // the focus itself.)
    void Activate() {
        window->activateWindow();
        QTRY_VERIFY(QGuiApplication::focusWindow() == window->windowHandle());
    }
    // Replaces the text of an edit as a user does and presses Enter.
    void Type(int id, const QString& text, bool enter = true) {
        Activate();
        auto* edit = Control<QLineEdit>(id);
        QVERIFY(edit);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        if (enter) QTest::keyClick(edit, Qt::Key_Return);
    }
};

// Keeps the names of the committed edits of a document.
struct CEditNames : CEditJournal {
    std::vector<std::string> names;
    std::vector<CEditRecord> records;
    void OnEditCommitted(CCircuit&, CEditRecord record) override {
        names.push_back(record.name);
        records.push_back(std::move(record));
    }
};

int LinksOf(const CSimPart& element, size_t attribute) {
    int count = 0;
    for (const CSimLink* link : element.GetLinks())
        if (link->GetAttributeIndex() == attribute) ++count;
    return count;
}

}  // namespace

class AttributeWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { IsolateUserFolders(); }

    void hiddenWindowIgnoresClicksUntilF4ShowsTheSelection() {
        CSheetWindow s;
        QVERIFY(s.Open());
        CSimPart* r = s.Place("R", {200, 200});
        s.Click(*r);
        QVERIFY(s.view->Selection().Contains(r));
        QVERIFY(!s.window->isVisible());
        QVERIFY(!s.window->CurrentPage());  // no page was built for the click
        s.PressKey(Qt::Key_F4);
        QVERIFY(s.window->isVisible());
        QCOMPARE(s.window->CurrentPage(), s.window->PageOf(Page::Element));
        QCOMPARE(s.window->SelectedObject(), r);
        QCOMPARE(s.window->windowTitle(), QString("R"));
        QCOMPARE(s.window->size(), s.window->CurrentPage()->PageSize());
        // The menu item carries the check mark while the window is up.
        CCommandTable& table = s.t.app->MainFrame()->CommandTable();
        table.UpdateAll();
        QVERIFY(table.MenuAction(kMenuSchematic, kIdAttributes)->isChecked());
        // Keys the window leaves reach the main frame: F4 pressed in it hides it. Tab and
        // the arrows stay with the page (the sheet has keys of its own for them).
        s.Activate();
        auto* name = s.Control<QLineEdit>(1020);
        name->setFocus();
        QTest::keyClick(name, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), s.Control<QWidget>(1500));
        QVERIFY(s.view->Selection().Contains(r));
        QTest::keyClick(name, Qt::Key_F4);
        QVERIFY(!s.window->isVisible());
        QVERIFY(!s.window->SelectedObject());
        table.UpdateAll();
        QVERIFY(!table.MenuAction(kMenuSchematic, kIdAttributes)->isChecked());
        // With nothing selected F4 leaves it hidden.
        s.ClickEmpty();
        QVERIFY(s.view->Selection().IsEmpty());
        s.PressKey(Qt::Key_F4);
        QVERIFY(!s.window->isVisible());
        // A double click shows the object whether the window is up or not.
        s.DoubleClick(*r);
        QVERIFY(s.window->isVisible());
        QCOMPARE(s.window->SelectedObject(), r);
        // Escape writes back and closes.
        s.Type(1401, "33", false);
        QTest::keyClick(s.Control<QLineEdit>(1401), Qt::Key_Escape);
        QVERIFY(!s.window->isVisible());
        QCOMPARE(r->GetData().GetValue(1).GetFloat(), 33.0);
    }

    void labelsGroundsAndSelectionsShowTheirTexts() {
        CSheetWindow s;
        QVERIFY(s.Open());
        const CPartEnvironment& env = s.document->GetEnvironment();
        CPart* in = s.document->AddObject(CSimLabel::Create(env, "IN", {100, 100}, 0));
        s.document->AddObject(CSimLabel::Create(env, "in", {100, 300}, 0));
        CSimPart* ground = s.Place("GND", {300, 300});
        CPart* wire = s.document->AddObject(CWire::Create(env, {400, 100}, {500, 100}));
        s.window->show();
        s.Click(*in);
        QCOMPARE(s.window->windowTitle(), QString("Label"));
        QCOMPARE(s.InformationText(), QString("Text: 'IN'\n\nOccurrences: 2"));
        s.Click(*ground);
        QCOMPARE(s.window->windowTitle(), QString("Ground"));
        QCOMPARE(s.InformationText(), QString("Ground Element"));
        // A wire has nothing to edit: the window stays as it was.
        s.Click(*wire);
        QVERIFY(s.view->Selection().Contains(wire));
        QCOMPARE(s.window->SelectedObject(), ground);
        s.ClickEmpty();
        QCOMPARE(s.InformationText(), QString("No selection"));
        QCOMPARE(s.window->windowTitle(), QString("Attributes"));
        s.document->SelectAll(s.view->Selection());
        QVERIFY(s.window->RefreshFromActiveView());
        QCOMPARE(s.InformationText(), QString("Multiple selections"));
    }

    void elementRowsRunTwelveToAColumnWithoutALimit() {
        CSheetWindow s;
        QVERIFY(s.t.app->Start());
        CLibraryData& library = *s.t.app->Library();
        const uint16_t eleven = AddElementWithRows(library, 11);
        const uint16_t twelve = AddElementWithRows(library, 12);
        const uint16_t forty = AddElementWithRows(library, 40);
        s.document = s.t.app->NewDocument();
        s.view = s.t.app->ActiveSchematicView();
        s.window = s.t.app->Attributes();
        QVERIFY(QTest::qWaitForWindowExposed(s.view));
        auto* page = static_cast<CElementAttribute*>(s.window->PageOf(Page::Element));
        CSimPart* a = s.document->PlaceElement(eleven, {100, 100}, 0);
        s.window->ShowSelection(a, s.document, s.view, true);
        s.window->show();
        QCOMPARE(page->RowCount(), 11);
        QCOMPARE(page->ColumnCount(), 1);
        QVERIFY(s.Control<QGroupBox>(1040)->isVisible());
        QVERIFY(!s.Control<QGroupBox>(1041)->isVisible());
        QVERIFY(s.Control<QWidget>(1411));
        // Every row lies inside the first box, one under the other.
        const QRect box = s.Control<QGroupBox>(1040)->geometry();
        for (int i = 1; i <= 11; ++i) {
            QVERIFY(box.contains(s.Control<QWidget>(1400 + i)->geometry()));
            QVERIFY(box.contains(s.Control<QWidget>(1500 + i)->geometry()));
        }
        QVERIFY(s.Control<QWidget>(1411)->y() > s.Control<QWidget>(1410)->y());

        CSimPart* b = s.document->PlaceElement(twelve, {300, 100}, 0);
        s.window->ShowSelection(b, s.document, s.view, true);
        QCOMPARE(page->ColumnCount(), 2);
        QVERIFY(s.Control<QGroupBox>(1041)->isVisible());
        QVERIFY(!s.Control<QWidget>(1413));
        QCOMPARE(s.Control<QWidget>(1412)->y(), s.Control<QWidget>(1020)->y());
        QVERIFY(s.Control<QWidget>(1412)->x() > s.Control<QWidget>(1411)->x());
        QVERIFY(
            s.Control<QGroupBox>(1041)->geometry().contains(s.Control<QWidget>(1412)->geometry()));
        // "Help" ends where the last column ends.
        QCOMPARE(s.Control<QPushButton>(57670)->geometry().right(),
                 s.Control<QGroupBox>(1041)->geometry().right());

        CSimPart* c = s.document->PlaceElement(forty, {500, 100}, 0);
        s.window->ShowSelection(c, s.document, s.view, true);
        QCOMPARE(page->RowCount(), 40);
        QCOMPARE(page->ColumnCount(), 4);
        QVERIFY(s.Control<QWidget>(1424)->x() > s.Control<QWidget>(1423)->x());
        QCOMPARE(s.Control<QWidget>(1424)->y(), s.Control<QWidget>(1412)->y());
        QCOMPARE(s.window->size(), page->PageSize());
        // The whole page is on the window and nothing overlaps the description.
        QVERIFY(QRect(QPoint(), page->PageSize()).contains(s.Control<QWidget>(1440)->geometry()));
        // Values beyond the 33rd are edited and kept like the others.
        s.Type(1440, "7k");
        QCOMPARE(c->GetData().GetValue(40).GetFloat(), 7000.0);
        QCOMPARE(c->GetData().GetValue(40).GetExponent(), 3);
    }

    void typedValuesAreWrittenByTypeAndLinksShowThem() {
        CSheetWindow s;
        QVERIFY(s.Open());
        CSimPart* mosfet = s.Place("MOSFET", {200, 200});
        QVERIFY(mosfet);
        QVERIFY(!mosfet->FindLink(1));
        s.DoubleClick(*mosfet);
        // Ron is put on the sheet.
        QTest::mouseClick(s.Control<QCheckBox>(1501), Qt::LeftButton);
        CSimLink* ron = mosfet->FindLink(1);
        QVERIFY(ron);
        QCOMPARE(ron->GetName(), std::string("10mOhm"));
        QCOMPARE(s.window->CurrentPage(), s.window->PageOf(Page::Element));
        QCOMPARE(s.Control<QLabel>(1038)->text(),
                 QString::fromStdString(mosfet->GetElement()->GetDescription()));
        auto* ronEdit = s.Control<CExEditCtrl>(1401);
        QCOMPARE(ronEdit->text(), QString("10m"));
        QCOMPARE(ronEdit->CharacterSet(), kSetFloat);
        QCOMPARE(s.Control<CExComboBoxCtrl>(1403)->count(), 2);
        // A value no text shows fully keeps every digit when other values change.
        mosfet->GetData().GetValue(2).SetFloatValue(1.0 / 3.0);
        s.window->ShowSelection(nullptr, s.document, s.view, true);
        s.window->ShowSelection(mosfet, s.document, s.view, true);
        auto* state = s.Control<CExComboBoxCtrl>(1403);
        s.document->SetModified(false);
        s.Type(1401, "25m");
        QCOMPARE(mosfet->GetData().GetValue(1).GetFloat(), 0.025);
        QCOMPARE(mosfet->GetData().GetValue(1).GetExponent(), -3);
        QCOMPARE(mosfet->GetData().GetValue(2).GetFloat(), 1.0 / 3.0);
        QVERIFY(s.document->IsModified());
        // The link on the sheet shows the new value at once.
        QCOMPARE(ron->GetName(), std::string("25mOhm"));
        s.Activate();
        state->setFocus();
        QTest::keyClick(state, Qt::Key_Down);
        QTest::keyClick(state, Qt::Key_Return);
        QCOMPARE(mosfet->GetData().GetValue(3).GetInteger(), 1);
        // The name, with its own character set.
        s.Type(1020, "Q_main");
        QCOMPARE(mosfet->GetInstanceName(), std::string("Q_main"));
        // "Help" looks the element up in the help pages.
        QTest::mouseClick(s.Control<QPushButton>(57670), Qt::LeftButton);
        QTRY_VERIFY(s.t.app->HelpWindow().isVisible());
        s.t.app->HelpWindow().hide();
        // Enter with nothing changed leaves the document alone.
        s.document->SetModified(false);
        QTest::keyClick(s.Control<QLineEdit>(1020), Qt::Key_Return);
        QVERIFY(!s.document->IsModified());
    }

    void eachAppliedChangeIsOneStepOfTheDocument() {
        CSheetWindow s;
        QVERIFY(s.Open());
        CSimPart* r = s.Place("R", {200, 200});
        CEditNames journal;
        s.document->SetEditJournal(&journal);
        s.DoubleClick(*r);
        s.Type(1401, "2k", false);
        s.Type(1020, "Rload");  // two rows, one Enter: one step
        QCOMPARE(journal.names, std::vector<std::string>{"Attributes"});
        // The element and its two links changed; the record can give back the old state.
        QCOMPARE(journal.records[0].operations.size(), size_t(3));
        QVERIFY(!journal.records[0].operations[0].before.empty());
        // Enter again with nothing typed adds no step.
        QTest::keyClick(s.Control<QLineEdit>(1020), Qt::Key_Return);
        QCOMPARE(journal.names.size(), size_t(1));
        // A value typed, then a "Display" box: one step with both.
        s.Type(1401, "3k", false);
        QTest::mouseClick(s.Control<QCheckBox>(1501), Qt::LeftButton);
        QCOMPARE(journal.names, (std::vector<std::string>{"Attributes", "Display"}));
        const auto& display = journal.records[1].operations;
        QVERIFY(std::any_of(display.begin(), display.end(), [](const CEditOperation& o) {
            return o.kind == CEditOperation::Kind::Removed;
        }));
        QCOMPARE(r->GetData().GetValue(1).GetFloat(), 3000.0);
        s.document->SetEditJournal(nullptr);
    }

    void theSameObjectAgainWritesBackWithoutRebuilding() {
        CSheetWindow s;
        QVERIFY(s.Open());
        CSimPart* r = s.Place("R", {200, 200});
        s.window->show();
        s.Click(*r);
        QPointer<QWidget> row = s.Control<QWidget>(1401);
        QVERIFY(row);
        s.Type(1401, "2.2k", false);
        s.Click(*r);
        QCOMPARE(r->GetData().GetValue(1).GetFloat(), 2200.0);
        QVERIFY(row);
        QCOMPARE(s.Control<QWidget>(1401), row.data());
        // Turning to another object writes the page back first.
        CSimPart* other = s.Place("R", {400, 200});
        s.Type(1401, "3.3k", false);
        s.Click(*other);
        QCOMPARE(r->GetData().GetValue(1).GetFloat(), 3300.0);
        QCOMPARE(s.window->SelectedObject(), other);
        QCOMPARE(s.Control<QLineEdit>(1020)->text(), QString::fromStdString(other->GetName()));
    }

    void displayBoxesAddAndRemoveExactlyOneLink() {
        CSheetWindow s;
        QVERIFY(s.Open());
        CSimPart* mosfet = s.Place("MOSFET", {200, 200});
        s.DoubleClick(*mosfet);
        auto* vd = s.Control<QCheckBox>(1502);
        QVERIFY(vd);
        QVERIFY(!vd->isChecked());
        QCOMPARE(vd->accessibleName(), QString("Display Vd"));
        const size_t objects = s.document->GetObjectCount();
        QTest::mouseClick(vd, Qt::LeftButton);
        QVERIFY(vd->isChecked());
        QCOMPARE(LinksOf(*mosfet, 2), 1);
        QCOMPARE(s.document->GetObjectCount(), objects + 1);
        // Links stack under the element, one per line.
        const CSimLink* nameLink = mosfet->FindLink(0);
        const CSimLink* vdLink = mosfet->FindLink(2);
        QVERIFY(nameLink && vdLink);
        QVERIFY(vdLink->GetBounds().top > nameLink->GetBounds().bottom);
        QTest::mouseClick(vd, Qt::LeftButton);
        QCOMPARE(LinksOf(*mosfet, 2), 0);
        QCOMPARE(s.document->GetObjectCount(), objects);
        // The name box of an element whose name may be shown.
        auto* name = s.Control<QCheckBox>(1500);
        QVERIFY(name->isVisible());
        QVERIFY(name->isChecked());  // placed with its name shown
        QTest::mouseClick(name, Qt::LeftButton);
        QCOMPARE(LinksOf(*mosfet, 0), 0);
        // A value typed before the box is checked is what the new link shows.
        s.Type(1402, "0.7", false);
        QTest::mouseClick(vd, Qt::LeftButton);
        QCOMPARE(mosfet->FindLink(2)->GetName(), std::string("0.7V"));
    }

    void removedObjectsAndClosedWindowsAreForgotten() {
        CSheetWindow s;
        QVERIFY(s.Open());
        CSimPart* r = s.Place("R", {200, 200});
        s.DoubleClick(*r);
        QVERIFY(s.window->isVisible());
        s.document->DeleteObject(*r);
        QVERIFY(!s.window->isVisible());
        QVERIFY(!s.window->SelectedObject());
        QVERIFY(!s.window->ApplyCurrentPage());
        // The window of the shown element closes: the window writes back and lets go.
        CSimPart* c = s.Place("C", {200, 200});
        s.DoubleClick(*c);
        s.Type(1401, "47u", false);
        s.document->SetModified(false);
        s.t.prompts->answers.push_back(Answer::No);
        s.t.app->MainFrame()->MdiArea()->closeAllSubWindows();
        QTRY_VERIFY(s.t.app->MainFrame()->MdiArea()->subWindowList().isEmpty());
        QVERIFY(!s.window->SelectedObject());
        QVERIFY(!s.window->Document());
        // The save question saw the typed value as a change.
        QCOMPARE(s.t.prompts->shown.size(), size_t(1));
        QCOMPARE(s.t.prompts->shown[0].kind, std::string("question"));
    }

    void pendingEditsAreSavedAndReachTheNetlist() {
        QTemporaryDir folder;
        CSheetWindow s;
        QVERIFY(s.Open());
        CSimPart* r = s.Place("R", {200, 200});
        s.DoubleClick(*r);
        s.Type(1401, "4.7k", false);  // no Enter: the save writes it back
        const std::string path = folder.filePath("filter.sch").toStdString();
        s.t.prompts->fileNames.push_back(path);
        s.PressKey(Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(s.document->GetPathName(), path);
        QVERIFY(!s.document->IsModified());
        // The netlist of the saved sheet, as read back from the file.
        CCircuit* saved = s.t.app->OpenDocument(path);
        QCOMPARE(saved, s.document);
        const auto netlist = WriteNetlistFile(*s.document, CNetlistFolders{}, false, *s.t.prompts);
        QVERIFY(netlist);
        const QByteArray text = ReadFile(QString::fromStdString(*netlist));
        QVERIFY2(text.contains("'R' 'R1' ") && text.contains(" 4700 "), text.constData());
        auto& manager = s.t.app->DocTemplate()->Manager();
        manager.CloseAll();
        auto reread = manager.OpenDocument(path);
        QVERIFY(reread);
        const CSimPart* back = reread->FindElementByName("R1");
        QCOMPARE(back->GetData().GetValue(1).GetFloat(), 4700.0);
        QCOMPARE(back->GetData().GetValue(1).GetDisplayText(), std::string("4.7k"));
    }

    void textPageSetsTextColourJustificationAndFont() {
        CSheetWindow s;
        QVERIFY(s.Open());
        auto* text = static_cast<CSimText*>(s.document->AddObject(
            CSimText::Create(s.document->GetEnvironment(), "Buck stage", {200, 100}, 0)));
        s.DoubleClick(*text);
        QCOMPARE(s.window->windowTitle(), QString("Text"));
        auto* edit = s.Control<QLineEdit>(1025);
        QCOMPARE(edit->text(), QString("Buck stage"));
        QVERIFY(!edit->isReadOnly());
        auto* colors = s.Control<CColorComboBox>(1028);
        auto* justify = s.Control<CExComboBoxCtrl>(1044);
        QCOMPARE(justify->itemText(0), QString("Center"));
        s.Activate();
        colors->setFocus();
        QTest::keyClick(colors, Qt::Key_End);
        justify->setFocus();
        QTest::keyClick(justify, Qt::Key_Down);
        s.Type(1025, "Output filter");
        const CSHTextAdvance& shape = text->GetTextShape();
        QCOMPARE(shape.GetText(), std::string("Output filter"));
        QCOMPARE(int(shape.GetColorIndex()), 7);
        QCOMPARE(shape.GetStyle() & 0xF0000u, uint32_t(CSHTextAdvance::kJustifyLeft));
        QCOMPARE(shape.GetStyle() & CSHTextAdvance::kWeightMask, 400u);
        // The font dialog: bold 20 pixels.
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            QFont font(QStringLiteral("DejaVu Sans"));
            font.setPixelSize(20);
            font.setBold(true);
            dialog->setCurrentFont(font);
            dialog->accept();
        });
        s.document->SetModified(false);
        QTest::mouseClick(s.Control<QPushButton>(1026), Qt::LeftButton);
        QCOMPARE(shape.GetHeight(), -20);
        QCOMPARE(shape.GetStyle() & CSHTextAdvance::kWeightMask, 700u);
        QCOMPARE(shape.GetStyle() & 0xF0000u, uint32_t(CSHTextAdvance::kJustifyLeft));
        QVERIFY(s.document->IsModified());
        // A link's text is its value: read only here.
        CSimPart* r = s.Place("R", {400, 300});
        CSimLink* link = r->FindLink(1);
        QVERIFY(link);
        s.DoubleClick(*link);
        QVERIFY(s.Control<QLineEdit>(1025)->isReadOnly());
        QTest::keyClicks(s.Control<QLineEdit>(1025), "x");
        QTest::keyClick(s.Control<QLineEdit>(1025), Qt::Key_Return);
        QCOMPARE(link->GetName(), r->GetData().GetValue(1).GetDisplayText() + "Ohm");
    }

    void simulationControlPageEditsTheDocumentsParameters() {
        CSheetWindow s;
        QVERIFY(s.Open());
        CPart* control =
            s.document->AddObject(CSimControl::Create(s.document->GetEnvironment(), {100, 100}, 0));
        s.DoubleClick(*control);
        QCOMPARE(s.window->windowTitle(), QString("Simulation Control"));
        QCOMPARE(s.Control<QLineEdit>(1070)->text(), QString("1E-005"));
        s.Type(1070, "2u", false);
        s.Type(1071, "20m", false);
        s.Type(1073, "5", false);
        auto* save = s.Control<CExComboBoxCtrl>(1037);
        s.Activate();
        save->setFocus();
        QTest::keyClick(save, Qt::Key_Down);
        QTest::keyClick(save, Qt::Key_Return);
        const auto& parameters = s.document->GetSimulationParameters();
        QCOMPARE(parameters[1].GetFloat(), 2e-6);
        QCOMPARE(parameters[1].GetDisplayText(), std::string("2u"));
        QCOMPARE(parameters[2].GetFloat(), 0.02);
        QCOMPARE(parameters[3].GetFloat(), 0.0);  // untouched
        QCOMPARE(parameters[4].GetInteger(), 5);
        QCOMPARE(parameters[5].GetInteger(), 0);
        QCOMPARE(parameters[6].GetInteger(), 1);
        QCOMPARE(parameters[6].GetType(), uint16_t(CGenType::Integer));
        QVERIFY(s.document->IsModified());
    }

    void subcircuitSizesAreTensFromFortyToFourHundred() {
        QTemporaryDir folder;
        CSheetWindow s;
        QVERIFY(s.Open());
        auto& manager = s.t.app->DocTemplate()->Manager();
        auto sheet = manager.CreateUntitled(manager.GetContext());
        auto* block = static_cast<CSubCirPart*>(s.document->AddObject(
            CSubCirPart::Create(s.document->GetEnvironment(), sheet, {300, 200}, 0)));
        s.DoubleClick(*block);
        // A double click on a block opens its sheet; the page comes with a click.
        QCOMPARE(s.t.app->MainFrame()->MdiArea()->subWindowList().size(), 2);
        QCOMPARE(s.t.app->ActiveSchematicView()->Document(), sheet.get());
        QVERIFY(!s.window->isVisible());
        s.t.app->MainFrame()->MdiArea()->setActiveSubWindow(
            s.t.app->MainFrame()->MdiArea()->subWindowList().first());
        s.window->ShowSelection(block, s.document, s.view, true);
        s.window->show();
        QCOMPARE(s.window->windowTitle(), QString("Subcircuit"));
        auto* width = s.Control<CExComboBoxCtrl>(1068);
        auto* height = s.Control<CExComboBoxCtrl>(1069);
        QCOMPARE(width->count(), 37);
        for (int i = 0; i < width->count(); ++i)
            QCOMPARE(width->itemText(i).toInt() * 10, 40 + 10 * i);
        QCOMPARE(width->currentText(), QString("5"));  // the new sheet's 50 by 70
        QCOMPARE(height->currentText(), QString("7"));
        s.Activate();
        width->setFocus();
        QTest::keyClick(width, Qt::Key_End);
        QTest::keyClick(width, Qt::Key_Return);
        QCOMPARE(sheet->GetSymbolBox().Width(), 400.0f);
        QCOMPARE(sheet->GetSymbolBox().Height(), 70.0f);
        QCOMPARE(block->GetBounds().Width(), 400.0f);
        QCOMPARE(CSubcircuitAttribute::SizeIndex(44.9f), 0);
        QCOMPARE(CSubcircuitAttribute::SizeIndex(45.0f), 1);  // halves away from zero
        QCOMPARE(CSubcircuitAttribute::SizeIndex(1e6f), 36);
    }

    void changingTheFileNameAsksWhenOtherInstancesUseIt() {
        QTemporaryDir folder;
        CSheetWindow s;
        QVERIFY(s.Open());
        auto& manager = s.t.app->DocTemplate()->Manager();
        auto sheet = manager.CreateUntitled(manager.GetContext());
        QVERIFY(manager.SaveUnderName(*sheet, folder.filePath("leg.sch").toStdString()));
        const CPartEnvironment& env = s.document->GetEnvironment();
        auto* first = static_cast<CSubCirPart*>(
            s.document->AddObject(CSubCirPart::Create(env, sheet, {200, 200}, 0)));
        auto* second = static_cast<CSubCirPart*>(
            s.document->AddObject(CSubCirPart::Create(env, sheet, {400, 200}, 0)));
        s.window->show();
        s.Click(*first);
        QCOMPARE(s.Control<QLineEdit>(1035)->text(), folder.filePath("leg.sch"));
        QVERIFY(s.Control<QLineEdit>(1035)->isReadOnly());
        // Cancel: nothing changes.
        s.t.prompts->fileNames = {folder.filePath("arm.sch").toStdString()};
        s.t.prompts->answers = {Answer::Cancel};
        QTest::mouseClick(s.Control<QPushButton>(1031), Qt::LeftButton);
        QCOMPARE(s.t.prompts->fileRequests.back().title,
                 std::string("Change Subcircuit File Name"));
        QCOMPARE(s.t.prompts->LastMessage(),
                 std::string("Do You Want to Change the File Name for All Instances of This "
                             "Subcircuit?"));
        QCOMPARE(sheet->GetPathName(), folder.filePath("leg.sch").toStdString());
        QVERIFY(!QFile::exists(folder.filePath("arm.sch")));
        // No: only this instance moves, to a copy under the new name.
        s.t.prompts->fileNames = {folder.filePath("arm.sch").toStdString()};
        s.t.prompts->answers = {Answer::No};
        QTest::mouseClick(s.Control<QPushButton>(1031), Qt::LeftButton);
        QCOMPARE(first->GetName(), std::string("arm"));
        QCOMPARE(second->GetName(), std::string("leg"));
        QCOMPARE(s.Control<QLineEdit>(1035)->text(), folder.filePath("arm.sch"));
        QVERIFY(s.document->IsModified());
        // Yes for the remaining one (the only user now, so nothing is asked).
        s.Click(*second);
        s.t.prompts->shown.clear();
        s.t.prompts->fileNames = {folder.filePath("knee.sch").toStdString()};
        QTest::mouseClick(s.Control<QPushButton>(1031), Qt::LeftButton);
        QVERIFY(s.t.prompts->shown.empty() || s.t.prompts->shown.back().kind == "save");
        QCOMPARE(sheet->GetPathName(), folder.filePath("knee.sch").toStdString());
        QCOMPARE(second->GetName(), std::string("knee"));
    }

    void portPageChoosesAndRenamesPortsOfTheSheet() {
        CSheetWindow s;
        QVERIFY(s.Open());
        const CPartEnvironment& env = s.document->GetEnvironment();
        auto* port =
            static_cast<CSimTerm*>(s.document->AddObject(CSimTerm::Create(env, 2, {200, 200}, 0)));
        s.document->AddObject(CSimTerm::Create(env, 3, {200, 300}, 0));
        s.document->GetPortNames()[2] = "IN";
        s.DoubleClick(*port);
        QCOMPARE(s.window->windowTitle(), QString("Port"));
        auto* page = static_cast<CTerminalAttribute*>(s.window->PageOf(Page::Port));
        CPortPicture* picture = page->Picture();
        QCOMPARE(picture->objectName(), QString("id1029"));
        QCOMPARE(picture->Chosen(), 2);
        QCOMPARE(s.Control<QLineEdit>(1030)->text(), QString("IN"));
        // The chosen port is red, the one another port object uses green, the rest hollow.
        // (Inside each rectangle, off the block's outline that runs through its centre.)
        const QImage image = picture->grab().toImage();
        const auto inside = [&](int port) {
            return QColor(image.pixel(picture->PortRect(port).center().toPoint() + QPoint(2, 2)));
        };
        QCOMPARE(inside(2), QColor(255, 0, 0));
        QCOMPARE(inside(3), QColor(0, 128, 0));
        QCOMPARE(inside(5), picture->palette().color(QPalette::Base));
        // The hand shows over a port that may be chosen, the arrow over the used one.
        QTest::mouseMove(picture, picture->PortRect(5).center().toPoint());
        QCOMPARE(picture->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseMove(picture, picture->PortRect(3).center().toPoint());
        QCOMPARE(picture->cursor().shape(), Qt::ArrowCursor);
        QTest::mouseClick(picture, Qt::LeftButton, {}, picture->PortRect(3).center().toPoint());
        QCOMPARE(picture->Chosen(), 2);
        QTest::mouseClick(picture, Qt::LeftButton, {}, picture->PortRect(5).center().toPoint());
        QCOMPARE(picture->Chosen(), 5);
        QCOMPARE(s.Control<QLineEdit>(1030)->text(), QString());
        // A name takes effect as it is typed.
        s.document->SetModified(false);
        s.Type(1030, "OUT", false);
        QCOMPARE(s.document->GetPortName(5), std::string("OUT"));
        QVERIFY(s.document->IsModified());
        QCOMPARE(port->GetPortNumber(), 2);
        QTest::keyClick(s.Control<QLineEdit>(1030), Qt::Key_Return);
        QCOMPARE(port->GetPortNumber(), 5);
        QCOMPARE(s.document->GetPortObject(5), port);
        QCOMPARE(s.document->GetPortObject(2), nullptr);
        QCOMPARE(port->GetName(), std::string("OUT"));
    }
};

QTEST_MAIN(AttributeWindowTest)
#include "attribute_window_test.moc"
