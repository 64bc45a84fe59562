#include "gui/editing/wire_tool.h"

#include "core/document/circuit.h"
#include "core/document/edit_step.h"
#include "core/objects/wire.h"
#include "gui/editing/edit_state.h"
#include "gui/editing/wire_tracker.h"
#include "gui/resources/edit_cursors.h"
#include "gui/views/kestro_view.h"

namespace kestro {

int CWireTool::CursorId(const CKestroView& /*view*/, QPoint /*pixel*/) const {
    return kCursorWire;
}

QString CWireTool::StatusText(const CKestroView& /*view*/, QPoint /*pixel*/) const {
    return QStringLiteral("NEW:  Wire");
}

void CWireTool::LeftButtonDown(CKestroView& view, QPoint pixel) {
    State().Ghost().Hide();
    view.RunTracker(std::make_unique<CWireTracker>(view), pixel, [&view](CTracker& t, bool ok) {
        CCircuit* document = view.Document();
        if (!ok || !document) return;
        const auto& tracker = static_cast<CWireTracker&>(t);
        const CPointF start = tracker.Start(), corner = tracker.Corner(), end = tracker.End();
        CEditStep step(*document, "Wire");
        CRectF area;
        bool any = false;
        for (const auto& [from, to] : {std::pair{start, corner}, std::pair{corner, end}}) {
            if (SamePoint(from, to)) continue;
            CPart* wire = step.Add(CWire::Create(document->GetEnvironment(), from, to));
            if (!wire) continue;
            area = any ? UnionRect(area, wire->GetBounds()) : wire->GetBounds();
            any = true;
        }
        if (any) step.CleanUpWires(area);
    });
}

}  // namespace kestro
