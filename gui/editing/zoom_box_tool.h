#pragma once

#include "gui/editing/edit_tool.h"

namespace kestro {

// ZoomBox mode: the box dragged becomes the window (a click centres the view there).
class CZoomBoxTool : public CEditTool {
public:
    using CEditTool::CEditTool;

    EditMode Mode() const override { return EditMode::ZoomBox; }
    int CursorId(const CKestroView& view, QPoint pixel) const override;
    QString StatusText(const CKestroView& view, QPoint pixel) const override;
    void LeftButtonDown(CKestroView& view, QPoint pixel) override;
};

}  // namespace kestro
