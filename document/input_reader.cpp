#include "document/input_reader.h"

#include "document/regular_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::optional<std::vector<char>> Refuse(std::string* reason, int errorNumber)
{
    if (reason)
        *reason = std::strerror(errorNumber);
    return std::nullopt;
}

std::optional<std::vector<char>> ReadStream(int fd, std::string* reason)
{
    std::vector<char> bytes;
    if (!CRegularFile::ReadToEnd(fd, bytes))
        return Refuse(reason, errno);
    return bytes;
}

} // namespace

bool CInputReader::IsStream(const std::string& path)
{
    if (path == kStandardInput)
        return true;
    struct stat status = {};
    return ::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode) &&
           !S_ISDIR(status.st_mode);
}

bool CInputReader::IsDevice(const std::string& path)
{
    struct stat status = {};
    return path != kStandardInput && ::stat(path.c_str(), &status) == 0 &&
           (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode));
}

// A stream is opened without O_NONBLOCK: a named pipe that has no writer yet
// waits for one, and a pipe is read until its writer has finished, as diff and
// cat do.
std::optional<std::vector<char>> CInputReader::Read(const std::string& path, std::string* reason)
{
    if (path == kStandardInput)
        return ReadStream(STDIN_FILENO, reason);
    struct stat status = {};
    if (::stat(path.c_str(), &status) != 0)
        return Refuse(reason, errno);
    if (S_ISDIR(status.st_mode))
        return Refuse(reason, EISDIR);
    if (S_ISREG(status.st_mode))
        return CRegularFile::ReadWhole(path, reason);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return Refuse(reason, errno);
    std::optional<std::vector<char>> bytes = ReadStream(fd, reason);
    ::close(fd);
    return bytes;
}
