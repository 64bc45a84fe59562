#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QString>
#include <memory>
#include <string>
#include <unordered_map>

#include "core/platform/canvas.h"

class QPainter;

namespace kestro {

// The Qt face that stands for a face name of the stored files: the fonts of the files'
// home platform map onto the DejaVu families, which are always installed with the editor.
QString FallbackFamily(const std::string& face);

// The fonts of one canvas: each logical font made once, with its metrics and the widths of
// the texts measured with it (painting asks for the same texts on every repaint).
class CCanvasFontCache {
public:
    struct CEntry {
        QFont font;
        QFontMetrics metrics;
        int ascent = 0;
        int height = 0;
        std::unordered_map<std::string, int> widths;
    };

    CEntry& Get(const CLogicalFont& font);
    // The width of a text in a font, measured once.
    int Width(CEntry& entry, std::string_view text);

private:
    static QFont MakeFont(const CLogicalFont& font);
    std::unordered_map<std::string, std::unique_ptr<CEntry>> m_entries;
};

// The drawing surface on a QPainter (widgets, images, printers). Device pixels are the
// painter's coordinates; the owner translates the painter for scrolling. Drawing is not
// antialiased, so the figures cover the pixels the canvas interface describes.
class CQPainterCanvas : public CCanvas {
public:
    // The painter must outlive the canvas. `fonts` may be shared between canvases of one
    // view so that fonts and text widths are made once; a private cache is used otherwise.
    explicit CQPainterCanvas(QPainter& painter, CCanvasFontCache* fonts = nullptr);
    ~CQPainterCanvas() override;

    void Line(CPointI from, CPointI to) override;
    void Ellipse(const CRectI& box) override;
    void Arc(const CRectI& box, CPointI start, CPointI end) override;
    void Rectangle(const CRectI& box) override;
    void Polygon(std::span<const CPointI> points) override;
    void Pixel(CPointI at, CPaletteColor color) override;
    void Text(const CRectI& box, std::string_view text, const CLogicalFont& font, int quarterTurns,
              CPaletteColor color) override;
    CSizeI TextExtent(std::string_view text, const CLogicalFont& font) const override;

private:
    void ApplyPen();
    void ApplyBrush();
    bool HasPen() const { return GetPen().style != kPenNull; }

    QPainter& m_painter;
    std::unique_ptr<CCanvasFontCache> m_ownFonts;
    CCanvasFontCache* m_fonts;
};

}  // namespace kestro
