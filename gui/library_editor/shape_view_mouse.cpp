// The mouse and keys of a library view: terminals by clicking outside the box, pasting,
// selecting, moving and resizing with the Select tool, and new shapes with the others.
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "core/library/lib_element.h"
#include "core/library/library_data.h"
#include "core/library/sh_arc.h"
#include "gui/commands/command_ids.h"
#include "gui/library_editor/shape_doc.h"
#include "gui/library_editor/shape_drag_trackers.h"
#include "gui/library_editor/shape_edit_step.h"
#include "gui/library_editor/shape_geometry.h"
#include "gui/library_editor/shape_view.h"
#include "gui/resources/edit_cursors.h"

namespace kestro {

namespace {

bool Inside(const CRectF& r, CPointF p) {
    return p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom;
}

// The shape a drawing tool makes, with zero geometry; null for Select and Text.
std::unique_ptr<CShape> ShapeOfTool(int tool, const CShapeContext& context) {
    switch (tool) {
        case kIdToolLine:
            return CreateShape(CShape::kLine, context);
        case kIdToolCircle:
            return CreateShape(CShape::kEllipse, context);
        case kIdToolRectangle:
            return CreateShape(CShape::kRect, context);
        case kIdToolHalfCircle0:
            return std::make_unique<CSHArc>(CRectF{}, 0);
        case kIdToolHalfCircle3:
            return std::make_unique<CSHArc>(CRectF{}, 3);
        case kIdToolHalfCircle2:
            return std::make_unique<CSHArc>(CRectF{}, 2);
        case kIdToolHalfCircle1:
            return std::make_unique<CSHArc>(CRectF{}, 1);
        default:
            return nullptr;
    }
}

int ToolCursor(int tool) {
    switch (tool) {
        case kIdToolLine:
            return kCursorDrawLine;
        case kIdToolCircle:
            return kCursorDrawCircle;
        case kIdToolRectangle:
            return kCursorDrawRectangle;
        default:
            return kCursorDrawHalfCircle;
    }
}

const char* AddLabel(uint16_t typeCode) {
    switch (typeCode) {
        case CShape::kLine:
            return "Add Line";
        case CShape::kEllipse:
            return "Add Circle";
        case CShape::kArc:
            return "Add Half Circle";
        case CShape::kRect:
            return "Add Rectangle";
        default:
            return "Add Shape";
    }
}

}  // namespace

void CShapeView::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    const QPoint pixel = event->position().toPoint();
    if (m_tracker) {
        if (event->button() == Qt::RightButton) m_tracker->OnRightButtonDown();
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    const CPointF at = ToLogical(pixel);
    const bool select = State().tool == kIdToolSelect;
    // A handle may stick out of the box a little; it wins over the terminal places.
    if (select && !m_pastePending && HandleAt(pixel) >= 0) {
        StartTracker(std::make_unique<CShapeMoveTracker>(*this, HandleAt(pixel)), pixel);
        return;
    }
    if (!Inside(m_document.Element().GetRect().Normalized(), at)) {
        const int candidate = m_document.CandidateAt(at);
        if (candidate >= 0 && !m_document.MarkTerminal(size_t(candidate))) QApplication::beep();
        return;
    }
    if (m_pastePending) {
        PasteAt(at);
        return;
    }
    if (select) {
        PressWithSelect(pixel, at);
        return;
    }
    std::unique_ptr<CShape> shape =
        ShapeOfTool(State().tool, m_document.Library().GetShapeContext());
    if (!shape) return;
    auto tracker = std::make_unique<CShapeDrawTracker>(*this, std::move(shape));
    StartTracker(std::move(tracker), pixel);
}

void CShapeView::PressWithSelect(QPoint pixel, CPointF at) {
    if (!m_selection.empty() && Inside(m_bounds, at)) {
        StartTracker(std::make_unique<CShapeMoveTracker>(*this, -1), pixel);
        return;
    }
    const CShapeList& shapes = m_document.Element().GetShapes();
    const int hit = ShapeAt(shapes, at, float(3.0 / m_zoom));
    if (hit >= 0) {
        m_insertAfter = hit;
        Select({shapes[size_t(hit)].get()});
        StartTracker(std::make_unique<CShapeMoveTracker>(*this, -1), pixel);
        return;
    }
    ClearSelection();
    StartTracker(std::make_unique<CShapeBandTracker>(*this), pixel);
}

void CShapeView::StartTracker(std::unique_ptr<CShapeTracker> tracker, QPoint pixel) {
    CShapeTracker& t = *tracker;
    m_tracker = std::move(tracker);
    CShapeTracker::Done done;
    if (dynamic_cast<CShapeDrawTracker*>(&t))
        done = [this](CShapeTracker& d, bool ok) { OnDrawn(d, ok); };
    else if (dynamic_cast<CShapeBandTracker*>(&t))
        done = [this](CShapeTracker& d, bool ok) { OnBand(d, ok); };
    else
        done = [this](CShapeTracker& d, bool ok) { OnMoved(d, ok); };
    t.Start(pixel, std::move(done));
}

// The view lets go of the drag before it hears the result; the object goes once the event
// that ended it is over.
void CShapeView::TrackerFinished(CShapeTracker& tracker) {
    if (m_tracker.get() == &tracker) m_tracker.release()->deleteLater();
}

void CShapeView::mouseMoveEvent(QMouseEvent* event) {
    if (m_tracker)
        m_tracker->OnMouseMove(event->position().toPoint(), event->modifiers());
    else
        UpdateCursor();
}

void CShapeView::mouseReleaseEvent(QMouseEvent* event) {
    if (m_tracker && event->button() == Qt::LeftButton)
        m_tracker->OnLeftButtonUp(event->position().toPoint(), event->modifiers());
}

void CShapeView::keyPressEvent(QKeyEvent* event) {
    if (m_tracker) {
        m_tracker->OnKey(event->key());
        return;
    }
    switch (event->key()) {
        case Qt::Key_Delete:
            if (event->modifiers() == Qt::NoModifier) DeleteSelection();
            return;
        case Qt::Key_Escape:
            m_pastePending = false;
            SetTool(kIdToolSelect);
            return;
        case Qt::Key_Tab:
            SelectNext();
            return;
        case Qt::Key_Plus:
            ZoomIn();
            return;
        case Qt::Key_Minus:
            ZoomOut();
            return;
        default:
            QAbstractScrollArea::keyPressEvent(event);
    }
}

void CShapeView::focusOutEvent(QFocusEvent* event) {
    if (m_tracker && event->reason() != Qt::PopupFocusReason) m_tracker->OnCaptureLost();
    QAbstractScrollArea::focusOutEvent(event);
}

// Tab selects the next shape instead of moving the focus.
bool CShapeView::focusNextPrevChild(bool) {
    return false;
}

void CShapeView::UpdateCursor() {
    if (!m_services.cursors) return;
    if (m_pastePending) {
        viewport()->setCursor(m_services.cursors->Cursor(kCursorPasteShape));
        return;
    }
    const QPoint at = viewport()->mapFromGlobal(QCursor::pos());
    const int handle = State().tool == kIdToolSelect ? HandleAt(at) : -1;
    if (handle >= 0) {
        const CPointF d = HandleDirection(handle);
        viewport()->setCursor(CEditCursors::SizingCursor(int(d.x), int(d.y)));
    } else if (State().tool == kIdToolSelect) {
        viewport()->setCursor(Qt::ArrowCursor);
    } else {
        viewport()->setCursor(m_services.cursors->Cursor(ToolCursor(State().tool)));
    }
}

// --- Ends of the drags ----------------------------------------------------------------------

void CShapeView::OnDrawn(CShapeTracker& tracker, bool success) {
    if (!success) return;
    std::unique_ptr<CShape> shape = static_cast<CShapeDrawTracker&>(tracker).TakeShape();
    if (!shape) return;  // a click without movement
    BringInside(*shape, m_document.Element().GetRect());
    CShapeEditStep step(m_document.Library(), m_document.Element(), AddLabel(shape->GetTypeCode()));
    InsertShape(std::move(shape));
    step.Commit();
    m_document.NotifyChanged();
}

void CShapeView::InsertShape(std::unique_ptr<CShape> shape) {
    CShapeList& shapes = m_document.Element().GetShapes();
    const size_t at = m_insertAfter >= 0 && size_t(m_insertAfter) < shapes.size()
                          ? size_t(m_insertAfter) + 1
                          : shapes.size();
    shapes.insert(shapes.begin() + std::ptrdiff_t(at), std::move(shape));
    if (m_insertAfter >= 0) m_insertAfter = int(at);
}

void CShapeView::OnBand(CShapeTracker& tracker, bool success) {
    if (!success) return;
    const CRectF band = static_cast<CShapeBandTracker&>(tracker).Band();
    std::vector<CShape*> inside;
    for (const auto& shape : m_document.Element().GetShapes()) {
        const CRectF b = shape->GetBounds();
        if (b.left >= band.left && b.right <= band.right && b.top >= band.top &&
            b.bottom <= band.bottom)
            inside.push_back(shape.get());
    }
    Select(std::move(inside));
}

void CShapeView::OnMoved(CShapeTracker& tracker, bool success) {
    auto& move = static_cast<CShapeMoveTracker&>(tracker);
    const CPointF offset = move.Offset();
    if (!success || m_selection.empty() || (offset.x == 0.0f && offset.y == 0.0f)) {
        viewport()->update();
        return;
    }
    CShapeEditStep step(m_document.Library(), m_document.Element(),
                        move.Handle() < 0 ? "Move" : "Resize");
    for (CShape* shape : m_selection)
        move.Apply(*shape);
    step.Commit();
    RecomputeBounds();
    m_document.NotifyChanged();
}

}  // namespace kestro
