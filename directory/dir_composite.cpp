#include "directory/dir_composite.h"

#include "directory/dir_node_list.h"
#include "document/path_names.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

CDirComposite::CDirComposite(const CDirNodeList& first, const CDirNodeList& second)
{
    // The entries as the lists give them, each with the entry of its folder
    // (-1 in the root). A node's folder always comes before it in its list,
    // and the first list is read before the second, so the folder's entry is
    // known by the time it is needed.
    std::vector<ENTRY> found;
    std::vector<int> folderOf;
    std::unordered_map<const CDirNode*, int> entryOf;
    const std::size_t total = first.Nodes().size() + second.Nodes().size();
    found.reserve(total);
    folderOf.reserve(total);
    entryOf.reserve(total);
    auto add = [&](const ENTRY& entry) {
        const int index = static_cast<int>(found.size());
        const CDirNode* parent = entry.Node().parent;
        const auto folder = parent ? entryOf.find(parent) : entryOf.end();
        found.push_back(entry);
        folderOf.push_back(folder == entryOf.end() ? -1 : folder->second);
        for (const CDirNode* node : {entry.first, entry.second}) {
            if (node)
                entryOf.emplace(node, index);
        }
    };
    for (const auto& node : first.Nodes())
        add(ENTRY{node.get(), node->counterpart});
    for (const auto& node : second.Nodes()) {
        if (!entryOf.contains(node.get()))
            add(ENTRY{nullptr, node.get()});
    }

    // The content of every folder, the root's last, each in listing order.
    const int count = static_cast<int>(found.size());
    std::vector<std::vector<int>> content(static_cast<std::size_t>(count) + 1);
    for (int index = 0; index < count; ++index) {
        const int folder = folderOf[static_cast<std::size_t>(index)];
        content[static_cast<std::size_t>(folder < 0 ? count : folder)].push_back(index);
    }
    for (std::vector<int>& entries : content) {
        std::sort(entries.begin(), entries.end(), [&found](int a, int b) {
            return ListedBefore(found[static_cast<std::size_t>(a)],
                                found[static_cast<std::size_t>(b)], ByName);
        });
    }

    // Depth first from the root; the stack holds what is still to be listed,
    // the next entry on top.
    entries_.reserve(found.size());
    std::vector<int> pending(content.back().rbegin(), content.back().rend());
    while (!pending.empty()) {
        const int index = pending.back();
        pending.pop_back();
        entries_.push_back(found[static_cast<std::size_t>(index)]);
        const std::vector<int>& inside = content[static_cast<std::size_t>(index)];
        pending.insert(pending.end(), inside.rbegin(), inside.rend());
    }
}

// Entries of one folder share the path before their own names (letter case
// folded), so comparing whole names folded compares their own names; a flat
// list of files from many folders is then in the order of its whole paths.
int CDirComposite::Compare(const ENTRY& a, const ENTRY& b, int sort)
{
    const CDirNode& x = a.Node();
    const CDirNode& y = b.Node();
    if (x.isFile != y.isFile)
        return x.isFile ? 1 : -1;
    if (sort == ByStatus && x.status != y.status)
        return static_cast<int>(x.status) < static_cast<int>(y.status) ? -1 : 1;
    if (const int folded = CDirNodeList::CompareFolded(x.name, y.name); folded != 0)
        return folded;
    if (const int bytes = CPathNames::Leaf(x.name).compare(CPathNames::Leaf(y.name)); bytes != 0)
        return bytes < 0 ? -1 : 1;
    // Equal names of one kind unpaired on both sides: the first tree's first.
    if ((a.first != nullptr) != (b.first != nullptr))
        return a.first ? -1 : 1;
    return 0;
}
