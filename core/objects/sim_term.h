#pragma once

#include <memory>

#include "core/objects/part.h"

namespace kestro {

class CCircuit;

// A port: the sheet's connection to the outside when it is used as a subcircuit. Its
// port number is a slot of the document's port table; the symbol is library element 1005.
class CSimTerm : public CPart {
public:
    static constexpr uint16_t kNoPort = 65535;

    explicit CSimTerm(const CPartEnvironment& environment);

    static std::unique_ptr<CSimTerm> Create(const CPartEnvironment& environment,
                                            uint16_t portNumber, CPointF position, int rotation);

    uint16_t GetPortNumber() const { return m_portNumber; }
    // Only while the port is not on a sheet (the document keeps its port table).
    void SetPortNumber(uint16_t number) { m_portNumber = number; }
    CCircuit* GetDocument() const { return m_document; }
    void SetDocument(CCircuit* document) { m_document = document; }

    uint16_t GetTag() const override { return kTagPort; }
    std::string GetKindName() const override { return "Port"; }
    // The document's name for this port number.
    std::string GetName() const override;
    int GetColorRole() const override { return 4; }
    CRectF GetSymbolRect() const override;
    // Output point 0 of element 1005; without one the library is reported as wrong.
    CPointF GetTerminalPosition(size_t index) const override;
    void AppendShapes(CShapeList& shapes, CPointF origin) const override;
    void DrawWith(CCanvas& canvas, const CPlacement& placement) const override;
    // Common record and u16 port number.
    void Serialize(CRecordBuffer& buffer, CSerialContext& context) override;
    bool IsPort() const override { return true; }
    const CLibElement* GetElement() const override;

private:
    uint16_t m_portNumber = kNoPort;
    CCircuit* m_document = nullptr;
};

}  // namespace kestro
