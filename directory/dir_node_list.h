#pragma once

#include "directory/dir_node.h"
#include "directory/folder_opener.h"
#include "directory/name_filter.h"

#include <memory>
#include <string>
#include <vector>

// The nodes of one scanned directory tree in depth-first pre-order: inside each
// folder first its files, then each sub-folder followed at once by its whole
// content; entries of one folder in name order (letter case folded, then byte
// order).
class CDirNodeList
{
public:
    CDirNodeList() = default;
    CDirNodeList(const CDirNodeList&) = delete;
    CDirNodeList& operator=(const CDirNodeList&) = delete;
    CDirNodeList(CDirNodeList&&) = default;
    CDirNodeList& operator=(CDirNodeList&&) = default;

    // Empties the list and scans the tree at rootPath (CDirScan). False only
    // when the root itself cannot be read; rootError then says why. Every node
    // starts Old in the first list and New in the second; a sub-folder or file
    // that cannot be read is kept with its error.
    // Entries the filter excludes are left out, and excluded folders are
    // never entered.
    bool Scan(const std::string& rootPath, bool isFirst,
              const CFolderOpener& opener = CFolderOpener::System(),
              const CNameFilter& filter = CNameFilter());
    // The node with this name, letter case folded; an exact match wins.
    CDirNode* FindByName(const std::string& name) const;
    void RemoveAllNodes();
    // Appends a node named entryName inside parent (none: in the root), with
    // the status of a scanned node of this list.
    CDirNode* AddNode(const std::string& entryName, bool isFile, CDirNode* parent);

    int GetCount() const { return static_cast<int>(nodes_.size()); }
    CDirNode* At(int index) const { return nodes_[static_cast<std::size_t>(index)].get(); }
    const std::vector<std::unique_ptr<CDirNode>>& Nodes() const { return nodes_; }
    // The path of a node on disk: the root path, "/", the node's name.
    std::string FullPath(const CDirNode& node) const;
    // Opens the folder that holds node, one folder at a time from the root, so
    // that it is reached however long its whole path is. The descriptor, or
    // -1 with errno set.
    int OpenFolderOf(const CDirNode& node) const;

    std::string rootPath;
    bool isFirst = true;
    // Why the root could not be read (an errno value); 0 after a scan that
    // could read it.
    int rootError = 0;

    // Names compared with the ASCII letters folded, all other bytes as they
    // are, which is safe for UTF-8.
    static int CompareFolded(const std::string& a, const std::string& b);
    static std::string Folded(const std::string& name);

private:
    std::vector<std::unique_ptr<CDirNode>> nodes_;
};
