#include "core/objects/sim_label.h"

#include "core/document/circuit.h"
#include "core/library/lib_element.h"
#include "core/library/library_data.h"
#include "core/objects/label_object.h"
#include "core/objects/library_messages.h"
#include "core/objects/symbol_drawing.h"
#include "core/platform/record_buffer.h"

namespace kestro {

CSimLabel::CSimLabel(const CPartEnvironment& environment) : CPart(environment, kHasTerminals) {
    ApplyColorRole();
    ResetTerminals(1);
}

std::unique_ptr<CSimLabel> CSimLabel::Create(const CPartEnvironment& environment,
                                             const std::string& name, CPointF position,
                                             int rotation) {
    auto label = std::make_unique<CSimLabel>(environment);
    label->m_name = name;
    CPlacement placement;
    placement.color = 6;
    placement.x = position.x;
    placement.y = position.y;
    placement.rotation = static_cast<uint16_t>(NormalizeTurns(rotation));
    label->SetPlacement(placement);
    return label;
}

const CLibElement* CSimLabel::GetElement() const {
    return GetEnvironment().library.GetElement(CLibraryData::kLabelId);
}

void CSimLabel::SetLabelObject(CLabelObject* label) {
    if (m_label) m_name = m_label->GetName();
    m_label = label;
}

std::string CSimLabel::GetName() const {
    return m_label ? m_label->GetName() : m_name;
}

CRectF CSimLabel::GetSymbolRect() const {
    const CLibElement* element = GetElement();
    return element ? element->GetRect() : CRectF{};
}

CPointF CSimLabel::GetTerminalPosition(size_t /*index*/) const {
    const CLibElement* element = GetElement();
    if (!element || element->GetOutputPoints().empty())
        GetEnvironment().prompts.Error(MissingOutputPointMessage("Label"));
    return PlaceOutputPoint(element, GetPlacement(), 0);
}

void CSimLabel::AppendShapes(CShapeList& shapes, CPointF origin) const {
    AppendElementShapes(GetElement(), GetPlacement(), origin, shapes);
}

void CSimLabel::DrawWith(CCanvas& canvas, const CPlacement& placement) const {
    DrawElementSymbol(GetElement(), canvas, placement);
    // The net name inside the symbol: labels are told apart by it.
    DrawCaption(canvas, placement, GetName(), GetSymbolRect().Center(), kCaptionHeight,
                (placement.Turns() & 1) != 0, CaptionAlign::Centre);
}

void CSimLabel::Serialize(CRecordBuffer& buffer, CSerialContext& context) {
    CPart::Serialize(buffer, context);
    std::string name = GetName();
    buffer.String(name);
    if (buffer.IsStoring()) return;
    m_name = name;
    ResetTerminals(1);
    m_document = context.document;
    m_label = m_document ? &m_document->FindOrAddLabel(name) : nullptr;
}

}  // namespace kestro
