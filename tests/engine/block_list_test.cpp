#include "engine/block_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// A list that owns the blocks it is given and frees them at the end.
class OwningList
{
public:
    explicit OwningList(int sortSide = 0) : list(sortSide) {}
    ~OwningList() { list.RemoveAll(true); }

    DIFF_BLOCK* Add(const DIFF_BLOCK& block)
    {
        auto* copy = new DIFF_BLOCK(block);
        list.AddTail(copy);
        return copy;
    }

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

TEST(BlockListTest, CursorStopsAtBothEnds)
{
    OwningList owner;
    CBlockList& list = owner.list;
    EXPECT_EQ(list.GetFirst(), nullptr);
    EXPECT_EQ(list.GetLast(), nullptr);
    EXPECT_EQ(list.GetNext(), nullptr);
    EXPECT_EQ(list.GetPrev(), nullptr);

    DIFF_BLOCK* a = owner.Add(Common(1, 1, 0, 0));
    DIFF_BLOCK* b = owner.Add(Common(2, 1, 1, 1));
    EXPECT_EQ(list.GetFirst(), a);
    EXPECT_EQ(list.GetPrev(), nullptr);
    EXPECT_EQ(list.GetNext(), b);
    EXPECT_EQ(list.GetNext(), nullptr);
    EXPECT_EQ(list.GetNext(), nullptr);
    EXPECT_EQ(list.GetPrev(), b);
    EXPECT_EQ(list.GetPrev(), a);
    EXPECT_EQ(list.GetPrev(), nullptr);
    EXPECT_EQ(list.GetLast(), b);
    EXPECT_EQ(list.total(), 2);
}

struct CrossingCase
{
    const char* name;
    std::vector<DIFF_BLOCK> blocks;
    int expectedId; // -1: none
};

TEST(BlockListTest, FindMostCrossingWeighsLengthThenPrefersShorterThenEarlier)
{
    const std::vector<CrossingCase> cases = {
        {"none", {}, -1},
        {"single", {Common(1, 5, 0, 0)}, -1},
        {"in order", {Common(1, 5, 0, 0), Common(2, 5, 5, 5)}, -1},
        {"equal weights and lengths: earlier", {Common(1, 10, 0, 10), Common(2, 10, 10, 0)}, 1},
        {"shorter has the greater weight", {Common(1, 10, 0, 4), Common(2, 4, 10, 0)}, 2},
        {"equal weights: shortest",
         {Common(1, 5, 0, 10), Common(2, 3, 5, 0), Common(3, 2, 8, 3), Common(4, 4, 20, 20)},
         3},
        {"equal weights and lengths: earliest",
         {Common(1, 3, 0, 10), Common(2, 3, 3, 13), Common(3, 6, 6, 0)},
         1},
    };
    for (const CrossingCase& c : cases) {
        SCOPED_TRACE(c.name);
        OwningList owner;
        for (const DIFF_BLOCK& b : c.blocks)
            owner.Add(b);
        const DIFF_BLOCK* found = owner.list.FindMostCrossing();
        EXPECT_EQ(found ? found->id : -1, c.expectedId);
    }
}

TEST(BlockListTest, MarkMovedBlocksSplitsTheCrossingBlockIntoTwoHalves)
{
    OwningList owner;
    owner.Add(Common(7, 3, 0, 3));
    owner.Add(Common(8, 3, 3, 0));
    owner.list.MarkMovedBlocks();
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

TEST(BlockListTest, InsertSortedKeepsEqualKeysInInsertionOrder)
{
    CBlockList list(1);
    OwningList owner;
    DIFF_BLOCK* c = owner.Add(Common(1, 2, 0, 2));
    DIFF_BLOCK* n = owner.Add(Unmatched(2, 2, 1, 0));
    DIFF_BLOCK* e = owner.Add(Unmatched(3, 0, 1, 0));
    list.InsertSorted(c);
    list.InsertSorted(n);
    list.InsertSorted(e);
    EXPECT_EQ(Ids(list), (std::vector<int>{2, 3, 1}));
    EXPECT_EQ(list.total(), 4);
    list.RemoveAll(false);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.total(), 0);
}

} // namespace

namespace {

TEST(BlockListTest, GenerationChangesWithEveryChangeOfBlocksOrOrder)
{
    OwningList owner;
    CBlockList& list = owner.list;
    std::vector<unsigned long long> seen = {list.generation()};
    const auto changed = [&](const char* what) {
        SCOPED_TRACE(what);
        EXPECT_EQ(std::count(seen.begin(), seen.end(), list.generation()), 0);
        seen.push_back(list.generation());
    };
    owner.Add(Common(1, 2, 4, 4));
    changed("added at the end");
    list.InsertSorted(new DIFF_BLOCK(Common(2, 2, 0, 0)));
    changed("inserted in order");
    list.Resort();
    changed("resorted");
    list.GetFirst();
    list.GetNext();
    EXPECT_EQ(list.generation(), seen.back()) << "moving the cursor changes nothing";
    list.RemoveAll(true);
    changed("emptied");
}

} // namespace
