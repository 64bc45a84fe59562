#pragma once

#include "gui/editing/edit_tool.h"

namespace kestro {

// Paste mode: a click puts the internal clipboard's objects down centred on the mouse,
// turned by the placement rotation; they become the selection and the mode returns to
// Select.
class CPasteTool : public CEditTool {
public:
    using CEditTool::CEditTool;

    EditMode Mode() const override { return EditMode::Paste; }
    int CursorId(const CKestroView& view, QPoint pixel) const override;
    QString StatusText(const CKestroView& view, QPoint pixel) const override;
    void LeftButtonDown(CKestroView& view, QPoint pixel) override;
    void RightButtonDown(CKestroView& view, QPoint pixel) override;
    bool ShowsGhost() const override { return true; }
};

}  // namespace kestro
