#pragma once

#include "directory/dir_node.h"

#include <cstdint>
#include <optional>
#include <string>
#include <sys/types.h>
#include <unordered_set>
#include <vector>

class CDirNodeList;
class CFolderOpener;
class CNameFilter;

// One scan of a tree into its node list. Folders are read through open
// descriptors (openat, fstatat), one level at a time from an explicit stack,
// so neither the length of a path nor the depth of the tree limits it.
//
// Links are followed, but each folder is entered once per scan: a folder met
// again (the same device and inode, through a link or a bind mount, wherever
// it was met before) is listed and not entered again, and a pseudo file
// system (proc, sys, dev) reached through a link is listed and not entered.
// Special files are never opened: the scan notes their kind, a device's
// number and a dangling link's target.
class CDirScan
{
public:
    CDirScan(CDirNodeList& list, const CFolderOpener& opener, const CNameFilter& filter);
    ~CDirScan();
    CDirScan(const CDirScan&) = delete;
    CDirScan& operator=(const CDirScan&) = delete;

    // Fills the list from its root path. Returns 0, or the errno of the
    // failure to read the root itself.
    int Run();

private:
    struct ENTRY
    {
        std::string name;
        bool isFolder = false;
        // Reached through a symbolic link.
        bool viaLink = false;
        DirFileKind kind = DirFileKind::Regular;
        std::uint64_t device = 0;
        std::string linkTarget;
        int error = 0;
    };

    struct FOLDER_ID
    {
        dev_t device;
        ino_t inode;
        bool operator==(const FOLDER_ID&) const = default;
    };
    struct FOLDER_ID_HASH
    {
        std::size_t operator()(const FOLDER_ID& id) const;
    };

    // A folder being scanned: its sub-folders are entered one after the
    // other, each followed at once by its content.
    struct LEVEL
    {
        int fd = -1; // closed (-1) to save descriptors; opened again when needed
        CDirNode* folder = nullptr;
        std::string name; // its entry name in the level above
        FOLDER_ID id{};
        bool throughLink = false;
        std::vector<ENTRY> subFolders;
        std::size_t next = 0;
    };

    int ReadEntries(int fd, std::vector<ENTRY>& entries);
    void Classify(int fd, ENTRY& entry, unsigned char type) const;
    void AddFiles(std::vector<ENTRY>& entries, CDirNode* parent, LEVEL& level);
    void EnterNext();
    int FolderDescriptor(std::size_t level);
    void SaveDescriptors();
    bool IsPseudoFileSystem(int fd, const struct stat& folder) const;

    CDirNodeList& list_;
    const CFolderOpener& opener_;
    const CNameFilter& filter_;
    std::vector<LEVEL> stack_;
    std::unordered_set<FOLDER_ID, FOLDER_ID_HASH> entered_;
    // The device of /dev when it is a file system of its own (devtmpfs).
    std::optional<dev_t> devDevice_;
    std::vector<char> buffer_;
};
