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

std::string CBlockCounts::Sentence(std::string_view unit) const
{
    std::string text = std::to_string(identical);
    text += " identical, ";
    text += std::to_string(removed);
    text += " removed, ";
    text += std::to_string(added);
    text += " added, ";
    text += std::to_string(moved);
    text += " moved ";
    text += unit;
    return text;
}
