#include "dir_views/dir_view.h"
#include "document/diff_doc.h"
#include "tests/dir_views/dir_views_fixture.h"

#include <QScrollBar>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using F = TreeEntry;
using S = DirNodeStatus;

class DirViewTest : public DirViewsTest
{
protected:
    std::unique_ptr<CDirView> MakeView(int sideIndex, bool composite)
    {
        return MakePane<CDirView>(sideIndex, composite);
    }
};

struct TREE_CASE
{
    const char* name;
    int sideIndex;
    bool composite;
    std::vector<std::string> tree;
};

// Folders first, then by name; the composite tree merges both trees in the
// order the report lists them, so the entries only the second tree holds
// stand among the others from the start.
TEST_F(DirViewTest, ShowsItsSideOrBothMerged)
{
    CompareSmallTrees();
    const std::vector<TREE_CASE> cases = {
        {"first",
         0,
         false,
         {".../old", "  oldonly", "  sub", "    changed.txt", "    gone.txt", "  same.txt"}},
        {"second",
         1,
         false,
         {".../new", "  newonly", "    n.txt", "  sub", "    added.txt", "    changed.txt",
          "  same.txt"}},
        {"composite",
         0,
         true,
         {".../old vs .../new", "  newonly", "    n.txt", "  oldonly", "  sub", "    added.txt",
          "    changed.txt", "    gone.txt", "  same.txt"}},
    };
    for (const TREE_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        CDirView view(dirs_, appearance_, host_);
        view.sideIndex = c.sideIndex;
        view.composite = c.composite;
        // Neither a new sort order nor new fonts fill an empty tree.
        view.OnUpdate(UpdateHint::AppearanceChanged | UpdateHint::DirSortChanged);
        EXPECT_EQ(view.topLevelItemCount(), 0);
        view.OnUpdate(UpdateHint::DirResultChanged);
        EXPECT_EQ(Describe(view), c.tree);
        EXPECT_TRUE(view.topLevelItem(0)->isExpanded());
        view.OnUpdate(UpdateHint::IconColorsChanged | UpdateHint::AppearanceChanged);
        EXPECT_EQ(Describe(view), c.tree);
        view.OnUpdate(UpdateHint::FileResultChanged | UpdateHint::AppearanceChanged);
        EXPECT_EQ(Describe(view), c.tree);
    }
}

// Only a/b/c/x.txt differs: the root and every folder on its path are marked
// modified, everything else identical.
TEST_F(DirViewTest, CompositeTreeMarksThePathToADifference)
{
    const std::vector<F> common = {F::File("top.txt", "t"), F::File("a/one.txt", "1"),
                                   F::File("a/b/two.txt", "2"), F::File("other/three.txt", "3")};
    std::vector<F> first = common;
    std::vector<F> second = common;
    first.push_back(F::File("a/b/c/x.txt", "old"));
    second.push_back(F::File("a/b/c/x.txt", "new"));
    Compare(first, second);
    auto view = MakeView(0, true);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {".../old vs .../new", "folder-modified-red"},
        {"a", "folder-modified-red"},
        {"b", "folder-modified-red"},
        {"c", "folder-modified-red"},
        {"x.txt", "page-modified-red"},
        {"one.txt", "page-normal-grey"},
        {"two.txt", "page-normal-grey"},
        {"other", "folder-normal-grey"},
        {"three.txt", "page-normal-grey"},
        {"top.txt", "page-normal-grey"},
    };
    ASSERT_EQ(Describe(*view).size(), expected.size());
    for (const auto& [text, image] : expected) {
        SCOPED_TRACE(text);
        QTreeWidgetItem* item = ItemWithText(*view, text);
        ASSERT_NE(item, nullptr);
        EXPECT_TRUE(ShowsImage(item->icon(0), image));
    }
}

struct ROOT_CASE
{
    const char* name;
    std::vector<F> first;
    std::vector<F> second;
    int sideIndex;
    bool composite;
    std::string image;
};

// The root shows whether the two trees are identical, on every side.
TEST_F(DirViewTest, RootIconSaysWhetherTheTreesAreIdentical)
{
    const std::vector<ROOT_CASE> cases = {
        {"identical",
         {F::File("a.txt", "x")},
         {F::File("a.txt", "x")},
         0,
         true,
         "folder-normal-grey"},
        {"two empty trees", {}, {}, 1, false, "folder-normal-grey"},
        {"one extra file in the second",
         {},
         {F::File("a.txt", "x")},
         0,
         false,
         "folder-modified-red"},
        {"differing file",
         {F::File("a.txt", "x")},
         {F::File("a.txt", "y")},
         1,
         false,
         "folder-modified-red"},
    };
    for (const ROOT_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        TreeFolder folder;
        ASSERT_TRUE(
            dirs_.RunDirComparison(folder.Build("old", c.first), folder.Build("new", c.second)));
        auto view = MakeView(c.sideIndex, c.composite);
        ASSERT_EQ(view->topLevelItemCount(), 1);
        EXPECT_TRUE(ShowsImage(view->topLevelItem(0)->icon(0), c.image));
    }
}

struct FIRST_DIFFERENCE_CASE
{
    const char* name;
    std::vector<F> first;
    std::vector<F> second;
    std::vector<std::string> open;
};

// The folders a tree shows open, below its root, in the order shown.
std::vector<std::string> OpenFolders(QTreeWidget& tree)
{
    std::vector<std::string> open;
    for (QTreeWidgetItemIterator it(&tree); *it; ++it) {
        if ((*it)->parent() && (*it)->isExpanded())
            open.push_back((*it)->text(0).toStdString());
    }
    return open;
}

// A new tree opens every folder on the way to its first difference in the
// order shown, folders first, and nothing else; a folder only one tree holds
// is a difference itself and stays closed.
TEST_F(DirViewTest, ANewTreeOpensThePathToItsFirstDifference)
{
    const std::vector<F> common = {F::File("top.txt", "t"), F::File("a/one.txt", "1"),
                                   F::File("other/three.txt", "3")};
    auto with = [&](std::vector<F> extra) {
        extra.insert(extra.begin(), common.begin(), common.end());
        return extra;
    };
    const std::vector<FIRST_DIFFERENCE_CASE> cases = {
        {"deep file before a later one",
         with({F::File("a/b/c/x.txt", "old"), F::File("z/w.txt", "old")}),
         with({F::File("a/b/c/x.txt", "new"), F::File("z/w.txt", "new")}),
         {"a", "b", "c"}},
        {"a folder only the first tree holds",
         with({F::File("a/gone/g.txt"), F::File("other/x.txt", "old")}),
         with({F::File("other/x.txt", "new")}),
         {"a"}},
        {"a file at the top", with({F::File("b.txt", "1")}), with({F::File("b.txt", "2")}), {}},
        {"identical trees", common, common, {}},
    };
    for (const FIRST_DIFFERENCE_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        TreeFolder folder;
        ASSERT_TRUE(
            dirs_.RunDirComparison(folder.Build("old", c.first), folder.Build("new", c.second)));
        for (const bool composite : {true, false}) {
            SCOPED_TRACE(composite ? "composite" : "first side");
            auto view = MakeView(0, composite);
            EXPECT_EQ(OpenFolders(*view), c.open);
        }
    }
}

// Once the user has opened folders, a rebuild opens those and no others.
TEST_F(DirViewTest, ARebuildKeepsTheFoldersTheUserOpened)
{
    Compare({F::File("a/b/x.txt", "old"), F::File("other/y.txt")},
            {F::File("a/b/x.txt", "new"), F::File("other/y.txt")});
    auto view = MakeView(0, true);
    ASSERT_EQ(OpenFolders(*view), (std::vector<std::string>{"a", "b"}));
    ItemWithText(*view, "a")->setExpanded(false);
    ItemWithText(*view, "other")->setExpanded(true);
    view->OnUpdate(UpdateHint::IconColorsChanged);
    EXPECT_EQ(OpenFolders(*view), (std::vector<std::string>{"b", "other"}));
}

// Icons follow the colour settings when the tree refills for new colours.
TEST_F(DirViewTest, NewIconColoursShowAfterTheRefill)
{
    CompareSmallTrees();
    auto view = MakeView(0, true);
    EXPECT_TRUE(ShowsImage(ItemWithText(*view, "added.txt")->icon(0), "page-new-yellow"));
    appearance_.newIconColor = QStringLiteral("Cyan");
    appearance_.oldIconColor = QStringLiteral("grey");
    view->OnUpdate(UpdateHint::IconColorsChanged);
    EXPECT_TRUE(ShowsImage(ItemWithText(*view, "added.txt")->icon(0), "page-new-cyan"));
    EXPECT_TRUE(ShowsImage(ItemWithText(*view, "newonly")->icon(0), "folder-new-cyan"));
    // A colour name that matches nothing shows image 0, the grey folder,
    // for files too.
    EXPECT_TRUE(ShowsImage(ItemWithText(*view, "gone.txt")->icon(0), "folder-normal-grey"));
}

// A top level with every status, and twenty identical files whose order
// must survive a sort by status: entries of equal status keep their order.
class DirViewSortTest : public DirViewTest
{
protected:
    void SetUp() override
    {
        std::vector<F> first = {F::File("b_old.txt"),     F::File("m.txt", "1"),
                                F::Folder("zold"),        F::File("dirA/inner.txt"),
                                F::File("sub/x_old.txt"), F::File("sub/a_same.txt"),
                                F::File("sub/m.txt", "1")};
        std::vector<F> second = {F::File("a_new.txt"),      F::File("m.txt", "2"),
                                 F::Folder("ynew"),         F::File("dirA/inner.txt"),
                                 F::File("sub/a_same.txt"), F::File("sub/m.txt", "2")};
        for (int i = 0; i < 20; ++i) {
            // Appended, not joined with +: GCC 12 at -O3 misjudges the join.
            std::string name = "f";
            name += std::to_string(10 + i);
            name += ".txt";
            first.push_back(F::File(name));
            second.push_back(F::File(name));
            identical_.push_back(name);
        }
        Compare(first, second);
    }

    std::vector<std::string> Expected(std::vector<std::string> head,
                                      const std::vector<std::string>& tail = {}) const
    {
        head.insert(head.end(), identical_.begin(), identical_.end());
        head.insert(head.end(), tail.begin(), tail.end());
        return head;
    }

    std::vector<std::string> identical_;
};

TEST_F(DirViewSortTest, TopLevelFollowsTheSortOrder)
{
    auto view = MakeView(0, true);
    QTreeWidgetItem* root = view->topLevelItem(0);
    const std::vector<std::string> byName =
        Expected({"dirA", "sub", "ynew", "zold", "a_new.txt", "b_old.txt"}, {"m.txt"});
    const std::vector<std::string> byStatus =
        Expected({"zold", "ynew", "sub", "dirA", "b_old.txt", "a_new.txt", "m.txt"});
    EXPECT_EQ(ChildTexts(root), byName);
    host_.dirSort = 1;
    view->OnUpdate(UpdateHint::DirSortChanged);
    EXPECT_EQ(ChildTexts(root), byStatus);
    host_.dirSort = 0;
    view->OnUpdate(UpdateHint::DirSortChanged);
    EXPECT_EQ(ChildTexts(root), byName);
    host_.dirSort = 1;
    view->OnUpdate(UpdateHint::DirResultChanged);
    EXPECT_EQ(ChildTexts(view->topLevelItem(0)), byStatus);
}

// A folder's entries are put in order when it is opened or closed; one left
// open keeps its order through a change of sort order until then.
TEST_F(DirViewSortTest, OpeningOrClosingAFolderSortsItsEntries)
{
    auto view = MakeView(0, true);
    QTreeWidgetItem* sub = ItemWithText(*view, "sub");
    ASSERT_NE(sub, nullptr);
    // The new tree opened the folder on its way to the first difference.
    ASSERT_TRUE(sub->isExpanded());
    const std::vector<std::string> byName = {"a_same.txt", "m.txt", "x_old.txt"};
    const std::vector<std::string> byStatus = {"x_old.txt", "m.txt", "a_same.txt"};
    EXPECT_EQ(ChildTexts(sub), byName);
    host_.dirSort = 1;
    sub->setExpanded(false);
    EXPECT_EQ(ChildTexts(sub), byStatus);
    host_.dirSort = 0;
    view->OnUpdate(UpdateHint::DirSortChanged);
    EXPECT_EQ(ChildTexts(sub), byStatus);
    sub->setExpanded(true);
    EXPECT_EQ(ChildTexts(sub), byName);
}

struct OPEN_CASE
{
    const char* name;
    int sideIndex;
    bool composite;
    std::string item;
    std::string relative;
    std::string opened; // "first:<name>" or "second:<name>", a pair joined by " | "
};

// What choosing a file opens: a modified file as a pair, own side first, any
// other alone, from the tree it belongs to (or the pane's side when it is in
// both); afterwards the other trees lose their selection.
TEST_F(DirViewTest, ClickingAFileOpensItOwnSideFirst)
{
    CompareSmallTrees();
    const std::vector<OPEN_CASE> cases = {
        {"modified, left", 0, false, "changed.txt", "sub/changed.txt",
         "first:sub/changed.txt | second:sub/changed.txt"},
        {"modified, right", 1, false, "changed.txt", "sub/changed.txt",
         "second:sub/changed.txt | first:sub/changed.txt"},
        {"modified, composite", 0, true, "changed.txt", "sub/changed.txt",
         "first:sub/changed.txt | second:sub/changed.txt"},
        {"identical, left", 0, false, "same.txt", "same.txt", "first:same.txt"},
        {"identical, right", 1, false, "same.txt", "same.txt", "second:same.txt"},
        {"identical, composite", 0, true, "same.txt", "same.txt", "first:same.txt"},
        {"only in first, composite", 0, true, "gone.txt", "sub/gone.txt", "first:sub/gone.txt"},
        {"only in second, composite", 0, true, "added.txt", "sub/added.txt",
         "second:sub/added.txt"},
        {"only in second, right", 1, false, "n.txt", "newonly/n.txt", "second:newonly/n.txt"},
    };
    const auto path = [this](const std::string& place) {
        const std::size_t colon = place.find(':');
        const std::string name = place.substr(colon + 1);
        return place.substr(0, colon) == "first" ? First(name) : Second(name);
    };
    for (const OPEN_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        host_ = CRecordingPaneHost();
        auto view = MakeView(c.sideIndex, c.composite);
        ShowPane(*view);
        QTreeWidgetItem* item = ItemWithText(*view, c.item);
        ASSERT_NE(item, nullptr);
        if (item->parent())
            item->parent()->setExpanded(true);
        ClickItem(*view, item);
        // Nothing opens within the click itself, only once it is handled.
        EXPECT_TRUE(host_.opened.empty());
        LetPendingWorkRun();
        const std::size_t bar = c.opened.find(" | ");
        const std::string expected =
            bar == std::string::npos
                ? path(c.opened)
                : Pair(path(c.opened.substr(0, bar)), path(c.opened.substr(bar + 3)));
        EXPECT_EQ(host_.opened, std::vector<std::string>{expected});
        EXPECT_EQ(host_.currentDir, c.relative);
        EXPECT_EQ(host_.clearedExcept, std::vector<const QWidget*>{view.get()});
    }
}

TEST_F(DirViewTest, ChoosingAFolderOrTheRootOpensNothing)
{
    CompareSmallTrees();
    auto view = MakeView(0, true);
    ShowPane(*view);
    ClickItem(*view, ItemWithText(*view, "sub"));
    ClickItem(*view, view->topLevelItem(0));
    LetPendingWorkRun();
    EXPECT_TRUE(host_.opened.empty());
    EXPECT_TRUE(host_.currentDir.empty());
    EXPECT_TRUE(host_.clearedExcept.empty());
}

// After a new comparison the file chosen last is selected again, its folder
// opened, and nothing is opened again.
TEST_F(DirViewTest, ReselectsTheFileChosenLastWithoutOpeningIt)
{
    CompareSmallTrees();
    for (const bool composite : {true, false}) {
        SCOPED_TRACE(composite ? "composite" : "side");
        host_ = CRecordingPaneHost();
        host_.currentDir = "SUB/Changed.txt"; // letter case folded
        auto view = MakeView(composite ? 0 : 1, composite);
        EXPECT_EQ(SelectedTexts(*view), std::vector<std::string>{"changed.txt"});
        EXPECT_TRUE(view->currentItem()->parent()->isExpanded());
        ASSERT_TRUE(dirs_.RunDirComparison(firstRoot_, secondRoot_));
        view->OnUpdate(UpdateHint::DirResultChanged);
        EXPECT_EQ(SelectedTexts(*view), std::vector<std::string>{"changed.txt"});
        view->OnUpdate(UpdateHint::DirSortChanged);
        EXPECT_EQ(SelectedTexts(*view), std::vector<std::string>{"changed.txt"});
        LetPendingWorkRun();
        EXPECT_TRUE(host_.opened.empty());
    }
}

// Opening a file rebuilds the tree: the folders the user opened stay open
// and the tree stays scrolled where it was.
TEST_F(DirViewTest, ARebuildKeepsOpenFoldersAndTheScrollPosition)
{
    std::vector<F> first = {F::File("sub/x.txt", "1"), F::File("sub/deeper/y.txt"),
                            F::File("shut/z.txt")};
    std::vector<F> second = {F::File("sub/x.txt", "2"), F::File("sub/deeper/y.txt"),
                             F::File("shut/z.txt")};
    for (int i = 0; i < 60; ++i) {
        first.push_back(F::File("many/f" + std::to_string(100 + i) + ".txt"));
        second.push_back(F::File("many/f" + std::to_string(100 + i) + ".txt"));
    }
    Compare(first, second);
    auto view = MakeView(0, true);
    view->resize(300, 300);
    view->show();
    LetPendingWorkRun();
    for (const char* name : {"many", "sub", "deeper"})
        ItemWithText(*view, name)->setExpanded(true);
    view->scrollToItem(ItemWithText(*view, "f140.txt"), QAbstractItemView::PositionAtTop);
    const int scrolled = view->verticalScrollBar()->value();
    ASSERT_GT(scrolled, 20);
    for (UpdateHint hint : {UpdateHint::IconColorsChanged, UpdateHint::DirResultChanged}) {
        SCOPED_TRACE(static_cast<int>(hint));
        view->OnUpdate(hint);
        for (const char* name : {"many", "sub", "deeper"})
            EXPECT_TRUE(ItemWithText(*view, name)->isExpanded()) << name;
        EXPECT_FALSE(ItemWithText(*view, "shut")->isExpanded());
        EXPECT_EQ(view->verticalScrollBar()->value(), scrolled);
    }
}

TEST_F(DirViewTest, AFileThatNoLongerExistsSelectsNothing)
{
    CompareSmallTrees();
    host_.currentDir = "sub/vanished.txt";
    auto view = MakeView(0, true);
    EXPECT_TRUE(view->selectedItems().isEmpty());
    // In a side tree only its own side counts.
    host_.currentDir = "sub/added.txt";
    auto left = MakeView(0, false);
    EXPECT_TRUE(left->selectedItems().isEmpty());
}

// The keys move through the tree as in any tree, and a file reached that
// way opens as a clicked one does.
TEST_F(DirViewTest, KeysMoveTheSelectionAndOpenFiles)
{
    Compare(
        {F::File("a.txt", "1"), F::File("b.txt", "b"), F::File("c.txt", "c"), F::File("sub/x.txt")},
        {F::File("a.txt", "2"), F::File("b.txt", "b"), F::File("c.txt", "c"),
         F::File("sub/x.txt")});
    host_.currentDir = "a.txt";
    auto view = MakeView(0, true);
    ShowPane(*view);
    ASSERT_EQ(SelectedTexts(*view), std::vector<std::string>{"a.txt"});
    struct STEP
    {
        int key;
        std::string selected;
        std::vector<std::string> opened;
    };
    const std::vector<STEP> steps = {
        {Qt::Key_Down, "b.txt", {First("b.txt")}},
        {Qt::Key_End, "c.txt", {First("c.txt")}},
        {Qt::Key_Up, "b.txt", {First("b.txt")}},
        {Qt::Key_Up, "a.txt", {Pair(First("a.txt"), Second("a.txt"))}},
        {Qt::Key_Home, ".../old vs .../new", {}},
        {Qt::Key_PageDown, "c.txt", {First("c.txt")}},
    };
    for (const STEP& step : steps) {
        SCOPED_TRACE(step.selected);
        host_.opened.clear();
        PressKey(*view, step.key);
        LetPendingWorkRun();
        EXPECT_EQ(SelectedTexts(*view), std::vector<std::string>{step.selected});
        EXPECT_EQ(host_.opened, step.opened);
    }
}

TEST_F(DirViewTest, OpeningSurvivesTheRebuildItCauses)
{
    CompareSmallTrees();
    RebuildingHost host;
    CDirView left(dirs_, appearance_, host);
    CDirView right(dirs_, appearance_, host);
    right.sideIndex = 1;
    host.panes = {&left, &right};
    host.RebuildPanes();
    ShowPane(left);
    ShowPane(right);
    QTreeWidgetItem* sub = ItemWithText(right, "sub");
    ASSERT_NE(sub, nullptr);
    sub->setExpanded(true);
    ClickItem(right, ItemWithText(right, "changed.txt"));
    LetPendingWorkRun();
    EXPECT_EQ(host.opened,
              std::vector<std::string>{Pair(Second("sub/changed.txt"), First("sub/changed.txt"))});
    EXPECT_EQ(host.clearedExcept, std::vector<const QWidget*>{&right});
    // Both trees were rebuilt and show the chosen file, which opened once
    // (this host clears no selection).
    EXPECT_EQ(SelectedTexts(right), std::vector<std::string>{"changed.txt"});
    EXPECT_EQ(SelectedTexts(left), std::vector<std::string>{"changed.txt"});
    PressKey(right, Qt::Key_Down);
    LetPendingWorkRun();
    EXPECT_EQ(host.opened.size(), 2u);
    EXPECT_EQ(SelectedTexts(right), std::vector<std::string>{"same.txt"});
}

// A choice outlives the result it was made in: a new comparison that
// destroys the chosen node before the choice is handled opens the paths.
TEST_F(DirViewTest, AChoiceSurvivesANewResult)
{
    CompareSmallTrees();
    auto view = MakeView(0, true);
    ShowPane(*view);
    ClickItem(*view, ItemWithText(*view, "same.txt"));
    ASSERT_TRUE(dirs_.RunDirComparison(firstRoot_, secondRoot_));
    view->OnUpdate(UpdateHint::DirResultChanged);
    LetPendingWorkRun();
    EXPECT_EQ(host_.opened, std::vector<std::string>{First("same.txt")});
}

TEST_F(DirViewTest, APaneClosedBeforeItsChoiceIsHandledOpensNothing)
{
    CompareSmallTrees();
    {
        auto view = MakeView(0, true);
        ShowPane(*view);
        ClickItem(*view, ItemWithText(*view, "same.txt"));
    }
    LetPendingWorkRun();
    EXPECT_TRUE(host_.opened.empty());
}

// Several files chosen before the event loop comes round open only the
// last; a folder chosen after a file does not take the file's choice back.
TEST_F(DirViewTest, OnlyTheLastOfQuickChoicesOpens)
{
    CompareSmallTrees();
    auto view = MakeView(0, true);
    ShowPane(*view);
    ItemWithText(*view, "sub")->setExpanded(true);
    ClickItem(*view, ItemWithText(*view, "added.txt"));
    PressKey(*view, Qt::Key_Down);
    LetPendingWorkRun();
    EXPECT_EQ(SelectedTexts(*view), std::vector<std::string>{"changed.txt"});
    EXPECT_EQ(host_.opened,
              std::vector<std::string>{Pair(First("sub/changed.txt"), Second("sub/changed.txt"))});
    host_.opened.clear();
    ClickItem(*view, ItemWithText(*view, "same.txt"));
    PressKey(*view, Qt::Key_Home);
    LetPendingWorkRun();
    EXPECT_EQ(SelectedTexts(*view), std::vector<std::string>{".../old vs .../new"});
    EXPECT_EQ(host_.opened, std::vector<std::string>{First("same.txt")});
}

} // namespace

namespace {

// With only the differences shown, the identical files and the folders that
// hold nothing else are left out in every layout; turning it off brings them
// back.
TEST_F(DirViewTest, OnlyDifferencesLeavesOutWhatIsIdentical)
{
    const std::vector<F> common = {F::File("top.txt", "t"), F::File("a/one.txt", "1"),
                                   F::File("other/three.txt", "3")};
    std::vector<F> first = common;
    std::vector<F> second = common;
    first.push_back(F::File("a/b/x.txt", "old"));
    second.push_back(F::File("a/b/x.txt", "new"));
    second.push_back(F::File("added.txt", "+"));
    Compare(first, second);
    const std::vector<TREE_CASE> cases = {
        {"first", 0, false, {".../old", "  a", "    b", "      x.txt"}},
        {"second", 1, false, {".../new", "  a", "    b", "      x.txt", "  added.txt"}},
        {"composite", 0, true, {".../old vs .../new", "  a", "    b", "      x.txt", "  added.txt"}},
    };
    for (const TREE_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        auto view = MakeView(c.sideIndex, c.composite);
        view->onlyDifferences = true;
        view->OnUpdate(UpdateHint::DirFilterChanged);
        EXPECT_EQ(Describe(*view), c.tree);
        view->onlyDifferences = false;
        view->OnUpdate(UpdateHint::DirFilterChanged);
        EXPECT_NE(ItemWithText(*view, "three.txt"), nullptr);
    }
}

} // namespace
