#pragma once

#include "engine/diff_buf.h"

#include <vector>

// Any file that is not text, compared byte by byte. The content is read into
// memory once, so a file that shrinks or vanishes during the comparison cannot
// pull the data away from under the comparison or the views.
class CBinBuf : public CDiffBuf
{
public:
    explicit CBinBuf(std::string path);

    // Reads the file named by path. False when it cannot be opened or read
    // whole, or is larger than 2147483647 bytes; the buffer is then empty.
    bool Open();

    int GetCount() const override { return size_; }
    bool IsEqual(int i, const CDiffBuf* other, int j) const override;
    int MatchLength(const CDiffBuf* other, int i, int j, int max) const override;

private:
    std::vector<char> content_;
};
