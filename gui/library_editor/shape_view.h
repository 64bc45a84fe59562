#pragma once

#include <QAbstractScrollArea>
#include <functional>
#include <memory>
#include <vector>

#include "core/platform/canvas.h"
#include "core/platform/geometry.h"
#include "gui/commands/command_map.h"
#include "gui/library_editor/shape_editor_state.h"
#include "gui/platform/qpainter_canvas.h"

namespace kestro {

class CShape;
class CShapeDoc;
class CShapeTracker;

// The view of a library window: the element's symbol with its terminal markers, the fine
// grid and the selection, edited with the drawing tools and the mouse.
class CShapeView : public QAbstractScrollArea, public CCommandTarget {
    Q_OBJECT
public:
    static constexpr double kMinZoom = 0.25;
    static constexpr double kMaxZoom = 100.0;
    static constexpr double kInitialZoom = 8.0;
    // Room around the box for the terminal markers, in units.
    static constexpr float kMargin = 12.0f;
    // Handles are drawn this many pixels wide and hit this many pixels from their centre,
    // whatever the zoom.
    static constexpr int kHandleSize = 7;
    static constexpr int kHandleReach = 6;
    // Shapes are drawn in the colour of placed elements.
    static constexpr int kShapeColorRole = 7;

    CShapeView(CShapeDoc& document, CShapeViewServices services, QWidget* parent = nullptr);
    ~CShapeView() override;

    CShapeDoc& Document() const { return m_document; }
    CShapeViewServices& Services() { return m_services; }
    CCommandTarget* NextCommandTarget() const override;

    double Zoom() const { return m_zoom; }
    void SetZoom(double zoom);
    // The largest whole zoom (at least 1) at which the box and its markers fit the window.
    void ZoomToFit();
    QPoint ScrollPosition() const;
    // Scrolls by whole pixels; false when it could not move.
    bool ScrollBy(QPoint delta);
    CPointF ToLogical(QPointF pixel) const;
    QPoint ToWindow(CPointF logical) const;
    QRect ToWindow(const CRectF& logical) const;
    void DrawOnCanvas(QPainter& painter, const std::function<void(CCanvas&)>& draw);

    // The selected shapes, in the element's order, and their frame.
    const std::vector<CShape*>& Selection() const { return m_selection; }
    CRectF SelectionBounds() const { return m_bounds; }
    void Select(std::vector<CShape*> shapes);
    void ClearSelection();
    // The handle of the selection frame at a window pixel, or -1.
    int HandleAt(QPoint pixel) const;
    QPoint HandlePixel(int handle) const;

    bool PastePending() const { return m_pastePending; }
    const CShapeTracker* Tracker() const { return m_tracker.get(); }
    void TrackerFinished(CShapeTracker& tracker);

    // The commands (also reachable through the command table).
    void SetTool(int tool);
    void Copy();
    void Cut();
    void Paste();
    void DeleteSelection();
    void RotateSelection();
    void SelectNext();
    void SetSizeWithDialog();
    void ZoomIn();
    void ZoomOut();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void RegisterCommands();
    void UpdateScrollBars();
    CRectF PageRect() const;
    CPointF Origin() const;
    CShapeEditorState& State() const { return *m_services.state; }

    // Painting.
    void PaintMarkers(QPainter& painter);
    void PaintGrid(QPainter& painter, const QRect& area);
    void PaintBox(QPainter& painter);
    void PaintShapes(QPainter& painter);
    void PaintSelectionFrame(QPainter& painter);

    // Gestures.
    void PressWithSelect(QPoint pixel, CPointF at);
    void StartTracker(std::unique_ptr<CShapeTracker> tracker, QPoint pixel);
    void OnDrawn(CShapeTracker& tracker, bool success);
    void OnBand(CShapeTracker& tracker, bool success);
    void OnMoved(CShapeTracker& tracker, bool success);
    void PasteAt(CPointF at);
    void PlaceText();
    void InsertShape(std::unique_ptr<CShape> shape);
    void RemoveShapes(const std::vector<CShape*>& shapes);
    void RecomputeBounds();
    void OnDocumentChanged();
    void UpdateCursor();
    void UpdateCommands();

    CShapeDoc& m_document;
    CShapeViewServices m_services;
    CCanvasFontCache m_fonts;
    double m_zoom = kInitialZoom;
    std::vector<CShape*> m_selection;
    CRectF m_bounds;
    bool m_pastePending = false;
    // New shapes go after this index of the element's list (-1: at the end).
    int m_insertAfter = -1;
    std::unique_ptr<CShapeTracker> m_tracker;
};

}  // namespace kestro
