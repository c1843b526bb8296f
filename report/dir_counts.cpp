#include "report/dir_counts.h"

#include "directory/dir_node_list.h"

// A paired node has the same status as its counterpart, so the first tree
// counts the pairs and the second adds only what it holds alone.
CDirCounts::CDirCounts(const CDirNodeList& first, const CDirNodeList& second)
{
    for (const auto& node : first.Nodes()) {
        switch (node->status) {
        case DirNodeStatus::Old:
            ++removed;
            break;
        case DirNodeStatus::Modified:
            ++modified;
            break;
        case DirNodeStatus::Normal:
            ++identical;
            break;
        case DirNodeStatus::New:
            break;
        }
    }
    for (const auto& node : second.Nodes()) {
        if (node->status == DirNodeStatus::New)
            ++added;
    }
}

std::string CDirCounts::Sentence() const
{
    std::string text = std::to_string(identical);
    text += " identical, ";
    text += std::to_string(modified);
    text += " modified, ";
    text += std::to_string(removed);
    text += " removed, ";
    text += std::to_string(added);
    text += " added entries";
    return text;
}
