#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/platform/geometry.h"
#include "core/platform/palette.h"

namespace kestro {

// Pen styles, numbered as library files and wires store them.
enum PenStyle : int {
    kPenSolid = 0,
    kPenDash = 1,
    kPenDot = 2,
    kPenDashDot = 3,
    kPenDashDotDot = 4,
    kPenNull = 5,         // draws nothing
    kPenInsideFrame = 6,  // drawn as solid
};

// The pen outlines lines, arcs and the edges of closed figures. A width of 0 or 1 is
// one device pixel; wider pens are centred on the outline. Widths never scale with zoom.
struct CPen {
    CPaletteColor color{0, 0, 0};
    int width = 1;
    int style = kPenSolid;
    friend bool operator==(const CPen&, const CPen&) = default;
};

// The brush fills the inside of ellipses, rectangles and polygons.
struct CBrush {
    bool hollow = false;  // true: the inside is left as it is
    CPaletteColor color{255, 255, 255};
    friend bool operator==(const CBrush&, const CBrush&) = default;
};

// A logical font as drawing asks for it. The height follows the logical-font rule:
// negative is the character height in device pixels, positive the cell height; never 0.
// Weight is 100 to 900 (400 regular, 700 bold).
struct CLogicalFont {
    std::string face = "Courier New";
    int32_t height = -12;
    int32_t weight = 400;
    bool italic = false;
    friend bool operator==(const CLogicalFont&, const CLogicalFont&) = default;
};

// A device area drawing stays inside: the rectangle `area` without `hole` (a printed page
// keeps its drawing off the title block). Right and bottom are exclusive.
struct CDeviceClip {
    CRectI area;
    std::optional<CRectI> hole;
    friend bool operator==(const CDeviceClip&, const CDeviceClip&) = default;
};

struct CSizeI {
    int32_t cx = 0;
    int32_t cy = 0;
    friend bool operator==(const CSizeI&, const CSizeI&) = default;
};

// The drawing surface of schematics, symbols and printed pages.
//
// The canvas keeps the state every backend shares: the mapping from logical units to
// device pixels, the colour roles, black-and-white mode, an optional clip rectangle
// and the selected pen and brush. Everything that turns symbol geometry into pixels
// (placement, mirror, rounding, arc orientation, text justification) is done by the
// shape code in core before a primitive is called; a backend only draws what it is
// handed, in device pixels, with the pen and brush selected at the time of the call.
//
// Device coordinates follow the raster convention: x to the right, y downwards, one
// unit per pixel, a pixel (x, y) covering the square from (x, y) to (x + 1, y + 1).
class CCanvas {
public:
    static constexpr int kColorRoleCount = 14;
    using ColorRoles = std::array<int16_t, kColorRoleCount>;

    virtual ~CCanvas() = default;

    // --- Mapping --------------------------------------------------------------------
    // device = (logical + origin) × zoom, rounded half away from zero. The origin is the
    // scroll offset in logical units; a scrolled widget translates device pixels itself.
    void SetOrigin(CPointF origin) { m_origin = origin; }
    CPointF GetOrigin() const { return m_origin; }
    void SetZoom(double zoom) { m_zoom = zoom == 0.0 ? 1.0 : zoom; }  // 0 is taken as 1
    double GetZoom() const { return m_zoom; }
    int32_t ToDeviceX(double x) const;
    int32_t ToDeviceY(double y) const;
    CPointI ToDevice(CPointF p) const { return {ToDeviceX(p.x), ToDeviceY(p.y)}; }

    // --- Colours --------------------------------------------------------------------
    // The fourteen colour roles of the settings, each a palette index (set by the owner).
    void SetColorRoles(const ColorRoles& roles) { m_roles = roles; }
    const ColorRoles& GetColorRoles() const { return m_roles; }
    // Palette index a role holds; 0 for a role outside the table.
    int RolePaletteIndex(int role) const;
    // Black-and-white (printing): every pen and brush colour becomes black, except the
    // background brush, which stays the background colour.
    void SetMonochrome(bool monochrome) { m_monochrome = monochrome; }
    bool IsMonochrome() const { return m_monochrome; }
    void SetBackground(CPaletteColor color) { m_background = color; }
    CPaletteColor GetBackground() const { return m_background; }
    // The colour to draw with for a role or a palette index (an index outside the
    // palette is 0), black in black-and-white mode. Pixel and Text take such colours.
    CPaletteColor RoleColor(int role) const { return PaletteInk(RolePaletteIndex(role)); }
    CPaletteColor PaletteInk(int index) const;
    CPaletteColor Ink(CPaletteColor color) const;

    // --- Pen and brush --------------------------------------------------------------
    // A selection lasts until the next one. The canvas starts with a black solid pen of
    // width 1 and the background brush.
    void SelectRolePen(int role, int width = 1, int style = kPenSolid);
    void SelectPalettePen(int index, int width = 1, int style = kPenSolid);
    void SelectColorPen(CPaletteColor color, int width = 1, int style = kPenSolid);
    void SelectRoleBrush(int role);
    void SelectPaletteBrush(int index);
    void SelectColorBrush(CPaletteColor color);
    void SelectBackgroundBrush();  // filled with the background colour (as paper)
    void SelectHollowBrush();
    const CPen& GetPen() const { return m_pen; }
    const CBrush& GetBrush() const { return m_brush; }
    // Device pixels per pixel of pen width (1 unless set). Printers set their pixels per
    // screen pixel, so lines print as heavy as the windows show them: a one-pixel line on
    // a 1200 dpi page would be a fiftieth of a millimetre.
    void SetPenScale(double scale) { m_penScale = scale > 0.0 ? scale : 1.0; }
    double GetPenScale() const { return m_penScale; }
    // The width a backend strokes the pen with, in device pixels; 1 is a one-pixel line.
    int32_t DevicePenWidth(const CPen& pen) const;

    // --- Culling --------------------------------------------------------------------
    // An optional logical rectangle outside which nothing needs drawing. It is advice
    // for callers (IsVisible), not a clip a backend must enforce.
    void SetClip(std::optional<CRectF> logical) { m_clip = logical; }
    const std::optional<CRectF>& GetClip() const { return m_clip; }
    // False when normalised logical bounds lie wholly outside the clip rectangle.
    bool IsVisible(const CRectF& bounds) const;

    // --- Clipping -------------------------------------------------------------------
    // A device area every backend enforces until the next call; none when empty.
    // Backends that clip override this and call it.
    virtual void SetDeviceClip(std::optional<CDeviceClip> clip) { m_deviceClip = clip; }
    const std::optional<CDeviceClip>& GetDeviceClip() const { return m_deviceClip; }

    // --- Primitives (device pixels) -------------------------------------------------
    // Line with the pen from `from` towards `to`; the pixel at `to` is not drawn.
    virtual void Line(CPointI from, CPointI to) = 0;
    // Ellipse inscribed in `box`, whose right and bottom are exclusive (the figure covers
    // pixels left..right-1, top..bottom-1). Outlined with the pen, filled with the brush.
    virtual void Ellipse(const CRectI& box) = 0;
    // Part of the outline of the ellipse inscribed in `box` (right/bottom exclusive),
    // drawn with the pen counter-clockwise as seen on the screen, from where the ray from
    // the box centre through `start` meets the ellipse to where the ray through `end`
    // meets it. Start equal to end draws the whole ellipse. Never filled.
    virtual void Arc(const CRectI& box, CPointI start, CPointI end) = 0;
    // Rectangle `box`, right and bottom exclusive; outlined with the pen, filled with
    // the brush.
    virtual void Rectangle(const CRectI& box) = 0;
    // Closed polygon through the points (the last joins the first); outlined with the
    // pen, filled with the brush (alternate filling). Fewer than two points draw nothing.
    virtual void Polygon(std::span<const CPointI> points) = 0;
    // One pixel in the given colour (pen and brush are not used).
    virtual void Pixel(CPointI at, CPaletteColor color) = 0;
    // Text on one line in `font`, turned by quarterTurns × 90 degrees counter-clockwise
    // as seen on the screen (1: reads upwards). `box` is the device rectangle the turned
    // text occupies (right/bottom exclusive): the unturned text, TextExtent in size, is
    // centred on the box centre and turned about it. Drawn in `color` on a transparent
    // background; pen and brush are not used.
    virtual void Text(const CRectI& box, std::string_view text, const CLogicalFont& font,
                      int quarterTurns, CPaletteColor color) = 0;
    // Size of the unturned text in `font`, in device pixels.
    virtual CSizeI TextExtent(std::string_view text, const CLogicalFont& font) const = 0;

private:
    CPointF m_origin;
    double m_zoom = 1.0;
    ColorRoles m_roles{};
    bool m_monochrome = false;
    CPaletteColor m_background{255, 255, 255};
    std::optional<CRectF> m_clip;
    std::optional<CDeviceClip> m_deviceClip;
    CPen m_pen;
    CBrush m_brush;
    double m_penScale = 1.0;
};

// The text metric of headless canvases: every character (UTF-8 code point) is
// round(0.6 × |height|) pixels wide and the text |height| pixels high.
CSizeI FixedTextExtent(std::string_view text, const CLogicalFont& font);

}  // namespace kestro
