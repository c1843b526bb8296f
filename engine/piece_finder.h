#pragma once

#include "engine/gram_index.h"
#include "engine/piece.h"
#include "engine/range_list.h"
#include "engine/stamped_map.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

// Finds every run of at least x equal elements between the unmatched ranges of
// two element sequences, on the diagonals that start less than `limit`
// elements from a pair's starts.
//
// A run of x elements holds a gram of q elements at each of x - q + 1
// consecutive starts, so looking at the first file's grams every x - q + 1
// elements meets every such run. The hits are found one of two ways: when the
// sampled grams are few, by walking the second file once and looking each of
// its grams up among the samples; when they are many, by looking each sample
// up in an index of the second file's grams, which is kept across passes.
template<typename T> class CPieceFinder
{
public:
    CPieceFinder(const T* first, const T* second, const CRangeList& ranges1,
                 const CRangeList& ranges2, int limit, const std::atomic<bool>& stopRequested)
        : e1_(first), e2_(second), ranges1_(ranges1), ranges2_(ranges2), limit_(limit),
          stop_(stopRequested),
          // A finder starts on ranges that still hold the whole files.
          gramStretches1_(
              FindUniform(first, static_cast<int>(ranges1.Elements()), kShortestUniformGram)),
          gramStretches2_(
              FindUniform(second, static_cast<int>(ranges2.Elements()), kShortestUniformGram)),
          // The long stretches are among the short ones: the files are scanned once.
          uniform1_(AtLeast(gramStretches1_, kShortestUniform)),
          uniform2_(AtLeast(gramStretches2_, kShortestUniform)),
          gramStretchesByElement2_(ByElement(second, gramStretches2_))
    {
    }

    enum class Found
    {
        All,
        TooMany, // more than the budget: the search was given up
        Stopped, // a stop was requested
    };

    // Collects every run of at least x elements (x >= 1) into pieces; later
    // column searches sample the first file at this x. Gives up once more
    // than `budget` runs are found, but not before the first row is searched.
    Found FindAll(int x, std::vector<PIECE>& pieces,
                  std::size_t budget = std::numeric_limits<std::size_t>::max())
    {
        pieces.clear();
        ForgetKeptSamples();
        ForgetNotedStretchPairs();
        ++fullSearches_;
        return FindInRowsFrom(0, x, pieces, budget);
    }

    // As FindAll, for the runs of the rows that start at `from` or further
    // on only.
    Found FindRowsFrom(int from, int x, std::vector<PIECE>& pieces,
                       std::size_t budget = std::numeric_limits<std::size_t>::max())
    {
        pieces.clear();
        ForgetNotedStretchPairs();
        const auto& rows = ranges1_.Ranges();
        const auto first = std::partition_point(rows.begin(), rows.end(),
                                                [from](const RANGE& r) { return r.start < from; });
        return FindInRowsFrom(static_cast<std::uint32_t>(first - rows.begin()), x, pieces, budget);
    }

    // After a FindAll or a ContinueAll that gave up with too many runs, and
    // before any range changes: goes on for runs of at least x, which must
    // not be lower than the x given up at. The runs found so far that are
    // shorter are dropped, and the search goes on from the row it gave up
    // in: a search given up is not begun again, so finding how high x must
    // be to keep the runs few costs about one search. Where the search
    // cannot go on from where it stopped (it walked the second file), it
    // starts again.
    Found ContinueAll(int x, std::vector<PIECE>& pieces,
                      std::size_t budget = std::numeric_limits<std::size_t>::max())
    {
        if (!continueFrom_)
            return FindAll(x, pieces, budget);
        std::erase_if(pieces, [x](const PIECE& p) { return p.length < x; });
        return FindInRowsFrom(*continueFrom_, x, pieces, budget);
    }

    // How much of the first file's ranges, as a share of their elements, a
    // search that gave up had searched: how fast it was finding runs.
    double ShareSearched() const { return shareSearched_; }

    // Where a search that gave up stopped: the start of the first row it
    // did not search to the end, every row before it searched; nothing when
    // it walked the second file instead, and stopped nowhere in particular.
    std::optional<int> GaveUpAt() const
    {
        if (!continueFrom_)
            return std::nullopt;
        return ranges1_[*continueFrom_].start;
    }

    // The stretch pairs that the pieces found stand in for (PIECE::
    // stretchPair), by number.
    const std::vector<STRETCH_PAIR>& StretchPairs() const { return stretchPairs_; }

    // Keeps only the stretch pairs that the stand-ins visited by
    // forEachStandIn(renumber) refer to, and renumbers those stand-ins: the
    // pairs of stand-ins that are gone pile up search after search.
    template<typename ForEachStandIn> void KeepStretchPairsOf(ForEachStandIn forEachStandIn)
    {
        std::vector<STRETCH_PAIR> kept;
        forEachStandIn([&](PIECE& standIn) {
            kept.push_back(stretchPairs_[static_cast<std::size_t>(standIn.stretchPair)]);
            standIn.stretchPair = static_cast<int>(kept.size() - 1);
        });
        stretchPairs_ = std::move(kept);
    }

    // Searches from now on for runs of at least x only.
    void Raise(int x)
    {
        continueFrom_.reset();
        SetThreshold(x);
        MarkSamplesStale();
    }

    // As Raise, and puts the samples taken for the present x aside for a
    // later FindAfterCutsDownTo back to it: taking them anew would cost a
    // walk over the whole first file each time.
    void RaiseKeepingSamples(int x)
    {
        keptX_ = x_;
        keptStale_ = samplesStale_;
        keptTable_ = std::move(sampleTable_);
        keptAdded_ = std::move(addedSamples_);
        // Raise leaves fresh, empty samples behind.
        Raise(x);
    }

    void ForgetKeptSamples()
    {
        keptX_ = 0;
        keptTable_ = SampleTable{};
        keptAdded_ = AddedSamples{};
    }

    // After some ranges were cut (cut1, cut2: the ranges as they were, in
    // position order): the runs of at least the present x that the pairs
    // made by the cuts have on diagonals the pairs they were cut from did
    // not walk. False when a stop was requested meanwhile.
    //
    // A range made by a cut lies inside the range it was cut from, so on the
    // diagonals that the old pair also walked its runs are the old runs,
    // clipped to the new pair (ClipToCurrentRanges). Only a range that lost
    // its front sees its window shift, by the length lost: the diagonals that
    // shift brings in are searched here, and only in pairs whose ranges reach
    // that far.
    bool FindAfterCuts(const std::vector<RANGE>& cut1, const std::vector<RANGE>& cut2,
                       std::vector<PIECE>& pieces)
    {
        // The new rows' samples go in first: a column walk meets the rows that
        // are not searched on their own through them.
        return SearchShiftedWindows(cut1, cut2, pieces, SampleMadeRows::Yes);
    }

    // The same for runs of at least x, lower than what was searched since the
    // ranges cut1 and cut2 (as they were) were cut, however many times; x is
    // searched for from now on. Gives up once more than `budget` runs are
    // found.
    Found FindAfterCutsDownTo(int x, const std::vector<RANGE>& cut1,
                              const std::vector<RANGE>& cut2, std::vector<PIECE>& pieces,
                              std::size_t budget)
    {
        // The samples put aside at x lack only those of the rows made since;
        // without them, every row's samples are taken anew.
        SampleMadeRows sampleMadeRows = SampleMadeRows::No;
        if (keptX_ == x) {
            SetThreshold(x);
            sampleTable_ = std::move(keptTable_);
            addedSamples_ = std::move(keptAdded_);
            samplesStale_ = keptStale_;
            sampleMadeRows = SampleMadeRows::Yes;
        } else {
            Raise(x);
        }
        ForgetKeptSamples();
        budget_ = budget;
        const bool done = SearchShiftedWindows(cut1, cut2, pieces, sampleMadeRows);
        budget_ = std::numeric_limits<std::size_t>::max();
        if (!done)
            return stop_ ? Found::Stopped : Found::TooMany;
        return Found::All;
    }

private:
    // Walking the second file costs a few steps per element, a lookup in the
    // index about as much as a cache miss: streaming pays off while there are
    // fewer samples than about one per this many elements of the second file.
    static constexpr long long kSamplesPerStreamedElement = 16;
    static constexpr int kSamplesBetweenStopChecks = 4096;
    // A bucket this small is searched entry by entry in any case.
    static constexpr std::size_t kCrowdedBucketMinimum = 64;
    // Passes that search by walking before an index of the second file is
    // built for the passes after them.
    static constexpr int kPassesBeforeIndex = 4;
    static constexpr int kFullSearchesBeforeIndex = 4;

    // Longer grams are rarer, so fewer false hits are followed; shorter ones
    // allow sampling further apart. Lines are varied enough that a gram of
    // half a run is rare already. Bytes are not: compiled code repeats short
    // patterns everywhere, and grams of half a run hit millions of times
    // without extending to one, so bytes take grams nearly as long as the
    // run and sample more often instead.
    static int GramLength(int x)
    {
        if (x <= 2)
            return x;
        const int wanted = sizeof(T) == 1 ? x : x / 2 + x % 2;
        return static_cast<int>(std::bit_floor(static_cast<unsigned>(std::min(16, wanted))));
    }

    void SetThreshold(int x)
    {
        x_ = x;
        q_ = GramLength(x);
        step_ = x - q_ + 1;
    }

    long long CountSamples(const std::vector<std::uint32_t>& rows) const
    {
        long long samples = 0;
        for (std::uint32_t r1 : rows) {
            const RANGE& r = ranges1_[r1];
            if (r.length >= x_)
                samples += (r.length - q_) / step_ + 1;
        }
        return samples;
    }

    enum class Search
    {
        Once,          // the first search at a threshold
        PassAfterPass, // the new rows of every pass, until the next FindAll
    };

    // Whether looking samples up in an index of the second file pays off
    // even when they are few. Building the index costs a few walks over the
    // second file, a search by walking costs one, so a comparison of a few
    // passes walks. But thousands of similar runs take hundreds of passes,
    // and every walk would cover the whole second file again: once a few
    // passes have walked, the index is built and kept, and each further pass
    // costs what its samples cost.
    //
    // The same holds for full searches: where thousands of runs are equally
    // long (the repeated records of a large binary), a search that finds too
    // many is repeated further up, and the cache empties again after a few
    // passes. Walking the second file for each would make every one of them
    // cost the whole file.
    bool IndexPaysOff(Search search) const
    {
        const auto slot = indexes_.find(q_);
        if (slot != indexes_.end() && slot->second)
            return true;
        return search == Search::Once ? fullSearches_ > kFullSearchesBeforeIndex
                                      : passes_ > kPassesBeforeIndex;
    }

    // The runs of the given first-file ranges against every second-file range.
    bool FindInRowsNow(const std::vector<std::uint32_t>& rows, Search search)
    {
        if (limit_ <= 0 || rows.empty())
            return true;
        const bool fewSamples =
            CountSamples(rows) * kSamplesPerStreamedElement < ranges2_.Elements();
        if (fewSamples && !IndexPaysOff(search))
            return FindByStreaming(rows);
        return FindByIndex(rows);
    }

    bool Interrupted() const { return stop_ || pieces_->size() > budget_; }

    // Searches the rows from `first` on (all rows before it were searched at
    // an x no higher), noting where a search given up can go on.
    Found FindInRowsFrom(std::uint32_t first, int x, std::vector<PIECE>& pieces,
                         std::size_t budget)
    {
        // The sample table holds for one x: all rows sampled at it.
        if (x != x_)
            MarkSamplesStale();
        SetThreshold(x);
        pieces_ = &pieces;
        budget_ = budget;
        continueFrom_.reset();
        rowsSearched_ = 0;
        std::vector<std::uint32_t> rows;
        for (std::uint32_t r1 = first; r1 < ranges1_.Count(); ++r1)
            rows.push_back(r1);
        searchedByIndex_ = false;
        const bool done = FindInRowsNow(rows, Search::Once);
        budget_ = std::numeric_limits<std::size_t>::max();
        if (done)
            return Found::All;
        if (stop_)
            return Found::Stopped;
        if (searchedByIndex_) {
            // The row given up in is searched again from its start: the runs
            // it found already are kept, and found once more, which the
            // cache takes once.
            continueFrom_ = first + static_cast<std::uint32_t>(rowsSearched_);
            long long before = 0;
            for (std::uint32_t r1 = 0; r1 < *continueFrom_; ++r1)
                before += ranges1_[r1].length;
            shareSearched_ = ranges1_.Elements() > 0
                                 ? static_cast<double>(before) / ranges1_.Elements()
                                 : 0.0;
        } else {
            shareSearched_ = 0.0;
        }
        return Found::TooMany;
    }

    bool StopNow(long long& counter) const
    {
        return ++counter % kSamplesBetweenStopChecks == 0 && Interrupted();
    }

    // --- After cuts ------------------------------------------------------------

    enum class SampleMadeRows
    {
        No,
        Yes,
    };

    bool SearchShiftedWindows(const std::vector<RANGE>& cut1, const std::vector<RANGE>& cut2,
                              std::vector<PIECE>& pieces, SampleMadeRows sampleMadeRows)
    {
        pieces.clear();
        pieces_ = &pieces;
        continueFrom_.reset();
        ForgetNotedStretchPairs();
        ++passes_;
        NoteShifts(ranges1_, cut1, shift1_, reaching1_, made1_);
        NoteShifts(ranges2_, cut2, shift2_, reaching2_, made2_);
        if (sampleMadeRows == SampleMadeRows::Yes)
            AddSamples(made1_);
        afterCuts_ = true;
        const bool done = limit_ <= 0 || (FindInRowsNow(reaching1_, Search::PassAfterPass) &&
                                           FindInColumns(reaching1_, reaching2_));
        afterCuts_ = false;
        return done;
    }

    // For every current range: how far its start moved from the start of the
    // range it was cut from (0 for a range that was not cut). Also the ranges
    // made by the cuts, and those among them whose window shifted onto
    // diagonals no old pair reached: they lost their front and still reach
    // `limit` elements past the old start.
    void NoteShifts(const CRangeList& ranges, const std::vector<RANGE>& cut,
                    std::vector<int>& shift, std::vector<std::uint32_t>& reaching,
                    std::vector<std::uint32_t>& made) const
    {
        shift.assign(ranges.Count(), 0);
        reaching.clear();
        made.clear();
        std::size_t from = 0;
        for (std::uint32_t i = 0; i < ranges.Count(); ++i) {
            const RANGE& r = ranges[i];
            while (from < cut.size() && cut[from].end() <= r.start)
                ++from;
            if (from == cut.size() || cut[from].start > r.start)
                continue;
            made.push_back(i);
            shift[i] = r.start - cut[from].start;
            if (shift[i] > 0 && r.end() - cut[from].start > limit_)
                reaching.push_back(i);
        }
    }

    // The relative offsets of the diagonals of pair (r1, r2) to search, both
    // ends included: all of the window, or after cuts only those that the
    // pair's old window did not hold.
    struct Window
    {
        int lo;
        int hi;
    };
    Window WindowOf(std::uint32_t r1, std::uint32_t r2) const
    {
        Window w{-limit_ + 1, limit_ - 1};
        if (!afterCuts_)
            return w;
        const long long moved = static_cast<long long>(shift1_[r1]) - shift2_[r2];
        if (moved > 0)
            w.hi = static_cast<int>(std::min<long long>(w.hi, moved - limit_));
        else if (moved < 0)
            w.lo = static_cast<int>(std::max<long long>(w.lo, moved + limit_));
        else
            w.hi = w.lo - 1;
        return w;
    }

    // The grams of column r2 (their first positions, both ends included)
    // that a sample alongLo to alongHi elements into its row reaches on the
    // diagonals of the window; empty when first > last.
    struct GRAM_SPAN
    {
        long long first;
        long long last;
    };
    GRAM_SPAN GramsInWindow(const RANGE& range2, const Window& window, long long alongLo,
                            long long alongHi) const
    {
        return {std::max<long long>(range2.start, range2.start + alongLo + window.lo),
                std::min<long long>(range2.end() - q_, range2.start + alongHi + window.hi)};
    }

    // --- Sample by sample, through the index of the second file -------------

    const CGramIndex<T>& IndexFor(int q)
    {
        auto& slot = indexes_[q];
        // Rebuilt once half of what it indexed has been matched, so lookups do
        // not keep wading through positions that are gone.
        if (!slot || ranges2_.Elements() * 2 < slot->BuiltElements()) {
            // The old index goes first, so that two are never held at once.
            slot.reset();
            slot = std::make_unique<CGramIndex<T>>(e2_, ranges2_, q);
        }
        return *slot;
    }

    bool FindByIndex(const std::vector<std::uint32_t>& rows)
    {
        const CGramIndex<T>& index = IndexFor(q_);
        SortColumnsByLength();
        searchedByIndex_ = true;
        // A search gives up only once it has searched its first row to the
        // end, so that one that goes on from where it gave up moves on.
        const std::size_t budget = budget_;
        budget_ = std::numeric_limits<std::size_t>::max();
        long long counter = 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const std::uint32_t r1 = rows[i];
            const RANGE& range1 = ranges1_[r1];
            rowsSearched_ = i;
            if (i == 1)
                budget_ = budget;
            if (Interrupted())
                return false;
            if (range1.length < x_)
                continue;
            covered_.Clear();
            cursorsInUse_ = 0;
            for (int a = range1.start; a + q_ <= range1.end(); a += step_) {
                if (StopNow(counter))
                    return false;
                if (const UNIFORM* stretch1 = UniformGramAt(gramStretches1_, a)) {
                    a = LookUpUniformSamples(r1, *stretch1, a);
                    // The samples of a long stretch can find more runs at
                    // once than thousands of others: the budget is looked at
                    // after each stretch.
                    if (Interrupted())
                        return false;
                } else {
                    LookUpSample(index, r1, a);
                }
            }
        }
        budget_ = budget;
        return true;
    }

    // A stretch of one element repeated, [start, end).
    struct UNIFORM
    {
        int start;
        int end;
    };

    // A hit of a sample `along` elements into its range can lie only in the
    // window of a second-file range long enough to reach that far. A common
    // gram has hits all over the file, most of them in no window: then the
    // windows of the ranges that can hold one are looked up instead, each by
    // a binary search of the (ascending) bucket.
    void LookUpSample(const CGramIndex<T>& index, std::uint32_t r1, int a)
    {
        const auto bucket = index.Lookup(GramHash<T>::Of(e1_ + a, q_));
        if (bucket.Size() == 0)
            return;
        const UNIFORM* stretch1 = UniformGramAt(gramStretches1_, a);
        const int along = a - ranges1_[r1].start;
        const std::size_t reaching = ColumnsReaching(along);
        const std::size_t perWindow = static_cast<std::size_t>(std::bit_width(bucket.Size())) + 2;
        if (bucket.Size() <= kCrowdedBucketMinimum || bucket.Size() < reaching * perWindow) {
            // The bucket ascends, so the range of each hit is found by
            // moving on from the range of the one before.
            const std::size_t ranges = ranges2_.Count();
            std::size_t r2 = 0;
            const auto followInItsRange = [&](int b) {
                if (r2 < ranges && ranges2_[r2].end() <= b)
                    r2 = ranges2_.FirstEndingAfter(b, r2);
                if (r2 < ranges && ranges2_[r2].start <= b)
                    Follow(r1, a, static_cast<std::uint32_t>(r2), b,
                           static_cast<std::uint32_t>(r2));
            };
            const auto noteInItsRanges = [&](const UNIFORM& stretch2) {
                for (std::size_t k = FirstRangeEndingAfter(ranges2_, stretch2.start);
                     k < ranges && ranges2_[k].start < stretch2.end; ++k)
                    NoteStretchPair(r1, static_cast<std::uint32_t>(k), *stretch1, stretch2,
                                    WindowOf(r1, static_cast<std::uint32_t>(k)));
            };
            FollowHits(stretch1, a, bucket.begin, bucket.end, followInItsRange, noteInItsRanges);
            return;
        }
        for (std::size_t k = 0; k < reaching; ++k) {
            const std::uint32_t r2 = columnsByLength_[k];
            const RANGE& range2 = ranges2_[r2];
            const Window window = WindowOf(r1, r2);
            const GRAM_SPAN grams = GramsInWindow(range2, window, along, along);
            if (grams.first > grams.last)
                continue;
            const std::int32_t* from = std::lower_bound(bucket.begin, bucket.end, grams.first);
            const std::int32_t* to = std::upper_bound(from, bucket.end, grams.last);
            FollowHits(
                stretch1, a, from, to, [&](int b) { Follow(r1, a, r2, b, r2); },
                [&](const UNIFORM& stretch2) {
                    if (stretch2.start < range2.end() && range2.start < stretch2.end)
                        NoteStretchPair(r1, r2, *stretch1, stretch2, window);
                });
        }
    }

    // Visits the hits [from, to) of the sample at a, ascending. A sample
    // inside a stretch of one repeated element (stretch1) hits every position
    // of every such stretch of the other file; of those, only the ones whose
    // run can reach x are visited (UniformHitsWorthFollowing). Where the
    // stretches' runs are many (StandsIn), only the hits on the two diagonals
    // where their starts or their ends meet are visited, and note(stretch2)
    // takes the stretch pair's other diagonals as a whole.
    template<typename Visit, typename Note>
    void FollowHits(const UNIFORM* stretch1, int a, const std::int32_t* from,
                    const std::int32_t* to, Visit visit, Note note) const
    {
        for (const std::int32_t* it = from; it != to;) {
            const UNIFORM* stretch2 = stretch1 ? UniformGramAt(gramStretches2_, *it) : nullptr;
            if (!stretch2) {
                visit(*it++);
                continue;
            }
            const std::int32_t* past = std::upper_bound(it, to, stretch2->end - q_);
            const bool standIn = StandsIn(*stretch1, *stretch2);
            const Segments segments = standIn ? StretchMeets(*stretch1, a, *stretch2)
                                              : UniformHitsWorthFollowing(*stretch1, a, *stretch2);
            for (const Segment& segment : segments) {
                it = std::lower_bound(it, past, segment.first);
                for (; it != past && *it <= segment.last; ++it)
                    visit(*it);
            }
            if (standIn)
                note(*stretch2);
            it = past;
        }
    }

    struct Segment
    {
        long long first;
        long long last;
    };
    // At most three, kept off the heap: this runs for every stretch hit.
    struct Segments
    {
        std::array<Segment, 3> items;
        std::size_t count = 0;
        const Segment* begin() const { return items.data(); }
        const Segment* end() const { return items.data() + count; }
    };

    // The positions in stretch2 where a hit of the sample at a (inside
    // stretch1) can start a run of x, ascending. Off the two diagonals where
    // the stretches' starts or their ends meet, the run through a hit is
    // exactly the overlap of the two stretches on that diagonal: before the
    // later start, and after the earlier end, one side still repeats its
    // element and the other no longer does. So besides those two diagonals
    // only the ones whose overlap is x or more can hold a run of x.
    Segments UniformHitsWorthFollowing(const UNIFORM& stretch1, int a,
                                       const UNIFORM& stretch2) const
    {
        Segments segments;
        const long long startsMeet = 1LL * stretch2.start + (a - stretch1.start);
        const long long endsMeet = 1LL * stretch2.end - (stretch1.end - a);
        segments.items[segments.count++] = {startsMeet, startsMeet};
        segments.items[segments.count++] = {endsMeet, endsMeet};
        if (stretch1.end - stretch1.start >= x_ && stretch2.end - stretch2.start >= x_)
            segments.items[segments.count++] = {1LL * a + x_ + stretch2.start - stretch1.end,
                                                1LL * a + stretch2.end - stretch1.start - x_};
        return SortedAndMerged(segments);
    }

    // The segments in ascending order, the empty ones dropped and the ones
    // that overlap or touch joined: overlapping segments would visit a hit
    // twice.
    static Segments SortedAndMerged(Segments segments)
    {
        // Three at most: an insertion sort by hand (std::sort on so short a
        // range makes GCC 12 warn of bounds its short-range path never uses).
        for (std::size_t i = 1; i < segments.count; ++i) {
            for (std::size_t j = i; j > 0 && segments.items[j].first < segments.items[j - 1].first;
                 --j)
                std::swap(segments.items[j], segments.items[j - 1]);
        }
        Segments merged;
        for (std::size_t i = 0; i < segments.count; ++i) {
            const Segment& segment = segments.items[i];
            if (segment.first > segment.last)
                continue;
            Segment& previous = merged.items[merged.count == 0 ? 0 : merged.count - 1];
            if (merged.count > 0 && segment.first <= previous.last + 1)
                previous.last = std::max(previous.last, segment.last);
            else
                merged.items[merged.count++] = segment;
        }
        return merged;
    }

    // The hits of the sample at a (inside stretch1) on the diagonals where
    // the stretches' starts or their ends meet, ascending.
    Segments StretchMeets(const UNIFORM& stretch1, int a, const UNIFORM& stretch2) const
    {
        Segments meets;
        const long long startsMeet = 1LL * stretch2.start + (a - stretch1.start);
        const long long endsMeet = 1LL * stretch2.end - (stretch1.end - a);
        meets.items[meets.count++] = {std::min(startsMeet, endsMeet), std::min(startsMeet, endsMeet)};
        if (startsMeet != endsMeet)
            meets.items[meets.count++] = {std::max(startsMeet, endsMeet),
                                          std::max(startsMeet, endsMeet)};
        return meets;
    }

    // The samples of row r1 inside stretch1 from `first` on, all at once;
    // returns the last of them. Their grams are all one element repeated,
    // so their hits are the grams inside the other file's stretches of that
    // element, and on each diagonal every sample that hits it meets the
    // same run. So the stretches are taken from a list of them rather than
    // from the index, where the gram of a common element such as zero has a
    // bucket of millions of positions, and each diagonal is followed once,
    // from the first sample that hits it: the same runs the samples would
    // find one by one.
    int LookUpUniformSamples(std::uint32_t r1, const UNIFORM& stretch1, int first)
    {
        const RANGE& range1 = ranges1_[r1];
        const int lastGram = std::min(stretch1.end, range1.end()) - q_;
        const int last = first + (lastGram - first) / step_ * step_;
        const auto [from, to] = StretchesOf(e1_[first]);
        if (from == to)
            return last;
        const int alongFirst = first - range1.start;
        const int alongLast = last - range1.start;
        const std::size_t reaching = ColumnsReaching(alongFirst);
        std::vector<const UNIFORM*>* cursors = CursorsOf(e1_[first]);
        for (std::size_t k = 0; k < reaching; ++k) {
            const std::uint32_t r2 = columnsByLength_[k];
            const RANGE& range2 = ranges2_[r2];
            const Window window = WindowOf(r1, r2);
            // The grams of the column that some sample's window reaches.
            const GRAM_SPAN grams = GramsInWindow(range2, window, alongFirst, alongLast);
            if (grams.first > grams.last)
                continue;
            // The first stretch with a gram at grams.first or further on.
            const UNIFORM* first2 = cursors ? (*cursors)[k] : nullptr;
            first2 = FirstStretchEndingFrom(first2 ? first2 : from, to, grams.first + q_);
            if (cursors)
                (*cursors)[k] = first2;
            for (const UNIFORM* it = first2; it != to && it->start <= grams.last; ++it)
                FollowStretchPair(r1, r2, window, stretch1, *it, first, last);
        }
        return last;
    }

    // The first of the stretches [from, to) (in position order) that ends at
    // `end` or later. A cursor moves on by only a few stretches at a time, so
    // those are stepped over before the rest is searched.
    static const UNIFORM* FirstStretchEndingFrom(const UNIFORM* from, const UNIFORM* to,
                                                 long long end)
    {
        for (int i = 0; i < 8; ++i, ++from) {
            if (from == to || from->end >= end)
                return from;
        }
        return std::lower_bound(from, to, end,
                                [](const UNIFORM& u, long long e) { return u.end < e; });
    }

    // The samples of one row come in ascending order, and so do the grams
    // their windows reach in every column: each column's look-up of the
    // stretches of one element starts where its last one for the row found
    // the first, rather than searching them all again. Rows of data meet
    // thousands of columns for each of their stretches of zeros. Kept for a
    // few elements per row; nullptr beyond those, which are searched anew.
    static constexpr std::size_t kElementsWithCursors = 4;
    std::vector<const UNIFORM*>* CursorsOf(T element)
    {
        for (std::size_t i = 0; i < cursorsInUse_; ++i) {
            if (stretchCursors_[i].first == element)
                return &stretchCursors_[i].second;
        }
        if (cursorsInUse_ == kElementsWithCursors)
            return nullptr;
        if (stretchCursors_.size() == cursorsInUse_)
            stretchCursors_.emplace_back();
        auto& [cursorElement, cursors] = stretchCursors_[cursorsInUse_++];
        cursorElement = element;
        cursors.assign(columnsByLength_.size(), nullptr);
        return &cursors;
    }

    // The diagonals of pair (r1, r2) on which the samples first, first +
    // step_, ..., last (inside stretch1) hit grams inside stretch2, as the
    // samples' own look-ups would visit them: where the stretches' starts or
    // ends meet, and where their overlap holds a run of x unless the pair
    // stands in for those.
    void FollowStretchPair(std::uint32_t r1, std::uint32_t r2, const Window& window,
                           const UNIFORM& stretch1, const UNIFORM& stretch2, int first, int last)
    {
        const RANGE& range1 = ranges1_[r1];
        const RANGE& range2 = ranges2_[r2];
        // The grams inside both stretch2 and the column.
        const long long gramsLo = std::max(stretch2.start, range2.start);
        const long long gramsHi = std::min(stretch2.end, range2.end()) - q_;
        if (gramsLo > gramsHi)
            return;
        const long long corner = static_cast<long long>(range2.start) - range1.start;
        const bool standIn = StandsIn(stretch1, stretch2);
        Segments deltas;
        const long long startsMeet = 1LL * stretch2.start - stretch1.start;
        const long long endsMeet = 1LL * stretch2.end - stretch1.end;
        deltas.items[deltas.count++] = {startsMeet, startsMeet};
        deltas.items[deltas.count++] = {endsMeet, endsMeet};
        if (!standIn && stretch1.end - stretch1.start >= x_ && stretch2.end - stretch2.start >= x_)
            deltas.items[deltas.count++] = {1LL * x_ + stretch2.start - stretch1.end,
                                            1LL * stretch2.end - stretch1.start - x_};
        deltas = SortedAndMerged(deltas);
        for (const Segment& segment : deltas) {
            const long long deltaLo = std::max(segment.first, corner + window.lo);
            const long long deltaHi = std::min(segment.last, corner + window.hi);
            for (long long delta = deltaLo; delta <= deltaHi; ++delta) {
                // The first sample whose hit on this diagonal lies in the grams.
                const long long need = gramsLo - delta - first;
                const long long a = first + (need <= 0 ? 0 : (need + step_ - 1) / step_ * step_);
                if (a > last || a + delta > gramsHi)
                    continue;
                if (delta == startsMeet || delta == endsMeet)
                    Follow(r1, static_cast<int>(a), r2, static_cast<int>(a + delta), r2);
                else
                    TakeOverlap(range1, range2, stretch1, stretch2, delta);
            }
        }
        if (standIn)
            NoteStretchPair(r1, r2, stretch1, stretch2, window);
    }

    // The run on a diagonal off the two where the stretches' starts or ends
    // meet: their overlap, clipped to the pair's ranges. Known without
    // comparing a single element, and met by no other sample of the row, so
    // it is taken without the bookkeeping that Follow does for runs that
    // other samples may meet again; on data full of short stretches of zeros
    // that bookkeeping was most of a search's time.
    void TakeOverlap(const RANGE& range1, const RANGE& range2, const UNIFORM& stretch1,
                     const UNIFORM& stretch2, long long delta)
    {
        const long long lo = std::max({1LL * stretch1.start, stretch2.start - delta,
                                       1LL * range1.start, range2.start - delta});
        const long long hi = std::min(
            {1LL * stretch1.end, stretch2.end - delta, 1LL * range1.end(), range2.end() - delta});
        if (hi - lo >= x_)
            pieces_->push_back(PIECE{range1.start, range1.length, range2.start, range2.length,
                                     static_cast<int>(lo), static_cast<int>(lo + delta),
                                     static_cast<int>(hi - lo)});
    }

    // The stretch of the second file that holds the gram at b, if it is long
    // enough for a stand-in: a column walk takes such a stretch as a whole,
    // and a short one gram by gram, which costs less.
    const UNIFORM* LongStretchAt(int b) const
    {
        const UNIFORM* stretch = UniformGramAt(gramStretches2_, b);
        return stretch && stretch->end - stretch->start >= kShortestStandIn ? stretch : nullptr;
    }

    // Whether the runs of a pair of stretches are kept as one stand-in: where
    // one is long and the other can hold a run of x, their runs of x lie on
    // hundreds of diagonals. The zero-filled fields of compiled data are a few
    // dozen bytes each and meet the long stretches of the other file by the
    // thousand: followed run by run, they would fill the cache with millions
    // of runs of one length. Pairs of short ones are followed run by run,
    // which costs less than noting them.
    bool StandsIn(const UNIFORM& stretch1, const UNIFORM& stretch2) const
    {
        const int length1 = stretch1.end - stretch1.start;
        const int length2 = stretch2.end - stretch2.start;
        return std::min(length1, length2) >= x_ && std::max(length1, length2) >= kShortestStandIn;
    }

    // The second file's gram stretches that repeat `element`, in position
    // order.
    std::pair<const UNIFORM*, const UNIFORM*> StretchesOf(T element) const
    {
        const UNIFORM* begin = gramStretchesByElement2_.data();
        const UNIFORM* end = begin + gramStretchesByElement2_.size();
        const UNIFORM* from = std::partition_point(
            begin, end, [&](const UNIFORM& u) { return e2_[u.start] < element; });
        const UNIFORM* to = std::partition_point(
            from, end, [&](const UNIFORM& u) { return e2_[u.start] == element; });
        return {from, to};
    }

    static std::vector<UNIFORM> ByElement(const T* e, std::vector<UNIFORM> stretches)
    {
        std::stable_sort(
            stretches.begin(), stretches.end(),
            [e](const UNIFORM& l, const UNIFORM& r) { return e[l.start] < e[r.start]; });
        return stretches;
    }

    // The stretch of one repeated element whose gram at pos lies wholly
    // inside it, or nullptr. Only grams of kShortestUniformGram or more are
    // looked at: shorter grams are too common to treat this way.
    const UNIFORM* UniformGramAt(const std::vector<UNIFORM>& stretches, int pos) const
    {
        if (q_ < kShortestUniformGram)
            return nullptr;
        const UNIFORM* stretch = UniformAt(stretches, pos);
        return stretch && pos + q_ <= stretch->end ? stretch : nullptr;
    }

    // Orders the second file's ranges longest first, for ColumnsReaching.
    void SortColumnsByLength()
    {
        columnsByLength_.clear();
        for (std::uint32_t r2 = 0; r2 < ranges2_.Count(); ++r2)
            columnsByLength_.push_back(r2);
        std::sort(columnsByLength_.begin(), columnsByLength_.end(),
                  [this](std::uint32_t l, std::uint32_t r) {
                      return ranges2_[l].length > ranges2_[r].length;
                  });
    }

    // How many of the longest second-file ranges can hold a hit of a sample
    // `along` elements into its range: those with a gram at least
    // along - limit + 1 elements in.
    std::size_t ColumnsReaching(int along) const
    {
        const long long shortest = 1LL * along - limit_ + 1 + q_;
        return static_cast<std::size_t>(
            std::partition_point(columnsByLength_.begin(), columnsByLength_.end(),
                                 [&](std::uint32_t r2) { return ranges2_[r2].length >= shortest; }) -
            columnsByLength_.begin());
    }

    // --- Walking the second file past a table of the samples ----------------

    // A sample of the first file: the gram at a, and the range it was taken
    // from, so that a sample of a range that has since been cut is ignored.
    struct Sample
    {
        // GramHash<T>::Key of the gram: a full table of samples is one of
        // the largest things the engine holds.
        std::uint32_t key;
        int a;
        int rangeStart;
        int rangeLength;
        // The range's index when the sample was taken; ranges are renumbered
        // by cuts, so it holds only until the next one.
        std::uint32_t row;
        int Along() const { return a - rangeStart; }
    };

    // Samples sorted by hash slot, then by position, with the start of each
    // slot: a gram of the second file visits the samples of its slot in
    // first-file order.
    class SampleTable
    {
    public:
        // Builds the table of the samples forEach(visit) visits, about
        // `count` of them. They are visited twice, to count each slot and
        // then to place them, rather than gathered first: a full table is
        // one of the largest things the engine holds, and a second copy of
        // it while it is built would double that.
        template<typename ForEach> void Build(std::size_t count, ForEach forEach)
        {
            // The old table goes first, so that two are never held at once.
            samples_ = {};
            bits_ = std::clamp(static_cast<int>(std::bit_width(count)) + 1, 4, 30);
            // Placed by slot (a counting sort: there are more slots than
            // samples), then within a slot by offset in their range, so that
            // a walk can visit only the samples whose diagonals can lie in
            // its pairs' windows.
            starts_.assign((std::size_t{1} << bits_) + 1, 0);
            forEach([this](const Sample& s) { ++starts_[SlotOf(s) + 1]; });
            for (std::size_t k = 0; k + 1 < starts_.size(); ++k)
                starts_[k + 1] += starts_[k];
            samples_.resize(starts_.back());
            // Each slot's start serves as its cursor, and ends up as the next
            // slot's start: the starts are moved back by one slot after.
            forEach([this](const Sample& s) { samples_[starts_[SlotOf(s)]++] = s; });
            for (std::size_t k = starts_.size() - 1; k > 0; --k)
                starts_[k] = starts_[k - 1];
            starts_[0] = 0;
            for (std::size_t k = 0; k + 1 < starts_.size(); ++k) {
                const auto first = samples_.begin() + starts_[k];
                const auto last = samples_.begin() + starts_[k + 1];
                if (last - first > 1)
                    std::sort(first, last, [](const Sample& l, const Sample& r) {
                        return l.Along() != r.Along() ? l.Along() < r.Along() : l.a < r.a;
                    });
            }
        }
        bool IsEmpty() const { return samples_.empty(); }
        std::size_t Size() const { return samples_.size(); }
        // The samples of gram h that lie between alongLo and alongHi (both
        // included) elements into their ranges.
        template<typename Visit>
        void ForEachAlong(std::uint64_t h, long long alongLo, long long alongHi, Visit visit) const
        {
            const std::uint32_t key = GramHash<T>::Key(h);
            const std::size_t k = GramHash<T>::SlotOfKey(key, bits_);
            const auto end = samples_.begin() + starts_[k + 1];
            auto it = std::lower_bound(
                samples_.begin() + starts_[k], end, alongLo,
                [](const Sample& sample, long long along) { return sample.Along() < along; });
            for (; it != end && it->Along() <= alongHi; ++it) {
                if (it->key == key)
                    visit(*it);
            }
        }

    private:
        std::size_t SlotOf(const Sample& s) const { return GramHash<T>::SlotOfKey(s.key, bits_); }

        std::vector<Sample> samples_;
        int bits_ = 4;
        std::vector<std::uint32_t> starts_;
    };

    // The samples of the ranges made since the table was built, taken in
    // pass after pass: chained by slot in flat arrays, so that taking one in
    // and looking a gram up allocate nothing per sample and divide nothing.
    class AddedSamples
    {
    public:
        bool IsEmpty() const { return samples_.empty(); }
        std::size_t Size() const { return samples_.size(); }
        void Clear()
        {
            samples_.clear();
            next_.clear();
            heads_.clear();
        }
        void Add(const Sample& s)
        {
            // Two slots or more per sample keep the chains short.
            if (2 * (samples_.size() + 1) > heads_.size())
                Rehash(std::max<std::size_t>(64, 2 * heads_.size()));
            samples_.push_back(s);
            next_.push_back(kNone);
            Link(static_cast<std::uint32_t>(samples_.size() - 1));
        }
        // Visits the samples of gram h, newest first.
        template<typename Visit> void ForEach(std::uint64_t h, Visit visit) const
        {
            if (samples_.empty())
                return;
            const std::uint32_t key = GramHash<T>::Key(h);
            for (std::uint32_t i = heads_[GramHash<T>::SlotOfKey(key, bits_)]; i != kNone;
                 i = next_[i]) {
                if (samples_[i].key == key)
                    visit(samples_[i]);
            }
        }

    private:
        static constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();

        void Rehash(std::size_t slots)
        {
            bits_ = std::countr_zero(slots);
            heads_.assign(slots, kNone);
            for (std::uint32_t i = 0; i < samples_.size(); ++i)
                Link(i);
        }
        // Puts sample i at the head of its slot's chain.
        void Link(std::uint32_t i)
        {
            std::uint32_t& head = heads_[GramHash<T>::SlotOfKey(samples_[i].key, bits_)];
            next_[i] = head;
            head = i;
        }

        std::vector<Sample> samples_;
        std::vector<std::uint32_t> next_;
        std::vector<std::uint32_t> heads_;
        int bits_ = 0;
    };

    // Visits the samples of the given rows, in position order.
    template<typename Visit>
    void ForEachSampleOf(const std::vector<std::uint32_t>& rows, Visit visit) const
    {
        for (std::uint32_t r1 : rows) {
            const RANGE& range1 = ranges1_[r1];
            if (range1.length < x_)
                continue;
            for (int a = range1.start; a + q_ <= range1.end(); a += step_)
                visit(Sample{GramHash<T>::Key(GramHash<T>::Of(e1_ + a, q_)), a, range1.start,
                             range1.length, r1});
        }
    }

    void BuildTable(const std::vector<std::uint32_t>& rows, SampleTable& table) const
    {
        table.Build(static_cast<std::size_t>(CountSamples(rows)),
                     [&](auto visit) { ForEachSampleOf(rows, visit); });
    }

    // The range a sample was taken from, if it is still unchanged.
    std::size_t LiveRangeOf(const Sample& s) const
    {
        const std::size_t r1 = ranges1_.IndexOf(s.a);
        if (r1 == ranges1_.Count() || ranges1_[r1].start != s.rangeStart ||
            ranges1_[r1].length != s.rangeLength)
            return ranges1_.Count();
        return r1;
    }

    // Walks the grams of the given second-file ranges past a table of samples.
    // onSample(h, r2, b) looks up the gram at b and says where the walk goes
    // on: b + 1, or past a stretch it took as a whole.
    template<typename OnSample>
    bool WalkColumns(const std::vector<std::uint32_t>& columns, OnSample onSample)
    {
        const std::uint64_t top = GramHash<T>::TopWeight(q_);
        long long counter = 0;
        for (std::uint32_t r2 : columns) {
            const RANGE& range2 = ranges2_[r2];
            if (Interrupted())
                return false;
            if (range2.length < q_)
                continue;
            covered_.Clear();
            std::uint64_t h = GramHash<T>::Of(e2_ + range2.start, q_);
            for (int b = range2.start;;) {
                if (StopNow(counter))
                    return false;
                const int next = onSample(h, r2, b);
                if (next + q_ > range2.end())
                    break;
                h = next == b + 1 ? GramHash<T>::Roll(h, e2_[b], e2_[b + q_], top)
                                  : GramHash<T>::Of(e2_ + next, q_);
                b = next;
            }
        }
        return true;
    }

    // The walk of a column has come to the first gram of a stretch of one
    // repeated element (stretch2) at b. Every gram of the stretch is the same,
    // so the samples it hits are looked up once for all of them: forEach
    // (alongLo, alongHi, visit) visits, as visit(sample, r1), each sample of
    // the gram whose diagonals can meet the stretch in the window, with the
    // row it is live in. Of the diagonals of a sample inside a stretch of the
    // first file, those two where the stretches' starts or ends meet are
    // followed; the others hold the stretch pair's runs. Returns where the
    // walk goes on.
    template<typename ForEachSample>
    int PassStretchInColumn(std::uint32_t r2, int b, const UNIFORM& stretch2,
                            ForEachSample forEach)
    {
        const RANGE& range2 = ranges2_[r2];
        const int last = std::min(stretch2.end, range2.end()) - q_;
        const T element = e2_[b];
        // Each sample meets many diagonals here, and the runs on a diagonal
        // are followed in first-file order: the samples are taken in that
        // order, whatever order they are kept in.
        stretchSamples_.clear();
        forEach(1LL * b - range2.start - limit_ + 1, 1LL * last - range2.start + limit_ - 1,
                [&](const Sample& sample, std::uint32_t r1) {
                    if (e1_[sample.a] == element)
                        stretchSamples_.push_back({sample.a, r1});
                });
        std::sort(stretchSamples_.begin(), stretchSamples_.end());
        for (const auto& [a, r1] : stretchSamples_) {
            const UNIFORM* stretch1 = UniformGramAt(gramStretches1_, a);
            if (!stretch1)
                continue;
            const bool standIn = StandsIn(*stretch1, stretch2);
            const Segments segments = standIn ? StretchMeets(*stretch1, a, stretch2)
                                              : UniformHitsWorthFollowing(*stretch1, a, stretch2);
            for (const Segment& segment : segments) {
                for (long long hit = std::max<long long>(segment.first, b);
                     hit <= std::min<long long>(segment.last, last); ++hit)
                    Follow(r1, a, r2, static_cast<int>(hit), r1);
            }
            if (standIn)
                NoteStretchPair(r1, r2, *stretch1, stretch2, WindowOf(r1, r2));
        }
        return last + 1;
    }

    std::vector<std::uint32_t> AllColumns() const
    {
        std::vector<std::uint32_t> columns;
        for (std::uint32_t r2 = 0; r2 < ranges2_.Count(); ++r2)
            columns.push_back(r2);
        return columns;
    }

    bool FindByStreaming(const std::vector<std::uint32_t>& rows)
    {
        SampleTable table;
        BuildTable(rows, table);
        if (table.IsEmpty())
            return !Interrupted();
        return WalkColumns(AllColumns(), [&](std::uint64_t h, std::uint32_t r2, int b) {
            if (const UNIFORM* stretch2 = LongStretchAt(b)) {
                return PassStretchInColumn(r2, b, *stretch2, [&](long long lo, long long hi,
                                                                 auto visit) {
                    table.ForEachAlong(h, lo, hi, [&](const Sample& s) { visit(s, s.row); });
                });
            }
            const long long along = b - ranges2_[r2].start;
            table.ForEachAlong(h, along - limit_ + 1, along + limit_ - 1,
                               [&](const Sample& s) { Follow(s.row, s.a, r2, b, s.row); });
            return b + 1;
        });
    }

    // --- Columns: new second-file ranges against the unchanged first-file ones

    void RebuildSampleTable()
    {
        std::vector<std::uint32_t> rows;
        for (std::uint32_t r1 = 0; r1 < ranges1_.Count(); ++r1)
            rows.push_back(r1);
        BuildTable(rows, sampleTable_);
        addedSamples_.Clear();
        samplesStale_ = false;
    }

    // The table of samples is built when a column walk first needs it after
    // x changed, not at once: late in a large comparison, full searches
    // follow each other closely and most columns are looked up through the
    // index, and building a table of the whole first file after each search
    // was a fifth of the time.
    void MarkSamplesStale()
    {
        samplesStale_ = true;
        sampleTable_ = SampleTable{};
        addedSamples_ = AddedSamples{};
    }

    void AddSamples(const std::vector<std::uint32_t>& rows)
    {
        // A table still to be built takes every row as it is then.
        if (samplesStale_)
            return;
        ForEachSampleOf(rows, [this](const Sample& s) { addedSamples_.Add(s); });
        // Samples of cut ranges pile up; folding everything into a fresh
        // table now and then keeps lookups short.
        if (addedSamples_.Size() > sampleTable_.Size() + 4096)
            RebuildSampleTable();
    }

    // The columns given are searched against every row but the rows given,
    // whose pairs the row search covers. A column is searched one of two
    // ways. A short one is walked gram
    // by gram past the samples. A long one, typically what is left of a
    // range after a run was cut out of it, is searched the other way round
    // once the index pays off: each sample is looked up in the index of the
    // second file, only within the window its diagonals allow in that column.
    // Walking the remainder of a large range every pass would make each pass
    // cost the whole file.
    bool FindInColumns(const std::vector<std::uint32_t>& rows,
                       const std::vector<std::uint32_t>& columns)
    {
        if (limit_ <= 0 || columns.empty())
            return true;
        std::vector<char> searchedAsRow(ranges1_.Count(), 0);
        for (std::uint32_t r1 : rows)
            searchedAsRow[r1] = 1;
        // What a look-up of a column costs: the samples of the other rows.
        // Counted only once look-ups are in question at all.
        long long samples = -1;
        if (IndexPaysOff(Search::PassAfterPass)) {
            std::vector<std::uint32_t> oldRows;
            for (std::uint32_t r1 = 0; r1 < ranges1_.Count(); ++r1) {
                if (!searchedAsRow[r1])
                    oldRows.push_back(r1);
            }
            samples = CountSamples(oldRows);
        }
        std::vector<std::uint32_t> walked;
        for (std::uint32_t r2 : columns) {
            if (samples >= 0 && samples * kSamplesPerStreamedElement < ranges2_[r2].length) {
                if (!LookUpColumn(r2, searchedAsRow))
                    return false;
            } else {
                walked.push_back(r2);
            }
        }
        if (!walked.empty() && samplesStale_)
            RebuildSampleTable();
        // The samples of gram h between alongLo and alongHi elements into
        // their rows, each with the row it is live in, if that row is not
        // searched as a row.
        const auto forEachLiveSample = [&](std::uint64_t h, long long alongLo, long long alongHi,
                                           auto visit) {
            const auto onSample = [&](const Sample& s) {
                const std::size_t r1 = LiveRangeOf(s);
                if (r1 < ranges1_.Count() && !searchedAsRow[r1])
                    visit(s, static_cast<std::uint32_t>(r1));
            };
            sampleTable_.ForEachAlong(h, alongLo, alongHi, onSample);
            addedSamples_.ForEach(h, [&](const Sample& s) {
                if (s.Along() >= alongLo && s.Along() <= alongHi)
                    onSample(s);
            });
        };
        return WalkColumns(walked, [&](std::uint64_t h, std::uint32_t r2, int b) {
            if (const UNIFORM* stretch2 = LongStretchAt(b)) {
                return PassStretchInColumn(
                    r2, b, *stretch2, [&](long long lo, long long hi, auto visit) {
                        forEachLiveSample(h, lo, hi, visit);
                    });
            }
            const long long along = b - ranges2_[r2].start;
            forEachLiveSample(h, along - limit_ + 1, along + limit_ - 1,
                              [&](const Sample& s, std::uint32_t r1) { Follow(r1, s.a, r2, b, r1); });
            return b + 1;
        });
    }

    // Every sample of a row not searched as a row against one column, through
    // the index.
    // A row that is still as it was when its samples were taken has them
    // every step_ elements from its start, so they are taken again here row
    // by row: that visits them in first-file order, the order in which a walk
    // of the column would meet them along each diagonal.
    bool LookUpColumn(std::uint32_t r2, const std::vector<char>& searchedAsRow)
    {
        const CGramIndex<T>& index = IndexFor(q_);
        const RANGE range2 = ranges2_[r2];
        // The samples further into their row than this have no diagonal in
        // the column.
        const long long reach = static_cast<long long>(range2.length) - q_ + limit_ - 1;
        long long counter = 0;
        covered_.Clear();
        for (std::uint32_t r1 = 0; r1 < ranges1_.Count(); ++r1) {
            const RANGE range1 = ranges1_[r1];
            if (searchedAsRow[r1] || range1.length < x_)
                continue;
            for (int a = range1.start; a + q_ <= range1.end() && a - range1.start <= reach;
                 a += step_) {
                if (StopNow(counter))
                    return false;
                const long long along = a - range1.start;
                const GRAM_SPAN grams = GramsInWindow(range2, WindowOf(r1, r2), along, along);
                if (grams.first > grams.last)
                    continue;
                const auto bucket = index.Lookup(GramHash<T>::Of(e1_ + a, q_));
                for (const std::int32_t* it =
                         std::lower_bound(bucket.begin, bucket.end, grams.first);
                     it != bucket.end && *it <= grams.last; ++it)
                    Follow(r1, a, r2, *it, r1, StretchHits::Possible);
            }
        }
        return true;
    }

    // Runs can be as long as the files, and in content such as zero-filled
    // stretches one is followed on every diagonal of the window: past a few
    // elements, they are compared in blocks, and where both sides stand in a
    // stretch of one repeated element, the shorter stretch is passed at once.
    static constexpr int kBlock = 256 / static_cast<int>(sizeof(T));
    static constexpr int kScalarLead = 16;
    static constexpr int kShortestUniform = 64;
    static constexpr int kShortestUniformGram = 8;
    static constexpr int kShortestStandIn = 64;

    static std::vector<UNIFORM> FindUniform(const T* e, int count, int shortest)
    {
        std::vector<UNIFORM> stretches;
        for (int i = 0; i < count;) {
            int j = i + 1;
            while (j < count && e[j] == e[i])
                ++j;
            if (j - i >= shortest)
                stretches.push_back(UNIFORM{i, j});
            i = j;
        }
        return stretches;
    }

    static std::vector<UNIFORM> AtLeast(const std::vector<UNIFORM>& stretches, int shortest)
    {
        std::vector<UNIFORM> kept;
        for (const UNIFORM& u : stretches) {
            if (u.end - u.start >= shortest)
                kept.push_back(u);
        }
        return kept;
    }

    // The stretch holding pos, or nullptr.
    static const UNIFORM* UniformAt(const std::vector<UNIFORM>& stretches, int pos)
    {
        auto it = std::upper_bound(stretches.begin(), stretches.end(), pos,
                                   [](int p, const UNIFORM& u) { return p < u.start; });
        if (it == stretches.begin())
            return nullptr;
        --it;
        return pos < it->end ? &*it : nullptr;
    }

    // How many elements from a and b onward the files have in common, at most max.
    int EqualForward(int a, int b, int max) const
    {
        const T* p = e1_ + a;
        const T* q = e2_ + b;
        int n = 0;
        while (n < max && n < kScalarLead && p[n] == q[n])
            ++n;
        if (n < kScalarLead)
            return n;
        for (;;) {
            if (n < max && p[n] == q[n]) {
                const UNIFORM* u1 = UniformAt(uniform1_, a + n);
                const UNIFORM* u2 = u1 ? UniformAt(uniform2_, b + n) : nullptr;
                if (u2)
                    n += std::min({u1->end - (a + n), u2->end - (b + n), max - n});
            }
            if (n + kBlock > max || std::memcmp(p + n, q + n, kBlock * sizeof(T)) != 0)
                break;
            n += kBlock;
        }
        while (n < max && p[n] == q[n])
            ++n;
        return n;
    }

    // How many elements just before a and b the files have in common, at most max.
    int EqualBackward(int a, int b, int max) const
    {
        const T* p = e1_ + a;
        const T* q = e2_ + b;
        int n = 0;
        while (n < max && n < kScalarLead && p[-n - 1] == q[-n - 1])
            ++n;
        if (n < kScalarLead)
            return n;
        for (;;) {
            if (n < max && p[-n - 1] == q[-n - 1]) {
                const UNIFORM* u1 = UniformAt(uniform1_, a - n - 1);
                const UNIFORM* u2 = u1 ? UniformAt(uniform2_, b - n - 1) : nullptr;
                if (u2)
                    n += std::min({a - n - u1->start, b - n - u2->start, max - n});
            }
            if (n + kBlock > max ||
                std::memcmp(p - n - kBlock, q - n - kBlock, kBlock * sizeof(T)) != 0)
                break;
            n += kBlock;
        }
        while (n < max && p[-n - 1] == q[-n - 1])
            ++n;
        return n;
    }

    // --- Both ways end here --------------------------------------------------

    // A hit on a diagonal where two stretches of one repeated element overlap
    // and neither their starts nor their ends meet: the pair of stretches
    // goes in once for all such diagonals of the window, as a stand-in placed
    // where its best run would be.
    void NoteStretchPair(std::uint32_t r1, std::uint32_t r2, const UNIFORM& stretch1,
                         const UNIFORM& stretch2, const Window& window)
    {
        const RANGE& range1 = ranges1_[r1];
        const RANGE& range2 = ranges2_[r2];
        const long long corner = static_cast<long long>(range2.start) - range1.start;
        const STRETCH_PAIR pair{std::max(stretch1.start, range1.start),
                                std::min(stretch1.end, range1.end()),
                                std::max(stretch2.start, range2.start),
                                std::min(stretch2.end, range2.end()),
                                corner + window.lo,
                                corner + window.hi,
                                1LL * stretch2.start - stretch1.start,
                                1LL * stretch2.end - stretch1.end};
        // Every sample inside a stretch notes the same pairs again: the last
        // ones noted answer most of them without a look into the set.
        const StretchPairKey key{r1, r2, pair.start1, pair.start2};
        StretchPairKey& recent = recentStretchPairs_[StretchPairKeyHash{}(key) % kRecentStretchPairs];
        if (recent == key)
            return;
        recent = key;
        if (!notedStretchPairs_.insert(key).second)
            return;
        stretchRuns_.clear();
        RunsOfStretchPair(pair, ranges1_, ranges2_, limit_, x_, stretchRuns_);
        if (stretchRuns_.empty())
            return;
        PIECE best = *std::min_element(
            stretchRuns_.begin(), stretchRuns_.end(),
            [this](const PIECE& l, const PIECE& r) { return RanksBefore(l, r, limit_); });
        best.stretchPair = static_cast<int>(stretchPairs_.size());
        stretchPairs_.push_back(pair);
        pieces_->push_back(best);
    }

    // Each search notes its own stretch pairs: the windows differ.
    void ForgetNotedStretchPairs()
    {
        notedStretchPairs_.clear();
        recentStretchPairs_.fill(StretchPairKey{});
    }

    struct StretchPairKey
    {
        // No pair has these ranges: an empty slot.
        std::uint32_t r1 = std::numeric_limits<std::uint32_t>::max();
        std::uint32_t r2 = std::numeric_limits<std::uint32_t>::max();
        int start1 = 0;
        int start2 = 0;
        bool operator==(const StretchPairKey&) const = default;
    };
    struct StretchPairKeyHash
    {
        std::size_t operator()(const StretchPairKey& k) const
        {
            const std::uint64_t ranges = (std::uint64_t{k.r1} << 32) | k.r2;
            const std::uint64_t starts = (std::uint64_t{static_cast<std::uint32_t>(k.start1)} << 32) |
                                         static_cast<std::uint32_t>(k.start2);
            return std::hash<std::uint64_t>{}(ranges * 0x9E3779B97F4A7C15ULL ^ starts);
        }
    };

    // Whether a hit given to Follow may lie inside two long stretches off the
    // diagonals where they meet. Most callers pass such hits to a stand-in
    // themselves, and need not have every hit looked at again.
    enum class StretchHits
    {
        Excluded,
        Possible,
    };

    // Follows a gram hit at (a, b) to the maximal run through it inside the
    // pair's rectangle, unless an earlier hit on the same diagonal of the same
    // pair already did. Hits arrive in ascending order along each diagonal;
    // `otherRange` is the range of the pair that the walk does not hold fixed.
    // A possible stretch hit goes to the stretch pair's stand-in instead.
    void Follow(std::uint32_t r1, int a, std::uint32_t r2, int b, std::uint32_t otherRange,
                StretchHits stretchHits = StretchHits::Excluded)
    {
        const RANGE& range1 = ranges1_[r1];
        const RANGE& range2 = ranges2_[r2];
        if (b + q_ > range2.end())
            return;
        const int off = (b - range2.start) - (a - range1.start);
        const Window window = WindowOf(r1, r2);
        if (off < window.lo || off > window.hi)
            return;
        const std::uint64_t key =
            (std::uint64_t{otherRange} << 32) | static_cast<std::uint32_t>(off);
        const int* seen = covered_.Find(key);
        if (seen && *seen > a)
            return;
        for (int i = 0; i < q_; ++i) {
            if (e1_[a + i] != e2_[b + i])
                return;
        }
        // A gram that is not one element repeated is told at a glance.
        const bool repeats = stretchHits == StretchHits::Possible && e1_[a] == e1_[a + q_ - 1] &&
                             e1_[a] == e1_[a + q_ / 2];
        if (const UNIFORM* stretch1 = repeats ? UniformGramAt(gramStretches1_, a) : nullptr) {
            const UNIFORM* stretch2 = UniformGramAt(gramStretches2_, b);
            if (stretch2 && StandsIn(*stretch1, *stretch2)) {
                const long long delta = 1LL * b - a;
                if (delta != 1LL * stretch2->start - stretch1->start &&
                    delta != 1LL * stretch2->end - stretch1->end) {
                    const long long end = std::min({1LL * stretch1->end, 1LL * range1.end(),
                                                    stretch2->end - delta, range2.end() - delta});
                    covered_.Set(key, static_cast<int>(end));
                    NoteStretchPair(r1, r2, *stretch1, *stretch2, window);
                    return;
                }
            }
        }
        const int back =
            EqualBackward(a, b, std::min(a - range1.start, b - range2.start));
        const int ahead = q_ + EqualForward(a + q_, b + q_,
                                            std::min(range1.end() - a, range2.end() - b) - q_);
        covered_.Set(key, a + ahead);
        if (back + ahead >= x_)
            pieces_->push_back(PIECE{range1.start, range1.length, range2.start, range2.length,
                                     a - back, b - back, back + ahead});
    }

    const T* e1_;
    const T* e2_;
    const CRangeList& ranges1_;
    const CRangeList& ranges2_;
    int limit_;
    const std::atomic<bool>& stop_;

    int x_ = 1;
    int q_ = 1;
    int step_ = 1;
    // Searches of new ranges so far, one per pass.
    int passes_ = 0;
    // Searches of every range, one per FindAll.
    int fullSearches_ = 0;
    std::vector<PIECE>* pieces_ = nullptr;
    std::size_t budget_ = std::numeric_limits<std::size_t>::max();
    // Where a full search given up goes on (ContinueAll): the first row it
    // has not searched to the end, if it went row by row through the index.
    std::optional<std::uint32_t> continueFrom_;
    bool searchedByIndex_ = false;
    std::size_t rowsSearched_ = 0;
    double shareSearched_ = 0.0;
    // The stretches of one repeated element that can hold a whole gram of
    // kShortestUniformGram or more, for the hits of samples inside them.
    std::vector<UNIFORM> gramStretches1_;
    std::vector<UNIFORM> gramStretches2_;
    // The stretches of one repeated element in each file long enough to be
    // passed at once when a run is followed.
    std::vector<UNIFORM> uniform1_;
    std::vector<UNIFORM> uniform2_;
    // The second file's gram stretches by the element they repeat, then by
    // position.
    std::vector<UNIFORM> gramStretchesByElement2_;
    // The second file's ranges, longest first, while samples are looked up.
    std::vector<std::uint32_t> columnsByLength_;
    // Per element, where each column's look-up of its stretches stands for
    // the row searched (CursorsOf); the first cursorsInUse_ are the row's.
    std::vector<std::pair<T, std::vector<const UNIFORM*>>> stretchCursors_;
    std::size_t cursorsInUse_ = 0;
    // While the runs after cuts are searched: the shifts of every range, and
    // the ranges made by the cuts (made) and those whose window shifted
    // beyond the old one (reaching).
    bool afterCuts_ = false;
    std::vector<int> shift1_;
    std::vector<int> shift2_;
    std::vector<std::uint32_t> made1_;
    std::vector<std::uint32_t> made2_;
    std::vector<std::uint32_t> reaching1_;
    std::vector<std::uint32_t> reaching2_;
    std::unordered_map<int, std::unique_ptr<CGramIndex<T>>> indexes_;
    // The first file's samples at the present x, and those of the ranges
    // made since the table was built.
    SampleTable sampleTable_;
    AddedSamples addedSamples_;
    // The two above must be built anew before they are used.
    bool samplesStale_ = true;
    // The samples put aside by RaiseKeepingSamples, taken at keptX_ (0 for
    // none).
    int keptX_ = 0;
    bool keptStale_ = false;
    SampleTable keptTable_;
    AddedSamples keptAdded_;
    // Per diagonal of the range held fixed by the walk: where the last run
    // followed on it ends in the first file, so each run is followed once.
    CStampedMap covered_;
    // The stretch pairs of the stand-ins found (KeepStretchPairsOf lets go
    // of the others), and those noted in the present search, so that each
    // goes in once.
    std::vector<STRETCH_PAIR> stretchPairs_;
    std::unordered_set<StretchPairKey, StretchPairKeyHash> notedStretchPairs_;
    static constexpr std::size_t kRecentStretchPairs = 64;
    std::array<StretchPairKey, kRecentStretchPairs> recentStretchPairs_{};
    std::vector<PIECE> stretchRuns_;
    // The samples met by a column walk at a stretch: position, live row.
    std::vector<std::pair<int, std::uint32_t>> stretchSamples_;
};
