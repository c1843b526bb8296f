#include "shell/change_watcher.h"
#include "shell/file_change_bar.h"
#include "tests/shell/main_frame_fixture.h"

#include <QInputDevice>

#include <QtCore/qtestsupport_core.h>

#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;

// Waits as the event loop runs; the file system reports changes through it.
bool WaitFor(const std::function<bool()>& done)
{
    return QTest::qWaitFor(done, 5000);
}

class FileChangeTest : public MainFrameTest
{
protected:
    // A shown window makes Qt register input devices as children of the
    // application; they must go before Qt's globals do at the program's end.
    ~FileChangeTest() override
    {
        frame_.reset();
        qDeleteAll(qApp->findChildren<QInputDevice*>(Qt::FindDirectChildrenOnly));
    }

    void Compare()
    {
        first_ = Write("old.txt", "a\nb\nc\n");
        second_ = Write("new.txt", "a\nx\nc\n");
        frame_->CompareFiles(first_, second_);
        ASSERT_EQ(frame_->FileCount(), 2);
        ASSERT_EQ(frame_->Watcher().Paths().size(), 2);
    }
    const CFileChangeBar& Bar() const { return frame_->ChangeBar(); }

    std::string first_;
    std::string second_;
};

TEST_F(FileChangeTest, ARewrittenFileRaisesTheBarWithReload)
{
    Compare();
    EXPECT_TRUE(Bar().isHidden());
    Write("new.txt", "a\ny\nc\nd\n");
    ASSERT_TRUE(WaitFor([&] { return !Bar().isHidden(); }));
    EXPECT_TRUE(Bar().OffersReload());
    EXPECT_EQ(Bar().Text(), QString::fromStdString(second_) + " changed on disk.");
    // Not reloaded by itself: the old result stays until asked. (Each file
    // ends in a line break, which starts an empty last line.)
    EXPECT_EQ(doc_.secondBuf()->GetCount(), 4);

    frame_->Actions().reload->trigger();
    EXPECT_TRUE(Bar().isHidden());
    EXPECT_EQ(doc_.secondBuf()->GetCount(), 5);
}

// Editors save by writing a new file and renaming it over the old one; the
// watch must follow the name, not the old file.
TEST_F(FileChangeTest, AFileReplacedByRenameIsStillWatched)
{
    Compare();
    for (const char* content : {"first save\n", "second save\n"}) {
        const std::string temporary = Write("new.txt.tmp", content);
        std::filesystem::rename(temporary, second_);
        ASSERT_TRUE(WaitFor([&] { return !Bar().isHidden(); })) << content;
        EXPECT_TRUE(Bar().OffersReload());
        frame_->Actions().reload->trigger();
        ASSERT_TRUE(Bar().isHidden());
        ASSERT_TRUE(WaitFor([&] {
            return frame_->Watcher().Paths().size() == 2 && frame_->Watcher().Missing().isEmpty();
        }));
    }
}

TEST_F(FileChangeTest, AVanishedFileKeepsTheResultAndSaysSo)
{
    Compare();
    std::filesystem::remove(first_);
    ASSERT_TRUE(WaitFor([&] { return Bar().Text().contains("no longer exists"); }));
    EXPECT_TRUE(Bar().Text().contains("old.txt"));
    EXPECT_FALSE(Bar().OffersReload());
    // Even once quiet, and reloading automatically, the result stays.
    frame_->Actions().reloadAutomatically->trigger();
    QTest::qWait(CChangeWatcher::kQuietMs * 2);
    EXPECT_EQ(frame_->FileCount(), 2);
    ASSERT_NE(doc_.firstBuf(), nullptr);
    EXPECT_EQ(doc_.firstBuf()->GetCount(), 4);
    EXPECT_TRUE(seam_.messages.empty());

    // When it comes back, Reload is offered again.
    Write("old.txt", "a\n");
    ASSERT_TRUE(WaitFor([&] { return Bar().OffersReload(); }));
}

TEST_F(FileChangeTest, ReloadAutomaticallyReloadsOnceQuietAndIsStored)
{
    EXPECT_FALSE(frame_->ReloadsAutomatically());
    EXPECT_FALSE(frame_->Actions().reloadAutomatically->isChecked());
    frame_->Actions().reloadAutomatically->trigger();
    EXPECT_TRUE(frame_->Actions().reloadAutomatically->isChecked());
    Compare();
    Write("new.txt", "a\ny\nc\nd\n");
    ASSERT_EQ(doc_.secondBuf()->GetCount(), 4);
    ASSERT_TRUE(WaitFor([&] { return doc_.secondBuf() && doc_.secondBuf()->GetCount() == 5; }));
    EXPECT_TRUE(Bar().isHidden());

    // A long file reloaded by itself stays where the user was reading.
    std::string lines;
    for (int i = 0; i < 400; ++i)
        lines += "line " + std::to_string(i) + "\n";
    frame_->CompareFiles(Write("old.txt", lines), Write("new.txt", lines));
    frame_->show();
    CDiffView* view = frame_->Panes().FindDiffView(1);
    view->ShowRowAtReadingLine(200);
    ASSERT_EQ(view->ReadingLineRow(), 200);
    Write("new.txt", "first\n" + lines);
    ASSERT_TRUE(WaitFor([&] { return doc_.secondBuf()->GetCount() == 402; }));
    EXPECT_NEAR(static_cast<double>(view->ReadingLineRow()), 200.0, 2.0);

    frame_.reset();
    frame_ = std::make_unique<CMainFrame>(doc_, dirs_, seam_, store_);
    EXPECT_TRUE(frame_->ReloadsAutomatically());
    EXPECT_TRUE(frame_->Actions().reloadAutomatically->isChecked());
}

TEST_F(FileChangeTest, ClosingTheFilesStopsWatching)
{
    Compare();
    frame_->Actions().closeFiles->trigger();
    EXPECT_TRUE(frame_->Watcher().Paths().isEmpty());
    Write("new.txt", "changed\n");
    QTest::qWait(200);
    EXPECT_TRUE(Bar().isHidden());
}

TEST_F(FileChangeTest, ComparedFoldersAreWatched)
{
    Write("one/a.txt", "a\n");
    Write("two/a.txt", "a\n");
    const std::string base = dir_.path().toStdString();
    frame_->CompareDirectories(base + "/one", base + "/two");
    ASSERT_TRUE(frame_->DirsShown());
    EXPECT_EQ(frame_->Watcher().Paths().size(), 2);
    Write("two/b.txt", "b\n");
    ASSERT_TRUE(WaitFor([&] { return Bar().OffersReload(); }));
    EXPECT_TRUE(Bar().Text().contains("two"));

    // A file replaced deeper in a compared tree is a change of that tree.
    Write("one/deep/er/c.txt", "c\n");
    QTest::qWait(300);
    frame_->Actions().reload->trigger();
    QTest::qWait(300);
    ASSERT_TRUE(Bar().isHidden());
    const std::string temporary = Write("one/deep/er/c.tmp", "changed\n");
    std::filesystem::rename(temporary, base + "/one/deep/er/c.txt");
    ASSERT_TRUE(WaitFor([&] { return Bar().OffersReload(); }));
    EXPECT_TRUE(Bar().Text().contains("one"));
}

} // namespace
