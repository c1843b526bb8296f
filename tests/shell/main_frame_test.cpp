#include "directory/folder_opener.h"
#include "shell/dialog_bar.h"
#include "shell/kelm_app.h"
#include "tests/shell/main_frame_fixture.h"

#include <QCheckBox>
#include <QComboBox>

#include <cerrno>
#include <string_view>

namespace {

using P = PaneClass;

TEST_F(MainFrameTest, PaneRowsFollowWhatIsShownAndTheLayout)
{
    EXPECT_EQ(Row(), std::vector<P>{P::License});
    frame_->CompareFiles(Write("a.txt", "a\nb\nc\n"), Write("b.txt", "a\nx\nc\n"));
    EXPECT_EQ(Row(), (std::vector<P>{P::Diff, P::Overview, P::Diff}));
    const CPaneRow& panes = frame_->Panes();
    EXPECT_EQ(static_cast<QWidget*>(panes.FindDiffView(1)), panes.Splitter().GetPane(2));
    EXPECT_EQ(static_cast<QWidget*>(panes.GetFirstDiffView()), panes.Splitter().GetPane(0));
    EXPECT_EQ(hints_.back(), UpdateHint::AppearanceChanged | UpdateHint::IconColorsChanged);

    frame_->Actions().filesComposite->trigger();
    EXPECT_EQ(Row(), (std::vector<P>{P::Overview, P::Diff}));
    frame_->Actions().overview->trigger();
    EXPECT_EQ(Row(), std::vector<P>{P::Diff});
    frame_->Actions().closeFiles->trigger();
    EXPECT_EQ(Row(), std::vector<P>{P::License});
    EXPECT_EQ(frame_->FileCount(), 0);
}

TEST_F(MainFrameTest, ALayoutCommandThatChangesNothingSendsNothing)
{
    frame_->CompareFiles(Write("a.txt", "a\n"), Write("b.txt", "b\n"));
    hints_.clear();
    frame_->Actions().filesSideBySide->trigger();
    EXPECT_TRUE(hints_.empty());
    frame_->Actions().sortByStatus->trigger();
    EXPECT_EQ(hints_, std::vector<UpdateHints>{UpdateHint::DirSortChanged});
}

TEST_F(MainFrameTest, TheDialogBarSetsTheLayoutLikeTheMenu)
{
    frame_->CompareFiles(Write("a.txt", "a\n"), Write("b.txt", "b\n"));
    const QList<QComboBox*> lists = frame_->DialogBar().findChildren<QComboBox*>();
    ASSERT_EQ(lists.size(), 4);

    emit lists[3]->activated(0);
    EXPECT_EQ(Row(), (std::vector<P>{P::Overview, P::Diff}));
    EXPECT_TRUE(frame_->Actions().filesComposite->isChecked());
    frame_->DialogBar().findChild<QCheckBox*>()->click();
    EXPECT_EQ(Row(), std::vector<P>{P::Diff});
    EXPECT_FALSE(frame_->Actions().overview->isChecked());

    hints_.clear();
    emit lists[2]->activated(1);
    EXPECT_TRUE(frame_->Actions().sortByStatus->isChecked());
    EXPECT_EQ(hints_, std::vector<UpdateHints>{UpdateHint::DirSortChanged});
}

struct CommandState
{
    const char* name;
    bool closeFiles, closeDirectories, editFirst, editSecond, reload;
};

TEST_F(MainFrameTest, CommandsAreEnabledByWhatIsShown)
{
    const auto check = [this](const CommandState& s) {
        SCOPED_TRACE(s.name);
        const CFrameActions& a = frame_->Actions();
        EXPECT_EQ(a.closeFiles->isEnabled(), s.closeFiles);
        EXPECT_EQ(a.closeDirectories->isEnabled(), s.closeDirectories);
        EXPECT_EQ(a.editFirstFile->isEnabled(), s.editFirst);
        EXPECT_EQ(a.editSecondFile->isEnabled(), s.editSecond);
        EXPECT_EQ(a.reload->isEnabled(), s.reload);
        EXPECT_TRUE(a.compareFiles->isEnabled());
    };
    check({"nothing shown", false, false, false, false, false});
    frame_->ShowSingleFile(Write("one.txt", "1\n"));
    check({"one file", true, false, true, false, true});
    frame_->CompareFiles(Write("a.txt", "a\n"), Write("b.txt", "b\n"));
    check({"two files", true, false, true, true, true});
    const std::string first = Write("d1/x", "1");
    const std::string second = Write("d2/x", "2");
    frame_->CompareDirectories(dir_.filePath("d1").toStdString(),
                               dir_.filePath("d2").toStdString());
    check({"directories", false, true, false, false, true});
    EXPECT_EQ(Row(), std::vector<P>{P::DirTree});
}

// The window compares directories with the filter and the pairing of names
// of its settings, and a reload takes their current values.
TEST_F(MainFrameTest, DirectoriesFollowTheFilterAndNamePairingOfTheSettings)
{
    Write("d1/keep.c", "1");
    Write("d1/drop.o", "1");
    Write("d1/Readme", "r");
    Write("d2/keep.c", "1");
    Write("d2/README", "r");
    const std::string d1 = dir_.filePath("d1").toStdString();
    const std::string d2 = dir_.filePath("d2").toStdString();
    const auto names = [](const CDirNodeList& list) {
        std::vector<std::string> found;
        for (const auto& node : list.Nodes())
            found.push_back(node->name);
        return found;
    };

    doc_.settings.exclude = "*.o";
    frame_->CompareDirectories(d1, d2);
    ASSERT_TRUE(frame_->DirsShown());
    EXPECT_EQ(names(dirs_.firstList()), (std::vector<std::string>{"keep.c", "Readme"}));
    EXPECT_EQ(dirs_.firstList().FindByName("Readme")->counterpart, nullptr);

    doc_.settings.exclude.clear();
    doc_.settings.ignoreNameCase = true;
    frame_->OnReload();
    EXPECT_EQ(names(dirs_.firstList()), (std::vector<std::string>{"drop.o", "keep.c", "Readme"}));
    ASSERT_NE(dirs_.firstList().FindByName("Readme")->counterpart, nullptr);
    EXPECT_EQ(dirs_.firstList().FindByName("Readme")->counterpart->name, "README");
}

TEST_F(MainFrameTest, CommandsTellTheUserWhatWentWrong)
{
    const std::string a = Write("a.txt", "a\n");
    frame_->CompareFiles(a, a);
    EXPECT_EQ(seam_.messages, std::vector<QString>{"Cannot compare file with itself!"});

    Write("d/sub/f", "1");
    frame_->CompareDirectories(dir_.filePath("d").toStdString(),
                               dir_.filePath("d/sub").toStdString());
    frame_->CompareDirectories(dir_.filePath("d").toStdString(),
                               dir_.filePath("missing").toStdString());
    EXPECT_EQ(seam_.errors, (std::vector<QString>{"Overlapping directories cannot be compared!",
                                                  "Failed to compare directories!"}));
    EXPECT_FALSE(frame_->DirsShown());
    EXPECT_EQ(Row(), std::vector<P>{P::License});
}

// Folders that refuse to be listed, as permissions would refuse them: the
// tests may run as the superuser, whom permissions do not stop.
class RefusingOpener : public CFolderOpener
{
public:
    int Open(int parent, const char* name) const override
    {
        if (std::string_view(name).starts_with("locked")) {
            errno = EACCES;
            return -1;
        }
        return CFolderOpener::Open(parent, name);
    }
};

// What could not be read is shown in one message after the result, each
// entry with the reason; a long list is cut short. A reload says it again.
TEST_F(MainFrameTest, EntriesThatCannotBeReadAreListedInOneMessageAfterTheRun)
{
    Write("d1/same", "s");
    Write("d2/same", "s");
    for (int i = 10; i < 33; ++i)
        Write("d1/locked" + std::to_string(i) + "/f", "1");
    Write("d2/locked10/f", "1");
    const RefusingOpener opener;
    dirs_.SetFolderOpener(opener);
    const std::string d1 = dir_.filePath("d1").toStdString();
    const std::string d2 = dir_.filePath("d2").toStdString();

    frame_->CompareDirectories(d1, d2);

    EXPECT_TRUE(frame_->DirsShown());
    EXPECT_FALSE(dirs_.dirsIdentical);
    ASSERT_EQ(seam_.errors.size(), 1U);
    QString expected = QStringLiteral("These entries could not be read:");
    for (int i = 10; i < 30; ++i)
        expected +=
            QStringLiteral("\n%1/locked%2 (Permission denied)").arg(dir_.filePath("d1")).arg(i);
    expected += QStringLiteral("\nand 4 more");
    EXPECT_EQ(seam_.errors[0], expected);

    frame_->OnReload();
    EXPECT_EQ(seam_.errors.size(), 2U);
    dirs_.SetFolderOpener(CFolderOpener::System());
    frame_->CompareDirectories(d1, d2);
    EXPECT_EQ(seam_.errors.size(), 2U) << "nothing unreadable, no message";
}

TEST_F(MainFrameTest, ChoosersAskForTheOldThenTheNewInput)
{
    seam_.answers = {Write("a.txt", "a\n"), Write("b.txt", "b\n")};
    frame_->Actions().compareFiles->trigger();
    EXPECT_EQ(seam_.titles,
              (std::vector<QString>{"Select first (old) file", "Select second (new) file"}));
    EXPECT_EQ(frame_->FileCount(), 2);
    EXPECT_FALSE(frame_->FirstPathText().isEmpty());

    seam_.titles.clear();
    seam_.answers = {std::nullopt};
    frame_->Actions().compareDirectories->trigger();
    EXPECT_EQ(seam_.titles, std::vector<QString>{"Select first (old) directory."});
    EXPECT_EQ(frame_->FileCount(), 2);
}

TEST_F(MainFrameTest, EditOpensTheFileOrSaysWhyNot)
{
    frame_->CompareFiles(Write("a.txt", "a\n"), Write("b.txt", "b\n"));
    frame_->Actions().editSecondFile->trigger();
    ASSERT_EQ(seam_.opened.size(), 1u);
    EXPECT_TRUE(seam_.opened[0].toLocalFile().endsWith("b.txt"));
    seam_.openSucceeds = false;
    frame_->Actions().editFirstFile->trigger();
    EXPECT_EQ(seam_.messages,
              std::vector<QString>{"There is no editor defined for this type of file!"});
}

struct StartCase
{
    const char* name;
    std::vector<std::string> paths;
    std::vector<QString> messages;
    int fileCount;
    bool dirsShown;
};

TEST_F(MainFrameTest, CommandLineChecksBothPathsFirst)
{
    const std::string a = Write("a.txt", "a\n");
    const std::string b = Write("b.txt", "b\n");
    Write("d1/x", "1");
    Write("d2/x", "1");
    Write("d3/a.txt", "changed\n");
    const std::string d1 = dir_.filePath("d1").toStdString();
    const std::string d2 = dir_.filePath("d2").toStdString();
    const std::string d3 = dir_.filePath("d3").toStdString();
    const std::string missing = dir_.filePath("missing").toStdString();
    const std::vector<StartCase> cases = {
        {"one path", {a}, {}, 0, false},
        {"missing first",
         {missing, missing + "2"},
         {QString("Failed to read %1!").arg(QString::fromStdString(missing))},
         0,
         false},
        {"missing second",
         {a, missing},
         {QString("Failed to read %1!").arg(QString::fromStdString(missing))},
         0,
         false},
        {"file and directory without it",
         {a, d1},
         {QString("Failed to read %1/a.txt!").arg(QString::fromStdString(d1))},
         0,
         false},
        {"file and directory holding one of its name", {a, d3}, {}, 2, false},
        {"directory and file", {d3, a}, {}, 2, false},
        {"same file", {a, a}, {"Cannot compare file with itself!"}, 0, false},
        {"two files", {a, b}, {}, 2, false},
        {"two directories", {d1, d2}, {}, 0, true},
    };
    for (const StartCase& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingFrameSeam seam;
        CDiffDoc doc(userSeam_);
        CDirComparison dirs(dirSeam_);
        CMainFrame frame(doc, dirs, seam, store_);
        CKelmApp::CompareFromCommandLine(frame, doc, seam, c.paths);
        EXPECT_EQ(seam.messages, c.messages);
        EXPECT_EQ(frame.FileCount(), c.fileCount);
        EXPECT_EQ(frame.DirsShown(), c.dirsShown);
    }
}

TEST_F(MainFrameTest, SettingsAreWrittenBackWhenTheWindowCloses)
{
    frame_.reset();
    store_.setValue("Settings/ShowAscii", 2);
    store_.setValue("Settings/TxtViewMode", 0);
    store_.setValue("Window size/Rect", "0010 0010 0500 0400");
    RecordingFrameSeam seam;
    {
        CMainFrame frame(doc_, dirs_, seam, store_);
        EXPECT_FALSE(frame.Appearance().GetShowAscii());
        EXPECT_TRUE(frame.IsTxtComposite());
    }
    EXPECT_EQ(store_.value("Settings/ShowAscii").toInt(), 0);
    EXPECT_EQ(store_.value("Settings/TxtViewMode").toInt(), 0);
    EXPECT_EQ(store_.value("Settings/FontName").toString(), QStringLiteral("Courier New"));
    EXPECT_EQ(store_.value("Window size/Rect").toString().size(), 19);
}

} // namespace
