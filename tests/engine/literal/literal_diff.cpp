#include "tests/engine/literal/literal_diff.h"

#include <algorithm>
#include <cstddef>
#include <utility>

// Every step below is the plainest form of the comparison: each pass walks,
// element by element, every diagonal within the window of every pair of
// unmatched ranges; a threshold is read where it starts to apply (per range,
// per diagonal) and held while it applies; lists are walked from the front.
// Speed is of no concern here; a difference from the fast engine must point
// at the engine, not at a clever shortcut in the model.
namespace literal {

namespace {

// A stretch of one file that is not yet matched.
struct Range
{
    int start = 0;
    int length = 0;
};

// A run of equal elements starting at posA in the first file and posB in the
// second.
struct Match
{
    int posA = 0;
    int posB = 0;
    int length = 0;
};

// The bounded candidate list: ascending length, the best (longest) match last,
// at most 25 entries.
struct MatchList
{
    static constexpr std::size_t capacity = 25;
    std::vector<Match> entries;

    bool Empty() const { return entries.empty(); }
    // Three quarters of the best length, or 0 while nothing has been found.
    int ThreeQuartersOfBest() const { return entries.empty() ? 0 : entries.back().length * 3 / 4; }

    // The offer rule: insert before the first entry at least as long, so that
    // among equal lengths the earlier find stays nearer the end; when the list
    // is full the shortest entry makes room, unless the newcomer would itself
    // be the shortest.
    void Offer(const Match& match)
    {
        std::size_t insertAt = 0;
        while (insertAt < entries.size() && entries[insertAt].length < match.length)
            ++insertAt;
        if (entries.size() < capacity) {
            entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(insertAt), match);
            return;
        }
        if (insertAt == 0)
            return;
        entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(insertAt), match);
        entries.erase(entries.begin());
    }
};

class Matcher
{
public:
    Matcher(const CDiffBuf& a, const CDiffBuf& b, int minLength, int limit, int firstId)
        : buf1_(a), buf2_(b), nextId_(firstId)
    {
        // A block size below 1 would accept empty runs without end, and a
        // negative window walks no diagonal, exactly like a window of 0.
        minLength_ = minLength < 1 ? 1 : minLength;
        limit_ = limit < 0 ? 0 : limit;
    }

    std::vector<DIFF_BLOCK> Run()
    {
        SetUp();
        while (!rangesA_.empty() && !rangesB_.empty()) {
            Scan();
            if (candidates_.Empty())
                break;
            Accept();
        }
        EndOfRun();
        return std::move(result_);
    }

private:
    void SetUp()
    {
        rangesA_.push_back(Range{0, buf1_.GetCount()});
        rangesB_.push_back(Range{0, buf2_.GetCount()});
        candidates_.entries.clear();
        spare_.entries.clear();
    }

    void Scan()
    {
        for (const Range& r1 : rangesA_) {
            const int cutOff = candidates_.ThreeQuartersOfBest();
            if (!(r1.length > cutOff))
                continue;
            for (const Range& r2 : rangesB_) {
                endA_ = r1.start + r1.length;
                endB_ = r2.start + r2.length;
                WalkDiagonals(r1, r2);
            }
        }
    }

    // Both orders walk the same diagonals, those whose offset from the two
    // range starts is below the window; the longer range is walked along first.
    void WalkDiagonals(const Range& r1, const Range& r2)
    {
        const long long limit = limit_;
        if (r1.length > r2.length) {
            for (int i = r1.start; i < std::min<long long>(r1.start + limit, endA_); ++i)
                ScanDiagonal(i, r2.start);
            for (int j = r2.start + 1; j < std::min<long long>(r2.start + limit, endB_); ++j)
                ScanDiagonal(r1.start, j);
        } else {
            for (int j = r2.start; j < std::min<long long>(r2.start + limit, endB_); ++j)
                ScanDiagonal(r1.start, j);
            for (int i = r1.start + 1; i < std::min<long long>(r1.start + limit, endA_); ++i)
                ScanDiagonal(i, r2.start);
        }
    }

    void ScanDiagonal(int a, int b)
    {
        int n = std::min(endA_ - a, endB_ - b);
        // The threshold is fixed for the whole diagonal, even when a match
        // found on it raises the best length.
        const int t = std::max(minLength_, candidates_.ThreeQuartersOfBest());
        int run = 0;
        while (n > 0) {
            if (run + n < t)
                return;
            if (buf1_.IsEqual(a, &buf2_, b)) {
                ++run;
            } else {
                if (run >= t)
                    candidates_.Offer(Match{a - run, b - run, run});
                run = 0;
            }
            ++a;
            ++b;
            --n;
        }
        if (run >= t)
            candidates_.Offer(Match{a - run, b - run, run});
    }

    void Accept()
    {
        const int t2 = std::max(minLength_, candidates_.ThreeQuartersOfBest());
        while (!candidates_.Empty()) {
            const Match m = candidates_.entries.back();
            candidates_.entries.pop_back();
            result_.push_back(DIFF_BLOCK::MakeCommon(nextId_++, m.length, m.posA, m.posB));
            while (!candidates_.Empty()) {
                Match e = candidates_.entries.back();
                candidates_.entries.pop_back();
                TrimMatch(e, m);
                if (e.length >= t2)
                    spare_.Offer(e);
            }
            CutRanges(rangesA_, m.posA, m.length);
            CutRanges(rangesB_, m.posB, m.length);
            std::swap(candidates_, spare_);
        }
    }

    // Keeps the part of e that lies on the side of m where e begins, in each
    // file; the same count is cut from both files, so e stays a run of equal
    // elements.
    static void TrimMatch(Match& e, const Match& m)
    {
        int cutFront = 0;
        int cutBack = 0;
        if (e.posA < m.posA) {
            if (e.posA + e.length > m.posA)
                cutBack = e.posA + e.length - m.posA;
        } else {
            if (e.posA < m.posA + m.length)
                cutFront = m.posA + m.length - e.posA;
        }
        if (e.posB < m.posB)
            cutBack = std::max(cutBack, e.posB + e.length - m.posB);
        else
            cutFront = std::max(cutFront, m.posB + m.length - e.posB);
        if (cutFront + cutBack > e.length) {
            e.length = 0;
        } else {
            e.posA += cutFront;
            e.posB += cutFront;
            e.length -= cutFront + cutBack;
        }
    }

    static void CutRanges(std::vector<Range>& ranges, int p, int len)
    {
        for (std::size_t k = 0; k < ranges.size(); ++k) {
            Range& g = ranges[k];
            if (g.start == p) {
                if (g.length == len) {
                    ranges.erase(ranges.begin() + static_cast<std::ptrdiff_t>(k));
                } else {
                    g.start += len;
                    g.length -= len;
                }
                return;
            }
            if (p + len == g.start + g.length) {
                g.length -= len;
                return;
            }
            if (g.start < p && p < g.start + g.length) {
                const Range before{g.start, p - g.start};
                const Range after{p + len, g.start + g.length - p - len};
                ranges[k] = after;
                ranges.insert(ranges.begin() + static_cast<std::ptrdiff_t>(k), before);
                return;
            }
        }
    }

    void EndOfRun()
    {
        candidates_.entries.clear();
        spare_.entries.clear();
        for (const Range& r : rangesA_)
            result_.push_back(
                DIFF_BLOCK::MakeSided(nextId_++, BlockKind::Unmatched, r.length, 0, r.start));
        rangesA_.clear();
        for (const Range& r : rangesB_)
            result_.push_back(
                DIFF_BLOCK::MakeSided(nextId_++, BlockKind::Unmatched, r.length, 1, r.start));
        rangesB_.clear();
    }

    const CDiffBuf& buf1_;
    const CDiffBuf& buf2_;
    int minLength_ = 1;
    int limit_ = 0;
    int nextId_ = 0;
    int endA_ = 0;
    int endB_ = 0;
    std::vector<Range> rangesA_;
    std::vector<Range> rangesB_;
    MatchList candidates_;
    MatchList spare_;
    std::vector<DIFF_BLOCK> result_;
};

bool Cross(const DIFF_BLOCK& a, const DIFF_BLOCK& b)
{
    return (a.posA() > b.posA()) != (a.posB() > b.posB());
}

// The index of the Common block crossed by the greatest length of other Common
// content; between equal weights the shorter block, then the earlier one.
// Every pair of Common blocks is weighed, with no index: quadratic, and
// plainly right.
int FindMostCrossing(const std::vector<DIFF_BLOCK>& list)
{
    int best = -1;
    long long bestWeight = 0;
    for (std::size_t p = 0; p < list.size(); ++p) {
        if (!list[p].IsCommon())
            continue;
        long long weight = 0;
        for (std::size_t o = 0; o < list.size(); ++o) {
            if (o == p || !list[o].IsCommon())
                continue;
            if (Cross(list[p], list[o]))
                weight += list[o].length;
        }
        if (weight <= 0)
            continue;
        const bool better =
            best < 0 || weight > bestWeight ||
            (weight == bestWeight && list[p].length < list[static_cast<std::size_t>(best)].length);
        if (better) {
            best = static_cast<int>(p);
            bestWeight = weight;
        }
    }
    return best;
}

void MarkMovedBlocks(std::vector<DIFF_BLOCK>& list)
{
    for (int found = FindMostCrossing(list); found >= 0; found = FindMostCrossing(list)) {
        DIFF_BLOCK& p = list[static_cast<std::size_t>(found)];
        const int formerPosA = p.posA();
        const int formerPosB = p.posB();
        DIFF_BLOCK q = p;
        p.kind = BlockKind::Moved;
        p.field[0] = 0;
        p.field[1] = formerPosA;
        q.kind = BlockKind::Moved;
        q.field[0] = 1;
        q.field[1] = formerPosB;
        // p refers into the list, so it is finished with before the list grows.
        list.push_back(q);
    }
}

// Whether q stops the walk at p: the five cases of position order.
bool GoesBefore(const DIFF_BLOCK& q, const DIFF_BLOCK& p, int sortSide)
{
    if (q.IsCommon() && p.IsCommon())
        return q.field[sortSide] < p.field[sortSide];
    if (q.IsCommon())
        return q.field[p.side()] < p.pos();
    if (p.IsCommon())
        return q.pos() < p.field[q.side()];
    if (q.side() == p.side())
        return q.pos() < p.pos();
    return false;
}

void InsertSorted(std::vector<DIFF_BLOCK>& list, const DIFF_BLOCK& q, int sortSide)
{
    std::size_t at = 0;
    while (at < list.size() && !GoesBefore(q, list[at], sortSide))
        ++at;
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), q);
}

// The list of all blocks is ordered by the first file.
void Resort(std::vector<DIFF_BLOCK>& list)
{
    const std::vector<DIFF_BLOCK> former = std::move(list);
    list.clear();
    for (const DIFF_BLOCK& block : former) {
        if (block.IsCommon())
            InsertSorted(list, block, 0);
    }
    for (const DIFF_BLOCK& block : former) {
        if (!block.IsCommon())
            InsertSorted(list, block, 0);
    }
}

void DistributeToFiles(const std::vector<DIFF_BLOCK>& all, std::vector<DIFF_BLOCK>& first,
                       std::vector<DIFF_BLOCK>& second)
{
    for (const DIFF_BLOCK& block : all) {
        if (block.IsCommon()) {
            InsertSorted(first, block, 0);
            InsertSorted(second, block, 1);
        } else if (block.side() == 0) {
            InsertSorted(first, block, 0);
        } else {
            InsertSorted(second, block, 1);
        }
    }
}

} // namespace

std::vector<DIFF_BLOCK> LiteralMatch(const CDiffBuf& a, const CDiffBuf& b, int minLength, int limit,
                                     int firstId)
{
    return Matcher(a, b, minLength, limit, firstId).Run();
}

LiteralResult LiteralFinish(std::vector<DIFF_BLOCK> run)
{
    LiteralResult result;
    result.run = run;
    result.all = std::move(run);
    MarkMovedBlocks(result.all);
    Resort(result.all);
    DistributeToFiles(result.all, result.first, result.second);
    return result;
}

LiteralResult RunLiteral(const CDiffBuf& a, const CDiffBuf& b, int minLength, int limit)
{
    return LiteralFinish(LiteralMatch(a, b, minLength, limit));
}

} // namespace literal
