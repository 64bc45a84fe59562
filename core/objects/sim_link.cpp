#include "core/objects/sim_link.h"

#include "core/library/lib_element.h"
#include "core/library/library_data.h"
#include "core/objects/sim_part.h"
#include "core/objects/symbol_drawing.h"
#include "core/platform/record_buffer.h"
#include "core/platform/settings.h"

namespace kestro {

namespace {

CLogicalFont DefaultFont(const CSettings& settings) {
    const CTextFontSetting& font = settings.textFont;
    return {font.name, font.size, font.weight, font.italic != 0};
}

}  // namespace

CSimLink::CSimLink(const CPartEnvironment& environment)
    : CPart(environment, 0), m_text(DefaultFont(environment.settings)) {}

CSimLink::~CSimLink() {
    if (m_owner) m_owner->RemoveLink(*this);
}

std::unique_ptr<CSimLink> CSimLink::Create(const CPartEnvironment& environment, CSimPart& owner,
                                           size_t attributeIndex) {
    auto link = std::make_unique<CSimLink>(environment);
    link->m_attribute = static_cast<uint16_t>(std::min<size_t>(attributeIndex, kNoAttribute));
    owner.AddLink(*link);
    link->RefreshText();
    link->SetPosition(owner.GetBounds().Center());
    return link;
}

void CSimLink::RefreshText() {
    if (!m_owner) return;
    const CLibElement* element = m_owner->GetElement();
    const CPartData& data = m_owner->GetData();
    if (!element || m_attribute >= data.GetCount() || m_attribute >= element->GetDefinitionCount())
        return;
    m_text.SetText(data.GetValue(m_attribute).GetDisplayText() +
                   element->GetDefinition(m_attribute).GetUnit());
    MeasureFixed(m_text);
    UpdateBounds();
}

void CSimLink::ResolveOwner(const std::function<CPart*(uint32_t)>& find) {
    CPart* candidate = find ? find(m_ownerNumber) : nullptr;
    CSimPart* owner = candidate ? candidate->AsSimPart() : nullptr;
    const CLibElement* element = owner ? owner->GetElement() : nullptr;
    if (element) {
        for (size_t i = 0; i < element->GetDefinitionCount(); ++i)
            if (element->GetDefinition(i).GetId() == m_definitionId) {
                m_attribute = static_cast<uint16_t>(i);
                owner->AddLink(*this);
                return;
            }
    }
    MarkUnresolved();
}

void CSimLink::PrepareForSave() {
    m_ownerNumber = m_owner ? m_owner->GetNumber() : 0;
}

void CSimLink::AppendShapes(CShapeList& shapes, CPointF origin) const {
    shapes.push_back(m_text.CloneTransformed(GetPlacement(), origin));
}

void CSimLink::DrawWith(CCanvas& canvas, const CPlacement& placement) const {
    m_text.Draw(canvas, placement);
}

void CSimLink::Serialize(CRecordBuffer& buffer, CSerialContext& context) {
    CPart::Serialize(buffer, context);
    const CShapeContext& shapes = GetEnvironment().library.GetShapeContext();
    m_text.Serialize(buffer, shapes);
    if (buffer.IsStoring()) {
        const CLibElement* element = m_owner ? m_owner->GetElement() : nullptr;
        if (element && m_attribute < element->GetDefinitionCount())
            m_definitionId = element->GetDefinition(m_attribute).GetId();
    }
    buffer.Value(m_ownerNumber);
    buffer.Value(m_attribute);
    buffer.Value(m_definitionId);
}

}  // namespace kestro
