#pragma once

#include <cstddef>
#include <vector>

// A stretch of elements of one file that is not matched yet.
struct RANGE
{
    int start;
    int length;
    int end() const { return start + length; }
};

// The unmatched ranges of one file, in ascending position order, never
// overlapping and never empty (except the single range of an empty file).
class CRangeList
{
public:
    explicit CRangeList(int count) : ranges_{RANGE{0, count}} {}

    bool IsEmpty() const { return ranges_.empty(); }
    std::size_t Count() const { return ranges_.size(); }
    const RANGE& operator[](std::size_t i) const { return ranges_[i]; }
    const std::vector<RANGE>& Ranges() const { return ranges_; }
    // Sum of the lengths of all ranges.
    long long Elements() const { return elements_; }

    // Index of the range holding element pos, or Count() when none does.
    std::size_t IndexOf(int pos) const;
    // Index of the first range from `from` on that ends after pos, or
    // Count() when none does; for positions visited in ascending order.
    std::size_t FirstEndingAfter(int pos, std::size_t from) const;
    // Takes the matched stretch [pos, pos + length), which lies inside one
    // range, out of the list: the range shrinks, splits in two, or goes.
    void Cut(int pos, int length);

private:
    std::vector<RANGE> ranges_;
    long long elements_ = ranges_.empty() ? 0 : ranges_.front().length;
};
