#include "tests/gui/support/editor_fixture.h"

#include <QMdiArea>
#include <QtTest>

#include "core/document/circuit.h"
#include "core/library/library_data.h"
#include "core/objects/sim_part.h"
#include "core/schematic_file/schematic_file.h"
#include "gui/commands/command_ids.h"
#include "gui/commands/command_table.h"
#include "gui/frames/child_frame.h"
#include "gui/frames/main_frame.h"
#include "gui/views/kestro_view.h"
#include "gui/views/view_services.h"

namespace kestro {

bool CEditorFixture::Open(const std::string& programFolder) {
    t = MakeTestApp(programFolder);
    if (!t.app->Start()) return false;
    sheet = t.app->NewDocument();
    auto* frame = qobject_cast<CChildFrame*>(t.app->MainFrame()->ActiveDocumentFrame());
    view = frame ? qobject_cast<CKestroView*>(frame->ActiveView()) : nullptr;
    if (!sheet || !view) return false;
    frame->showMaximized();
    t.app->MainFrame()->activateWindow();
    if (!QTest::qWaitForWindowActive(t.app->MainFrame())) return false;
    view->SetZoom(1.0, CPointF{0, 0}, false);
    view->setFocus();
    return view->ScrollPosition() == QPoint(0, 0);
}

CEditState& CEditorFixture::Editing() const {
    return view->Editing();
}

QWidget* CEditorFixture::Window() const {
    return view->viewport();
}

bool CEditorFixture::Command(int id) {
    return t.app->MainFrame()->CommandTable().Execute(id);
}

bool CEditorFixture::Enabled(int id) {
    return t.app->MainFrame()->Router().Query(id).enabled;
}

bool CEditorFixture::Checked(int id) {
    return t.app->MainFrame()->Router().Query(id).checked.value_or(false);
}

std::string CEditorFixture::Label(int id) {
    return t.app->MainFrame()->Router().Query(id).text.value_or(std::string());
}

void CEditorFixture::Key(int key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(view, Qt::Key(key), modifiers);
}

void CEditorFixture::Click(QPoint at, Qt::MouseButton button) {
    QTest::mouseMove(Window(), at);
    QTest::mouseClick(Window(), button, Qt::NoModifier, at);
}

void CEditorFixture::Hover(QPoint at) {
    QTest::mouseMove(Window(), at);
}

void CEditorFixture::PressAndMove(std::initializer_list<QPoint> path, Qt::MouseButton button) {
    const QPoint* first = path.begin();
    QTest::mouseMove(Window(), *first);
    QTest::mousePress(Window(), button, Qt::NoModifier, *first);
    for (const QPoint* p = first + 1; p != path.end(); ++p)
        QTest::mouseMove(Window(), *p);
}

void CEditorFixture::Release(QPoint at, Qt::MouseButton button) {
    QTest::mouseRelease(Window(), button, Qt::NoModifier, at);
}

void CEditorFixture::Drag(std::initializer_list<QPoint> path, Qt::MouseButton button) {
    PressAndMove(path, button);
    Release(*(path.end() - 1), button);
}

int CEditorFixture::ElementId(const char* netlistName) const {
    return t.app->Library()->FindElementByName(netlistName);
}

CSimPart* CEditorFixture::Place(const char* netlistName, QPoint at, int rightClicks) {
    const int id = ElementId(netlistName);
    if (id < 0 || !Command(kIdFirstElement + id)) return nullptr;
    Hover(at);
    for (int i = 0; i < rightClicks; ++i)
        Click(at, Qt::RightButton);
    const size_t before = sheet->GetObjectCount();
    Click(at);
    if (sheet->GetObjectCount() == before) return nullptr;
    // Elements are appended (their text links follow them): the last one is the new one.
    CSimPart* placed = nullptr;
    for (const auto& part : sheet->GetObjects())
        if (CSimPart* element = part->AsSimPart()) placed = element;
    return placed;
}

QByteArray CEditorFixture::SavedBytes(const QString& path) {
    if (!WriteSchematicFile(*sheet, path.toStdString())) return {};
    return ReadFile(path);
}

}  // namespace kestro
