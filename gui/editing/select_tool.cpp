#include "gui/editing/select_tool.h"

#include "core/document/circuit.h"
#include "gui/editing/edit_helpers.h"
#include "gui/editing/edit_state.h"
#include "gui/editing/move_tracker.h"
#include "gui/editing/select_box_tracker.h"
#include "gui/resources/edit_cursors.h"
#include "gui/views/kestro_view.h"

namespace kestro {

int CSelectTool::CursorId(const CKestroView& view, QPoint pixel) const {
    return InsideSelection(view, view.ToLogical(pixel)) ? kCursorMove : kCursorSelect;
}

QString CSelectTool::StatusText(const CKestroView& view, QPoint pixel) const {
    const CCircuit* document = view.Document();
    return document ? QString::fromStdString(document->DescribeObjectAt(view.ToLogical(pixel)))
                    : QString();
}

void CSelectTool::LeftButtonDown(CKestroView& view, QPoint pixel) {
    State().Ghost().Hide();
    CCircuit* document = view.Document();
    if (!document) return;
    if (InsideSelection(view, view.ToLogical(pixel))) {
        document->RefreshSelection(view.Selection());
        if (!view.Selection().IsEmpty()) {
            // A click on what is selected is a click all the same: the attribute window
            // writes its page back before anything moves.
            if (State().Hooks().pointAttributes)
                State().Hooks().pointAttributes(view, view.Selection().First());
            return Move(view, pixel);
        }
    }
    SelectBox(view, pixel);
}

void CSelectTool::Move(CKestroView& view, QPoint pixel) {
    view.RunTracker(std::make_unique<CMoveTracker>(view), pixel, [&view](CTracker& t, bool ok) {
        if (!ok || !view.Document()) return;
        CBusyStatus busy(view);
        const CRectF& r = t.Rect();
        view.Document()->MoveSelection(view.Selection(), r.right - r.left, r.bottom - r.top);
        view.UpdateSelectionBounds();
    });
}

void CSelectTool::SelectBox(CKestroView& view, QPoint pixel) {
    CEditState& state = State();
    view.RunTracker(std::make_unique<CSelectBoxTracker>(view), pixel,
                    [&view, &state](CTracker& t, bool ok) {
                        CCircuit* document = view.Document();
                        if (!ok || !document) return;
                        DropSelection(view);
                        document->SelectByRect(view.Selection(), t.Rect());
                        view.UpdateSelectionBounds();
                        CSelection& selection = view.Selection();
                        if (state.Hooks().pointAttributes)
                            state.Hooks().pointAttributes(view, selection.First());
                    });
}

}  // namespace kestro
