#pragma once

#include "engine/block_list.h"
#include "engine/gram_index.h"
#include "engine/match_list.h"
#include "engine/range_list.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <tuple>
#include <unordered_map>
#include <vector>

// The greedy matcher over two element sequences. In each pass it finds the runs
// of equal elements between every pair of unmatched ranges (a range of the
// first file against a range of the second, on the diagonals that start less
// than `limit` elements from the pair's starts), takes the longest as candidates
// and accepts them longest first, cutting the ranges around each.
//
// What a pass accepts depends only on the longest run B of the pass and on the
// runs of at least three quarters of B, in the order a scan of the pairs would
// meet them: shorter runs never survive acceptance, and the rising threshold of
// a scan never hides a run that long. So instead of walking every diagonal of
// every pair, a pass looks up the long runs directly, through an index of the
// grams of the second file, and ranks them in scan order.
template <typename T>
class CGreedyMatcher
{
public:
    // Called after each accepted match with the total length accepted so far.
    using AcceptedHook = std::function<void(long long acceptedTotal)>;

    CGreedyMatcher(const T* first, int count1, const T* second, int count2, int minLength,
                   int limit, const std::atomic<bool>& stopRequested)
        : e1_(first), e2_(second), ranges1_(count1), ranges2_(count2),
          minLength_(std::max(1, minLength)), limit_(std::max(0, limit)), stop_(stopRequested)
    {
    }

    // Runs the passes, appending a Common block per accepted match.
    void Run(CBlockList& result, const AcceptedHook& onAccepted)
    {
        int guess = std::max(
            minLength_, static_cast<int>(std::min(ranges1_.Elements(), ranges2_.Elements()) / 2));
        while (!ranges1_.IsEmpty() && !ranges2_.IsEmpty()) {
            if (stop_)
                return;
            PassCandidates pass;
            if (!SearchPass(guess, pass) || pass.candidates.IsEmpty())
                return;
            Accept(pass, result, onAccepted);
            guess = std::max(minLength_, pass.t2 * 3 / 4);
        }
    }

    const CRangeList& Ranges1() const { return ranges1_; }
    const CRangeList& Ranges2() const { return ranges2_; }

private:
    static constexpr int kSamplesBetweenStopChecks = 4096;

    // A maximal run of equal elements inside the rectangle of one pair of
    // ranges, with what places it in scan order.
    struct Piece
    {
        std::uint32_t r1;
        std::uint32_t r2;
        std::int64_t diagonalOrder;
        int posA;
        int posB;
        int length;
    };

    struct PassCandidates
    {
        CMatchList candidates;
        int t2 = 0;
    };

    // A pair's diagonals are walked in one of two orders, depending on which
    // range is longer; this numbers the diagonal of offset `off` (position in
    // the second range minus position in the first) in that order.
    std::int64_t DiagonalOrder(const RANGE& r1, const RANGE& r2, int off) const
    {
        if (r1.length > r2.length)
            return off <= 0 ? -static_cast<std::int64_t>(off) : std::int64_t{limit_} + off;
        return off >= 0 ? off : std::int64_t{limit_} - off;
    }

    // Finds the pass's candidates: every run of at least t2 = max(minLength,
    // 3/4 of the longest run), offered in scan order to a list of 25. Returns
    // false when a stop was requested meanwhile.
    bool SearchPass(int guess, PassCandidates& pass)
    {
        int x = guess;
        std::vector<Piece> pieces;
        for (;;) {
            if (!FindPieces(x, pieces))
                return false;
            if (pieces.empty()) {
                if (x <= minLength_)
                    return true;
                x = std::max(minLength_, x / 4);
                continue;
            }
            int longest = 0;
            for (const Piece& p : pieces)
                longest = std::max(longest, p.length);
            pass.t2 = std::max(minLength_, longest * 3 / 4);
            if (pass.t2 >= x)
                break;
            x = pass.t2;
        }
        OfferInScanOrder(pieces, pass);
        return true;
    }

    void OfferInScanOrder(std::vector<Piece>& pieces, PassCandidates& pass) const
    {
        std::sort(pieces.begin(), pieces.end(), [](const Piece& a, const Piece& b) {
            return std::tie(a.r1, a.r2, a.diagonalOrder, a.posA) <
                   std::tie(b.r1, b.r2, b.diagonalOrder, b.posA);
        });
        // A scan skips a first-file range no longer than 3/4 of the best run
        // found before it; such a range can hold a run of exactly t2 only when
        // the run fills it, but then that run is never offered.
        int bestBefore = 0;
        int bestInRange = 0;
        std::uint32_t currentRange = 0;
        for (const Piece& p : pieces) {
            if (p.r1 != currentRange) {
                bestBefore = std::max(bestBefore, bestInRange);
                bestInRange = 0;
                currentRange = p.r1;
            }
            bestInRange = std::max(bestInRange, p.length);
            if (p.length < pass.t2 || ranges1_[p.r1].length <= bestBefore * 3 / 4)
                continue;
            pass.candidates.Offer(MATCH{p.posA, p.posB, p.length});
        }
    }

    // The shorter the runs sought, the shorter the grams looked up: a run of x
    // elements holds a gram of q elements at every one of x - q + 1 consecutive
    // starts, so sampling the first file every x - q + 1 elements meets every
    // such run. Longer grams are rarer, so fewer false hits are followed.
    static int GramLength(int x)
    {
        if (x <= 2)
            return x;
        return static_cast<int>(std::bit_floor(static_cast<unsigned>(std::min(16, (x + 1) / 2))));
    }

    const CGramIndex<T>& IndexFor(int q)
    {
        auto& slot = indexes_[q];
        // Rebuilt once half of what it indexed has been matched, so lookups do
        // not keep wading through positions that are gone.
        if (!slot || ranges2_.Elements() * 2 < slot->BuiltElements())
            slot = std::make_unique<CGramIndex<T>>(e2_, ranges2_, q);
        return *slot;
    }

    // Collects every run of at least x equal elements in every pair of ranges
    // on the diagonals of the search window. False when a stop was requested.
    bool FindPieces(int x, std::vector<Piece>& pieces)
    {
        pieces.clear();
        if (limit_ <= 0)
            return true;
        const int q = GramLength(x);
        const int step = x - q + 1;
        const CGramIndex<T>& index = IndexFor(q);
        for (std::uint32_t r1 = 0; r1 < ranges1_.Count(); ++r1) {
            if (stop_)
                return false;
            const RANGE& range1 = ranges1_[r1];
            if (range1.length < x)
                continue;
            covered_.clear();
            int samples = 0;
            for (int a = range1.start; a + q <= range1.end(); a += step) {
                // A single range can be the whole file: look at the stop flag
                // now and then within it too, so a stop is answered promptly.
                if (++samples % kSamplesBetweenStopChecks == 0 && stop_)
                    return false;
                FindPiecesThrough(index, r1, a, x, pieces);
            }
        }
        return true;
    }

    void FindPiecesThrough(const CGramIndex<T>& index, std::uint32_t r1, int a, int x,
                           std::vector<Piece>& pieces)
    {
        const int q = index.q();
        const std::uint64_t h = CGramIndex<T>::Hash(e1_ + a, q);
        const auto bucket = index.Lookup(h);
        const std::size_t ranges = ranges2_.Count();
        if (bucket.Size() <= 64 || bucket.Size() < ranges * 16) {
            for (std::size_t i = 0; i < bucket.Size(); ++i) {
                if (bucket.hashes[i] != h)
                    continue;
                const int b = bucket.begin[i];
                const std::size_t r2 = ranges2_.IndexOf(b);
                if (r2 < ranges)
                    Follow(r1, a, static_cast<std::uint32_t>(r2), b, q, x, pieces);
            }
            return;
        }
        // A very common gram: look only inside each second-file range's window.
        const RANGE& range1 = ranges1_[r1];
        const int along = a - range1.start;
        for (std::uint32_t r2 = 0; r2 < ranges; ++r2) {
            const RANGE& range2 = ranges2_[r2];
            const long long lo = std::max<long long>(range2.start, 1LL * range2.start + along - limit_ + 1);
            const long long hi = std::min<long long>(range2.end() - q, 1LL * range2.start + along + limit_ - 1);
            if (lo > hi)
                continue;
            const std::int32_t* from = std::lower_bound(bucket.begin, bucket.end, lo);
            for (const std::int32_t* it = from; it != bucket.end && *it <= hi; ++it) {
                if (bucket.hashes[it - bucket.begin] == h)
                    Follow(r1, a, r2, *it, q, x, pieces);
            }
        }
    }

    // Follows a gram hit at (a, b) to the maximal run through it inside the
    // pair's rectangle, unless an earlier hit of this range already did.
    void Follow(std::uint32_t r1, int a, std::uint32_t r2, int b, int q, int x,
                std::vector<Piece>& pieces)
    {
        const RANGE& range1 = ranges1_[r1];
        const RANGE& range2 = ranges2_[r2];
        if (b + q > range2.end())
            return;
        const int off = (b - range2.start) - (a - range1.start);
        if (off <= -limit_ || off >= limit_)
            return;
        const std::uint64_t key = (std::uint64_t{r2} << 32) | static_cast<std::uint32_t>(off);
        const auto seen = covered_.find(key);
        if (seen != covered_.end() && seen->second > a)
            return;
        for (int i = 0; i < q; ++i) {
            if (e1_[a + i] != e2_[b + i])
                return;
        }
        int back = 0;
        while (a - back > range1.start && b - back > range2.start &&
               e1_[a - back - 1] == e2_[b - back - 1])
            ++back;
        int ahead = q;
        while (a + ahead < range1.end() && b + ahead < range2.end() && e1_[a + ahead] == e2_[b + ahead])
            ++ahead;
        covered_[key] = a + ahead;
        if (back + ahead >= x)
            pieces.push_back(Piece{r1, r2, DiagonalOrder(range1, range2, off), a - back, b - back,
                                   back + ahead});
    }

    // Accepts the candidates longest first. Each further candidate is trimmed
    // to the part that lies on its own side of the accepted one, in both files,
    // and stays a candidate only while it keeps at least t2 elements.
    void Accept(PassCandidates& pass, CBlockList& result, const AcceptedHook& onAccepted)
    {
        CMatchList& candidates = pass.candidates;
        CMatchList spare;
        while (!candidates.IsEmpty()) {
            const MATCH m = candidates.PopBest();
            result.AddTail(new DIFF_BLOCK(DIFF_BLOCK::MakeCommon(NextBlockId(), m.length, m.posA, m.posB)));
            for (std::size_t i = candidates.Count(); i-- > 0;) {
                MATCH e = candidates[i];
                TrimMatch(e, m);
                if (e.length >= pass.t2)
                    spare.Offer(e);
            }
            candidates.Clear();
            ranges1_.Cut(m.posA, m.length);
            ranges2_.Cut(m.posB, m.length);
            candidates.Swap(spare);
            acceptedTotal_ += m.length;
            if (onAccepted)
                onAccepted(acceptedTotal_);
        }
    }

public:
    static void TrimMatch(MATCH& e, const MATCH& m)
    {
        int cutFront = 0;
        int cutBack = 0;
        if (e.posA < m.posA) {
            if (e.posA + e.length > m.posA)
                cutBack = e.posA + e.length - m.posA;
        } else if (e.posA < m.posA + m.length) {
            cutFront = m.posA + m.length - e.posA;
        }
        if (e.posB < m.posB)
            cutBack = std::max(cutBack, e.posB + e.length - m.posB);
        else
            cutFront = std::max(cutFront, m.posB + m.length - e.posB);
        if (cutFront + cutBack > e.length) {
            e.length = 0;
            return;
        }
        e.posA += cutFront;
        e.posB += cutFront;
        e.length -= cutFront + cutBack;
    }

private:
    const T* e1_;
    const T* e2_;
    CRangeList ranges1_;
    CRangeList ranges2_;
    int minLength_;
    int limit_;
    const std::atomic<bool>& stop_;
    long long acceptedTotal_ = 0;
    std::unordered_map<int, std::unique_ptr<CGramIndex<T>>> indexes_;
    // Per diagonal of the current first-file range: where the last run followed
    // on it ends, so each run is followed once.
    std::unordered_map<std::uint64_t, int> covered_;
};
