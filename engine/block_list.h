#pragma once

#include "engine/diff_block.h"

#include <cstddef>
#include <functional>
#include <vector>

// An ordered list of blocks. A list only refers to its blocks: whoever fills
// it keeps them (a comparison's result keeps the blocks of its three lists).
class CBlockList
{
public:
    // Gives a new block a place of its own and returns it; the place must not
    // move while the list refers to it.
    using BlockKeeper = std::function<DIFF_BLOCK*(const DIFF_BLOCK&)>;

    explicit CBlockList(int sortSide = 0);
    CBlockList(const CBlockList&) = delete;
    CBlockList& operator=(const CBlockList&) = delete;
    // A moved list keeps its generation; the list moved from is left empty
    // with a generation of its own.
    CBlockList(CBlockList&& other) noexcept;
    CBlockList& operator=(CBlockList&& other) noexcept;

    void AddTail(DIFF_BLOCK* block);
    // Rebuilds the list in position order: every Common block in the former
    // order, then every other block in the former order, each inserted before
    // the first block it goes before, so that blocks with equal keys keep
    // their former order.
    void Resort();
    // Sorts a list that holds the blocks of one file, which tile that file, by
    // their positions in that file; equal positions keep their order.
    void SortByOwnPosition();

    int GetCount() const { return static_cast<int>(blocks_.size()); }
    bool IsEmpty() const { return blocks_.empty(); }
    // Random access for views that search the list.
    DIFF_BLOCK* At(int index) const { return blocks_[static_cast<std::size_t>(index)]; }
    const std::vector<DIFF_BLOCK*>& Blocks() const { return blocks_; }

    // Turns crossing Common blocks into Moved pairs, heaviest conflict first
    // (as CCrossingWeights picks them); the MovedTo halves are made by keep
    // and appended to this list.
    void MarkMovedBlocks(const BlockKeeper& keep);

    long long total() const { return total_; }
    // Changes whenever the list's blocks or their order change, so that a
    // reader can tell whether what it derived from the list still holds. The
    // values come from one counter for all lists, so a list that replaces
    // another never repeats the generation of the one it replaced.
    unsigned long long generation() const { return generation_; }
    int sortSide() const { return sortSide_; }

private:
    void Changed();
    bool GoesBefore(const DIFF_BLOCK* q, const DIFF_BLOCK* p) const;
    void InsertSortedLiteral(DIFF_BLOCK* block);
    bool ResortFast(const std::vector<DIFF_BLOCK*>& former);

    std::vector<DIFF_BLOCK*> blocks_;
    long long total_ = 0;
    unsigned long long generation_ = 0;
    int sortSide_ = 0;
};
