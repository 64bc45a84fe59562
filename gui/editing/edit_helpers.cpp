#include "gui/editing/edit_helpers.h"

#include <QApplication>

#include "core/document/circuit.h"
#include "core/document/edit_step.h"
#include "core/library/lib_element.h"
#include "gui/commands/command_ids.h"
#include "gui/resources/string_table.h"
#include "gui/views/kestro_view.h"

namespace kestro {

CBusyStatus::CBusyStatus(CKestroView& view) : m_view(view) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_view.ShowStatus(CommandPrompt(kIdsProcessing));
}

CBusyStatus::~CBusyStatus() {
    m_view.ShowStatus(CommandPrompt(kIdsReady));
    QApplication::restoreOverrideCursor();
}

CPart* DropSelection(CKestroView& view) {
    CSelection& selection = view.Selection();
    const CRectF old = selection.GetBounds();
    if (!IsEmptyAtTenth(old))
        if (CCircuit* document = view.Document()) {
            // Objects the tidying removes leave the selection as they go.
            CEditStep step(*document, "Tidy Wires");
            step.CleanUpWires(old);
        }
    CPart* first = selection.First();
    selection.Clear();
    if (!IsEmptyAtTenth(old)) view.InvalidateLogical(old);
    return first;
}

QString HelpKeyword(const CPart& part) {
    if (const CLibElement* element = part.GetElement())
        return QString::fromStdString(element->GetName());
    return part.IsSubCircuit() ? QStringLiteral("subcircuits") : QStringLiteral("drawing");
}

bool InsideSelection(const CKestroView& view, const CPointF& point) {
    const CRectF bounds = view.Selection().GetBounds().Normalized();
    return !IsEmptyAtTenth(bounds) && point.x >= bounds.left && point.x <= bounds.right &&
           point.y >= bounds.top && point.y <= bounds.bottom;
}

}  // namespace kestro
