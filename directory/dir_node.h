#pragma once

#include <string>

// The state of a scanned file or folder once the two trees are compared. The
// numbers order the sort by status and key the icon tables.
enum class DirNodeStatus : int
{
    Old = 0,      // only in the first tree (or not paired)
    New = 1,      // only in the second tree (or not paired)
    Modified = 2, // paired, and the contents differ, or something below differs
    Normal = 3,   // paired and identical
};

// One file or folder found by a scan, owned by the list that holds it.
struct CDirNode
{
    // Path relative to the scanned root, "/"-separated, without a leading "/".
    std::string name;
    bool isFile = true;
    // A regular file, or a link to one, when it was scanned: the only kind
    // of file whose content is ever read.
    bool isRegular = false;
    DirNodeStatus status = DirNodeStatus::Old;
    // The node of the other tree this one is paired with; not owned.
    CDirNode* counterpart = nullptr;
    // The node of the enclosing folder in the same tree; none in the root.
    CDirNode* parent = nullptr;
};
