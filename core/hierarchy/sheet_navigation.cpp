#include "core/hierarchy/sheet_navigation.h"

#include <algorithm>

#include "core/document/circuit.h"
#include "core/objects/sub_cir_part.h"
#include "core/platform/prompts.h"

namespace kestro {

namespace {

// Sheets never contain themselves; the check keeps a damaged link from recursing forever.
bool OnPath(const std::vector<const CCircuit*>& path, const CCircuit* sheet) {
    return std::find(path.begin(), path.end(), sheet) != path.end();
}

CSheetTreeNode BuildNode(CCircuit& sheet, std::vector<const CCircuit*>& path) {
    CSheetTreeNode node{&sheet, {}};
    path.push_back(&sheet);
    std::vector<CCircuit*> used;
    for (const CSubCirPart* instance : sheet.GetInstances()) {
        CCircuit* child = instance->GetSheet();
        if (!child || OnPath(path, child)) continue;
        if (std::find(used.begin(), used.end(), child) != used.end()) continue;
        used.push_back(child);
        node.children.push_back(BuildNode(*child, path));
    }
    path.pop_back();
    return node;
}

}  // namespace

std::string SheetLabel(const CCircuit& sheet) {
    return sheet.GetPathName().empty() ? sheet.GetTitle() : sheet.GetPathName();
}

std::vector<CCircuit*> ParentSheets(const CCircuit& sheet) {
    return sheet.GetParents();
}

std::vector<CCircuit*> TopLevelSheets(CCircuit& sheet) {
    std::vector<CCircuit*> tops;
    sheet.GetTopLevelDocuments(tops);
    return tops;
}

CCircuit* ChooseSheet(const std::vector<CCircuit*>& candidates, const std::string& title,
                      CPrompts& prompts) {
    if (candidates.empty()) return nullptr;
    if (candidates.size() == 1) return candidates.front();
    std::vector<std::string> labels;
    labels.reserve(candidates.size());
    for (const CCircuit* sheet : candidates)
        labels.push_back(SheetLabel(*sheet));
    const std::optional<int> chosen = prompts.ChooseFromList(title, labels);
    if (!chosen || *chosen < 0 || *chosen >= static_cast<int>(candidates.size())) return nullptr;
    return candidates[static_cast<size_t>(*chosen)];
}

std::vector<CSheetTreeNode> SubcircuitTree(const std::vector<std::shared_ptr<CCircuit>>& open) {
    std::vector<CSheetTreeNode> roots;
    std::vector<const CCircuit*> path;
    for (const auto& sheet : open)
        if (sheet && sheet->GetParents().empty()) roots.push_back(BuildNode(*sheet, path));
    return roots;
}

}  // namespace kestro
