#include "document/block_starts.h"

#include "engine/block_list.h"

#include <algorithm>

void CBlockStarts::Refresh(const CBlockList& list)
{
    if (list_ == &list && generation_ == list.generation())
        return;
    list_ = &list;
    generation_ = list.generation();
    starts_.clear();
    starts_.reserve(list.Blocks().size() + 1);
    long long start = 0;
    for (const DIFF_BLOCK* block : list.Blocks()) {
        starts_.push_back(start);
        start += block->length;
    }
    starts_.push_back(start);
}

std::size_t CBlockStarts::BlockAt(long long pos) const
{
    // The last block starting at or before pos; empty blocks before it are
    // passed over because the next start equals theirs.
    const auto after = std::upper_bound(starts_.begin(), starts_.end() - 1, pos);
    const auto block = static_cast<std::size_t>(after - starts_.begin());
    if (block == 0)
        return 0;
    return pos >= starts_.back() ? starts_.size() - 1 : block - 1;
}
