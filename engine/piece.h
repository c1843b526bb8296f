#pragma once

#include "engine/range_list.h"

#include <algorithm>
#include <cstdint>
#include <tuple>
#include <vector>

// A maximal run of equal elements inside the rectangle of one pair of ranges
// (a range of the first file against a range of the second), with the pair it
// was found in. The pair places the run in the order a scan of the pairs would
// meet it, and tells whether the run is still current: once either range has
// been cut, the run stands for what is left of it in the pairs the cut made.
struct PIECE
{
    int r1Start;
    int r1Length;
    int r2Start;
    int r2Length;
    int posA;
    int posB;
    int length;

    // The offset of the run's diagonal, measured from the pair's starts.
    int Offset() const { return (posB - r2Start) - (posA - r1Start); }
};

// A number of a pair's diagonals in the order a scan walks them: from the
// pair's corner along the longer range first, then along the other.
inline std::int64_t DiagonalOrder(int length1, int length2, int off, int limit)
{
    if (length1 > length2)
        return off <= 0 ? -static_cast<std::int64_t>(off) : std::int64_t{limit} + off;
    return off >= 0 ? off : std::int64_t{limit} - off;
}

inline std::int64_t DiagonalOrder(const PIECE& p, int limit)
{
    return DiagonalOrder(p.r1Length, p.r2Length, p.Offset(), limit);
}

// The order in which the candidate list ranks runs: longer first, and among
// equally long ones the one a scan of the pairs meets first.
inline bool RanksBefore(const PIECE& a, const PIECE& b, int limit)
{
    return std::make_tuple(-a.length, a.r1Start, a.r2Start, DiagonalOrder(a, limit), a.posA) <
           std::make_tuple(-b.length, b.r1Start, b.r2Start, DiagonalOrder(b, limit), b.posA);
}

// Whether both ranges of the run's pair are still as they were when it was found.
inline bool IsCurrent(const PIECE& p, const CRangeList& ranges1, const CRangeList& ranges2)
{
    const std::size_t r1 = ranges1.IndexOf(p.r1Start);
    if (r1 == ranges1.Count() || ranges1[r1].start != p.r1Start ||
        ranges1[r1].length != p.r1Length)
        return false;
    const std::size_t r2 = ranges2.IndexOf(p.r2Start);
    return r2 < ranges2.Count() && ranges2[r2].start == p.r2Start &&
           ranges2[r2].length == p.r2Length;
}

// The first range that ends after pos.
inline std::size_t FirstRangeEndingAfter(const CRangeList& ranges, int pos)
{
    const auto& all = ranges.Ranges();
    return static_cast<std::size_t>(
        std::upper_bound(all.begin(), all.end(), pos,
                         [](int p, const RANGE& r) { return p < r.end(); }) -
        all.begin());
}

// What is left of a run after cuts: the run clipped to each pair of current
// ranges it still meets, where the clipped run keeps at least `threshold`
// elements and its diagonal lies in the new pair's window. A range made by a
// cut lies inside the range it was cut from, so on the diagonals both pairs
// walk, the runs of the new pair are exactly the old runs clipped.
inline void ClipToCurrentRanges(const PIECE& p, const CRangeList& ranges1,
                                const CRangeList& ranges2, int limit, int threshold,
                                std::vector<PIECE>& out)
{
    // In 64 bits: near the int limits, positions on a diagonal of the other
    // file need not fit an int.
    const long long diagonal = static_cast<long long>(p.posA) - p.posB;
    for (std::size_t r1 = FirstRangeEndingAfter(ranges1, p.posA);
         r1 < ranges1.Count() && ranges1[r1].start < p.posA + p.length; ++r1) {
        const RANGE& range1 = ranges1[r1];
        for (std::size_t r2 = FirstRangeEndingAfter(ranges2, p.posB);
             r2 < ranges2.Count() && ranges2[r2].start < p.posB + p.length; ++r2) {
            const RANGE& range2 = ranges2[r2];
            const long long lo =
                std::max({static_cast<long long>(p.posA), static_cast<long long>(range1.start),
                          range2.start + diagonal});
            const long long hi = std::min({static_cast<long long>(p.posA) + p.length,
                                           static_cast<long long>(range1.end()),
                                           range2.end() + diagonal});
            const long long off = (static_cast<long long>(range1.start) - range2.start) - diagonal;
            if (hi - lo < threshold || off <= -limit || off >= limit)
                continue;
            out.push_back(PIECE{range1.start, range1.length, range2.start, range2.length,
                                static_cast<int>(lo), static_cast<int>(lo - diagonal),
                                static_cast<int>(hi - lo)});
        }
    }
}
