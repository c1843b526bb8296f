#include "tests/shell/main_frame_fixture.h"

#include "views/scroll_link.h"

#include <QScrollBar>

#include <cmath>

namespace {

// Reading a comparison through the window: the View > Files choices, the
// title, panes that scroll together, the place kept across layouts and
// reloads, and the mark and count of the difference navigation went to.
class ReadingFrameTest : public MainFrameTest
{
protected:
    ReadingFrameTest() { frame_->show(); }

    // 200 lines in which lines 50 and 150 of the first file were replaced.
    void CompareTwoChanges()
    {
        std::string old;
        std::string now;
        for (int i = 0; i < 200; ++i) {
            old += "line " + std::to_string(i) + "\n";
            now += (i == 50 || i == 150 ? "changed " + std::to_string(i)
                                        : "line " + std::to_string(i)) +
                   "\n";
        }
        frame_->CompareFiles(Write("a.txt", old), Write("b.txt", now));
    }

    static long long ReadingLine(const CDiffView& view) { return std::lround(view.ReadingRow()); }
};

TEST_F(ReadingFrameTest, FileViewChoicesAreOnByDefaultReachThePanesAndAreStored)
{
    CFrameActions& a = frame_->Actions();
    CompareTwoChanges();
    for (QAction* action : {a.lineChanges, a.scrollTogether, a.lineNumbers}) {
        EXPECT_TRUE(action->isCheckable());
        EXPECT_TRUE(action->isChecked()) << action->text().toStdString();
    }
    EXPECT_EQ(a.lineChanges->text().remove(QLatin1Char('&')), QStringLiteral("Changes Inside Lines"));
    EXPECT_EQ(a.scrollTogether->text().remove(QLatin1Char('&')), QStringLiteral("Scroll Together"));
    EXPECT_EQ(a.lineNumbers->text().remove(QLatin1Char('&')), QStringLiteral("Line Numbers"));
    CDiffView* first = frame_->Panes().FindDiffView(0);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->showLineChanges);
    EXPECT_TRUE(first->showLineNumbers);
    EXPECT_GT(first->GutterWidth(), 0);
    EXPECT_TRUE(frame_->Panes().ScrollLink().IsLinked());

    a.lineChanges->trigger();
    a.lineNumbers->trigger();
    a.scrollTogether->trigger();
    EXPECT_FALSE(first->showLineChanges);
    EXPECT_FALSE(first->showLineNumbers);
    EXPECT_EQ(first->GutterWidth(), 0);
    EXPECT_FALSE(frame_->Panes().ScrollLink().IsLinked());
    EXPECT_FALSE(a.lineNumbers->isChecked());

    frame_.reset();
    EXPECT_EQ(store_.value("Settings/LineChanges").toInt(), 0);
    EXPECT_EQ(store_.value("Settings/ScrollTogether").toInt(), 0);
    EXPECT_EQ(store_.value("Settings/LineNumbers").toInt(), 0);
    CMainFrame again(doc_, dirs_, seam_, store_);
    EXPECT_FALSE(again.ViewSettings().lineChanges);
    EXPECT_FALSE(again.ViewSettings().scrollTogether);
    EXPECT_FALSE(again.ViewSettings().lineNumbers);
}

TEST_F(ReadingFrameTest, TheTitleNamesWhatIsCompared)
{
    EXPECT_EQ(frame_->windowTitle(), QStringLiteral("Varnel"));
    CompareTwoChanges();
    EXPECT_EQ(frame_->windowTitle(), QStringLiteral("a.txt vs b.txt - Varnel"));
    frame_->OnCloseFiles();
    EXPECT_EQ(frame_->windowTitle(), QStringLiteral("Varnel"));
    frame_->ShowSingleFile(Write("only.txt", "x\n"));
    EXPECT_EQ(frame_->windowTitle(), QStringLiteral("only.txt - Varnel"));
    frame_->OnCloseFiles();
    Write("old/f.txt", "1\n");
    Write("new dir/f.txt", "2\n");
    frame_->CompareDirectories((dir_.path() + "/old/").toStdString(),
                               (dir_.path() + "/new dir").toStdString());
    EXPECT_EQ(frame_->windowTitle(), QStringLiteral("old vs new dir - Varnel"));
}

TEST_F(ReadingFrameTest, SideBySidePanesScrollTogetherUnlessSwitchedOff)
{
    CompareTwoChanges();
    frame_->SetTxtViewMode(1);
    CDiffView* first = frame_->Panes().FindDiffView(0);
    CDiffView* second = frame_->Panes().FindDiffView(1);
    ASSERT_TRUE(first && second);
    first->SetReadingRow(120);
    EXPECT_EQ(ReadingLine(*second), 120);
    second->Scroll(CDiffView::ScrollCommand::PageUp);
    EXPECT_EQ(ReadingLine(*first), ReadingLine(*second));

    frame_->Actions().scrollTogether->trigger();
    first->SetReadingRow(30);
    EXPECT_NE(ReadingLine(*second), 30);
}

TEST_F(ReadingFrameTest, ThePlaceAtTheReadingLineIsKeptAcrossLayoutsAndReload)
{
    CompareTwoChanges();
    frame_->SetTxtViewMode(1);
    frame_->Panes().FindDiffView(1)->SetReadingRow(150);
    // Composite: line 150 of the second file is the added row after the
    // removed one, row 151.
    frame_->SetTxtViewMode(0);
    CDiffView* composite = frame_->Panes().GetFirstDiffView();
    ASSERT_NE(composite, nullptr);
    EXPECT_EQ(ReadingLine(*composite), 151);
    frame_->ToggleOverview();
    EXPECT_EQ(ReadingLine(*frame_->Panes().GetFirstDiffView()), 151);
    frame_->SetTxtViewMode(1);
    EXPECT_EQ(ReadingLine(*frame_->Panes().FindDiffView(1)), 150);
    EXPECT_EQ(ReadingLine(*frame_->Panes().FindDiffView(0)), 150);

    frame_->Panes().FindDiffView(0)->SetReadingRow(100);
    frame_->OnReload();
    EXPECT_EQ(ReadingLine(*frame_->Panes().FindDiffView(0)), 100);
    EXPECT_EQ(ReadingLine(*frame_->Panes().FindDiffView(1)), 100);
}

TEST_F(ReadingFrameTest, NavigationMarksTheDifferenceAndCountsIt)
{
    CompareTwoChanges();
    frame_->SetTxtViewMode(0);
    CDiffView* view = frame_->Panes().GetFirstDiffView();
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(view->HasDifferenceMark());
    // Composite: four differences, a removed and an added row twice.
    frame_->Actions().nextDifference->trigger();
    EXPECT_TRUE(view->HasDifferenceMark());
    EXPECT_EQ(frame_->DifferenceText(), QStringLiteral("Difference 1 of 4"));
    frame_->Actions().nextDifference->trigger();
    frame_->Actions().nextDifference->trigger();
    EXPECT_EQ(frame_->DifferenceText(), QStringLiteral("Difference 3 of 4"));
    EXPECT_EQ(ReadingLine(*view), 151);
    // The mark stays until the pane moves on.
    view->Scroll(CDiffView::ScrollCommand::LineDown);
    EXPECT_FALSE(view->HasDifferenceMark());

    // Side by side the first file counts its two stops; both panes are marked.
    frame_->SetTxtViewMode(1);
    CDiffView* first = frame_->Panes().FindDiffView(0);
    CDiffView* second = frame_->Panes().FindDiffView(1);
    first->Scroll(CDiffView::ScrollCommand::Home);
    frame_->Actions().nextDifference->trigger();
    EXPECT_EQ(frame_->DifferenceText(), QStringLiteral("Difference 1 of 2"));
    EXPECT_EQ(ReadingLine(*first), 50);
    EXPECT_EQ(ReadingLine(*second), 50);
    EXPECT_TRUE(first->HasDifferenceMark());
    EXPECT_TRUE(second->HasDifferenceMark());
}

// A click in the overview that brings a difference to the reading line marks
// it and counts it as F7 would; one on identical content clears the count.
TEST_F(ReadingFrameTest, AnOverviewClickCountsTheDifferenceItBrings)
{
    CompareTwoChanges();
    frame_->SetTxtViewMode(0);
    CDiffView* view = frame_->Panes().GetFirstDiffView();
    ASSERT_NE(view, nullptr);
    frame_->Actions().nextDifference->trigger();
    frame_->Actions().nextDifference->trigger();
    frame_->Actions().nextDifference->trigger();
    const double third = view->GetPosition();
    view->Scroll(CDiffView::ScrollCommand::Home);
    frame_->Panes().SetDiffViewPosition(0, third);
    EXPECT_TRUE(view->HasDifferenceMark());
    EXPECT_EQ(frame_->DifferenceText(), QStringLiteral("Difference 3 of 4"));
    frame_->Panes().SetDiffViewPosition(0, 0.0);
    EXPECT_FALSE(view->HasDifferenceMark());
    EXPECT_EQ(frame_->DifferenceText(), QString());
}

} // namespace

namespace {

TEST_F(ReadingFrameTest, ADarkGroundDarkensTheWholeWindow)
{
    EXPECT_GT(frame_->palette().color(QPalette::Window).lightness(), 128)
        << "the desktop's colours by default (the offscreen desktop is light)";
    frame_.reset();
    store_.setValue("Settings/NormalBgCol", 2); // Black
    store_.setValue("Settings/NormalTxtCol", 1); // White
    CMainFrame dark(doc_, dirs_, seam_, store_);
    EXPECT_EQ(dark.palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(dark.palette().color(QPalette::WindowText), QColor(Qt::white));
}

} // namespace
