#pragma once

#include "document/block_starts.h"

#include <optional>
#include <string_view>
#include <unordered_map>

class CDiffDoc;
struct DIFF_BLOCK;

// Which block stands opposite which in a file comparison: the two halves of
// a moved block, and an Unmatched block of the first file with the Unmatched
// block of the second file next to it in the composite order (removed lines
// and the lines that replaced them). Also where a line of one file stands in
// the other, for panes that scroll together. It follows the document's
// result: Refresh rebuilds only when the lists changed.
class CBlockPartners
{
public:
    void Refresh(const CDiffDoc& doc);

    // The block opposite block, or none.
    const DIFF_BLOCK* PartnerOf(const DIFF_BLOCK* block) const;

    // A line of an Unmatched block and the line that stands opposite it: the
    // i-th line of the block with the i-th line of its partner, which is how
    // changes inside lines are paired. firstLine: the first file's line
    // number of the pair.
    struct LINE_PAIR
    {
        std::string_view first;
        std::string_view second;
        long long firstLine;
    };
    // None when the line has no line opposite.
    std::optional<LINE_PAIR> OppositeLines(const CDiffDoc& doc, const DIFF_BLOCK& block,
                                           int offset) const;

    // The place in the other file of the content at line (a fraction within
    // a line is kept) of file side: inside a common or moved block, the
    // matching line; inside removed or added lines with lines opposite, the
    // line at the same distance from their start (at most their end); inside
    // any other stretch, the other file's position at that place, which is
    // where the content before it ends there.
    double OtherSideLine(const CDiffDoc& doc, int side, double line) const;

private:
    // The other file's position after the content that ends the stretch
    // before block b of a side's list.
    long long OtherPlaceBefore(const CDiffDoc& doc, int side, std::size_t b) const;

    const void* result_ = nullptr;
    unsigned long long generation_ = 0;
    std::unordered_map<const DIFF_BLOCK*, const DIFF_BLOCK*> partners_;
    CBlockStarts starts_[2];
};
