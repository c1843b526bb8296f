#pragma once

#include <vector>

class CDirNodeList;
struct CDirNode;

// The two trees of a directory comparison as one: every entry of either tree,
// a pair as one entry, in the order a tree of both would list them. At each
// level folders come before files and names are in order with letter case
// folded, then in byte order; each folder is followed at once by its content.
// The report prints this order and the directory panes show it, so both say
// the same thing in the same order.
class CDirComposite
{
public:
    // The orders a listing can be sorted in; the numbers are the stored
    // setting's values.
    enum Sort : int
    {
        ByName = 0,
        ByStatus = 1,
    };

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

    // The order of two entries of one listing: folders before files; by
    // status (the order of DirNodeStatus) when sorted so; then by name with
    // letter case folded, then byte for byte; and of two equal names, the
    // first tree's before the second's. Negative when a goes first, 0 for the
    // same entry.
    static int Compare(const ENTRY& a, const ENTRY& b, int sort = ByName);
    static bool ListedBefore(const ENTRY& a, const ENTRY& b, int sort = ByName)
    {
        return Compare(a, b, sort) < 0;
    }

private:
    std::vector<ENTRY> entries_;
};
