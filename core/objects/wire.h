#pragma once

#include <memory>

#include "core/library/sh_line.h"
#include "core/objects/part.h"

namespace kestro {

// A straight wire between two terminals. Its line holds the ends in the wire's own
// frame; the placement puts them on the sheet.
class CWire : public CPart {
public:
    explicit CWire(const CPartEnvironment& environment);

    // A wire between two sheet points (positioned at their midpoint).
    static std::unique_ptr<CWire> Create(const CPartEnvironment& environment, CPointF from,
                                         CPointF to);

    const CSHLine& GetLine() const { return m_line; }
    // End 0 or 1 on the sheet.
    CPointF GetEnd(size_t index) const { return GetTerminalPosition(index); }
    // Puts the ends at two sheet points; the document disconnects the wire first.
    void SetEnds(CPointF from, CPointF to) { SetSheetEnds(from, to); }

    uint16_t GetTag() const override { return kTagWire; }
    std::string GetKindName() const override { return "Wire"; }
    int GetColorRole() const override { return 2; }
    CRectF GetSymbolRect() const override { return m_line.GetBounds(); }
    // The two ends placed; any other index gives (0, 0).
    CPointF GetTerminalPosition(size_t index) const override;
    void Flip(int /*axis*/) override {}
    // Turns both placed ends, snaps them to the grid and keeps the rotation.
    void Rotate(CPointF centre, int turns) override;
    void AppendShapes(CShapeList& shapes, CPointF origin) const override;
    void DrawWith(CCanvas& canvas, const CPlacement& placement) const override;
    // Common record and f32 x1, y1, x2, y2.
    void Serialize(CRecordBuffer& buffer, CSerialContext& context) override;
    bool IsWire() const override { return true; }
    // Both ends share x and differ in y.
    bool IsVertical() const override;

private:
    // Stores two sheet points as the ends, the position at their midpoint.
    void SetSheetEnds(CPointF a, CPointF b);

    CSHLine m_line;
};

}  // namespace kestro
