#pragma once

#include <memory>
#include <string>

#include "core/objects/part.h"

namespace kestro {

class CCircuit;
class CLabelObject;

// A net label: every label of one name (without regard to case) on a sheet is one net,
// through the document's shared label object of that name. Symbol: library element 1006.
class CSimLabel : public CPart {
public:
    explicit CSimLabel(const CPartEnvironment& environment);

    // A new label of `name` at `position` turned by `rotation` quarter turns; the
    // document gives it its label object when it is added.
    static std::unique_ptr<CSimLabel> Create(const CPartEnvironment& environment,
                                             const std::string& name, CPointF position,
                                             int rotation);

    CLabelObject* GetLabelObject() const { return m_label; }
    // The document's business (add and remove object); the label keeps the name.
    void SetLabelObject(CLabelObject* label);
    CCircuit* GetDocument() const { return m_document; }
    void SetDocument(CCircuit* document) { m_document = document; }

    uint16_t GetTag() const override { return kTagLabel; }
    std::string GetKindName() const override { return "Label"; }
    // The label object's name (the name read or given while it has none).
    std::string GetName() const override;
    int GetColorRole() const override { return 6; }
    CRectF GetSymbolRect() const override;
    CPointF GetTerminalPosition(size_t index) const override;
    void AppendShapes(CShapeList& shapes, CPointF origin) const override;
    void DrawWith(CCanvas& canvas, const CPlacement& placement) const override;
    // Common record and the label name; reading asks the document for the label object
    // of that name.
    void Serialize(CRecordBuffer& buffer, CSerialContext& context) override;
    bool IsLabel() const override { return true; }
    const CLibElement* GetElement() const override;

private:
    CLabelObject* m_label = nullptr;
    CCircuit* m_document = nullptr;
    std::string m_name;
};

}  // namespace kestro
