#include "core/objects/sim_term.h"

#include "core/document/circuit.h"
#include "core/library/lib_element.h"
#include "core/library/library_data.h"
#include "core/objects/library_messages.h"
#include "core/objects/symbol_drawing.h"
#include "core/platform/record_buffer.h"

namespace kestro {

CSimTerm::CSimTerm(const CPartEnvironment& environment) : CPart(environment, kHasTerminals) {
    ApplyColorRole();
    ResetTerminals(1);
}

std::unique_ptr<CSimTerm> CSimTerm::Create(const CPartEnvironment& environment, uint16_t portNumber,
                                           CPointF position, int rotation) {
    auto port = std::make_unique<CSimTerm>(environment);
    port->m_portNumber = portNumber;
    CPlacement placement;
    placement.color = 4;
    placement.x = position.x;
    placement.y = position.y;
    placement.rotation = static_cast<uint16_t>(NormalizeTurns(rotation));
    port->SetPlacement(placement);
    port->SnapToGrid();
    return port;
}

const CLibElement* CSimTerm::GetElement() const {
    return GetEnvironment().library.GetElement(CLibraryData::kPortId);
}

std::string CSimTerm::GetName() const {
    return m_document ? m_document->GetPortName(m_portNumber) : std::string();
}

CRectF CSimTerm::GetSymbolRect() const {
    const CLibElement* element = GetElement();
    return element ? element->GetRect() : CRectF{};
}

CPointF CSimTerm::GetTerminalPosition(size_t /*index*/) const {
    const CLibElement* element = GetElement();
    if (!element || element->GetOutputPoints().empty())
        GetEnvironment().prompts.Error(MissingOutputPointMessage("Port"));
    return PlaceOutputPoint(element, GetPlacement(), 0);
}

void CSimTerm::AppendShapes(CShapeList& shapes, CPointF origin) const {
    AppendElementShapes(GetElement(), GetPlacement(), origin, shapes);
}

void CSimTerm::DrawWith(CCanvas& canvas, const CPlacement& placement) const {
    DrawElementSymbol(GetElement(), canvas, placement);
    // The port's name, or its number (from 1) while it has none.
    std::string caption = GetName();
    if (caption.empty() && m_portNumber != kNoPort) caption = std::to_string(m_portNumber + 1);
    DrawCaption(canvas, placement, caption, GetSymbolRect().Center(), kCaptionHeight,
                (placement.Turns() & 1) != 0, CaptionAlign::Centre);
}

void CSimTerm::Serialize(CRecordBuffer& buffer, CSerialContext& context) {
    CPart::Serialize(buffer, context);
    buffer.Value(m_portNumber);
    if (buffer.IsStoring()) return;
    ResetTerminals(1);
    m_document = context.document;
}

}  // namespace kestro
