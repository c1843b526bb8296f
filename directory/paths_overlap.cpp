#include "directory/paths_overlap.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// The path with links and ".." resolved as far as it exists.
std::string Canonical(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
    if (error)
        return std::filesystem::absolute(path, error).lexically_normal().string();
    return resolved.string();
}

// inner lies in outer: outer followed by "/" and more.
bool LiesInside(const std::string& inner, const std::string& outer)
{
    if (inner.size() <= outer.size() || inner.compare(0, outer.size(), outer) != 0)
        return false;
    return outer.back() == '/' || inner[outer.size()] == '/';
}

bool PathTextsOverlap(const std::string& first, const std::string& second)
{
    std::string a = Canonical(first);
    std::string b = Canonical(second);
    // weakly_canonical keeps a trailing separator of the input; drop it except
    // for the root itself, so that /tmp/a/ and /tmp/a compare equal.
    for (std::string* p : {&a, &b}) {
        while (p->size() > 1 && p->back() == '/')
            p->pop_back();
    }
    return a == b || LiesInside(a, b) || LiesInside(b, a);
}

struct FOLDER_ID
{
    dev_t device;
    ino_t inode;
    bool operator==(const FOLDER_ID&) const = default;
};

// The folder at path and every folder above it up to the root, as ".." leads
// from it: the way the file system itself nests them, whatever the texts of
// the paths. Empty when the folder cannot be opened.
std::vector<FOLDER_ID> FoldersUpward(const std::string& path)
{
    constexpr int kFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOCTTY;
    std::vector<FOLDER_ID> folders;
    int fd = ::open(path.c_str(), kFlags);
    while (fd >= 0) {
        struct stat st = {};
        if (::fstat(fd, &st) != 0)
            break;
        const FOLDER_ID id{st.st_dev, st.st_ino};
        // The root is its own "..".
        if (!folders.empty() && folders.back() == id)
            break;
        folders.push_back(id);
        const int up = ::openat(fd, "..", kFlags);
        ::close(fd);
        fd = up;
    }
    if (fd >= 0)
        ::close(fd);
    return folders;
}

// One folder reached by two paths that no text shows to be one, through a
// bind mount: it has one device and inode wherever it is mounted.
bool FoldersOverlap(const std::string& first, const std::string& second)
{
    const std::vector<FOLDER_ID> a = FoldersUpward(first);
    const std::vector<FOLDER_ID> b = FoldersUpward(second);
    if (a.empty() || b.empty())
        return false;
    return std::find(a.begin(), a.end(), b.front()) != a.end() ||
           std::find(b.begin(), b.end(), a.front()) != b.end();
}

} // namespace

bool DirectoriesOverlap(const std::string& first, const std::string& second)
{
    return PathTextsOverlap(first, second) || FoldersOverlap(first, second);
}
