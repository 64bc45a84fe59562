#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QLine>
#include <QRect>
#include <QString>
#include <QVector>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/platform/canvas.h"

class QPainter;

namespace kestro {

// The Qt face that stands for a face name of the stored files: the fonts of the files'
// home platform map onto the DejaVu families, which are always installed with the editor.
QString FallbackFamily(const std::string& face);

// The fonts of the canvases of one view: each logical font made once with its metrics, and
// each text measured once per font and, for the screen, drawn once into a small picture
// that later repaints copy (laying out and rasterising a text costs several times more
// than copying its pixels, and a sheet repaints the same texts again and again).
class CCanvasFontCache {
public:
    // Lets a text be looked up without copying it into a string first.
    struct CStringHash {
        using is_transparent = void;
        size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };
    struct CTextImage {
        CPaletteColor color;
        int turns = 0;
        qreal pixelRatio = 1.0;
        QImage image;
    };
    struct CText {
        int width = 0;
        std::vector<CTextImage> images;
    };
    struct CEntry {
        QFont font;
        QFontMetrics metrics;
        int ascent = 0;
        int height = 0;
        std::unordered_map<std::string, CText, CStringHash, std::equal_to<>> texts;
    };
    // Pictures of texts kept at most, in bytes, before all are drawn anew.
    static constexpr qsizetype kMaxImageBytes = 64 << 20;

    CEntry& Get(const CLogicalFont& font);
    // A text of a font, measured once.
    CText& Text(CEntry& entry, std::string_view text);
    int Width(CEntry& entry, std::string_view text) { return Text(entry, text).width; }
    // The picture of a text in a colour, turned, drawn on first use.
    const QImage& Image(CEntry& entry, CText& text, std::string_view characters,
                        CPaletteColor color, int turns, qreal pixelRatio);

private:
    static QFont MakeFont(const CLogicalFont& font);
    void DropImages();

    std::unordered_map<std::string, std::unique_ptr<CEntry>> m_entries;
    qsizetype m_imageBytes = 0;
    // Drawing asks for one font and one text several times in a row.
    CLogicalFont m_lastFont;
    CEntry* m_lastEntry = nullptr;
    CEntry* m_lastTextEntry = nullptr;
    std::string m_lastTextKey;
    CText* m_lastText = nullptr;
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

    // Draws what is held back in batches; done by the destructor too, but the owner calls it
    // before it paints on the painter itself.
    void Flush();

    // Texts are copied from pictures of them (the screen), or drawn as text (printers and
    // files, where the text must stay text at the device's resolution).
    void SetTextAsImages(bool images) { m_textAsImages = images; }

    void Line(CPointI from, CPointI to) override;
    void Ellipse(const CRectI& box) override;
    void Arc(const CRectI& box, CPointI start, CPointI end) override;
    void Rectangle(const CRectI& box) override;
    void Polygon(std::span<const CPointI> points) override;
    void Pixel(CPointI at, CPaletteColor color) override;
    void Text(const CRectI& box, std::string_view text, const CLogicalFont& font, int quarterTurns,
              CPaletteColor color) override;
    CSizeI TextExtent(std::string_view text, const CLogicalFont& font) const override;
    // On top of the painter's own clip (a window's paint region stays in force).
    void SetDeviceClip(std::optional<CDeviceClip> clip) override;

private:
    // Runs of one-pixel solid lines of one pen, and of small filled boxes of one colour, are
    // drawn with one painter call each: at small zooms a sheet is thousands of such figures,
    // and the painter's cost per call is most of the time. A run ends before any other
    // figure, so the order of drawing is kept.
    enum class Batch { None, Lines, Fills };
    void AddLine(CPointI from, CPointI to);
    void AddFill(const QRect& box, CPaletteColor color);
    void SetPainterPen(const CPen& pen);
    void ApplyPen();
    void ApplyBrush();
    bool HasPen() const { return GetPen().style != kPenNull; }
    // A figure within two pixels either way is its box filled with the pen colour: the
    // outline covers it anyway, and QPainter's set-up costs more than the pixels.
    bool DrawTiny(const CRectI& box);

    QPainter& m_painter;
    // What the painter holds, so unchanged pens, brushes and fonts are not set again.
    std::optional<CPen> m_appliedPen;
    double m_appliedPenScale = 1.0;
    std::optional<CBrush> m_appliedBrush;
    const QFont* m_appliedFont = nullptr;
    bool m_textAsImages = true;
    Batch m_batch = Batch::None;
    CPen m_batchPen;
    CPaletteColor m_batchColor{0, 0, 0};
    QVector<QLine> m_lines;
    QVector<QRect> m_fills;
    std::unique_ptr<CCanvasFontCache> m_ownFonts;
    CCanvasFontCache* m_fonts;
};

}  // namespace kestro
