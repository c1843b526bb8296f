#include "directory/dir_scan.h"

#include "directory/dir_node_list.h"
#include "directory/folder_opener.h"
#include "directory/name_filter.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace {

// Descriptors kept open along the path being scanned, besides the root's. A
// deeper tree closes the ones further up and opens them again on the way
// back, so that any depth fits in the process's allowance of descriptors.
constexpr std::size_t kOpenLevels = 32;

// getdents64 fills this many bytes at a time: a few hundred entries.
constexpr std::size_t kEntryBufferSize = 32768;

// What a link can point at that is not there: a missing target, a piece of
// its path that is not a folder, or links that lead round in a circle.
bool LeadsNowhere(int error)
{
    return error == ENOENT || error == ENOTDIR || error == ELOOP;
}

void Close(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

std::string ReadLinkTarget(int folder, const char* name)
{
    std::string target(256, '\0');
    for (;;) {
        const ssize_t length = ::readlinkat(folder, name, target.data(), target.size());
        if (length < 0)
            return {};
        if (static_cast<std::size_t>(length) < target.size()) {
            target.resize(static_cast<std::size_t>(length));
            return target;
        }
        target.resize(target.size() * 2);
    }
}

} // namespace

std::size_t CDirScan::FOLDER_ID_HASH::operator()(const FOLDER_ID& id) const
{
    return std::hash<std::uint64_t>()(static_cast<std::uint64_t>(id.inode) * 0x9E3779B97F4A7C15ULL ^
                                      static_cast<std::uint64_t>(id.device));
}

CDirScan::CDirScan(CDirNodeList& list, const CFolderOpener& opener, const CNameFilter& filter)
    : list_(list), opener_(opener), filter_(filter), buffer_(kEntryBufferSize)
{
    struct stat dev = {};
    struct stat root = {};
    if (::stat("/dev", &dev) == 0 && ::stat("/", &root) == 0 && dev.st_dev != root.st_dev)
        devDevice_ = dev.st_dev;
}

CDirScan::~CDirScan()
{
    for (LEVEL& level : stack_)
        Close(level.fd);
}

int CDirScan::Run()
{
    LEVEL root;
    root.fd = opener_.Open(AT_FDCWD, list_.rootPath.c_str());
    if (root.fd < 0)
        return errno;
    stack_.push_back(std::move(root));
    LEVEL& level = stack_.back();
    struct stat st = {};
    if (::fstat(level.fd, &st) != 0)
        return errno;
    level.id = FOLDER_ID{st.st_dev, st.st_ino};
    entered_.insert(level.id);
    std::vector<ENTRY> entries;
    if (const int error = ReadEntries(level.fd, entries))
        return error;
    AddFiles(entries, nullptr, level);
    while (!stack_.empty())
        EnterNext();
    return 0;
}

// The entries of one folder, without "." and "..", in name order, each with
// its kind (links followed).
int CDirScan::ReadEntries(int fd, std::vector<ENTRY>& entries)
{
    for (;;) {
        const ssize_t got = ::getdents64(fd, buffer_.data(), buffer_.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return errno;
        if (got == 0)
            break;
        for (ssize_t at = 0; at < got;) {
            const auto* entry = reinterpret_cast<const dirent64*>(buffer_.data() + at);
            at += entry->d_reclen;
            const char* name = entry->d_name;
            if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
                continue;
            ENTRY found;
            found.name = name;
            Classify(fd, found, entry->d_type);
            if (!filter_.IsEmpty() && filter_.Excludes(name, found.isFolder))
                continue;
            entries.push_back(std::move(found));
        }
    }
    std::sort(entries.begin(), entries.end(), [](const ENTRY& a, const ENTRY& b) {
        const int folded = CDirNodeList::CompareFolded(a.name, b.name);
        return folded != 0 ? folded < 0 : a.name < b.name;
    });
    return 0;
}

// The type usually comes with the entry; a link (which is followed), a device
// (whose number is wanted) and an entry of a file system that does not say
// need a look at the entry itself.
void CDirScan::Classify(int fd, ENTRY& entry, unsigned char type) const
{
    switch (type) {
    case DT_DIR:
        entry.isFolder = true;
        return;
    case DT_REG:
        return;
    case DT_FIFO:
        entry.kind = DirFileKind::Fifo;
        return;
    case DT_SOCK:
        entry.kind = DirFileKind::Socket;
        return;
    default:
        break;
    }
    const char* name = entry.name.c_str();
    struct stat st = {};
    if (type != DT_LNK && ::fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
        entry.error = errno;
        return;
    }
    if (type == DT_LNK || S_ISLNK(st.st_mode)) {
        entry.viaLink = true;
        if (::fstatat(fd, name, &st, 0) != 0) {
            if (!LeadsNowhere(errno)) {
                entry.error = errno;
                return;
            }
            entry.kind = DirFileKind::DanglingLink;
            entry.linkTarget = ReadLinkTarget(fd, name);
            return;
        }
    }
    if (S_ISDIR(st.st_mode)) {
        entry.isFolder = true;
    } else if (S_ISFIFO(st.st_mode)) {
        entry.kind = DirFileKind::Fifo;
    } else if (S_ISSOCK(st.st_mode)) {
        entry.kind = DirFileKind::Socket;
    } else if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) {
        entry.kind = S_ISCHR(st.st_mode) ? DirFileKind::CharDevice : DirFileKind::BlockDevice;
        entry.device = static_cast<std::uint64_t>(st.st_rdev);
    }
}

// The files of a folder become nodes at once; its sub-folders wait in the
// level until they are entered.
void CDirScan::AddFiles(std::vector<ENTRY>& entries, CDirNode* parent, LEVEL& level)
{
    for (ENTRY& entry : entries) {
        if (entry.isFolder) {
            level.subFolders.push_back(std::move(entry));
            continue;
        }
        CDirNode* node = list_.AddNode(entry.name, true, parent);
        node->kind = entry.kind;
        node->device = entry.device;
        node->linkTarget = std::move(entry.linkTarget);
        node->error = entry.error;
    }
}

// Lists the next sub-folder of the deepest level and enters it, or leaves
// that level when it has none left.
void CDirScan::EnterNext()
{
    const std::size_t depth = stack_.size() - 1;
    LEVEL& top = stack_.back();
    if (top.next == top.subFolders.size()) {
        Close(top.fd);
        stack_.pop_back();
        return;
    }
    const ENTRY& entry = top.subFolders[top.next++];
    CDirNode* node = list_.AddNode(entry.name, false, top.folder);
    const bool throughLink = top.throughLink || entry.viaLink;
    const int parentFd = FolderDescriptor(depth);
    if (parentFd < 0) {
        node->error = errno;
        return;
    }
    LEVEL level;
    level.fd = opener_.Open(parentFd, entry.name.c_str());
    if (level.fd < 0) {
        node->error = errno;
        return;
    }
    struct stat st = {};
    if (::fstat(level.fd, &st) != 0) {
        node->error = errno;
        Close(level.fd);
        return;
    }
    level.id = FOLDER_ID{st.st_dev, st.st_ino};
    // Listed, but not entered: a folder already entered in this scan (which
    // would lead round in circles, or along every path of links that reaches
    // it), and the kernel's own file systems, whose content is endless or
    // changes while it is read.
    if ((throughLink && IsPseudoFileSystem(level.fd, st)) || !entered_.insert(level.id).second) {
        Close(level.fd);
        return;
    }
    std::vector<ENTRY> entries;
    if (const int error = ReadEntries(level.fd, entries)) {
        node->error = error;
        Close(level.fd);
        return;
    }
    level.folder = node;
    level.name = entry.name;
    level.throughLink = throughLink;
    AddFiles(entries, node, level);
    stack_.push_back(std::move(level));
    SaveDescriptors();
}

// The open folder at this depth, opened again from the nearest open one above
// it when it was closed to save descriptors. The folder opened again must be
// the one that was scanned; one renamed or replaced meanwhile is refused.
int CDirScan::FolderDescriptor(std::size_t depth)
{
    if (stack_[depth].fd >= 0)
        return stack_[depth].fd;
    std::size_t open = depth;
    while (stack_[open].fd < 0)
        --open;
    int fd = stack_[open].fd;
    for (std::size_t at = open + 1; at <= depth; ++at) {
        const int next = opener_.Open(fd, stack_[at].name.c_str());
        const int error = errno;
        if (at > open + 1)
            ::close(fd);
        fd = next;
        if (fd < 0) {
            errno = error;
            return -1;
        }
        struct stat st = {};
        if (::fstat(fd, &st) != 0 || FOLDER_ID{st.st_dev, st.st_ino} != stack_[at].id) {
            ::close(fd);
            errno = ESTALE;
            return -1;
        }
    }
    stack_[depth].fd = fd;
    return fd;
}

// Keeps the root's descriptor and those of the deepest levels open.
void CDirScan::SaveDescriptors()
{
    if (stack_.size() > kOpenLevels + 1)
        Close(stack_[stack_.size() - 1 - kOpenLevels].fd);
}

bool CDirScan::IsPseudoFileSystem(int fd, const struct stat& folder) const
{
    struct statfs fs = {};
    if (::fstatfs(fd, &fs) == 0) {
        switch (fs.f_type) {
        case PROC_SUPER_MAGIC:
        case SYSFS_MAGIC:
        case DEVPTS_SUPER_MAGIC:
        case CGROUP_SUPER_MAGIC:
        case CGROUP2_SUPER_MAGIC:
        case DEBUGFS_MAGIC:
        case TRACEFS_MAGIC:
        case SECURITYFS_MAGIC:
        case BPF_FS_MAGIC:
        case PSTOREFS_MAGIC:
            return true;
        default:
            break;
        }
    }
    // devtmpfs reports itself as tmpfs, so /dev is told by its device.
    return devDevice_ && folder.st_dev == *devDevice_;
}
