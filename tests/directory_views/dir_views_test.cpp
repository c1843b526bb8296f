#include "directory/dir_comparison.h"
#include "directory/dir_list_view.h"
#include "directory/dir_view.h"
#include "directory/sync_dir_user_seam.h"
#include "document/diff_doc.h"
#include "shell/appearance.h"
#include "tests/views/recording_pane_host.h"
#include "tests/views/test_app.h"
#include "tests/directory/tree_fixture.h"

#include <QHeaderView>
#include <QTreeWidgetItem>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The items of a tree as indented lines, two blanks a level, children in the
// order shown.
void Describe(const QTreeWidgetItem* item, int depth, std::vector<std::string>& lines)
{
    lines.push_back(std::string(static_cast<std::size_t>(depth) * 2, ' ') +
                    item->text(0).toStdString());
    for (int i = 0; i < item->childCount(); ++i)
        Describe(item->child(i), depth + 1, lines);
}

std::vector<std::string> Describe(const QTreeWidget& tree)
{
    std::vector<std::string> lines;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        Describe(tree.topLevelItem(i), 0, lines);
    return lines;
}

// Two trees that share a folder and a file, each with a file of its own in
// the shared folder and a folder of its own.
class DirViewsTest : public ::testing::Test
{
protected:
    void Compare()
    {
        const std::string first = folder_.Build("old", {
                                                           TreeEntry::File("same.txt", "s"),
                                                           TreeEntry::File("sub/changed.txt", "1"),
                                                           TreeEntry::File("sub/gone.txt", "g"),
                                                           TreeEntry::Folder("oldonly"),
                                                       });
        const std::string second = folder_.Build("new", {
                                                            TreeEntry::File("same.txt", "s"),
                                                            TreeEntry::File("sub/changed.txt", "2"),
                                                            TreeEntry::File("sub/added.txt", "a"),
                                                            TreeEntry::File("newonly/n.txt", "n"),
                                                        });
        ASSERT_TRUE(dirs_.RunDirComparison(first, second));
    }

    QApplication& app_ = TestApp();
    TreeFolder folder_;
    CSyncDirUserSeam seam_;
    CDirComparison dirs_{seam_};
    CAppearance appearance_;
    CRecordingPaneHost host_;
};

struct TREE_CASE
{
    const char* name;
    int sideIndex;
    bool composite;
    std::vector<std::string> tree;
};

TEST_F(DirViewsTest, TreeShowsItsSideOrBothMerged)
{
    Compare();
    const std::vector<TREE_CASE> cases = {
        {"first",
         0,
         false,
         {".../old", "  same.txt", "  oldonly", "  sub", "    changed.txt", "    gone.txt"}},
        {"second",
         1,
         false,
         {".../new", "  same.txt", "  newonly", "    n.txt", "  sub", "    added.txt",
          "    changed.txt"}},
        {"composite",
         0,
         true,
         {"Composite Tree", "  same.txt", "  oldonly", "  sub", "    changed.txt", "    gone.txt",
          "    added.txt", "  newonly", "    n.txt"}},
    };
    for (const TREE_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        CDirView view(dirs_, appearance_, host_);
        view.sideIndex = c.sideIndex;
        view.composite = c.composite;
        // Only a new result or new icon colours fill the tree.
        view.OnUpdate(CDiffDoc::AppearanceChanged | CDiffDoc::DirSortChanged);
        EXPECT_EQ(view.topLevelItemCount(), 0);
        view.OnUpdate(CDiffDoc::DirResultChanged);
        EXPECT_EQ(Describe(view), c.tree);
        view.OnUpdate(CDiffDoc::IconColorsChanged);
        EXPECT_EQ(Describe(view), c.tree);
    }
}

struct LIST_CASE
{
    const char* name;
    int sideIndex;
    bool composite;
    std::string header;
    std::vector<std::string> rows;
};

TEST_F(DirViewsTest, ListShowsTheFilesOfItsSideOrEachPairOnce)
{
    Compare();
    const std::vector<LIST_CASE> cases = {
        {"first", 0, false, "Files in .../old", {"same.txt", "sub/changed.txt", "sub/gone.txt"}},
        {"second",
         1,
         false,
         "Files in .../new",
         {"same.txt", "newonly/n.txt", "sub/added.txt", "sub/changed.txt"}},
        {"composite",
         0,
         true,
         "Composite List",
         {"same.txt", "sub/changed.txt", "sub/gone.txt", "newonly/n.txt", "sub/added.txt"}},
    };
    for (const LIST_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        CDirListView view(dirs_, appearance_, host_);
        view.sideIndex = c.sideIndex;
        view.composite = c.composite;
        view.OnUpdate(CDiffDoc::AppearanceChanged);
        EXPECT_EQ(view.topLevelItemCount(), 0);
        EXPECT_EQ(view.headerItem()->text(0).toStdString(), "Files");
        view.OnUpdate(CDiffDoc::DirResultChanged);
        EXPECT_EQ(view.headerItem()->text(0).toStdString(), c.header);
        EXPECT_EQ(Describe(view), c.rows);
    }
}

TEST_F(DirViewsTest, ClosedDirectoriesEmptyBothViews)
{
    Compare();
    CDirView tree(dirs_, appearance_, host_);
    CDirListView list(dirs_, appearance_, host_);
    tree.OnUpdate(CDiffDoc::DirResultChanged);
    list.OnUpdate(CDiffDoc::DirResultChanged);
    ASSERT_GT(tree.topLevelItemCount(), 0);
    ASSERT_GT(list.topLevelItemCount(), 0);
    dirs_.ClearDirs();
    tree.OnUpdate(CDiffDoc::DirResultChanged);
    list.OnUpdate(CDiffDoc::DirResultChanged);
    EXPECT_EQ(tree.topLevelItemCount(), 0);
    EXPECT_EQ(list.topLevelItemCount(), 0);
    EXPECT_EQ(list.headerItem()->text(0).toStdString(), "Files");
}

} // namespace
