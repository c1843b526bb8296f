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
    // Not a run but a stand-in for the runs of a stretch pair (an index into
    // the finder's STRETCH_PAIRs), placed as the best of them: -1 for a run.
    int stretchPair = -1;

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

// Two stretches of one repeated element, one in each file, inside one pair of
// ranges: [start1, end1) and [start2, end2), each clipped to its range. On
// every diagonal but the two where the whole stretches' starts or their ends
// meet, the run through both is exactly the stretches' overlap: before the
// later start and after the earlier end, one side still repeats its element
// and the other no longer does. So the runs on those diagonals (up to two
// limits of them, mostly equally long) need not be found, followed and kept
// one by one: they are known from the stretches and the diagonals, and are
// made only when they come up in the ranking.
struct STRETCH_PAIR
{
    int start1;
    int end1;
    int start2;
    int end2;
    // The diagonals, as posB - posA, that the pair's search covered, both
    // ends included.
    long long deltaLo;
    long long deltaHi;
    // The diagonals where the whole stretches' starts and their ends meet,
    // whose runs can go on past the stretches and are found as runs.
    long long startsMeet;
    long long endsMeet;
};

// The runs of at least threshold that a stretch pair stands for between the
// current ranges, each clipped to the pair of current ranges it lies in and
// kept where its diagonal is in that pair's window, as ClipToCurrentRanges
// keeps the runs of a cut pair.
inline void RunsOfStretchPair(const STRETCH_PAIR& s, const CRangeList& ranges1,
                              const CRangeList& ranges2, int limit, int threshold,
                              std::vector<PIECE>& out)
{
    for (std::size_t r1 = FirstRangeEndingAfter(ranges1, s.start1);
         r1 < ranges1.Count() && ranges1[r1].start < s.end1; ++r1) {
        const RANGE& range1 = ranges1[r1];
        const long long a0 = std::max(s.start1, range1.start);
        const long long a1 = std::min(s.end1, range1.end());
        for (std::size_t r2 = FirstRangeEndingAfter(ranges2, s.start2);
             r2 < ranges2.Count() && ranges2[r2].start < s.end2; ++r2) {
            const RANGE& range2 = ranges2[r2];
            const long long b0 = std::max(s.start2, range2.start);
            const long long b1 = std::min(s.end2, range2.end());
            if (a1 - a0 < threshold || b1 - b0 < threshold)
                continue;
            const long long corner = static_cast<long long>(range2.start) - range1.start;
            // Where the overlap holds threshold elements, inside the window
            // and among the diagonals searched.
            const long long lo = std::max({b0 - a1 + threshold, corner - limit + 1, s.deltaLo});
            const long long hi = std::min({b1 - a0 - threshold, corner + limit - 1, s.deltaHi});
            for (long long delta = lo; delta <= hi; ++delta) {
                if (delta == s.startsMeet || delta == s.endsMeet)
                    continue;
                const long long from = std::max(a0, b0 - delta);
                const long long to = std::min(a1, b1 - delta);
                out.push_back(PIECE{range1.start, range1.length, range2.start, range2.length,
                                    static_cast<int>(from), static_cast<int>(from + delta),
                                    static_cast<int>(to - from)});
            }
        }
    }
}
