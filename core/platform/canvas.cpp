#include "core/platform/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace kestro {

namespace {

// Device values stay inside what every backend can take, whatever the input.
int32_t ClampToDevice(double v) {
    constexpr double kLimit = 1 << 28;  // leaves room for sums of a few coordinates
    if (std::isnan(v)) return 0;
    if (v > kLimit) return static_cast<int32_t>(kLimit);
    if (v < -kLimit) return static_cast<int32_t>(-kLimit);
    return static_cast<int32_t>(RoundHalfAway(v));
}

}  // namespace

int32_t CCanvas::ToDeviceX(double x) const {
    return ClampToDevice((x + m_origin.x) * m_zoom);
}

int32_t CCanvas::ToDeviceY(double y) const {
    return ClampToDevice((y + m_origin.y) * m_zoom);
}

int CCanvas::RolePaletteIndex(int role) const {
    if (role < 0 || role >= kColorRoleCount) return 0;
    return m_roles[static_cast<size_t>(role)];
}

CPaletteColor CCanvas::PaletteInk(int index) const {
    return Ink(PaletteColor(index));
}

CPaletteColor CCanvas::Ink(CPaletteColor color) const {
    return m_monochrome ? CPaletteColor{0, 0, 0} : color;
}

void CCanvas::SelectRolePen(int role, int width, int style) {
    SelectColorPen(PaletteColor(RolePaletteIndex(role)), width, style);
}

void CCanvas::SelectPalettePen(int index, int width, int style) {
    SelectColorPen(PaletteColor(index), width, style);
}

void CCanvas::SelectColorPen(CPaletteColor color, int width, int style) {
    m_pen = {Ink(color), width, style};
}

void CCanvas::SelectRoleBrush(int role) {
    SelectColorBrush(PaletteColor(RolePaletteIndex(role)));
}

void CCanvas::SelectPaletteBrush(int index) {
    SelectColorBrush(PaletteColor(index));
}

void CCanvas::SelectColorBrush(CPaletteColor color) {
    m_brush = {false, Ink(color)};
}

void CCanvas::SelectBackgroundBrush() {
    m_brush = {false, m_background};
}

void CCanvas::SelectHollowBrush() {
    m_brush = {true, m_background};
}

int32_t CCanvas::DevicePenWidth(const CPen& pen) const {
    const double width = std::max(pen.width, 1) * m_penScale;
    return static_cast<int32_t>(std::clamp(std::round(width), 1.0, 10000.0));
}

bool CCanvas::IsVisible(const CRectF& bounds) const {
    if (!m_clip) return true;
    const CRectF clip = m_clip->Normalized();
    return bounds.left <= clip.right && clip.left <= bounds.right && bounds.top <= clip.bottom &&
           clip.top <= bounds.bottom;
}

CSizeI FixedTextExtent(std::string_view text, const CLogicalFont& font) {
    int32_t characters = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++characters;  // continuation bytes belong to a character
    const int64_t height = std::llabs(static_cast<int64_t>(font.height));
    const int64_t width = std::llround(0.6 * static_cast<double>(height));
    const int64_t total =
        std::min<int64_t>(width * characters, std::numeric_limits<int32_t>::max());
    return {static_cast<int32_t>(total),
            static_cast<int32_t>(std::min<int64_t>(height, std::numeric_limits<int32_t>::max()))};
}

}  // namespace kestro
