#include "dir_views/dir_list_view.h"
#include "document/comparison_settings.h"
#include "document/diff_doc.h"
#include "tests/dir_views/dir_views_fixture.h"

#include <QHeaderView>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

using F = TreeEntry;

class DirListViewTest : public DirViewsTest
{
protected:
    std::unique_ptr<CDirListView> MakeView(int sideIndex, bool composite)
    {
        return MakePane<CDirListView>(sideIndex, composite);
    }

    static std::string Header(const CDirListView& view)
    {
        return view.headerItem()->text(0).toStdString();
    }
};

struct LIST_CASE
{
    const char* name;
    int sideIndex;
    bool composite;
    std::string header;
    std::vector<std::string> rows;
};

TEST_F(DirListViewTest, ListsTheFilesOfItsSideOrEachPairOnce)
{
    CompareSmallTrees();
    const std::vector<LIST_CASE> cases = {
        {"first", 0, false, "Files in .../old", {"same.txt", "sub/changed.txt", "sub/gone.txt"}},
        {"second",
         1,
         false,
         "Files in .../new",
         {"newonly/n.txt", "same.txt", "sub/added.txt", "sub/changed.txt"}},
        {"composite",
         0,
         true,
         "Composite List",
         {"newonly/n.txt", "same.txt", "sub/added.txt", "sub/changed.txt", "sub/gone.txt"}},
    };
    for (const LIST_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        CDirListView view(dirs_, appearance_, host_);
        view.sideIndex = c.sideIndex;
        view.composite = c.composite;
        EXPECT_EQ(Header(view), "Files");
        view.OnUpdate(UpdateHint::AppearanceChanged | UpdateHint::DirSortChanged);
        EXPECT_EQ(view.topLevelItemCount(), 0);
        EXPECT_EQ(Header(view), "Files");
        view.OnUpdate(UpdateHint::DirResultChanged);
        EXPECT_EQ(Header(view), c.header);
        EXPECT_EQ(Describe(view), c.rows);
        view.OnUpdate(UpdateHint::IconColorsChanged | UpdateHint::FileResultChanged);
        EXPECT_EQ(Describe(view), c.rows);
        // The column is wide enough for the icon and text of its widest row.
        int widest = 0;
        for (const std::string& row : c.rows)
            widest =
                std::max(widest, view.fontMetrics().horizontalAdvance(QString::fromStdString(row)));
        EXPECT_GE(view.columnWidth(0), widest + 16);
    }
}

TEST_F(DirListViewTest, TreesOfFoldersOnlyListNothing)
{
    Compare({F::Folder("a/b"), F::Folder("c")}, {F::Folder("a"), F::Folder("d/e")});
    for (const bool composite : {true, false}) {
        auto view = MakeView(composite ? 0 : 1, composite);
        EXPECT_EQ(view->topLevelItemCount(), 0);
        EXPECT_EQ(Header(*view), composite ? "Composite List" : "Files in .../new");
    }
}

// Only a/x.txt differs: one row with the modified page, and a click opens
// the pair, the pane's own side first.
TEST_F(DirListViewTest, ClickOnAModifiedFileOpensThePairOwnSideFirst)
{
    Compare({F::File("a/x.txt", "old"), F::Folder("b")}, {F::File("a/x.txt", "new")});
    struct SIDE_CASE
    {
        const char* name;
        int sideIndex;
        bool composite;
        bool firstFirst;
    };
    for (const SIDE_CASE& c :
         {SIDE_CASE{"composite", 0, true, true}, SIDE_CASE{"left", 0, false, true},
          SIDE_CASE{"right", 1, false, false}}) {
        SCOPED_TRACE(c.name);
        host_ = CRecordingPaneHost();
        auto view = MakeView(c.sideIndex, c.composite);
        ShowPane(*view);
        ASSERT_EQ(Describe(*view), std::vector<std::string>{"a/x.txt"});
        EXPECT_TRUE(ShowsImage(view->topLevelItem(0)->icon(0), "page-modified-red"));
        ClickItem(*view, view->topLevelItem(0));
        LetPendingWorkRun();
        const std::string first = First("a/x.txt");
        const std::string second = Second("a/x.txt");
        EXPECT_EQ(host_.opened, std::vector<std::string>{c.firstFirst ? Pair(first, second)
                                                                      : Pair(second, first)});
        EXPECT_EQ(host_.currentDir, "a/x.txt");
        // Unlike a tree, a list leaves the other panes' selections alone.
        EXPECT_TRUE(host_.clearedExcept.empty());
    }
}

struct SINGLE_CASE
{
    const char* name;
    int sideIndex;
    bool composite;
    std::string row;
    std::string icon;
    bool inFirst;
};

TEST_F(DirListViewTest, ClickOnAnyOtherFileOpensItAlone)
{
    CompareSmallTrees();
    const std::vector<SINGLE_CASE> cases = {
        {"identical, left", 0, false, "same.txt", "page-normal-grey", true},
        {"identical, right", 1, false, "same.txt", "page-normal-grey", false},
        {"only in first", 0, true, "sub/gone.txt", "page-old-green", true},
        {"only in second", 0, true, "sub/added.txt", "page-new-yellow", false},
        {"only in second, right", 1, false, "newonly/n.txt", "page-new-yellow", false},
    };
    for (const SINGLE_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        host_ = CRecordingPaneHost();
        auto view = MakeView(c.sideIndex, c.composite);
        ShowPane(*view);
        QTreeWidgetItem* row = ItemWithText(*view, c.row);
        ASSERT_NE(row, nullptr);
        EXPECT_TRUE(ShowsImage(row->icon(0), c.icon));
        ClickItem(*view, row);
        LetPendingWorkRun();
        EXPECT_EQ(host_.opened, std::vector<std::string>{c.inFirst ? First(c.row) : Second(c.row)});
    }
}

struct SORT_CASE
{
    const char* name;
    int dirSort;
    std::vector<std::string> rows;
};

// The rows sort by whole relative path with letter case folded, where the
// full stop comes before the slash, or by status.
TEST_F(DirListViewTest, RowsFollowTheSortOrder)
{
    Compare({F::File("a.txt", "1"), F::File("a/b.txt", "b"), F::File("B/c.txt", "old"),
             F::File("z.txt")},
            {F::File("a.txt", "2"), F::File("a/b.txt", "b"), F::File("A.txt2"),
             F::File("B/c.txt", "new")});
    const std::vector<SORT_CASE> cases = {
        {"by name", 0, {"a.txt", "A.txt2", "a/b.txt", "B/c.txt", "z.txt"}},
        {"by status", 1, {"z.txt", "A.txt2", "a.txt", "B/c.txt", "a/b.txt"}},
    };
    auto view = MakeView(0, true);
    for (const SORT_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        host_.dirSort = c.dirSort;
        view->OnUpdate(UpdateHint::DirSortChanged);
        EXPECT_EQ(Describe(*view), c.rows);
        view->OnUpdate(UpdateHint::DirResultChanged);
        EXPECT_EQ(Describe(*view), c.rows);
    }
}

// A click opens the first selected row in row order, whichever row was
// clicked and wherever the click fell.
TEST_F(DirListViewTest, AClickOpensTheFirstSelectedRow)
{
    CompareSmallTrees();
    auto view = MakeView(0, true);
    ShowPane(*view);
    ClickItem(*view, ItemWithText(*view, "sub/gone.txt"));
    ClickItem(*view, ItemWithText(*view, "same.txt"), Qt::ControlModifier);
    LetPendingWorkRun();
    EXPECT_EQ(SelectedTexts(*view).size(), 2u);
    EXPECT_EQ(host_.opened, std::vector<std::string>{First("same.txt")});
    host_.opened.clear();
    // Below the last row, with Control so that the selection stays.
    const QRect last = view->visualItemRect(view->topLevelItem(view->topLevelItemCount() - 1));
    Click(*view, QPoint(last.center().x(), last.bottom() + 40), Qt::ControlModifier);
    LetPendingWorkRun();
    EXPECT_EQ(host_.opened, std::vector<std::string>{First("same.txt")});
    // A plain click beside the rows selects nothing and opens nothing.
    host_.opened.clear();
    Click(*view, QPoint(last.center().x(), last.bottom() + 40));
    LetPendingWorkRun();
    EXPECT_TRUE(view->selectedItems().isEmpty());
    EXPECT_TRUE(host_.opened.empty());
}

TEST_F(DirListViewTest, ADoubleClickOpensOnce)
{
    CompareSmallTrees();
    auto view = MakeView(0, true);
    ShowPane(*view);
    DoubleClickItem(*view, ItemWithText(*view, "same.txt"));
    LetPendingWorkRun();
    EXPECT_EQ(host_.opened, std::vector<std::string>{First("same.txt")});
}

// The keys walk the list as in any list, without opening what they reach.
TEST_F(DirListViewTest, KeysMoveTheSelectionWithoutOpening)
{
    CompareSmallTrees();
    host_.currentDir = "same.txt";
    auto view = MakeView(0, true);
    ShowPane(*view);
    ASSERT_EQ(SelectedTexts(*view), std::vector<std::string>{"same.txt"});
    const std::vector<std::pair<int, std::string>> steps = {
        {Qt::Key_Down, "sub/added.txt"},    {Qt::Key_End, "sub/gone.txt"},
        {Qt::Key_Up, "sub/changed.txt"},    {Qt::Key_Home, "newonly/n.txt"},
        {Qt::Key_PageDown, "sub/gone.txt"},
    };
    for (const auto& [key, selected] : steps) {
        SCOPED_TRACE(selected);
        PressKey(*view, key);
        LetPendingWorkRun();
        EXPECT_EQ(SelectedTexts(*view), std::vector<std::string>{selected});
    }
    EXPECT_TRUE(host_.opened.empty());
    EXPECT_EQ(host_.currentDir, "same.txt");
}

struct OPENING_KEY
{
    const char* name;
    int key;
    Qt::KeyboardModifiers modifiers;
    bool opens;
};

// Enter and Space open the selected file as a click does; Space with Control
// only adds a row to the selection or takes it out.
TEST_F(DirListViewTest, EnterAndSpaceOpenTheSelectedFile)
{
    CompareSmallTrees();
    const std::vector<OPENING_KEY> cases = {
        {"Return", Qt::Key_Return, Qt::NoModifier, true},
        {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier, true},
        {"Space", Qt::Key_Space, Qt::NoModifier, true},
        {"Control+Space", Qt::Key_Space, Qt::ControlModifier, false},
    };
    for (const OPENING_KEY& c : cases) {
        SCOPED_TRACE(c.name);
        host_ = CRecordingPaneHost();
        host_.currentDir = "same.txt";
        auto view = MakeView(0, true);
        ShowPane(*view);
        PressKey(*view, Qt::Key_Down);
        PressKey(*view, c.key, c.modifiers);
        LetPendingWorkRun();
        EXPECT_EQ(host_.opened,
                  c.opens ? std::vector<std::string>{Second("sub/added.txt")}
                          : std::vector<std::string>{});
    }
}

// Side by side, each list selects the file the other one selected, or
// nothing when its tree has no such file. Following is not passed back.
TEST_F(DirListViewTest, SideBySideListsSelectTheSameFile)
{
    CompareSmallTrees();
    auto left = MakeView(0, false);
    auto right = MakeView(1, false);
    host_.followSelection = [&](const QWidget* from, const CDirNode* node) {
        (from == left.get() ? *right : *left).SelectPartnerOf(node);
    };
    ShowPane(*left);
    ShowPane(*right);
    struct STEP
    {
        CDirListView* chosenIn;
        std::string row;
        CDirListView* other;
        std::vector<std::string> otherSelects;
    };
    const std::vector<STEP> steps = {
        {left.get(), "sub/changed.txt", right.get(), {"sub/changed.txt"}},
        {left.get(), "sub/gone.txt", right.get(), {}},
        {right.get(), "same.txt", left.get(), {"same.txt"}},
        {right.get(), "newonly/n.txt", left.get(), {}},
    };
    for (const STEP& step : steps) {
        SCOPED_TRACE(step.row);
        ClickItem(*step.chosenIn, ItemWithText(*step.chosenIn, step.row));
        EXPECT_EQ(SelectedTexts(*step.chosenIn), std::vector<std::string>{step.row});
        EXPECT_EQ(SelectedTexts(*step.other), step.otherSelects);
    }
    // The keys, which open nothing, move the other list too.
    PressKey(*right, Qt::Key_Down);
    EXPECT_EQ(SelectedTexts(*left), std::vector<std::string>{"same.txt"});
    const std::size_t told = host_.followed.size();
    left->SelectPartnerOf(nullptr);
    EXPECT_TRUE(SelectedTexts(*left).empty());
    EXPECT_EQ(host_.followed.size(), told);
}

// Names paired regardless of case are one file, under either name.
TEST_F(DirListViewTest, ListsFollowAPairNamedInAnotherCase)
{
    ComparisonSettings settings;
    settings.ignoreNameCase = true;
    dirs_.SetOptions(settings);
    Compare({F::File("Readme", "1")}, {F::File("README", "2")});
    auto left = MakeView(0, false);
    auto right = MakeView(1, false);
    host_.followSelection = [&](const QWidget*, const CDirNode* node) {
        right->SelectPartnerOf(node);
    };
    ShowPane(*left);
    ClickItem(*left, ItemWithText(*left, "Readme"));
    EXPECT_EQ(SelectedTexts(*right), std::vector<std::string>{"README"});
}

TEST_F(DirListViewTest, ReselectsTheFileChosenLastWithoutOpeningIt)
{
    CompareSmallTrees();
    auto view = MakeView(1, false);
    ShowPane(*view);
    ClickItem(*view, ItemWithText(*view, "sub/changed.txt"));
    LetPendingWorkRun();
    ASSERT_EQ(host_.opened.size(), 1u);
    host_.opened.clear();
    ASSERT_TRUE(dirs_.RunDirComparison(firstRoot_, secondRoot_));
    view->OnUpdate(UpdateHint::DirResultChanged);
    EXPECT_EQ(SelectedTexts(*view), std::vector<std::string>{"sub/changed.txt"});
    host_.dirSort = 1;
    view->OnUpdate(UpdateHint::DirSortChanged);
    EXPECT_EQ(SelectedTexts(*view), std::vector<std::string>{"sub/changed.txt"});
    // A name that no longer exists selects nothing.
    host_.currentDir = "sub/vanished.txt";
    view->OnUpdate(UpdateHint::DirResultChanged);
    EXPECT_TRUE(view->selectedItems().isEmpty());
    LetPendingWorkRun();
    EXPECT_TRUE(host_.opened.empty());
}

// Opening a file rebuilds the list, which stays scrolled where it was.
TEST_F(DirListViewTest, ARebuildKeepsTheScrollPosition)
{
    std::vector<F> files;
    for (int i = 0; i < 80; ++i)
        files.push_back(F::File(std::string("f").append(std::to_string(100 + i)).append(".txt")));
    Compare(files, files);
    auto view = MakeView(0, true);
    view->resize(300, 300);
    view->show();
    LetPendingWorkRun();
    view->scrollToItem(ItemWithText(*view, "f150.txt"), QAbstractItemView::PositionAtTop);
    const int scrolled = view->verticalScrollBar()->value();
    ASSERT_GT(scrolled, 20);
    ClickItem(*view, ItemWithText(*view, "f155.txt"));
    LetPendingWorkRun();
    view->OnUpdate(UpdateHint::IconColorsChanged | UpdateHint::AppearanceChanged);
    EXPECT_EQ(view->verticalScrollBar()->value(), scrolled);
    EXPECT_EQ(SelectedTexts(*view), std::vector<std::string>{"f155.txt"});
}

TEST_F(DirListViewTest, OpeningSurvivesTheRebuildItCauses)
{
    CompareSmallTrees();
    RebuildingHost host;
    CDirListView view(dirs_, appearance_, host);
    host.panes = {&view};
    view.OnUpdate(UpdateHint::DirResultChanged);
    ShowPane(view);
    ClickItem(view, ItemWithText(view, "sub/changed.txt"));
    LetPendingWorkRun();
    EXPECT_EQ(host.opened,
              std::vector<std::string>{Pair(First("sub/changed.txt"), Second("sub/changed.txt"))});
    EXPECT_EQ(SelectedTexts(view), std::vector<std::string>{"sub/changed.txt"});
    ClickItem(view, ItemWithText(view, "sub/changed.txt"));
    LetPendingWorkRun();
    EXPECT_EQ(host.opened.size(), 2u);
}

// Only the files that differ are listed when only the differences are shown.
TEST_F(DirListViewTest, OnlyDifferencesListsTheFilesThatDiffer)
{
    CompareSmallTrees();
    for (const bool composite : {true, false}) {
        SCOPED_TRACE(composite);
        auto view = MakeView(composite ? 0 : 1, composite);
        view->onlyDifferences = true;
        view->OnUpdate(UpdateHint::DirFilterChanged);
        const std::vector<std::string> expected =
            composite ? std::vector<std::string>{"newonly/n.txt", "sub/added.txt",
                                                 "sub/changed.txt", "sub/gone.txt"}
                      : std::vector<std::string>{"newonly/n.txt", "sub/added.txt",
                                                 "sub/changed.txt"};
        EXPECT_EQ(Describe(*view), expected);
    }
}

} // namespace
