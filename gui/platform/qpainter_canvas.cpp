#include "gui/platform/qpainter_canvas.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QRegion>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <vector>

#include "core/platform/text_encoding.h"

namespace kestro {

namespace {

// Texts kept per font before the memo starts again (a bound on memory).
constexpr size_t kMaxRememberedTexts = 50000;

bool SameFace(const std::string& a, const char* b) {
    return QString::fromStdString(a).compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

QColor ToQColor(CPaletteColor c) {
    return QColor(c.red, c.green, c.blue);
}

Qt::PenStyle ToQtStyle(int style) {
    switch (style) {
        case kPenDash:
            return Qt::DashLine;
        case kPenDot:
            return Qt::DotLine;
        case kPenDashDot:
            return Qt::DashDotLine;
        case kPenDashDotDot:
            return Qt::DashDotDotLine;
        case kPenNull:
            return Qt::NoPen;
        default:
            return Qt::SolidLine;
    }
}

// The last pixel of a line from `from` to `to` drawn without its end point: one step back
// along the longer axis, the shorter one following the line.
CPointI LastPixelBefore(CPointI from, CPointI to) {
    const int64_t dx = int64_t(to.x) - from.x, dy = int64_t(to.y) - from.y;
    const int64_t major = std::max(std::llabs(dx), std::llabs(dy));
    if (major <= 1) return from;
    const double t = double(major - 1) / double(major);
    return {static_cast<int32_t>(from.x + std::llround(dx * t)),
            static_cast<int32_t>(from.y + std::llround(dy * t))};
}

// The outline rectangle of a figure whose box has exclusive right and bottom edges: a
// one-pixel outline drawn on it covers exactly the box's pixels.
QRect OutlineRect(const CRectI& box) {
    const CRectI r{std::min(box.left, box.right), std::min(box.top, box.bottom),
                   std::max(box.left, box.right), std::max(box.top, box.bottom)};
    return QRect(r.left, r.top, std::max(0, r.right - r.left - 1),
                 std::max(0, r.bottom - r.top - 1));
}

// Angle (1/16 degree, counter-clockwise on the screen) at which Qt's arc of `rect` meets
// the ray from the centre through the centre of pixel p. Qt takes the angles of an
// elliptic arc on the circle before it is stretched, so the ray angle is converted.
double QtArcAngle(const QRect& rect, CPointI p) {
    const double cx = rect.x() + rect.width() / 2.0 + 0.5;
    const double cy = rect.y() + rect.height() / 2.0 + 0.5;
    const double a = std::max(rect.width() / 2.0, 0.5), b = std::max(rect.height() / 2.0, 0.5);
    const double ray = std::atan2(-(p.y + 0.5 - cy), p.x + 0.5 - cx);
    const double t = std::atan2(a * std::sin(ray), b * std::cos(ray));
    return t * 180.0 / std::numbers::pi * 16.0;
}

}  // namespace

QString FallbackFamily(const std::string& face) {
    for (const char* mono : {"Courier New", "Courier", "Lucida Console", "Consolas", "Fixedsys"})
        if (SameFace(face, mono)) return QStringLiteral("DejaVu Sans Mono");
    for (const char* serif : {"Times New Roman", "Times", "MS Serif", "Roman"})
        if (SameFace(face, serif)) return QStringLiteral("DejaVu Serif");
    return QStringLiteral("DejaVu Sans");
}

// --- Fonts -------------------------------------------------------------------------------

QFont CCanvasFontCache::MakeFont(const CLogicalFont& logical) {
    QFont font;
    const QString face = QString::fromStdString(TextAsUtf8(logical.face));
    const QString fallback = FallbackFamily(logical.face);
    // A face of the files' home platform that is installed here is taken as it is.
    font.setFamilies(face.isEmpty() ? QStringList{fallback} : QStringList{face, fallback});
    const int weight = logical.weight <= 0 ? 400 : std::clamp(int(logical.weight), 100, 900);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(logical.italic);
    font.setKerning(false);
    // Negative heights are the character height, positive ones the cell height.
    const int64_t height = std::llabs(int64_t(logical.height));
    const int pixels = static_cast<int>(std::clamp<int64_t>(height, 1, 4000));
    font.setPixelSize(pixels);
    if (logical.height > 0) {
        const int cell = QFontMetrics(font).height();
        if (cell > 0)
            font.setPixelSize(std::max(1, int(std::lround(double(pixels) * pixels / cell))));
    }
    return font;
}

CCanvasFontCache::CEntry& CCanvasFontCache::Get(const CLogicalFont& font) {
    if (m_lastEntry && font == m_lastFont) return *m_lastEntry;
    std::string key = font.face;
    key += '\x1f';
    key += std::to_string(font.height) + ',' + std::to_string(font.weight) + ',' +
           (font.italic ? '1' : '0');
    auto it = m_entries.find(key);
    if (it == m_entries.end()) {
        QFont qfont = MakeFont(font);
        auto entry = std::make_unique<CEntry>(CEntry{qfont, QFontMetrics(qfont), 0, 0, {}});
        entry->ascent = entry->metrics.ascent();
        entry->height = entry->metrics.height();
        it = m_entries.emplace(std::move(key), std::move(entry)).first;
    }
    m_lastFont = font;
    m_lastEntry = it->second.get();
    return *it->second;
}

CCanvasFontCache::CText& CCanvasFontCache::Text(CEntry& entry, std::string_view text) {
    if (m_lastText && m_lastTextEntry == &entry && m_lastTextKey == text) return *m_lastText;
    auto found = entry.texts.find(text);
    if (found == entry.texts.end()) {
        if (entry.texts.size() >= kMaxRememberedTexts) {
            m_imageBytes -= [&entry] {
                qsizetype bytes = 0;
                for (const auto& [key, cached] : entry.texts)
                    for (const CTextImage& image : cached.images)
                        bytes += image.image.sizeInBytes();
                return bytes;
            }();
            entry.texts.clear();
        }
        CText measured;
        measured.width = entry.metrics.horizontalAdvance(QString::fromStdString(TextAsUtf8(text)));
        found = entry.texts.emplace(std::string(text), std::move(measured)).first;
    }
    m_lastTextEntry = &entry;
    m_lastTextKey.assign(text);
    m_lastText = &found->second;
    return found->second;
}

const QImage& CCanvasFontCache::Image(CEntry& entry, CText& text, std::string_view characters,
                                      CPaletteColor color, int turns, qreal pixelRatio) {
    for (const CTextImage& image : text.images)
        if (image.color == color && image.turns == turns && image.pixelRatio == pixelRatio)
            return image.image;
    if (m_imageBytes > kMaxImageBytes) DropImages();
    const bool odd = (turns & 1) != 0;
    const int width = std::max(1, text.width), height = std::max(1, entry.height);
    const int across = odd ? height : width, down = odd ? width : height;
    // On a high-density screen the picture has the screen's pixels, so texts stay sharp.
    QImage image(int(std::ceil(across * pixelRatio)), int(std::ceil(down * pixelRatio)),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setFont(entry.font);
        painter.setPen(ToQColor(color));
        painter.translate(across / 2.0, down / 2.0);
        painter.rotate(-90.0 * turns);
        painter.drawText(QPointF(-width / 2.0, -height / 2.0 + entry.ascent),
                         QString::fromStdString(TextAsUtf8(characters)));
    }
    m_imageBytes += image.sizeInBytes();
    text.images.push_back({color, turns, pixelRatio, std::move(image)});
    return text.images.back().image;
}

void CCanvasFontCache::DropImages() {
    for (auto& [key, entry] : m_entries)
        for (auto& [characters, text] : entry->texts)
            text.images.clear();
    m_imageBytes = 0;
}

// --- Canvas ------------------------------------------------------------------------------

CQPainterCanvas::CQPainterCanvas(QPainter& painter, CCanvasFontCache* fonts) : m_painter(painter) {
    if (!fonts) {
        m_ownFonts = std::make_unique<CCanvasFontCache>();
        fonts = m_ownFonts.get();
    }
    m_fonts = fonts;
    m_painter.setRenderHint(QPainter::Antialiasing, false);
}

CQPainterCanvas::~CQPainterCanvas() {
    Flush();
}

void CQPainterCanvas::Flush() {
    switch (m_batch) {
        case Batch::Lines:
            SetPainterPen(m_batchPen);
            m_painter.drawLines(m_lines);
            m_lines.clear();
            break;
        case Batch::Fills:
            m_painter.setPen(Qt::NoPen);
            m_painter.setBrush(ToQColor(m_batchColor));
            m_appliedPen.reset();
            m_appliedBrush.reset();
            m_painter.drawRects(m_fills);
            m_fills.clear();
            break;
        case Batch::None:
            break;
    }
    m_batch = Batch::None;
}

void CQPainterCanvas::AddLine(CPointI from, CPointI to) {
    if (m_batch != Batch::Lines || m_batchPen != GetPen() || m_appliedPenScale != GetPenScale()) {
        Flush();
        m_batch = Batch::Lines;
        m_batchPen = GetPen();
    }
    m_lines.append(QLine(from.x, from.y, to.x, to.y));
}

void CQPainterCanvas::AddFill(const QRect& box, CPaletteColor color) {
    if (m_batch != Batch::Fills || m_batchColor != color) {
        Flush();
        m_batch = Batch::Fills;
        m_batchColor = color;
    }
    m_fills.append(box);
}

void CQPainterCanvas::ApplyPen() {
    Flush();
    SetPainterPen(GetPen());
}

void CQPainterCanvas::SetPainterPen(const CPen& pen) {
    if (m_appliedPen == pen && m_appliedPenScale == GetPenScale()) return;
    m_appliedPen = pen;
    m_appliedPenScale = GetPenScale();
    if (pen.style == kPenNull) {
        m_painter.setPen(Qt::NoPen);
        return;
    }
    QPen qpen(ToQColor(pen.color));
    qpen.setStyle(ToQtStyle(pen.style));
    const int width = DevicePenWidth(pen);
    if (width <= 1) {
        qpen.setWidth(0);  // cosmetic: one device pixel
        qpen.setCapStyle(Qt::FlatCap);
    } else {
        qpen.setWidth(width);
        qpen.setCapStyle(Qt::RoundCap);
        qpen.setJoinStyle(Qt::RoundJoin);
    }
    m_painter.setPen(qpen);
}

void CQPainterCanvas::ApplyBrush() {
    Flush();
    const CBrush& brush = GetBrush();
    if (m_appliedBrush == brush) return;
    m_appliedBrush = brush;
    if (brush.hollow)
        m_painter.setBrush(Qt::NoBrush);
    else
        m_painter.setBrush(ToQColor(brush.color));
}

void CQPainterCanvas::Line(CPointI from, CPointI to) {
    if (!HasPen() || from == to) return;
    const CPen& pen = GetPen();
    if (DevicePenWidth(pen) > 1) {
        ApplyPen();
        m_painter.drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
        return;
    }
    const CPointI last = LastPixelBefore(from, to);
    if (last == from) {
        AddFill(QRect(from.x, from.y, 1, 1), pen.color);
    } else if (pen.style == kPenSolid || pen.style == kPenInsideFrame) {
        AddLine(from, last);
    } else {
        ApplyPen();  // dashes start anew with every line: drawn one by one
        m_painter.drawLine(QPoint(from.x, from.y), QPoint(last.x, last.y));
    }
}

bool CQPainterCanvas::DrawTiny(const CRectI& box) {
    const QRect r = OutlineRect(box);
    if (r.width() > 1 || r.height() > 1 || !HasPen()) return false;
    AddFill(QRect(r.x(), r.y(), r.width() + 1, r.height() + 1), GetPen().color);
    return true;
}

void CQPainterCanvas::Ellipse(const CRectI& box) {
    if (DrawTiny(box)) return;
    ApplyBrush();
    ApplyPen();
    if (!HasPen()) {
        const QRect r = OutlineRect(box);
        m_painter.drawEllipse(QRectF(r.x(), r.y(), r.width() + 1, r.height() + 1));
        return;
    }
    m_painter.drawEllipse(OutlineRect(box));
}

void CQPainterCanvas::Arc(const CRectI& box, CPointI start, CPointI end) {
    if (!HasPen()) return;
    if (DrawTiny(box)) return;
    ApplyPen();
    const QRect rect = OutlineRect(box);
    const double a0 = QtArcAngle(rect, start);
    double span = QtArcAngle(rect, end) - a0;
    if (start == end) span = 360 * 16;
    while (span <= 0)
        span += 360 * 16;
    m_painter.drawArc(rect, int(std::lround(a0)), int(std::lround(span)));
}

void CQPainterCanvas::Rectangle(const CRectI& box) {
    if (DrawTiny(box)) return;
    const QRect r = OutlineRect(box);
    if (!HasPen()) {
        if (!GetBrush().hollow)
            AddFill(QRect(r.x(), r.y(), r.width() + 1, r.height() + 1), GetBrush().color);
        return;
    }
    ApplyBrush();
    ApplyPen();
    m_painter.drawRect(r);
}

void CQPainterCanvas::Polygon(std::span<const CPointI> points) {
    if (points.size() < 2) return;
    QPolygon polygon(static_cast<int>(points.size()));
    for (size_t i = 0; i < points.size(); ++i)
        polygon.setPoint(static_cast<int>(i), points[i].x, points[i].y);
    ApplyBrush();
    ApplyPen();
    m_painter.drawPolygon(polygon, Qt::OddEvenFill);
}

void CQPainterCanvas::Pixel(CPointI at, CPaletteColor color) {
    AddFill(QRect(at.x, at.y, 1, 1), color);
}

void CQPainterCanvas::Text(const CRectI& box, std::string_view text, const CLogicalFont& font,
                           int quarterTurns, CPaletteColor color) {
    if (text.empty()) return;
    Flush();
    CCanvasFontCache::CEntry& entry = m_fonts->Get(font);
    CCanvasFontCache::CText& cached = m_fonts->Text(entry, text);
    const double cx = (double(box.left) + box.right) / 2.0;
    const double cy = (double(box.top) + box.bottom) / 2.0;
    const int turns = ((quarterTurns % 4) + 4) % 4;
    if (m_textAsImages) {
        const qreal ratio = m_painter.device() ? m_painter.device()->devicePixelRatio() : 1.0;
        const QImage& image = m_fonts->Image(entry, cached, text, color, turns, ratio);
        const QSizeF size = image.deviceIndependentSize();
        m_painter.drawImage(
            QPointF(std::round(cx - size.width() / 2.0), std::round(cy - size.height() / 2.0)),
            image);
        return;
    }
    if (m_appliedFont != &entry.font) {
        m_painter.setFont(entry.font);
        m_appliedFont = &entry.font;
    }
    const CPen textPen{color, -1, kPenSolid};  // a width no figure pen has
    if (m_appliedPen != textPen) {
        m_painter.setPen(ToQColor(color));
        m_appliedPen = textPen;
    }
    const QString characters = QString::fromStdString(TextAsUtf8(text));
    const QPointF baseline(-cached.width / 2.0, -entry.height / 2.0 + entry.ascent);
    m_painter.save();
    m_painter.translate(cx, cy);
    m_painter.rotate(-90.0 * turns);
    m_painter.drawText(baseline, characters);
    m_painter.restore();
}

void CQPainterCanvas::SetDeviceClip(std::optional<CDeviceClip> clip) {
    Flush();
    CCanvas::SetDeviceClip(clip);
    if (!clip) {
        m_painter.setClipping(false);
        return;
    }
    const auto rect = [](const CRectI& r) {
        return QRect(QPoint(std::min(r.left, r.right), std::min(r.top, r.bottom)),
                     QPoint(std::max(r.left, r.right) - 1, std::max(r.top, r.bottom) - 1));
    };
    QRegion region(rect(clip->area));
    if (clip->hole) region -= QRegion(rect(*clip->hole));
    m_painter.setClipRegion(region);
}

CSizeI CQPainterCanvas::TextExtent(std::string_view text, const CLogicalFont& font) const {
    // A font of one pixel keeps its one pixel, however tall Qt makes its smallest cell: text
    // that small is below what drawing shows, and is not worth measuring exactly.
    if (std::llabs(int64_t(font.height)) <= 1) return FixedTextExtent(text, font);
    CCanvasFontCache::CEntry& entry = m_fonts->Get(font);
    return {m_fonts->Width(entry, text), entry.height};
}

}  // namespace kestro
