#include "core/objects/sim_control.h"

#include "core/library/lib_element.h"
#include "core/library/library_data.h"
#include "core/objects/symbol_drawing.h"

namespace kestro {

CSimControl::CSimControl(const CPartEnvironment& environment) : CPart(environment, 0) {
    ApplyColorRole();
}

std::unique_ptr<CSimControl> CSimControl::Create(const CPartEnvironment& environment,
                                                 CPointF position, int rotation) {
    auto control = std::make_unique<CSimControl>(environment);
    CPlacement placement;
    placement.color = 7;
    placement.x = position.x;
    placement.y = position.y;
    placement.rotation = static_cast<uint16_t>(NormalizeTurns(rotation));
    control->SetPlacement(placement);
    control->SnapToGrid();
    return control;
}

const CLibElement* CSimControl::GetElement() const {
    return GetEnvironment().library.GetElement(CLibraryData::kControlId);
}

CRectF CSimControl::GetSymbolRect() const {
    const CLibElement* element = GetElement();
    return element ? element->GetRect() : CRectF{};
}

void CSimControl::AppendShapes(CShapeList& shapes, CPointF origin) const {
    AppendElementShapes(GetElement(), GetPlacement(), origin, shapes);
}

void CSimControl::DrawWith(CCanvas& canvas, const CPlacement& placement) const {
    DrawElementSymbol(GetElement(), canvas, placement);
}

}  // namespace kestro
