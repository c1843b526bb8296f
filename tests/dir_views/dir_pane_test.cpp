#include "dir_views/dir_list_view.h"
#include "dir_views/dir_view.h"
#include "tests/dir_views/dir_views_fixture.h"

#include <QPaintEvent>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

using F = TreeEntry;

// Stands in for the splitter, which frames the pane that has the focus: it
// records which of its own pixels it repaints, beside the pane it holds.
class FramingParent : public QWidget
{
public:
    FramingParent()
    {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(8, 8, 8, 8);
    }
    void Hold(QWidget* pane) { layout()->addWidget(pane); }

    QRegion repainted;

protected:
    void paintEvent(QPaintEvent* event) override { repainted += event->region(); }
};

// A pane that gains the focus has its parent repaint its border, so that the
// frame of the active pane moves with the focus.
TEST_F(DirViewsTest, APaneGainingTheFocusRepaintsItsParent)
{
    Compare({F::File("a.txt")}, {F::File("a.txt")});
    const std::vector<std::function<QWidget*()>> makers = {
        [this] { return new CDirView(dirs_, appearance_, host_); },
        [this] { return new CDirListView(dirs_, appearance_, host_); },
    };
    for (const auto& make : makers) {
        FramingParent parent;
        QWidget* pane = make();
        parent.Hold(pane);
        auto* other = new QWidget();
        other->setFocusPolicy(Qt::StrongFocus);
        parent.Hold(other);
        parent.resize(300, 300);
        parent.show();
        parent.activateWindow();
        other->setFocus();
        LetPendingWorkRun();
        parent.repainted = QRegion();
        pane->setFocus();
        LetPendingWorkRun();
        ASSERT_TRUE(pane->hasFocus());
        // A corner of the parent's margin, outside every child.
        EXPECT_TRUE(parent.repainted.contains(QPoint(2, 2)));
    }
}

TEST_F(DirViewsTest, ClosedDirectoriesEmptyBothPanes)
{
    CompareSmallTrees();
    auto tree = MakePane<CDirView>(0, true);
    auto list = MakePane<CDirListView>(0, true);
    ASSERT_GT(tree->topLevelItemCount(), 0);
    ASSERT_GT(list->topLevelItemCount(), 0);
    dirs_.ClearDirs();
    tree->OnUpdate(UpdateHint::DirResultChanged);
    list->OnUpdate(UpdateHint::DirResultChanged);
    EXPECT_EQ(tree->topLevelItemCount(), 0);
    EXPECT_EQ(list->topLevelItemCount(), 0);
    EXPECT_EQ(list->headerItem()->text(0).toStdString(), "Files");
}

} // namespace
