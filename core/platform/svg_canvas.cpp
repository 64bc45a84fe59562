#include "core/platform/svg_canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/platform/number_text.h"
#include "core/platform/text_encoding.h"

namespace kestro {

namespace {

// Plain decimal with at most three places: SVG takes no "E-005" exponents.
std::string Num(double v) {
    return FormatDecimal(v, 3);
}

std::string ColorText(CPaletteColor c) {
    static const char kHex[] = "0123456789abcdef";
    std::string text = "#";
    for (uint8_t part : {c.red, c.green, c.blue}) {
        text += kHex[part >> 4];
        text += kHex[part & 0xF];
    }
    return text;
}

// Dash patterns of the pen styles, in pixels.
const char* DashArray(int style) {
    switch (style) {
        case kPenDash:
            return "18 6";
        case kPenDot:
            return "3 3";
        case kPenDashDot:
            return "9 6 3 6";
        case kPenDashDotDot:
            return "9 3 3 3 3 3";
        default:
            return nullptr;
    }
}

std::string EscapeXml(std::string_view raw) {
    std::string text = TextAsUtf8(raw);
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                // XML 1.0 allows no control characters but tab, newline and return.
                if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
                    out += ' ';
                else
                    out += c;
        }
    }
    return out;
}

// Centre of a pixel, where a one-pixel stroke covers it exactly.
std::string PixelCentre(CPointI p) {
    return Num(p.x + 0.5) + "," + Num(p.y + 0.5);
}

struct CEllipseGeometry {
    double cx, cy, rx, ry;
};

CEllipseGeometry Inscribed(const CRectI& box) {
    return {(double(box.left) + box.right) / 2.0, (double(box.top) + box.bottom) / 2.0,
            std::max(0.0, (double(box.right) - box.left - 1) / 2.0),
            std::max(0.0, (double(box.bottom) - box.top - 1) / 2.0)};
}

// Angle of the ray from the centre through the centre of pixel p, in radians,
// counter-clockwise on the screen.
double RayAngle(const CEllipseGeometry& e, CPointI p) {
    return std::atan2(-(p.y + 0.5 - e.cy), p.x + 0.5 - e.cx);
}

std::string EllipsePoint(const CEllipseGeometry& e, double angle) {
    const double dx = std::cos(angle), dy = -std::sin(angle);
    const double t = 1.0 / std::sqrt(dx * dx / (e.rx * e.rx) + dy * dy / (e.ry * e.ry));
    return Num(e.cx + t * dx) + "," + Num(e.cy + t * dy);
}

}  // namespace

CSvgCanvas::CSvgCanvas(int32_t width, int32_t height) : m_width(width), m_height(height) {}

std::string CSvgCanvas::StrokeAttributes() const {
    const CPen& pen = GetPen();
    if (pen.style == kPenNull) return " stroke=\"none\"";
    std::string text = " stroke=\"" + ColorText(pen.color) + "\" stroke-width=\"" +
                       Num(DevicePenWidth(pen)) + "\"";
    if (const char* dashes = DashArray(pen.style))
        text += " stroke-dasharray=\"" + std::string(dashes) + "\"";
    return text;
}

std::string CSvgCanvas::FillAttributes() const {
    const CBrush& brush = GetBrush();
    return brush.hollow ? " fill=\"none\"" : " fill=\"" + ColorText(brush.color) + "\"";
}

void CSvgCanvas::Line(CPointI from, CPointI to) {
    if (GetPen().style == kPenNull) return;
    m_body += "<path d=\"M" + PixelCentre(from) + " L" + PixelCentre(to) + "\" fill=\"none\"" +
              StrokeAttributes() + " stroke-linecap=\"butt\"/>\n";
}

void CSvgCanvas::Ellipse(const CRectI& box) {
    const CEllipseGeometry e = Inscribed(box);
    m_body += "<ellipse cx=\"" + Num(e.cx) + "\" cy=\"" + Num(e.cy) + "\" rx=\"" + Num(e.rx) +
              "\" ry=\"" + Num(e.ry) + "\"" + FillAttributes() + StrokeAttributes() + "/>\n";
}

void CSvgCanvas::Arc(const CRectI& box, CPointI start, CPointI end) {
    const CEllipseGeometry e = Inscribed(box);
    if (e.rx <= 0.0 || e.ry <= 0.0 || GetPen().style == kPenNull) return;
    const double a0 = RayAngle(e, start);
    double sweep = RayAngle(e, end) - a0;
    while (sweep <= 0.0)
        sweep += 2.0 * std::numbers::pi;
    const std::string radii = Num(e.rx) + " " + Num(e.ry);
    std::string path = "M" + EllipsePoint(e, a0);
    if (sweep >= 2.0 * std::numbers::pi - 1e-9) {  // the whole outline, in two halves
        path += " A" + radii + " 0 0 0 " + EllipsePoint(e, a0 + std::numbers::pi);
        path += " A" + radii + " 0 0 0 " + EllipsePoint(e, a0);
    } else {
        // Sweep flag 0: decreasing SVG angles, which is counter-clockwise on the screen.
        path += " A" + radii + " 0 " + (sweep > std::numbers::pi ? "1" : "0") + " 0 " +
                EllipsePoint(e, a0 + sweep);
    }
    m_body += "<path d=\"" + path + "\" fill=\"none\"" + StrokeAttributes() + "/>\n";
}

void CSvgCanvas::Rectangle(const CRectI& box) {
    m_body += "<rect x=\"" + Num(box.left + 0.5) + "\" y=\"" + Num(box.top + 0.5) + "\" width=\"" +
              Num(std::max(0, box.right - box.left - 1)) + "\" height=\"" +
              Num(std::max(0, box.bottom - box.top - 1)) + "\"" + FillAttributes() +
              StrokeAttributes() + "/>\n";
}

void CSvgCanvas::Polygon(std::span<const CPointI> points) {
    if (points.size() < 2) return;
    std::string list;
    for (const auto& p : points)
        list += (list.empty() ? "" : " ") + PixelCentre(p);
    m_body += "<polygon points=\"" + list + "\" fill-rule=\"evenodd\"" + FillAttributes() +
              StrokeAttributes() + "/>\n";
}

void CSvgCanvas::Pixel(CPointI at, CPaletteColor color) {
    m_body += "<rect x=\"" + Num(at.x) + "\" y=\"" + Num(at.y) +
              "\" width=\"1\" height=\"1\" fill=\"" + ColorText(color) + "\"/>\n";
}

void CSvgCanvas::Text(const CRectI& box, std::string_view text, const CLogicalFont& font,
                      int quarterTurns, CPaletteColor color) {
    const double cx = (double(box.left) + box.right) / 2.0;
    const double cy = (double(box.top) + box.bottom) / 2.0;
    std::string element = "<text x=\"" + Num(cx) + "\" y=\"" + Num(cy) +
                          "\" text-anchor=\"middle\" dominant-baseline=\"central\" font-family=\"" +
                          EscapeXml(font.face) + "\" font-size=\"" +
                          Num(std::abs(double(font.height))) + "\" font-weight=\"" +
                          Num(font.weight) + "\"";
    if (font.italic) element += " font-style=\"italic\"";
    const int turns = ((quarterTurns % 4) + 4) % 4;
    if (turns != 0)
        element +=
            " transform=\"rotate(" + Num(-90 * turns) + " " + Num(cx) + " " + Num(cy) + ")\"";
    m_body += element + " fill=\"" + ColorText(color) + "\" xml:space=\"preserve\">" +
              EscapeXml(text) + "</text>\n";
}

void CSvgCanvas::SetDeviceClip(std::optional<CDeviceClip> clip) {
    CCanvas::SetDeviceClip(clip);
    if (m_inClipGroup) m_body += "</g>\n";
    m_inClipGroup = clip.has_value();
    if (!clip) return;
    const auto box = [](const CRectI& r) {
        return "M" + Num(r.left) + "," + Num(r.top) + " H" + Num(r.right) + " V" + Num(r.bottom) +
               " H" + Num(r.left) + " Z";
    };
    std::string path = box(clip->area);
    if (clip->hole) path += " " + box(*clip->hole);
    const std::string id = "clip" + FormatInt(++m_clipCount);
    m_body += "<clipPath id=\"" + id + "\"><path d=\"" + path +
              "\" clip-rule=\"evenodd\"/></clipPath>\n<g clip-path=\"url(#" + id + ")\">\n";
}

CSizeI CSvgCanvas::TextExtent(std::string_view text, const CLogicalFont& font) const {
    return FixedTextExtent(text, font);
}

std::string CSvgCanvas::Document() const {
    const std::string w = FormatInt(m_width), h = FormatInt(m_height);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
           w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w + " " + h + "\">\n" + m_body +
           (m_inClipGroup ? "</g>\n" : "") + "</svg>\n";
}

}  // namespace kestro
