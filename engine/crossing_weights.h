#pragma once

#include "engine/diff_block.h"

#include <cstdint>
#include <vector>

// The crossing weights of a set of Common blocks: for each block, the sum of
// the lengths of the other blocks whose order in the first file differs from
// their order in the second. Picks the block that conflicts most and removes
// blocks from consideration one at a time, updating the weights as it goes,
// instead of recomputing every pair for every pick.
class CCrossingWeights
{
public:
    // blocks: the Common blocks in list order (ties between equal picks go to
    // the one earlier in this order).
    explicit CCrossingWeights(std::vector<DIFF_BLOCK*> blocks);

    // Takes the block with the greatest weight above 0 out of consideration
    // and returns it; between equal weights the shorter, then the earlier one
    // goes first. The weights of the blocks it crossed drop by its length.
    // None when no two remaining blocks cross.
    DIFF_BLOCK* TakeMostCrossing();

    static bool Cross(const DIFF_BLOCK& a, const DIFF_BLOCK& b)
    {
        return (a.posA() > b.posA()) != (a.posB() > b.posB());
    }

private:
    void ComputeWithSweeps();
    void ComputeLiterally();
    void KeepCrossingOnly();
    bool Heavier(std::size_t i, std::size_t j) const
    {
        return weight_[i] > weight_[j] || (weight_[i] == weight_[j] && length_[i] < length_[j]);
    }

    // Positions and lengths side by side in flat arrays: every pick walks
    // the blocks still in play once, and this keeps that walk in the cache.
    // Weights never grow, so a block whose weight has reached 0 can never be
    // picked and crosses nothing still in play: it leaves the arrays, which
    // keep their list order.
    std::vector<DIFF_BLOCK*> blocks_;
    std::vector<int> posA_;
    std::vector<int> posB_;
    std::vector<int> length_;
    std::vector<std::int64_t> weight_;
    // The next pick, found while the weights of the last one were updated.
    std::size_t best_ = 0;
};
