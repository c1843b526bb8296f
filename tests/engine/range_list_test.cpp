#include "engine/range_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <random>
#include <string>

namespace {

// The first range from `from` on that ends after pos, by walking them all.
std::size_t FirstEndingAfterByWalking(const CRangeList& ranges, int pos, std::size_t from)
{
    std::size_t i = std::min(from, ranges.Count());
    while (i < ranges.Count() && ranges[i].end() <= pos)
        ++i;
    return i;
}

// Lists of many ranges, cut at random, and every position against ranges to
// start from near the front, far into the list and past its end.
TEST(RangeListTest, FirstEndingAfterFindsWhatAWalkFinds)
{
    std::mt19937 random(20261211);
    for (const int cuts : {0, 1, 7, 300}) {
        SCOPED_TRACE("cuts " + std::to_string(cuts));
        CRangeList ranges(3000);
        for (int k = 0; k < cuts; ++k) {
            const RANGE r = ranges[random() % ranges.Count()];
            if (r.length < 3)
                continue;
            const int length = 1 + static_cast<int>(random() % (r.length / 2));
            ranges.Cut(r.start + static_cast<int>(random() % (r.length - length + 1)), length);
        }
        for (int pos = -1; pos <= 3001; ++pos) {
            for (std::size_t from = 0; from <= ranges.Count() + 1; from += 1 + from / 3) {
                ASSERT_EQ(ranges.FirstEndingAfter(pos, from),
                          FirstEndingAfterByWalking(ranges, pos, from))
                    << "pos " << pos << " from " << from;
            }
        }
    }
}

} // namespace
