// The library page of the attribute window, the attribute definition dialog, new
// elements and their copies, placed elements following a saved library, and the whole
// way from a new element to its netlist line.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "core/document/circuit.h"
#include "core/document/edit_step.h"
#include "core/library/library_data.h"
#include "core/library/library_edit_step.h"
#include "core/netlist/netlist_writer.h"
#include "core/objects/sim_link.h"
#include "core/objects/sim_part.h"
#include "gui/attributes/kestro_attributes.h"
#include "gui/commands/command_ids.h"
#include "gui/commands/command_table.h"
#include "gui/frames/main_frame.h"
#include "gui/library_editor/definition_text.h"
#include "gui/library_editor/definition_tree.h"
#include "gui/library_editor/lib_attrib_dlg.h"
#include "gui/library_editor/menu_tree.h"
#include "gui/library_editor/menu_tree_dialog.h"
#include "gui/library_editor/net_line_dlg.h"
#include "tests/gui/support/editor_fixture.h"
#include "tests/gui/support/gui_test_support.h"

using namespace kestro;

namespace {

const char kEmptyName[] = "Netlist Name Can Not be Empty.";
const char kNameTaken[] = "This Netlist Name Already Exist.\nPlease Choose Another Name.";
const char kGroundQuestion[] = "You are creating a new GROUND element.\nDo you want to continue?";

// Acts on the next modal dialog as soon as it shows (from inside its exec()). A dialog
// the act leaves open (a check in it failed) is cancelled, so the test goes on.
void OnNextDialog(std::function<void(QDialog&)> act) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        QPointer<QDialog> dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        act(*dialog);
        if (dialog && dialog->isVisible()) dialog->reject();
    });
    timer->start();
}

template <typename T>
T* Control(QWidget& parent, int id) {
    return parent.findChild<T*>(QStringLiteral("id%1").arg(id));
}

void Click(QWidget& parent, int id) {
    auto* button = Control<QPushButton>(parent, id);
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

void Type(QWidget& parent, int id, const QString& text) {
    auto* edit = Control<QLineEdit>(parent, id);
    QVERIFY(edit);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

// Picks an entry of the type list with the keyboard, as a user would.
void ChooseType(QDialog& dialog, int index) {
    auto* type = Control<QComboBox>(dialog, 1011);
    type->setFocus();
    while (type->currentIndex() < index)
        QTest::keyClick(type, Qt::Key_Down);
    while (type->currentIndex() > index)
        QTest::keyClick(type, Qt::Key_Up);
}

// Keeps every committed edit of a sheet.
struct CRecordingJournal : CEditJournal {
    void OnEditCommitted(CCircuit&, CEditRecord record) override {
        records.push_back(std::move(record));
    }
    std::vector<CEditRecord> records;
};

// Keeps the labels of the library's committed changes.
struct CLabelJournal : CLibraryJournal {
    void Record(CLibraryEditRecord record) override { labels.push_back(record.label); }
    std::vector<std::string> labels;
};

std::vector<std::string> DefinitionNames(const CLibElement& element) {
    std::vector<std::string> names;
    for (const auto& d : element.GetDefinitions())
        names.push_back(d->GetName());
    return names;
}

// An application with a new element "TESTX" (two terminals, a Float "R" 1k and a String
// "S" hello) shown on the library page.
struct CPageFixture {
    CTestApp t;
    CLibraryData* library = nullptr;
    CLibElement* element = nullptr;
    CLibAttribDlg* page = nullptr;

    bool Open(std::string folder = {}) {
        t = MakeTestApp(folder);
        if (!t.app->Start()) return false;
        library = t.app->Library();
        const int id = library->AddElementNamed("TESTX");
        if (id < 0) return false;
        element = library->GetElement(uint32_t(id));
        element->GetOutputPoints() = {{-20, 0}, {20, 0}};
        CGenType r = CGenType::MakeFloat(0.0);
        r.SetFromText("1k");
        element->AddDefinition(CNetLine("R", "Ohm", r, 0));
        element->AddDefinition(CNetLine("S", "", CGenType::MakeString("hello"), 0));
        Show();
        return page != nullptr;
    }
    void Show() {
        CKestroAttributes& window = *t.app->Attributes();
        window.ShowLibraryElement(element, nullptr, nullptr, true);
        window.show();
        page = qobject_cast<CLibAttribDlg*>(window.CurrentPage());
        if (page) page->LoadPage();  // the element may have changed behind the page
    }
    CDefinitionTree& Tree() const { return *page->Tree(); }
};

}  // namespace

class LibraryAttributesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { IsolateUserFolders(); }

    void listLinesAndPreview();
    void pageLoadsAndApplies();
    void freshDefinitionIsOnlyAdded();
    void addAsNewKeepsTheEditedDefinition();
    void typeChangesConvertTheValue();
    void flagsOfTheDialog();
    void enterDoesNotCloseTheDialog();
    void deleteKeyAndReorderingDrag();
    void newElementRefusesAndCreates();
    void saveElementAsAsksForGround();
    void placedElementsFollowTheSavedLibrary();
    void manyAttributesAreKept();
    void roundTripToTheNetlist();
};

void LibraryAttributesTest::listLinesAndPreview() {
    CGenType r = CGenType::MakeFloat(0.0);
    r.SetFromText("1k");
    const CNetLine plain("R", "Ohm", r, 0);
    QCOMPARE(DefinitionListLine(plain),
             std::string("R          , Float                , Ohm        , 1000         "));
    const CNetLine marked("Model", "", CGenType::MakeString("x"),
                          CNetLine::kHidden | CNetLine::kTextLink);
    QCOMPARE(DefinitionListLine(marked),
             std::string("Model      , String               ,            , 'x'        "
                         ",HIDE ,(TEXT LINK)"));
    const CNetLine bare("M", "", CGenType::MakeString("x"), CNetLine::kNoQuotation);
    QCOMPARE(DefinitionValueText(bare), std::string("x "));
    QCOMPARE(DefinitionValueText(CNetLine("B", "", CGenType::MakeBoolean(true), 0)),
             std::string("1 "));
    QCOMPARE(DefinitionValueText(CNetLine("I", "", CGenType::MakeInteger(-7), 0)),
             std::string("-7 "));

    auto element = CLibElement::MakeNew("DIODE");
    element->GetOutputPoints() = {{0, 0}, {10, 0}, {20, 0}};
    QCOMPARE(NetlistPreview(*element, "D", {&plain, &bare}),
             std::string("'DIODE' 'D' N1 N2 N3 1000 x "));
    element->SetFlags(element->GetFlags() | CLibElement::kGround);
    QCOMPARE(NetlistPreview(*element, "D", {&plain}), std::string());
}

void LibraryAttributesTest::pageLoadsAndApplies() {
    CPageFixture f;
    QVERIFY(f.Open());
    CLibAttribDlg& page = *f.page;
    QCOMPARE(Control<QLineEdit>(page, 1009)->text(), QStringLiteral("TESTX"));
    QVERIFY(Control<QCheckBox>(page, 1042)->isChecked());  // a new element's name may be a link
    QVERIFY(!Control<QCheckBox>(page, 1043)->isChecked());
    QVERIFY(Control<QCheckBox>(page, 1016)->isChecked());
    QVERIFY(!Control<QCheckBox>(page, 1018)->isVisible());
    QCOMPARE(f.Tree().topLevelItemCount(), 2);
    QCOMPARE(page.PreviewText(), QStringLiteral("'TESTX' 'TESTX' N1 N2 1000 'hello' "));

    // 1043 follows 1042; unchecking the link also drops the shown state.
    auto* link = Control<QCheckBox>(page, 1042);
    auto* shown = Control<QCheckBox>(page, 1043);
    QTest::mouseClick(shown, Qt::LeftButton);
    QVERIFY(shown->isChecked());
    QTest::mouseClick(link, Qt::LeftButton);
    QVERIFY(!shown->isEnabled());
    QTest::mouseClick(Control<QCheckBox>(page, 1016), Qt::LeftButton);
    Type(page, 1007, QStringLiteral("Test element"));
    Type(page, 1009, QStringLiteral("TX"));
    QCOMPARE(page.PreviewText(), QStringLiteral("'TESTX' 'TX' N1 N2 1000 'hello' "));
    f.element->SetFlags(f.element->GetFlags() | 0x40000);  // a bit the page does not own
    f.library->SetModified(false);
    CLabelJournal journal;
    f.library->SetJournal(&journal);
    QTest::keyClick(Control<QLineEdit>(page, 1009), Qt::Key_Return);
    f.library->SetJournal(nullptr);
    QCOMPARE(journal.labels, std::vector<std::string>{"Library Attributes"});

    QCOMPARE(f.element->GetDescription(), std::string("Test element"));
    const CNetLine& name = f.element->GetDefinition(0);
    QCOMPARE(name.GetValue().GetType(), uint16_t(CGenType::String));
    QCOMPARE(name.GetValue().GetString(), std::string("TX"));
    QCOMPARE(name.GetFlags() & 0x300u, 0u);
    QCOMPARE(f.element->GetFlags(), 0x40000u);
    QVERIFY(f.library->IsModified());
    // Applying again without a change leaves the library as it is.
    f.library->SetModified(false);
    QVERIFY(!page.ApplyPage());
    QVERIFY(!f.library->IsModified());
}

void LibraryAttributesTest::freshDefinitionIsOnlyAdded() {
    CPageFixture f;
    QVERIFY(f.Open());
    f.Tree().setCurrentItem(f.Tree().topLevelItem(0));  // "R" selected
    bool okDisabled = false;
    OnNextDialog([&](QDialog& dialog) {
        okDisabled = !Control<QPushButton>(dialog, 1006)->isEnabled();
        Click(dialog, 1006);  // refused: the dialog stays
        Type(dialog, 1010, QStringLiteral("L"));
        Type(dialog, 1012, QStringLiteral("H"));
        Type(dialog, 1013, QStringLiteral("10u"));
        Click(dialog, 1019);
    });
    Click(*f.page, 1019);
    QVERIFY(okDisabled);
    QCOMPARE(DefinitionNames(*f.element), (std::vector<std::string>{"Name", "R", "L", "S"}));
    const CNetLine& added = f.element->GetDefinition(2);
    QCOMPARE(added.GetId(), CNetLine::ComputeId("L", CGenType::Float));
    QCOMPARE(added.GetValue().GetFloat(), 10e-6);
    QCOMPARE(f.Tree().currentItem(), f.Tree().topLevelItem(1));
    QCOMPARE(f.page->PreviewText(), QStringLiteral("'TESTX' 'TESTX' N1 N2 1000 1E-005 'hello' "));
    QVERIFY(f.library->IsModified());

    // Nothing selected: a fresh definition goes to the end; a cancelled one nowhere.
    f.Tree().setCurrentItem(nullptr);
    OnNextDialog([](QDialog& dialog) {
        Type(dialog, 1010, QStringLiteral("Last"));
        Click(dialog, 1019);
    });
    Click(*f.page, 1019);
    OnNextDialog([](QDialog& dialog) { Click(dialog, 2); });
    Click(*f.page, 1019);
    QCOMPARE(DefinitionNames(*f.element),
             (std::vector<std::string>{"Name", "R", "L", "S", "Last"}));
}

void LibraryAttributesTest::addAsNewKeepsTheEditedDefinition() {
    CPageFixture f;
    QVERIFY(f.Open());
    QTreeWidgetItem* r = f.Tree().topLevelItem(0);
    OnNextDialog([](QDialog& dialog) {
        QVERIFY(Control<QPushButton>(dialog, 1006)->isEnabled());
        QCOMPARE(Control<QLineEdit>(dialog, 1013)->text(), QStringLiteral("1k"));
        Type(dialog, 1010, QStringLiteral("R2"));
        Click(dialog, 1019);
    });
    QTest::mouseDClick(f.Tree().viewport(), Qt::LeftButton, {},
                       f.Tree().visualItemRect(r).center());
    QCOMPARE(DefinitionNames(*f.element), (std::vector<std::string>{"Name", "R", "R2", "S"}));
    QCOMPARE(f.element->GetDefinition(1).GetId(), CNetLine::ComputeId("R", CGenType::Float));

    // OK changes the definition in place, with a new identifier for its new type (F2 is
    // the keyboard's double click).
    OnNextDialog([](QDialog& dialog) {
        ChooseType(dialog, CNetLineDlg::kIntegerIndex);
        Click(dialog, 1006);
    });
    f.Tree().setFocus();
    f.Tree().setCurrentItem(f.Tree().topLevelItem(0));
    QTest::keyClick(&f.Tree(), Qt::Key_F2);
    const CNetLine& changed = f.element->GetDefinition(1);
    QCOMPARE(changed.GetValue().GetType(), uint16_t(CGenType::Integer));
    QCOMPARE(changed.GetValue().GetInteger(), 1);
    QCOMPARE(changed.GetId(), CNetLine::ComputeId("R", CGenType::Integer));
    QVERIFY(f.Tree().topLevelItem(0)->text(0).contains(QStringLiteral("Integer")));
}

void LibraryAttributesTest::typeChangesConvertTheValue() {
    CGenType k = CGenType::MakeFloat(0.0);
    k.SetFromText("1k");
    CNetLineDlg dialog(CNetLine("R", "", k, 0), false);
    dialog.show();
    auto* value = Control<QLineEdit>(dialog, 1013);
    auto* quote = Control<QCheckBox>(dialog, 1018);
    QCOMPARE(value->text(), QStringLiteral("1k"));
    QVERIFY(!quote->isEnabled());
    ChooseType(dialog, CNetLineDlg::kIntegerIndex);
    QCOMPARE(value->text(), QStringLiteral("1"));
    ChooseType(dialog, CNetLineDlg::kStringIndex);
    QVERIFY(quote->isEnabled());
    Type(dialog, 1013, QStringLiteral("abc"));
    ChooseType(dialog, CNetLineDlg::kIntegerIndex);
    QCOMPARE(value->text(), QStringLiteral("0"));
    QVERIFY(!quote->isEnabled());

    QCOMPARE(CNetLineDlg::ConvertText(QStringLiteral("4.7k"), CNetLineDlg::kFloatIndex),
             QStringLiteral("4.7k"));
    QCOMPARE(CNetLineDlg::ConvertText(QStringLiteral("12abc"), CNetLineDlg::kBooleanIndex),
             QStringLiteral("1"));
    QCOMPARE(CNetLineDlg::ConvertText(QStringLiteral("-3"), CNetLineDlg::kIntegerIndex),
             QStringLiteral("-3"));
    QCOMPARE(CNetLineDlg::ConvertText(QStringLiteral("99999999999"), CNetLineDlg::kIntegerIndex),
             QStringLiteral("2147483647"));
}

void LibraryAttributesTest::flagsOfTheDialog() {
    // Link with its shown state, no quotation, and bits the dialog does not own.
    const uint32_t start = CNetLine::kTextLink | CNetLine::kLinkAtPlacement | CNetLine::kHidden |
                           CNetLine::kPrimaryValue | 0x8000;
    CNetLineDlg dialog(CNetLine("M", "", CGenType::MakeString("m1"), start), false);
    dialog.show();
    auto* link = Control<QCheckBox>(dialog, 1015);
    auto* shown = Control<QCheckBox>(dialog, 1017);
    QVERIFY(shown->isChecked() && shown->isEnabled());
    QTest::mouseClick(link, Qt::LeftButton);
    QVERIFY(!shown->isEnabled());
    QTest::mouseClick(Control<QCheckBox>(dialog, 1018), Qt::LeftButton);
    Click(dialog, 1006);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    // Unchecking the link also drops the shown state; hidden and primary are kept.
    QCOMPARE(dialog.Definition().GetFlags(),
             CNetLine::kHidden | CNetLine::kPrimaryValue | CNetLine::kNoQuotation | 0x8000u);

    // Without quotes in the list and the preview.
    CPageFixture f;
    QVERIFY(f.Open());
    f.element->GetDefinition(2).SetFlags(CNetLine::kNoQuotation);
    f.Show();
    QVERIFY(f.Tree().topLevelItem(1)->text(0).contains(QStringLiteral(", hello ")));
    QCOMPARE(f.page->PreviewText(), QStringLiteral("'TESTX' 'TESTX' N1 N2 1000 hello "));
}

void LibraryAttributesTest::enterDoesNotCloseTheDialog() {
    CNetLineDlg dialog(CNetLine("R", "", CGenType::MakeFloat(1.0), 0), false);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(Control<QLineEdit>(dialog, 1010), Qt::Key_Return);
    QTest::keyClick(&dialog, Qt::Key_Enter);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), 0);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
}

void LibraryAttributesTest::deleteKeyAndReorderingDrag() {
    CPageFixture f;
    QVERIFY(f.Open());
    f.element->AddDefinition(CNetLine("T", "", CGenType::MakeInteger(3), 0));
    f.Show();
    CDefinitionTree& tree = f.Tree();
    QWidget* viewport = tree.viewport();
    const auto centre = [&](int row) {
        return tree.visualItemRect(tree.topLevelItem(row)).center();
    };
    // Through another line, so that a drag back onto the line itself has begun.
    const auto drag = [&](int from, int to) {
        QTest::mousePress(viewport, Qt::LeftButton, {}, centre(from));
        QTest::mouseMove(viewport, centre(from == 0 ? 1 : 0));
        QTest::mouseMove(viewport, centre(to));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, centre(to));
    };
    f.library->SetModified(false);
    drag(0, 2);  // R after T
    QCOMPARE(DefinitionNames(*f.element), (std::vector<std::string>{"Name", "S", "T", "R"}));
    QCOMPARE(tree.currentItem(), tree.topLevelItem(2));
    QCOMPARE(f.page->PreviewText(), QStringLiteral("'TESTX' 'TESTX' N1 N2 'hello' 3 1000 "));
    QVERIFY(f.library->IsModified());

    // On itself, or below every line: a beep and the same order.
    QSignalSpy beeps(&tree, &CDefinitionTree::Beeped);
    drag(1, 1);
    const QPoint below(centre(2).x(), viewport->height() - 2);
    QTest::mousePress(viewport, Qt::LeftButton, {}, centre(0));
    QTest::mouseMove(viewport, centre(0) + QPoint(0, 6));
    QTest::mouseMove(viewport, below);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, below);
    QCOMPARE(beeps.count(), 2);
    QCOMPARE(DefinitionNames(*f.element), (std::vector<std::string>{"Name", "S", "T", "R"}));

    // Delete removes the selected definition at once.
    tree.setFocus();
    tree.setCurrentItem(tree.topLevelItem(1));
    QTest::keyClick(&tree, Qt::Key_Delete);
    QCOMPARE(DefinitionNames(*f.element), (std::vector<std::string>{"Name", "S", "R"}));
    QCOMPARE(tree.topLevelItemCount(), 2);
    QCOMPARE(f.page->PreviewText(), QStringLiteral("'TESTX' 'TESTX' N1 N2 'hello' 1000 "));
}

void LibraryAttributesTest::newElementRefusesAndCreates() {
    CTestApp t = MakeTestApp();
    QVERIFY(t.app->Start());
    CLibraryData& library = *t.app->Library();
    const uint32_t count = library.GetElementCount();
    const std::string existing = library.GetElement(1)->GetName();
    t.app->MainFrame()->CommandTable().Execute(kIdEditLibrary);
    CMenuTreeDialog* editor = t.app->MenuEditor();
    QVERIFY(editor && editor->CommandAction(kIdNewLibraryElement)->isEnabled());
    library.SetModified(false);
    CLabelJournal journal;
    library.SetJournal(&journal);

    bool stayedOpen = false;
    OnNextDialog([&](QDialog& dialog) {
        QCOMPARE(dialog.objectName(), QStringLiteral("id180"));
        Click(dialog, 1);
        Type(dialog, 1046, QString::fromStdString(existing).toLower());
        Click(dialog, 1);
        stayedOpen = dialog.isVisible();
        Type(dialog, 1046, QStringLiteral("NEWONE"));
        Click(dialog, 1);
    });
    editor->CommandAction(kIdNewLibraryElement)->trigger();
    QVERIFY(stayedOpen);
    QCOMPARE(t.prompts->Messages(), (std::vector<std::string>{kEmptyName, kNameTaken}));
    library.SetJournal(nullptr);
    QCOMPARE(journal.labels, std::vector<std::string>{"New Element"});
    QCOMPARE(library.GetElementCount(), count + 1);
    const CLibElement* added = library.GetElement(count);
    QCOMPARE(added->GetName(), std::string("NEWONE"));
    QCOMPARE(added->GetDefinition(0).GetValue().GetString(), std::string("NEWONE"));
    QVERIFY(library.IsModified());
    QTreeWidget& tree = *editor->Tree();
    QTreeWidgetItem* last = tree.topLevelItem(tree.topLevelItemCount() - 1);
    QCOMPARE(last->text(0), QStringLiteral("NEWONE"));
    QCOMPARE(CMenuTree::ElementOf(last), int(count));

    // Cancel adds nothing.
    OnNextDialog([](QDialog& dialog) { Click(dialog, 2); });
    QCOMPARE(t.app->NewLibraryElement(false), -1);
    QCOMPARE(library.GetElementCount(), count + 1);
}

void LibraryAttributesTest::saveElementAsAsksForGround() {
    CTestApp t = MakeTestApp();
    QVERIFY(t.app->Start());
    CLibraryData& library = *t.app->Library();
    std::vector<uint32_t> opened;
    t.app->SetLibraryElementOpener([&](uint32_t id) { opened.push_back(id); });
    CLibElement& ground = *library.GetElement(0);
    QVERIFY(ground.IsGround());
    const uint32_t count = library.GetElementCount();

    t.prompts->answers = {Answer::No};
    QCOMPARE(t.app->SaveLibraryElementAs(ground), -1);
    QCOMPARE(t.prompts->Messages(), (std::vector<std::string>{kGroundQuestion}));

    t.prompts->answers = {Answer::Yes};
    OnNextDialog([](QDialog& dialog) {
        Type(dialog, 1046, QStringLiteral("GND2"));
        Click(dialog, 1);
    });
    QCOMPARE(t.app->SaveLibraryElementAs(ground), int(count));
    const CLibElement* copy = library.GetElement(count);
    QCOMPARE(copy->GetName(), std::string("GND2"));
    QVERIFY(copy->IsGround());
    QCOMPARE(copy->GetShapes().size(), ground.GetShapes().size());
    QCOMPARE(opened, std::vector<uint32_t>{count});
}

void LibraryAttributesTest::placedElementsFollowTheSavedLibrary() {
    CEditorFixture f;
    QVERIFY(f.Open());
    CLibraryData& library = *f.t.app->Library();
    // An element with a value and a text link of each kind of fate.
    const int id = library.AddElementNamed("FOLLOW");
    CLibElement& element = *library.GetElement(uint32_t(id));
    element.GetOutputPoints() = {{-20, 0}, {20, 0}};
    element.AddDefinition(CNetLine("Keep", "", CGenType::MakeFloat(1.0), CNetLine::kTextLink));
    element.AddDefinition(CNetLine("Gone", "", CGenType::MakeInteger(5), CNetLine::kTextLink));
    QVERIFY(f.t.app->SaveLibrary());
    CSimPart* part = f.Place("FOLLOW", QPoint(200, 200));
    QVERIFY(part);
    part->GetData().GetValue(1) = CGenType::MakeFloat(42.0);
    CCircuit& sheet = *f.sheet;
    {
        CEditStep step(sheet, "Links");
        step.Add(CSimLink::Create(sheet.GetEnvironment(), *part, 1));
        step.Add(CSimLink::Create(sheet.GetEnvironment(), *part, 2));
        step.Commit();
    }
    QCOMPARE(part->GetLinkCount(), size_t(2));

    // "Gone" deleted, "New" added in front of "Keep", a third terminal.
    auto& definitions = element.GetDefinitions();
    definitions.erase(definitions.begin() + 2);
    definitions.insert(definitions.begin() + 1,
                       std::make_unique<CNetLine>("New", "", CGenType::MakeString("n"), 0));
    element.GetOutputPoints().push_back({0, 20});
    library.SetModified(true);
    sheet.SetModified(false);
    CRecordingJournal journal;
    sheet.SetEditJournal(&journal);
    QVERIFY(f.t.app->SaveLibrary());

    QCOMPARE(part->GetData().GetCount(), size_t(3));
    QCOMPARE(part->GetData().GetValue(1).GetString(), std::string("n"));
    QCOMPARE(part->GetData().GetValue(2).GetFloat(), 42.0);
    QCOMPARE(part->GetTerminalCount(), size_t(3));
    QVERIFY(part->GetNode(2) != nullptr);
    QCOMPARE(part->GetLinkCount(), size_t(1));
    QCOMPARE(part->GetLink(0)->GetAttributeIndex(), size_t(2));
    QVERIFY(sheet.IsModified());

    QCOMPARE(journal.records.size(), size_t(1));
    QCOMPARE(journal.records[0].name, std::string("Library Changed"));

    // A save that changed nothing leaves the sheets alone.
    sheet.SetModified(false);
    QVERIFY(f.t.app->SaveLibrary());
    QVERIFY(!sheet.IsModified());
    sheet.SetEditJournal(nullptr);
}

void LibraryAttributesTest::manyAttributesAreKept() {
    CEditorFixture f;
    QVERIFY(f.Open());
    CLibraryData& library = *f.t.app->Library();
    const int id = library.AddElementNamed("WIDE");
    CLibElement& element = *library.GetElement(uint32_t(id));
    element.GetOutputPoints() = {{-20, 0}, {20, 0}};
    for (int i = 1; i <= 40; ++i)
        element.AddDefinition(CNetLine("P" + std::to_string(i), "", CGenType::MakeInteger(i), 0));
    QVERIFY(f.t.app->SaveLibrary());
    CSimPart* part = f.Place("WIDE", QPoint(200, 200));
    QVERIFY(part);
    QCOMPARE(part->GetData().GetCount(), size_t(41));
    CKestroAttributes& window = *f.t.app->Attributes();
    window.ShowSelection(part, f.sheet, f.view, true);
    window.show();
    QCOMPARE(window.CurrentPage(), window.PageOf(CKestroAttributes::Page::Element));
    QWidget& page = *window.CurrentPage();
    // Every attribute has its row, the last one too, and the page is tall enough for it.
    QLineEdit* lastValue = nullptr;
    for (QLineEdit* edit : page.findChildren<QLineEdit*>())
        if (edit->text() == QStringLiteral("40")) lastValue = edit;
    QVERIFY(lastValue);
    QVERIFY(lastValue->geometry().bottom() < window.height());
}

void LibraryAttributesTest::roundTripToTheNetlist() {
    QTemporaryDir folder;
    const std::string programFolder = (folder.path() + "/").toStdString();
    {
        CTestApp t = MakeTestApp(programFolder);
        QVERIFY(t.app->Start());
        CLibraryData& library = *t.app->Library();
        t.app->MainFrame()->CommandTable().Execute(kIdEditLibrary);
        CMenuTreeDialog* editor = t.app->MenuEditor();
        OnNextDialog([](QDialog& dialog) {
            Type(dialog, 1046, QStringLiteral("TESTX"));
            Click(dialog, 1);
        });
        editor->CommandAction(kIdNewLibraryElement)->trigger();
        const int id = library.FindElementByName("TESTX");
        QVERIFY(id >= 0);
        CLibElement& element = *library.GetElement(uint32_t(id));
        element.GetOutputPoints() = {{-20, 0}, {20, 0}};

        CKestroAttributes& window = *t.app->Attributes();
        window.ShowLibraryElement(&element, nullptr, nullptr, true);
        window.show();
        auto& page = *qobject_cast<CLibAttribDlg*>(window.CurrentPage());
        Type(page, 1009, QStringLiteral("TX"));
        Type(page, 1007, QStringLiteral("Round trip element"));
        const auto define = [&](const QString& name, int type, const QString& value) {
            OnNextDialog([=](QDialog& dialog) {
                Type(dialog, 1010, name);
                ChooseType(dialog, type);
                Type(dialog, 1013, value);
                Click(dialog, 1019);
            });
            Click(page, 1019);
        };
        define(QStringLiteral("value"), CNetLineDlg::kFloatIndex, QStringLiteral("2.2k"));
        define(QStringLiteral("text"), CNetLineDlg::kStringIndex, QStringLiteral("abc"));
        QCOMPARE(page.PreviewText(), QStringLiteral("'TESTX' 'TX' N1 N2 2200 'abc' "));
        QVERIFY(library.IsModified());
        editor->CommandAction(kIdSaveLibrary)->trigger();
        QVERIFY(!library.IsModified());
        QVERIFY(t.prompts->Messages().empty());
    }
    const std::string libraryPath = programFolder + "KESTRO.LIB";
    {
        CScriptedPrompts prompts;
        CLibraryData reread(prompts);
        QVERIFY(reread.Open(libraryPath, true));
        const int id = reread.FindElementByName("testx");
        QVERIFY(id >= 0);
        const CLibElement& element = *reread.GetElement(uint32_t(id));
        QCOMPARE(element.GetDescription(), std::string("Round trip element"));
        QCOMPARE(DefinitionNames(element), (std::vector<std::string>{"Name", "value", "text"}));
        QCOMPARE(element.GetOutputPoints().size(), size_t(2));
        QVERIFY(prompts.Messages().empty());
    }
    QProcess dump;
    dump.start(QStringLiteral(KESTRO_BINARY_DIR "/bin/kestro-lib"),
               {QStringLiteral("dump"), QString::fromStdString(libraryPath)});
    QVERIFY(dump.waitForFinished(20000));
    QCOMPARE(dump.exitCode(), 0);
    QVERIFY(dump.readAllStandardOutput().contains("TESTX"));

    // The program started again on that library: placed from the "Elements" command.
    CEditorFixture f;
    QVERIFY(f.Open(programFolder));
    CSimPart* part = f.Place("TESTX", QPoint(200, 200));
    QVERIFY(part);
    QCOMPARE(part->GetInstanceName(), std::string("TX1"));
    CNetlistFolders folders;
    folders.programFolder = programFolder;
    folders.tempFolder = programFolder;
    const auto netlist = WriteNetlistFile(*f.sheet, folders, false, *f.t.prompts);
    QVERIFY(netlist);
    const QString text = QString::fromLatin1(ReadFile(QString::fromStdString(*netlist)));
    const QRegularExpression line(QStringLiteral("^'TESTX' 'TX1' (\\d+) (\\d+) 2200 'abc' \r?$"),
                                  QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = line.match(text);
    QVERIFY2(match.hasMatch(), qPrintable(text));
    QVERIFY(match.captured(1) != match.captured(2));
}

QTEST_MAIN(LibraryAttributesTest)
#include "library_attributes_test.moc"
