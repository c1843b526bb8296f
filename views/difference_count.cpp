#include "views/difference_count.h"

#include "engine/block_list.h"

CDifferenceCount::ORDINAL CDifferenceCount::InComposite(const CBlockList& all, long long p)
{
    ORDINAL ordinal;
    long long start = 0;
    for (const DIFF_BLOCK* block : all.Blocks()) {
        if (!block->IsCommon()) {
            ++ordinal.count;
            if (start <= p)
                ordinal.index = ordinal.count;
        }
        start += block->length;
    }
    return ordinal;
}

CDifferenceCount::ORDINAL CDifferenceCount::InSide(const CBlockList& side, long long count,
                                                   long long p)
{
    ORDINAL ordinal;
    long long end = 0;
    for (const DIFF_BLOCK* block : side.Blocks()) {
        end += block->length;
        if (block->kind == BlockKind::Unmatched || end >= count)
            continue;
        ++ordinal.count;
        if (end <= p)
            ordinal.index = ordinal.count;
    }
    return ordinal;
}
