#include "engine/piece_finder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <iterator>
#include <limits>
#include <random>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using Piece = std::tuple<int, int, int, int, int, int, int>;

Piece AsTuple(const PIECE& p)
{
    return {p.r1Start, p.r1Length, p.r2Start, p.r2Length, p.posA, p.posB, p.length};
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
                out.emplace_back(r1.start, r1.length, r2.start, r2.length, a - run, b - run,
                                 run);
            run = 0;
            if (!inside)
                break;
        }
    }
}

// The runs found (a run found twice counts once, a stretch pair's stand-in
// counts as the runs it stands for) against those a walk of every diagonal
// of every pair of the current ranges finds.
void ExpectTheRunsOfEveryPair(const std::vector<std::uint8_t>& e1,
                              const std::vector<std::uint8_t>& e2, const CRangeList& ranges1,
                              const CRangeList& ranges2, int x, int limit,
                              const std::vector<PIECE>& found,
                              const std::vector<STRETCH_PAIR>& stretchPairs)
{
    std::vector<PIECE> runs;
    for (const PIECE& p : found) {
        if (p.stretchPair < 0)
            runs.push_back(p);
        else
            RunsOfStretchPair(stretchPairs.at(static_cast<std::size_t>(p.stretchPair)), ranges1,
                              ranges2, limit, x, runs);
    }
    std::vector<Piece> expected;
    for (const RANGE& r1 : ranges1.Ranges()) {
        for (const RANGE& r2 : ranges2.Ranges())
            WalkPair(e1, e2, r1, r2, x, limit, expected);
    }
    std::vector<Piece> all;
    for (const PIECE& p : runs)
        all.push_back(AsTuple(p));
    std::sort(expected.begin(), expected.end());
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    // What is missing and what is too much, rather than two long lists.
    std::vector<Piece> missing;
    std::vector<Piece> extra;
    std::set_difference(expected.begin(), expected.end(), all.begin(), all.end(),
                        std::back_inserter(missing));
    std::set_difference(all.begin(), all.end(), expected.begin(), expected.end(),
                        std::back_inserter(extra));
    EXPECT_TRUE(missing.empty()) << ::testing::PrintToString(missing);
    EXPECT_TRUE(extra.empty()) << ::testing::PrintToString(extra);
}

struct FINDER_CASE
{
    const char* name;
    int size;
    int x;
    int limit;
    // Zero stretches up to a few hundred bytes long, whose pairs are kept as
    // stand-ins across the cuts.
    bool zeroStretches = false;
};

// Ranges are cut pass after pass, as the matcher cuts them. After each cut,
// the runs kept from the pairs that were not cut, the runs of the cut pairs
// clipped to the new ones, and what the finder finds on the diagonals a
// shifted window brings in must together be exactly the runs a walk of every
// diagonal of every pair finds (a run found twice counts once), whichever way
// the finder searched: by walking, through its index, or column by column
// through the index once many passes have gone by.
TEST(PieceFinderTest, RunsAfterCutsAreExactlyTheRunsOfTheNewPairs)
{
    const std::vector<FINDER_CASE> cases = {
        {"wide window", 8000, 60, 300},
        {"narrow window", 8000, 60, 20},
        {"short runs", 3000, 6, 100},
        {"window wider than the ranges", 1500, 6, 5000},
        {"zero stretches", 8000, 30, 300, true},
        {"zero stretches, narrow window", 8000, 16, 40, true},
    };
    for (const FINDER_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        std::mt19937 random(20261210);
        std::vector<std::uint8_t> e1(static_cast<std::size_t>(c.size));
        for (auto& v : e1)
            v = static_cast<std::uint8_t>(random() % 4 == 0 ? 0 : random());
        for (int k = c.zeroStretches ? c.size / 200 : 0; k > 0; --k) {
            const std::size_t at = random() % e1.size();
            std::fill(e1.begin() + static_cast<std::ptrdiff_t>(at),
                      e1.begin() + static_cast<std::ptrdiff_t>(
                                       std::min(e1.size(), at + 8 + random() % 300)),
                      0);
        }
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
        std::vector<PIECE> kept;
        ASSERT_EQ(finder.FindAll(c.x, kept), CPieceFinder<std::uint8_t>::Found::All);
        long long standIns = 0;

        for (int pass = 0; pass < 14; ++pass) {
            SCOPED_TRACE(pass);
            // A short stretch cut out of a long range of each file: near its
            // front, near its end, or in the middle, so that both a
            // remainder that keeps its start and one whose window shifts,
            // by little or by much, are made.
            const auto cut = [&](CRangeList& ranges, std::vector<RANGE>& cutRanges) {
                std::vector<RANGE> longOnes;
                for (const RANGE& r : ranges.Ranges()) {
                    if (r.length >= 60)
                        longOnes.push_back(r);
                }
                if (longOnes.empty())
                    return;
                const RANGE old = longOnes[random() % longOnes.size()];
                const int along = static_cast<int>(random() % std::min(300, old.length - 10));
                const int where = static_cast<int>(random() % 3);
                const int pos = where == 0   ? old.start + along
                                : where == 1 ? old.end() - 10 - along
                                             : old.start + (old.length - 10) / 2;
                ranges.Cut(pos, 10);
                cutRanges.push_back(old);
            };
            // Both files, then the second only, then the first only.
            std::vector<RANGE> cut1;
            std::vector<RANGE> cut2;
            if (pass % 3 != 1)
                cut(ranges1, cut1);
            if (pass % 3 != 2)
                cut(ranges2, cut2);
            // A stand-in stays one: its runs are made for the ranges of the
            // moment.
            std::vector<PIECE> now;
            for (const PIECE& p : kept) {
                if (p.stretchPair >= 0 || IsCurrent(p, ranges1, ranges2))
                    now.push_back(p);
                else
                    ClipToCurrentRanges(p, ranges1, ranges2, c.limit, c.x, now);
            }
            std::vector<PIECE> made;
            ASSERT_TRUE(finder.FindAfterCuts(cut1, cut2, made));
            standIns += std::count_if(kept.begin(), kept.end(),
                                      [](const PIECE& p) { return p.stretchPair >= 0; });
            kept = now;
            kept.insert(kept.end(), made.begin(), made.end());
            ExpectTheRunsOfEveryPair(e1, e2, ranges1, ranges2, c.x, c.limit, kept,
                                     finder.StretchPairs());
            if (::testing::Test::HasFailure())
                return;
        }
        EXPECT_EQ(standIns > 0, c.zeroStretches);
    }
}

// Content of compiled files: zero stretches of every length among bytes of a
// small alphabet. A full search looks its samples up in an index once a few
// have walked the file; samples inside a zero stretch hit every position of
// every zero stretch in the other file, and only some of those hits can
// start a run of x. The second file is the first, edited. Each full search,
// walking or through the index, must find exactly the runs a walk of every
// diagonal finds.
// A file of a small alphabet with zero stretches of 8 to 400 bytes, and a
// second file made from it with zero stretches grown or shrunk and now and
// then new content, so that many runs go on past a stretch on the diagonals
// where the stretches' starts or ends meet.
std::pair<std::vector<std::uint8_t>, std::vector<std::uint8_t>>
ZeroStretchPair(std::mt19937& random)
{
    const auto makeFile = [&]() {
        std::vector<std::uint8_t> bytes;
        while (bytes.size() < 6000) {
            if (random() % 5 == 0)
                bytes.insert(bytes.end(), 8 + random() % 400, 0);
            else
                for (int k = 1 + static_cast<int>(random() % 30); k > 0; --k)
                    bytes.push_back(static_cast<std::uint8_t>(random() % 3));
        }
        return bytes;
    };
    const std::vector<std::uint8_t> e1 = makeFile();
    std::vector<std::uint8_t> e2;
    for (std::size_t at = 0; at < e1.size(); ++at) {
        const bool inZeros = e1[at] == 0 && at > 0 && e1[at - 1] == 0;
        if (inZeros && random() % 40 == 0) {
            if (random() % 2 == 0)
                continue;
            e2.insert(e2.end(), 1 + random() % 30, 0);
        }
        if (random() % 500 == 0)
            e2.insert(e2.end(), 1 + random() % 20, static_cast<std::uint8_t>(random() % 3));
        e2.push_back(e1[at]);
    }
    return {e1, e2};
}

TEST(PieceFinderTest, FullSearchesAmongZeroStretchesFindEveryRun)
{
    std::mt19937 random(20261211);
    const auto [e1, e2] = ZeroStretchPair(random);
    // The zero stretches' pairs are found as stand-ins, not run by run.
    long long standIns = 0;
    for (const int limit : {40, 700}) {
        SCOPED_TRACE(limit);
        CRangeList ranges1(static_cast<int>(e1.size()));
        CRangeList ranges2(static_cast<int>(e2.size()));
        const std::atomic<bool> stop{false};
        CPieceFinder<std::uint8_t> finder(e1.data(), e2.data(), ranges1, ranges2, limit, stop);
        for (int search = 0; search < 9; ++search) {
            const int x = std::vector<int>{8, 12, 16, 30, 200, 12, 16, 12, 64}[search];
            SCOPED_TRACE(x);
            // Cuts between searches make many pairs, some of them cutting a
            // zero stretch, so that ranges end inside one.
            for (CRangeList* ranges : {&ranges1, &ranges2}) {
                const RANGE r = ranges->Ranges()[random() % ranges->Count()];
                if (r.length > 40)
                    ranges->Cut(r.start + static_cast<int>(random() % (r.length - 20)), 12);
            }
            std::vector<PIECE> found;
            ASSERT_EQ(finder.FindAll(x, found), CPieceFinder<std::uint8_t>::Found::All);
            standIns += std::count_if(found.begin(), found.end(),
                                      [](const PIECE& p) { return p.stretchPair >= 0; });
            ExpectTheRunsOfEveryPair(e1, e2, ranges1, ranges2, x, limit, found,
                                     finder.StretchPairs());
            if (::testing::Test::HasFailure())
                return;
        }
    }
    EXPECT_GT(standIns, 0);
}

// A full search that finds more runs than its budget gives up, and goes on
// further up from the row it stopped in, keeping what it found there. What
// it ends with must be exactly the runs of the higher x: none lost in the
// rows searched at the lower one, none kept that is too short.
TEST(PieceFinderTest, AFullSearchGivenUpGoesOnFurtherUpWithEveryRun)
{
    std::mt19937 random(20261212);
    const auto [e1, e2] = ZeroStretchPair(random);
    using Finder = CPieceFinder<std::uint8_t>;
    constexpr std::size_t kNoBudget = std::numeric_limits<std::size_t>::max();
    const std::atomic<bool> stop{false};
    // The x of each try: all but the last are given a budget of a third of
    // the runs of their x, and give up; the last has none.
    struct CONTINUE_CASE
    {
        const char* name;
        std::vector<int> xs;
    };
    const std::vector<CONTINUE_CASE> cases = {
        {"once", {8, 24}},
        {"twice, at a higher x each time", {8, 12, 40}},
        {"at the same x", {12, 12}},
    };
    for (const CONTINUE_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        CRangeList ranges1(static_cast<int>(e1.size()));
        CRangeList ranges2(static_cast<int>(e2.size()));
        // A finder starts on the whole files.
        Finder finder(e1.data(), e2.data(), ranges1, ranges2, 300, stop);
        // Cuts of the longest ranges, so that the rows are many, none holds
        // most of the runs, and some end inside a stretch.
        for (int k = 0; k < 30; ++k) {
            for (CRangeList* ranges : {&ranges1, &ranges2}) {
                const RANGE r = *std::max_element(
                    ranges->Ranges().begin(), ranges->Ranges().end(),
                    [](const RANGE& a, const RANGE& b) { return a.length < b.length; });
                ranges->Cut(r.start + static_cast<int>(random() % (r.length - 20)), 12);
            }
        }
        std::vector<PIECE> found;
        std::vector<std::size_t> budgets;
        for (const int x : c.xs) {
            ASSERT_EQ(finder.FindAll(x, found), Finder::Found::All);
            budgets.push_back(found.size() / 3);
        }
        budgets.back() = kNoBudget;
        for (std::size_t i = 0; i < c.xs.size(); ++i) {
            SCOPED_TRACE(i);
            const bool last = i + 1 == c.xs.size();
            const auto result = i == 0 ? finder.FindAll(c.xs[i], found, budgets[i])
                                       : finder.ContinueAll(c.xs[i], found, budgets[i]);
            ASSERT_EQ(result, last ? Finder::Found::All : Finder::Found::TooMany);
            if (!last) {
                // Given up part way, not at the start nor after the end.
                EXPECT_GT(finder.ShareSearched(), 0.0);
                EXPECT_LT(finder.ShareSearched(), 1.0);
            }
        }
        ExpectTheRunsOfEveryPair(e1, e2, ranges1, ranges2, c.xs.back(), 300, found,
                                 finder.StretchPairs());
    }
}

} // namespace
