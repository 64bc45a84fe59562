#pragma once

#include <QAbstractScrollArea>
#include <memory>
#include <optional>

#include "core/document/circuit_observer.h"
#include "core/document/selection.h"
#include "core/platform/geometry.h"
#include "gui/commands/command_map.h"
#include "gui/platform/qpainter_canvas.h"

namespace kestro {

class CCircuit;
struct CViewServices;

// The scrolling window that shows one schematic sheet: the mapping between sheet units and
// window pixels (origin, zoom, scroll position), the painting of the sheet, its own
// selection, the document's change notifications, and the cursor and status text of the
// editing mode. Several views may show one document; the zoom lives in the document so a
// new window starts with the last one used.
class CKestroView : public QAbstractScrollArea, public CCommandTarget, public CCircuitObserver {
    Q_OBJECT
public:
    static constexpr double kMaxPagePixels = 32000.0;
    static constexpr double kMinZoom = 0.1;
    static constexpr float kRepaintMargin = 10.0f;

    // `next` follows the view in command routing (the document's commands).
    CKestroView(std::shared_ptr<CCircuit> document, CViewServices& services,
                CCommandTarget* next = nullptr, QWidget* parent = nullptr);
    ~CKestroView() override;

    CCircuit* Document() const { return m_document.get(); }
    CCommandTarget* NextCommandTarget() const override { return m_next; }
    // The document is closing: the view lets go of it and shows nothing more.
    void Detach();

    // --- Mapping ---------------------------------------------------------------------
    double Zoom() const { return m_zoom; }
    CPointF Origin() const { return m_origin; }
    QPoint ScrollPosition() const;
    QSize TotalSize() const { return m_total; }
    QSize PageStep() const { return m_page; }
    QSize LineStep() const { return m_line; }
    CPointF ToLogical(QPoint pixel) const;
    QPoint ToWindow(CPointF logical) const;
    // Normalised first; right and bottom are exclusive.
    QRect ToWindow(const CRectF& logical) const;

    // --- Zoom and scrolling ----------------------------------------------------------
    // Takes `zoom` (reduced until the page fits in 32000 pixels), keeps it in the document,
    // sets the scroll sizes and scrolls so that `anchor` (else the point at the top-left)
    // is at the top-left, or at the centre when `centre` is set.
    void SetZoom(double zoom, std::optional<CPointF> anchor = std::nullopt, bool centre = false);
    bool CanZoomIn() const;
    bool CanZoomOut() const;
    void ZoomIn();
    void ZoomOut();
    void FitToPage();
    // Scrolls by pixels; with `snap` each step becomes whole lines. False when the position
    // did not change.
    bool ScrollBy(int dx, int dy, bool snap = false);
    void ScrollTo(QPoint position);
    // The first display of the document: origin, zoom, and the drawing's top-left corner
    // at the window's top-left. Done once, when the view is first shown.
    void InitialUpdate();

    // --- Selection -------------------------------------------------------------------
    CSelection& Selection() { return m_selection; }
    bool IsMoveInProgress() const { return m_moveInProgress; }
    // Recomputes the bounds, repaints the old and the new frame, lets the page grow.
    void UpdateSelectionBounds();

    // --- Painting --------------------------------------------------------------------
    // Repaints a sheet rectangle with the 10-unit margin.
    void InvalidateLogical(const CRectF& area);
    // Paints the part of the window inside `clip` (window pixels) onto `painter`.
    void PaintArea(QPainter& painter, const QRect& clip);
    // The status text of the editing mode at a window point.
    QString StatusTextAt(QPoint pixel) const;
    int CursorIdAt(QPoint pixel) const;

    // CCircuitObserver
    void OnCircuitUpdate(CCircuit& document, int hint, const CRectF* area) override;
    void OnObjectRemoved(CCircuit& document, CPart& part) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    // A left click selects what is under it; a double click shows it in the attribute
    // window (both tell the window through the services).
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // Window pixels are truncated toward zero, and kept within what QRect can hold.
    static int TruncatePixel(double v);
    void RegisterCommands();
    void RegisterScrollCommands();
    double ZoomFactor() const;
    CRectF PageRect() const;
    void UpdateScrollBars();
    void ScrollToExtentEdge(int command);
    void PaintGrid(QPainter& painter, const CRectF& clip);
    void PaintPageLines(QPainter& painter, const CRectF& clip);
    void PaintSelectionFrame(QPainter& painter);
    void ShowStatus(const QString& text) const;

    std::shared_ptr<CCircuit> m_document;
    CViewServices& m_services;
    CCommandTarget* m_next;
    CSelection m_selection;
    bool m_moveInProgress = false;
    CPointF m_origin;
    double m_zoom = 1.2;
    QSize m_total;
    QSize m_page;
    QSize m_line;
    bool m_initialised = false;
    CCanvasFontCache m_fonts;
};

}  // namespace kestro
