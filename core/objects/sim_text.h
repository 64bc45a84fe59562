#pragma once

#include <memory>
#include <string>

#include "core/library/sh_text.h"
#include "core/objects/part.h"

namespace kestro {

// A free text on the sheet, in the settings' default text font when created.
class CSimText : public CPart {
public:
    explicit CSimText(const CPartEnvironment& environment);

    // A new text at `position` turned by `rotation` quarter turns.
    static std::unique_ptr<CSimText> Create(const CPartEnvironment& environment,
                                            const std::string& text, CPointF position,
                                            int rotation);

    const CSHTextAdvance& GetTextShape() const { return m_text; }
    // Edit the shape, then call TextChanged so the extent and bounds follow.
    CSHTextAdvance& GetTextShape() { return m_text; }
    void SetText(const std::string& text);
    // Measures with the fixed metric, or with `canvas` (the view's) when given.
    void TextChanged(const CCanvas* canvas = nullptr);

    uint16_t GetTag() const override { return kTagText; }
    std::string GetKindName() const override { return "Text"; }
    std::string GetName() const override { return m_text.GetText(); }
    CRectF GetSymbolRect() const override { return m_text.GetRect(); }
    CPointF GetTerminalPosition(size_t /*index*/) const override { return {}; }
    void Flip(int /*axis*/) override {}
    void AppendShapes(CShapeList& shapes, CPointF origin) const override;
    void DrawWith(CCanvas& canvas, const CPlacement& placement) const override;
    // Common record and the text record.
    void Serialize(CRecordBuffer& buffer, CSerialContext& context) override;
    bool IsText() const override { return true; }

private:
    CSHTextAdvance m_text;
};

}  // namespace kestro
