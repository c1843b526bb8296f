#pragma once

#include "engine/diff_block.h"
#include "engine/diff_buf.h"

#include <vector>

// A slow, literal model of the comparison: the greedy matcher and the
// post-processing that marks moved content and orders the blocks, each written
// as plain loops over plain vectors, with no index, cache or shortcut.
// It exists only so the fast engine can be checked against it; it shares no
// code with the engine beyond the buffers' element equality.
namespace literal {

struct LiteralResult
{
    // The blocks as the matcher appends them, before any post-processing.
    std::vector<DIFF_BLOCK> run;
    // The list of all blocks in composite order, after moved content is marked.
    std::vector<DIFF_BLOCK> all;
    // The per-file lists, ordered by positions in the first and second file.
    std::vector<DIFF_BLOCK> first;
    std::vector<DIFF_BLOCK> second;
};

// The matcher alone: Common blocks in the order they were accepted, then the
// Unmatched blocks of the first file, then those of the second. Element
// equality is asked of a.IsEqual(i, &b, j). A minLength below 1 is used as 1,
// a negative limit as 0. Ids count up from firstId.
std::vector<DIFF_BLOCK> LiteralMatch(const CDiffBuf& a, const CDiffBuf& b, int minLength, int limit,
                                     int firstId = 0);

// The post-processing of a matcher's output: moved blocks marked, the list
// re-sorted into composite order, and the two per-file lists filled.
LiteralResult LiteralFinish(std::vector<DIFF_BLOCK> run);

// Both steps together.
LiteralResult RunLiteral(const CDiffBuf& a, const CDiffBuf& b, int minLength, int limit);

} // namespace literal
