#include "engine/block_list.h"

#include "engine/crossing_weights.h"

#include <algorithm>
#include <atomic>
#include <list>
#include <map>
#include <utility>

namespace {

// Shared by all lists: views may keep what they derived from a list whose
// place a new list has taken, and must find its generation different.
std::atomic<unsigned long long> lastGeneration{0};

unsigned long long NextGeneration()
{
    return ++lastGeneration;
}

} // namespace

CBlockList::CBlockList(int sortSide) : generation_(NextGeneration()), sortSide_(sortSide) {}

CBlockList::CBlockList(CBlockList&& other) noexcept
    : blocks_(std::move(other.blocks_)), total_(other.total_), generation_(other.generation_),
      sortSide_(other.sortSide_)
{
    other.blocks_.clear();
    other.total_ = 0;
    other.Changed();
}

CBlockList& CBlockList::operator=(CBlockList&& other) noexcept
{
    if (this == &other)
        return *this;
    blocks_ = std::move(other.blocks_);
    total_ = other.total_;
    generation_ = other.generation_;
    sortSide_ = other.sortSide_;
    other.blocks_.clear();
    other.total_ = 0;
    other.Changed();
    return *this;
}

void CBlockList::Changed()
{
    generation_ = NextGeneration();
}

void CBlockList::AddTail(DIFF_BLOCK* block)
{
    blocks_.push_back(block);
    total_ += block->length;
    Changed();
}

// The position order of two blocks: q goes before p when one of these holds.
// Equal positions never put q first, so blocks with equal keys keep the order
// in which they were inserted; blocks of different sides outside any Common
// block never order each other.
bool CBlockList::GoesBefore(const DIFF_BLOCK* q, const DIFF_BLOCK* p) const
{
    if (q->IsCommon() && p->IsCommon())
        return q->PosIn(sortSide_) < p->PosIn(sortSide_);
    if (q->IsCommon())
        return q->PosIn(p->side()) < p->pos();
    if (p->IsCommon())
        return q->pos() < p->PosIn(q->side());
    if (q->side() == p->side())
        return q->pos() < p->pos();
    return false;
}

void CBlockList::InsertSortedLiteral(DIFF_BLOCK* block)
{
    auto at = std::find_if(blocks_.begin(), blocks_.end(),
                           [&](const DIFF_BLOCK* p) { return GoesBefore(block, p); });
    blocks_.insert(at, block);
    total_ += block->length;
    Changed();
}

// Resort places every block as the literal insertion does, one by one. Inserting one
// at a time from the front costs time quadratic in the number of blocks, so the
// usual case is rebuilt directly: once moved content is marked, the Common
// blocks stand in the same order in both files, and every other block belongs
// to the gap before the first Common block that lies after it in its own file.
// Within a gap a block goes before the first block of its side with a greater
// position, which an ordered index per side finds at once.
bool CBlockList::ResortFast(const std::vector<DIFF_BLOCK*>& former)
{
    std::vector<DIFF_BLOCK*> commons;
    std::vector<DIFF_BLOCK*> others;
    for (DIFF_BLOCK* block : former) {
        if (block->IsCommon())
            commons.push_back(block);
        else if (block->side() == 0 || block->side() == 1)
            others.push_back(block);
        else
            return false;
    }
    std::stable_sort(commons.begin(), commons.end(), [&](const DIFF_BLOCK* a, const DIFF_BLOCK* b) {
        return a->PosIn(sortSide_) < b->PosIn(sortSide_);
    });
    for (std::size_t i = 1; i < commons.size(); ++i) {
        if (commons[i - 1]->posA() >= commons[i]->posA() ||
            commons[i - 1]->posB() >= commons[i]->posB())
            return false;
    }

    using Gap = std::list<DIFF_BLOCK*>;
    std::vector<Gap> gaps(commons.size() + 1);
    // Per side: (gap, position) -> the block's node, for finding the first block
    // of the same side with a greater position within a gap.
    std::map<std::pair<std::size_t, int>, Gap::iterator> placed[2];
    for (DIFF_BLOCK* block : others) {
        const int side = block->side();
        const auto gapEnd =
            std::upper_bound(commons.begin(), commons.end(), block->pos(),
                             [side](int pos, const DIFF_BLOCK* c) { return pos < c->PosIn(side); });
        const auto g = static_cast<std::size_t>(gapEnd - commons.begin());
        Gap& gap = gaps[g];
        auto next = placed[side].upper_bound({g, block->pos()});
        const bool beforeNext = next != placed[side].end() && next->first.first == g;
        const auto node = gap.insert(beforeNext ? next->second : gap.end(), block);
        placed[side].emplace(std::make_pair(g, block->pos()), node);
    }

    for (std::size_t g = 0; g < gaps.size(); ++g) {
        for (DIFF_BLOCK* block : gaps[g])
            AddTail(block);
        if (g < commons.size())
            AddTail(commons[g]);
    }
    return true;
}

void CBlockList::Resort()
{
    const std::vector<DIFF_BLOCK*> former = std::move(blocks_);
    blocks_.clear();
    total_ = 0;
    Changed();
    if (ResortFast(former))
        return;
    blocks_.clear();
    total_ = 0;
    for (DIFF_BLOCK* block : former) {
        if (block->IsCommon())
            InsertSortedLiteral(block);
    }
    for (DIFF_BLOCK* block : former) {
        if (!block->IsCommon())
            InsertSortedLiteral(block);
    }
}

// A per-file list holds the blocks of one file, which tile that file, so
// inserting them one by one in position order is a stable sort by position.
void CBlockList::SortByOwnPosition()
{
    Changed();
    std::stable_sort(blocks_.begin(), blocks_.end(), [&](const DIFF_BLOCK* a, const DIFF_BLOCK* b) {
        return a->PosIn(sortSide_) < b->PosIn(sortSide_);
    });
}

namespace {

std::vector<DIFF_BLOCK*> CommonBlocks(const std::vector<DIFF_BLOCK*>& blocks)
{
    std::vector<DIFF_BLOCK*> commons;
    for (DIFF_BLOCK* block : blocks) {
        if (block->IsCommon())
            commons.push_back(block);
    }
    return commons;
}

} // namespace

void CBlockList::MarkMovedBlocks(const BlockKeeper& keep)
{
    CCrossingWeights weights(CommonBlocks(blocks_));
    while (DIFF_BLOCK* p = weights.TakeMostCrossing()) {
        const int posA = p->posA();
        const int posB = p->posB();
        // p stays in place as the half in the first file; its copy, appended at
        // the end, is the half in the second file. Both keep id and length.
        DIFF_BLOCK* q = keep(DIFF_BLOCK::MakeSided(p->id, BlockKind::Moved, p->length, 1, posB));
        *p = DIFF_BLOCK::MakeSided(p->id, BlockKind::Moved, p->length, 0, posA);
        AddTail(q);
    }
}
