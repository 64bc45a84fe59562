#pragma once

#include <QWidget>
#include <functional>
#include <vector>

namespace kestro {

class CCircuit;

// The block symbol of a sheet drawn at twice its size (smaller when it would not fit),
// each port marked by a small rectangle, outlined blue, with its name: the chosen port
// filled red, a port that another port object uses filled green. The rectangles are the
// ports' hit areas: a port that may be chosen shows the hand cursor and a click chooses it.
class CPortPicture : public QWidget {
    Q_OBJECT
public:
    static constexpr double kScale = 2.0;
    static constexpr int kLargest = 560;  // pixels of the block's longer side at most

    explicit CPortPicture(QWidget* parent = nullptr);

    // `mayChoose` tells whether a click may choose a port.
    void SetSheet(const CCircuit* sheet, int chosen, std::function<bool(int)> mayChoose);
    void SetChosen(int port);
    int Chosen() const { return m_chosen; }
    // The hit rectangle of a port in widget pixels (empty for no such port).
    QRectF PortRect(int port) const;
    // The port whose rectangle holds the point, or -1.
    int PortAt(QPointF point) const;
    // A port's rectangle and name have changed: repaint around it.
    void RepaintPort(int port);

    QSize sizeHint() const override;

signals:
    void PortChosen(int port);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void Layout();
    QPointF ToPixels(float x, float y) const;

    const CCircuit* m_sheet = nullptr;
    int m_chosen = -1;
    std::function<bool(int)> m_mayChoose;
    double m_scale = kScale;
    std::vector<QRectF> m_hits;
};

}  // namespace kestro
