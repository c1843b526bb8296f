#pragma once

#include <charconv>
#include <cstddef>
#include <string>
#include <string_view>

// Collects a report and writes it to a file descriptor in large pieces: a
// listing of a million lines must not cost a system call per line.
class COutputBuffer
{
public:
    explicit COutputBuffer(int fd);
    // Writes what is left; a failure then goes unnoticed, so callers Flush.
    ~COutputBuffer();
    COutputBuffer(const COutputBuffer&) = delete;
    COutputBuffer& operator=(const COutputBuffer&) = delete;

    void Append(std::string_view text)
    {
        buffer_.append(text);
        FlushWhenFull();
    }
    void Append(char c)
    {
        buffer_.push_back(c);
        FlushWhenFull();
    }
    void AppendNumber(long long value)
    {
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        Append(std::string_view(digits, static_cast<std::size_t>(end - digits)));
    }

    // Writes everything held so far. False once any write has failed.
    bool Flush();

private:
    // Large enough that writing costs nothing beside formatting, small enough
    // that a huge report does not sit in memory whole.
    static constexpr std::size_t kFlushSize = std::size_t{1} << 20;

    void FlushWhenFull()
    {
        if (buffer_.size() >= kFlushSize)
            Flush();
    }

    int fd_;
    std::string buffer_;
    bool failed_ = false;
};
