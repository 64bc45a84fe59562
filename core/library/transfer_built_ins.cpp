// The three built-in symbols of a transferred library, drawn as those of the bundled one.
#include "core/library/library_data.h"
#include "core/library/old_library_transfer.h"
#include "core/library/sh_line.h"
#include "core/library/sh_poly.h"
#include "core/library/sh_rrect.h"

namespace kestro {

namespace {

void Clear(CLibElement& element, const std::string& name, const std::string& description,
           const CRectF& rect) {
    element.SetName(name);
    element.SetDescription(description);
    element.SetFlags(0);
    element.SetRect(rect);
    element.GetShapes().clear();
    element.GetOutputPoints().clear();
    element.GetDefinitions().clear();
}

void AddLine(CLibElement& element, CPointF from, CPointF to) {
    element.AddShape(std::make_unique<CSHLine>(from, to));
}

// The control symbol: a box holding one period of a square wave.
void MakeControl(CLibElement& control) {
    Clear(control, "Control", "Simulation control", {-20, -20, 20, 20});
    control.AddShape(std::make_unique<CSHRRect>(CRectF{-20, -20, 20, 20}));
    AddLine(control, {-14, 8}, {-7, 8});
    AddLine(control, {-7, 8}, {-7, -8});
    AddLine(control, {-7, -8}, {7, -8});
    AddLine(control, {7, -8}, {7, 8});
    AddLine(control, {7, 8}, {14, 8});
    control.AddDefinition(CNetLine("Name", "", CGenType::MakeString(".TIME"), 0));
    control.AddDefinition(CNetLine("Tstep", "", CGenType::MakeFloat(1E-05), 0));
    control.AddDefinition(CNetLine("Ttotal", "", CGenType::MakeFloat(0.01), 0));
    control.AddDefinition(CNetLine("Tprint", "", CGenType::MakeFloat(0), 0));
    control.AddDefinition(CNetLine("Iprint", "", CGenType::MakeInteger(1), 0));
    control.AddDefinition(CNetLine("Iload", "", CGenType::MakeBoolean(false), 0));
    control.AddDefinition(CNetLine("Isave", "", CGenType::MakeBoolean(false), 0));
}

// Port and label: a flag or a tag whose connection point is on the right at (20, 0).
void MakeTag(CLibElement& element, const std::string& name, std::vector<CPointF> outline) {
    Clear(element, name, name, {-20, -10, 20, 10});
    AddLine(element, {10, 0}, {20, 0});
    element.AddShape(std::make_unique<CSHPoly>(std::move(outline)));
    element.GetOutputPoints().push_back({20, 0});
    element.AddDefinition(CNetLine("Name", "", CGenType::MakeString(name), CNetLine::kTextLink));
}

}  // namespace

void MakeTransferBuiltIns(CLibraryData& library) {
    MakeControl(library.GetControlElement());
    // Every library names its port "Port" when it is read, so the transfer does too.
    MakeTag(library.GetPortElement(), "Port", {{-20, -7}, {2, -7}, {10, 0}, {2, 7}, {-20, 7}});
    MakeTag(library.GetLabelElement(), "Label", {{-20, 0}, {-12, -7}, {10, -7}, {10, 7}, {-12, 7}});
}

}  // namespace kestro
