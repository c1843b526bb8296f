#include "engine/bin_buf.h"

#include <algorithm>
#include <climits>

CBinBuf::CBinBuf(std::string path) : CDiffBuf(Binary, std::move(path)) {}

bool CBinBuf::SetData(std::vector<char> bytes)
{
    content_.clear();
    size_ = 0;
    data_ = nullptr;
    if (bytes.size() > static_cast<std::size_t>(INT_MAX))
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
