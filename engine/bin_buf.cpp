#include "engine/bin_buf.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

CBinBuf::CBinBuf(std::string path) : CDiffBuf(Binary, std::move(path)) {}

namespace {

// Reads the whole regular file at path into out. A file that is not regular
// (FIFO, device, socket) is refused without being read: reading it could block
// forever or never end.
bool ReadRegularFile(const std::string& path, std::vector<char>& out)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat st
    {
    };
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= INT_MAX;
    if (ok) {
        out.resize(static_cast<std::size_t>(st.st_size));
        std::size_t done = 0;
        while (done < out.size()) {
            const ssize_t got = ::read(fd, out.data() + done, out.size() - done);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            done += static_cast<std::size_t>(got);
        }
        // A file that shrank while it was read keeps what could be read; the
        // comparison then works on that consistent snapshot.
        out.resize(done);
    }
    ::close(fd);
    return ok;
}

} // namespace

bool CBinBuf::Open()
{
    content_.clear();
    size_ = 0;
    data_ = nullptr;
    std::vector<char> bytes;
    if (!ReadRegularFile(path_, bytes))
        return false;
    content_ = std::move(bytes);
    size_ = static_cast<int>(content_.size());
    data_ = content_.empty() ? nullptr : content_.data();
    return true;
}

bool CBinBuf::IsEqual(int i, const CDiffBuf* other, int j) const
{
    return data_[i] == other->data()[j];
}

int CBinBuf::MatchLength(const CDiffBuf* other, int i, int j, int max) const
{
    const int limit = std::min({max, size_ - i, other->size() - j});
    int n = 0;
    while (n < limit && data_[i + n] == other->data()[j + n])
        ++n;
    return n;
}
