#include "core/objects/sim_text.h"

#include "core/library/library_data.h"
#include "core/objects/symbol_drawing.h"
#include "core/platform/record_buffer.h"
#include "core/platform/settings.h"

namespace kestro {

CSimText::CSimText(const CPartEnvironment& environment)
    : CPart(environment, 0),
      m_text(CLogicalFont{environment.settings.textFont.name, environment.settings.textFont.size,
                          environment.settings.textFont.weight,
                          environment.settings.textFont.italic != 0}) {}

std::unique_ptr<CSimText> CSimText::Create(const CPartEnvironment& environment,
                                           const std::string& text, CPointF position,
                                           int rotation) {
    auto part = std::make_unique<CSimText>(environment);
    CPlacement placement;
    placement.x = position.x;
    placement.y = position.y;
    placement.rotation = static_cast<uint16_t>(NormalizeTurns(rotation));
    part->SetPlacement(placement);
    part->SetText(text);
    return part;
}

void CSimText::SetText(const std::string& text) {
    m_text.SetText(text);
    TextChanged();
}

void CSimText::TextChanged(const CCanvas* canvas) {
    if (canvas)
        m_text.UpdateExtent(*canvas);
    else
        MeasureFixed(m_text);
    UpdateBounds();
}

void CSimText::AppendShapes(CShapeList& shapes, CPointF origin) const {
    shapes.push_back(m_text.CloneTransformed(GetPlacement(), origin));
}

void CSimText::DrawWith(CCanvas& canvas, const CPlacement& placement) const {
    m_text.Draw(canvas, placement);
}

void CSimText::Serialize(CRecordBuffer& buffer, CSerialContext& context) {
    CPart::Serialize(buffer, context);
    m_text.Serialize(buffer, GetEnvironment().library.GetShapeContext());
}

}  // namespace kestro
