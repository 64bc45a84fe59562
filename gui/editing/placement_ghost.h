#pragma once

#include <QPoint>
#include <QRect>
#include <memory>
#include <string>

#include "core/platform/geometry.h"
#include "gui/editing/edit_mode.h"

class QPainter;

namespace kestro {

class CCanvas;
class CEditState;
class CKestroView;
class CPart;
struct CPartEnvironment;

// The outline of what a click would put down, drawn under the cursor in Place and Paste
// modes: the symbol, the text, the subcircuit block or the clipboard's objects, turned by
// the placement rotation. It is painted over the view's drawing at the end of each paint;
// hiding and showing it repaint the area it covers.
class CPlacementGhost {
public:
    explicit CPlacementGhost(const CEditState& state) : m_state(state) {}

    bool IsVisible() const { return m_visible; }
    CKestroView* View() const { return m_view; }
    QPoint Position() const { return m_position; }
    int Rotation() const { return m_rotation; }

    // Erases the ghost when it is visible; returns whether it was.
    bool Hide();
    // Draws it again where it was, taking the view's zoom and the current rotation and
    // kind (only after a Hide that returned true).
    void Show();
    // Erases it, remembers the cursor's place in the view, draws it there.
    void Move(CKestroView& view, QPoint pixel);
    // The view is going away.
    void Forget(const CKestroView& view);
    // The overlay: the view calls this at the end of its paint.
    void Paint(CKestroView& view, QPainter& painter) const;

    // The text of a text to be placed.
    std::string text;
    // The subcircuit file to be placed (empty: a new one), or the name of the label.
    std::string name;
    // The outline of the subcircuit block, centred on (0, 0).
    CRectF subcircuitRect;

private:
    void Draw(CCanvas& canvas, const CPartEnvironment& environment, CPointF at) const;
    QRect Area(const CKestroView& view) const;
    CPointF Anchor(const CKestroView& view) const;
    void Repaint();

    const CEditState& m_state;
    bool m_visible = false;
    EditMode m_mode = EditMode::Select;
    int m_kind = kPlaceNone;
    CKestroView* m_view = nullptr;
    QPoint m_position;
    int m_rotation = 0;
    double m_zoom = 1.0;
    QRect m_painted;  // the window area the last drawing covered
};

// The point where an object put down at `at` goes: on the grid.
CPointF PlacementPoint(CPointF at);

// The object a click in Place mode puts down for `kind` at `at` (already on the grid),
// turned by `rotation`: elements, texts, the simulation control, ports (of `portNumber`)
// and labels. Null for a kind that makes no object by itself (wires, subcircuits) or an
// element the library does not have.
std::unique_ptr<CPart> MakePlacedObject(const CPartEnvironment& environment, int kind,
                                        const CPlacementGhost& ghost, CPointF at, int rotation,
                                        int portNumber = 0);

}  // namespace kestro
