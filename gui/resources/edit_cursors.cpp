#include "gui/resources/edit_cursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <QTransform>

// Cursors are drawn black with a white rim so that they show on white sheets and on dark
// window parts alike, in a 32 x 32 grid of logical pixels.

namespace kestro {

namespace {

constexpr int kSide = 32;
const QPointF kCentre(15.5, 15.5);

void Outlined(QPainter& p, const QPainterPath& path, qreal width = 1.0,
              const QBrush& fill = Qt::NoBrush) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, width + 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPath(path);
    p.setBrush(fill);
    p.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPath(path);
}

QPainterPath Polyline(std::initializer_list<QPointF> points, bool closed = false) {
    QPainterPath path;
    const QPolygonF polygon(points);
    path.addPolygon(polygon);
    if (closed) path.closeSubpath();
    return path;
}

void Crosshair(QPainter& p) {
    QPainterPath cross;
    cross.moveTo(15.5, 4);
    cross.lineTo(15.5, 12);
    cross.moveTo(15.5, 19);
    cross.lineTo(15.5, 27);
    cross.moveTo(4, 15.5);
    cross.lineTo(12, 15.5);
    cross.moveTo(19, 15.5);
    cross.lineTo(27, 15.5);
    Outlined(p, cross);
}

void Arrow(QPainter& p) {
    Outlined(p,
             Polyline({{1.5, 1.5},
                       {1.5, 21.5},
                       {6.5, 16.5},
                       {10, 24.5},
                       {13, 23.2},
                       {9.6, 15.5},
                       {16.5, 15.5}},
                      true),
             1.0, Qt::white);
}

void FourWayArrows(QPainter& p, QPointF c, qreal r) {
    QPainterPath path;
    path.moveTo(c.x() - r, c.y());
    path.lineTo(c.x() + r, c.y());
    path.moveTo(c.x(), c.y() - r);
    path.lineTo(c.x(), c.y() + r);
    const qreal h = 2.5;
    for (const QPointF d : {QPointF(1, 0), QPointF(-1, 0), QPointF(0, 1), QPointF(0, -1)}) {
        const QPointF tip = c + d * r;
        const QPointF side(d.y(), d.x());
        path.moveTo(tip - d * h + side * h);
        path.lineTo(tip);
        path.lineTo(tip - d * h - side * h);
    }
    Outlined(p, path);
}

void DrawShapeCursor(QPainter& p, int id) {
    Crosshair(p);
    QPainterPath shape;
    switch (id) {
        case kCursorWire:
            shape = Polyline({{19.5, 29.5}, {24.5, 29.5}, {24.5, 20.5}, {29.5, 20.5}});
            break;
        case kCursorDrawLine:
            shape = Polyline({{19.5, 29.5}, {29.5, 19.5}});
            break;
        case kCursorDrawCircle:
            shape.addEllipse(QPointF(25, 25), 4.5, 4.5);
            break;
        case kCursorDrawRectangle:
            shape.addRect(QRectF(19.5, 21.5, 10, 7));
            break;
        case kCursorDrawHalfCircle:
            shape.arcMoveTo(QRectF(19.5, 20.5, 10, 10), 0);
            shape.arcTo(QRectF(19.5, 20.5, 10, 10), 0, 180);
            break;
        case kCursorPlace:
            shape.addRect(QRectF(20.5, 20.5, 8, 8));
            break;
        case kCursorLabel:
            shape = Polyline({{19.5, 21.5}, {26.5, 21.5}, {29.5, 24.5}, {26.5, 27.5}, {19.5, 27.5}},
                             true);
            break;
        default:
            break;
    }
    Outlined(p, shape, 1.0, id == kCursorPlace ? QBrush(Qt::black) : QBrush(Qt::NoBrush));
}

void Draw(QPainter& p, int id) {
    switch (id) {
        case kCursorSelect:
            Arrow(p);
            break;
        case kCursorMove:
            Arrow(p);
            FourWayArrows(p, {24.5, 24.5}, 6);
            break;
        case kCursorCopy: {
            Arrow(p);
            QPainterPath plus;
            plus.addRect(QRectF(18.5, 19.5, 11, 11));
            Outlined(p, plus, 1.0, Qt::white);
            Outlined(p, Polyline({{21, 25}, {27, 25}}));
            Outlined(p, Polyline({{24, 22}, {24, 28}}));
            break;
        }
        case kCursorPasteShape: {
            Arrow(p);
            QPainterPath board;
            board.addRect(QRectF(18.5, 19.5, 10, 11));
            Outlined(p, board, 1.0, Qt::white);
            p.fillRect(QRectF(21, 18, 5, 3), Qt::black);
            break;
        }
        case kCursorZoomBox: {
            QPainterPath lens;
            lens.addEllipse(QPointF(12, 12), 8, 8);
            Outlined(p, Polyline({{18, 18}, {28, 28}}), 3.0);
            Outlined(p, lens, 1.5, QColor(255, 255, 255, 200));
            Outlined(p, Polyline({{8, 12}, {16, 12}}));
            Outlined(p, Polyline({{12, 8}, {12, 16}}));
            break;
        }
        case kCursorPan: {
            // An open hand: four fingers over the palm, the thumb to the left.
            QPainterPath hand;
            hand.addRoundedRect(QRectF(8.5, 14.5, 15, 13), 4, 4);
            const qreal tops[] = {6.5, 4.5, 4.5, 6.5};
            for (int i = 0; i < 4; ++i)
                hand.addRoundedRect(QRectF(8.5 + i * 3.75, tops[i], 3.5, 14), 1.75, 1.75);
            QPainterPath thumb;
            thumb.addRoundedRect(QRectF(-2, -1.75, 9, 3.5), 1.75, 1.75);
            hand.addPath(QTransform().translate(10, 19).rotate(-135).map(thumb));
            Outlined(p, hand.simplified(), 1.0, Qt::white);
            p.setPen(QPen(Qt::black, 0.8));
            for (int i = 1; i < 4; ++i) {
                const qreal x = 8.5 + i * 3.75 - 0.1;
                p.drawLine(QPointF(x, tops[i] + 3), QPointF(x, 15.5));
            }
            break;
        }
        case kCursorDrawText: {
            QPainterPath beam = Polyline({{12, 6.5}, {19, 6.5}});
            beam.addPath(Polyline({{15.5, 6.5}, {15.5, 24.5}}));
            beam.addPath(Polyline({{12, 24.5}, {19, 24.5}}));
            Outlined(p, beam);
            Outlined(p, Polyline({{21, 30}, {25, 20}, {29, 30}}));
            Outlined(p, Polyline({{22.5, 26.5}, {27.5, 26.5}}));
            break;
        }
        case kCursorNotAllowed: {
            QPainterPath sign;
            sign.addEllipse(kCentre, 9, 9);
            sign.moveTo(kCentre + QPointF(-6.4, -6.4));
            sign.lineTo(kCentre + QPointF(6.4, 6.4));
            Outlined(p, sign, 2.0);
            break;
        }
        default:
            DrawShapeCursor(p, id);
            break;
    }
}

}  // namespace

const std::array<int, 15>& CEditCursors::Ids() {
    static constexpr std::array<int, 15> kIds{146, 147, 149, 150, 151, 140, 152, 145,
                                              141, 143, 144, 142, 148, 153, 154};
    return kIds;
}

QPoint CEditCursors::HotSpot(int id) {
    switch (id) {
        case kCursorSelect:
        case kCursorMove:
        case kCursorCopy:
        case kCursorPasteShape:
            return {1, 1};
        case kCursorZoomBox:
            return {12, 12};
        default:
            return {15, 15};
    }
}

QImage CEditCursors::Image(int id, qreal devicePixelRatio) {
    const int side = qRound(kSide * devicePixelRatio);
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(devicePixelRatio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Draw(p, id);
    return image;
}

CEditCursors::CEditCursors(qreal devicePixelRatio) {
    for (const int id : Ids()) {
        const QPoint hot = HotSpot(id);
        m_cursors.emplace(
            id, QCursor(QPixmap::fromImage(Image(id, devicePixelRatio)), hot.x(), hot.y()));
    }
}

QCursor CEditCursors::Cursor(int id) const {
    const auto it = m_cursors.find(id);
    return it == m_cursors.end() ? QCursor(Qt::ArrowCursor) : it->second;
}

QCursor CEditCursors::SizingCursor(int fx, int fy) {
    if (fx == 0) return QCursor(Qt::SizeVerCursor);
    if (fy == 0) return QCursor(Qt::SizeHorCursor);
    return QCursor(fx == fy ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor);
}

}  // namespace kestro
