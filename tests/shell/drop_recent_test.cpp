#include "shell/recent_list.h"
#include "tests/shell/main_frame_fixture.h"

#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

namespace {

using Pair = CRecentList::PAIR;

class DropRecentTest : public MainFrameTest
{
protected:
    // Drops the paths on the window as a file manager would, in this order,
    // and lets the window answer once the drop is over.
    bool Drop(const std::vector<std::string>& paths)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const std::string& path : paths)
            urls.append(QUrl::fromLocalFile(QString::fromStdString(path)));
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(frame_.get(), &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(frame_.get(), &drop);
        QCoreApplication::processEvents();
        return drop.isAccepted();
    }

    void Restart()
    {
        frame_.reset();
        frame_ = std::make_unique<CMainFrame>(doc_, dirs_, seam_, store_);
    }

    QStringList RecentMenuTexts() const
    {
        QStringList texts;
        for (QAction* action : frame_->Actions().recentMenu->actions())
            texts.append(action->text());
        return texts;
    }
};

TEST_F(DropRecentTest, TwoDroppedFilesAreComparedFirstDroppedOld)
{
    const std::string old = Write("old.txt", "a\nb\n");
    const std::string fresh = Write("new.txt", "a\nc\nd");
    ASSERT_TRUE(Drop({old, fresh}));
    EXPECT_EQ(frame_->FileCount(), 2);
    EXPECT_EQ(doc_.firstBuf()->path(), old);
    EXPECT_EQ(doc_.secondBuf()->GetCount(), 3);
    EXPECT_TRUE(seam_.titles.empty());
}

TEST_F(DropRecentTest, OneDroppedPathAsksForItsPartner)
{
    const std::string old = Write("one/a.txt", "a\n");
    const std::string fresh = Write("two/a.txt", "b\n");
    seam_.answers.push_back(fresh);
    ASSERT_TRUE(Drop({old}));
    EXPECT_EQ(seam_.titles, std::vector<QString>{"Select second (new) file"});
    EXPECT_EQ(frame_->FileCount(), 2);

    const std::string base = dir_.path().toStdString();
    seam_.answers.push_back(base + "/two");
    ASSERT_TRUE(Drop({base + "/one"}));
    EXPECT_EQ(seam_.titles.back(), "Select second (new) directory.");
    EXPECT_TRUE(frame_->DirsShown());
}

TEST_F(DropRecentTest, AFileWithAFolderOrThreePathsAreRefusedWithAMessage)
{
    const std::string file = Write("one/a.txt", "a\n");
    const std::string folder = dir_.path().toStdString() + "/one";
    for (const std::vector<std::string>& paths :
         {std::vector<std::string>{file, folder}, std::vector<std::string>{file, file, file}}) {
        seam_.messages.clear();
        Drop(paths);
        EXPECT_EQ(seam_.messages,
                  std::vector<QString>{"Drop two files or two folders to compare them."});
        EXPECT_EQ(frame_->FileCount(), 0);
    }
}

TEST_F(DropRecentTest, NothingButLocalPathsIsTaken)
{
    QMimeData data;
    data.setUrls({QUrl(QStringLiteral("https://example.invalid/a.txt"))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame_.get(), &enter);
    EXPECT_FALSE(enter.isAccepted());
}

TEST_F(DropRecentTest, TheRecentListSurvivesARestartAndReopensItsPairs)
{
    const std::string a = Write("a.txt", "a\n");
    const std::string b = Write("b.txt", "b\n");
    Write("one/x.txt", "x\n");
    Write("two/x.txt", "y\n");
    const std::string base = dir_.path().toStdString();
    EXPECT_FALSE(frame_->Actions().recentMenu->isEnabled());
    frame_->CompareFiles(a, b);
    frame_->CompareDirectories(base + "/one", base + "/two");
    // Files opened from the folders shown are not pairs the user named.
    frame_->CompareFiles(base + "/one/x.txt", base + "/two/x.txt");
    Restart();

    const std::vector<Pair> expected{{base + "/one", base + "/two", true}, {a, b, false}};
    EXPECT_EQ(frame_->Recent().Pairs(), expected);
    EXPECT_TRUE(frame_->Actions().recentMenu->isEnabled());
    ASSERT_EQ(RecentMenuTexts().size(), 4); // two pairs, a separator, Clear List
    EXPECT_TRUE(RecentMenuTexts()[0].startsWith("&1 "));

    frame_->Actions().recentMenu->actions()[1]->trigger();
    EXPECT_EQ(frame_->FileCount(), 2);
    EXPECT_FALSE(frame_->DirsShown());
    // Reopening puts the pair first.
    EXPECT_EQ(frame_->Recent().Pairs().front(), expected[1]);
    frame_->OpenRecent(1);
    EXPECT_TRUE(frame_->DirsShown());
}

TEST_F(DropRecentTest, APairThatNoLongerExistsSaysSoAndKeepsWhatIsShown)
{
    const std::string a = Write("a.txt", "a\n");
    const std::string b = Write("b.txt", "b\n");
    frame_->CompareFiles(a, b);
    frame_->OnCloseFiles();
    std::filesystem::remove(b);
    frame_->OpenRecent(0);
    ASSERT_EQ(seam_.messages.size(), 1u);
    EXPECT_TRUE(seam_.messages[0].contains("b.txt"));
    EXPECT_TRUE(seam_.messages[0].contains("no longer exists"));
    EXPECT_EQ(frame_->FileCount(), 0);
}

TEST(RecentListTest, KeepsTheLastTenDistinctPairsNewestFirst)
{
    CRecentList list;
    for (int i = 0; i < 12; ++i)
        list.Add({"/a" + std::to_string(i), "/b", false});
    ASSERT_EQ(list.Pairs().size(), CRecentList::kMaxPairs);
    EXPECT_EQ(list.Pairs().front().first, "/a11");
    EXPECT_EQ(list.Pairs().back().first, "/a2");
    list.Add({"/a5", "/b", false});
    EXPECT_EQ(list.Pairs().size(), CRecentList::kMaxPairs);
    EXPECT_EQ(list.Pairs().front().first, "/a5");
    // The same paths as folders are another pair.
    list.Add({"/a5", "/b", true});
    EXPECT_EQ(list.Pairs()[1], (Pair{"/a5", "/b", false}));
}

TEST(RecentListTest, AStoreEditedByHandLoadsWhatMakesSense)
{
    App();
    QTemporaryDir dir;
    QSettings store(dir.filePath("Varnel.conf"), QSettings::IniFormat);
    store.beginGroup("Recent Comparisons");
    store.setValue("Count", 99);
    store.setValue("First1", "/x");
    store.setValue("Second1", "/y");
    store.setValue("First2", "/only-one");
    store.setValue("First3", "/x");
    store.setValue("Second3", "/y");
    store.setValue("First4", "/p");
    store.setValue("Second4", "/q");
    store.setValue("Folders4", 1);
    store.endGroup();
    CRecentList list;
    list.Load(store);
    EXPECT_EQ(list.Pairs(), (std::vector<Pair>{{"/x", "/y", false}, {"/p", "/q", true}}));
    // Saving a shorter list leaves no stale entries behind.
    list.Clear();
    list.Save(store);
    list.Add({"/z", "/w", false});
    list.Load(store);
    EXPECT_TRUE(list.Pairs().empty());
}

} // namespace
