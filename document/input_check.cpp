#include "document/input_check.h"

#include "document/input_reader.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Standard input is looked at through its descriptor; any other name through
// the file system.
bool LookAt(const std::string& path, struct stat& status)
{
    if (path == CInputReader::kStandardInput)
        return ::fstat(STDIN_FILENO, &status) == 0;
    return ::stat(path.c_str(), &status) == 0;
}

std::string NameIn(const std::string& folder, const std::string& file)
{
    const std::size_t slash = file.rfind('/');
    const std::string name = slash == std::string::npos ? file : file.substr(slash + 1);
    if (!folder.empty() && folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

} // namespace

// The first path is looked at first, so when both are missing the message
// names the first one, as the comparison would.
CInputCheck CInputCheck::Check(const std::string& firstPath, const std::string& secondPath)
{
    if (firstPath == CInputReader::kStandardInput && secondPath == CInputReader::kStandardInput)
        return Refused("Standard input (-) can be only one of the two inputs!");
    struct stat first = {};
    struct stat second = {};
    if (!LookAt(firstPath, first))
        return Refused(FailedToRead(firstPath), std::strerror(errno));
    if (!LookAt(secondPath, second))
        return Refused(FailedToRead(secondPath), std::strerror(errno));
    const bool firstIsDirectory = S_ISDIR(first.st_mode);
    const bool secondIsDirectory = S_ISDIR(second.st_mode);
    if (firstIsDirectory == secondIsDirectory)
        return Usable(firstIsDirectory ? Directories : Files, firstPath, secondPath);

    // A file and a folder: the file is compared with the file of the same
    // name in the folder. Standard input has no name to look for.
    const std::string& file = firstIsDirectory ? secondPath : firstPath;
    const std::string& folder = firstIsDirectory ? firstPath : secondPath;
    if (file == CInputReader::kStandardInput)
        return Refused("Cannot compare a file to a directory!",
                       "standard input has no name to look for in " + folder);
    const std::string inFolder = NameIn(folder, file);
    struct stat partner = {};
    if (::stat(inFolder.c_str(), &partner) != 0)
        return Refused(FailedToRead(inFolder), std::strerror(errno));
    if (S_ISDIR(partner.st_mode))
        return Refused("Cannot compare a file to a directory!", inFolder + " is a directory");
    return firstIsDirectory ? Usable(Files, inFolder, secondPath)
                            : Usable(Files, firstPath, inFolder);
}

CInputCheck CInputCheck::Refused(std::string message, std::string detail)
{
    CInputCheck check;
    check.message_ = std::move(message);
    check.detail_ = std::move(detail);
    return check;
}

CInputCheck CInputCheck::Usable(Kind kind, std::string first, std::string second)
{
    CInputCheck check;
    check.kind_ = kind;
    check.first_ = std::move(first);
    check.second_ = std::move(second);
    return check;
}

std::string CInputCheck::FailedToRead(const std::string& path)
{
    return "Failed to read " + path + "!";
}
