#pragma once

#include <cstddef>
#include <vector>

class CBlockList;

// Where each block of a list starts in the list's content (lines or bytes),
// so that a pane finds the block at any scroll position by binary search
// instead of walking the list from its first block. It follows the list:
// Refresh rebuilds the starts only when the list is another one or has
// changed since.
class CBlockStarts
{
public:
    void Refresh(const CBlockList& list);

    // The index of the block that holds content position pos, or the number
    // of blocks when pos lies at or beyond the end of the content.
    std::size_t BlockAt(long long pos) const;
    long long StartOf(std::size_t block) const { return starts_[block]; }

private:
    const CBlockList* list_ = nullptr;
    unsigned long long generation_ = 0;
    // One start per block and the content's end after the last one.
    std::vector<long long> starts_{0};
};
