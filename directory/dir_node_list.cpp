#include "directory/dir_node_list.h"

#include "document/path_names.h"

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

// Letters fold to lower case, so that "_" and the other marks between the
// two alphabets sort before the letters, as file managers list them.
unsigned char FoldByte(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

struct Entry
{
    std::string name;
    bool isFolder;
    bool isRegular;
};

// The entries of one folder, without "." and "..", in name order. An entry
// counts as a folder when it is one or is a link to one; a link that leads
// nowhere is listed as a file.
bool ReadFolder(const std::string& path, std::vector<Entry>& entries)
{
    DIR* dir = ::opendir(path.c_str());
    if (!dir)
        return false;
    const int fd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0)
            continue;
        // The entry's type usually comes with it; only links (which are
        // followed) and file systems that do not say need a look at the target.
        bool isFolder = entry->d_type == DT_DIR;
        bool isRegular = entry->d_type == DT_REG;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat st = {};
            const bool found = ::fstatat(fd, name, &st, 0) == 0;
            isFolder = found && S_ISDIR(st.st_mode);
            isRegular = found && S_ISREG(st.st_mode);
        }
        entries.push_back(Entry{name, isFolder, isRegular});
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        const int folded = CDirNodeList::CompareFolded(a.name, b.name);
        return folded != 0 ? folded < 0 : a.name < b.name;
    });
    return true;
}

} // namespace

int CDirNodeList::CompareFolded(const std::string& a, const std::string& b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = FoldByte(static_cast<unsigned char>(a[i]));
        const unsigned char y = FoldByte(static_cast<unsigned char>(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::string CDirNodeList::Folded(const std::string& name)
{
    std::string folded = name;
    for (char& c : folded)
        c = static_cast<char>(FoldByte(static_cast<unsigned char>(c)));
    return folded;
}

bool CDirNodeList::Scan(const std::string& root, bool first)
{
    RemoveAllNodes();
    rootPath = root;
    isFirst = first;
    openFolders_.clear();
    return ScanFolder(rootPath, nullptr);
}

bool CDirNodeList::ScanFolder(const std::string& folderPath, CDirNode* parent)
{
    struct stat st
    {
    };
    if (::stat(folderPath.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    std::vector<Entry> entries;
    if (!ReadFolder(folderPath, entries))
        return false;
    openFolders_.push_back(FolderId{st.st_dev, st.st_ino});

    for (const Entry& entry : entries) {
        if (!entry.isFolder) {
            AddNode(entry.name, true, parent);
            nodes_.back()->isRegular = entry.isRegular;
        }
    }
    for (const Entry& entry : entries) {
        if (!entry.isFolder)
            continue;
        AddNode(entry.name, false, parent);
        CDirNode* folder = nodes_.back().get();
        const std::string path = CPathNames::JoinPath(folderPath, entry.name);
        struct stat sub
        {
        };
        if (::stat(path.c_str(), &sub) != 0)
            continue;
        // A link back to a folder on the current path would lead round in
        // circles: list it, but do not enter it again.
        const FolderId id{sub.st_dev, sub.st_ino};
        if (std::find(openFolders_.begin(), openFolders_.end(), id) != openFolders_.end())
            continue;
        ScanFolder(path, folder);
    }

    openFolders_.pop_back();
    return true;
}

void CDirNodeList::AddNode(const std::string& entryName, bool isFile, CDirNode* parent)
{
    auto node = std::make_unique<CDirNode>();
    node->name = parent ? parent->name + "/" + entryName : entryName;
    node->isFile = isFile;
    node->status = isFirst ? DirNodeStatus::Old : DirNodeStatus::New;
    node->parent = parent;
    nodes_.push_back(std::move(node));
}

CDirNode* CDirNodeList::FindByName(const std::string& name) const
{
    CDirNode* folded = nullptr;
    for (const auto& node : nodes_) {
        if (node->name == name)
            return node.get();
        if (!folded && CompareFolded(node->name, name) == 0)
            folded = node.get();
    }
    return folded;
}

void CDirNodeList::RemoveAllNodes()
{
    nodes_.clear();
}

std::string CDirNodeList::FullPath(const CDirNode& node) const
{
    return CPathNames::JoinPath(rootPath, node.name);
}
