#include "tools/kestro-lib/element_reference.h"

#include "core/library/library_data.h"
#include "core/library/library_source.h"
#include "core/platform/number_text.h"

namespace kestro {

namespace {

// Table cells hold one line; a bar would end the cell.
std::string Cell(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '|')
            out += "\\|";
        else if (c == '\n' || c == '\r')
            out += ' ';
        else
            out += c;
    }
    return out.empty() ? " " : out;
}

std::string Number(float v) {
    return FormatG(v, 6);
}

std::string TypeName(const CGenType& value) {
    switch (value.GetType()) {
        case CGenType::Float:
            return "Float";
        case CGenType::Boolean:
            return "Boolean";
        case CGenType::Integer:
            return "Integer";
        case CGenType::String:
            return "String";
        default:
            return "Invalid";
    }
}

std::string DefaultText(const CGenType& value) {
    if (value.GetType() == CGenType::String) return "'" + value.GetString() + "'";
    return value.GetDisplayText();
}

std::string Doc(const std::vector<std::string>& docs, size_t index) {
    return index < docs.size() ? docs[index] : std::string{};
}

// The netlist line an element placed with its default values gives.
std::string NetlistExample(const CLibElement& element) {
    if (element.IsGround()) return {};
    std::string line = "'" + element.GetName() + "' '";
    if (element.GetDefinitionCount() > 0) line += element.GetDefinition(0).GetValue().GetText();
    line += "1' ";
    for (size_t i = 0; i < element.GetOutputPoints().size(); ++i)
        line += "N" + FormatInt(int64_t(i) + 1) + " ";
    for (size_t i = 1; i < element.GetDefinitionCount(); ++i) {
        const CNetLine& d = element.GetDefinition(i);
        line += d.GetValue().GetNetlistText(d.GetFlags());
    }
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line;
}

void WriteTerminals(std::string& out, const CLibElement& element, const CElementDocs& docs) {
    const auto& pins = element.GetOutputPoints();
    if (pins.empty()) {
        out += "No terminals.\n\n";
        return;
    }
    out += "| Terminal | Position | Meaning |\n|---|---|---|\n";
    for (size_t i = 0; i < pins.size(); ++i)
        out += "| N" + FormatInt(int64_t(i) + 1) + " | (" + Number(pins[i].x) + ", " +
               Number(pins[i].y) + ") | " + Cell(Doc(docs.pins, i)) + " |\n";
    out += "\n";
}

void WriteAttributes(std::string& out, const CLibElement& element, const CElementDocs& docs) {
    if (element.GetDefinitionCount() <= 1) {
        out += "No attributes besides the name.\n\n";
        return;
    }
    out += "| Attribute | Unit | Type | Default | Meaning |\n|---|---|---|---|---|\n";
    for (size_t i = 1; i < element.GetDefinitionCount(); ++i) {
        const CNetLine& d = element.GetDefinition(i);
        out += "| " + Cell(d.GetName()) + " | " + Cell(d.GetUnit()) + " | " +
               TypeName(d.GetValue()) + " | " + Cell(DefaultText(d.GetValue())) + " | " +
               Cell(Doc(docs.attributes, i)) + " |\n";
    }
    out += "\n";
}

void WriteElement(std::string& out, const CLibElement& element, const CElementDocs& docs,
                  const std::string& heading) {
    out += "## " + heading + "\n\n";
    if (!element.GetDescription().empty()) out += element.GetDescription() + "\n\n";
    if (element.GetDefinitionCount() > 0 &&
        element.GetDefinition(0).GetValue().GetType() == CGenType::String)
        out += "Default name: `" + element.GetDefinition(0).GetValue().GetString() + "`";
    if (element.IsGround())
        out += "\n\nGround element: its terminal joins net 0; it writes no netlist line.";
    else if (const std::string line = NetlistExample(element); !line.empty())
        out += "\n\nNetlist line with the defaults: `" + line + "`";
    out += "\n\n";
    WriteTerminals(out, element, docs);
    WriteAttributes(out, element, docs);
}

}  // namespace

std::string WriteElementReference(CLibraryData& library, const CLibraryDocs& docs) {
    std::string out =
        "# Element reference\n\n"
        "Every element of the library in identifier order: its netlist name, its terminals "
        "in the order the netlist writes their nodes (N1, N2, ...) and its attributes in the "
        "order the netlist writes their values.\n\n";
    for (uint32_t i = 0; i < library.GetElementCount(); ++i) {
        const CElementDocs none;
        WriteElement(out, *library.GetElement(i),
                     i < docs.elements.size() ? docs.elements[i] : none,
                     "`" + library.GetElement(i)->GetName() + "`");
    }
    out += "# Built-in elements\n\n";
    WriteElement(out, library.GetControlElement(), docs.control, "Simulation control (1004)");
    WriteElement(out, library.GetPortElement(), docs.port, "Port (1005)");
    WriteElement(out, library.GetLabelElement(), docs.label, "Label (1006)");
    return out;
}

}  // namespace kestro
