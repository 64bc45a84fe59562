#pragma once

#include <string>

#include "core/library/shape.h"

namespace kestro {

// A line of text with its own font, placed at an anchor and turned by quarter turns:
// the free text of a sheet. The extent is the box the text takes, in symbol units,
// relative to the anchor and before the turn.
//
// Drawing places the anchor, measures the text in the zoomed font and puts it in the
// extent's frame: centred on the anchor, or, when justified, with its left (right)
// edge on the extent's left (right) edge, so the justified edge stays put when the
// text or its measured width changes. Vertically it is centred on the extent. A text
// whose device size is below 1.5 pixels in width or height is not drawn.
class CSHTextAdvance : public CShape {
public:
    // Style word: weight in bits 0 to 11, italic, left or right justification.
    static constexpr uint32_t kWeightMask = 0xFFF;
    static constexpr uint32_t kItalic = 0x1000;
    static constexpr uint32_t kJustifyLeft = 0x10000;
    static constexpr uint32_t kJustifyRight = 0x20000;

    CSHTextAdvance() = default;
    // A new text in the given font (the settings' default text font for free text).
    explicit CSHTextAdvance(const CLogicalFont& font);

    const std::string& GetText() const { return m_text; }
    void SetText(std::string text) { m_text = std::move(text); }
    const std::string& GetFaceName() const { return m_face; }
    void SetFaceName(std::string face) { m_face = std::move(face); }
    int32_t GetHeight() const { return m_height; }
    void SetHeight(int32_t height) { m_height = height; }
    uint32_t GetStyle() const { return m_style; }
    void SetStyle(uint32_t style) { m_style = style; }
    // The font at symbol scale: face, height, weight and italic of the style word.
    CLogicalFont GetFont() const;
    void SetFont(const CLogicalFont& font);
    // Non-zero: drawn in the placement's colour role; 0: in the own palette colour.
    uint32_t GetUsePlacementColor() const { return m_usePlacementColor; }
    void SetUsePlacementColor(uint32_t flag) { m_usePlacementColor = flag; }
    uint16_t GetColorIndex() const { return m_color; }
    void SetColorIndex(uint16_t index) { m_color = index; }
    const CRectF& GetExtent() const { return m_extent; }
    void SetExtent(const CRectF& extent) { m_extent = extent; }
    uint32_t GetLastWidth() const { return m_lastWidth; }
    void SetLastWidth(uint32_t width) { m_lastWidth = width; }
    CPointF GetAnchor() const { return m_anchor; }
    void SetAnchor(CPointF anchor) { m_anchor = anchor; }
    uint16_t GetRotation() const { return m_rotation; }
    void SetRotation(uint16_t rotation) { m_rotation = rotation & 3; }

    // Measures the text at symbol scale on a canvas and sets the extent to it, keeping
    // the justified edge (a centred text is centred on the anchor); records the width.
    void UpdateExtent(const CCanvas& canvas);

    uint16_t GetTypeCode() const override { return kTextAdvance; }
    CRectF GetBounds() const override;
    CRectF GetRect() const override { return m_extent.Offset(m_anchor.x, m_anchor.y); }
    // Anchor to the rectangle's centre, extent to the rectangle centred on the origin.
    void SetRect(const CRectF& rect) override;
    // Places the anchor, adds the turn, scales the height by the smaller axis scale
    // (truncated; a result of 0 becomes -1).
    void Transform(const CPlacement& placement) override;
    void Offset(float dx, float dy) override;
    void Rotate90(CPointF centre) override;
    void Draw(CCanvas& canvas, const CPlacement& placement) const override;
    std::unique_ptr<CShape> Clone() const override {
        return std::make_unique<CSHTextAdvance>(*this);
    }
    // text, face, i32 height, u32 style, u16 colour index, extent, u32 last width and,
    // in files of 3.20 and later, f32 anchor x, y, u16 rotation, u32 placement-colour flag.
    void Serialize(CRecordBuffer& buffer, const CShapeContext& context) override;

    // The height a text gets under an axis scale.
    static int32_t ScaledHeight(int32_t height, float scale);

protected:
    std::string m_text;
    std::string m_face;
    int32_t m_height = -12;
    uint32_t m_style = 400;
    uint32_t m_usePlacementColor = 0;
    uint16_t m_color = 0;
    CRectF m_extent;
    uint32_t m_lastWidth = 0;
    CPointF m_anchor;
    uint16_t m_rotation = 0;
};

// A symbol text in one of the four library fonts; always drawn in the placement's colour.
// Face, height and style are copies of the library font, taken when the text is made
// or read, and again by ApplyLibraryFont.
class CSHText : public CSHTextAdvance {
public:
    CSHText() : CSHText(CLibraryFont{}) {}
    // A new text in library font 0 (given).
    explicit CSHText(const CLibraryFont& font0);

    // 0 to 3.
    uint16_t GetFontIndex() const { return m_font; }
    void SetLibraryFont(uint16_t index, const CLibraryFont& font);
    void ApplyLibraryFont(const CLibraryFonts& fonts);

    uint16_t GetTypeCode() const override { return kText; }
    std::unique_ptr<CShape> Clone() const override { return std::make_unique<CSHText>(*this); }
    // text, u16 font number, a placement record (u16 0, f32 anchor x, y, u16 rotation,
    // f32 1, f32 1), extent. A font number outside 0 to 3 is written and read as 0.
    void Serialize(CRecordBuffer& buffer, const CShapeContext& context) override;

private:
    void CopyFont(const CLibraryFont& font);

    uint16_t m_font = 0;
};

}  // namespace kestro
