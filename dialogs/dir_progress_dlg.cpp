#include "dialogs/dir_progress_dlg.h"

#include "dialogs/progress_dlg.h"
#include "directory/dir_classifier.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <chrono>
#include <system_error>

namespace {

using namespace std::chrono_literals;

// How often the dialog reads the worker's progress and looks whether it has
// ended: often enough to close at once after a short run, rarely enough to
// cost nothing.
constexpr auto kPollInterval = 50ms;

// The bar's width in average characters, about the width of the old dialog.
constexpr int kBarWidthChars = 48;

} // namespace

CDirProgressDlg::CDirProgressDlg(CDirClassifier& classifier, QWidget* parent)
    : CWorkerDialog(parent), classifier_(classifier)
{
    setWindowTitle(QStringLiteral("Comparing Directories..."));
    setModal(true);
    // No close box: the dialog ends through Abort or when the classification
    // is done. A window manager that shows one anyway closes through Abort.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    progressBar_ = MakeProgressBar();
    progressBar_->setMinimumWidth(fontMetrics().averageCharWidth() * kBarWidthChars);
    abortButton_ = MakeEndButton(QStringLiteral("Abort"));
    percentBox_ = MakePercentBox(CProgressDlg::PercentText(1000));

    auto* row = new QGridLayout;
    row->addWidget(abortButton_, 0, 1, Qt::AlignCenter);
    row->addWidget(percentBox_, 0, 2, Qt::AlignRight | Qt::AlignVCenter);
    row->setColumnStretch(0, 1);
    row->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(progressBar_);
    layout->addLayout(row);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    poll_.setInterval(kPollInterval);
    connect(&poll_, &QTimer::timeout, this, &CDirProgressDlg::Poll);
}

// A dialog destroyed without having been run to its end still must not leave
// its worker behind.
CDirProgressDlg::~CDirProgressDlg()
{
    if (worker_.joinable()) {
        classifier_.abortRequested = true;
        worker_.join();
    }
}

void CDirProgressDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (started_ || event->spontaneous())
        return;
    started_ = true;
    try {
        worker_ = std::thread([this] { classifier_.Run(); });
    } catch (const std::system_error&) {
        // Without a worker nothing will ever complete: the dialog waits for
        // Abort, which then ends the run as aborted.
        classifier_.workerDone = true;
        return;
    }
    poll_.start();
}

bool CDirProgressDlg::WorkerRunning() const
{
    return worker_.joinable() && !classifier_.workerDone;
}

void CDirProgressDlg::Poll()
{
    const int permille = classifier_.progressPermille;
    progressBar_->setValue(permille);
    percentBox_->setText(CProgressDlg::PercentText(permille));
    if (!WorkerRunning())
        Finish(classifier_.abortRequested ? Rejected : Accepted);
}

void CDirProgressDlg::reject()
{
    if (aborting_ || finished_)
        return;
    aborting_ = true;
    abortButton_->setEnabled(false);
    classifier_.abortRequested = true;
    // The worker notices at its next node; the poll closes the dialog then.
    if (!WorkerRunning())
        Finish(Rejected);
}

void CDirProgressDlg::Finish(int result)
{
    if (finished_)
        return;
    finished_ = true;
    poll_.stop();
    // workerDone is set just before the worker's last steps: the thread may
    // still be ending.
    if (worker_.joinable())
        worker_.join();
    QDialog::done(result);
}
