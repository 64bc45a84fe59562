// The element menu tree of a transferred library.
#include <map>

#include "core/library/old_library_transfer.h"

namespace kestro {

namespace {

// The tree while it is built: items refer to their children by position, so a group can
// be found again by its number while more items are added.
struct CTreeNode {
    CMenuItem item;
    std::vector<size_t> children;
    int depth = 0;  // the top level's entries have depth 1
};

class CTreeBuilder {
public:
    CTreeBuilder() { m_nodes.push_back({}); }

    // A popup under the group `parent`; groups nested deeper than the menus can hold go
    // to the top level instead, so that their elements stay reachable.
    void AddGroup(const COldMenuGroup& group) {
        size_t parent = Node(group.parent);
        if (m_nodes[parent].depth >= kMaxMenuDepth) parent = 0;
        m_groups[group.number] = Add(parent, CMenuItem::Popup(group.name));
    }

    void AddElement(int16_t group, size_t identifier, const std::string& name) {
        Add(Node(group), CMenuItem::Element(static_cast<int16_t>(identifier), name));
    }

    std::vector<CMenuItem> Items() const { return Children(0); }

private:
    // The node of a group number: the top level for 0 and for numbers not met yet.
    size_t Node(int16_t group) const {
        if (group == 0) return 0;
        const auto found = m_groups.find(group);
        return found == m_groups.end() ? 0 : found->second;
    }

    size_t Add(size_t parent, CMenuItem item) {
        m_nodes.push_back({std::move(item), {}, m_nodes[parent].depth + 1});
        m_nodes[parent].children.push_back(m_nodes.size() - 1);
        return m_nodes.size() - 1;
    }

    // A popup without entries becomes a separator, as the menu editor stores one.
    std::vector<CMenuItem> Children(size_t node) const {
        std::vector<CMenuItem> items;
        for (size_t child : m_nodes[node].children) {
            CMenuItem item = m_nodes[child].item;
            if (item.kind == CMenuItem::Kind::Popup) {
                item.children = Children(child);
                if (item.children.empty()) item = CMenuItem::Separator();
            }
            items.push_back(std::move(item));
        }
        return items;
    }

    std::vector<CTreeNode> m_nodes;
    std::map<int16_t, size_t> m_groups;
};

}  // namespace

std::vector<CMenuItem> OldMenuTree(const std::vector<COldMenuGroup>& groups,
                                   const std::vector<COldRecord>& records,
                                   const std::vector<std::string>& names) {
    CTreeBuilder tree;
    for (const COldMenuGroup& group : groups)
        tree.AddGroup(group);
    for (size_t id = 0; id < names.size(); ++id)
        tree.AddElement(id == 0 || id > records.size() ? 0 : records[id - 1].menuGroup, id,
                        names[id]);
    return tree.Items();
}

std::vector<CMenuItem> FlatMenuTree(const std::vector<std::string>& names) {
    std::vector<CMenuItem> items;
    for (size_t id = 0; id < names.size(); ++id)
        items.push_back(CMenuItem::Element(static_cast<int16_t>(id), names[id]));
    return items;
}

}  // namespace kestro
