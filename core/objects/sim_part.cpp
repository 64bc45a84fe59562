#include "core/objects/sim_part.h"

#include <algorithm>

#include "core/library/lib_element.h"
#include "core/library/library_data.h"
#include "core/objects/sim_link.h"
#include "core/objects/symbol_drawing.h"
#include "core/platform/number_text.h"
#include "core/platform/record_buffer.h"

namespace kestro {

CSimPart::CSimPart(const CPartEnvironment& environment) : CPart(environment, kHasTerminals) {
    ApplyColorRole();
}

CSimPart::~CSimPart() {
    for (CSimLink* link : m_links)
        link->SetOwnerElement(nullptr);
}

std::unique_ptr<CSimPart> CSimPart::Create(const CPartEnvironment& environment, uint16_t identifier,
                                           CPointF position, int rotation) {
    if (identifier >= environment.library.GetElementCount()) return nullptr;
    const CLibElement* element = environment.library.GetElement(identifier);
    if (!element) return nullptr;
    auto part = std::make_unique<CSimPart>(environment);
    part->m_elementId = identifier;
    CPlacement placement;
    placement.color = 7;
    placement.x = position.x;
    placement.y = position.y;
    placement.rotation = static_cast<uint16_t>(NormalizeTurns(rotation));
    part->SetPlacement(placement);
    part->SnapToGrid();
    part->ResetTerminals(element->GetOutputPoints().size());
    part->m_data.InitFromElementId(environment.library, identifier);
    return part;
}

const CLibElement* CSimPart::GetElement() const {
    if (m_elementId >= GetEnvironment().library.GetElementCount()) return nullptr;
    return GetEnvironment().library.GetElement(m_elementId);
}

std::string CSimPart::GetInstanceName() const {
    return m_data.GetCount() > 0 ? m_data.GetValue(0).GetText() : std::string();
}

std::string CSimPart::GetDefaultName() const {
    const CLibElement* element = GetElement();
    if (!element || element->GetDefinitionCount() == 0) return {};
    return element->GetDefinition(0).GetValue().GetText();
}

void CSimPart::FollowElement(const std::vector<uint32_t>& before) {
    const CLibElement* element = GetElement();
    if (!element) return;
    const CPartData old = m_data;
    m_data.InitFromElement(element);
    for (size_t i = 0; i < old.GetCount() && i < before.size(); ++i)
        m_data.SetValueById(i, old.GetValue(i), before[i]);
    ResetTerminals(element->GetOutputPoints().size());
    UpdateBounds();
}

void CSimPart::SetInstanceName(const std::string& name) {
    if (m_data.GetCount() == 0) return;
    m_data.GetValue(0) = CGenType::MakeString(name);
    NameChanged();
}

void CSimPart::PlaceLinks() {
    const CRectF& bounds = GetBounds();
    float y = bounds.bottom + 10.0f;
    for (CSimLink* link : m_links) {
        link->RefreshText();
        const CRectF extent = link->GetSymbolRect();
        link->SetPosition({bounds.Center().x, y - extent.top});
        y += extent.Height() + 2.0f;
    }
}

void CSimPart::RefreshLinks() {
    for (CSimLink* link : m_links)
        link->RefreshText();
}

std::string CSimPart::GetKindName() const {
    const CLibElement* element = GetElement();
    return element ? element->GetDescription() : std::string();
}

std::string CSimPart::GetValuesText() const {
    const CLibElement* element = GetElement();
    std::string text;
    if (!element) return text;
    const size_t count = std::min(element->GetDefinitionCount(), m_data.GetCount());
    for (size_t i = 1; i < count; ++i) {
        const CNetLine& definition = element->GetDefinition(i);
        if (!(definition.GetFlags() & (CNetLine::kTextLink | CNetLine::kPrimaryValue))) continue;
        if (!text.empty()) text += ", ";
        text += m_data.GetValue(i).GetLinkText() + definition.GetUnit();
    }
    return text;
}

CRectF CSimPart::GetSymbolRect() const {
    const CLibElement* element = GetElement();
    return element ? element->GetRect() : CRectF{};
}

CPointF CSimPart::GetTerminalPosition(size_t index) const {
    return PlaceOutputPoint(GetElement(), GetPlacement(), index);
}

void CSimPart::AppendShapes(CShapeList& shapes, CPointF origin) const {
    AppendElementShapes(GetElement(), GetPlacement(), origin, shapes);
}

void CSimPart::DrawWith(CCanvas& canvas, const CPlacement& placement) const {
    DrawElementSymbol(GetElement(), canvas, placement);
}

void CSimPart::Serialize(CRecordBuffer& buffer, CSerialContext& context) {
    CPart::Serialize(buffer, context);
    CLibraryData& library = GetEnvironment().library;
    if (buffer.IsStoring()) {
        buffer.Put<uint16_t>(m_elementId);
        buffer.Put<uint16_t>(static_cast<uint16_t>(GetTerminalCount()));
        m_data.Serialize(buffer, library, m_elementId);
        return;
    }
    uint16_t identifier = buffer.Get<uint16_t>();
    if (context.elementMap)
        identifier = identifier < context.elementMap->size() ? (*context.elementMap)[identifier]
                                                             : CLibraryData::kNoElement;
    m_elementId = identifier;
    buffer.Get<uint16_t>();  // terminal count: the element decides
    // The rest is read even for a missing element, so that records packed one after
    // another (clipboard, deletion buffer) stay in step.
    m_data.Serialize(buffer, library, identifier);
    const CLibElement* element = GetElement();
    if (!element) {
        m_elementId = CLibraryData::kNoElement;
        MarkUnresolved();
        return;
    }
    SnapToGrid();
    ResetTerminals(element->GetOutputPoints().size());
}

int CSimPart::WriteNetlistLine(std::string& out, const std::string& prefix) const {
    const CLibElement* element = GetElement();
    if (!element || element->IsGround()) return 0;
    out += "'" + element->GetName() + "' '";
    if (!prefix.empty()) out += prefix + ".";
    out += GetInstanceName() + "' ";
    for (size_t i = 0; i < GetTerminalCount(); ++i)
        out += FormatInt(GetNodeNumber(i)) + " ";
    const size_t count = std::min(element->GetDefinitionCount(), m_data.GetCount());
    for (size_t i = 1; i < count; ++i)
        out += m_data.GetValue(i).GetNetlistText(element->GetDefinition(i).GetFlags());
    out += '\n';
    return 1;
}

bool CSimPart::IsGround() const {
    const CLibElement* element = GetElement();
    return element && element->IsGround();
}

bool CSimPart::IsVertical() const {
    const CLibElement* element = GetElement();
    if (!element || element->GetOutputPoints().empty()) return false;
    const CPointF p = element->GetOutputPoints().front();
    const CRectF& r = element->GetRect();
    const int64_t x = Tenths(p.x), y = Tenths(p.y);
    const int64_t left = Tenths(r.left), right = Tenths(r.right);
    const int64_t top = Tenths(r.top), bottom = Tenths(r.bottom);
    auto between = [](int64_t v, int64_t a, int64_t b) {
        return v >= std::min(a, b) && v <= std::max(a, b);
    };
    if (between(y, top, bottom) && (x == left || x == right)) return false;
    return between(x, left, right) && (y == top || y == bottom);
}

CSimLink* CSimPart::GetLink(size_t index) const {
    return index < m_links.size() ? m_links[index] : nullptr;
}

CSimLink* CSimPart::FindLink(size_t attributeIndex) const {
    for (CSimLink* link : m_links)
        if (link->GetAttributeIndex() == attributeIndex) return link;
    return nullptr;
}

int CSimPart::AddLink(CSimLink& link) {
    if (CSimPart* previous = link.GetOwnerElement(); previous && previous != this)
        previous->RemoveLink(link);
    auto it = std::find(m_links.begin(), m_links.end(), &link);
    if (it == m_links.end()) it = m_links.insert(m_links.end(), &link);
    link.SetOwnerElement(this);
    return static_cast<int>(it - m_links.begin());
}

CSimLink* CSimPart::RemoveLink(CSimLink& link) {
    auto it = std::find(m_links.begin(), m_links.end(), &link);
    if (it == m_links.end()) return nullptr;
    m_links.erase(it);
    link.SetOwnerElement(nullptr);
    return &link;
}

}  // namespace kestro
