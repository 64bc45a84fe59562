#pragma once

// The plots: one strip per shown trace, stacked over one shared time axis. Zoom with a
// dragged box (time; with Ctrl also the values) or the wheel, pan with the right or middle button or the arrow keys, fit with
// a double click or F; two cursors that are dragged or moved with the keyboard.
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "tools/graphon/lib/decimate.h"
#include "tools/graphon/lib/result_file.h"

namespace kestro::graphon {

class CPlotWidget : public QWidget {
    Q_OBJECT
public:
    explicit CPlotWidget(QWidget* parent = nullptr);

    void SetData(std::shared_ptr<const CResultData> data, bool keepView);
    const CResultData* Data() const { return m_data.get(); }

    void SetTraceShown(size_t trace, bool shown);
    bool TraceShown(size_t trace) const;
    std::vector<size_t> ShownTraces() const;

    // The visible time range.
    double ViewStart() const { return m_t0; }
    double ViewEnd() const { return m_t1; }
    void SetTimeRange(double t0, double t1);
    void Fit();
    void ZoomTime(double factor, double anchor);
    void Pan(double fraction);

    void SetCursorsShown(bool shown);
    bool CursorsShown() const { return m_cursorsShown; }
    double CursorTime(int cursor) const { return m_cursor[cursor]; }
    void SetCursorTime(int cursor, double t);
    int ActiveCursor() const { return m_activeCursor; }

    // Paints the plots on any device: the widget, an image, an SVG file.
    void Render(QPainter& painter, const QSize& size) const;

    static QColor TraceColour(size_t trace);

signals:
    void ViewChanged();
    void CursorsChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct CStrip {
        size_t trace;
        QRect area;  // the plotting area, inside the axes
    };
    std::vector<CStrip> Layout(const QSize& size) const;
    QRect PlotArea(const QSize& size) const;
    double TimeAt(int x, const QRect& area) const;
    int XAt(double t, const QRect& area) const;
    std::pair<double, double> YRange(size_t trace) const;
    void DrawStrip(QPainter& painter, const CStrip& strip, bool last) const;
    void DrawCursors(QPainter& painter, const QSize& size) const;
    std::optional<size_t> StripAt(const QPoint& point) const;
    std::optional<int> CursorNear(int x) const;

    std::shared_ptr<const CResultData> m_data;
    std::vector<CBlockRanges> m_blocks;  // one per trace
    std::vector<bool> m_shown;
    std::vector<std::optional<std::pair<double, double>>> m_yZoom;  // per trace, when zoomed
    double m_t0 = 0, m_t1 = 1;
    bool m_fitted = true;

    bool m_cursorsShown = false;
    double m_cursor[2] = {0, 0};
    int m_activeCursor = 0;

    enum class Drag { None, Box, Pan, Cursor };
    Drag m_drag = Drag::None;
    QPoint m_pressAt, m_dragAt;
    int m_dragCursor = 0;
    double m_panT0 = 0, m_panT1 = 0;
};

}  // namespace kestro::graphon
