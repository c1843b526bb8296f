#include "engine/piece_finder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <random>
#include <tuple>
#include <vector>

namespace {

using Piece = std::tuple<int, int, std::int64_t, int, int, int>;

Piece AsTuple(const PIECE& p)
{
    return {p.r1Start, p.r2Start, p.diagonalOrder, p.posA, p.posB, p.length};
}

// Every maximal run of at least x equal elements between two ranges, on the
// diagonals less than limit from the ranges' starts, found by walking them all.
void WalkPair(const std::vector<std::uint8_t>& e1, const std::vector<std::uint8_t>& e2,
              const RANGE& r1, const RANGE& r2, int x, int limit, std::vector<Piece>& out)
{
    for (int off = -limit + 1; off < limit; ++off) {
        int a = off >= 0 ? r1.start : r1.start - off;
        int b = off >= 0 ? r2.start + off : r2.start;
        int run = 0;
        for (;; ++a, ++b) {
            const bool inside = a < r1.end() && b < r2.end();
            if (inside && e1[static_cast<std::size_t>(a)] == e2[static_cast<std::size_t>(b)]) {
                ++run;
                continue;
            }
            if (run >= x)
                out.emplace_back(r1.start, r2.start,
                                 CPieceFinder<std::uint8_t>::DiagonalOrder(r1, r2, off, limit),
                                 a - run, b - run, run);
            run = 0;
            if (!inside)
                break;
        }
    }
}

struct FINDER_CASE
{
    const char* name;
    int size;
    int x;
    int limit;
};

// Ranges are cut pass after pass, as the matcher cuts them, and after each cut
// the finder's runs of the new rows and columns must be exactly those a walk
// of every diagonal of their pairs finds, whichever way the finder searched:
// by walking, through its index, or column by column through the index once
// many passes have gone by.
TEST(PieceFinderTest, NewRangesGetExactlyTheRunsOfTheirPairs)
{
    const std::vector<FINDER_CASE> cases = {
        {"wide window", 8000, 60, 300},
        {"narrow window", 8000, 60, 20},
        {"short runs", 3000, 6, 100},
    };
    for (const FINDER_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        std::mt19937 random(20261210);
        std::vector<std::uint8_t> e1(static_cast<std::size_t>(c.size));
        for (auto& v : e1)
            v = static_cast<std::uint8_t>(random());
        // The second file: the first with a few bytes now and then dropped
        // or inserted, so that its runs lie on many diagonals, up to the
        // window's edges.
        std::vector<std::uint8_t> e2;
        for (std::size_t at = 0; at < e1.size(); ++at) {
            if (random() % 90 == 0)
                at += random() % 8;
            if (random() % 90 == 0) {
                for (int k = static_cast<int>(random() % 8); k >= 0; --k)
                    e2.push_back(static_cast<std::uint8_t>(random()));
            }
            if (at < e1.size())
                e2.push_back(e1[at]);
        }

        CRangeList ranges1(static_cast<int>(e1.size()));
        CRangeList ranges2(static_cast<int>(e2.size()));
        const std::atomic<bool> stop{false};
        CPieceFinder<std::uint8_t> finder(e1.data(), e2.data(), ranges1, ranges2, c.limit, stop);
        std::vector<PIECE> pieces;
        ASSERT_TRUE(finder.FindAll(c.x, pieces));

        for (int pass = 0; pass < 12; ++pass) {
            SCOPED_TRACE(pass);
            // A short stretch cut out of the longest range of each file, near
            // one of its ends, so that most of it is left as a new range.
            const auto cut = [&](CRangeList& ranges, std::vector<std::uint32_t>& made) {
                const RANGE old = *std::max_element(
                    ranges.Ranges().begin(), ranges.Ranges().end(),
                    [](const RANGE& l, const RANGE& r) { return l.length < r.length; });
                if (old.length < 400)
                    return;
                const int along = static_cast<int>(random() % 300);
                const int pos = random() % 2 ? old.start + along : old.end() - 10 - along;
                ranges.Cut(pos, 10);
                for (std::uint32_t i = 0; i < ranges.Count(); ++i) {
                    const RANGE& r = ranges[i];
                    const bool fromOld = r.start >= old.start && r.end() <= old.end();
                    if (fromOld)
                        made.push_back(i);
                }
            };
            // Both files, then the second only, then the first only: a new
            // column must also be searched against rows that stay as they were.
            std::vector<std::uint32_t> rows;
            std::vector<std::uint32_t> columns;
            if (pass % 3 != 1)
                cut(ranges1, rows);
            if (pass % 3 != 2)
                cut(ranges2, columns);
            ASSERT_TRUE(finder.FindInNewRanges(rows, columns, pieces));

            std::vector<Piece> expected;
            for (std::uint32_t r1 = 0; r1 < ranges1.Count(); ++r1) {
                const bool newRow = std::count(rows.begin(), rows.end(), r1) > 0;
                for (std::uint32_t r2 = 0; r2 < ranges2.Count(); ++r2) {
                    if (newRow || std::count(columns.begin(), columns.end(), r2) > 0)
                        WalkPair(e1, e2, ranges1[r1], ranges2[r2], c.x, c.limit, expected);
                }
            }
            std::vector<Piece> found;
            for (const PIECE& p : pieces)
                found.push_back(AsTuple(p));
            std::sort(expected.begin(), expected.end());
            std::sort(found.begin(), found.end());
            ASSERT_EQ(found, expected);
        }
    }
}

} // namespace
