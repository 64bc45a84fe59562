#pragma once

#include "gui/editing/edit_tool.h"

namespace kestro {

class CCircuit;
struct CPointF;

// Place mode: a click puts down one object of the kind being placed, turned by the
// placement rotation. Elements and ports can be put down again and again; a text, a
// subcircuit, the simulation control and a label return to Select mode.
class CPlaceTool : public CEditTool {
public:
    using CEditTool::CEditTool;

    EditMode Mode() const override { return EditMode::Place; }
    int CursorId(const CKestroView& view, QPoint pixel) const override;
    QString StatusText(const CKestroView& view, QPoint pixel) const override;
    void LeftButtonDown(CKestroView& view, QPoint pixel) override;
    void RightButtonDown(CKestroView& view, QPoint pixel) override;
    bool ShowsGhost() const override { return true; }

private:
    void PlaceText(CCircuit& document, CPointF at);
    void PlaceSubcircuit(CCircuit& document, CPointF at);
    void PlaceSimControl(CKestroView& view, CPointF at);
    void PlacePort(CKestroView& view, CPointF at);
    void PlaceLabel(CCircuit& document, CPointF at);
};

}  // namespace kestro
