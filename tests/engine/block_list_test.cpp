#include "engine/block_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <utility>
#include <vector>

namespace {

// A list with the blocks it refers to: kept in a deque, which never moves
// them, as a comparison's result keeps its blocks.
class OwningList
{
public:
    explicit OwningList(int sortSide = 0) : list(sortSide) {}

    DIFF_BLOCK* Keep(const DIFF_BLOCK& block)
    {
        blocks.push_back(block);
        return &blocks.back();
    }
    DIFF_BLOCK* Add(const DIFF_BLOCK& block)
    {
        DIFF_BLOCK* kept = Keep(block);
        list.AddTail(kept);
        return kept;
    }
    void MarkMovedBlocks()
    {
        list.MarkMovedBlocks([this](const DIFF_BLOCK& block) { return Keep(block); });
    }

    std::deque<DIFF_BLOCK> blocks;
    CBlockList list;
};

DIFF_BLOCK Common(int id, int length, int posA, int posB)
{
    return DIFF_BLOCK::MakeCommon(id, length, posA, posB);
}

DIFF_BLOCK Unmatched(int id, int length, int side, int pos)
{
    return DIFF_BLOCK::MakeSided(id, BlockKind::Unmatched, length, side, pos);
}

std::vector<int> Ids(const CBlockList& list)
{
    std::vector<int> ids;
    for (const DIFF_BLOCK* b : list.Blocks())
        ids.push_back(b->id);
    return ids;
}

TEST(BlockListTest, AddTailKeepsTheOrderAndSumsTheLengths)
{
    OwningList owner;
    CBlockList& list = owner.list;
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.total(), 0);

    DIFF_BLOCK* a = owner.Add(Common(1, 1, 0, 0));
    DIFF_BLOCK* b = owner.Add(Common(2, 4, 1, 1));
    EXPECT_FALSE(list.IsEmpty());
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.At(0), a);
    EXPECT_EQ(list.At(1), b);
    EXPECT_EQ(list.Blocks(), (std::vector<DIFF_BLOCK*>{a, b}));
    EXPECT_EQ(list.total(), 5);
}

struct CrossingCase
{
    const char* name;
    std::vector<DIFF_BLOCK> blocks;
    std::vector<int> pickedIds; // in the order the blocks were turned into Moved pairs
};

// The MovedTo halves are appended in the order their blocks were picked, so
// they show which block conflicted most at each step.
TEST(BlockListTest, MarkMovedBlocksPicksTheHeaviestThenShorterThenEarlier)
{
    const std::vector<CrossingCase> cases = {
        {"none", {}, {}},
        {"single", {Common(1, 5, 0, 0)}, {}},
        {"in order", {Common(1, 5, 0, 0), Common(2, 5, 5, 5)}, {}},
        {"equal weights and lengths: earlier", {Common(1, 10, 0, 10), Common(2, 10, 10, 0)}, {1}},
        {"shorter has the greater weight", {Common(1, 10, 0, 4), Common(2, 4, 10, 0)}, {2}},
        // Weights 5, 5, 5: the shortest (3) goes first, which leaves 2
        // crossing 1 by 5 and 1 crossing 2 by 3.
        {"equal weights: shortest",
         {Common(1, 5, 0, 10), Common(2, 3, 5, 0), Common(3, 2, 8, 3), Common(4, 4, 20, 20)},
         {3, 2}},
        // Weights 6, 6, 6: the shorter and earlier 1 goes first, which leaves
        // 2 crossing 3 by 6 and 3 crossing 2 by 3.
        {"equal weights and lengths: earliest",
         {Common(1, 3, 0, 10), Common(2, 3, 3, 13), Common(3, 6, 6, 0)},
         {1, 2}},
    };
    for (const CrossingCase& c : cases) {
        SCOPED_TRACE(c.name);
        OwningList owner;
        for (const DIFF_BLOCK& b : c.blocks)
            owner.Add(b);
        owner.MarkMovedBlocks();
        std::vector<int> picked;
        for (std::size_t i = c.blocks.size(); i < owner.list.Blocks().size(); ++i)
            picked.push_back(owner.list.Blocks()[i]->id);
        EXPECT_EQ(picked, c.pickedIds);
    }
}

TEST(BlockListTest, MarkMovedBlocksSplitsTheCrossingBlockIntoTwoHalves)
{
    OwningList owner;
    owner.Add(Common(7, 3, 0, 3));
    owner.Add(Common(8, 3, 3, 0));
    owner.MarkMovedBlocks();
    ASSERT_EQ(owner.list.GetCount(), 3);
    EXPECT_EQ(*owner.list.At(0), DIFF_BLOCK::MakeSided(7, BlockKind::Moved, 3, 0, 0));
    EXPECT_EQ(*owner.list.At(1), Common(8, 3, 3, 0));
    EXPECT_EQ(*owner.list.At(2), DIFF_BLOCK::MakeSided(7, BlockKind::Moved, 3, 1, 3));
    EXPECT_EQ(owner.list.total(), 9);
}

TEST(BlockListTest, ResortPutsEachSidesBlocksIntoTheirGaps)
{
    OwningList owner;
    owner.Add(Common(1, 2, 3, 3));
    owner.Add(Common(2, 2, 0, 0));
    owner.Add(Unmatched(3, 1, 0, 2));
    owner.Add(Unmatched(4, 1, 0, 5));
    owner.Add(Unmatched(5, 1, 1, 2));
    owner.Add(Unmatched(6, 3, 1, 5));
    owner.list.Resort();
    EXPECT_EQ(Ids(owner.list), (std::vector<int>{2, 3, 5, 1, 4, 6}));
    EXPECT_EQ(owner.list.total(), 10);
}

TEST(BlockListTest, ResortOfCrossingCommonBlocksFollowsInsertionOrder)
{
    // Common blocks out of order in the second file cannot be split into gaps;
    // the list is then built one insertion at a time.
    OwningList owner;
    owner.Add(Common(1, 2, 0, 4));
    owner.Add(Common(2, 2, 4, 0));
    owner.Add(Unmatched(3, 2, 1, 2));
    owner.Add(Unmatched(4, 2, 0, 2));
    owner.list.Resort();
    EXPECT_EQ(Ids(owner.list), (std::vector<int>{3, 1, 4, 2}));
}

// Blocks with equal keys keep their former order: here an empty and a
// non-empty unmatched stretch both start where the Common block's second-file
// part ends before.
TEST(BlockListTest, ResortKeepsEqualKeysInTheirFormerOrder)
{
    const struct
    {
        const char* name;
        std::vector<DIFF_BLOCK> former;
        std::vector<int> ids;
    } cases[] = {
        {"longer first",
         {Common(1, 2, 0, 2), Unmatched(2, 2, 1, 0), Unmatched(3, 0, 1, 0)},
         {2, 3, 1}},
        {"empty first",
         {Common(1, 2, 0, 2), Unmatched(3, 0, 1, 0), Unmatched(2, 2, 1, 0)},
         {3, 2, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OwningList owner(1);
        for (const DIFF_BLOCK& b : c.former)
            owner.Add(b);
        owner.list.Resort();
        EXPECT_EQ(Ids(owner.list), c.ids);
        EXPECT_EQ(owner.list.total(), 4);
    }
}

} // namespace

namespace {

TEST(BlockListTest, GenerationChangesWithEveryChangeOfBlocksOrOrder)
{
    OwningList owner;
    CBlockList& list = owner.list;
    std::vector<unsigned long long> seen = {list.generation()};
    const auto changed = [&](const CBlockList& changedList, const char* what) {
        SCOPED_TRACE(what);
        EXPECT_EQ(std::count(seen.begin(), seen.end(), changedList.generation()), 0);
        seen.push_back(changedList.generation());
    };
    owner.Add(Common(1, 2, 4, 4));
    changed(list, "added at the end");
    owner.Add(Common(2, 2, 0, 0));
    changed(list, "added out of order");
    list.Resort();
    changed(list, "resorted");
    list.SortByOwnPosition();
    changed(list, "sorted by position");
    owner.Add(Common(3, 2, 6, 2));
    owner.MarkMovedBlocks();
    changed(list, "moved content marked");

    CBlockList taken = std::move(list);
    EXPECT_EQ(taken.generation(), seen.back()) << "a moved list is the same list";
    EXPECT_EQ(taken.GetCount(), 4);
    changed(list, "emptied by the move");
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.total(), 0);
    const CBlockList fresh(0);
    changed(fresh, "a new list");
    list = CBlockList(0);
    changed(list, "replaced by a new list");
}

} // namespace
