#pragma once

#include "engine/block_list.h"
#include "engine/match_list.h"
#include "engine/piece_finder.h"
#include "engine/range_list.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <functional>
#include <tuple>
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
// every pair, a pass looks up the long runs directly (CPieceFinder) and ranks
// them in scan order.
template <typename T>
class CGreedyMatcher
{
public:
    // Called after each accepted match with the total length accepted so far.
    using AcceptedHook = std::function<void(long long acceptedTotal)>;

    CGreedyMatcher(const T* first, int count1, const T* second, int count2, int minLength,
                   int limit, const std::atomic<bool>& stopRequested)
        : e1_(first), e2_(second), ranges1_(count1), ranges2_(count2),
          minLength_(std::max(1, minLength)), limit_(std::max(0, limit)), stop_(stopRequested),
          finder_(first, second, ranges1_, ranges2_, limit_, stopRequested)
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
            guess = NextGuess(pass);
        }
    }

    const CRangeList& Ranges1() const { return ranges1_; }
    const CRangeList& Ranges2() const { return ranges2_; }

private:
    struct PassCandidates
    {
        CMatchList candidates;
        int t2 = 0;
        // The runs of at least t2 the pass found, and the matches it accepted.
        std::vector<PIECE> pieces;
        std::vector<MATCH> accepted;
    };

    // Where the next pass starts looking. A run of this pass that no accepted
    // match touched is most likely still there, so the next pass's longest run
    // is probably at least as long, and searching from 3/4 of it usually finds
    // everything the next pass needs in one go.
    int NextGuess(const PassCandidates& pass) const
    {
        int leftover = 0;
        for (const PIECE& p : pass.pieces) {
            const bool touched = std::any_of(
                pass.accepted.begin(), pass.accepted.end(), [&](const MATCH& m) {
                    return Overlap(p.posA, p.length, m.posA, m.length) ||
                           Overlap(p.posB, p.length, m.posB, m.length);
                });
            if (!touched)
                leftover = std::max(leftover, p.length);
        }
        return std::max(minLength_, (leftover > 0 ? leftover : pass.t2) * 3 / 4);
    }

    static bool Overlap(int start1, int length1, int start2, int length2)
    {
        return start1 < start2 + length2 && start2 < start1 + length1;
    }

    // Finds the pass's candidates: every run of at least t2 = max(minLength,
    // 3/4 of the longest run), offered in scan order to a list of 25. Returns
    // false when a stop was requested meanwhile.
    bool SearchPass(int guess, PassCandidates& pass)
    {
        int x = guess;
        std::vector<PIECE> pieces;
        for (;;) {
            if (!finder_.Find(x, pieces))
                return false;
            if (pieces.empty()) {
                if (x <= minLength_)
                    return true;
                x = std::max(minLength_, x / 4);
                continue;
            }
            int longest = 0;
            for (const PIECE& p : pieces)
                longest = std::max(longest, p.length);
            pass.t2 = std::max(minLength_, longest * 3 / 4);
            if (pass.t2 >= x)
                break;
            x = pass.t2;
        }
        OfferInScanOrder(pieces, pass);
        pieces.erase(std::remove_if(pieces.begin(), pieces.end(),
                                    [&](const PIECE& p) { return p.length < pass.t2; }),
                     pieces.end());
        pass.pieces = std::move(pieces);
        return true;
    }

    void OfferInScanOrder(std::vector<PIECE>& pieces, PassCandidates& pass) const
    {
        std::sort(pieces.begin(), pieces.end(), [](const PIECE& a, const PIECE& b) {
            return std::tie(a.r1, a.r2, a.diagonalOrder, a.posA) <
                   std::tie(b.r1, b.r2, b.diagonalOrder, b.posA);
        });
        // A scan skips a first-file range no longer than 3/4 of the best run
        // found before it; such a range can hold a run of exactly t2 only when
        // the run fills it, but then that run is never offered.
        int bestBefore = 0;
        int bestInRange = 0;
        std::uint32_t currentRange = 0;
        for (const PIECE& p : pieces) {
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

    // Accepts the candidates longest first. Each further candidate is trimmed
    // to the part that lies on its own side of the accepted one, in both files,
    // and stays a candidate only while it keeps at least t2 elements.
    void Accept(PassCandidates& pass, CBlockList& result, const AcceptedHook& onAccepted)
    {
        CMatchList& candidates = pass.candidates;
        CMatchList spare;
        while (!candidates.IsEmpty()) {
            const MATCH m = candidates.PopBest();
            pass.accepted.push_back(m);
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
    CPieceFinder<T> finder_;
};
