#include "dialogs/worker_dialog.h"

#include "engine/worker.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>

namespace {

// Room around the text in the percent box for its frame and margins.
constexpr int kPercentBoxPadding = 16;

} // namespace

void CWorkerDialog::Sink::PostProgress(int permille)
{
    // Queued even when called on the sink's own thread: a report is handled
    // by the event loop, never inside the worker's call.
    QMetaObject::invokeMethod(
        this,
        [this, permille] {
            if (dialog_)
                dialog_->ShowProgress(permille);
        },
        Qt::QueuedConnection);
}

CWorkerDialog::CWorkerDialog(CWorker& worker, Sink& sink, QWidget* parent)
    : QDialog(parent), worker_(worker), sink_(&sink)
{
    sink.dialog_ = this;
    setModal(true);
    // No close box: the dialog ends through its end button or when the work
    // is done. A window manager that shows one anyway closes through the
    // end button's way.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
}

// A dialog destroyed without having been run to its end still must not leave
// its worker behind, nor a worker that would tell it of its end.
CWorkerDialog::~CWorkerDialog()
{
    if (started_ && !finished_) {
        worker_.RequestStop();
        worker_.Wait();
    }
}

QString CWorkerDialog::PercentText(int permille)
{
    return QString::asprintf("%d.%d%%", permille / 10, permille % 10);
}

void CWorkerDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (started_ || event->spontaneous())
        return;
    started_ = true;
    // The end is posted like the progress, after the job's last report, so
    // the dialog shows the final figure before it closes. A worker that could
    // not be started reports nothing: the dialog waits for the end button.
    const bool running = worker_.Start([this] {
        QMetaObject::invokeMethod(
            this, [this] { WorkerEnded(); }, Qt::QueuedConnection);
    });
    if (running)
        ShowWorking(true);
}

void CWorkerDialog::ShowWorking(bool) {}

void CWorkerDialog::ShowProgress(int permille)
{
    progressBar_->setValue(permille);
    percentBox_->setText(PercentText(permille));
}

void CWorkerDialog::WorkerEnded()
{
    Finish(worker_.StopRequested() ? Rejected : Accepted);
}

void CWorkerDialog::done(int result)
{
    if (worker_.Running())
        return;
    Finish(result);
}

void CWorkerDialog::reject()
{
    if (stopping_ || finished_)
        return;
    stopping_ = true;
    endButton_->setEnabled(false);
    ShowWorking(false);
    worker_.RequestStop();
    // The job notices soon; its posted end closes the dialog then.
    if (!worker_.Running())
        Finish(Rejected);
}

void CWorkerDialog::Finish(int result)
{
    if (finished_)
        return;
    finished_ = true;
    ShowWorking(false);
    // The job has returned, but its thread may still be ending.
    worker_.Wait();
    // Reports of this run still queued would otherwise reach the next dialog
    // that takes over the sink.
    if (sink_)
        QCoreApplication::removePostedEvents(sink_, QEvent::MetaCall);
    QDialog::done(result);
}

void CWorkerDialog::keyPressEvent(QKeyEvent* event)
{
    // The dialog has nothing to confirm: Enter would otherwise end it through
    // the dialog's standard handling while the worker still runs.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

QProgressBar* CWorkerDialog::MakeProgressBar()
{
    progressBar_ = new QProgressBar(this);
    progressBar_->setRange(0, 1000);
    progressBar_->setValue(0);
    progressBar_->setTextVisible(false);
    return progressBar_;
}

QPushButton* CWorkerDialog::MakeEndButton(const QString& text)
{
    endButton_ = new QPushButton(text, this);
    endButton_->setAutoDefault(false);
    endButton_->setDefault(false);
    connect(endButton_, &QPushButton::clicked, this, &CWorkerDialog::reject);
    return endButton_;
}

QLineEdit* CWorkerDialog::MakePercentBox()
{
    percentBox_ = new QLineEdit(this);
    percentBox_->setReadOnly(true);
    percentBox_->setAlignment(Qt::AlignRight);
    percentBox_->setFixedWidth(percentBox_->fontMetrics().horizontalAdvance(PercentText(1000)) +
                               kPercentBoxPadding);
    return percentBox_;
}
