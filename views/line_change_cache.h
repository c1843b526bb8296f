#pragma once

#include "document/line_changes.h"

#include <unordered_map>
#include <vector>

class CBlockPartners;
class CDiffDoc;
struct DIFF_BLOCK;

// The changed byte spans of the lines a pane shows, each worked out once:
// the i-th line of a removed or added block is compared with the i-th line
// of the block opposite it. Only the lines that are drawn are ever asked
// for, and the answers are kept until the result or the comparison options
// change.
class CLineChangeCache
{
public:
    // Forgets every answer when the document holds another result or other
    // options than those the answers were found under.
    void Refresh(const CDiffDoc& doc);

    // The changed spans of line offset (from the block's start) of block,
    // in its own file's line; empty when the line has no line opposite or
    // nothing is marked.
    const std::vector<LineChanges::Span>& SpansOf(const CDiffDoc& doc,
                                                  const CBlockPartners& partners,
                                                  const DIFF_BLOCK& block, int offset);

    std::size_t Size() const { return kept_.size(); }

private:
    const void* result_ = nullptr;
    unsigned long long generation_ = 0;
    bool ignoreCase_ = false;
    bool ignoreBlanks_ = false;
    // By the first file's line number; both sides of a pair are kept at once.
    std::unordered_map<long long, LineChanges> kept_;
};
