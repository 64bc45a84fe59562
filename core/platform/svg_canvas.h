#pragma once

#include <string>

#include "core/platform/canvas.h"

namespace kestro {

// A canvas that writes a standalone SVG document (symbol contact sheets, exports).
// One device pixel is one SVG user unit; text is measured with the fixed metric and
// drawn with the font's face name as font family, centred in its box.
class CSvgCanvas : public CCanvas {
public:
    CSvgCanvas(int32_t width, int32_t height);

    void Line(CPointI from, CPointI to) override;
    void Ellipse(const CRectI& box) override;
    void Arc(const CRectI& box, CPointI start, CPointI end) override;
    void Rectangle(const CRectI& box) override;
    void Polygon(std::span<const CPointI> points) override;
    void Pixel(CPointI at, CPaletteColor color) override;
    void Text(const CRectI& box, std::string_view text, const CLogicalFont& font, int quarterTurns,
              CPaletteColor color) override;
    CSizeI TextExtent(std::string_view text, const CLogicalFont& font) const override;
    void SetDeviceClip(std::optional<CDeviceClip> clip) override;

    // The whole document: header, every element drawn so far, closing tag.
    std::string Document() const;

private:
    std::string StrokeAttributes() const;
    std::string FillAttributes() const;

    int32_t m_width;
    int32_t m_height;
    std::string m_body;
    int m_clipCount = 0;
    bool m_inClipGroup = false;
};

}  // namespace kestro
