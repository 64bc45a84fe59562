#pragma once

#include <memory>

#include "core/objects/part.h"

namespace kestro {

// The simulation control symbol (library element 1004). The run parameters it stands
// for belong to the document.
class CSimControl : public CPart {
public:
    explicit CSimControl(const CPartEnvironment& environment);

    static std::unique_ptr<CSimControl> Create(const CPartEnvironment& environment,
                                               CPointF position, int rotation);

    uint16_t GetTag() const override { return kTagSimControl; }
    std::string GetKindName() const override { return "Simulation Control"; }
    int GetColorRole() const override { return 7; }
    CRectF GetSymbolRect() const override;
    CPointF GetTerminalPosition(size_t /*index*/) const override { return GetPosition(); }
    void Flip(int /*axis*/) override {}
    void AppendShapes(CShapeList& shapes, CPointF origin) const override;
    void DrawWith(CCanvas& canvas, const CPlacement& placement) const override;
    bool IsSimControl() const override { return true; }
    const CLibElement* GetElement() const override;
};

}  // namespace kestro
