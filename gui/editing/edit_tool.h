#pragma once

#include <QPoint>
#include <QString>

#include "gui/editing/edit_mode.h"

namespace kestro {

class CEditState;
class CKestroView;

// What the mouse does in one editing mode. The views hand their mouse to the tool of the
// current mode (CEditState::Tool) and never look at the mode themselves.
class CEditTool {
public:
    explicit CEditTool(CEditState& state) : m_state(state) {}
    virtual ~CEditTool() = default;
    CEditTool(const CEditTool&) = delete;
    CEditTool& operator=(const CEditTool&) = delete;

    virtual EditMode Mode() const = 0;
    // The cursor (an edit cursor id) and the status text over a window point.
    virtual int CursorId(const CKestroView& view, QPoint pixel) const = 0;
    virtual QString StatusText(const CKestroView& view, QPoint pixel) const = 0;
    virtual void LeftButtonDown(CKestroView& view, QPoint pixel) = 0;
    // Right button down, when no drag runs (a drag cancels itself).
    virtual void RightButtonDown(CKestroView& /*view*/, QPoint /*pixel*/) {}
    // Whether the placement ghost follows the mouse.
    virtual bool ShowsGhost() const { return false; }
    // Whether the view frames its selection.
    virtual bool ShowsSelectionFrame() const { return false; }

protected:
    CEditState& State() const { return m_state; }

private:
    CEditState& m_state;
};

}  // namespace kestro
