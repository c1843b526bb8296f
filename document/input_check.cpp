#include "document/input_check.h"

#include <sys/stat.h>

// The first path is looked at first, so when both are missing the message
// names the first one, as the comparison would.
CInputCheck CInputCheck::Check(const std::string& firstPath, const std::string& secondPath)
{
    struct stat first = {};
    struct stat second = {};
    if (::stat(firstPath.c_str(), &first) != 0)
        return {Unusable, FailedToRead(firstPath)};
    if (::stat(secondPath.c_str(), &second) != 0)
        return {Unusable, FailedToRead(secondPath)};
    const bool firstIsDirectory = S_ISDIR(first.st_mode);
    if (firstIsDirectory != S_ISDIR(second.st_mode)) {
        const std::string& file = firstIsDirectory ? secondPath : firstPath;
        const std::string& directory = firstIsDirectory ? firstPath : secondPath;
        return {Unusable, "Cannot compare a file to a directory!",
                file + " is a file, " + directory + " is a directory"};
    }
    return {firstIsDirectory ? Directories : Files, {}};
}

std::string CInputCheck::FailedToRead(const std::string& path)
{
    return "Failed to read " + path + "!";
}
