#include "core/library/lib_element.h"

#include "core/library/sh_text.h"
#include "core/platform/record_buffer.h"

namespace kestro {

std::unique_ptr<CLibElement> CLibElement::MakeNew(const std::string& netlistName) {
    auto element = std::make_unique<CLibElement>();
    element->m_name = netlistName;
    element->m_flags = kShowInDialog;
    element->m_rect = {-20, -20, 20, 20};
    element->AddDefinition(
        CNetLine("Name", "", CGenType::MakeString(netlistName), CNetLine::kTextLink));
    return element;
}

CNetLine& CLibElement::AddDefinition(CNetLine definition) {
    m_definitions.push_back(std::make_unique<CNetLine>(std::move(definition)));
    return *m_definitions.back();
}

void CLibElement::Draw(CCanvas& canvas, const CPlacement& placement) const {
    for (const auto& shape : m_shapes)
        shape->Draw(canvas, placement);
}

void CLibElement::ApplyLibraryFonts(const CLibraryFonts& fonts) {
    for (auto& shape : m_shapes)
        if (shape->GetTypeCode() == CShape::kText)
            static_cast<CSHText&>(*shape).ApplyLibraryFont(fonts);
}

void CLibElement::Serialize(CRecordBuffer& buffer, uint16_t identifier,
                            const CShapeContext& context) {
    m_identifier = identifier;
    buffer.Value(identifier);
    buffer.String(m_name);
    buffer.Value(m_flags);
    buffer.String(m_description);
    buffer.Rect(m_rect);
    SerializeShapes(buffer, m_shapes, context);
    buffer.Points(m_outputs);
    if (buffer.IsStoring()) {
        buffer.Put<uint32_t>(static_cast<uint32_t>(m_definitions.size()));
        for (auto& definition : m_definitions)
            definition->Serialize(buffer);
        return;
    }
    m_definitions.clear();
    const uint32_t count = buffer.Get<uint32_t>();
    // A count beyond the data is damage: stop where the record ends.
    for (uint32_t i = 0; i < count && buffer.Remaining() > 0; ++i) {
        const size_t start = buffer.Cursor();
        auto definition = std::make_unique<CNetLine>();
        definition->Serialize(buffer);
        if (buffer.Cursor() == start) break;  // a few stray bytes: nothing more to read
        m_definitions.push_back(std::move(definition));
    }
}

void CLibElement::TakeContentsOf(CLibElement& other) {
    m_name = std::move(other.m_name);
    m_flags = other.m_flags;
    m_description = std::move(other.m_description);
    m_rect = other.m_rect;
    m_shapes = std::move(other.m_shapes);
    m_outputs = std::move(other.m_outputs);
    m_definitions = std::move(other.m_definitions);
}

}  // namespace kestro
