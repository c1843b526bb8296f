#include "engine/diff_navigation.h"

#include "engine/block_list.h"

long long CDiffNavigation::NextInComposite(const CBlockList& all, long long p)
{
    long long start = 0;
    long long result = 0;
    for (const DIFF_BLOCK* block : all.Blocks()) {
        if (result > p)
            break;
        if (!block->IsCommon())
            result = start;
        start += block->length;
    }
    return result;
}

long long CDiffNavigation::PreviousInComposite(const CBlockList& all, long long p)
{
    long long start = all.total();
    long long result = start;
    const auto& blocks = all.Blocks();
    for (auto it = blocks.rbegin(); it != blocks.rend(); ++it) {
        if (result < p)
            break;
        start -= (*it)->length;
        if (!(*it)->IsCommon())
            result = start;
    }
    return result;
}

long long CDiffNavigation::NextInSide(const CBlockList& side, long long count, long long p)
{
    long long end = count;
    long long result = p;
    const auto& blocks = side.Blocks();
    for (auto it = blocks.rbegin(); it != blocks.rend() && p < end; ++it) {
        if ((*it)->kind != BlockKind::Unmatched)
            result = end;
        end -= (*it)->length;
    }
    return result;
}

long long CDiffNavigation::PreviousInSide(const CBlockList& side, long long p)
{
    const auto& blocks = side.Blocks();
    long long result = p;
    if (blocks.empty())
        return result;
    long long end = blocks.front()->length;
    for (std::size_t i = 0; end < p;) {
        if (blocks[i]->kind != BlockKind::Unmatched)
            result = end;
        if (++i == blocks.size())
            break;
        end += blocks[i]->length;
    }
    return result;
}
