#include "directory/dir_node_list.h"

#include "directory/dir_scan.h"
#include "document/path_names.h"

#include <algorithm>
#include <fcntl.h>
#include <string_view>
#include <unistd.h>

namespace {

// Letters fold to lower case, so that "_" and the other marks between the
// two alphabets sort before the letters, as file managers list them.
unsigned char FoldByte(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOCTTY;

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

bool CDirNodeList::Scan(const std::string& root, bool first, const CFolderOpener& opener,
                        const CNameFilter& filter)
{
    RemoveAllNodes();
    rootPath = root;
    isFirst = first;
    rootError = CDirScan(*this, opener, filter).Run();
    return rootError == 0;
}

CDirNode* CDirNodeList::AddNode(const std::string& entryName, bool isFile, CDirNode* parent)
{
    auto node = std::make_unique<CDirNode>();
    if (parent) {
        node->name.reserve(parent->name.size() + 1 + entryName.size());
        node->name.append(parent->name).append(1, '/').append(entryName);
    } else {
        node->name = entryName;
    }
    node->isFile = isFile;
    node->status = isFirst ? DirNodeStatus::Old : DirNodeStatus::New;
    node->parent = parent;
    nodes_.push_back(std::move(node));
    return nodes_.back().get();
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
    rootError = 0;
}

std::string CDirNodeList::FullPath(const CDirNode& node) const
{
    return CPathNames::JoinPath(rootPath, node.name);
}

int CDirNodeList::OpenFolderOf(const CDirNode& node) const
{
    int fd = ::open(rootPath.c_str(), kFolderFlags);
    if (!node.parent)
        return fd;
    const std::string_view path = node.parent->name;
    std::size_t start = 0;
    while (fd >= 0 && start <= path.size()) {
        const std::size_t slash = std::min(path.find('/', start), path.size());
        const std::string component(path.substr(start, slash - start));
        const int next = ::openat(fd, component.c_str(), kFolderFlags);
        ::close(fd);
        fd = next;
        start = slash + 1;
    }
    return fd;
}
