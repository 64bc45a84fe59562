#include "tools/kestro-examples/sheet_drafter.h"

#include <iostream>
#include <stdexcept>

#include "core/document/circuit.h"
#include "core/library/lib_element.h"
#include "core/library/library_data.h"
#include "core/library/placement.h"
#include "core/objects/sim_control.h"
#include "core/objects/sim_label.h"
#include "core/objects/sim_link.h"
#include "core/objects/sim_part.h"
#include "core/objects/sim_term.h"
#include "core/objects/sim_text.h"
#include "core/objects/sub_cir_part.h"
#include "core/objects/wire.h"
#include "core/platform/number_text.h"

namespace kestro {

namespace {

constexpr float kLinkGap = 4.0f;

// Where a symbol must stand so that its pin (a symbol point) lands on `pin`.
CPointF PositionForPin(CPointF symbolPin, CPointF pin, int rotation) {
    CPlacement placement;
    placement.rotation = static_cast<uint16_t>(rotation & 3);
    const CPointF offset = placement.Place(symbolPin);
    return {pin.x - offset.x, pin.y - offset.y};
}

}  // namespace

int CSheetDrafter::ElementId(const std::string& netlistName) const {
    const int id = m_sheet.GetContext().parts.library.FindElementByName(netlistName);
    if (id < 0) throw std::runtime_error("the library has no element " + netlistName);
    return id;
}

CSimPart* CSheetDrafter::Place(const std::string& netlistName, CPointF centre, int rotation,
                               Side links) {
    CSimPart* element =
        m_sheet.PlaceElement(static_cast<uint16_t>(ElementId(netlistName)), centre, rotation);
    if (!element) throw std::runtime_error("cannot place " + netlistName);
    PlaceLinks(*element, links);
    return element;
}

void CSheetDrafter::Set(CSimPart* element, const std::string& attribute, const std::string& text) {
    const CLibElement* library = element->GetElement();
    for (size_t i = 1; i < library->GetDefinitionCount(); ++i) {
        if (library->GetDefinition(i).GetName() != attribute) continue;
        CGenType& value = element->GetData().GetValue(i);
        switch (value.GetType()) {
            case CGenType::Float:
                value.SetFromText(text);
                break;
            case CGenType::Integer:
            case CGenType::Boolean:
                value.SetIntegerValue(static_cast<int32_t>(ParseLeadingInt(text)));
                break;
            default:
                value.SetStringValue(text);
        }
        element->RefreshLinks();
        return;
    }
    throw std::runtime_error(library->GetName() + " has no attribute " + attribute);
}

// Links stacked beside the element, centred on it (below and above: centred across it).
void CSheetDrafter::PlaceLinks(CSimPart& element, Side side) {
    if (side == Side::Below) return element.PlaceLinks();
    const CRectF bounds = element.GetBounds();
    float height = 0.0f;
    for (CSimLink* link : element.GetLinks()) {
        link->RefreshText();
        height += link->GetSymbolRect().Height();
    }
    float y = side == Side::Above ? bounds.top - kLinkGap - height : bounds.Center().y - height / 2;
    for (CSimLink* link : element.GetLinks()) {
        const CRectF extent = link->GetSymbolRect();
        float x = bounds.Center().x - extent.Center().x;
        if (side == Side::Right) x = bounds.right + kLinkGap - extent.left;
        if (side == Side::Left) x = bounds.left - kLinkGap - extent.right;
        link->SetPosition({x, y - extent.top});
        y += extent.Height();
    }
}

void CSheetDrafter::Wire(std::initializer_list<CPointF> path) {
    const CPointF* previous = nullptr;
    for (const CPointF& point : path) {
        if (previous) m_sheet.AddObject(CWire::Create(m_sheet.GetEnvironment(), *previous, point));
        previous = &point;
    }
}

void CSheetDrafter::Ground(CPointF pin) {
    Place("GND", pin);  // its pin is the symbol's origin
}

void CSheetDrafter::Label(const std::string& name, CPointF pin, int rotation) {
    CLibraryData& library = m_sheet.GetContext().parts.library;
    const CPointF position =
        PositionForPin(library.GetLabelElement().GetOutputPoints().at(0), pin, rotation);
    m_sheet.AddObject(CSimLabel::Create(m_sheet.GetEnvironment(), name, position, rotation));
}

void CSheetDrafter::Port(uint16_t number, const std::string& name, CPointF pin, int rotation) {
    CLibraryData& library = m_sheet.GetContext().parts.library;
    const CPointF position =
        PositionForPin(library.GetPortElement().GetOutputPoints().at(0), pin, rotation);
    m_sheet.GetPortNames().at(number) = name;
    m_sheet.AddObject(CSimTerm::Create(m_sheet.GetEnvironment(), number, position, rotation));
}

CSubCirPart* CSheetDrafter::Instance(std::shared_ptr<CCircuit> inner, CPointF centre,
                                     int rotation) {
    CPart* part = m_sheet.AddObject(
        CSubCirPart::Create(m_sheet.GetEnvironment(), std::move(inner), centre, rotation));
    if (!part) throw std::runtime_error("cannot place the subcircuit");
    return part->AsSubCircuit();
}

void CSheetDrafter::Text(const std::string& text, CPointF at) {
    auto created = CSimText::Create(m_sheet.GetEnvironment(), text, at, 0);
    const CRectF extent = created->GetSymbolRect();
    created->SetPosition({at.x - extent.left, at.y - extent.Center().y});
    m_sheet.AddObject(std::move(created));
}

void CSheetDrafter::HideValues(CSimPart* element, Side links) {
    for (CSimLink* link : std::vector<CSimLink*>(element->GetLinks()))
        if (link->GetAttributeIndex() != 0) m_sheet.DeleteObject(*link);
    PlaceLinks(*element, links);
}

void CSheetDrafter::Control(CPointF centre) {
    m_sheet.AddObject(CSimControl::Create(m_sheet.GetEnvironment(), centre, 0));
}

void CSheetDrafter::Simulate(double step, double total) {
    auto& parameters = m_sheet.GetSimulationParameters();
    parameters[1] = CGenType::MakeFloat(step);
    parameters[2] = CGenType::MakeFloat(total);
}

}  // namespace kestro
