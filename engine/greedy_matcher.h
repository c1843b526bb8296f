#pragma once

#include "engine/diff_result.h"
#include "engine/match_list.h"
#include "engine/piece_cache.h"
#include "engine/piece_finder.h"
#include "engine/range_list.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
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
// every pair, the long runs are looked up directly (CPieceFinder), kept from
// pass to pass (CPieceCache), and ranked in scan order.
template<typename T> class CGreedyMatcher
{
public:
    // Called after each accepted match with the total length accepted so far.
    using AcceptedHook = std::function<void(long long acceptedTotal)>;

    // How many runs a search below what it could settle for may find before
    // it is given up, besides a few per range.
    static constexpr std::size_t kFloodBudget = 65536;
    static constexpr std::size_t kFloodBudgetPerRange = 8;

    // The most runs the cache keeps, unless the last full search found more
    // (MostKept). Where a file is made of a few distinct lines, every cut
    // brings windows full of short runs into view, and keeping them all
    // would grow the cache by hundreds of thousands of runs a pass. Past this
    // many, the shortest are dropped by raising the cache's floor: the cache
    // stays complete above it, and a search for shorter runs follows once a
    // pass needs them.
    static constexpr std::size_t kMostKept = std::size_t{1} << 19;

    CGreedyMatcher(const T* first, int count1, const T* second, int count2, int minLength,
                   int limit, const std::atomic<bool>& stopRequested,
                   std::size_t floodBudget = kFloodBudget, std::size_t mostKept = kMostKept,
                   std::size_t floodBudgetPerRange = kFloodBudgetPerRange)
        : e1_(first), e2_(second), ranges1_(count1), ranges2_(count2),
          minLength_(std::max(1, minLength)), limit_(std::max(0, limit)), stop_(stopRequested),
          floodBudget_(floodBudget), floodBudgetPerRange_(floodBudgetPerRange),
          mostKept_(std::max<std::size_t>(2, mostKept)),
          finder_(first, second, ranges1_, ranges2_, limit_, stopRequested),
          cache_(ranges1_, ranges2_, limit_, finder_.StretchPairs())
    {
    }

    // Runs the passes, appending a Common block per accepted match.
    void Run(CDiffResult& result, const AcceptedHook& onAccepted)
    {
        while (!ranges1_.IsEmpty() && !ranges2_.IsEmpty()) {
            if (stop_)
                return;
            CMatchList candidates;
            int t2 = 0;
            if (!SearchPass(candidates, t2) || candidates.IsEmpty())
                return;
            RangeChanges changes;
            Accept(candidates, t2, result, onAccepted, changes);
            if (!UpdateCache(changes))
                return;
        }
    }

    const CRangeList& Ranges1() const { return ranges1_; }
    const CRangeList& Ranges2() const { return ranges2_; }

private:
    // The ranges an acceptance removed (cut) and the ones it made.
    struct RangeChanges
    {
        std::vector<RANGE> removed1, added1, removed2, added2;
    };

    // Finds the pass's candidates: the runs of at least t2 = max(minLength,
    // 3/4 of the longest run), up to 25, as a scan would offer them. Returns
    // false when a stop was requested meanwhile.
    bool SearchPass(CMatchList& candidates, int& t2)
    {
        if (!cache_.IsValid()) {
            const long long shorter = std::min(ranges1_.Elements(), ranges2_.Elements());
            if (!SearchAll(std::max(minLength_, static_cast<int>(shorter / 2)), 0))
                return false;
        }
        for (;;) {
            if (cache_.IsEmpty()) {
                if (cache_.HasHorizon()) {
                    if (!MoveHorizon())
                        return false;
                    continue;
                }
                // Nothing as long as the cache's threshold is left: look for less.
                if (cache_.Floor() < cache_.Threshold()) {
                    if (!CompleteDownToFloor())
                        return false;
                    continue;
                }
                if (cache_.Threshold() <= minLength_)
                    return true;
                if (!SearchAll(std::max(minLength_, cache_.Threshold() / 4),
                               cache_.Threshold() - 1))
                    return false;
                continue;
            }
            const int longest = cache_.Longest().length;
            t2 = ThresholdFor(longest);
            bool pastHorizon = false;
            if (t2 >= cache_.Threshold()) {
                if (t2 > kRaiseFactor * cache_.Threshold())
                    RaiseThreshold(t2 / 2);
                SelectCandidates(t2, candidates, pastHorizon);
                if (!pastHorizon)
                    return true;
                candidates.Clear();
                if (!MoveHorizon())
                    return false;
                continue;
            }
            // The cache lacks runs this pass could take, shorter than what it
            // holds. They matter only if fewer than a full list of candidates
            // is as long as the cache's threshold: every run it lacks ranks
            // after those.
            if (SelectCandidates(cache_.Threshold(), candidates, pastHorizon) ==
                CMatchList::kCapacity)
                return true;
            candidates.Clear();
            if (pastHorizon) {
                if (!MoveHorizon())
                    return false;
                continue;
            }
            if (cache_.Floor() < cache_.Threshold()) {
                if (!CompleteDownToFloor())
                    return false;
                continue;
            }
            if (!SearchAll(std::max(minLength_, t2 / 2), std::min(longest, cache_.Threshold() - 1)))
                return false;
        }
    }

    static constexpr std::size_t kNoBudget = std::numeric_limits<std::size_t>::max();
    std::size_t FloodBudget() const
    {
        return floodBudget_ + floodBudgetPerRange_ * (ranges1_.Count() + ranges2_.Count());
    }

    // Once the cache holds runs far shorter than a pass can take, the ranges
    // that later passes make are searched for runs of half the pass's
    // threshold only: short grams at every position would find a flood of
    // short runs that no pass wants before many more passes have gone by.
    // The shorter runs held are kept. What the cache lacks then lies on the
    // diagonals the cuts since the raise brought into view, and is added once
    // a pass's threshold falls below the cache's (CompleteDownToFloor).
    static constexpr int kRaiseFactor = 4;

    void RaiseThreshold(int x)
    {
        // The runs as long as the threshold are held only up to the horizon:
        // they are no floor to complete down to later.
        if (cache_.HasHorizon()) {
            cache_.DropBelow(cache_.Threshold() + 1);
            finder_.Raise(cache_.Threshold());
        }
        // The first raise above the floor keeps the finder's samples for the
        // floor, to search the diagonals brought into view since down to it.
        if (cache_.Floor() == cache_.Threshold())
            finder_.RaiseKeepingSamples(x);
        else
            finder_.Raise(x);
        cache_.Raise(x);
    }

    // Searches the diagonals that the cuts since the cache's threshold was
    // raised brought into the pairs' windows for the runs down to its floor,
    // which makes the cache complete down to the floor again. Far cheaper
    // than a full search when the cuts were few, and the runs held are kept.
    // Where the cuts brought too many into view, the runs below the
    // threshold are dropped instead, and a full search follows. False when a
    // stop was requested meanwhile.
    bool CompleteDownToFloor()
    {
        std::vector<PIECE> pieces;
        const auto found =
            finder_.FindAfterCutsDownTo(cache_.Floor(), Outermost(std::move(cutSinceRaise1_)),
                                        Outermost(std::move(cutSinceRaise2_)), pieces,
                                        FloodBudget());
        ForgetCutsSinceRaise();
        if (found == CPieceFinder<T>::Found::Stopped) {
            cache_.Invalidate();
            return false;
        }
        if (found == CPieceFinder<T>::Found::TooMany) {
            cache_.DropBelow(cache_.Threshold());
            finder_.Raise(cache_.Threshold());
            return true;
        }
        cache_.LowerToFloor();
        AddToCache(pieces);
        return true;
    }

    // The ranges of a list of cut ones that no other of them holds: a range
    // cut since the raise and cut again lies inside the one it came from.
    static std::vector<RANGE> Outermost(std::vector<RANGE> cut)
    {
        std::sort(cut.begin(), cut.end(), [](const RANGE& l, const RANGE& r) {
            return l.start != r.start ? l.start < r.start : l.length > r.length;
        });
        std::vector<RANGE> outermost;
        for (const RANGE& r : cut) {
            if (outermost.empty() || r.start >= outermost.back().end())
                outermost.push_back(r);
        }
        return outermost;
    }

    // Notes the ranges a pass cut while the cache lacks runs below its
    // threshold on the diagonals they bring into view.
    void NoteCutSinceRaise(const RangeChanges& changes)
    {
        if (cache_.Floor() >= cache_.Threshold())
            return;
        cutSinceRaise1_.insert(cutSinceRaise1_.end(), changes.removed1.begin(),
                               changes.removed1.end());
        cutSinceRaise2_.insert(cutSinceRaise2_.end(), changes.removed2.begin(),
                               changes.removed2.end());
    }

    void ForgetCutsSinceRaise()
    {
        cutSinceRaise1_.clear();
        cutSinceRaise2_.clear();
    }

    // In 64 bits: a run can be nearly as long as the largest file, and three
    // times that does not fit an int.
    int ThresholdFor(int longest) const
    {
        return std::max(minLength_, static_cast<int>(longest * 3LL / 4));
    }

    // Fills the cache with every run of at least x, lowering x until it holds
    // all runs the pass needs, or a full list of candidates above them.
    // Searching below what is needed right now leaves the cache room for the
    // next passes, whose longest runs will be shorter; but where short runs
    // abound (the stretches of zeros of compiled code) it would find millions
    // that no pass takes before many have gone by. A search below `ceiling`
    // that finds that many is given up for one further up.
    bool SearchAll(int x, int ceiling)
    {
        std::vector<PIECE> pieces;
        // The highest x that found too many runs, and the lowest that found
        // too few: a search settles between them.
        int tooMany = 0;
        int tooFew = std::numeric_limits<int>::max();
        bool budgeted = true;
        const auto between = [&](int lo, int hi) {
            const int mid = lo + (hi - lo) / 2;
            if (mid > lo)
                return mid;
            // No room left between them: take all the runs there are.
            budgeted = false;
            return lo;
        };
        // A search given up goes on further up rather than begin again.
        bool goOn = false;
        // Where the cache holds every run longer than the ceiling, the runs
        // of the ceiling itself may be taken up to a horizon.
        const bool horizonAllowed = cache_.IsValid() && cache_.Floor() == cache_.Threshold() &&
                                    ceiling == cache_.Threshold() - 1 && ceiling >= minLength_;
        for (;;) {
            const bool limited = budgeted && (x < ceiling || (x == ceiling && horizonAllowed));
            const std::size_t budget = limited ? FloodBudget() : kNoBudget;
            const auto found = goOn ? finder_.ContinueAll(x, pieces, budget)
                                    : finder_.FindAll(x, pieces, budget);
            goOn = false;
            if (found == CPieceFinder<T>::Found::Stopped) {
                cache_.Invalidate();
                return false;
            }
            if (found == CPieceFinder<T>::Found::TooMany && x == ceiling) {
                if (const auto horizon = finder_.GaveUpAt()) {
                    HoldUpToHorizon(ceiling, *horizon, pieces);
                    return true;
                }
                // Given up nowhere in particular: all of them are taken.
                budgeted = false;
                goOn = true;
                continue;
            }
            if (found == CPieceFinder<T>::Found::TooMany) {
                tooMany = x;
                const int hi = std::min(tooFew, ceiling + 1);
                x = between(tooMany, hi);
                // Where the search gave a rate to go by, it goes on where half
                // the budget should hold the runs, rather than halfway up.
                if (budgeted) {
                    const int fitting =
                        LowestFitting(pieces, finder_.ShareSearched(), budget / 2);
                    if (fitting > 0)
                        x = std::clamp(fitting, tooMany + 1, hi - 1);
                }
                goOn = true;
                continue;
            }
            int longest = 0;
            for (const PIECE& p : pieces)
                longest = std::max(longest, p.length);
            if (pieces.empty() ? x <= minLength_
                               : x <= ThresholdFor(longest) || pieces.size() >= CMatchList::kCapacity)
                break;
            if (!budgeted)
                break;
            tooFew = x;
            if (tooMany > 0)
                x = between(tooMany, tooFew);
            else if (pieces.empty())
                x = std::max(minLength_, x / 4);
            else
                x = std::max(minLength_, ThresholdFor(longest) / 2);
        }
        cache_.Reset(x, std::move(pieces));
        keptAtSearch_ = cache_.Size();
        ForgetCutsSinceRaise();
        ForgetStretchPairsNotHeld();
        return true;
    }

    // A search for the runs of x, one shorter than every run held, gave up
    // at the first-file range starting at `horizon`: the runs it found
    // before the horizon are taken, and those further on are searched for
    // when a pass needs them (MoveHorizon).
    void HoldUpToHorizon(int x, int horizon, const std::vector<PIECE>& pieces)
    {
        cache_.LowerBeforeHorizon(x, horizon);
        AddUpToHorizon(pieces);
        keptAtSearch_ = cache_.Size();
        ForgetCutsSinceRaise();
        ForgetStretchPairsNotHeld();
    }

    // Of a search of the ranges up to the horizon, the runs that are as long
    // as the threshold; the longer ones are held already. A stand-in longer
    // than that also stands for runs as long as the threshold, which its
    // stretch pair may not have held before: it goes in, and the runs it
    // has twice are taken once.
    void AddUpToHorizon(const std::vector<PIECE>& pieces)
    {
        for (const PIECE& p : pieces) {
            if (p.r1Start < cache_.Horizon() &&
                (p.length == cache_.Threshold() || p.stretchPair >= 0))
                cache_.Add(p);
        }
    }

    // Searches the first-file ranges from the horizon on for the runs as
    // long as the threshold, until a budget of them, and moves the horizon
    // to where the search stopped (or drops it at the end of the file).
    // False when a stop was requested meanwhile.
    bool MoveHorizon()
    {
        std::vector<PIECE> pieces;
        auto found = finder_.FindRowsFrom(cache_.Horizon(), cache_.Threshold(), pieces,
                                          FloodBudget());
        std::optional<int> horizon;
        if (found == CPieceFinder<T>::Found::TooMany) {
            horizon = finder_.GaveUpAt();
            if (!horizon)
                found = finder_.FindRowsFrom(cache_.Horizon(), cache_.Threshold(), pieces);
        }
        if (found == CPieceFinder<T>::Found::Stopped) {
            cache_.Invalidate();
            return false;
        }
        cache_.MoveHorizon(horizon.value_or(CPieceCache::kNoHorizon));
        AddUpToHorizon(pieces);
        ForgetStretchPairsNotHeld();
        return true;
    }

    // Stand-ins refer to the finder's stretch pairs by number, and those of
    // the stand-ins gone are let go once they outnumber the runs held.
    void ForgetStretchPairsNotHeld()
    {
        if (finder_.StretchPairs().size() <= 2 * cache_.Size() + kStretchPairsKeptAnyway)
            return;
        finder_.KeepStretchPairsOf([this](auto renumber) { cache_.ForEachStandIn(renumber); });
    }
    static constexpr std::size_t kStretchPairsKeptAnyway = 65536;

    // The lowest length whose runs, at the rate a search that gave up after
    // searching `share` of the first file found them, would be at most
    // `most` in the whole search; 0 when the search gave no rate to go by.
    // Only a guess, and only the speed of finding how high a search must go
    // depends on it: a guess too low gives up again further on, one too
    // high finds too few runs, and a search further down follows.
    static int LowestFitting(const std::vector<PIECE>& pieces, double share, std::size_t most)
    {
        if (share <= 0.0 || pieces.empty())
            return 0;
        std::vector<int> lengths;
        lengths.reserve(pieces.size());
        for (const PIECE& p : pieces)
            lengths.push_back(p.length);
        const auto fitting = static_cast<std::size_t>(static_cast<double>(most) * share);
        if (fitting >= lengths.size())
            return 0;
        // Keeping the `fitting` longest runs: one element longer than the
        // longest run left out.
        const auto nth = lengths.begin() + static_cast<std::ptrdiff_t>(fitting);
        std::nth_element(lengths.begin(), nth, lengths.end(), std::greater<>{});
        return *nth == std::numeric_limits<int>::max() ? *nth : *nth + 1;
    }

    // The best 25 runs of at least t2, in candidate order. A scan skips a
    // first-file range no longer than 3/4 of the best run found before it;
    // such a range can hold a run of t2 only when the run fills it, and then
    // that run is never offered.
    // Returns how many candidates were taken.
    // pastHorizon tells when the runs held ran out before a full list while
    // runs of t2 beyond the horizon might come next.
    std::size_t SelectCandidates(int t2, CMatchList& candidates, bool& pastHorizon)
    {
        std::size_t taken = 0;
        pastHorizon = false;
        for (std::size_t k = 0; taken < CMatchList::kCapacity; ++k) {
            const PIECE* ranked = cache_.RankedAt(k);
            if (!ranked) {
                pastHorizon = cache_.HasHorizon() && t2 <= cache_.Threshold();
                break;
            }
            if (ranked->length < t2)
                break;
            // A copy: ranking further may move what the cache has taken.
            const PIECE p = *ranked;
            if (SkippedByScan(p))
                continue;
            candidates.Offer(MATCH{p.posA, p.posB, p.length});
            ++taken;
        }
        cache_.EndRanked();
        return taken;
    }

    // A scan would skip the range only if the best run before it were at
    // least 4/3 as long as this one, so only the few runs that long are
    // looked at: the first of them in rank order that lies in an earlier
    // range is the best before it.
    bool SkippedByScan(const PIECE& p)
    {
        const RANGE& range1 = ranges1_[ranges1_.IndexOf(p.posA)];
        if (p.length != range1.length)
            return false;
        const long long enough = (4LL * range1.length + 2) / 3;
        for (std::size_t j = 0;; ++j) {
            const PIECE* q = cache_.RankedAt(j);
            if (!q || q->length < enough)
                return false;
            if (q->r1Start < p.r1Start)
                return true;
        }
    }

    // Adds the runs that the cuts brought into the windows of the new pairs;
    // the runs of the cut pairs are clipped by the cache as they come up.
    // False when a stop was requested meanwhile.
    bool UpdateCache(RangeChanges& changes)
    {
        const auto byStart = [](const RANGE& l, const RANGE& r) { return l.start < r.start; };
        std::sort(changes.removed1.begin(), changes.removed1.end(), byStart);
        std::sort(changes.removed2.begin(), changes.removed2.end(), byStart);
        std::vector<PIECE> pieces;
        if (!finder_.FindAfterCuts(changes.removed1, changes.removed2, pieces)) {
            cache_.Invalidate();
            return false;
        }
        NoteCutSinceRaise(changes);
        AddToCache(pieces);
        return true;
    }

    void AddToCache(const std::vector<PIECE>& pieces)
    {
        for (const PIECE& p : pieces) {
            // What a drop below left out is not taken in again.
            if (p.length < cache_.Floor())
                continue;
            cache_.Add(p);
            if (cache_.Size() >= MostKept())
                DropShortestRuns();
        }
    }

    // The most runs the cache keeps: never fewer than twice what the last
    // full search found. Where a full search must take in a million runs
    // of one length (the zero-filled fields of a large binary meeting each
    // other), a cap below that would drop them a pass later, and the same
    // full search would follow, again and again.
    std::size_t MostKept() const { return std::max(mostKept_, 2 * keptAtSearch_); }

    // Keeps about half of the most runs the cache keeps, the longest. The
    // runs below the threshold go first, and the threshold is raised only
    // if that is not enough.
    void DropShortestRuns()
    {
        const int above = cache_.Floor() == std::numeric_limits<int>::max() ? cache_.Floor()
                                                                            : cache_.Floor() + 1;
        const int shortest = std::max(above, cache_.LengthKeepingAtMost(MostKept() / 2));
        if (shortest > cache_.Threshold())
            finder_.Raise(shortest);
        // Samples kept for the old floor are no use for the new one.
        finder_.ForgetKeptSamples();
        cache_.DropBelow(shortest);
        if (cache_.Floor() >= cache_.Threshold()) {
            ForgetCutsSinceRaise();
        }
    }

    // Cuts a matched stretch out of a range list and notes which range went
    // and which ranges it left. A range made earlier in the same acceptance
    // and cut again was never seen by the cache: it is simply replaced.
    static void CutAndNote(CRangeList& list, int pos, int length, std::vector<RANGE>& removed,
                           std::vector<RANGE>& added)
    {
        const RANGE old = list[list.IndexOf(pos)];
        list.Cut(pos, length);
        const auto made = std::find_if(added.begin(), added.end(), [&](const RANGE& r) {
            return r.start == old.start && r.length == old.length;
        });
        if (made != added.end())
            added.erase(made);
        else
            removed.push_back(old);
        if (pos > old.start)
            added.push_back(RANGE{old.start, pos - old.start});
        if (pos + length < old.end())
            added.push_back(RANGE{pos + length, old.end() - pos - length});
    }

    // Accepts the candidates longest first. Each further candidate is trimmed
    // to the part that lies on its own side of the accepted one, in both files,
    // and stays a candidate only while it keeps at least t2 elements.
    void Accept(CMatchList& candidates, int t2, CDiffResult& result, const AcceptedHook& onAccepted,
                RangeChanges& changes)
    {
        CMatchList spare;
        while (!candidates.IsEmpty()) {
            const MATCH m = candidates.PopBest();
            result.Append(DIFF_BLOCK::MakeCommon(NextBlockId(), m.length, m.posA, m.posB));
            for (std::size_t i = candidates.Count(); i-- > 0;) {
                MATCH e = candidates[i];
                TrimMatch(e, m);
                if (e.length >= t2)
                    spare.Offer(e);
            }
            candidates.Clear();
            CutAndNote(ranges1_, m.posA, m.length, changes.removed1, changes.added1);
            CutAndNote(ranges2_, m.posB, m.length, changes.removed2, changes.added2);
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
    std::size_t floodBudget_;
    std::size_t floodBudgetPerRange_;
    std::size_t mostKept_;
    // How many runs the last full search found.
    std::size_t keptAtSearch_ = 0;
    long long acceptedTotal_ = 0;
    // The ranges cut since the cache's threshold was raised above its floor,
    // as they were.
    std::vector<RANGE> cutSinceRaise1_;
    std::vector<RANGE> cutSinceRaise2_;
    CPieceFinder<T> finder_;
    CPieceCache cache_;
};
