#pragma once

#include "gui/editing/edit_tool.h"

namespace kestro {

// Select mode: a click on the selection drags it; elsewhere a click picks the object
// under the mouse and a drag selects every object in the band.
class CSelectTool : public CEditTool {
public:
    using CEditTool::CEditTool;

    EditMode Mode() const override { return EditMode::Select; }
    int CursorId(const CKestroView& view, QPoint pixel) const override;
    QString StatusText(const CKestroView& view, QPoint pixel) const override;
    void LeftButtonDown(CKestroView& view, QPoint pixel) override;
    bool ShowsSelectionFrame() const override { return true; }

private:
    void Move(CKestroView& view, QPoint pixel);
    void SelectBox(CKestroView& view, QPoint pixel);
};

}  // namespace kestro
