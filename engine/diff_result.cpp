#include "engine/diff_result.h"

CDiffResult CDiffResult::WholeFile(int length)
{
    CDiffResult result;
    DIFF_BLOCK* whole = result.Keep(DIFF_BLOCK::MakeCommon(NextBlockId(), length, 0, 0));
    result.all_.AddTail(whole);
    result.first_.AddTail(whole);
    return result;
}

DIFF_BLOCK* CDiffResult::Keep(const DIFF_BLOCK& block)
{
    blocks_.push_back(block);
    return &blocks_.back();
}

void CDiffResult::Append(const DIFF_BLOCK& block)
{
    all_.AddTail(Keep(block));
}

void CDiffResult::Finish()
{
    all_.MarkMovedBlocks([this](const DIFF_BLOCK& block) { return Keep(block); });
    all_.Resort();
    for (DIFF_BLOCK* block : all_.Blocks()) {
        if (block->IsCommon()) {
            first_.AddTail(block);
            second_.AddTail(block);
        } else if (block->side() == 0) {
            first_.AddTail(block);
        } else if (block->side() == 1) {
            second_.AddTail(block);
        }
    }
    first_.SortByOwnPosition();
    second_.SortByOwnPosition();
}
