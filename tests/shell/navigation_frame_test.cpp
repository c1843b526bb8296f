#include "tests/shell/main_frame_fixture.h"

#include <QScrollBar>

#include <cmath>
#include <functional>

namespace {

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
    CDiffView* view = frame_->Panes().GetFirstDiffView();
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
    CDiffView* first = frame_->Panes().FindDiffView(0);
    CDiffView* second = frame_->Panes().FindDiffView(1);
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
        CDiffView* view = frame_->Panes().GetFirstDiffView();
        ASSERT_NE(view, nullptr);
        view->verticalScrollBar()->setValue(view->Metrics().lineHeight * 30);
        const QPoint before = view->ScrollPosition();
        Press(frame_->Actions().nextDifference);
        Press(frame_->Actions().previousDifference);
        EXPECT_EQ(view->ScrollPosition(), before);
    }
}

} // namespace
