#pragma once

#include <vector>

class CDirNodeList;
struct CDirNode;

// The two trees of a directory comparison as one: every entry of either tree,
// a pair as one entry, in the order a tree of both would list them. At each
// level folders come before files and names are in order with letter case
// folded, then in byte order; each folder is followed at once by its content.
class CDirComposite
{
public:
    // A pair, or a node found in one tree only.
    struct ENTRY
    {
        const CDirNode* first = nullptr;
        const CDirNode* second = nullptr;

        // The node that names the entry: the first tree's when it has one.
        const CDirNode& Node() const { return first ? *first : *second; }
    };

    CDirComposite(const CDirNodeList& first, const CDirNodeList& second);

    const std::vector<ENTRY>& Entries() const { return entries_; }

private:
    static bool ListedBefore(const ENTRY& a, const ENTRY& b);

    std::vector<ENTRY> entries_;
};
