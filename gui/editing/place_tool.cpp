#include "gui/editing/place_tool.h"

#include <QApplication>

#include "core/document/circuit.h"
#include "core/document/document_manager.h"
#include "core/document/edit_step.h"
#include "core/objects/sub_cir_part.h"
#include "gui/editing/edit_state.h"
#include "gui/resources/edit_cursors.h"
#include "gui/views/kestro_view.h"

namespace kestro {

int CPlaceTool::CursorId(const CKestroView& /*view*/, QPoint /*pixel*/) const {
    return kCursorPlace;
}

QString CPlaceTool::StatusText(const CKestroView& view, QPoint /*pixel*/) const {
    const CCircuit* document = view.Document();
    if (!document) return {};
    return QStringLiteral("NEW:  ") +
           QString::fromStdString(State().KindName(document->GetEnvironment().library));
}

void CPlaceTool::RightButtonDown(CKestroView& /*view*/, QPoint /*pixel*/) {
    State().TurnPlacement();
}

void CPlaceTool::LeftButtonDown(CKestroView& view, QPoint pixel) {
    CEditState& state = State();
    const bool ghostShown = state.Ghost().Hide();
    CCircuit* document = view.Document();
    if (!document) return;
    const CPointF at = PlacementPoint(view.ToLogical(pixel));
    switch (const int kind = state.Kind()) {
        case kPlaceText:
            PlaceText(*document, at);
            break;
        case kPlaceSubcircuit:
            PlaceSubcircuit(*document, at);
            break;
        case kPlaceSimControl:
            PlaceSimControl(view, at);
            break;
        case kPlacePort:
            PlacePort(view, at);
            break;
        case kPlaceLabel:
            PlaceLabel(*document, at);
            break;
        default:
            if (kind >= 0 && kind <= 0xFFFF)
                document->PlaceElement(static_cast<uint16_t>(kind), at, state.Rotation());
            break;
    }
    if (ghostShown && state.Mode() == EditMode::Place) state.Ghost().Show();
}

void CPlaceTool::PlaceText(CCircuit& document, CPointF at) {
    CEditState& state = State();
    if (!state.Ghost().text.empty()) {
        CEditStep step(document, "Text");
        step.Add(MakePlacedObject(document.GetEnvironment(), kPlaceText, state.Ghost(), at,
                                  state.Rotation()));
    }
    state.SetMode(EditMode::Select);
}

void CPlaceTool::PlaceSubcircuit(CCircuit& document, CPointF at) {
    CEditState& state = State();
    CDocumentManager& documents = document.GetContext().documents;
    const std::string& file = state.Ghost().name;
    std::shared_ptr<CCircuit> sheet = file.empty() ? documents.CreateUntitled(document.GetContext())
                                                   : documents.OpenSubcircuit(file, {}, document);
    if (sheet) {
        CEditStep step(document, "Subcircuit");
        step.Add(
            CSubCirPart::Create(document.GetEnvironment(), std::move(sheet), at, state.Rotation()));
    }
    state.SetMode(EditMode::Select);
}

void CPlaceTool::PlaceSimControl(CKestroView& view, CPointF at) {
    CEditState& state = State();
    CCircuit& document = *view.Document();
    state.SetMode(EditMode::Select);
    for (const auto& part : document.GetObjects())
        if (part->IsSimControl()) return;  // one per sheet
    CPart* control = nullptr;
    {
        CEditStep step(document, "Simulation Control");
        control = step.Add(MakePlacedObject(document.GetEnvironment(), kPlaceSimControl,
                                            state.Ghost(), at, state.Rotation()));
    }
    if (control && state.Hooks().showAttributes) state.Hooks().showAttributes(view, *control);
}

void CPlaceTool::PlacePort(CKestroView& view, CPointF at) {
    CEditState& state = State();
    CCircuit& document = *view.Document();
    const int number = document.FindFreePortNumber();
    if (number < 0) {
        QApplication::beep();  // every port number is taken
        return;
    }
    CPart* port = nullptr;
    {
        CEditStep step(document, "Port");
        port = step.Add(MakePlacedObject(document.GetEnvironment(), kPlacePort, state.Ghost(), at,
                                         state.Rotation(), number));
    }
    if (port && state.Hooks().showAttributes) state.Hooks().showAttributes(view, *port);
}

void CPlaceTool::PlaceLabel(CCircuit& document, CPointF at) {
    CEditState& state = State();
    state.SetMode(EditMode::Select);
    if (state.Ghost().name.empty()) return;
    CEditStep step(document, "Label");
    step.Add(MakePlacedObject(document.GetEnvironment(), kPlaceLabel, state.Ghost(), at,
                              state.Rotation()));
}

}  // namespace kestro
