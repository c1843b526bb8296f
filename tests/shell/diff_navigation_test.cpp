#include "engine/block_list.h"
#include "shell/diff_navigation.h"
#include "tests/shell/main_frame_fixture.h"

#include <QScrollBar>

#include <cmath>
#include <functional>
#include <memory>

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

// Navigation through the window: F7 and F8 scroll the comparison panes.
class NavigationFrameTest : public MainFrameTest
{
protected:
    NavigationFrameTest() { frame_->show(); }

    // 200 lines, of which line 100 differs.
    void CompareOneChangeInTheMiddle()
    {
        std::string old;
        std::string now;
        for (int i = 0; i < 200; ++i) {
            old += "line " + std::to_string(i) + "\n";
            now += (i == 100 ? std::string("changed") : "line " + std::to_string(i)) + "\n";
        }
        frame_->CompareFiles(Write("old.txt", old), Write("new.txt", now));
    }

    void Press(QAction* action)
    {
        ASSERT_TRUE(action->isEnabled());
        action->trigger();
    }

    // The content row at the reading line of a pane, which the jumps place
    // there to within half a pixel.
    static long long ReadingRow(const CDiffView& view)
    {
        const double reading = view.viewport()->height() * 0.25 + view.ScrollPosition().y();
        return std::llround(reading / view.Metrics().lineHeight);
    }
};

TEST_F(NavigationFrameTest, CompositeJumpsBringTheDifferenceToTheReadingLine)
{
    CompareOneChangeInTheMiddle();
    frame_->SetTxtViewMode(0);
    CDiffView* view = frame_->GetFirstDiffView();
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(view->ScrollPosition().y(), 0);

    // Composite rows: 100 common, "line 100" removed, "changed" added, 99 common.
    Press(frame_->Actions().nextDifference);
    EXPECT_EQ(ReadingRow(*view), 100);
    Press(frame_->Actions().nextDifference);
    EXPECT_EQ(ReadingRow(*view), 101);
    Press(frame_->Actions().previousDifference);
    EXPECT_EQ(ReadingRow(*view), 100);
}

TEST_F(NavigationFrameTest, SideBySideEachSideJumpsInItsOwnFile)
{
    CompareOneChangeInTheMiddle();
    frame_->SetTxtViewMode(1);
    CDiffView* first = frame_->FindDiffView(0);
    CDiffView* second = frame_->FindDiffView(1);
    ASSERT_TRUE(first && second);

    // Each file's stop is the end of its first common block, line 100; the
    // second file's pane starts further down and goes to its own stop.
    second->verticalScrollBar()->setValue(second->Metrics().lineHeight * 20);
    Press(frame_->Actions().nextDifference);
    EXPECT_EQ(ReadingRow(*first), 100);
    EXPECT_EQ(ReadingRow(*second), 100);
    Press(frame_->Actions().nextDifference);
    EXPECT_EQ(first->verticalScrollBar()->value(), first->verticalScrollBar()->maximum())
        << "after the last difference: the end of the file";
    Press(frame_->Actions().previousDifference);
    EXPECT_EQ(ReadingRow(*first), 100);
}

TEST_F(NavigationFrameTest, NothingToJumpToLeavesThePanesAlone)
{
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "same " + std::to_string(i) + "\n";
    const std::string single = Write("single.txt", text);
    struct SHOWN
    {
        const char* name;
        std::function<void()> show;
    };
    const std::vector<SHOWN> cases = {
        {"identical files",
         [&] { frame_->CompareFiles(Write("a.txt", text), Write("b.txt", text)); }},
        {"a single file", [&] { frame_->ShowSingleFile(single); }},
    };
    for (const SHOWN& c : cases) {
        SCOPED_TRACE(c.name);
        c.show();
        CDiffView* view = frame_->GetFirstDiffView();
        ASSERT_NE(view, nullptr);
        view->verticalScrollBar()->setValue(view->Metrics().lineHeight * 30);
        const QPoint before = view->ScrollPosition();
        Press(frame_->Actions().nextDifference);
        Press(frame_->Actions().previousDifference);
        EXPECT_EQ(view->ScrollPosition(), before);
    }
}

} // namespace
