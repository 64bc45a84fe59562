#pragma once

#include <functional>
#include <memory>
#include <string>

#include "core/library/sh_text.h"
#include "core/objects/part.h"

namespace kestro {

// A text on the sheet showing one attribute value of its owning element (with the
// definition's unit). The document keeps it right after its element in the objects
// list. An element that leaves the sheet leaves its links without an owner; such a
// link is written with owner number 0 and dropped when read back.
class CSimLink : public CPart {
public:
    static constexpr uint16_t kNoAttribute = 65535;

    explicit CSimLink(const CPartEnvironment& environment);
    ~CSimLink() override;  // leaves its owner's links

    // A link of `owner`'s attribute `attributeIndex` in the default text font, its text
    // taken from the value, joined to the owner's links, centred on the owner.
    static std::unique_ptr<CSimLink> Create(const CPartEnvironment& environment, CSimPart& owner,
                                            size_t attributeIndex);

    CSimPart* GetOwnerElement() const { return m_owner; }
    // Only CSimPart::AddLink / RemoveLink call this; use those.
    void SetOwnerElement(CSimPart* owner) { m_owner = owner; }
    uint32_t GetOwnerNumber() const { return m_ownerNumber; }
    size_t GetAttributeIndex() const { return m_attribute; }
    // The attribute moved to another place among its element's definitions.
    void SetAttributeIndex(size_t index) {
        m_attribute = static_cast<uint16_t>(index < kNoAttribute ? index : kNoAttribute);
    }
    // The definition identifier read with the record (resolved by ResolveOwner).
    uint32_t GetDefinitionId() const { return m_definitionId; }
    const CSHTextAdvance& GetTextShape() const { return m_text; }
    CSHTextAdvance& GetTextShape() { return m_text; }

    // The owner's value text and unit; the extent follows the fixed metric.
    void RefreshText();
    // After reading: the owner is the object `find` gives for the stored owner number;
    // it must be an element with a definition of the stored identifier. Marks the link
    // unresolved otherwise; else it joins the owner's links.
    void ResolveOwner(const std::function<CPart*(uint32_t)>& find);

    uint16_t GetTag() const override { return kTagLink; }
    std::string GetKindName() const override { return "Text"; }
    std::string GetName() const override { return m_text.GetText(); }
    CRectF GetSymbolRect() const override { return m_text.GetRect(); }
    CPointF GetTerminalPosition(size_t /*index*/) const override { return {}; }
    void PrepareForSave() override;
    void Flip(int /*axis*/) override {}
    void AppendShapes(CShapeList& shapes, CPointF origin) const override;
    void DrawWith(CCanvas& canvas, const CPlacement& placement) const override;
    // Common record, the text record, u32 owner number, u16 attribute index, u32
    // definition identifier.
    void Serialize(CRecordBuffer& buffer, CSerialContext& context) override;
    bool IsLink() const override { return true; }

private:
    CSHTextAdvance m_text;
    CSimPart* m_owner = nullptr;
    uint32_t m_ownerNumber = 0;
    uint16_t m_attribute = kNoAttribute;
    uint32_t m_definitionId = 0;
};

}  // namespace kestro
