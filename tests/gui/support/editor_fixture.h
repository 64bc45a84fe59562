#pragma once

#include <QPoint>
#include <QString>
#include <initializer_list>
#include <string>

#include "tests/gui/support/gui_test_support.h"

namespace kestro {

class CCircuit;
class CEditState;
class CKestroView;
class CSimPart;

// The editor started with one new sheet in its window, shown at zoom 1 and scrolled to the
// page's top-left corner, so that a window pixel of the view is the same point in sheet
// units. Gestures go to the view's window as real mouse events, commands through the
// menus' command table.
struct CEditorFixture {
    CTestApp t;
    CCircuit* sheet = nullptr;
    CKestroView* view = nullptr;

    // False when the editor or the window could not be made. The program folder (with
    // the library) is a temporary one unless given.
    bool Open(const std::string& programFolder = {});
    CEditState& Editing() const;
    QWidget* Window() const;

    // Runs a command as its menu item or button would; false when it did not run.
    bool Command(int id);
    bool Enabled(int id);
    bool Checked(int id);
    // The menu text the command's update rule gives ("Undo Move"); empty when it gives none.
    std::string Label(int id);
    // Presses a key in the view (accelerators act as in the editor).
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // A click, a mouse move without buttons, and a drag through points.
    void Click(QPoint at, Qt::MouseButton button = Qt::LeftButton);
    void Hover(QPoint at);
    void Drag(std::initializer_list<QPoint> path, Qt::MouseButton button = Qt::LeftButton);
    // Presses at the first point and moves through the rest, without releasing.
    void PressAndMove(std::initializer_list<QPoint> path, Qt::MouseButton button = Qt::LeftButton);
    void Release(QPoint at, Qt::MouseButton button = Qt::LeftButton);

    // The library's element of that netlist name, placed with the mouse: its command,
    // `rightClicks` right clicks (each a quarter turn), a click at `at`; the element put down (null
    // if none).
    CSimPart* Place(const char* netlistName, QPoint at, int rightClicks = 0);
    int ElementId(const char* netlistName) const;
    // The file the sheet is saved to now, read back.
    QByteArray SavedBytes(const QString& path);
};

}  // namespace kestro
