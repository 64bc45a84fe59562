#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/library/part_data.h"
#include "core/objects/part.h"

namespace kestro {

// A placed library element: its identifier, its own attribute values (value 0 is the
// instance name) and the text links that show some of them on the sheet.
class CSimPart : public CPart {
public:
    explicit CSimPart(const CPartEnvironment& environment);
    ~CSimPart() override;  // its links lose their owner

    // A new element of library element `identifier` at `position` (snapped to the grid)
    // turned by `rotation` quarter turns, with default values; null when the library
    // has no such element.
    static std::unique_ptr<CSimPart> Create(const CPartEnvironment& environment,
                                            uint16_t identifier, CPointF position, int rotation);

    uint16_t GetElementId() const { return m_elementId; }
    const CPartData& GetData() const { return m_data; }
    // Editing values: call RefreshLinks afterwards, and SetInstanceName for value 0.
    CPartData& GetData() { return m_data; }
    // Value 0 as text; the default name is definition 0's default (the name prefix).
    std::string GetInstanceName() const;
    std::string GetDefaultName() const;
    // The library element changed (its symbol, terminals or definitions; `before` lists
    // its definition identifiers as they were): the terminals follow its output points and
    // every value stays with the definition of its identifier, while new definitions start
    // at their defaults. The object must not be connected (the edit step's Reshape).
    void FollowElement(const std::vector<uint32_t>& before);
    // Stores the name as value 0 (a String) and tells the document.
    void SetInstanceName(const std::string& name);
    // Stacks the links under the element, one line each, in link order.
    void PlaceLinks();
    // Renews every link's text from the values.
    void RefreshLinks();
    const std::vector<CSimLink*>& GetLinks() const { return m_links; }

    uint16_t GetTag() const override { return kTagSimPart; }
    std::string GetKindName() const override;
    std::string GetName() const override { return GetInstanceName(); }
    std::string GetValuesText() const override;
    int GetColorRole() const override { return 7; }
    CRectF GetSymbolRect() const override;
    CPointF GetTerminalPosition(size_t index) const override;
    void AppendShapes(CShapeList& shapes, CPointF origin) const override;
    void DrawWith(CCanvas& canvas, const CPlacement& placement) const override;
    // Common record, u16 element identifier, u16 terminal count, the values item.
    void Serialize(CRecordBuffer& buffer, CSerialContext& context) override;
    // 'netlist name' 'prefix.name' node numbers... values... and a line feed.
    int WriteNetlistLine(std::string& out, const std::string& prefix) const override;
    bool IsSimPart() const override { return true; }
    bool IsGround() const override;
    // Judged from the first output point against the unplaced symbol rectangle.
    bool IsVertical() const override;
    const CLibElement* GetElement() const override;

    size_t GetLinkCount() const override { return m_links.size(); }
    CSimLink* GetLink(size_t index) const override;
    CSimLink* FindLink(size_t attributeIndex) const override;
    // Appends the link once and makes this element its owner; returns its index.
    int AddLink(CSimLink& link) override;
    // Takes the link out and clears its owner; null when it was not there.
    CSimLink* RemoveLink(CSimLink& link) override;

private:
    uint16_t m_elementId = 65535;
    CPartData m_data;
    std::vector<CSimLink*> m_links;
};

}  // namespace kestro
