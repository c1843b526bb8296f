#pragma once

#include "engine/diff_buf.h"

#include <vector>

// Any file that is not text, compared byte by byte. The buffer owns a copy of
// the content taken once, so a file that shrinks or vanishes during the
// comparison cannot pull the data away from under the comparison or the
// views.
class CBinBuf : public CDiffBuf
{
public:
    explicit CBinBuf(std::string path);

    // Takes the file's bytes. Returns false, keeping no content, when there
    // are more than 2147483647 of them: byte counts are 32-bit throughout the
    // comparison.
    bool SetData(std::vector<char> bytes);

    int GetCount() const override { return size_; }
    bool IsEqual(int i, const CDiffBuf* other, int j) const override;
    int MatchLength(const CDiffBuf* other, int i, int j, int max) const override;

private:
    std::vector<char> content_;
};
