#include "tools/graphon/plot_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "tools/graphon/lib/number_format.h"

namespace kestro::graphon {

namespace {

constexpr int kLeftMargin = 78;
constexpr int kRightMargin = 28;
constexpr int kTopMargin = 6;
constexpr int kBottomAxis = 34;
constexpr int kStripGap = 8;
constexpr int kGrab = 5;  // pixels within which a cursor line is grabbed

// About five round steps (1, 2 or 5 times a power of ten) across the range.
double TickStep(double span) {
    if (!(span > 0)) return 1;
    const double raw = span / 5;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    const double unit = raw / power;
    return (unit < 1.5 ? 1 : unit < 3.5 ? 2 : unit < 7.5 ? 5 : 10) * power;
}

}  // namespace

CPlotWidget::CPlotWidget(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setMinimumSize(320, 200);
    setAccessibleName("Waveforms");
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

QColor CPlotWidget::TraceColour(size_t trace) {
    static const QColor colours[] = {QColor(0, 90, 200),   QColor(200, 40, 40), QColor(0, 140, 60),
                                     QColor(150, 60, 170), QColor(210, 120, 0), QColor(0, 150, 160),
                                     QColor(120, 90, 40),  QColor(90, 90, 90)};
    return colours[trace % (sizeof colours / sizeof colours[0])];
}

void CPlotWidget::SetData(std::shared_ptr<const CResultData> data, bool keepView) {
    const std::vector<bool> oldShown = m_shown;
    const std::shared_ptr<const CResultData> old = m_data;
    m_data = std::move(data);
    const size_t traces = m_data ? m_data->traces.size() : 0;
    m_shown.assign(traces, true);
    m_yZoom.assign(traces, std::nullopt);
    m_blocks.clear();
    for (size_t i = 0; i < traces; ++i)
        m_blocks.emplace_back(m_data->traces[i].values);
    // A trace of the same name keeps whether it was hidden.
    if (old)
        for (size_t i = 0; i < traces; ++i)
            for (size_t j = 0; j < old->traces.size() && j < oldShown.size(); ++j)
                if (old->traces[j].name == m_data->traces[i].name) m_shown[i] = oldShown[j];
    if (!keepView || m_fitted) Fit();
    update();
}

void CPlotWidget::SetTraceShown(size_t trace, bool shown) {
    if (trace >= m_shown.size() || m_shown[trace] == shown) return;
    m_shown[trace] = shown;
    update();
    emit ViewChanged();
}

bool CPlotWidget::TraceShown(size_t trace) const {
    return trace < m_shown.size() && m_shown[trace];
}

std::vector<size_t> CPlotWidget::ShownTraces() const {
    std::vector<size_t> shown;
    for (size_t i = 0; i < m_shown.size(); ++i)
        if (m_shown[i]) shown.push_back(i);
    return shown;
}

void CPlotWidget::SetTimeRange(double t0, double t1) {
    if (!(t1 > t0) || !std::isfinite(t0) || !std::isfinite(t1)) return;
    m_t0 = t0;
    m_t1 = t1;
    m_fitted = false;
    update();
    emit ViewChanged();
}

void CPlotWidget::Fit() {
    double t0 = 0, t1 = 1;
    if (m_data && !m_data->time.empty()) {
        t0 = m_data->time.front();
        t1 = m_data->time.back();
        if (!(t1 > t0)) t1 = t0 + 1;
    }
    m_t0 = t0;
    m_t1 = t1;
    m_fitted = true;
    std::fill(m_yZoom.begin(), m_yZoom.end(), std::nullopt);
    if (m_cursorsShown) {
        m_cursor[0] = std::clamp(m_cursor[0], m_t0, m_t1);
        m_cursor[1] = std::clamp(m_cursor[1], m_t0, m_t1);
    }
    update();
    emit ViewChanged();
}

void CPlotWidget::ZoomTime(double factor, double anchor) {
    const double t0 = anchor - (anchor - m_t0) * factor;
    const double t1 = anchor + (m_t1 - anchor) * factor;
    // Not narrower than a few samples' worth of double precision.
    if (t1 - t0 < 1e-12 * std::max(1.0, std::fabs(anchor))) return;
    SetTimeRange(t0, t1);
}

void CPlotWidget::Pan(double fraction) {
    const double shift = (m_t1 - m_t0) * fraction;
    SetTimeRange(m_t0 + shift, m_t1 + shift);
}

void CPlotWidget::SetCursorsShown(bool shown) {
    if (shown && !m_cursorsShown) {
        m_cursor[0] = m_t0 + (m_t1 - m_t0) / 3;
        m_cursor[1] = m_t0 + (m_t1 - m_t0) * 2 / 3;
    }
    m_cursorsShown = shown;
    update();
    emit CursorsChanged();
}

void CPlotWidget::SetCursorTime(int cursor, double t) {
    m_cursor[cursor & 1] = t;
    update();
    emit CursorsChanged();
}

QRect CPlotWidget::PlotArea(const QSize& size) const {
    return QRect(kLeftMargin, kTopMargin, std::max(1, size.width() - kLeftMargin - kRightMargin),
                 std::max(1, size.height() - kTopMargin - kBottomAxis));
}

std::vector<CPlotWidget::CStrip> CPlotWidget::Layout(const QSize& size) const {
    const std::vector<size_t> shown = ShownTraces();
    std::vector<CStrip> strips;
    if (shown.empty()) return strips;
    const QRect area = PlotArea(size);
    const int n = int(shown.size());
    const int height = std::max(10, (area.height() - kStripGap * (n - 1)) / n);
    for (int i = 0; i < n; ++i)
        strips.push_back(
            {shown[size_t(i)],
             QRect(area.left(), area.top() + i * (height + kStripGap), area.width(), height)});
    return strips;
}

double CPlotWidget::TimeAt(int x, const QRect& area) const {
    return m_t0 + (m_t1 - m_t0) * double(x - area.left()) / std::max(1, area.width());
}

int CPlotWidget::XAt(double t, const QRect& area) const {
    const double x = area.left() + (t - m_t0) / (m_t1 - m_t0) * area.width();
    return int(std::lround(std::clamp(x, -1e6, 1e6)));
}

std::pair<double, double> CPlotWidget::YRange(size_t trace) const {
    if (m_yZoom[trace]) return *m_yZoom[trace];
    const std::vector<double>& values = m_data->traces[trace].values;
    const auto starts = ColumnStarts(m_data->time, m_t0, m_t1, 1);
    std::vector<CColumnRange> range;
    // The visible samples and the two just outside, so a line leaving the view is framed too.
    std::vector<size_t> span = {starts[0] > 0 ? starts[0] - 1 : 0,
                                std::min(starts[1] + 1, values.size())};
    ColumnRanges(values, span, range, &m_blocks[trace]);
    double low = range.empty() || range[0].empty ? 0 : range[0].low;
    double high = range.empty() || range[0].empty ? 1 : range[0].high;
    if (high - low < 1e-12 * std::max(std::fabs(low), 1e-30)) {
        const double pad = std::max(std::fabs(low) * 0.1, 1e-9);
        return {low - pad, high + pad};
    }
    const double pad = (high - low) * 0.06;
    return {low - pad, high + pad};
}

void CPlotWidget::DrawStrip(QPainter& painter, const CStrip& strip, bool last) const {
    const QRect& r = strip.area;
    const CTrace& trace = m_data->traces[strip.trace];
    const auto [low, high] = YRange(strip.trace);
    const auto yAt = [&](double v) { return r.bottom() - (v - low) / (high - low) * r.height(); };

    painter.setPen(QPen(QColor(225, 225, 225), 1));
    const double yStep = TickStep(high - low);
    painter.setFont(font());
    for (double y = std::ceil(low / yStep) * yStep; y <= high; y += yStep) {
        const double py = yAt(y);
        painter.setPen(QPen(QColor(225, 225, 225), 1));
        painter.drawLine(QPointF(r.left(), py), QPointF(r.right(), py));
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QRectF(0, py - 8, kLeftMargin - 6, 16), Qt::AlignRight | Qt::AlignVCenter,
                         QString::fromStdString(FormatTick(y, yStep)));
    }
    const double tStep = TickStep(m_t1 - m_t0);
    for (double t = std::ceil(m_t0 / tStep) * tStep; t <= m_t1; t += tStep) {
        const int x = XAt(t, r);
        painter.setPen(QPen(QColor(225, 225, 225), 1));
        painter.drawLine(x, r.top(), x, r.bottom());
        if (last) {
            painter.setPen(palette().color(QPalette::Text));
            painter.drawText(QRect(x - 50, r.bottom() + 4, 100, 16),
                             Qt::AlignHCenter | Qt::AlignTop,
                             QString::fromStdString(FormatTick(t, tStep)));
        }
    }
    if (last) {
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QRect(r.left(), r.bottom() + 18, r.width(), 16), Qt::AlignRight,
                         QString::fromStdString(m_data->timeName + " [" + m_data->timeUnit + "]"));
    }

    // One vertical stroke per pixel column from its smallest to its largest value, joined
    // to the next column.
    painter.save();
    painter.setClipRect(r.adjusted(0, 0, 1, 1));
    const int columns = r.width();
    // One column each side beyond the view, so lines run to the frame.
    const double columnTime = (m_t1 - m_t0) / columns;
    const auto starts =
        ColumnStarts(m_data->time, m_t0 - columnTime, m_t1 + columnTime, columns + 2);
    std::vector<CColumnRange> ranges;
    ColumnRanges(trace.values, starts, ranges, &m_blocks[strip.trace]);
    QPolygonF line;
    line.reserve(int(ranges.size()) * 2);
    for (int c = 0; c < int(ranges.size()); ++c) {
        const CColumnRange& range = ranges[size_t(c)];
        if (range.empty) continue;
        const double x = r.left() + c - 1 + 0.5;
        const double y1 = yAt(range.low), y2 = yAt(range.high);
        // Down or up first, whichever joins the previous column with the shorter stroke.
        const bool fromBelow = !line.isEmpty() && line.back().y() > (y1 + y2) / 2;
        line.append(QPointF(x, fromBelow ? y1 : y2));
        if (y2 != y1) line.append(QPointF(x, fromBelow ? y2 : y1));
    }
    // Few samples: the straight lines between them, exactly.
    if (m_data->time.size() > 1 && starts.back() - starts.front() < size_t(columns / 2)) {
        line.clear();
        const size_t from = starts.front() > 0 ? starts.front() - 1 : 0;
        const size_t to = std::min(starts.back() + 1, m_data->time.size());
        for (size_t i = from; i < to; ++i)
            line.append(QPointF(r.left() + (m_data->time[i] - m_t0) / (m_t1 - m_t0) * r.width(),
                                yAt(trace.values[i])));
    }
    // A cosmetic pen: one device pixel at any zoom, drawn without the stroker.
    painter.setPen(QPen(TraceColour(strip.trace), 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(line);
    painter.restore();

    painter.setPen(QPen(palette().color(QPalette::Mid), 1));
    painter.drawRect(r);
    painter.setPen(TraceColour(strip.trace));
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    const QString label =
        QString::fromStdString(trace.name + (trace.unit.empty() ? "" : " [" + trace.unit + "]"));
    painter.drawText(r.adjusted(6, 3, -6, -3), Qt::AlignLeft | Qt::AlignTop, label);
    painter.setFont(font());
}

void CPlotWidget::DrawCursors(QPainter& painter, const QSize& size) const {
    if (!m_cursorsShown) return;
    const QRect area = PlotArea(size);
    const QColor colours[2] = {QColor(220, 0, 120), QColor(0, 130, 130)};
    for (int k = 0; k < 2; ++k) {
        const int x = XAt(m_cursor[k], area);
        if (x < area.left() || x > area.right()) continue;
        QPen pen(colours[k], k == m_activeCursor ? 1.6 : 1.0, Qt::DashLine);
        painter.setPen(pen);
        painter.drawLine(x, area.top(), x, area.bottom());
        painter.drawText(QRect(x + 3, area.top(), 20, 14), Qt::AlignLeft, QString::number(k + 1));
    }
}

void CPlotWidget::Render(QPainter& painter, const QSize& size) const {
    painter.fillRect(QRect(QPoint(0, 0), size), palette().color(QPalette::Base));
    if (!m_data) {
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter,
                         "No results yet: open a result file (Ctrl+O), or run a simulation and "
                         "press Alt+F8 in Kestro.");
        return;
    }
    const std::vector<CStrip> strips = Layout(size);
    if (strips.empty()) {
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter, "All traces are hidden.");
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (size_t i = 0; i < strips.size(); ++i)
        DrawStrip(painter, strips[i], i + 1 == strips.size());
    DrawCursors(painter, size);
}

void CPlotWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Render(painter, size());
    if (m_drag == Drag::Box) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DashLine));
        painter.setBrush(QColor(0, 120, 215, 40));
        painter.drawRect(QRect(m_pressAt, m_dragAt).normalized());
    }
}

std::optional<size_t> CPlotWidget::StripAt(const QPoint& point) const {
    for (const CStrip& strip : Layout(size()))
        if (strip.area.adjusted(0, -kStripGap / 2, 0, kStripGap / 2).contains(point))
            return strip.trace;
    return std::nullopt;
}

std::optional<int> CPlotWidget::CursorNear(int x) const {
    if (!m_cursorsShown) return std::nullopt;
    const QRect area = PlotArea(size());
    for (int k : {m_activeCursor, 1 - m_activeCursor})
        if (std::abs(XAt(m_cursor[k], area) - x) <= kGrab) return k;
    return std::nullopt;
}

void CPlotWidget::mousePressEvent(QMouseEvent* event) {
    m_pressAt = m_dragAt = event->position().toPoint();
    if (!m_data) return;
    if (event->button() == Qt::LeftButton) {
        if (auto cursor = CursorNear(m_pressAt.x())) {
            m_drag = Drag::Cursor;
            m_dragCursor = *cursor;
            m_activeCursor = *cursor;
        } else {
            m_drag = Drag::Box;
        }
    } else if (event->button() == Qt::RightButton || event->button() == Qt::MiddleButton) {
        m_drag = Drag::Pan;
        m_panT0 = m_t0;
        m_panT1 = m_t1;
        setCursor(Qt::ClosedHandCursor);
    }
}

void CPlotWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const QRect area = PlotArea(size());
    switch (m_drag) {
        case Drag::None:
            setCursor(CursorNear(at.x()) ? Qt::SizeHorCursor : Qt::CrossCursor);
            return;
        case Drag::Box:
            m_dragAt = at;
            update();
            return;
        case Drag::Cursor:
            SetCursorTime(m_dragCursor, std::clamp(TimeAt(at.x(), area), m_t0, m_t1));
            return;
        case Drag::Pan: {
            const double shift = (m_panT1 - m_panT0) * (at.x() - m_pressAt.x()) / area.width();
            SetTimeRange(m_panT0 - shift, m_panT1 - shift);
            return;
        }
    }
}

void CPlotWidget::mouseReleaseEvent(QMouseEvent* event) {
    const Drag drag = std::exchange(m_drag, Drag::None);
    setCursor(Qt::CrossCursor);
    if (drag != Drag::Box) return;
    update();
    const QPoint at = event->position().toPoint();
    const QRect box = QRect(m_pressAt, at).normalized();
    const QRect area = PlotArea(size());
    if (box.width() < 4 && box.height() < 4) {
        // A click places the active cursor.
        if (m_cursorsShown)
            SetCursorTime(m_activeCursor, std::clamp(TimeAt(at.x(), area), m_t0, m_t1));
        return;
    }
    // A plain box zooms the time; with Ctrl held it zooms the values of its strip too.
    const auto strip = StripAt(m_pressAt);
    if ((event->modifiers() & Qt::ControlModifier) && box.height() >= 4 && strip) {
        for (const CStrip& s : Layout(size())) {
            if (s.trace != *strip) continue;
            const auto [low, high] = YRange(s.trace);
            const auto valueAt = [&](int y) {
                return low + (s.area.bottom() - y) * (high - low) / std::max(1, s.area.height());
            };
            const double top = valueAt(box.top()), bottom = valueAt(box.bottom());
            if (top > bottom) m_yZoom[s.trace] = std::make_pair(bottom, top);
        }
    }
    if (box.width() >= 4)
        SetTimeRange(TimeAt(box.left(), area), TimeAt(box.right(), area));
    else
        update();
}

void CPlotWidget::mouseDoubleClickEvent(QMouseEvent*) {
    Fit();
}

void CPlotWidget::wheelEvent(QWheelEvent* event) {
    if (!m_data) return;
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0) return;
    const double factor = std::pow(0.8, notches);
    ZoomTime(factor, TimeAt(int(event->position().x()), PlotArea(size())));
    event->accept();
}

void CPlotWidget::keyPressEvent(QKeyEvent* event) {
    const bool control = event->modifiers() & Qt::ControlModifier;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const double pixel = (m_t1 - m_t0) / std::max(1, PlotArea(size()).width());
    switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right: {
            const double sign = event->key() == Qt::Key_Left ? -1 : 1;
            if (control && m_cursorsShown)
                SetCursorTime(m_activeCursor,
                              m_cursor[m_activeCursor] + sign * pixel * (shift ? 10 : 1));
            else
                Pan(sign * 0.1);
            return;
        }
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            ZoomTime(0.5, (m_t0 + m_t1) / 2);
            return;
        case Qt::Key_Minus:
            ZoomTime(2, (m_t0 + m_t1) / 2);
            return;
        case Qt::Key_Home:
        case Qt::Key_F:
            Fit();
            return;
        case Qt::Key_1:
        case Qt::Key_2:
            m_activeCursor = event->key() == Qt::Key_1 ? 0 : 1;
            update();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

}  // namespace kestro::graphon
