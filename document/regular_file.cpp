#include "document/regular_file.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

CRegularFile::~CRegularFile()
{
    Close();
}

bool CRegularFile::Open(const std::string& path)
{
    Close();
    struct stat before = {};
    if (::stat(path.c_str(), &before) != 0 || !S_ISREG(before.st_mode))
        return false;
    return OpenScanned(path);
}

bool CRegularFile::OpenScanned(const std::string& path)
{
    return OpenScannedAt(AT_FDCWD, path.c_str());
}

bool CRegularFile::OpenScannedAt(int folder, const char* name)
{
    Close();
    // O_NONBLOCK keeps the open from waiting should the path have been
    // replaced by a FIFO since it was looked at; the type is checked again
    // below.
    const int fd = ::openat(folder, name, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat opened = {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    size_ = static_cast<long long>(opened.st_size);
    return true;
}

void CRegularFile::Close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    size_ = 0;
}

long long CRegularFile::Read(char* buffer, std::size_t count)
{
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = ::read(fd_, buffer + done, count - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return static_cast<long long>(done);
}

// A file that shrinks while it is read (a log rotated, a file being rewritten)
// is taken as the bytes that could be read: those are one consistent snapshot
// that both the comparison and the test for identical files see, where
// refusing it would make a busy file impossible to look at. A file that grows
// is read up to its size at opening, so the buffer never has to grow on the
// way and the read ends even when a writer keeps appending.
std::optional<std::vector<char>> CRegularFile::ReadWhole(const std::string& path)
{
    CRegularFile file;
    if (!file.Open(path) || file.Size() > INT_MAX)
        return std::nullopt;
    std::vector<char> bytes(static_cast<std::size_t>(file.Size()));
    const long long got = file.Read(bytes.data(), bytes.size());
    if (got < 0)
        return std::nullopt;
    bytes.resize(static_cast<std::size_t>(got));
    return bytes;
}
