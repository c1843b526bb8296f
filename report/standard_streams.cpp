#include "report/standard_streams.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

void CStandardStreams::EnsureOpen()
{
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        // The lowest free number is taken, which is fd itself, since every
        // lower one is open by now.
        const int opened = ::open("/dev/null", O_RDONLY);
        if (opened >= 0 && opened != fd) {
            ::dup2(opened, fd);
            ::close(opened);
        }
    }
}
