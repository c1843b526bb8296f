#include "engine/crossing_weights.h"

#include <algorithm>
#include <numeric>

namespace {

// A Fenwick tree of length sums over ranks of second-file positions.
class LengthSums
{
public:
    explicit LengthSums(std::size_t n) : tree_(n + 1, 0) {}
    void Add(std::size_t rank, std::int64_t value)
    {
        for (std::size_t i = rank + 1; i < tree_.size(); i += i & (~i + 1))
            tree_[i] += value;
    }
    // Sum over ranks below rank.
    std::int64_t Below(std::size_t rank) const
    {
        std::int64_t sum = 0;
        for (std::size_t i = rank; i > 0; i -= i & (~i + 1))
            sum += tree_[i];
        return sum;
    }

private:
    std::vector<std::int64_t> tree_;
};

bool HasDuplicatePositions(const std::vector<DIFF_BLOCK*>& blocks)
{
    for (int s = 0; s < 2; ++s) {
        std::vector<int> pos;
        pos.reserve(blocks.size());
        for (const DIFF_BLOCK* b : blocks)
            pos.push_back(b->field[s]);
        std::sort(pos.begin(), pos.end());
        if (std::adjacent_find(pos.begin(), pos.end()) != pos.end())
            return true;
    }
    return false;
}

} // namespace

CCrossingWeights::CCrossingWeights(std::vector<DIFF_BLOCK*> blocks)
    : blocks_(std::move(blocks)), weight_(blocks_.size(), 0)
{
    for (const DIFF_BLOCK* b : blocks_) {
        posA_.push_back(b->posA());
        posB_.push_back(b->posB());
        length_.push_back(b->length);
    }
    // With distinct positions crossing is symmetric and the weights follow from
    // two sweeps; blocks sharing a position (never made by a comparison run)
    // are weighed pair by pair exactly as the relation is written.
    if (HasDuplicatePositions(blocks_))
        ComputeLiterally();
    else
        ComputeWithSweeps();
    KeepCrossingOnly();
}

void CCrossingWeights::KeepCrossingOnly()
{
    std::size_t kept = 0;
    best_ = 0;
    for (std::size_t i = 0; i < blocks_.size(); ++i) {
        if (weight_[i] <= 0)
            continue;
        blocks_[kept] = blocks_[i];
        posA_[kept] = posA_[i];
        posB_[kept] = posB_[i];
        length_[kept] = length_[i];
        weight_[kept] = weight_[i];
        if (kept > 0 && Heavier(kept, best_))
            best_ = kept;
        ++kept;
    }
    blocks_.resize(kept);
    posA_.resize(kept);
    posB_.resize(kept);
    length_.resize(kept);
    weight_.resize(kept);
}

void CCrossingWeights::ComputeLiterally()
{
    for (std::size_t i = 0; i < blocks_.size(); ++i) {
        for (std::size_t j = 0; j < blocks_.size(); ++j) {
            if (i != j && Cross(*blocks_[i], *blocks_[j]))
                weight_[i] += blocks_[j]->length;
        }
    }
}

// Sweeping the blocks in first-file order, a block crosses every earlier block
// that lies after it in the second file, and every later block that lies
// before it there.
void CCrossingWeights::ComputeWithSweeps()
{
    const std::size_t n = blocks_.size();
    std::vector<std::size_t> byA(n);
    std::iota(byA.begin(), byA.end(), 0);
    std::sort(byA.begin(), byA.end(), [&](std::size_t a, std::size_t b) {
        return blocks_[a]->posA() < blocks_[b]->posA();
    });
    std::vector<std::size_t> byB(n);
    std::iota(byB.begin(), byB.end(), 0);
    std::sort(byB.begin(), byB.end(), [&](std::size_t a, std::size_t b) {
        return blocks_[a]->posB() < blocks_[b]->posB();
    });
    std::vector<std::size_t> rankB(n);
    for (std::size_t r = 0; r < n; ++r)
        rankB[byB[r]] = r;

    LengthSums earlier(n);
    std::int64_t earlierTotal = 0;
    for (std::size_t i : byA) {
        weight_[i] += earlierTotal - earlier.Below(rankB[i] + 1);
        earlier.Add(rankB[i], blocks_[i]->length);
        earlierTotal += blocks_[i]->length;
    }
    LengthSums later(n);
    for (auto it = byA.rbegin(); it != byA.rend(); ++it) {
        weight_[*it] += later.Below(rankB[*it]);
        later.Add(rankB[*it], blocks_[*it]->length);
    }
}

// Takes the pick's length off the blocks it crossed, then keeps only the
// blocks that can still be picked, finding the next pick among them.
DIFF_BLOCK* CCrossingWeights::TakeMostCrossing()
{
    if (blocks_.empty())
        return nullptr;
    DIFF_BLOCK* const picked = blocks_[best_];
    const int a = posA_[best_];
    const int b = posB_[best_];
    const int length = length_[best_];
    weight_[best_] = 0;
    for (std::size_t i = 0; i < blocks_.size(); ++i) {
        if ((posA_[i] > a) != (posB_[i] > b))
            weight_[i] -= length;
    }
    KeepCrossingOnly();
    return picked;
}
