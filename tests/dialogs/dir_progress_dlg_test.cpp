#include "dialogs/dir_progress_dlg.h"
#include "directory/dir_classifier.h"
#include "engine/worker.h"
#include "tests/dialogs/test_app.h"
#include "tests/directory/tree_fixture.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stop_token>
#include <string>
#include <vector>

namespace {

// Far beyond any run of these tests: a dialog still open then has failed.
constexpr int kWatchdogMs = 60000;

void PressKey(QWidget* target, Qt::Key key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &release);
}

// Two scanned trees and their classifier, ready for the dialog.
class DirProgressDlgTest : public ::testing::Test
{
protected:
    void SetUp() override { TestApp(); }

    CDirClassifier& Classifier(const std::vector<TreeEntry>& firstTree,
                               const std::vector<TreeEntry>& secondTree)
    {
        // Each pair of trees gets folders of its own: a test may build several.
        worker_.reset();
        const std::string run = std::to_string(++runs_);
        EXPECT_TRUE(first_.Scan(folder_.Build("first" + run, firstTree), true));
        EXPECT_TRUE(second_.Scan(folder_.Build("second" + run, secondTree), false));
        classifier_ = std::make_unique<CDirClassifier>(first_, second_, &sink_);
        worker_ =
            std::make_unique<CWorker>([this](std::stop_token stop) { classifier_->Run(stop); });
        return *classifier_;
    }

    // Runs the dialog modally; act is called once its event loop runs. A
    // dialog still open after the watchdog's time is aborted and the test fails.
    static int RunModal(CDirProgressDlg& dialog, const std::function<void()>& act)
    {
        QTimer::singleShot(0, &dialog, act);
        QTimer::singleShot(kWatchdogMs, &dialog, [&dialog] {
            ADD_FAILURE() << "the dialog did not close";
            dialog.reject();
        });
        return dialog.exec();
    }

    static std::string PercentShown(const CDirProgressDlg& dialog)
    {
        return dialog.findChild<QLineEdit*>()->text().toStdString();
    }

    DirNodeStatus StatusOf(const CDirNodeList& list, const std::string& name) const
    {
        const CDirNode* node = list.FindByName(name);
        EXPECT_NE(node, nullptr) << name;
        return node ? node->status : DirNodeStatus::Old;
    }

    CDirProgressDlg::Sink sink_;
    TreeFolder folder_;
    CDirNodeList first_;
    CDirNodeList second_;
    std::unique_ptr<CDirClassifier> classifier_;
    // The worker of the last classifier made, running it as a directory
    // comparison does.
    std::unique_ptr<CWorker> worker_;
    int runs_ = 0;
};

// Many identical pairs: enough work that an abort pressed at once usually
// finds the worker still busy.
std::vector<TreeEntry> ManyFiles()
{
    std::vector<TreeEntry> tree;
    for (int i = 0; i < 400; ++i)
        tree.push_back(
            TreeEntry::File("dir" + std::to_string(i % 20) + "/file" + std::to_string(i) + ".txt",
                            std::string(2000, static_cast<char>('a' + i % 26))));
    return tree;
}

TEST_F(DirProgressDlgTest, ClosesWithOkWhenTheClassificationCompletes)
{
    const struct
    {
        const char* name;
        std::vector<TreeEntry> first;
        std::vector<TreeEntry> second;
        bool identical;
    } cases[] = {
        {"equal trees",
         {TreeEntry::File("a.txt", "same\n"), TreeEntry::File("sub/b.txt", "also\n")},
         {TreeEntry::File("a.txt", "same\n"), TreeEntry::File("sub/b.txt", "also\n")},
         true},
        {"a changed file and one on one side only",
         {TreeEntry::File("a.txt", "same\n"), TreeEntry::File("sub/b.txt", "old\n"),
          TreeEntry::File("gone.txt", "x")},
         {TreeEntry::File("a.txt", "same\n"), TreeEntry::File("sub/b.txt", "new\n")},
         false},
        {"an empty first tree", {}, {TreeEntry::File("a.txt", "x")}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CDirClassifier& classifier = Classifier(c.first, c.second);
        CDirProgressDlg dialog(*worker_, sink_);
        bool wasShown = false;

        const int result = RunModal(dialog, [&] { wasShown = dialog.isVisible(); });

        EXPECT_TRUE(wasShown);
        EXPECT_EQ(result, QDialog::Accepted);
        EXPECT_TRUE(worker_->Done());
        EXPECT_FALSE(worker_->StopRequested());
        EXPECT_EQ(classifier.allIdentical, c.identical);
        EXPECT_EQ(PercentShown(dialog), "100.0%");
        EXPECT_EQ(dialog.findChild<QProgressBar*>()->value(), 1000);
    }
}

TEST_F(DirProgressDlgTest, ClassifiesEveryNodeOfACompletedRun)
{
    Classifier({TreeEntry::File("same.txt", "1"), TreeEntry::File("sub/changed.txt", "old"),
                TreeEntry::File("only_first.txt")},
               {TreeEntry::File("same.txt", "1"), TreeEntry::File("sub/changed.txt", "new"),
                TreeEntry::File("only_second.txt")});
    CDirProgressDlg dialog(*worker_, sink_);

    ASSERT_EQ(RunModal(dialog, [] {}), QDialog::Accepted);

    EXPECT_EQ(StatusOf(first_, "same.txt"), DirNodeStatus::Normal);
    EXPECT_EQ(StatusOf(first_, "sub/changed.txt"), DirNodeStatus::Modified);
    EXPECT_EQ(StatusOf(first_, "sub"), DirNodeStatus::Modified);
    EXPECT_EQ(StatusOf(first_, "only_first.txt"), DirNodeStatus::Old);
    EXPECT_EQ(StatusOf(second_, "only_second.txt"), DirNodeStatus::New);
}

// Every way of aborting ends the run as aborted, and only after the worker
// has ended: its thread is joined before the dialog returns.
TEST_F(DirProgressDlgTest, AbortClosesWithCancelAfterTheWorkerEnded)
{
    const struct
    {
        const char* how;
        std::function<void(CDirProgressDlg&)> abort;
    } ways[] = {
        {"Abort", [](CDirProgressDlg& d) { d.findChild<QPushButton*>()->click(); }},
        {"Esc", [](CDirProgressDlg& d) { PressKey(&d, Qt::Key_Escape); }},
        {"closing the window", [](CDirProgressDlg& d) { d.close(); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.how);
        Classifier(ManyFiles(), ManyFiles());
        auto dialog = std::make_unique<CDirProgressDlg>(*worker_, sink_);

        const int result = RunModal(*dialog, [&] { way.abort(*dialog); });

        EXPECT_EQ(result, QDialog::Rejected);
        EXPECT_TRUE(worker_->StopRequested());
        EXPECT_TRUE(worker_->Done());
        // A thread still joinable would end the program here.
        dialog.reset();
    }
}

// Enter, wherever the focus is, leaves the dialog open; it still closes with
// OK once the worker completed.
TEST_F(DirProgressDlgTest, EnterDoesNotCloseIt)
{
    CDirClassifier& classifier = Classifier(ManyFiles(), ManyFiles());
    CDirProgressDlg dialog(*worker_, sink_);
    bool openAfterEnter = false;

    const int result = RunModal(dialog, [&] {
        for (QWidget* target : std::vector<QWidget*>{&dialog, dialog.findChild<QLineEdit*>(),
                                                     dialog.findChild<QPushButton*>()}) {
            PressKey(target, Qt::Key_Return);
            PressKey(target, Qt::Key_Enter);
        }
        openAfterEnter = dialog.isVisible();
    });

    EXPECT_TRUE(openAfterEnter);
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_FALSE(worker_->StopRequested());
    EXPECT_TRUE(classifier.allIdentical);
}

} // namespace
