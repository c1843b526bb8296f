#include "engine/range_list.h"

#include <algorithm>
#include <stdexcept>

std::size_t CRangeList::IndexOf(int pos) const
{
    auto it = std::upper_bound(ranges_.begin(), ranges_.end(), pos,
                               [](int p, const RANGE& r) { return p < r.start; });
    if (it == ranges_.begin())
        return ranges_.size();
    --it;
    return pos < it->end() ? static_cast<std::size_t>(it - ranges_.begin()) : ranges_.size();
}

std::size_t CRangeList::FirstEndingAfter(int pos, std::size_t from) const
{
    const auto begin = ranges_.begin() + static_cast<std::ptrdiff_t>(std::min(from, ranges_.size()));
    // Ranges are disjoint and in order, so their ends ascend too.
    const auto it = std::upper_bound(begin, ranges_.end(), pos,
                                     [](int p, const RANGE& r) { return p < r.end(); });
    return static_cast<std::size_t>(it - ranges_.begin());
}

void CRangeList::Cut(int pos, int length)
{
    const std::size_t i = IndexOf(pos);
    if (i == ranges_.size() || pos + length > ranges_[i].end())
        throw std::logic_error("accepted match does not lie inside one unmatched range");
    RANGE& g = ranges_[i];
    elements_ -= length;
    if (g.start == pos) {
        if (g.length == length) {
            ranges_.erase(ranges_.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            g.start += length;
            g.length -= length;
        }
    } else if (pos + length == g.end()) {
        g.length -= length;
    } else {
        const RANGE before{g.start, pos - g.start};
        g = RANGE{pos + length, g.end() - pos - length};
        ranges_.insert(ranges_.begin() + static_cast<std::ptrdiff_t>(i), before);
    }
}
