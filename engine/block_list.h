#pragma once

#include "engine/diff_block.h"

#include <cstddef>
#include <vector>

// An ordered list of blocks with a cursor. The document keeps three: the list
// of all blocks in composite order, which owns them, and one list per file that
// only refers to them. The owner says which kind a list is when it empties it.
class CBlockList
{
public:
    explicit CBlockList(int sortSide = 0) : sortSide_(sortSide) {}
    CBlockList(const CBlockList&) = delete;
    CBlockList& operator=(const CBlockList&) = delete;

    void AddTail(DIFF_BLOCK* block);
    // Inserts the block at its place in position order; blocks with equal keys
    // keep the order in which they were inserted.
    void InsertSorted(DIFF_BLOCK* block);
    // Rebuilds the list in position order: every Common block in the former
    // order, then every other block in the former order, each as InsertSorted
    // would place it.
    void Resort();
    void RemoveAll(bool deleteBlocks);

    int GetCount() const { return static_cast<int>(blocks_.size()); }
    bool IsEmpty() const { return blocks_.empty(); }
    // Random access for views that search the list; does not move the cursor.
    DIFF_BLOCK* At(int index) const { return blocks_[static_cast<std::size_t>(index)]; }
    const std::vector<DIFF_BLOCK*>& Blocks() const { return blocks_; }

    DIFF_BLOCK* GetFirst();
    DIFF_BLOCK* GetLast();
    DIFF_BLOCK* GetNext();
    DIFF_BLOCK* GetPrev();

    // The Common block whose order conflicts with the most common content, or
    // none when no two Common blocks cross.
    DIFF_BLOCK* FindMostCrossing() const;
    // Turns crossing Common blocks into Moved pairs, heaviest conflict first;
    // the MovedTo halves are appended to this list.
    void MarkMovedBlocks();

    // The post-processing after a comparison run: marks moved content in the
    // list of all blocks, puts it in composite order, and fills the two
    // per-file lists (which must be empty) in their files' order.
    static void FinishResult(CBlockList& all, CBlockList& first, CBlockList& second);

    long long total() const { return total_; }
    // Changes whenever the list's blocks or their order change, so that a
    // reader can tell whether what it derived from the list still holds.
    unsigned long long generation() const { return generation_; }
    int sortSide() const { return sortSide_; }

private:
    bool GoesBefore(const DIFF_BLOCK* q, const DIFF_BLOCK* p) const;
    void InsertSortedLiteral(DIFF_BLOCK* block);
    bool ResortFast(const std::vector<DIFF_BLOCK*>& former);
    void SortByOwnPosition();

    std::vector<DIFF_BLOCK*> blocks_;
    // Index of the node last visited; blocks_.size() stands after the last node.
    std::size_t cursor_ = 0;
    long long total_ = 0;
    unsigned long long generation_ = 0;
    int sortSide_ = 0;
};
