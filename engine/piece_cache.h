#pragma once

#include "engine/piece.h"
#include "engine/range_list.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>
#include <vector>

// The runs of at least `threshold` elements between the current unmatched
// ranges, kept from pass to pass and ranked as the candidate list ranks them.
//
// A pass cuts only the few ranges it matches in. Every run between two ranges
// that were not cut is still there, unchanged; a run of a pair that was cut
// stands for what is left of it, which is the run clipped to the pairs the cut
// made. Clipping every run of a cut range at once would cost the whole row and
// column each pass, while most of those runs are never asked for: a run is
// clipped only when it comes up in the ranking. Clipping never makes a run
// longer, nor moves its pair before the pair it was found in, so a run comes
// up no later than anything clipped from it would.
//
// The runs of a stretch pair are kept as one stand-in, placed as the best of
// them, until it comes up: only then are they made, for the current ranges.
//
// Raising the threshold keeps the shorter runs held (down to the floor): the
// cache stays complete down to the floor on every diagonal the pairs walked
// when it was raised, and the runs it lacks lie only on the diagonals that
// cuts since then brought into the pairs' windows.
//
// Where millions of runs are exactly as long as the threshold (the short
// stretches of zeros of compiled code, meeting each other everywhere), the
// cache may hold those only for the first-file ranges that start before a
// horizon. Runs of one length rank by their first-file range first, so all
// of them before the horizon rank before any beyond it, and the ranking is
// sure up to the last run held: the ranges beyond are searched once a pass
// needs more, a share at a time.
class CPieceCache
{
public:
    CPieceCache(const CRangeList& ranges1, const CRangeList& ranges2, int limit,
                const std::vector<STRETCH_PAIR>& stretchPairs)
        : ranges1_(ranges1), ranges2_(ranges2), limit_(limit), stretchPairs_(stretchPairs)
    {
    }
    CPieceCache(const CPieceCache&) = delete;
    CPieceCache& operator=(const CPieceCache&) = delete;

    bool IsValid() const { return valid_; }
    void Invalidate() { valid_ = false; }
    // Every current run of at least the threshold is held.
    int Threshold() const { return threshold_; }
    // Every current run of at least the floor is held, but on the diagonals
    // that came into view since the threshold was raised above it.
    int Floor() const { return floor_; }
    // The runs exactly as long as the threshold are held only in the
    // first-file ranges that start before the horizon; all of them without one.
    static constexpr int kNoHorizon = std::numeric_limits<int>::max();
    bool HasHorizon() const { return horizon_ != kNoHorizon; }
    int Horizon() const { return horizon_; }
    bool IsEmpty() { return RankedAt(0) == nullptr; }

    // Replaces the contents with a complete set of the runs of at least threshold.
    void Reset(int threshold, std::vector<PIECE> pieces)
    {
        valid_ = true;
        threshold_ = threshold;
        floor_ = threshold;
        horizon_ = kNoHorizon;
        heap_ = std::move(pieces);
        std::make_heap(heap_.begin(), heap_.end(), Worse{limit_});
        taken_.clear();
    }

    // From now on runs shorter than threshold may be missing; those held
    // are kept.
    void Raise(int threshold) { threshold_ = std::max(threshold_, threshold); }

    // The runs that the diagonals which came into view since the raise hold
    // down to the floor have been added: the cache is complete down to it.
    void LowerToFloor() { threshold_ = floor_; }

    // Lowers a cache complete above `threshold` to it, holding the runs of
    // that length from now on only before `horizon`; they are added next.
    void LowerBeforeHorizon(int threshold, int horizon)
    {
        threshold_ = threshold;
        floor_ = threshold;
        horizon_ = horizon;
    }

    // The runs as long as the threshold up to the new horizon (further on,
    // or none) are added next.
    void MoveHorizon(int horizon) { horizon_ = horizon; }

    // Drops the runs shorter than `shortest`, which becomes the floor (and
    // the threshold, if that was lower).
    void DropBelow(int shortest)
    {
        if (shortest > threshold_)
            horizon_ = kNoHorizon;
        floor_ = std::max(floor_, shortest);
        threshold_ = std::max(threshold_, floor_);
        std::erase_if(heap_, [shortest](const PIECE& p) { return p.length < shortest; });
        std::make_heap(heap_.begin(), heap_.end(), Worse{limit_});
    }

    // The lowest length that would keep at most n of the runs held (n > 0).
    int LengthKeepingAtMost(std::size_t n) const
    {
        std::vector<int> lengths;
        lengths.reserve(Size());
        for (const std::vector<PIECE>* held : {&heap_, &taken_}) {
            for (const PIECE& p : *held)
                lengths.push_back(p.length);
        }
        if (lengths.size() <= n)
            return floor_;
        // At the n-th longest run's length, it and every run as long are kept,
        // n or more: one element longer keeps fewer than n.
        const auto nth = lengths.begin() + static_cast<std::ptrdiff_t>(n - 1);
        std::nth_element(lengths.begin(), nth, lengths.end(), std::greater<>{});
        return *nth == std::numeric_limits<int>::max() ? *nth : *nth + 1;
    }

    // A run as long as the threshold beyond the horizon is not held: the
    // search that moves the horizon finds it.
    void Add(const PIECE& piece)
    {
        if (piece.length == threshold_ && piece.r1Start >= horizon_)
            return;
        heap_.push_back(piece);
        std::push_heap(heap_.begin(), heap_.end(), Worse{limit_});
    }

    // The best run. The cache must not be empty.
    const PIECE& Longest() { return *RankedAt(0); }

    // The k-th best current run (from 0), or nullptr when there are fewer.
    // Runs are taken off the heap in order as they are asked for; EndRanked
    // puts them back.
    const PIECE* RankedAt(std::size_t k)
    {
        while (taken_.size() <= k) {
            if (!TakeNextGroup())
                return nullptr;
        }
        return &taken_[k];
    }

    void EndRanked()
    {
        for (const PIECE& p : taken_)
            Add(p);
        taken_.clear();
    }

    std::size_t Size() const { return heap_.size() + taken_.size(); }

    // Visits every stand-in held, which visit may renumber; between passes.
    template<typename Visit> void ForEachStandIn(Visit visit)
    {
        for (std::vector<PIECE>* held : {&heap_, &taken_}) {
            for (PIECE& p : *held) {
                if (p.stretchPair >= 0)
                    visit(p);
            }
        }
    }

private:
    // Heap order: the top of the heap is the best run.
    struct Worse
    {
        int limit;
        bool operator()(const PIECE& l, const PIECE& r) const { return RanksBefore(r, l, limit); }
    };

    static bool SameGroup(const PIECE& a, const PIECE& b)
    {
        return a.length == b.length && a.r1Start == b.r1Start && a.r2Start == b.r2Start;
    }

    PIECE PopTop()
    {
        std::pop_heap(heap_.begin(), heap_.end(), Worse{limit_});
        const PIECE top = heap_.back();
        heap_.pop_back();
        return top;
    }

    // Moves the next runs in rank order to taken_: the runs of one length and
    // pair, all current. Within such a group the order depends on the pair's
    // present lengths, which a run clipped from an older pair with the same
    // starts may have and the run it came from had not: so every run of the
    // group is looked at before any of it is taken. A stand-in in the group
    // gives way to its runs, which come up no later than any of them would. A run found twice (a
    // diagonal that left a pair's window and came back is searched again) is
    // taken once. False when nothing is left.
    bool TakeNextGroup()
    {
        std::vector<PIECE> group;
        for (;;) {
            if (heap_.empty())
                return false;
            group.clear();
            group.push_back(PopTop());
            while (!heap_.empty() && SameGroup(heap_.front(), group.front()))
                group.push_back(PopTop());
            bool clipped = false;
            std::vector<PIECE> left;
            for (const PIECE& p : group) {
                if (p.stretchPair >= 0) {
                    clipped = true;
                    RunsOfStretchPair(stretchPairs_[static_cast<std::size_t>(p.stretchPair)],
                                      ranges1_, ranges2_, limit_, floor_, left);
                } else if (IsCurrent(p, ranges1_, ranges2_)) {
                    left.push_back(p);
                } else {
                    clipped = true;
                    ClipToCurrentRanges(p, ranges1_, ranges2_, limit_, floor_, left);
                }
            }
            if (!clipped) {
                group.erase(std::unique(group.begin(), group.end(),
                                        [](const PIECE& a, const PIECE& b) {
                                            return a.posA == b.posA && a.posB == b.posB;
                                        }),
                            group.end());
                taken_.insert(taken_.end(), group.begin(), group.end());
                return true;
            }
            for (const PIECE& p : left)
                Add(p);
        }
    }

    const CRangeList& ranges1_;
    const CRangeList& ranges2_;
    int limit_;
    const std::vector<STRETCH_PAIR>& stretchPairs_;
    bool valid_ = false;
    int threshold_ = 0;
    int floor_ = 0;
    int horizon_ = kNoHorizon;
    std::vector<PIECE> heap_;
    std::vector<PIECE> taken_;
};
