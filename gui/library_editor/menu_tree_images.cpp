#include "gui/library_editor/menu_tree_images.h"

#include <QPainter>
#include <QPainterPath>

namespace kestro {

namespace {

constexpr int kWidth = 32;
constexpr int kHeight = 16;
const QColor kInk(40, 40, 40);
const QColor kSelectedInk(255, 255, 255);
const QColor kSelectedGround(0, 90, 180);

void DrawPopup(QPainter& p, const QColor& ink) {
    // A menu: a frame with three entries and an arrow to the right.
    p.setPen(QPen(ink, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(3.5, 2.5, 16, 11));
    for (const double y : {5.5, 8.0, 10.5})
        p.drawLine(QPointF(6, y), QPointF(17, y));
    QPainterPath arrow;
    arrow.moveTo(23, 4);
    arrow.lineTo(28, 8);
    arrow.lineTo(23, 12);
    arrow.closeSubpath();
    p.setBrush(ink);
    p.drawPath(arrow);
}

void DrawElement(QPainter& p, const QColor& ink) {
    // A symbol: a box between two leads.
    p.setPen(QPen(ink, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(3, 8), QPointF(10, 8));
    p.drawLine(QPointF(22, 8), QPointF(29, 8));
    p.drawRect(QRectF(10, 4.5, 12, 7));
}

void DrawSeparator(QPainter& p, const QColor& ink) {
    p.setPen(QPen(ink, 1));
    p.drawLine(QPointF(3, 8.5), QPointF(29, 8.5));
    p.drawLine(QPointF(3, 6.5), QPointF(3, 10.5));
    p.drawLine(QPointF(29, 6.5), QPointF(29, 10.5));
}

}  // namespace

QImage MenuTreePicture(MenuTreeImage kind, bool selected, qreal pixelRatio) {
    QImage image(qRound(kWidth * pixelRatio), qRound(kHeight * pixelRatio),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(pixelRatio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (selected) {
        p.setPen(Qt::NoPen);
        p.setBrush(kSelectedGround);
        p.drawRoundedRect(QRectF(0.5, 0.5, kWidth - 1, kHeight - 1), 3, 3);
    }
    const QColor ink = selected ? kSelectedInk : kInk;
    switch (kind) {
        case MenuTreeImage::Popup:
            DrawPopup(p, ink);
            break;
        case MenuTreeImage::Element:
            DrawElement(p, ink);
            break;
        case MenuTreeImage::Separator:
            DrawSeparator(p, ink);
            break;
    }
    return image;
}

QIcon MenuTreeIcon(MenuTreeImage kind) {
    QIcon icon;
    for (const qreal ratio : {1.0, 2.0}) {
        icon.addPixmap(QPixmap::fromImage(MenuTreePicture(kind, false, ratio)), QIcon::Normal);
        icon.addPixmap(QPixmap::fromImage(MenuTreePicture(kind, true, ratio)), QIcon::Selected);
    }
    return icon;
}

}  // namespace kestro
