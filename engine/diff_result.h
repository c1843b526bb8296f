#pragma once

#include "engine/block_list.h"
#include "engine/diff_block.h"

#include <deque>

// The result of one file comparison as a value: it keeps its blocks and the
// three lists that refer to them. The list of all blocks is in composite
// order; the per-file lists hold the blocks of one file each, in that file's
// order. The blocks live in a deque, which neither moves them when it grows
// nor when the result is moved, so the lists' pointers stay valid.
class CDiffResult
{
public:
    CDiffResult() = default;
    CDiffResult(const CDiffResult&) = delete;
    CDiffResult& operator=(const CDiffResult&) = delete;
    CDiffResult(CDiffResult&&) = default;
    CDiffResult& operator=(CDiffResult&&) = default;

    // A file shown alone: one Common block of length elements that covers it,
    // in the list of all blocks and in the first file's list.
    static CDiffResult WholeFile(int length);

    // Keeps a block and appends it to the list of all blocks, in the order in
    // which a comparison run finds them.
    void Append(const DIFF_BLOCK& block);
    // The post-processing of a run: marks moved content, puts the list of all
    // blocks in composite order and fills the per-file lists (which must still
    // be empty) in their files' order.
    void Finish();

    const CBlockList& all() const { return all_; }
    const CBlockList& first() const { return first_; }
    const CBlockList& second() const { return second_; }

private:
    DIFF_BLOCK* Keep(const DIFF_BLOCK& block);

    std::deque<DIFF_BLOCK> blocks_;
    CBlockList all_{0};
    CBlockList first_{0};
    CBlockList second_{1};
};
