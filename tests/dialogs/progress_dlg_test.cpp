#include "dialogs/progress_dlg.h"
#include "document/diff_doc.h"
#include "document/regular_file.h"
#include "engine/diff_algorithm5.h"
#include "engine/text_buf.h"
#include "engine/worker.h"
#include "tests/dialogs/test_app.h"
#include "tests/document/document_fixture.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

// Far beyond any run of these tests: a dialog still open then has failed.
constexpr int kWatchdogMs = 60000;

// Holds a worker still at its start until the test lets it go, so that the
// test can act on the dialog while the worker surely runs. A stop request
// does not let it go: it shows that the dialog waits.
struct Gate
{
    void Pass() const
    {
        const auto giveUp =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(kWatchdogMs);
        while (!open && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(1ms);
    }

    std::atomic<bool> open{false};
};

class ProgressDlgTest : public CDocumentFixture
{
protected:
    void SetUp() override { TestApp(); }

    // A text buffer with the content of a file the test wrote.
    std::unique_ptr<CTextBuf> Load(const std::string& name, const std::string& text)
    {
        const auto bytes = CRegularFile::ReadWhole(Write(name, text));
        EXPECT_TRUE(bytes.has_value());
        auto buf = std::make_unique<CTextBuf>(PathOf(name), false, false);
        EXPECT_TRUE(buf->SetData(bytes.value_or(std::vector<char>())));
        return buf;
    }

    // A worker that compares the two buffers as the document does, reporting
    // to the sink and keeping the result; it waits at gate first, if any.
    std::unique_ptr<CWorker> Worker(const Gate* gate = nullptr)
    {
        return std::make_unique<CWorker>([this, gate](std::stop_token token) {
            if (gate)
                gate->Pass();
            std::atomic<bool> stop{false};
            const std::stop_callback onStop(token, [&stop] { stop = true; });
            result_ = CDiffAlgorithm5(2, 1000).Run(*first_, *second_, stop, &sink_);
        });
    }

    // Runs the dialog modally; act is called once its event loop runs. A
    // dialog that is still open after the watchdog's time is stopped and the
    // test fails.
    int RunModal(CProgressDlg& dialog, const std::function<void()>& act, Gate* gate = nullptr)
    {
        QTimer::singleShot(0, &dialog, act);
        QTimer::singleShot(kWatchdogMs, &dialog, [&dialog, gate] {
            ADD_FAILURE() << "the dialog did not close";
            if (gate)
                gate->open = true;
            dialog.reject();
        });
        return dialog.exec();
    }

    std::string PercentShown(const CProgressDlg& dialog) const
    {
        return dialog.findChild<QLineEdit*>()->text().toStdString();
    }
    int BarShown(const CProgressDlg& dialog) const
    {
        return dialog.findChild<QProgressBar*>()->value();
    }

    // How many elements of one side the result covers exactly once; a
    // complete result covers each element of both files once.
    int CoveredOnce(int side, int count) const
    {
        std::vector<int> covered(static_cast<std::size_t>(count), 0);
        const auto cover = [&](int pos, int length) {
            for (int i = pos; i < pos + length && i < count; ++i)
                ++covered[static_cast<std::size_t>(i)];
        };
        for (const DIFF_BLOCK* block : result_.all().Blocks()) {
            if (block->IsCommon())
                cover(block->field[side], block->length);
            else if (block->side() == side)
                cover(block->pos(), block->length);
        }
        return static_cast<int>(std::count(covered.begin(), covered.end(), 1));
    }

    CProgressDlg::Sink sink_;
    CDiffResult result_;
    std::unique_ptr<CTextBuf> first_;
    std::unique_ptr<CTextBuf> second_;
};

void PressKey(QWidget* target, Qt::Key key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &release);
}

// A text of many distinct lines; every 97th line of the second version
// differs, so that a finished comparison cuts the pair into thousands of
// blocks.
std::string ManyLines(int count, bool second)
{
    std::string text;
    text.reserve(static_cast<std::size_t>(count) * 24);
    for (int i = 0; i < count; ++i) {
        text += "line " + std::to_string(i);
        if (second && i % 97 == 0)
            text += " changed";
        text += '\n';
    }
    return text;
}

TEST_F(ProgressDlgTest, PercentTextShowsTenthsOfAPercent)
{
    const struct
    {
        int permille;
        const char* text;
    } cases[] = {{0, "0.0%"}, {57, "5.7%"}, {456, "45.6%"}, {999, "99.9%"}, {1000, "100.0%"}};
    for (const auto& c : cases)
        EXPECT_EQ(CProgressDlg::PercentText(c.permille).toStdString(), c.text) << c.permille;
}

// The worker's reports are posted: a dialog shows one only when its own
// thread's event loop handles it, and reports of a run that has ended never
// reach the next dialog.
TEST_F(ProgressDlgTest, ProgressReachesTheDialogOnlyThroughItsEventLoop)
{
    first_ = Load("a.txt", "x\n");
    second_ = Load("b.txt", "x\n");
    const auto worker = Worker();
    const auto postFromAnotherThread = [this](int permille) {
        std::thread([this, permille] { sink_.PostProgress(permille); }).join();
    };
    auto ended = std::make_unique<CProgressDlg>(*worker, sink_);

    postFromAnotherThread(57);
    EXPECT_EQ(PercentShown(*ended), "");
    QCoreApplication::processEvents();
    EXPECT_EQ(PercentShown(*ended), "5.7%");
    EXPECT_EQ(BarShown(*ended), 57);
    // A dialog that has not started a run is not closed by a report.
    EXPECT_NE(ended->result(), QDialog::Accepted);

    postFromAnotherThread(999);
    ended->done(QDialog::Rejected);
    CProgressDlg next(*worker, sink_);
    QCoreApplication::processEvents();
    EXPECT_EQ(PercentShown(next), "");

    postFromAnotherThread(321);
    QCoreApplication::processEvents();
    EXPECT_EQ(PercentShown(next), "32.1%");
    EXPECT_EQ(PercentShown(*ended), "5.7%");
}

TEST_F(ProgressDlgTest, ComparesTwoSmallFilesAndClosesWithOk)
{
    first_ = Load("old.txt", "alpha\nbeta\ngamma\ndelta\nepsilon\nzeta\n");
    second_ = Load("new.txt", "alpha\nbeta\ngamma\ninserted\ndelta\nepsilon\nzeta\n");
    const auto worker = Worker();
    CProgressDlg dialog(*worker, sink_);
    bool wasShown = false;

    const int result = RunModal(dialog, [&] { wasShown = dialog.isVisible(); });

    EXPECT_TRUE(wasShown);
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_FALSE(worker->Running());
    EXPECT_TRUE(worker->Done());
    EXPECT_FALSE(worker->StopRequested());
    EXPECT_EQ(PercentShown(dialog), "100.0%");
    EXPECT_EQ(BarShown(dialog), 1000);
    EXPECT_EQ(DescribeBlocks(result_.all()), "=3 +1 =4");
}

// Stopped before its first pass could end, the worker still delivers a result
// that accounts for every line of both files.
TEST_F(ProgressDlgTest, StopAtOnceOnALargePairGivesACompleteResult)
{
    const int lines = 200000;
    first_ = Load("large_old.txt", ManyLines(lines, false));
    second_ = Load("large_new.txt", ManyLines(lines, true));
    ASSERT_EQ(first_->GetCount(), lines + 1);
    const auto worker = Worker();
    CProgressDlg dialog(*worker, sink_);
    bool runningAtStop = false;

    const int result = RunModal(dialog, [&] {
        runningAtStop = worker->Running();
        dialog.findChild<QPushButton*>()->click();
    });

    EXPECT_TRUE(runningAtStop);
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_TRUE(worker->Done());
    EXPECT_TRUE(worker->StopRequested());
    EXPECT_EQ(CoveredOnce(0, first_->GetCount()), first_->GetCount());
    EXPECT_EQ(CoveredOnce(1, second_->GetCount()), second_->GetCount());
    // A finished comparison of the pair has more than 6000 blocks.
    EXPECT_LT(result_.all().GetCount(), 1000);
}

// Every way of cancelling asks the worker to stop and waits for it: while the
// worker holds still the dialog stays open, and it closes with Cancel only
// after the worker has delivered its result.
TEST_F(ProgressDlgTest, CancelWaitsForTheWorker)
{
    const struct
    {
        const char* how;
        std::function<void(CProgressDlg&)> cancel;
    } ways[] = {
        {"Stop", [](CProgressDlg& d) { d.findChild<QPushButton*>()->click(); }},
        {"Esc", [](CProgressDlg& d) { PressKey(&d, Qt::Key_Escape); }},
        {"closing the window", [](CProgressDlg& d) { d.close(); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.how);
        result_ = CDiffResult();
        first_ = Load("a.txt", "one\ntwo\nthree\nfour\n");
        second_ = Load("b.txt", "one\ntwo\nthree\nfour\n");
        Gate gate;
        const auto worker = Worker(&gate);
        CProgressDlg dialog(*worker, sink_);
        bool openWhileHeld = false;

        const int result = RunModal(
            dialog,
            [&] {
                way.cancel(dialog);
                EXPECT_TRUE(worker->StopRequested());
                // Looked at again after the dialog's event loop has run a while.
                QTimer::singleShot(300, &dialog, [&] {
                    openWhileHeld = dialog.isVisible() && worker->Running();
                    gate.open = true;
                });
            },
            &gate);

        EXPECT_TRUE(openWhileHeld);
        EXPECT_EQ(result, QDialog::Rejected);
        EXPECT_TRUE(worker->Done());
        // Stopped before its first pass, the worker matched nothing.
        EXPECT_EQ(DescribeBlocks(result_.all()), "-5 +5");
    }
}

// Enter, wherever the focus is, and a request to accept do not end the
// dialog while the worker runs; it closes with OK once the worker finished.
TEST_F(ProgressDlgTest, EnterNeverClosesItWhileTheWorkerRuns)
{
    first_ = Load("a.txt", "one\ntwo\nthree\n");
    second_ = Load("b.txt", "one\ntwo\nthree\n");
    Gate gate;
    const auto worker = Worker(&gate);
    CProgressDlg dialog(*worker, sink_);
    bool openAfterEnter = false;

    const int result = RunModal(
        dialog,
        [&] {
            for (QWidget* target : std::vector<QWidget*>{&dialog, dialog.findChild<QLineEdit*>(),
                                                         dialog.findChild<QPushButton*>()}) {
                target->setFocus();
                PressKey(target, Qt::Key_Return);
                PressKey(target, Qt::Key_Enter);
            }
            dialog.accept();
            openAfterEnter = dialog.isVisible() && worker->Running() && !worker->StopRequested();
            gate.open = true;
        },
        &gate);

    EXPECT_TRUE(openAfterEnter);
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_FALSE(worker->StopRequested());
    EXPECT_EQ(DescribeBlocks(result_.all()), "=4");
}

} // namespace
