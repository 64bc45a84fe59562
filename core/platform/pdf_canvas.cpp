#include "core/platform/pdf_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "core/platform/number_text.h"
#include "core/platform/text_encoding.h"

namespace kestro {

namespace {

constexpr double kPointsPerInch = 72.0;
constexpr double kScreenPixelsPerInch = 96.0;
// Cell height of a font over its size, for logical fonts given by their cell height.
constexpr double kCellPerSize = 1.15;
// From the middle of a line of text down to its baseline, over the font size.
constexpr double kBaselineBelowMiddle = 0.35;

std::string Num(double v) {
    return FormatDecimal(v, 3);
}

std::string ColorOperands(CPaletteColor c) {
    return FormatDecimal(c.red / 255.0, 3) + " " + FormatDecimal(c.green / 255.0, 3) + " " +
           FormatDecimal(c.blue / 255.0, 3);
}

// Dash patterns of the pen styles, in screen pixels (as the windows show them).
std::vector<double> DashPattern(int style) {
    switch (style) {
        case kPenDash:
            return {18, 6};
        case kPenDot:
            return {3, 3};
        case kPenDashDot:
            return {9, 6, 3, 6};
        case kPenDashDotDot:
            return {9, 3, 3, 3, 3, 3};
        default:
            return {};
    }
}

CRectI Normalized(const CRectI& r) {
    return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
            std::max(r.top, r.bottom)};
}

// The ellipse inscribed in a box whose right and bottom are exclusive, through the
// centres of its outermost pixels.
struct CEllipseGeometry {
    double cx, cy, rx, ry;
};

CEllipseGeometry Inscribed(const CRectI& box) {
    const CRectI r = Normalized(box);
    return {(double(r.left) + r.right) / 2.0, (double(r.top) + r.bottom) / 2.0,
            std::max(0.0, (double(r.right) - r.left - 1) / 2.0),
            std::max(0.0, (double(r.bottom) - r.top - 1) / 2.0)};
}

// The ellipse's own angle (counter-clockwise on the screen) of the point where the ray
// from the centre through the centre of pixel p meets it.
double ParameterOfRay(const CEllipseGeometry& e, CPointI p) {
    const double ray = std::atan2(-(p.y + 0.5 - e.cy), p.x + 0.5 - e.cx);
    return std::atan2(e.rx * std::sin(ray), e.ry * std::cos(ray));
}

// Cubic curves along the ellipse from angle `from` through `sweep` (radians,
// counter-clockwise on the screen), starting with a move to the first point.
std::string ArcPath(const CEllipseGeometry& e, double from, double sweep) {
    const auto x = [&](double t) { return e.cx + e.rx * std::cos(t); };
    const auto y = [&](double t) { return e.cy - e.ry * std::sin(t); };
    const int segments = std::max(1, int(std::ceil(sweep / (std::numbers::pi / 2) - 1e-9)));
    const double step = sweep / segments;
    const double k = 4.0 / 3.0 * std::tan(step / 4.0);
    std::string path = Num(x(from)) + " " + Num(y(from)) + " m\n";
    for (int i = 0; i < segments; ++i) {
        const double t0 = from + i * step, t1 = t0 + step;
        path += Num(x(t0) - k * e.rx * std::sin(t0)) + " " + Num(y(t0) - k * e.ry * std::cos(t0)) +
                " " + Num(x(t1) + k * e.rx * std::sin(t1)) + " " +
                Num(y(t1) + k * e.ry * std::cos(t1)) + " " + Num(x(t1)) + " " + Num(y(t1)) + " c\n";
    }
    return path;
}

// A literal string of a PDF file: brackets and backslashes escaped, everything outside
// printable ASCII written as octal.
std::string LiteralString(std::string_view bytes) {
    std::string out = "(";
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '(' || c == ')' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 32 || c >= 127) {
            out += '\\';
            out += static_cast<char>('0' + (c >> 6));
            out += static_cast<char>('0' + ((c >> 3) & 7));
            out += static_cast<char>('0' + (c & 7));
        } else {
            out += ch;
        }
    }
    return out + ")";
}

// Text of a drawing in the encoding of the standard fonts, control characters as spaces.
std::string FontText(std::string_view text) {
    std::string encoded = TextAsWindows1252(text);
    for (char& c : encoded)
        if (static_cast<unsigned char>(c) < 32) c = ' ';
    return encoded;
}

double FontSize(const CLogicalFont& font) {
    const double height = std::clamp<double>(std::llabs(int64_t(font.height)), 1.0, 1.0e6);
    return font.height < 0 ? height : height / kCellPerSize;
}

std::string Padded(size_t offset) {
    std::string digits = FormatInt(static_cast<int64_t>(offset));
    return std::string(digits.size() < 10 ? 10 - digits.size() : 0, '0') + digits;
}

}  // namespace

CSizeI CPdfPage::PrintableSize() const {
    const auto pixels = [this](double points) {
        return static_cast<int32_t>(
            std::clamp(std::floor(points * resolution / kPointsPerInch), 0.0, 1.0e8));
    };
    return {pixels(width - 2 * left), pixels(height - 2 * top)};
}

void CPdfCanvas::StartPage(const CPdfPage& page) {
    const double a = kPointsPerInch / (page.resolution > 0 ? page.resolution : 1200.0);
    m_pages.push_back({page,
                       "q " + Num(a) + " 0 0 " + Num(-a) + " " + Num(page.left) + " " +
                           Num(page.height - page.top) + " cm\n",
                       false});
    ForgetState();
    if (const auto& clip = GetDeviceClip()) SetDeviceClip(clip);
}

std::string& CPdfCanvas::Out() {
    if (m_pages.empty()) StartPage();
    return m_pages.back().content;
}

void CPdfCanvas::ForgetState() {
    m_strokeColor.reset();
    m_fillColor.reset();
    m_lineWidth.reset();
    m_dashStyle.reset();
}

void CPdfCanvas::ApplyStroke() {
    const CPen& pen = GetPen();
    std::string& out = Out();
    if (m_strokeColor != pen.color) {
        out += ColorOperands(pen.color) + " RG\n";
        m_strokeColor = pen.color;
    }
    const int device = DevicePenWidth(pen);
    const int width = device <= 1 ? 0 : device;
    if (m_lineWidth != width) {
        // Wide pens end and join round, as the windows draw them.
        out += FormatInt(width) + (width == 0 ? " w 0 J 0 j\n" : " w 1 J 1 j\n");
        m_lineWidth = width;
    }
    const int style = pen.style == kPenInsideFrame ? kPenSolid : pen.style;
    if (m_dashStyle != style) {
        const double resolution = m_pages.back().page.resolution;
        const double stretch = std::max(1.0, resolution / kScreenPixelsPerInch);
        std::string dashes;
        for (double length : DashPattern(style))
            dashes += (dashes.empty() ? "" : " ") + Num(length * stretch);
        out += "[" + dashes + "] 0 d\n";
        m_dashStyle = style;
    }
}

void CPdfCanvas::ApplyFill(CPaletteColor color) {
    if (m_fillColor == color) return;
    Out() += ColorOperands(color) + " rg\n";
    m_fillColor = color;
}

const char* CPdfCanvas::PreparePaint(bool evenOdd) {
    const bool pen = HasPen(), fill = !GetBrush().hollow;
    if (pen) ApplyStroke();
    if (fill) ApplyFill(GetBrush().color);
    if (pen) return fill ? (evenOdd ? "B*\n" : "B\n") : "S\n";
    return fill ? (evenOdd ? "f*\n" : "f\n") : "n\n";
}

bool CPdfCanvas::DrawTiny(const CRectI& box) {
    const CRectI r = Normalized(box);
    if (r.right - r.left > 2 || r.bottom - r.top > 2 || !HasPen()) return false;
    ApplyFill(GetPen().color);
    Out() += FormatInt(r.left) + " " + FormatInt(r.top) + " " +
             FormatInt(std::max(1, r.right - r.left)) + " " +
             FormatInt(std::max(1, r.bottom - r.top)) + " re f\n";
    return true;
}

void CPdfCanvas::Line(CPointI from, CPointI to) {
    if (!HasPen() || from == to) return;
    ApplyStroke();
    Out() += Num(from.x + 0.5) + " " + Num(from.y + 0.5) + " m " + Num(to.x + 0.5) + " " +
             Num(to.y + 0.5) + " l S\n";
}

void CPdfCanvas::Ellipse(const CRectI& box) {
    if (DrawTiny(box)) return;
    const char* paint = PreparePaint(false);
    Out() += ArcPath(Inscribed(box), 0.0, 2.0 * std::numbers::pi) + "h\n" + paint;
}

void CPdfCanvas::Arc(const CRectI& box, CPointI start, CPointI end) {
    if (!HasPen() || DrawTiny(box)) return;
    const CEllipseGeometry e = Inscribed(box);
    if (e.rx <= 0.0 || e.ry <= 0.0) return;
    const double from = ParameterOfRay(e, start);
    double sweep = ParameterOfRay(e, end) - from;
    while (sweep <= 1e-9)
        sweep += 2.0 * std::numbers::pi;
    if (start == end) sweep = 2.0 * std::numbers::pi;
    ApplyStroke();
    Out() += ArcPath(e, from, sweep) + "S\n";
}

void CPdfCanvas::Rectangle(const CRectI& box) {
    if (DrawTiny(box)) return;
    const CRectI r = Normalized(box);
    if (!HasPen()) {
        if (GetBrush().hollow) return;
        ApplyFill(GetBrush().color);
        Out() += FormatInt(r.left) + " " + FormatInt(r.top) + " " + FormatInt(r.right - r.left) +
                 " " + FormatInt(r.bottom - r.top) + " re f\n";
        return;
    }
    const char* paint = PreparePaint(false);
    Out() += Num(r.left + 0.5) + " " + Num(r.top + 0.5) + " " +
             FormatInt(std::max(0, r.right - r.left - 1)) + " " +
             FormatInt(std::max(0, r.bottom - r.top - 1)) + " re\n" + paint;
}

void CPdfCanvas::Polygon(std::span<const CPointI> points) {
    if (points.size() < 2) return;
    std::string path;
    for (size_t i = 0; i < points.size(); ++i)
        path += Num(points[i].x + 0.5) + " " + Num(points[i].y + 0.5) + (i == 0 ? " m\n" : " l\n");
    const char* paint = PreparePaint(true);
    Out() += path + "h\n" + paint;
}

void CPdfCanvas::Pixel(CPointI at, CPaletteColor color) {
    ApplyFill(color);
    Out() += FormatInt(at.x) + " " + FormatInt(at.y) + " 1 1 re f\n";
}

void CPdfCanvas::Text(const CRectI& box, std::string_view text, const CLogicalFont& font,
                      int quarterTurns, CPaletteColor color) {
    if (text.empty()) return;
    const int index = PdfStandardFont(font);
    m_usedFonts[size_t(index)] = true;
    const std::string encoded = FontText(text);
    const double size = FontSize(font);
    const double width = double(PdfTextWidth(index, encoded)) * size / 1000.0;
    // Along the text and up from it, in device pixels (y grows downwards), per quarter turn.
    static constexpr int kAlong[4][2] = {{1, 0}, {0, -1}, {-1, 0}, {0, 1}};
    static constexpr int kUp[4][2] = {{0, -1}, {-1, 0}, {0, 1}, {1, 0}};
    const int turns = ((quarterTurns % 4) + 4) % 4;
    const auto& along = kAlong[turns];
    const auto& up = kUp[turns];
    const double cx = (double(box.left) + box.right) / 2.0;
    const double cy = (double(box.top) + box.bottom) / 2.0;
    const double below = kBaselineBelowMiddle * size;
    const double x = cx - width / 2.0 * along[0] - below * up[0];
    const double y = cy - width / 2.0 * along[1] - below * up[1];
    ApplyFill(color);
    Out() += "BT /F" + FormatInt(index) + " " + Num(size) + " Tf " + FormatInt(along[0]) + " " +
             FormatInt(along[1]) + " " + FormatInt(up[0]) + " " + FormatInt(up[1]) + " " + Num(x) +
             " " + Num(y) + " Tm " + LiteralString(encoded) + " Tj ET\n";
}

CSizeI CPdfCanvas::TextExtent(std::string_view text, const CLogicalFont& font) const {
    const double size = FontSize(font);
    const double width =
        double(PdfTextWidth(PdfStandardFont(font), FontText(text))) * size / 1000.0;
    const int64_t height = std::min<int64_t>(std::llabs(int64_t(font.height)), 1000000);
    return {static_cast<int32_t>(std::min(std::round(width), 1.0e9)), static_cast<int32_t>(height)};
}

void CPdfCanvas::SetDeviceClip(std::optional<CDeviceClip> clip) {
    CCanvas::SetDeviceClip(clip);
    std::string& out = Out();
    CPageContent& page = m_pages.back();
    if (page.clipOpen) {
        out += "Q\n";
        page.clipOpen = false;
        ForgetState();
    }
    if (!clip) return;
    const auto box = [](const CRectI& r) {
        const CRectI n = Normalized(r);
        return FormatInt(n.left) + " " + FormatInt(n.top) + " " + FormatInt(n.right - n.left) +
               " " + FormatInt(n.bottom - n.top) + " re ";
    };
    out += "q " + box(clip->area) + (clip->hole ? box(*clip->hole) : std::string()) + "W* n\n";
    page.clipOpen = true;
}

std::string CPdfCanvas::Document(std::string_view title) const {
    const std::vector<CPageContent> blank{{CPdfPage{}, "q\n", false}};
    const std::vector<CPageContent>& pages = m_pages.empty() ? blank : m_pages;
    std::vector<int> fonts;
    for (int i = 0; i < kPdfStandardFontCount; ++i)
        if (m_usedFonts[size_t(i)]) fonts.push_back(i);

    // Objects: 1 catalogue, 2 page tree, 3 information, 4 resources, then the fonts, then
    // each page followed by its content.
    const int firstFont = 5;
    const int firstPage = firstFont + static_cast<int>(fonts.size());
    const int objectCount = firstPage + 2 * static_cast<int>(pages.size()) - 1;
    std::vector<size_t> offsets(size_t(objectCount) + 1, 0);
    std::string out = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    const auto object = [&](int number, const std::string& body) {
        offsets[size_t(number)] = out.size();
        out += FormatInt(number) + " 0 obj\n" + body + "\nendobj\n";
    };
    object(1, "<< /Type /Catalog /Pages 2 0 R >>");
    std::string kids;
    for (size_t i = 0; i < pages.size(); ++i)
        kids += (i ? " " : "") + FormatInt(firstPage + 2 * int64_t(i)) + " 0 R";
    object(2, "<< /Type /Pages /Kids [" + kids + "] /Count " + FormatInt(int64_t(pages.size())) +
                  " >>");
    object(3, "<< /Producer (Kestro) /Title " + LiteralString(TextAsWindows1252(title)) + " >>");
    std::string fontList;
    for (size_t i = 0; i < fonts.size(); ++i)
        fontList += "/F" + FormatInt(fonts[i]) + " " + FormatInt(firstFont + int64_t(i)) + " 0 R ";
    object(4, "<< /Font << " + fontList + ">> >>");
    for (size_t i = 0; i < fonts.size(); ++i)
        object(firstFont + int(i), std::string("<< /Type /Font /Subtype /Type1 /BaseFont /") +
                                       PdfBaseFontName(fonts[i]) +
                                       " /Encoding /WinAnsiEncoding >>");
    for (size_t i = 0; i < pages.size(); ++i) {
        const CPageContent& page = pages[i];
        const int number = firstPage + 2 * int(i);
        object(number, "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + Num(page.page.width) + " " +
                           Num(page.page.height) + "] /Resources 4 0 R /Contents " +
                           FormatInt(number + 1) + " 0 R >>");
        const std::string_view closing = page.clipOpen ? "Q\nQ\n" : "Q\n";
        const size_t length = page.content.size() + closing.size();
        offsets[size_t(number + 1)] = out.size();
        out += FormatInt(number + 1) + " 0 obj\n<< /Length " + FormatInt(int64_t(length)) +
               " >>\nstream\n";
        out += page.content;
        out += closing;
        out += "endstream\nendobj\n";
    }
    const size_t xref = out.size();
    out += "xref\n0 " + FormatInt(objectCount + 1) + "\n0000000000 65535 f \n";
    for (int i = 1; i <= objectCount; ++i)
        out += Padded(offsets[size_t(i)]) + " 00000 n \n";
    out += "trailer\n<< /Size " + FormatInt(objectCount + 1) +
           " /Root 1 0 R /Info 3 0 R >>\nstartxref\n" + FormatInt(int64_t(xref)) + "\n%%EOF\n";
    return out;
}

}  // namespace kestro
