// Drawing whole schematics with the mouse and the keyboard: the buck converter of the
// examples from an empty sheet gives its netlist byte for byte; a dragged resistor keeps
// its wires; drags that are cancelled leave the saved file exactly as it was.
#include <QtTest>

#include "core/document/circuit.h"
#include "core/document/edit_step.h"
#include "core/library/lib_element.h"
#include "core/netlist/netlist_writer.h"
#include "core/objects/sim_node.h"
#include "core/objects/sim_part.h"
#include "core/objects/wire.h"
#include "core/platform/file_stream.h"
#include "gui/commands/command_ids.h"
#include "gui/editing/edit_state.h"
#include "gui/frames/main_frame.h"
#include "gui/views/kestro_view.h"
#include "tests/gui/support/editor_fixture.h"

using namespace kestro;

namespace {

// A value typed into the attribute window: one committed change of the element.
void SetValue(CCircuit& sheet, CSimPart& element, const std::string& attribute,
              const std::string& text) {
    const CLibElement* library = element.GetElement();
    for (size_t i = 1; i < library->GetDefinitionCount(); ++i) {
        if (library->GetDefinition(i).GetName() != attribute) continue;
        CEditStep step(sheet, "Value");
        step.Change(element);
        CGenType& value = element.GetData().GetValue(i);
        if (value.GetType() == CGenType::Float)
            value.SetFromText(text);
        else
            value.SetStringValue(text);
        element.RefreshLinks();
        return;
    }
    QFAIL(qPrintable(QString::fromStdString("no attribute " + attribute)));
}

bool EveryWireAcrossOrDown(const CCircuit& sheet) {
    for (const auto& part : sheet.GetObjects())
        if (const CWire* wire = const_cast<CPart&>(*part).AsWire()) {
            const CPointF a = wire->GetEnd(0), b = wire->GetEnd(1);
            if (!SameTenth(a.x, b.x) && !SameTenth(a.y, b.y)) return false;
        }
    return true;
}

bool WireAt(const CSimNode* node) {
    return node && node->FindObject([](const CPart& p) { return p.IsWire(); });
}

}  // namespace

class DrawingTest : public QObject {
    Q_OBJECT

    // A wire in Wire mode through a corner: the mouse leaves the start towards the
    // corner, so that the bend comes where it should.
    static void WireThrough(CEditorFixture& f, QPoint from, QPoint corner, QPoint to) {
        const QPoint lead = from + (corner - from) / 2;
        f.Drag({from, lead, corner, to});
    }
    static void Wire(CEditorFixture& f, QPoint from, QPoint to) { f.Drag({from, to}); }

private slots:
    void initTestCase() { IsolateUserFolders(); }

    void theBuckConverterDrawnByHandGivesTheExamplesNetlist() {
        CEditorFixture f;
        QVERIFY(f.Open());
        CScriptedPrompts& prompts = *f.t.prompts;
        prompts.texts.push_back("Buck converter: 48 V in, 24 V out at 50 % duty, 20 kHz");
        f.Key(Qt::Key_F9);
        f.Click({100, 30});
        QVERIFY(f.Command(kIdSimulationControl));
        f.Click({60, 30});
        // The power stage, element by element, each wire as it joins.
        CSimPart* source = f.Place("VDC", {100, 200});
        QVERIFY(f.Command(kIdWire));
        WireThrough(f, {100, 170}, {100, 100}, {180, 100});
        CSimPart* mosfet = f.Place("MOSFET", {200, 100}, 3);
        QVERIFY(f.Command(kIdWire));
        Wire(f, {220, 100}, {260, 100});
        f.Place("DIODE", {260, 200}, 2);
        QVERIFY(f.Command(kIdWire));
        Wire(f, {260, 100}, {260, 180});
        Wire(f, {260, 220}, {260, 300});
        CSimPart* inductor = f.Place("L", {320, 100});
        QVERIFY(f.Command(kIdWire));
        Wire(f, {260, 100}, {300, 100});
        f.Place("IP", {380, 100});
        QVERIFY(f.Command(kIdWire));
        Wire(f, {340, 100}, {360, 100});
        Wire(f, {400, 100}, {440, 100});
        CSimPart* capacitor = f.Place("C", {440, 200}, 1);
        QVERIFY(f.Command(kIdWire));
        Wire(f, {440, 100}, {440, 180});
        Wire(f, {440, 220}, {440, 300});
        f.Place("VP", {480, 90});
        QVERIFY(f.Command(kIdWire));
        Wire(f, {440, 100}, {480, 100});
        Wire(f, {480, 100}, {520, 100});
        CSimPart* load = f.Place("R", {520, 200}, 1);
        QVERIFY(f.Command(kIdWire));
        Wire(f, {520, 100}, {520, 180});
        Wire(f, {520, 220}, {520, 300});
        WireThrough(f, {100, 230}, {100, 300}, {260, 300});
        Wire(f, {260, 300}, {440, 300});
        Wire(f, {440, 300}, {520, 300});
        f.Place("GND", {100, 300});
        CSimPart* gating = f.Place("GATING", {150, 160});
        QVERIFY(f.Command(kIdWire));
        WireThrough(f, {170, 160}, {210, 160}, {210, 120});
        f.Key(Qt::Key_Escape);
        QVERIFY(source && mosfet && inductor && capacitor && load && gating);
        QCOMPARE(mosfet->GetPlacement().rotation, uint16_t(1));
        QVERIFY(EveryWireAcrossOrDown(*f.sheet));
        // The values, as the attribute window would set them.
        SetValue(*f.sheet, *source, "V", "48");
        SetValue(*f.sheet, *inductor, "L", "100u");
        SetValue(*f.sheet, *capacitor, "C", "100u");
        SetValue(*f.sheet, *load, "R", "5");
        SetValue(*f.sheet, *gating, "Freq", "20k");
        SetValue(*f.sheet, *gating, "Points", "0 180");
        f.sheet->GetSimulationParameters()[1] = CGenType::MakeFloat(1e-6);
        // Saved and read back, the sheet writes the example's netlist.
        QTemporaryDir folder;
        const QString path = folder.filePath("buck.sch");
        f.sheet->SetPathName(path.toStdString());
        QVERIFY(f.Command(kIdFileSave));
        QCOMPARE(
            QString::fromStdString(CNetlistWriter(false).Build(*f.sheet)),
            QString(ReadFile(QStringLiteral(KESTRO_SOURCE_DIR) + "/examples/buck_converter.CCT")));
    }

    void aDraggedResistorKeepsItsWiresAcrossAndDown() {
        CEditorFixture f;
        QVERIFY(f.Open());
        CSimPart* r1 = f.Place("R", {300, 200});
        QVERIFY(f.Command(kIdWire));
        const CPointF left = r1->GetTerminalPosition(0), right = r1->GetTerminalPosition(1);
        f.Drag({{100, 200}, {150, 200}, {int(left.x), int(left.y)}});
        f.Drag({{int(right.x), int(right.y)}, {400, 201}, {500, 200}});
        f.Drag({{500, 200}, {500, 250}, {500, 300}});
        f.Key(Qt::Key_Escape);
        f.Click({300, 200});
        f.Drag({{300, 200}, {320, 170}, {330, 120}});
        QCOMPARE(r1->GetPosition(), (CPointF{330, 120}));
        QVERIFY(WireAt(r1->GetNode(0)));
        QVERIFY(WireAt(r1->GetNode(1)));
        QVERIFY(EveryWireAcrossOrDown(*f.sheet));
        // Turned where it is, it keeps them too.
        QVERIFY(f.Command(kIdRotate));
        QVERIFY(WireAt(r1->GetNode(0)));
        QVERIFY(WireAt(r1->GetNode(1)));
        QVERIFY(EveryWireAcrossOrDown(*f.sheet));
    }

    void cancelledDragsLeaveTheFileAsItWas() {
        CEditorFixture f;
        QVERIFY(f.Open());
        f.Place("R", {300, 200});
        f.Place("C", {300, 300}, 1);
        QVERIFY(f.Command(kIdWire));
        f.Drag({{320, 200}, {330, 200}, {400, 200}});
        f.Key(Qt::Key_Escape);
        QTemporaryDir folder;
        const QString file = folder.filePath("sheet.sch");
        const QByteArray before = f.SavedBytes(file);
        QVERIFY(!before.isEmpty());
        // A move cancelled by Escape and by the right button, a select box and a wire
        // cancelled by the right button, a zoom box cancelled by Escape.
        f.Click({300, 200});
        f.PressAndMove({{300, 200}, {350, 260}});
        f.Key(Qt::Key_Escape);
        f.Release({350, 260});
        f.PressAndMove({{300, 200}, {250, 100}});
        QTest::mousePress(f.Window(), Qt::RightButton, {}, {250, 100});
        f.Release({250, 100});
        f.Release({250, 100}, Qt::RightButton);
        f.PressAndMove({{500, 500}, {100, 100}});
        QTest::mousePress(f.Window(), Qt::RightButton, {}, {100, 100});
        f.Release({100, 100});
        QVERIFY(f.Command(kIdWire));
        f.PressAndMove({{400, 200}, {400, 300}, {600, 300}});
        QTest::mousePress(f.Window(), Qt::RightButton, {}, {600, 300});
        f.Release({600, 300});
        QVERIFY(f.Command(kIdZoomBox));
        f.PressAndMove({{100, 100}, {300, 300}});
        f.Key(Qt::Key_Escape);
        f.Release({300, 300});
        QCOMPARE(f.view->Zoom(), 1.0);
        QCOMPARE(f.SavedBytes(file), before);
    }
};

QTEST_MAIN(DrawingTest)
#include "drawing_test.moc"
