#pragma once

#include <string>

// One loaded file as a sequence of elements that can be counted and compared
// with the elements of another buffer of the same class: lines of a text file
// or bytes of any other file.
class CDiffBuf
{
public:
    enum Type
    {
        Text = 0,
        Binary = 1
    };

    virtual ~CDiffBuf() = default;
    CDiffBuf(const CDiffBuf&) = delete;
    CDiffBuf& operator=(const CDiffBuf&) = delete;

    virtual int GetCount() const = 0;
    // Element i of this buffer equals element j of other (same class).
    virtual bool IsEqual(int i, const CDiffBuf* other, int j) const = 0;
    // The number of consecutive equal pairs (i, j), (i+1, j+1), ... at most max;
    // 0 when max is 0 or less.
    virtual int MatchLength(const CDiffBuf* other, int i, int j, int max) const = 0;

    int type() const { return type_; }
    const std::string& path() const { return path_; }
    // Number of content bytes.
    int size() const { return size_; }
    const char* data() const { return data_; }

protected:
    CDiffBuf(int type, std::string path) : type_(type), path_(std::move(path)) {}

    int type_;
    std::string path_;
    int size_ = 0;
    const char* data_ = nullptr;
};
