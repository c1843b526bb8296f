#include "shell/find_bar.h"
#include "tests/shell/main_frame_fixture.h"

#include <QInputDevice>

#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStatusBar>

namespace {

class CopyFindTest : public MainFrameTest
{
protected:
    // A shown window makes Qt register input devices as children of the
    // application; they must go before Qt's globals do at the program's end.
    ~CopyFindTest() override
    {
        frame_.reset();
        qDeleteAll(qApp->findChildren<QInputDevice*>(Qt::FindDirectChildrenOnly));
    }

    void CompareLines()
    {
        frame_->CompareFiles(Write("old.txt", "one\nTwo\nthree\nfour\ntwo\n"),
                             Write("new.txt", "one\nTwo\nthree\nFOUR\ntwo\n"));
        ASSERT_EQ(frame_->FileCount(), 2);
        frame_->show();
    }

    void PressInFindBar(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QLineEdit* edit = frame_->FindBar().findChild<QLineEdit*>();
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QCoreApplication::sendEvent(edit, &press);
    }

    long long SelectedRow() const { return frame_->ActiveDiffView()->Selection().First(); }
};

TEST_F(CopyFindTest, CopyPutsTheActivePanesSelectedRowsOnTheClipboard)
{
    CompareLines();
    EXPECT_FALSE(frame_->Actions().copy->shortcuts().isEmpty());
    CDiffView* right = frame_->Panes().FindDiffView(1);
    frame_->Panes().Splitter().SetActivePane(2);
    ASSERT_EQ(frame_->ActiveDiffView(), right);
    right->SelectRows(2, 3);
    QGuiApplication::clipboard()->setText("before");
    frame_->Actions().copy->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "three\nFOUR\n");

    frame_->Actions().selectAll->trigger();
    EXPECT_EQ(right->Selection().First(), 0);
    EXPECT_TRUE(frame_->Panes().FindDiffView(0)->Selection().IsEmpty());

    // With nothing shown the commands are off, and so are their keys.
    frame_->Actions().closeFiles->trigger();
    for (QAction* action : {frame_->Actions().copy, frame_->Actions().selectAll,
                            frame_->Actions().find, frame_->Actions().findNext})
        EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
}

TEST_F(CopyFindTest, TheFindBarFindsOnEnterBackOnShiftEnterAndWraps)
{
    CompareLines();
    EXPECT_TRUE(frame_->FindBar().isHidden());
    EXPECT_EQ(frame_->Actions().find->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
    EXPECT_FALSE(
        frame_->Actions().compareFiles->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_F)));
    frame_->Panes().Splitter().SetActivePane(0);
    frame_->Actions().find->trigger();
    ASSERT_FALSE(frame_->FindBar().isHidden());
    frame_->FindBar().SetText("two");

    PressInFindBar(Qt::Key_Return);
    EXPECT_EQ(SelectedRow(), 1);
    PressInFindBar(Qt::Key_Return);
    EXPECT_EQ(SelectedRow(), 4);
    PressInFindBar(Qt::Key_Return);
    EXPECT_EQ(SelectedRow(), 1);
    EXPECT_EQ(frame_->statusBar()->currentMessage(), "Passed the end; found from the start");
    PressInFindBar(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(SelectedRow(), 4);
    EXPECT_EQ(frame_->statusBar()->currentMessage(), "Passed the start; found from the end");

    frame_->FindBar().SetMatchCase(true);
    frame_->Actions().findNext->trigger();
    EXPECT_EQ(SelectedRow(), 4);
    frame_->FindBar().SetText("Two");
    frame_->Actions().findPrevious->trigger();
    EXPECT_EQ(SelectedRow(), 1);
    frame_->FindBar().SetText("FOUR");
    EXPECT_FALSE(frame_->FindAgain(true));
    EXPECT_TRUE(frame_->statusBar()->currentMessage().contains("was not found"));

    // Escape closes the bar and leaves the files shown.
    PressInFindBar(Qt::Key_Escape);
    EXPECT_TRUE(frame_->FindBar().isHidden());
    EXPECT_EQ(frame_->FileCount(), 2);
}

TEST_F(CopyFindTest, AMatchComesToTheReadingLine)
{
    std::string many;
    for (int i = 0; i < 300; ++i)
        many += "line " + std::to_string(i) + "\n";
    frame_->CompareFiles(Write("a.txt", many), Write("b.txt", many + "end\n"));
    frame_->show();
    frame_->Panes().Splitter().SetActivePane(0);
    frame_->FindBar().SetText("line 250");
    ASSERT_TRUE(frame_->FindAgain(true));
    CDiffView* view = frame_->ActiveDiffView();
    EXPECT_EQ(view->Selection().First(), 250);
    EXPECT_EQ(view->ReadingLineRow(), 250);
}

} // namespace
