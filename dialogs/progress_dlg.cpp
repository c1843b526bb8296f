#include "dialogs/progress_dlg.h"

#include "engine/diff_algorithm5.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <array>
#include <chrono>

namespace {

using namespace std::chrono_literals;

// The animation: two pages side by side with a ruler sweeping down both, the
// lines above it compared. Its frames are drawn, not loaded, so that they
// follow the palette.
constexpr int kFrameCount = 23;
constexpr int kFrameWidth = 48;
constexpr int kFrameHeight = 50;
constexpr auto kFrameInterval = 70ms;

// How often a stopping dialog looks whether the worker has finished; short,
// so that the dialog closes as soon as the coarser result is there.
constexpr auto kStopPollInterval = 50ms;

// The width of the note below the controls, in average characters.
constexpr int kNoteWidthChars = 50;

void DrawPage(QPainter& painter, const QRect& page, const std::array<int, 8>& lineWidths,
              int rulerY, const QPalette& palette)
{
    painter.setPen(palette.color(QPalette::Text));
    painter.setBrush(palette.color(QPalette::Base));
    painter.drawRect(page);
    const QColor compared = palette.color(QPalette::Highlight);
    const QColor pending = palette.color(QPalette::Mid);
    const int left = page.left() + 3;
    int y = page.top() + 4;
    for (int width : lineWidths) {
        painter.fillRect(QRect(left, y, width, 2), y + 1 < rulerY ? compared : pending);
        y += 4;
    }
}

QPixmap DrawFrame(int frame, const QPalette& palette, qreal pixelRatio)
{
    QPixmap pixmap(QSize(kFrameWidth, kFrameHeight) * pixelRatio);
    pixmap.setDevicePixelRatio(pixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);

    const QRect firstPage(1, 7, 20, 37);
    const QRect secondPage(27, 7, 20, 37);
    const int rulerY = firstPage.top() + 2 + frame * (firstPage.height() - 3) / (kFrameCount - 1);
    DrawPage(painter, firstPage, {14, 10, 12, 6, 14, 9, 13, 7}, rulerY, palette);
    DrawPage(painter, secondPage, {14, 12, 12, 13, 6, 9, 11, 7}, rulerY, palette);

    QColor ruler = palette.color(QPalette::Highlight);
    painter.setPen(QPen(ruler, 1));
    painter.drawLine(firstPage.left() - 1, rulerY, secondPage.right() + 1, rulerY);
    ruler.setAlpha(70);
    painter.fillRect(QRect(firstPage.left(), rulerY - 3, secondPage.right() - firstPage.left(), 3),
                     ruler);
    return pixmap;
}

} // namespace

void CProgressDlg::Sink::PostProgress(int permille)
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

CProgressDlg::CProgressDlg(CDiffAlgorithm5& algorithm, Sink& sink, QWidget* parent)
    : CWorkerDialog(parent), algorithm_(algorithm), sink_(&sink)
{
    sink.dialog_ = this;
    setWindowTitle(QStringLiteral("Comparing Files..."));
    setModal(true);
    // No close box: the dialog ends through Stop or when the comparison is
    // done. A window manager that shows one anyway closes through Stop.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    progressBar_ = MakeProgressBar();

    animation_ = new QLabel(this);
    animation_->setFixedSize(kFrameWidth, kFrameHeight);
    animation_->setAlignment(Qt::AlignCenter);

    stopButton_ = MakeEndButton(QStringLiteral("Stop"));
    percentBox_ = MakePercentBox(PercentText(1000));

    auto* note = new QLabel(
        QStringLiteral("If the comparison is stopped before it is complete, a preliminary "
                       "result with less detail will be displayed."),
        this);
    note->setWordWrap(true);

    auto* row = new QGridLayout;
    row->addWidget(stopButton_, 0, 0, Qt::AlignLeft | Qt::AlignVCenter);
    row->addWidget(animation_, 0, 1, Qt::AlignCenter);
    row->addWidget(percentBox_, 0, 2, Qt::AlignRight | Qt::AlignVCenter);
    row->setColumnStretch(0, 1);
    row->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(progressBar_);
    layout->addLayout(row);
    layout->addWidget(note);
    // The note wraps at a width that gives it about three lines.
    note->setMinimumWidth(fontMetrics().averageCharWidth() * kNoteWidthChars);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    animationTimer_.setInterval(kFrameInterval);
    connect(&animationTimer_, &QTimer::timeout, this, &CProgressDlg::AdvanceAnimation);
    stopPoll_.setInterval(kStopPollInterval);
    connect(&stopPoll_, &QTimer::timeout, this, &CProgressDlg::CheckStopped);
    animation_->setPixmap(DrawFrame(0, palette(), devicePixelRatioF()));
}

// A dialog destroyed without having been run to its end still must not leave
// its worker behind.
CProgressDlg::~CProgressDlg()
{
    if (started_ && !finished_) {
        algorithm_.stopRequested = true;
        algorithm_.Wait();
    }
}

QString CProgressDlg::PercentText(int permille)
{
    return QString::asprintf("%d.%d%%", permille / 10, permille % 10);
}

void CProgressDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (started_ || event->spontaneous())
        return;
    started_ = true;
    algorithm_.Start();
    // A worker that could not be started reports nothing: the dialog waits
    // for Stop, with the animation standing still.
    if (algorithm_.running)
        animationTimer_.start();
}

void CProgressDlg::ShowProgress(int permille)
{
    progressBar_->setValue(permille);
    percentBox_->setText(PercentText(permille));
    // Reports handled before the dialog was shown belong to no run of its own.
    if (started_ && !algorithm_.running)
        Finish(algorithm_.stopRequested ? Rejected : Accepted);
}

void CProgressDlg::reject()
{
    if (stopping_ || finished_)
        return;
    stopping_ = true;
    stopButton_->setEnabled(false);
    animationTimer_.stop();
    algorithm_.stopRequested = true;
    stopPoll_.start();
    CheckStopped();
}

void CProgressDlg::CheckStopped()
{
    if (!algorithm_.running)
        Finish(Rejected);
}

bool CProgressDlg::WorkerRunning() const
{
    return algorithm_.running;
}

void CProgressDlg::Finish(int result)
{
    if (finished_)
        return;
    finished_ = true;
    stopPoll_.stop();
    animationTimer_.stop();
    // running is cleared just before the worker's last report: the thread may
    // still be ending.
    algorithm_.Wait();
    // Reports of this run still queued would otherwise reach the next dialog
    // that takes over the sink.
    if (sink_)
        QCoreApplication::removePostedEvents(sink_, QEvent::MetaCall);
    QDialog::done(result);
}

void CProgressDlg::AdvanceAnimation()
{
    animationFrame_ = (animationFrame_ + 1) % kFrameCount;
    animation_->setPixmap(DrawFrame(animationFrame_, palette(), devicePixelRatioF()));
}
