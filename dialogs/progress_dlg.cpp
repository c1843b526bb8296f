#include "dialogs/progress_dlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
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

CProgressDlg::CProgressDlg(CWorker& worker, Sink& sink, QWidget* parent)
    : CWorkerDialog(worker, sink, parent)
{
    setWindowTitle(QStringLiteral("Comparing Files..."));

    auto* progressBar = MakeProgressBar();

    animation_ = new QLabel(this);
    animation_->setFixedSize(kFrameWidth, kFrameHeight);
    animation_->setAlignment(Qt::AlignCenter);

    auto* stopButton = MakeEndButton(QStringLiteral("Stop"));
    auto* percentBox = MakePercentBox();

    auto* note = new QLabel(
        QStringLiteral("If the comparison is stopped before it is complete, a preliminary "
                       "result with less detail will be displayed."),
        this);
    note->setWordWrap(true);

    auto* row = new QGridLayout;
    row->addWidget(stopButton, 0, 0, Qt::AlignLeft | Qt::AlignVCenter);
    row->addWidget(animation_, 0, 1, Qt::AlignCenter);
    row->addWidget(percentBox, 0, 2, Qt::AlignRight | Qt::AlignVCenter);
    row->setColumnStretch(0, 1);
    row->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(progressBar);
    layout->addLayout(row);
    layout->addWidget(note);
    // The note wraps at a width that gives it about three lines.
    note->setMinimumWidth(fontMetrics().averageCharWidth() * kNoteWidthChars);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    animationTimer_.setInterval(kFrameInterval);
    connect(&animationTimer_, &QTimer::timeout, this, &CProgressDlg::AdvanceAnimation);
    animation_->setPixmap(DrawFrame(0, palette(), devicePixelRatioF()));
}

// The animation runs while the comparison does and stands still once a stop
// was asked for.
void CProgressDlg::ShowWorking(bool working)
{
    if (working)
        animationTimer_.start();
    else
        animationTimer_.stop();
}

void CProgressDlg::AdvanceAnimation()
{
    animationFrame_ = (animationFrame_ + 1) % kFrameCount;
    animation_->setPixmap(DrawFrame(animationFrame_, palette(), devicePixelRatioF()));
}
