#pragma once

#include "directory/dir_node.h"

#include <memory>
#include <string>
#include <sys/types.h>
#include <utility>
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

    // Empties the list and scans the tree at rootPath. False only when the
    // root itself cannot be read. Every node starts Old in the first list and
    // New in the second.
    bool Scan(const std::string& rootPath, bool isFirst);
    // Adds the entries of one folder and, recursively, of its sub-folders. A
    // sub-folder that cannot be read simply has no content. False when the
    // folder cannot be read.
    bool ScanFolder(const std::string& folderPath, CDirNode* parent);
    // The node with this name, letter case folded; an exact match wins.
    CDirNode* FindByName(const std::string& name) const;
    void RemoveAllNodes();

    int GetCount() const { return static_cast<int>(nodes_.size()); }
    CDirNode* At(int index) const { return nodes_[static_cast<std::size_t>(index)].get(); }
    const std::vector<std::unique_ptr<CDirNode>>& Nodes() const { return nodes_; }
    // The path of a node on disk: the root path, "/", the node's name.
    std::string FullPath(const CDirNode& node) const;

    std::string rootPath;
    bool isFirst = true;

    // Names compared with the ASCII letters folded, all other bytes as they
    // are, which is safe for UTF-8.
    static int CompareFolded(const std::string& a, const std::string& b);
    static std::string Folded(const std::string& name);

private:
    struct FolderId
    {
        dev_t device;
        ino_t inode;
        bool operator==(const FolderId&) const = default;
    };

    void AddNode(const std::string& name, bool isFile, CDirNode* parent);

    std::vector<std::unique_ptr<CDirNode>> nodes_;
    // The folders on the path being scanned, so that a link back to one of
    // them is listed but not entered again.
    std::vector<FolderId> openFolders_;
};
