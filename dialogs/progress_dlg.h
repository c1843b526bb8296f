#pragma once

#include "dialogs/worker_dialog.h"

#include <QTimer>

class QLabel;

// The modal dialog a file comparison runs under: the progress of the worker,
// an animation while it compares, Stop, and a note that a stopped comparison
// still shows a coarser result. The caller takes the result as soon as the
// dialog returns.
class CProgressDlg : public CWorkerDialog
{
    Q_OBJECT

public:
    // worker: a file comparison not yet started, whose job reports to sink.
    CProgressDlg(CWorker& worker, Sink& sink, QWidget* parent = nullptr);

private:
    void ShowWorking(bool working) override;
    void AdvanceAnimation();

    QLabel* animation_;
    QTimer animationTimer_;
    int animationFrame_ = 0;
};
