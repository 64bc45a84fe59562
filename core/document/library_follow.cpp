#include "core/document/library_follow.h"

#include <optional>

#include "core/document/circuit.h"
#include "core/document/edit_step.h"
#include "core/library/lib_element.h"
#include "core/objects/sim_link.h"
#include "core/objects/sim_part.h"

namespace kestro {

namespace {

std::optional<size_t> IndexOfId(const CLibElement& element, uint32_t id) {
    for (size_t i = 0; i < element.GetDefinitionCount(); ++i)
        if (element.GetDefinition(i).GetId() == id) return i;
    return std::nullopt;
}

// Each link goes to its definition's new place, or away with the definition.
void FollowLinks(CEditStep& step, CSimPart& part, const std::vector<uint32_t>& before) {
    const CLibElement* element = part.GetElement();
    const std::vector<CSimLink*> links = part.GetLinks();
    for (CSimLink* link : links) {
        const size_t attribute = link->GetAttributeIndex();
        const std::optional<size_t> index = attribute < before.size() && element
                                                ? IndexOfId(*element, before[attribute])
                                                : std::nullopt;
        if (!index) {
            step.Touch(link->GetBounds());
            step.Remove(*link);
            continue;
        }
        step.Touch(link->GetBounds());
        step.Change(*link);
        link->SetAttributeIndex(*index);
        link->RefreshText();
        step.Touch(link->GetBounds());
    }
}

}  // namespace

std::vector<uint32_t> DefinitionIds(const CLibElement& element) {
    std::vector<uint32_t> ids;
    ids.reserve(element.GetDefinitionCount());
    for (const auto& definition : element.GetDefinitions())
        ids.push_back(definition->GetId());
    return ids;
}

size_t FollowLibraryChanges(CCircuit& sheet,
                            const std::map<uint16_t, std::vector<uint32_t>>& changed) {
    std::vector<CSimPart*> followers;
    for (const auto& object : sheet.GetObjects())
        if (CSimPart* part = object->AsSimPart(); part && changed.count(part->GetElementId()))
            followers.push_back(part);
    if (followers.empty()) return 0;
    CEditStep step(sheet, "Library Changed");
    for (CSimPart* part : followers) {
        const std::vector<uint32_t>& before = changed.at(part->GetElementId());
        step.Touch(part->GetBounds());
        step.Reshape(*part,
                     [&before](CPart& object) { object.AsSimPart()->FollowElement(before); });
        step.Touch(part->GetBounds());
        FollowLinks(step, *part, before);
    }
    step.Commit();
    return followers.size();
}

}  // namespace kestro
