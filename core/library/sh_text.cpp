#include "core/library/sh_text.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/platform/record_buffer.h"

namespace kestro {

namespace {

int32_t ClampToInt(double v) {
    if (std::isnan(v)) return 0;
    constexpr double kMax = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::clamp(v, -kMax, kMax));
}

// Device values of a text stay where sums of a few of them cannot overflow.
int32_t ClampToDevice(double v) {
    constexpr double kLimit = 1 << 28;
    if (std::isnan(v)) return 0;
    return static_cast<int32_t>(std::clamp(v, -kLimit, kLimit));
}

uint32_t StyleOf(int32_t weight, bool italic) {
    return (static_cast<uint32_t>(weight) & CSHTextAdvance::kWeightMask) |
           (italic ? CSHTextAdvance::kItalic : 0u);
}

}  // namespace

CSHTextAdvance::CSHTextAdvance(const CLogicalFont& font) {
    SetFont(font);
}

CLogicalFont CSHTextAdvance::GetFont() const {
    return {m_face, m_height, static_cast<int32_t>(m_style & kWeightMask),
            (m_style & kItalic) != 0};
}

void CSHTextAdvance::SetFont(const CLogicalFont& font) {
    m_face = font.face;
    m_height = font.height;
    m_style = (m_style & ~(kWeightMask | kItalic)) | StyleOf(font.weight, font.italic);
}

int32_t CSHTextAdvance::ScaledHeight(int32_t height, float scale) {
    const int32_t scaled = ClampToInt(std::trunc(double(height) * double(scale)));
    return scaled == 0 ? -1 : scaled;
}

void CSHTextAdvance::UpdateExtent(const CCanvas& canvas) {
    const CSizeI size = canvas.TextExtent(m_text, GetFont());
    const float width = static_cast<float>(size.cx), height = static_cast<float>(size.cy);
    float left = -width / 2.0f;
    if (m_style & kJustifyLeft)
        left = m_extent.left;
    else if (m_style & kJustifyRight)
        left = m_extent.right - width;
    m_extent = {left, -height / 2.0f, left + width, height / 2.0f};
    m_lastWidth = static_cast<uint32_t>(size.cx);
}

CRectF CSHTextAdvance::GetBounds() const {
    return TurnRect(m_extent, m_rotation).Offset(m_anchor.x, m_anchor.y);
}

void CSHTextAdvance::SetRect(const CRectF& rect) {
    m_anchor = rect.Center();
    const CRectF centred = rect.Offset(-m_anchor.x, -m_anchor.y);
    m_extent = TurnRect(centred, m_rotation);
}

void CSHTextAdvance::Transform(const CPlacement& placement) {
    m_anchor = placement.Place(m_anchor);
    m_rotation = static_cast<uint16_t>((m_rotation + placement.Turns()) & 3);
    m_height = ScaledHeight(m_height, std::min(placement.sx, placement.sy));
}

void CSHTextAdvance::Offset(float dx, float dy) {
    m_anchor = {m_anchor.x + dx, m_anchor.y + dy};
}

void CSHTextAdvance::Rotate90(CPointF centre) {
    m_anchor = TurnAbout(m_anchor, centre, 1);
    m_rotation = static_cast<uint16_t>((m_rotation + 1) & 3);
}

void CSHTextAdvance::Draw(CCanvas& canvas, const CPlacement& placement) const {
    const int turns = (m_rotation + placement.Turns()) & 3;
    const double zoom = canvas.GetZoom();
    CLogicalFont font = GetFont();
    const int32_t height = ScaledHeight(m_height, std::min(placement.sx, placement.sy));
    font.height = ClampToInt(RoundHalfAway(double(height) * zoom));
    if (font.height == 0) font.height = -1;
    const CSizeI size = canvas.TextExtent(m_text, font);
    if (size.cx < 1.5 || size.cy < 1.5) return;

    // The unturned text box relative to the anchor, in device pixels.
    double left = -size.cx / 2.0;
    if (m_style & kJustifyLeft)
        left = m_extent.left * zoom;
    else if (m_style & kJustifyRight)
        left = m_extent.right * zoom - size.cx;
    const double top = (double(m_extent.top) + m_extent.bottom) / 2.0 * zoom - size.cy / 2.0;
    const CPointF a = TurnAboutOrigin({float(left), float(top)}, turns);
    const CPointF b = TurnAboutOrigin({float(left + size.cx), float(top + size.cy)}, turns);
    const CPointI at = canvas.ToDevice(placement.Place(m_anchor));
    const int32_t x = ClampToDevice(at.x + RoundHalfAway(std::min(a.x, b.x)));
    const int32_t y = ClampToDevice(at.y + RoundHalfAway(std::min(a.y, b.y)));
    const bool odd = (turns & 1) != 0;
    const int32_t boxWidth = ClampToDevice(odd ? size.cy : size.cx);
    const int32_t boxHeight = ClampToDevice(odd ? size.cx : size.cy);
    const CRectI box{x, y, x + boxWidth, y + boxHeight};

    const CPaletteColor color =
        m_usePlacementColor ? canvas.RoleColor(placement.color) : canvas.PaletteInk(m_color);
    canvas.Text(box, m_text, font, turns, color);
}

void CSHTextAdvance::Serialize(CRecordBuffer& buffer, const CShapeContext& /*context*/) {
    buffer.String(m_text);
    buffer.String(m_face);
    buffer.Value(m_height);
    buffer.Value(m_style);
    buffer.Value(m_color);
    buffer.Rect(m_extent);
    buffer.Value(m_lastWidth);
    // Older files end here: the text keeps the anchor, turn and colour flag it has.
    if (!buffer.IsAtLeast(3, 20)) return;
    buffer.Point(m_anchor);
    buffer.Value(m_rotation);
    buffer.Value(m_usePlacementColor);
    m_rotation &= 3;
}

CSHText::CSHText(const CLibraryFont& font0) {
    m_usePlacementColor = 1;
    CopyFont(font0);
}

void CSHText::CopyFont(const CLibraryFont& font) {
    m_face = font.faceName;
    m_height = font.height;
    m_style = StyleOf(font.weight, font.italic != 0);
}

void CSHText::SetLibraryFont(uint16_t index, const CLibraryFont& font) {
    m_font = index < 4 ? index : 0;
    CopyFont(font);
}

void CSHText::ApplyLibraryFont(const CLibraryFonts& fonts) {
    CopyFont(fonts[m_font < 4 ? m_font : 0]);
}

void CSHText::Serialize(CRecordBuffer& buffer, const CShapeContext& context) {
    buffer.String(m_text);
    if (m_font > 3) m_font = 0;
    buffer.Value(m_font);
    if (m_font > 3) m_font = 0;
    CPlacement placement{0, m_anchor.x, m_anchor.y, static_cast<uint16_t>(m_rotation & 3)};
    placement.Serialize(buffer);
    buffer.Rect(m_extent);
    if (buffer.IsStoring()) return;
    CopyFont(context.LibraryFont(m_font));
    m_anchor = {placement.x, placement.y};
    m_rotation = placement.rotation & 3;
    m_lastWidth = 0;
    m_color = 0;
    m_usePlacementColor = 1;
}

}  // namespace kestro
