#include "gui/resources/button_images.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <functional>
#include <map>

#include "gui/commands/command_ids.h"

// Every image is drawn in a 16 x 15 grid of logical pixels. Straight lines run through pixel
// centres (x.5), so they land on whole device pixels at every ratio the icons are made for.

namespace kestro {

namespace {

using Drawing = std::function<void(QPainter&)>;

const QColor kInk(32, 32, 32);
const QColor kPaper(255, 255, 255);
const QColor kBlue(31, 95, 191);
const QColor kGreen(0, 128, 0);
const QColor kFolder(232, 192, 80);
const QColor kGrey(160, 160, 160);
const QColor kBrown(150, 100, 50);

QPen Pen(const QColor& color, qreal width = 1.0) {
    QPen pen(color, width);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

// A rectangle whose outline runs through the centres of the given pixel columns and rows.
QRectF PixelRect(int left, int top, int right, int bottom) {
    return QRectF(QPointF(left + 0.5, top + 0.5), QPointF(right + 0.5, bottom + 0.5));
}

void Box(QPainter& p, int l, int t, int r, int b, const QColor& fill) {
    p.setPen(Pen(kInk));
    p.setBrush(fill);
    p.drawRect(PixelRect(l, t, r, b));
}

void Line(QPainter& p, qreal x1, qreal y1, qreal x2, qreal y2, const QColor& c = kInk,
          qreal width = 1.0) {
    p.setPen(Pen(c, width));
    p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void Page(QPainter& p, int l, int t, int r, int b) {
    const QPolygonF outline{{l + 0.5, t + 0.5},
                            {r - 2.5, t + 0.5},
                            {r + 0.5, t + 3.5},
                            {r + 0.5, b + 0.5},
                            {l + 0.5, b + 0.5}};
    p.setPen(Pen(kInk));
    p.setBrush(kPaper);
    p.drawPolygon(outline);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF{{r - 2.5, t + 0.5}, {r - 2.5, t + 3.5}, {r + 0.5, t + 3.5}});
}

void TextLines(QPainter& p, int l, int r, std::initializer_list<int> rows) {
    for (const int y : rows)
        Line(p, l, y + 0.5, r, y + 0.5, kGrey);
}

void Clipboard(QPainter& p) {
    Box(p, 1, 2, 10, 14, kBrown);
    Box(p, 4, 1, 7, 3, kGrey);
}

void Magnifier(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    Line(p, 9.5, 9.5, 14.5, 14.0, kInk, 2.0);
    p.setPen(Pen(kInk, 1.2));
    p.setBrush(QColor(220, 235, 255));
    p.drawEllipse(QPointF(6.5, 6.5), 4.8, 4.8);
    p.setRenderHint(QPainter::Antialiasing, false);
}

void Arrow(QPainter& p) {
    const QPolygonF arrow{{4.5, 1.5},   {4.5, 12.5}, {7, 10},  {9, 14},
                          {10.5, 13.3}, {8.6, 9.4},  {12, 9.4}};
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Pen(kInk));
    p.setBrush(kPaper);
    p.drawPolygon(arrow);
}

void LetterA(QPainter& p, const QColor& c) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Pen(c, 1.6));
    p.drawPolyline(QPolygonF{{2.5, 14}, {8, 1.5}, {13.5, 14}});
    Line(p, 4.8, 9.5, 11.2, 9.5, c, 1.4);
}

void HalfCircle(QPainter& p, int orientation) {
    // Orientation 0 shows the left half, 1 the lower, 2 the right, 3 the upper.
    static const int kStart[] = {90, 180, 270, 0};
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Pen(kInk, 1.4));
    const QRectF circle(2.5, 2, 11, 11);
    p.drawArc(circle, kStart[orientation] * 16, 180 * 16);
}

void Triangle(QPainter& p, const QPolygonF& points, bool filled) {
    p.setPen(Pen(kInk));
    p.setBrush(filled ? QBrush(kBlue) : QBrush(kPaper));
    p.drawPolygon(points);
}

void DrawElementSymbol(QPainter& p) {
    Line(p, 0, 7.5, 4, 7.5);
    Line(p, 12, 7.5, 16, 7.5);
    Box(p, 4, 4, 11, 11, QColor(250, 240, 200));
}

const std::map<int, Drawing>& Drawings() {
    static const std::map<int, Drawing> drawings{
        {kIdFileNew, [](QPainter& p) { Page(p, 3, 0, 13, 14); }},
        {kIdFileOpen,
         [](QPainter& p) {
             Box(p, 1, 2, 6, 4, kFolder);
             Box(p, 1, 4, 13, 13, kFolder);
             p.setRenderHint(QPainter::Antialiasing);
             p.setBrush(QColor(248, 220, 130));
             p.drawPolygon(QPolygonF{{3.5, 7.5}, {15.5, 7.5}, {13.5, 13.5}, {1.5, 13.5}});
         }},
        {kIdFileSave,
         [](QPainter& p) {
             Box(p, 1, 0, 14, 14, kBlue);
             Box(p, 4, 0, 11, 5, QColor(210, 210, 210));
             Box(p, 3, 8, 12, 14, kPaper);
             TextLines(p, 5, 10, {10, 12});
         }},
        {kIdFilePrint,
         [](QPainter& p) {
             Box(p, 4, 0, 11, 6, kPaper);
             Box(p, 1, 5, 14, 11, QColor(200, 200, 200));
             Box(p, 4, 9, 11, 14, kPaper);
             Line(p, 12, 7.5, 13, 7.5, kGreen);
         }},
        {kIdEditCut,
         [](QPainter& p) {
             p.setRenderHint(QPainter::Antialiasing);
             Line(p, 5.5, 9, 11, 0.5, kInk, 1.2);
             Line(p, 10.5, 9, 5, 0.5, kInk, 1.2);
             p.setPen(Pen(kBlue, 1.4));
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QPointF(4.5, 11.5), 2.6, 2.6);
             p.drawEllipse(QPointF(11.5, 11.5), 2.6, 2.6);
         }},
        {kIdEditCopy,
         [](QPainter& p) {
             Page(p, 1, 0, 9, 10);
             TextLines(p, 3, 6, {4, 6});
             Page(p, 6, 4, 14, 14);
             TextLines(p, 8, 12, {8, 10, 12});
         }},
        {kIdEditPaste,
         [](QPainter& p) {
             Clipboard(p);
             Page(p, 7, 6, 14, 14);
             TextLines(p, 9, 12, {10, 12});
         }},
        {kIdCopyClipboardBlackWhite,
         [](QPainter& p) {
             Clipboard(p);
             Box(p, 7, 6, 14, 14, kPaper);
             p.fillRect(QRectF(11, 7, 3, 7), Qt::black);
         }},
        {kIdRotate,
         [](QPainter& p) {
             p.setRenderHint(QPainter::Antialiasing);
             p.setPen(Pen(kBlue, 1.6));
             p.drawArc(QRectF(2.5, 2.5, 10, 10), 90 * 16, 270 * 16);
             p.setPen(Qt::NoPen);
             p.setBrush(kBlue);
             p.drawPolygon(QPolygonF{{7.5, 0}, {11.5, 2.5}, {7.5, 5.5}});
         }},
        {kIdFlipLeftRight,
         [](QPainter& p) {
             Triangle(p, {{6.5, 2.5}, {6.5, 12.5}, {1.5, 12.5}}, true);
             Triangle(p, {{9.5, 2.5}, {9.5, 12.5}, {14.5, 12.5}}, false);
             Line(p, 8, 0, 8, 15, kGrey);
         }},
        {kIdFlipTopBottom,
         [](QPainter& p) {
             Triangle(p, {{2.5, 6.5}, {13.5, 6.5}, {2.5, 1.5}}, true);
             Triangle(p, {{2.5, 8.5}, {13.5, 8.5}, {2.5, 13.5}}, false);
             Line(p, 0, 7.5, 16, 7.5, kGrey);
         }},
        {kIdWire,
         [](QPainter& p) {
             p.setPen(Pen(kGreen, 1.0));
             p.setBrush(Qt::NoBrush);
             p.drawPolyline(QPolygonF{{2.5, 12.5}, {7.5, 12.5}, {7.5, 2.5}, {13.5, 2.5}});
             p.fillRect(QRectF(1, 11, 3, 3), kInk);
             p.fillRect(QRectF(12, 1, 3, 3), kInk);
         }},
        {kIdLabel,
         [](QPainter& p) {
             p.setPen(Pen(kInk));
             p.setBrush(QColor(255, 230, 160));
             p.drawPolygon(
                 QPolygonF{{1.5, 4.5}, {10.5, 4.5}, {14.5, 7.5}, {10.5, 10.5}, {1.5, 10.5}});
             Line(p, 3, 7.5, 9, 7.5, kBlue);
         }},
        {kIdEscape, Arrow},
        {kIdToolSelect, Arrow},
        {kIdZoomIn,
         [](QPainter& p) {
             Magnifier(p);
             Line(p, 4, 6.5, 9, 6.5);
             Line(p, 6.5, 4, 6.5, 9);
         }},
        {kIdZoomOut,
         [](QPainter& p) {
             Magnifier(p);
             Line(p, 4, 6.5, 9, 6.5);
         }},
        {kIdZoomBox,
         [](QPainter& p) {
             QPen dashed = Pen(kBlue);
             dashed.setDashPattern({2, 1});
             p.setPen(dashed);
             p.drawRect(PixelRect(0, 0, 9, 9));
             p.translate(3, 2);
             p.scale(0.8, 0.8);
             Magnifier(p);
         }},
        {kIdFitToPage,
         [](QPainter& p) {
             Box(p, 4, 4, 11, 10, kPaper);
             p.setRenderHint(QPainter::Antialiasing);
             const QColor c = kBlue;
             Line(p, 0.5, 0.5, 3.5, 3.5, c, 1.2);
             Line(p, 15.5, 0.5, 12.5, 3.5, c, 1.2);
             Line(p, 0.5, 14.5, 3.5, 11.5, c, 1.2);
             Line(p, 15.5, 14.5, 12.5, 11.5, c, 1.2);
         }},
        {kIdRunTarn,
         [](QPainter& p) {
             p.setRenderHint(QPainter::Antialiasing);
             p.setPen(Pen(QColor(0, 90, 0)));
             p.setBrush(QColor(40, 170, 40));
             p.drawPolygon(QPolygonF{{3.5, 1.5}, {13.5, 7.5}, {3.5, 13.5}});
         }},
        {kIdRunGraphon,
         [](QPainter& p) {
             Box(p, 0, 1, 15, 13, QColor(16, 32, 48));
             p.setRenderHint(QPainter::Antialiasing);
             QPainterPath wave(QPointF(1.5, 7));
             wave.cubicTo(4, 0.5, 5.5, 0.5, 8, 7);
             wave.cubicTo(10.5, 13.5, 12, 13.5, 14.5, 7);
             p.setPen(Pen(QColor(90, 230, 90), 1.2));
             p.setBrush(Qt::NoBrush);
             p.drawPath(wave);
         }},
        {kIdText, [](QPainter& p) { LetterA(p, kInk); }},
        {kIdToolText, [](QPainter& p) { LetterA(p, kBlue); }},
        {kIdToolLine,
         [](QPainter& p) {
             p.setRenderHint(QPainter::Antialiasing);
             Line(p, 2, 13, 14, 2, kInk, 1.4);
         }},
        {kIdToolRectangle, [](QPainter& p) { Box(p, 2, 3, 13, 11, kPaper); }},
        {kIdToolCircle,
         [](QPainter& p) {
             p.setRenderHint(QPainter::Antialiasing);
             p.setPen(Pen(kInk, 1.4));
             p.drawEllipse(QRectF(2.5, 2, 11, 11));
         }},
        {kIdToolHalfCircle0, [](QPainter& p) { HalfCircle(p, 0); }},
        {kIdToolHalfCircle1, [](QPainter& p) { HalfCircle(p, 1); }},
        {kIdToolHalfCircle2, [](QPainter& p) { HalfCircle(p, 2); }},
        {kIdToolHalfCircle3, [](QPainter& p) { HalfCircle(p, 3); }},
    };
    return drawings;
}

QPixmap Render(const Drawing& draw, QSize logical, qreal ratio) {
    QPixmap pixmap(qRound(logical.width() * ratio), qRound(logical.height() * ratio));
    pixmap.fill(Qt::transparent);
    {
        QPainter p(&pixmap);
        p.scale(ratio, ratio);
        draw(p);
    }
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

QIcon IconOf(const Drawing& draw) {
    QIcon icon;
    for (const qreal ratio : {1.0, 1.5, 2.0})
        icon.addPixmap(Render(draw, kButtonImageSize, ratio));
    return icon;
}

Drawing DrawingOf(int commandId) {
    const auto it = Drawings().find(commandId);
    return it == Drawings().end() ? Drawing(DrawElementSymbol) : it->second;
}

}  // namespace

QIcon ButtonIcon(int commandId) {
    return IconOf(DrawingOf(commandId));
}

QIcon ElementPlaceholderIcon() {
    return IconOf(DrawElementSymbol);
}

QImage ButtonImage(int commandId, qreal devicePixelRatio) {
    return Render(DrawingOf(commandId), kButtonImageSize, devicePixelRatio).toImage();
}

void DrawProgramIcon(QPainter& p, int size) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(31, 78, 140));
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
    // A switch between two terminals above a waveform: drawing and simulating.
    p.setPen(Pen(Qt::white, 4));
    p.drawLine(QPointF(8, 22), QPointF(22, 22));
    p.drawLine(QPointF(22, 22), QPointF(40, 10));
    p.drawLine(QPointF(42, 22), QPointF(56, 22));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(22, 22), 3, 3);
    p.drawEllipse(QPointF(42, 22), 3, 3);
    QPainterPath wave(QPointF(8, 44));
    wave.cubicTo(16, 28, 24, 28, 32, 44);
    wave.cubicTo(40, 60, 48, 60, 56, 44);
    p.setPen(Pen(QColor(120, 230, 120), 4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(wave);
    p.restore();
}

QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        DrawProgramIcon(p, size);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace kestro
