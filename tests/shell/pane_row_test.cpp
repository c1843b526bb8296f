#include "dir_views/dir_list_view.h"
#include "dir_views/dir_view.h"
#include "directory/dir_comparison.h"
#include "directory/sync_dir_user_seam.h"
#include "document/diff_doc.h"
#include "document/sync_user_seam.h"
#include "shell/frame_settings.h"
#include "shell/pane_row.h"
#include "tests/shell/main_frame_fixture.h"
#include "views/appearance.h"
#include "views/diff_view.h"
#include "views/over_view.h"
#include "views/semi_splitter.h"

#include <QMainWindow>
#include <QScrollBar>
#include <QTreeWidgetItemIterator>

namespace {

using P = PaneClass;

// A pane row in a bare window, over a real document and directory result.
class PaneRowTest : public ::testing::Test
{
protected:
    PaneRowTest()
        : doc_(userSeam_), dirs_(dirSeam_), panes_(window_, doc_, dirs_, appearance_, settings_)
    {
        window_.resize(1000, 600);
        window_.show();
        QObject::connect(&panes_, &CPaneRow::UpdateAllPanes,
                         [this](UpdateHints hints) { hints_.push_back(hints); });
    }

    std::string Write(const std::string& name, const std::string& content)
    {
        const std::filesystem::path path = std::filesystem::path(dir_.path().toStdString()) / name;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << content;
        return path.string();
    }
    std::string Path(const std::string& name) const
    {
        return dir_.filePath(QString::fromStdString(name)).toStdString();
    }

    std::vector<PaneClass> Row() const
    {
        std::vector<PaneClass> row;
        for (int i = 0; i < panes_.Splitter().GetColumnCount(); ++i)
            row.push_back(panes_.Splitter().GetPaneClass(i));
        return row;
    }

    static int ItemCount(const CDirView& view)
    {
        int count = 0;
        for (QTreeWidgetItemIterator it(const_cast<CDirView*>(&view)); *it; ++it)
            ++count;
        return count;
    }

    QApplication& app_ = App();
    QTemporaryDir dir_;
    CSyncUserSeam userSeam_;
    CSyncDirUserSeam dirSeam_;
    CDiffDoc doc_;
    CDirComparison dirs_;
    CAppearance appearance_;
    CFrameSettings settings_;
    std::vector<UpdateHints> hints_;
    QMainWindow window_;
    CPaneRow panes_;
};

TEST_F(PaneRowTest, EachResultReachesThePanesWithItsOwnHint)
{
    EXPECT_EQ(Row(), std::vector<P>{P::License});
    doc_.RunFileComparison(Write("a.txt", "a\n"), Write("b.txt", "b\n"));
    EXPECT_EQ(hints_, std::vector<UpdateHints>{UpdateHint::FileResultChanged});

    hints_.clear();
    Write("d1/x", "1");
    Write("d2/x", "2");
    ASSERT_TRUE(dirs_.RunDirComparison(Path("d1"), Path("d2")));
    dirs_.ClearDirs();
    EXPECT_EQ(hints_, (std::vector<UpdateHints>{UpdateHint::DirResultChanged,
                                                UpdateHint::DirResultChanged}));

    hints_.clear();
    panes_.SendUpdate(UpdateHint::AppearanceChanged | UpdateHint::DirSortChanged);
    EXPECT_EQ(hints_,
              std::vector<UpdateHints>{UpdateHint::AppearanceChanged | UpdateHint::DirSortChanged});
}

TEST_F(PaneRowTest, ANewFileResultTakesTheFilePanesBackToTheTop)
{
    std::string lines;
    for (int i = 0; i < 300; ++i)
        lines += "line " + std::to_string(i) + "\n";
    const std::string a = Write("a.txt", lines);
    const std::string b = Write("b.txt", lines + "end\n");
    ASSERT_TRUE(doc_.RunFileComparison(a, b));
    panes_.Arrange(false, 2, false);
    ASSERT_EQ(Row(), (std::vector<P>{P::Diff, P::Overview, P::Diff}));
    for (int side : {0, 1}) {
        QScrollBar* bar = panes_.FindDiffView(side)->verticalScrollBar();
        ASSERT_GT(bar->maximum(), 0);
        bar->setValue(bar->maximum() / 2);
    }

    ASSERT_TRUE(doc_.ReloadFiles());

    for (int side : {0, 1}) {
        SCOPED_TRACE(side);
        EXPECT_EQ(panes_.FindDiffView(side)->verticalScrollBar()->value(), 0);
    }
}

TEST_F(PaneRowTest, ANewDirectoryResultRebuildsTheDirectoryPanes)
{
    Write("d1/x", "1");
    Write("d2/x", "2");
    ASSERT_TRUE(dirs_.RunDirComparison(Path("d1"), Path("d2")));
    panes_.Arrange(true, 0, false);
    ASSERT_EQ(Row(), std::vector<P>{P::DirTree});
    auto* tree = qobject_cast<CDirView*>(panes_.Splitter().GetPane(0));
    ASSERT_NE(tree, nullptr);
    const int before = ItemCount(*tree);

    Write("d2/y", "new");
    ASSERT_TRUE(dirs_.RunDirComparison(Path("d1"), Path("d2")));
    EXPECT_EQ(ItemCount(*tree), before + 1);
    dirs_.ClearDirs();
    EXPECT_LT(ItemCount(*tree), before);
}

TEST_F(PaneRowTest, AnUnchangedRowStaysUnlessForced)
{
    doc_.RunFileComparison(Write("a.txt", "a\n"), Write("b.txt", "b\n"));
    panes_.Arrange(false, 2, false);
    QWidget* first = panes_.Splitter().GetPane(0);
    hints_.clear();

    panes_.Arrange(false, 2, false);
    EXPECT_TRUE(hints_.empty());
    EXPECT_EQ(panes_.Splitter().GetPane(0), first);

    panes_.Arrange(false, 2, true);
    EXPECT_EQ(hints_, std::vector<UpdateHints>{UpdateHint::AppearanceChanged |
                                               UpdateHint::IconColorsChanged});
    EXPECT_EQ(Row(), (std::vector<P>{P::Diff, P::Overview, P::Diff}));
}

TEST_F(PaneRowTest, SidesFollowTheLayoutSettings)
{
    doc_.RunFileComparison(Write("a.txt", "a\n"), Write("b.txt", "b\n"));
    panes_.Arrange(false, 2, false);
    EXPECT_FALSE(panes_.FindDiffView(0)->composite);
    EXPECT_EQ(static_cast<QWidget*>(panes_.FindDiffView(1)), panes_.Splitter().GetPane(2));

    settings_.txtViewMode = 0;
    panes_.Arrange(false, 2, false);
    EXPECT_EQ(Row(), (std::vector<P>{P::Overview, P::Diff}));
    EXPECT_TRUE(panes_.GetFirstDiffView()->composite);
    EXPECT_EQ(static_cast<QWidget*>(panes_.GetOverView()), panes_.Splitter().GetPane(0));
    EXPECT_EQ(panes_.FindDiffView(1), nullptr);

    settings_.dirSort = 1;
    EXPECT_EQ(panes_.GetDirSort(), 1);
}

TEST_F(PaneRowTest, FilesChosenInAPaneGoToTheWindow)
{
    std::vector<std::string> chosen;
    QObject::connect(&panes_, &CPaneRow::FilesChosen,
                     [&chosen](const std::string& first, const std::string& second) {
                         chosen.push_back(first + "|" + second);
                     });
    QObject::connect(&panes_, &CPaneRow::SingleFileChosen,
                     [&chosen](const std::string& path) { chosen.push_back(path); });
    CPaneHost& host = panes_;

    host.CompareFiles("old/x", "new/x");
    host.ShowSingleFile("new/y");
    host.SetCurrentDir("sub/y");

    EXPECT_EQ(chosen, (std::vector<std::string>{"old/x|new/x", "new/y"}));
    EXPECT_EQ(host.CurrentDir(), "sub/y");
}

// Side by side, a file selected in one list is selected in the other; a
// file the other tree lacks leaves the other list without a selection.
TEST_F(PaneRowTest, SideBySideListsSelectTheSameFile)
{
    Write("d1/a.txt", "1");
    Write("d1/gone.txt", "g");
    Write("d2/a.txt", "2");
    ASSERT_TRUE(dirs_.RunDirComparison(Path("d1"), Path("d2")));
    settings_.dirViewMode = 1;
    settings_.dirViewType = 1;
    panes_.Arrange(true, 0, false);
    ASSERT_EQ(Row(), (std::vector<P>{P::DirList, P::DirList}));
    auto* left = qobject_cast<CDirListView*>(panes_.Splitter().GetPane(0));
    auto* right = qobject_cast<CDirListView*>(panes_.Splitter().GetPane(1));
    ASSERT_TRUE(left && right);
    auto selected = [](const CDirListView& list) {
        std::vector<std::string> texts;
        for (const QTreeWidgetItem* row : list.selectedItems())
            texts.push_back(row->text(0).toStdString());
        return texts;
    };
    auto select = [](CDirListView& list, const std::string& text) {
        list.clearSelection();
        list.findItems(QString::fromStdString(text), Qt::MatchExactly).value(0)->setSelected(true);
    };
    select(*left, "a.txt");
    EXPECT_EQ(selected(*right), std::vector<std::string>{"a.txt"});
    select(*left, "gone.txt");
    EXPECT_TRUE(selected(*right).empty());
    select(*right, "a.txt");
    EXPECT_EQ(selected(*left), std::vector<std::string>{"a.txt"});
}

} // namespace
