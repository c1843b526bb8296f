#include "engine/block_list.h"
#include "engine/diff_navigation.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A block list described as kinds and lengths: "C5" five common lines, "U2"
// two lines of this side only, "M3" three moved lines. Positions follow from
// the order; the navigation reads only kinds and lengths.
class DescribedList
{
public:
    explicit DescribedList(const std::vector<std::string>& blocks)
    {
        int pos = 0;
        for (const std::string& b : blocks) {
            const int length = std::stoi(b.substr(1));
            DIFF_BLOCK block =
                b[0] == 'C'
                    ? DIFF_BLOCK::MakeCommon(NextBlockId(), length, pos, pos)
                    : DIFF_BLOCK::MakeSided(NextBlockId(),
                                            b[0] == 'M' ? BlockKind::Moved : BlockKind::Unmatched,
                                            length, 0, pos);
            owned_.push_back(std::make_unique<DIFF_BLOCK>(block));
            list_.AddTail(owned_.back().get());
            pos += length;
        }
    }
    const CBlockList& list() const { return list_; }

private:
    std::vector<std::unique_ptr<DIFF_BLOCK>> owned_;
    CBlockList list_;
};

struct STEP_CASE
{
    const char* name;
    std::vector<std::string> blocks;
    long long p;
    long long next;
    long long previous;
};

TEST(DiffNavigationTest, CompositeStopsAtTheStartsOfDifferences)
{
    // Differences start at 10 (U2) and 20 (M3); the total is 28.
    const std::vector<std::string> blocks = {"C10", "U2", "C8", "M3", "C5"};
    const std::vector<STEP_CASE> cases = {
        {"before the first", blocks, 0, 10, 10},
        {"just before the first", blocks, 9, 10, 10},
        {"at the first", blocks, 10, 20, 10},
        {"between", blocks, 15, 20, 10},
        {"at the last", blocks, 20, 20, 10},
        {"after the last goes back to it", blocks, 25, 20, 20},
        {"at the end", blocks, 28, 20, 20},
        {"only common blocks: to the top and the end", {"C4", "C6"}, 5, 0, 10},
        {"a difference first", {"U3", "C7"}, 0, 0, 0},
    };
    for (const STEP_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        const DescribedList list(c.blocks);
        EXPECT_EQ(CDiffNavigation::NextInComposite(list.list(), c.p), c.next);
        EXPECT_EQ(CDiffNavigation::PreviousInComposite(list.list(), c.p), c.previous);
    }
}

TEST(DiffNavigationTest, ASideStopsAtTheEndsOfCommonAndMovedBlocks)
{
    // Block ends: C10 at 10, U2 at 12, C8 at 20, M3 at 23, U1 at 24, C4 at 28.
    // The stops are 10, 20, 23 and 28.
    const std::vector<std::string> blocks = {"C10", "U2", "C8", "M3", "U1", "C4"};
    const std::vector<STEP_CASE> cases = {
        {"at the top", blocks, 0, 10, 0},
        {"inside the first block", blocks, 5, 10, 5},
        {"at a stop", blocks, 10, 20, 10},
        {"inside a side's own lines", blocks, 11, 20, 10},
        {"after a moved block", blocks, 23, 28, 20},
        {"inside the last common block: to the end", blocks, 25, 28, 23},
        {"at the very end: stays", blocks, 28, 28, 23},
        {"nothing but own lines", {"U5"}, 2, 2, 2},
    };
    for (const STEP_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        const DescribedList list(c.blocks);
        EXPECT_EQ(CDiffNavigation::NextInSide(list.list(), list.list().total(), c.p), c.next);
        EXPECT_EQ(CDiffNavigation::PreviousInSide(list.list(), c.p), c.previous);
    }
}

} // namespace
