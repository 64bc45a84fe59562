#include "gui/library_editor/definition_text.h"

#include "core/library/lib_element.h"
#include "core/library/net_line.h"
#include "core/platform/number_text.h"

namespace kestro {

namespace {

// printf("%-<width>s"): padded on the right, never cut.
std::string LeftAligned(const std::string& text, size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

}  // namespace

std::string DefinitionValueText(const CNetLine& definition) {
    return definition.GetValue().GetNetlistText(definition.GetFlags());
}

std::string DefinitionListLine(const CNetLine& definition) {
    const uint32_t flags = definition.GetFlags();
    return LeftAligned(definition.GetName(), 10) + " , " +
           LeftAligned(definition.GetValue().GetTypeName(), 20) + " , " +
           LeftAligned(definition.GetUnit(), 10) + " , " +
           LeftAligned(DefinitionValueText(definition), 10) + " " +
           ((flags & CNetLine::kHidden) ? ",HIDE " : " ") +
           ((flags & CNetLine::kTextLink) ? ",(TEXT LINK)" : " ");
}

std::string NetlistPreview(const CLibElement& element, const std::string& defaultName,
                           const std::vector<const CNetLine*>& definitions) {
    if (element.IsGround()) return {};
    std::string line = "'" + element.GetName() + "' '" + defaultName + "' ";
    for (size_t port = 1; port <= element.GetOutputPoints().size(); ++port)
        line += "N" + FormatInt(static_cast<int64_t>(port)) + " ";
    for (const CNetLine* definition : definitions)
        line += DefinitionValueText(*definition);
    return line;
}

}  // namespace kestro
