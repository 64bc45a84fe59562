#pragma once

#include "gui/editing/edit_tool.h"

namespace kestro {

// Wire mode: each drag draws one L-shaped wire (one wire when it is straight, none when
// it ends where it began); the wire clean-up then joins it to what it meets.
class CWireTool : public CEditTool {
public:
    using CEditTool::CEditTool;

    EditMode Mode() const override { return EditMode::Wire; }
    int CursorId(const CKestroView& view, QPoint pixel) const override;
    QString StatusText(const CKestroView& view, QPoint pixel) const override;
    void LeftButtonDown(CKestroView& view, QPoint pixel) override;
};

}  // namespace kestro
