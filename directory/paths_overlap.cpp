#include "directory/paths_overlap.h"

#include <filesystem>

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

} // namespace

bool DirectoriesOverlap(const std::string& first, const std::string& second)
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
