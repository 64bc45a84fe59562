#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/library/net_line.h"
#include "core/library/shape.h"

namespace kestro {

class CRecordBuffer;

// One element of the library: its netlist name, symbol (rectangle, shapes, terminal
// positions), description, flags and attribute definitions.
class CLibElement {
public:
    // Element flags.
    static constexpr uint32_t kShowInDialog = 0x10;
    static constexpr uint32_t kShowInList2 = 0x20;
    static constexpr uint32_t kGround = 0x10000000;
    static constexpr uint16_t kNoIdentifier = 65535;

    CLibElement() = default;
    CLibElement(const CLibElement&) = delete;
    CLibElement& operator=(const CLibElement&) = delete;

    // A new element as the library makes one: flags 0x10, the 40 by 40 rectangle centred
    // on the origin, and the one definition "Name" with the netlist name as default.
    static std::unique_ptr<CLibElement> MakeNew(const std::string& netlistName);

    uint16_t GetIdentifier() const { return m_identifier; }
    void SetIdentifier(uint16_t identifier) { m_identifier = identifier; }
    const std::string& GetName() const { return m_name; }
    void SetName(std::string name) { m_name = std::move(name); }
    uint32_t GetFlags() const { return m_flags; }
    void SetFlags(uint32_t flags) { m_flags = flags; }
    bool IsGround() const { return (m_flags & kGround) != 0; }
    const std::string& GetDescription() const { return m_description; }
    void SetDescription(std::string description) { m_description = std::move(description); }
    const CRectF& GetRect() const { return m_rect; }
    void SetRect(const CRectF& rect) { m_rect = rect; }

    // The drawing, in order.
    const CShapeList& GetShapes() const { return m_shapes; }
    CShapeList& GetShapes() { return m_shapes; }
    void AddShape(std::unique_ptr<CShape> shape) { m_shapes.push_back(std::move(shape)); }
    // Terminal positions in netlist order (N1, N2, ...).
    const std::vector<CPointF>& GetOutputPoints() const { return m_outputs; }
    std::vector<CPointF>& GetOutputPoints() { return m_outputs; }
    // Attribute definitions; definition 0 is the instance name.
    const std::vector<std::unique_ptr<CNetLine>>& GetDefinitions() const { return m_definitions; }
    std::vector<std::unique_ptr<CNetLine>>& GetDefinitions() { return m_definitions; }
    size_t GetDefinitionCount() const { return m_definitions.size(); }
    CNetLine& GetDefinition(size_t index) { return *m_definitions[index]; }
    const CNetLine& GetDefinition(size_t index) const { return *m_definitions[index]; }
    CNetLine& AddDefinition(CNetLine definition);

    // Takes over everything of `other` but the identifier, so that whoever holds this
    // element (an open library window) sees a restored state.
    void TakeContentsOf(CLibElement& other);

    // Draws every shape under a placement.
    void Draw(CCanvas& canvas, const CPlacement& placement) const;
    // Copies the library fonts into the symbol texts again.
    void ApplyLibraryFonts(const CLibraryFonts& fonts);

    // The element record. Writing stores `identifier` as the element's identifier first;
    // reading gives the element that identifier whatever the record holds.
    void Serialize(CRecordBuffer& buffer, uint16_t identifier, const CShapeContext& context);

private:
    uint16_t m_identifier = kNoIdentifier;
    std::string m_name;
    uint32_t m_flags = 0;
    std::string m_description;
    CRectF m_rect;
    CShapeList m_shapes;
    std::vector<CPointF> m_outputs;
    std::vector<std::unique_ptr<CNetLine>> m_definitions;
};

}  // namespace kestro
