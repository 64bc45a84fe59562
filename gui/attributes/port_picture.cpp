#include "gui/attributes/port_picture.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "core/document/circuit.h"
#include "core/platform/text_encoding.h"

namespace kestro {

namespace {

constexpr int kMargin = 16;
constexpr double kHalfMark = 5.0;  // half the side of a port's rectangle, in pixels
const QColor kOutline(0, 0, 255);
const QColor kChosenFill(255, 0, 0);
const QColor kUsedFill(0, 128, 0);

}  // namespace

CPortPicture::CPortPicture(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("id1029"));
    setMouseTracking(true);
    setAccessibleName(QStringLiteral("Ports of the subcircuit"));
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void CPortPicture::SetSheet(const CCircuit* sheet, int chosen, std::function<bool(int)> mayChoose) {
    m_sheet = sheet;
    m_chosen = chosen;
    m_mayChoose = std::move(mayChoose);
    Layout();
    updateGeometry();
    update();
}

void CPortPicture::SetChosen(int port) {
    m_chosen = port;
    update();
}

void CPortPicture::Layout() {
    m_hits.clear();
    if (!m_sheet) return;
    const CRectF box = m_sheet->GetSymbolBox().Normalized();
    const double longer = std::max<double>({box.Width(), box.Height(), 1.0});
    m_scale = std::min(kScale, kLargest / longer);
    for (const CPointF& pin : m_sheet->GetPortPositions()) {
        const QPointF centre = ToPixels(pin.x, pin.y);
        m_hits.emplace_back(centre.x() - kHalfMark, centre.y() - kHalfMark, 2 * kHalfMark,
                            2 * kHalfMark);
    }
}

QPointF CPortPicture::ToPixels(float x, float y) const {
    const CRectF box = m_sheet ? m_sheet->GetSymbolBox().Normalized() : CRectF{};
    return {kMargin + (x - box.left) * m_scale, kMargin + (y - box.top) * m_scale};
}

QSize CPortPicture::sizeHint() const {
    if (!m_sheet) return {120, 120};
    const CRectF box = m_sheet->GetSymbolBox().Normalized();
    return {int(std::ceil(box.Width() * m_scale)) + 2 * kMargin,
            int(std::ceil(box.Height() * m_scale)) + 2 * kMargin};
}

QRectF CPortPicture::PortRect(int port) const {
    return port >= 0 && size_t(port) < m_hits.size() ? m_hits[size_t(port)] : QRectF();
}

int CPortPicture::PortAt(QPointF point) const {
    for (size_t i = 0; i < m_hits.size(); ++i)
        if (m_hits[i].contains(point)) return int(i);
    return -1;
}

void CPortPicture::RepaintPort(int port) {
    // The name reaches into the block beside the rectangle.
    update(PortRect(port).adjusted(-40, -40, 40, 40).toAlignedRect());
}

void CPortPicture::paintEvent(QPaintEvent*) {
    if (!m_sheet) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const CRectF box = m_sheet->GetSymbolBox().Normalized();
    const QPointF topLeft = ToPixels(box.left, box.top);
    const QPointF bottomRight = ToPixels(box.right, box.bottom);
    painter.setPen(QPen(palette().color(QPalette::Text), 1));
    painter.drawRect(QRectF(topLeft, bottomRight));
    QFont small = font();
    small.setPixelSize(10);
    painter.setFont(small);
    const QFontMetricsF metrics(small);
    for (size_t i = 0; i < m_hits.size(); ++i) {
        const QRectF& r = m_hits[i];
        QColor fill;
        if (int(i) == m_chosen)
            fill = kChosenFill;
        else if (m_sheet->GetPortObject(i))
            fill = kUsedFill;
        painter.setPen(QPen(kOutline, 1));
        painter.setBrush(fill.isValid() ? QBrush(fill) : Qt::NoBrush);
        painter.drawRect(r);
        const QString name = QString::fromStdString(TextAsUtf8(m_sheet->GetPortName(i)));
        if (name.isEmpty()) continue;
        painter.setPen(palette().color(QPalette::Text));
        const QPointF c = r.center();
        const double gap = kHalfMark + 3;
        // Names point into the block from the side their port is on; top and bottom
        // names stand upright, reading upwards.
        if (c.x() <= topLeft.x() + 0.5) {
            painter.drawText(QPointF(c.x() + gap, c.y() + metrics.ascent() / 2 - 1), name);
        } else if (c.x() >= bottomRight.x() - 0.5) {
            painter.drawText(QPointF(c.x() - gap - metrics.horizontalAdvance(name),
                                     c.y() + metrics.ascent() / 2 - 1),
                             name);
        } else {
            painter.save();
            painter.translate(c.x() + metrics.ascent() / 2 - 1, c.y());
            painter.rotate(-90);
            const double along =
                c.y() <= topLeft.y() + 0.5 ? -gap - metrics.horizontalAdvance(name) : gap;
            painter.drawText(QPointF(along, 0), name);
            painter.restore();
        }
    }
}

void CPortPicture::mouseMoveEvent(QMouseEvent* event) {
    const int port = PortAt(event->position());
    const bool choosable = port >= 0 && m_mayChoose && m_mayChoose(port);
    setCursor(choosable ? Qt::PointingHandCursor : Qt::ArrowCursor);
    setToolTip(port >= 0 ? QStringLiteral("Port %1").arg(port + 1) : QString());
}

void CPortPicture::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const int port = PortAt(event->position());
    if (port < 0 || !m_mayChoose || !m_mayChoose(port)) return;
    SetChosen(port);
    emit PortChosen(port);
}

}  // namespace kestro
