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

    // The block with the greatest weight above 0; between equal weights the
    // shorter, then the earlier one. None when no two remaining blocks cross.
    DIFF_BLOCK* MostCrossing() const;
    // Takes a block out of consideration; the weights of the blocks it crossed
    // drop by its length.
    void Remove(DIFF_BLOCK* block);

    static bool Cross(const DIFF_BLOCK& a, const DIFF_BLOCK& b)
    {
        return (a.posA() > b.posA()) != (a.posB() > b.posB());
    }

private:
    void ComputeWithSweeps();
    void ComputeLiterally();

    // Positions and lengths side by side in flat arrays: every pick walks
    // all blocks once, and this keeps that walk in the cache.
    std::vector<DIFF_BLOCK*> blocks_;
    std::vector<int> posA_;
    std::vector<int> posB_;
    std::vector<int> length_;
    std::vector<std::int64_t> weight_;
    std::vector<char> removed_;
};
