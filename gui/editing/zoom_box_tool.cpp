#include "gui/editing/zoom_box_tool.h"

#include "gui/commands/command_ids.h"
#include "gui/editing/edit_state.h"
#include "gui/editing/zoom_box_tracker.h"
#include "gui/resources/edit_cursors.h"
#include "gui/resources/string_table.h"
#include "gui/views/kestro_view.h"

namespace kestro {

int CZoomBoxTool::CursorId(const CKestroView& /*view*/, QPoint /*pixel*/) const {
    return kCursorZoomBox;
}

QString CZoomBoxTool::StatusText(const CKestroView& /*view*/, QPoint /*pixel*/) const {
    return CommandPrompt(kIdZoomBox);
}

void CZoomBoxTool::LeftButtonDown(CKestroView& view, QPoint pixel) {
    State().Ghost().Hide();
    view.RunTracker(std::make_unique<CZoomBoxTracker>(view), pixel, [&view](CTracker& t, bool ok) {
        if (!ok) return;
        const double factor = static_cast<CZoomBoxTracker&>(t).Factor();
        view.SetZoom(view.Zoom() * factor, t.Rect().Center(), true);
    });
}

}  // namespace kestro
