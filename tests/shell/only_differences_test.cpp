#include "shell/find_bar.h"
#include "tests/shell/main_frame_fixture.h"
#include "views/over_view.h"

#include <QClipboard>
#include <QInputDevice>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusBar>

#include <cmath>
#include <vector>

namespace {

// View > Files > Only Differences through the window: two files of three
// runs of 40 common lines ("a0".."a39", "b0".."b39", "c0".."c39") with a
// changed line between each two runs.
class OnlyDifferencesTest : public MainFrameTest
{
protected:
    ~OnlyDifferencesTest() override
    {
        frame_.reset();
        qDeleteAll(qApp->findChildren<QInputDevice*>(Qt::FindDirectChildrenOnly));
    }

    void CompareTwoChanges()
    {
        const auto run = [](const char* name) {
            std::string lines;
            // Appended piece by piece: GCC 12 at -O3 misjudges a join of a
            // literal and a string.
            for (int i = 0; i < 40; ++i) {
                lines += name;
                lines += std::to_string(i);
                lines += '\n';
            }
            return lines;
        };
        frame_->CompareFiles(
            Write("old.txt", run("a") + "old1\n" + run("b") + "old2\n" + run("c")),
            Write("new.txt", run("a") + "new1\n" + run("b") + "new2\n" + run("c")));
        ASSERT_EQ(frame_->FileCount(), 2);
        // Low enough that the folded rows still scroll.
        frame_->resize(1000, 260);
        frame_->show();
    }

    void TurnOn()
    {
        QAction* action = frame_->Actions().onlyDifferences;
        ASSERT_TRUE(action->isEnabled());
        ASSERT_FALSE(action->isChecked());
        action->trigger();
        ASSERT_TRUE(action->isChecked());
    }

    // The row whose top navigation brings to the reading line, to within
    // half a pixel.
    static long long JumpedTo(const CDiffView& view) { return std::llround(view.ReadingRow()); }
    static bool MarkerAtReadingLine(const CDiffView& view)
    {
        return view.Folding().FoldShownAt(view.ShownRowAt(view.viewport()->height() / 4)) >= 0;
    }
};

TEST_F(OnlyDifferencesTest, TheEntryIsOffByDefaultAndItAndItsContextAreStored)
{
    const CFrameSettings defaults;
    EXPECT_FALSE(defaults.onlyDifferences);
    EXPECT_EQ(defaults.onlyDifferencesContext, 3);

    // The entry stands in View > Files, apart from the directories' own.
    QMenu* files = nullptr;
    for (QMenu* menu : frame_->menuBar()->findChildren<QMenu*>()) {
        if (menu->title() == "&Files")
            files = menu;
    }
    ASSERT_NE(files, nullptr);
    EXPECT_TRUE(files->actions().contains(frame_->Actions().onlyDifferences));
    EXPECT_NE(frame_->Actions().onlyDifferences, frame_->Actions().dirOnlyDifferences);
    EXPECT_EQ(frame_->Actions().onlyDifferences->text(), "Only &Differences");

    CompareTwoChanges();
    for (int side = 0; side < 2; ++side)
        EXPECT_FALSE(frame_->Panes().FindDiffView(side)->onlyDifferences);
    TurnOn();
    for (int side = 0; side < 2; ++side) {
        const CDiffView* view = frame_->Panes().FindDiffView(side);
        EXPECT_TRUE(view->onlyDifferences);
        EXPECT_EQ(view->Folding().Folds().size(), 3u);
    }
    EXPECT_FALSE(frame_->Actions().dirOnlyDifferences->isChecked());
    frame_.reset();
    EXPECT_EQ(store_.value("Settings/OnlyDifferences").toInt(), 1);
    EXPECT_EQ(store_.value("Settings/OnlyDifferencesContext").toInt(), 3);
    EXPECT_EQ(store_.value("Settings/DirOnlyDifferences").toInt(), 0);

    // A stored context is read back, kept within bounds.
    struct CASE
    {
        QVariant stored;
        int context;
    };
    for (const CASE& c : std::vector<CASE>{{5, 5}, {0, 0}, {-4, 0}, {5000, 1000}, {"x", 3}}) {
        SCOPED_TRACE(c.stored.toString().toStdString());
        store_.setValue("Settings/OnlyDifferencesContext", c.stored);
        CFrameSettings settings;
        settings.Load(store_);
        EXPECT_TRUE(settings.onlyDifferences);
        EXPECT_EQ(settings.onlyDifferencesContext, c.context);
    }

    // The window gives the stored context to its panes.
    store_.setValue("Settings/OnlyDifferencesContext", 10);
    frame_ = std::make_unique<CMainFrame>(doc_, dirs_, seam_, store_);
    frame_->resize(1000, 600);
    EXPECT_TRUE(frame_->Actions().onlyDifferences->isChecked());
    CompareTwoChanges();
    const CDiffView* view = frame_->Panes().FindDiffView(0);
    EXPECT_EQ(view->foldContext, 10);
    ASSERT_FALSE(view->Folding().IsEmpty());
    EXPECT_EQ(view->Folding().Folds()[0].first, 10);
    EXPECT_EQ(view->Folding().Folds()[0].count, 20);
}

TEST_F(OnlyDifferencesTest, NextAndPreviousDifferenceJumpOverTheFolds)
{
    CompareTwoChanges();
    TurnOn();
    struct CASE
    {
        const char* name;
        int mode;
        long long first;  // content row of the first difference
        long long second; // and of the second
        const char* count;
    };
    // Composite: a, old1, new1, b, old2, new2, c, each line a difference of
    // its own; each side: a, its line, b, its line, c.
    for (const CASE& c : std::vector<CASE>{{"composite", 0, 40, 41, "Difference 2 of 4"},
                                           {"side by side", 1, 40, 81, "Difference 2 of 2"}}) {
        SCOPED_TRACE(c.name);
        frame_->SetTxtViewMode(c.mode);
        CDiffView* view = frame_->Panes().FindDiffView(0);
        ASSERT_NE(view, nullptr);
        ASSERT_FALSE(view->Folding().IsEmpty());
        view->Scroll(CDiffView::ScrollCommand::Home);
        frame_->Actions().nextDifference->trigger();
        EXPECT_EQ(JumpedTo(*view), c.first);
        EXPECT_TRUE(view->HasDifferenceMark());
        frame_->Actions().nextDifference->trigger();
        EXPECT_EQ(JumpedTo(*view), c.second);
        EXPECT_EQ(frame_->DifferenceText(), QString::fromLatin1(c.count));
        frame_->Actions().previousDifference->trigger();
        EXPECT_EQ(JumpedTo(*view), c.first);
        // The panes stay folded: navigation opens nothing.
        EXPECT_EQ(view->Folding().Folds().size(), 3u);
        if (c.mode == 1) {
            EXPECT_EQ(JumpedTo(*frame_->Panes().FindDiffView(1)), c.first);
        }
    }
}

TEST_F(OnlyDifferencesTest, AMatchInsideAFoldOpensItAndCopyTakesTheFoldedLines)
{
    CompareTwoChanges();
    TurnOn();
    frame_->Panes().Splitter().SetActivePane(0);
    CDiffView* view = frame_->ActiveDiffView();
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(view->Folding().Folds().size(), 3u);
    ASSERT_EQ(view->Folding().FoldHolding(61), 1);

    // "b20" is line 61, inside the second fold: found, it is opened and the
    // line stands at the reading line; the other folds stay.
    frame_->FindBar().SetText("b20");
    ASSERT_TRUE(frame_->FindAgain(true));
    EXPECT_EQ(view->Selection().First(), 61);
    EXPECT_EQ(view->Folding().FoldHolding(61), -1);
    EXPECT_EQ(view->Folding().Folds().size(), 2u);
    EXPECT_EQ(view->ReadingLineRow(), 61);
    EXPECT_FALSE(MarkerAtReadingLine(*view));

    // Copy of rows across a fold holds the lines it hides.
    view->SelectRows(1, 41);
    QGuiApplication::clipboard()->setText("before");
    frame_->Actions().copy->trigger();
    const QStringList lines = QGuiApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 41);
    EXPECT_EQ(lines[0], "a1");
    EXPECT_EQ(lines[20], "a21");
    EXPECT_EQ(lines[39], "old1");
    EXPECT_EQ(lines[40], "b0");
    EXPECT_EQ(view->Folding().Folds().size(), 2u);
}

TEST_F(OnlyDifferencesTest, AClickInTheOverviewLandsOnItsRowWhenFolded)
{
    CompareTwoChanges();
    TurnOn();
    frame_->SetTxtViewMode(0);
    CDiffView* view = frame_->Panes().GetFirstDiffView();
    COverView* overview = frame_->Panes().GetOverView();
    ASSERT_NE(view, nullptr);
    ASSERT_NE(overview, nullptr);
    // 125 composite rows, the last the empty one after the last line
    // break: "old2" is row 82, "b18" row 60 (in the second fold).
    ASSERT_EQ(doc_.allList().total(), 125);
    const auto click = [&](double row) {
        const int height = overview->height();
        const QPointF at(10, std::round((row + 0.5) / 125 * height));
        QMouseEvent press(QEvent::MouseButtonPress, at, overview->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(overview, &press);
    };
    click(82);
    EXPECT_EQ(view->ReadingLineRow(), 82);
    EXPECT_TRUE(view->HasDifferenceMark());
    EXPECT_EQ(frame_->DifferenceText(), QStringLiteral("Difference 3 of 4"));
    // A place inside a fold brings its marker to the reading line.
    click(60);
    EXPECT_TRUE(MarkerAtReadingLine(*view));
    EXPECT_EQ(view->Folding().Folds().size(), 3u);

    // The overview's marker of the pane spans the content shown, folded
    // rows included.
    double top = 0;
    double bottom = 0;
    ASSERT_TRUE(frame_->Panes().GetDiffViewRange(0, &top, &bottom));
    EXPECT_LT(top * 125, 60);
    EXPECT_GT(bottom * 125, 60);
}

} // namespace
