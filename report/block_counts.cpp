#include "report/block_counts.h"

#include "engine/block_list.h"

CBlockCounts::CBlockCounts(const CBlockList& all)
{
    for (const DIFF_BLOCK* block : all.Blocks()) {
        if (block->kind == BlockKind::Common)
            identical += block->length;
        else if (block->kind == BlockKind::Moved)
            moved += block->side() == 0 ? block->length : 0;
        else if (block->side() == 0)
            removed += block->length;
        else
            added += block->length;
    }
}
