#include "engine/block_list.h"
#include "document/block_starts.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class BlockStartsTest : public ::testing::Test
{
protected:
    void Add(int length)
    {
        blocks_.push_back(std::make_unique<DIFF_BLOCK>(
            DIFF_BLOCK::MakeCommon(NextBlockId(), length, total_, total_)));
        list_.AddTail(blocks_.back().get());
        total_ += length;
    }

    std::vector<std::unique_ptr<DIFF_BLOCK>> blocks_;
    CBlockList list_;
    int total_ = 0;
};

TEST_F(BlockStartsTest, FindsTheBlockHoldingAPosition)
{
    // Blocks 0..4 of lengths 3, 0, 2, 5, 1: starts 0, 3, 3, 5, 10; end 11.
    for (int length : {3, 0, 2, 5, 1})
        Add(length);
    CBlockStarts starts;
    starts.Refresh(list_);
    const std::vector<std::pair<long long, std::size_t>> cases = {
        {-4, 0}, {0, 0}, {2, 0}, {3, 2}, {4, 2}, {5, 3}, {9, 3}, {10, 4}, {11, 5}, {500, 5},
    };
    for (const auto& [pos, block] : cases) {
        SCOPED_TRACE(pos);
        EXPECT_EQ(starts.BlockAt(pos), block);
    }
    EXPECT_EQ(starts.StartOf(3), 5);
}

TEST_F(BlockStartsTest, FollowsTheListWhenItChanges)
{
    CBlockStarts starts;
    starts.Refresh(list_);
    EXPECT_EQ(starts.BlockAt(0), 0u) << "an empty list: every position lies beyond its end";
    Add(4);
    Add(4);
    starts.Refresh(list_);
    EXPECT_EQ(starts.BlockAt(5), 1u);
    // Emptied and refilled to the same count and total: a new layout all the same.
    list_ = CBlockList();
    total_ = 0;
    Add(6);
    Add(2);
    starts.Refresh(list_);
    EXPECT_EQ(starts.BlockAt(5), 0u);
}

} // namespace
