#include "dialogs/dir_progress_dlg.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The bar's width in average characters, about the width of the old dialog.
constexpr int kBarWidthChars = 48;

} // namespace

CDirProgressDlg::CDirProgressDlg(CWorker& worker, Sink& sink, QWidget* parent)
    : CWorkerDialog(worker, sink, parent)
{
    setWindowTitle(QStringLiteral("Comparing Directories..."));

    auto* progressBar = MakeProgressBar();
    progressBar->setMinimumWidth(fontMetrics().averageCharWidth() * kBarWidthChars);
    auto* abortButton = MakeEndButton(QStringLiteral("Abort"));
    auto* percentBox = MakePercentBox();

    auto* row = new QGridLayout;
    row->addWidget(abortButton, 0, 1, Qt::AlignCenter);
    row->addWidget(percentBox, 0, 2, Qt::AlignRight | Qt::AlignVCenter);
    row->setColumnStretch(0, 1);
    row->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(progressBar);
    layout->addLayout(row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
