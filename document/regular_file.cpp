#include "document/regular_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
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
    if (::stat(path.c_str(), &before) != 0)
        return false;
    if (!S_ISREG(before.st_mode)) {
        // Said the same way a failed open says it, for the user who asked.
        errno = S_ISDIR(before.st_mode) ? EISDIR : EINVAL;
        return false;
    }
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

namespace {

// A file whose size tells nothing is read in pieces that start at this size
// and double, so a large stream costs few reads and little copying.
constexpr std::size_t kFirstPiece = 65536;

// errorNumber 0 stands for a path that turned out not to be a regular file
// only once it was open.
void Explain(std::string* reason, int errorNumber)
{
    if (reason)
        *reason = std::strerror(errorNumber == 0 ? EINVAL : errorNumber);
}

} // namespace

// A file that shrinks while it is read (a log rotated, a file being rewritten)
// is taken as the bytes that could be read: those are one consistent snapshot
// that both the comparison and the test for identical files see, where
// refusing it would make a busy file impossible to look at. A file that grows
// is read up to its size at opening, so the buffer never has to grow on the
// way and the read ends even when a writer keeps appending.
std::optional<std::vector<char>> CRegularFile::ReadWhole(const std::string& path,
                                                         std::string* reason)
{
    CRegularFile file;
    errno = 0;
    if (!file.Open(path)) {
        Explain(reason, errno);
        return std::nullopt;
    }
    if (static_cast<unsigned long long>(file.Size()) > kMostBytes) {
        Explain(reason, EFBIG);
        return std::nullopt;
    }
    std::vector<char> bytes;
    if (file.Size() == 0) {
        if (!ReadToEnd(file.fd_, bytes)) {
            Explain(reason, errno);
            return std::nullopt;
        }
        return bytes;
    }
    bytes.resize(static_cast<std::size_t>(file.Size()));
    const long long got = file.Read(bytes.data(), bytes.size());
    if (got < 0) {
        Explain(reason, errno);
        return std::nullopt;
    }
    bytes.resize(static_cast<std::size_t>(got));
    return bytes;
}

// The vector is grown ahead of the reads and cut to what was read at the end,
// so that bytes are never cleared twice, however little each read gives (a
// pipe gives at most a page or so at a time).
bool CRegularFile::ReadToEnd(int fd, std::vector<char>& bytes)
{
    std::size_t filled = bytes.size();
    for (;;) {
        if (filled == bytes.size()) {
            if (filled > kMostBytes) {
                bytes.clear();
                errno = EFBIG;
                return false;
            }
            // One byte beyond the most that is allowed tells a stream that is
            // too long from one that is exactly as long as allowed.
            const std::size_t wanted = filled + std::max(filled, kFirstPiece);
            bytes.resize(std::min(wanted, kMostBytes + 1));
        }
        const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            bytes.resize(filled);
            return false;
        }
        if (got == 0) {
            bytes.resize(filled);
            return true;
        }
        filled += static_cast<std::size_t>(got);
    }
}
