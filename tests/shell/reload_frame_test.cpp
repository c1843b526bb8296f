#include "tests/shell/main_frame_fixture.h"

#include <functional>

namespace {

using P = PaneClass;

// Reload (F5) reads what is shown from disk again: the files, the directory
// trees, or both when a file was opened from the trees.
class ReloadFrameTest : public MainFrameTest
{
protected:
    std::string Path(const std::string& name) const
    {
        return dir_.filePath(name.c_str()).toStdString();
    }

    // Two trees, each holding a file x, under folder.
    void ShowDirectories(const std::string& folder = ".")
    {
        Write(folder + "/d1/x", "1");
        Write(folder + "/d2/x", "2");
        frame_->CompareDirectories(Path(folder + "/d1"), Path(folder + "/d2"));
    }

    void Reload()
    {
        ASSERT_TRUE(frame_->Actions().reload->isEnabled());
        frame_->Actions().reload->trigger();
    }

    // The rows the file has now, as a document that opens it afresh counts
    // them.
    long long RowsOnDisk(const std::string& path)
    {
        CDiffDoc fresh(userSeam_);
        EXPECT_TRUE(fresh.OpenSingleFile(path));
        return fresh.firstBuf() ? fresh.firstBuf()->GetCount() : -1;
    }

    bool Heard(UpdateHint hint) const
    {
        for (UpdateHints hints : hints_) {
            if (hints.testFlag(hint))
                return true;
        }
        return false;
    }
};

TEST_F(ReloadFrameTest, TwoFilesAreReadAgain)
{
    const std::string a = Write("a.txt", "a\nb\n");
    const std::string b = Write("b.txt", "a\nb\n");
    frame_->CompareFiles(a, b);
    const QString firstText = frame_->FirstPathText();
    const QString secondText = frame_->SecondPathText();
    Write("b.txt", "a\nx\nb\n");
    ASSERT_NE(doc_.secondBuf()->GetCount(), RowsOnDisk(b));
    hints_.clear();

    Reload();

    ASSERT_NE(doc_.secondBuf(), nullptr);
    EXPECT_EQ(doc_.secondBuf()->GetCount(), RowsOnDisk(b));
    EXPECT_EQ(frame_->FileCount(), 2);
    EXPECT_EQ(Row(), (std::vector<P>{P::Diff, P::Overview, P::Diff}));
    EXPECT_EQ(frame_->FirstPathText(), firstText);
    EXPECT_EQ(frame_->SecondPathText(), secondText);
    EXPECT_TRUE(Heard(UpdateHint::FileResultChanged));
}

TEST_F(ReloadFrameTest, ASingleFileIsReadAgain)
{
    const std::string one = Write("one.txt", "1\n");
    frame_->ShowSingleFile(one);
    Write("one.txt", "1\n2\n3\n");
    ASSERT_NE(doc_.firstBuf()->GetCount(), RowsOnDisk(one));

    Reload();

    ASSERT_NE(doc_.firstBuf(), nullptr);
    EXPECT_EQ(doc_.firstBuf()->GetCount(), RowsOnDisk(one));
    EXPECT_EQ(frame_->FileCount(), 1);
    EXPECT_EQ(Row(), std::vector<P>{P::Diff});
    EXPECT_EQ(frame_->SecondPathText(), QString::fromStdString(one));
}

TEST_F(ReloadFrameTest, DirectoriesAreScannedAgain)
{
    ShowDirectories();
    ASSERT_EQ(dirs_.secondList().GetCount(), 1);
    Write("d2/y", "new");
    hints_.clear();

    Reload();

    EXPECT_EQ(dirs_.secondList().GetCount(), 2);
    EXPECT_TRUE(frame_->DirsShown());
    EXPECT_EQ(Row(), std::vector<P>{P::DirTree});
    EXPECT_TRUE(Heard(UpdateHint::DirResultChanged));
    EXPECT_TRUE(seam_.errors.empty());
}

TEST_F(ReloadFrameTest, DirectoriesAndTheFileOpenedFromThemAreReadAgain)
{
    ShowDirectories();
    frame_->CompareFiles(Path("d1/x"), Path("d2/x"));
    Write("d2/x", "2\n3\n");
    ASSERT_NE(doc_.secondBuf()->GetCount(), RowsOnDisk(Path("d2/x")));
    Write("d1/y", "only in the first");

    Reload();

    EXPECT_EQ(dirs_.firstList().GetCount(), 2);
    ASSERT_NE(doc_.secondBuf(), nullptr);
    EXPECT_EQ(doc_.secondBuf()->GetCount(), RowsOnDisk(Path("d2/x")));
    EXPECT_TRUE(frame_->DirsShown());
    EXPECT_EQ(frame_->FileCount(), 2);
}

struct FailedReload
{
    const char* name;
    // Shows something from the files and folders under a folder of its own.
    std::function<void(const std::string& folder)> show;
    const char* removed; // relative to that folder
    bool unreadableFile; // the document tells which file it could not read
};

TEST_F(ReloadFrameTest, AFailedReloadGoesBackToTheStartView)
{
    const auto twoFiles = [this](const std::string& folder) {
        frame_->CompareFiles(Write(folder + "/a.txt", "a\n"), Write(folder + "/b.txt", "b\n"));
    };
    const auto directories = [this](const std::string& folder) { ShowDirectories(folder); };
    const std::vector<FailedReload> cases = {
        {"first of two files", twoFiles, "a.txt", true},
        {"second of two files", twoFiles, "b.txt", true},
        {"a single file",
         [this](const std::string& folder) { frame_->ShowSingleFile(Write(folder + "/one", "1")); },
         "one", true},
        {"first directory", directories, "d1", false},
        {"second directory", directories, "d2", false},
        {"a file opened from the directories",
         [this](const std::string& folder) {
             ShowDirectories(folder);
             frame_->CompareFiles(Path(folder + "/d1/x"), Path(folder + "/d2/x"));
         },
         "d2/x", true},
    };
    for (const FailedReload& c : cases) {
        SCOPED_TRACE(c.name);
        // Each case starts in a window of its own.
        frame_ = std::make_unique<CMainFrame>(doc_, dirs_, seam_, store_);
        const std::string folder = c.name;
        c.show(folder);
        ASSERT_NE(Row(), std::vector<P>{P::License});
        const std::string removed = Path(folder + "/" + c.removed);
        std::filesystem::remove_all(removed);
        userSeam_.ClearMessages();

        Reload();

        EXPECT_EQ(Row(), std::vector<P>{P::License});
        EXPECT_TRUE(frame_->FirstPathText().isEmpty());
        EXPECT_TRUE(frame_->SecondPathText().isEmpty());
        EXPECT_EQ(frame_->FileCount(), 0);
        EXPECT_FALSE(frame_->DirsShown());
        const CFrameActions& a = frame_->Actions();
        EXPECT_FALSE(a.closeFiles->isEnabled());
        EXPECT_FALSE(a.closeDirectories->isEnabled());
        EXPECT_FALSE(a.editFirstFile->isEnabled());
        EXPECT_FALSE(a.reload->isEnabled());
        const QStringList expected =
            c.unreadableFile
                ? QStringList{QString("Failed to read %1!\n").arg(QString::fromStdString(removed))}
                : QStringList{};
        EXPECT_EQ(userSeam_.Messages(), expected);
    }
}

} // namespace
