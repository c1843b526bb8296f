#pragma once

#include <cstdint>
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

// What a scanned file is, once links are followed. Only a regular file is
// ever opened: opening a FIFO can wait for a writer forever and reading a
// device can never end, so the others are compared by what the scan saw.
enum class DirFileKind : std::uint8_t
{
    Regular,
    Fifo,
    Socket,
    CharDevice,
    BlockDevice,
    // A link that leads nowhere (its target is missing, or links lead round
    // in a circle); compared by the target text it holds.
    DanglingLink,
};

// One file or folder found by a scan, owned by the list that holds it.
struct CDirNode
{
    // Path relative to the scanned root, "/"-separated, without a leading "/".
    std::string name;
    // The target of a dangling link; empty for every other node.
    std::string linkTarget;
    // The device number of a device node; 0 for every other node.
    std::uint64_t device = 0;
    // Why this entry could not be read, as an errno value: a folder that could
    // not be listed, a file whose link could not be followed or whose content
    // could not be read. 0 when it was read. An unreadable entry is kept in
    // its tree and never counts as identical to anything.
    int error = 0;
    bool isFile = true;
    DirFileKind kind = DirFileKind::Regular;
    DirNodeStatus status = DirNodeStatus::Old;
    // The node of the other tree this one is paired with; not owned.
    CDirNode* counterpart = nullptr;
    // The node of the enclosing folder in the same tree; none in the root.
    CDirNode* parent = nullptr;
};
