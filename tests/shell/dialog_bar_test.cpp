#include "shell/dialog_bar.h"
#include "shell/frame_settings.h"
#include "tests/shell/main_frame_fixture.h"

#include <QCheckBox>
#include <QComboBox>

namespace {

// The bar's lists in the order it shows them: directory type, directory
// mode, sort order, file mode.
std::vector<QComboBox*> Lists(const CDialogBar& bar)
{
    const QList<QComboBox*> lists = bar.findChildren<QComboBox*>();
    return {lists.begin(), lists.end()};
}

TEST(DialogBarTest, ShowsTheSettingsAndWhatCanBeChosen)
{
    App();
    CFrameSettings settings;
    settings.dirViewType = 1;
    settings.txtViewMode = 0;
    settings.txtOverview = false;
    CDialogBar bar(settings);
    const std::vector<QComboBox*> lists = Lists(bar);
    ASSERT_EQ(lists.size(), 4u);
    auto* overview = bar.findChild<QCheckBox*>();
    ASSERT_NE(overview, nullptr);
    EXPECT_EQ(lists[0]->currentText(), "Directory List");
    EXPECT_EQ(lists[1]->currentText(), "Composite Directory");
    EXPECT_EQ(lists[2]->currentText(), "Sort by Name");
    EXPECT_EQ(lists[3]->currentText(), "Composite File");
    EXPECT_EQ(overview->text(), "File Overview");
    EXPECT_FALSE(overview->isChecked());

    struct SHOWN
    {
        const char* name;
        bool dirsShown;
        int fileCount;
    };
    for (const SHOWN& s : std::vector<SHOWN>{{"nothing", false, 0},
                                             {"directories", true, 0},
                                             {"one file", false, 1},
                                             {"two files", false, 2},
                                             {"both", true, 2}}) {
        SCOPED_TRACE(s.name);
        settings.dirSort = s.fileCount % 2;
        bar.Sync(settings, s.dirsShown, s.fileCount);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(lists[static_cast<std::size_t>(i)]->isEnabled(), s.dirsShown) << i;
        EXPECT_EQ(lists[3]->isEnabled(), s.fileCount == 2);
        EXPECT_EQ(overview->isEnabled(), s.fileCount == 2);
        EXPECT_EQ(lists[2]->currentIndex(), settings.dirSort);
    }
}

TEST(DialogBarTest, TellsTheUsersChoicesButNotItsOwnSync)
{
    App();
    CFrameSettings settings;
    CDialogBar bar(settings);
    std::vector<std::string> heard;
    const auto hear = [&heard](const char* what) {
        return [&heard, what](int value) { heard.push_back(what + std::to_string(value)); };
    };
    QObject::connect(&bar, &CDialogBar::DirViewTypeChosen, hear("type "));
    QObject::connect(&bar, &CDialogBar::DirViewModeChosen, hear("mode "));
    QObject::connect(&bar, &CDialogBar::DirSortChosen, hear("sort "));
    QObject::connect(&bar, &CDialogBar::TxtViewModeChosen, hear("files "));
    QObject::connect(&bar, &CDialogBar::OverviewToggled, [&heard] { heard.push_back("overview"); });

    settings.dirViewType = 1;
    settings.dirViewMode = 1;
    settings.dirSort = 1;
    settings.txtViewMode = 0;
    settings.txtOverview = false;
    bar.Sync(settings, true, 2);
    EXPECT_TRUE(heard.empty());

    const std::vector<QComboBox*> lists = Lists(bar);
    for (QComboBox* list : lists)
        emit list->activated(0);
    bar.findChild<QCheckBox*>()->click();
    EXPECT_EQ(heard,
              (std::vector<std::string>{"type 0", "mode 0", "sort 0", "files 0", "overview"}));
}

} // namespace
