#pragma once

#include <memory>
#include <string>
#include <vector>

namespace kestro {

class CCircuit;
class CPrompts;

// Going up and down the hierarchy of open sheets: the sheets one page up, the top-level
// sheets above a sheet, and the tree of every open top-level sheet with the sheets it
// uses below it.

inline constexpr const char* kParentCircuitsTitle = "Parent Circuits";
inline constexpr const char* kTopPageTitle = "Top Page";

// How a sheet is named in lists: its file path, or its title while it has none.
std::string SheetLabel(const CCircuit& sheet);

// The sheets that place this one, each once, in the order they came to use it.
std::vector<CCircuit*> ParentSheets(const CCircuit& sheet);
// The top-level sheets that contain this one through any chain of parents, each once;
// the sheet itself when nothing uses it.
std::vector<CCircuit*> TopLevelSheets(CCircuit& sheet);

// The one candidate, or the one the user picks from their labels in a list titled
// `title` when there are several; null when there is none or the list is cancelled.
CCircuit* ChooseSheet(const std::vector<CCircuit*>& candidates, const std::string& title,
                      CPrompts& prompts);

// One open sheet with the sheets its instances use below it (each once, in instance
// order). A sheet used by several parents appears below each of them.
struct CSheetTreeNode {
    CCircuit* sheet = nullptr;
    std::vector<CSheetTreeNode> children;
};

// Every open sheet that no open sheet uses, in the order given, each with its subtree.
std::vector<CSheetTreeNode> SubcircuitTree(const std::vector<std::shared_ptr<CCircuit>>& open);

}  // namespace kestro
