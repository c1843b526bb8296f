#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// A file opened for reading only when it is a regular file. A FIFO, socket or
// device is refused before it is opened: opening or reading one can block
// forever or never end, and the comparison needs a fixed size anyway.
class CRegularFile
{
public:
    CRegularFile() = default;
    ~CRegularFile();
    CRegularFile(const CRegularFile&) = delete;
    CRegularFile& operator=(const CRegularFile&) = delete;

    // False when the path names no regular file or it cannot be opened.
    bool Open(const std::string& path);
    // The same for a path that a scan of its folder has just found to be a
    // regular file: the look before opening is left out, which saves a walk
    // along the path for every file of a tree. What turns out not to be a
    // regular file once it is open is still refused.
    bool OpenScanned(const std::string& path);
    // The same for the entry name of the open folder (or AT_FDCWD): a file
    // deep in a tree can be opened whatever the length of its whole path.
    bool OpenScannedAt(int folder, const char* name);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }
    // The size the file had when it was opened.
    long long Size() const { return size_; }
    // Reads until count bytes have been read or the file ends. Returns the
    // number of bytes read, or -1 when a read failed.
    long long Read(char* buffer, std::size_t count);

    // The whole content of the regular file at path, read once: the one way
    // the program reads a file it compares or shows. None when the path names
    // no regular file, it cannot be opened, a read fails, or it holds more
    // than kMostBytes; reason, if given, then says why in the system's words
    // ("Permission denied", "File too large"). A file that changes while it
    // is read gives the bytes that were read: no more than the size it had
    // when it was opened, fewer when it shrank. A file whose size says 0 is
    // read to its end all the same: the kernel's own files (/proc/self/status)
    // have content but no size.
    static std::optional<std::vector<char>> ReadWhole(const std::string& path,
                                                      std::string* reason = nullptr);
    // Reads what fd holds from where it stands to its end, after the bytes
    // already in bytes. False with errno set when a read fails, or EFBIG once
    // bytes would hold more than kMostBytes.
    static bool ReadToEnd(int fd, std::vector<char>& bytes);

    // Counts of bytes and lines are 32-bit throughout the comparison, so no
    // input may hold more bytes than this.
    static constexpr std::size_t kMostBytes = 2147483647;

private:
    int fd_ = -1;
    long long size_ = 0;
};
