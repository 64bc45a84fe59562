#include "tools/kestro-sch/schematic_dump.h"

#include "core/document/circuit.h"
#include "core/library/lib_element.h"
#include "core/library/library_data.h"
#include "core/objects/sim_link.h"
#include "core/objects/sim_part.h"
#include "core/objects/sim_term.h"
#include "core/objects/sub_cir_part.h"

namespace kestro {

namespace {

const char* const kTitleFields[5] = {"company", "title", "designedBy", "revision", "lastUpdate"};
const char* const kSimulationFields[7] = {"name",   "Tstep", "Ttotal", "Tprint",
                                          "Iprint", "Iload", "Isave"};

CDumpNode Point(CPointF p) {
    return CDumpNode::Numbers({p.x, p.y});
}

CDumpNode Rect(const CRectF& r) {
    return CDumpNode::Numbers({r.left, r.top, r.right, r.bottom});
}

std::string TypeName(const CGenType& value) {
    std::string name = value.GetTypeName();
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    return name;
}

CDumpNode Value(const CGenType& value, CDumpNode node = CDumpNode::Object()) {
    node.Add("type", CDumpNode::Text(TypeName(value)));
    node.Add("text", CDumpNode::Text(value.GetText()));
    return node;
}

CDumpNode Interface(CCircuit& sheet) {
    CDumpNode node = CDumpNode::Object();
    node.Add("portCount", CDumpNode::Integer(int64_t(sheet.GetPortCount())));
    node.Add("symbolBox", Rect(sheet.GetSymbolBox()));
    CDumpNode& ports = node.Add("ports", CDumpNode::List());
    const auto& positions = sheet.GetPortPositions();
    for (size_t i = 0; i < sheet.GetPortCount(); ++i) {
        CDumpNode& port = ports.Append(CDumpNode::Object());
        port.Add("number", CDumpNode::Integer(int64_t(i)));
        if (i < positions.size()) port.Add("position", Point(positions[i]));
        port.Add("name", CDumpNode::Text(sheet.GetPortName(i)));
        port.Add("placed", CDumpNode::Flag(sheet.GetPortObject(i) != nullptr));
    }
    return node;
}

// Counters that have been used, by element name, in identifier order.
CDumpNode Counters(CCircuit& sheet) {
    CDumpNode node = CDumpNode::Object();
    CLibraryData& library = sheet.GetEnvironment().library;
    const auto& counters = sheet.GetElementCounters();
    for (size_t i = 0; i < counters.size() && i < library.GetElementCount(); ++i)
        if (counters[i] != 0)
            node.Add(library.GetElement(uint32_t(i))->GetName(), CDumpNode::Integer(counters[i]));
    return node;
}

std::string KindWord(const CPart& part) {
    switch (part.GetTag()) {
        case CPart::kTagSimPart:
            return "element";
        case CPart::kTagWire:
            return "wire";
        case CPart::kTagSubCircuit:
            return "subcircuit";
        case CPart::kTagPort:
            return "port";
        case CPart::kTagText:
            return "text";
        case CPart::kTagSimControl:
            return "control";
        case CPart::kTagLink:
            return "link";
        case CPart::kTagLabel:
            return "label";
        default:
            return "unknown";
    }
}

void AddElement(CDumpNode& node, const CSimPart& element) {
    const CLibElement* library = element.GetElement();
    node.Add("elementId", CDumpNode::Integer(element.GetElementId()));
    if (library) node.Add("netlistName", CDumpNode::Text(library->GetName()));
    CDumpNode& values = node.Add("values", CDumpNode::List());
    const CPartData& data = element.GetData();
    for (size_t i = 0; i < data.GetCount(); ++i) {
        CDumpNode value = CDumpNode::Object();
        if (library && i < library->GetDefinitionCount())
            value.Add("attribute", CDumpNode::Text(library->GetDefinition(i).GetName()));
        values.Append(Value(data.GetValue(i), std::move(value)));
    }
}

void AddKindFields(CDumpNode& node, CPart& part) {
    if (const CSimPart* element = part.AsSimPart()) AddElement(node, *element);
    if (const CSubCirPart* instance = part.AsSubCircuit()) {
        const CCircuit* sheet = instance->GetSheet();
        node.Add("file", CDumpNode::Text(sheet ? sheet->GetPathName() : instance->GetPath()));
        node.Add("portCount", CDumpNode::Integer(sheet ? int64_t(sheet->GetPortCount()) : 0));
    }
    if (const CSimTerm* port = part.AsPort())
        node.Add("portNumber", CDumpNode::Integer(port->GetPortNumber()));
    if (const CSimLink* link = part.AsLink()) {
        const CSimPart* owner = link->GetOwnerElement();
        node.Add("owner", CDumpNode::Integer(owner ? owner->GetNumber() : 0));
        node.Add("attribute", CDumpNode::Integer(int64_t(link->GetAttributeIndex())));
    }
}

CDumpNode Object(CPart& part) {
    CDumpNode node = CDumpNode::Object();
    node.Add("kind", CDumpNode::Text(KindWord(part)));
    node.Add("tag", CDumpNode::Integer(part.GetTag()));
    node.Add("number", CDumpNode::Integer(part.GetNumber()));
    node.Add("name", CDumpNode::Text(part.GetName()));
    const CPlacement& p = part.GetPlacement();
    CDumpNode& placement = node.Add("placement", CDumpNode::Object());
    placement.Add("color", CDumpNode::Integer(p.color));
    placement.Add("position", CDumpNode::Numbers({p.x, p.y}));
    placement.Add("rotation", CDumpNode::Integer(p.rotation));
    placement.Add("scale", CDumpNode::Numbers({p.sx, p.sy}));
    node.Add("bounds", Rect(part.GetBounds()));
    node.Add("state", CDumpNode::Integer(part.GetState()));
    node.Add("kindFlags", CDumpNode::Integer(part.GetKindFlags()));
    AddKindFields(node, part);
    const std::string shown = part.GetValuesText();
    if (!shown.empty()) node.Add("shownValues", CDumpNode::Text(shown));
    CDumpNode& terminals = node.Add("terminals", CDumpNode::List());
    for (size_t i = 0; i < part.GetTerminalCount(); ++i)
        terminals.Append(Point(part.GetTerminalPosition(i)));
    return node;
}

}  // namespace

CDumpNode DumpSchematic(CCircuit& sheet, const std::string& path) {
    CDumpNode root = CDumpNode::Object();
    root.Add("file", CDumpNode::Text(path));
    root.Add("version", CDumpNode::Numbers(
                            {double(sheet.GetVersionMajor()), double(sheet.GetVersionMinor())}));
    root.Add("storedWords", CDumpNode::Numbers({double(sheet.GetStoredWord()),
                                                double(sheet.GetSecondStoredWord())}));
    root.Add("flags", CDumpNode::Integer(sheet.GetFlags()));
    root.Add("drawingArea", Rect(sheet.GetDrawingArea()));
    root.Add("zoom", CDumpNode::Number(sheet.GetZoom()));
    root.Add("interface", Interface(sheet));
    CDumpNode& title = root.Add("titleInfo", CDumpNode::Object());
    for (size_t i = 0; i < 5; ++i)
        title.Add(kTitleFields[i], CDumpNode::Text(sheet.GetTitleInfo()[i]));
    CDumpNode& simulation = root.Add("simulation", CDumpNode::Object());
    for (size_t i = 0; i < 7; ++i)
        simulation.Add(kSimulationFields[i], Value(sheet.GetSimulationParameters()[i]));
    root.Add("elementCounters", Counters(sheet));
    CDumpNode& objects = root.Add("objects", CDumpNode::List());
    for (const auto& part : sheet.GetObjects())
        objects.Append(Object(*part));
    return root;
}

}  // namespace kestro
