#include "report/output_buffer.h"

#include <cerrno>
#include <unistd.h>

COutputBuffer::COutputBuffer(int fd) : fd_(fd)
{
    buffer_.reserve(kFlushSize + kFlushSize / 4);
}

COutputBuffer::~COutputBuffer()
{
    Flush();
}

bool COutputBuffer::Flush()
{
    std::size_t done = 0;
    while (!failed_ && done < buffer_.size()) {
        const ssize_t written = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            failed_ = true;
        else
            done += static_cast<std::size_t>(written);
    }
    buffer_.clear();
    return !failed_;
}
