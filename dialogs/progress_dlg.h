#pragma once

#include "engine/progress_sink.h"

#include "dialogs/worker_dialog.h"
#include <QPointer>
#include <QTimer>

class CDiffAlgorithm5;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

// The modal dialog a file comparison runs under. Shown, it starts the
// algorithm on its worker thread and watches it; it closes with OK when the
// worker reports that it has finished, or with Cancel after Stop (or Esc) once
// the worker has delivered its coarser result. It never closes while the
// worker runs: the caller post-processes the result as soon as it returns.
class CProgressDlg : public CWorkerDialog
{
    Q_OBJECT

public:
    // Where the worker reports its progress: each value is posted to the
    // thread the sink lives on and handed there to the dialog that is showing
    // at that moment, if any. The worker never waits for the window and never
    // touches it. One sink may serve many runs, one dialog after another, and
    // may be handed to the algorithm before its dialog exists.
    class Sink : public QObject, public CProgressSink
    {
    public:
        void PostProgress(int permille) override;

    private:
        friend class CProgressDlg;
        QPointer<CProgressDlg> dialog_;
    };

    // algorithm must have been prepared with sink as its progress sink; the
    // dialog takes over the sink's reports from whichever dialog had it before.
    CProgressDlg(CDiffAlgorithm5& algorithm, Sink& sink, QWidget* parent = nullptr);
    ~CProgressDlg() override;

    // Progress in per mille as the dialog writes it: 57 reads "5.7%".
    static QString PercentText(int permille);

    // Cancel (Stop, Esc, closing the window) asks the worker to stop; the
    // dialog closes once it has.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowProgress(int permille);
    void CheckStopped();
    bool WorkerRunning() const override;
    void Finish(int result) override;
    void AdvanceAnimation();

    CDiffAlgorithm5& algorithm_;
    QPointer<Sink> sink_;
    QProgressBar* progressBar_;
    QLabel* animation_;
    QPushButton* stopButton_;
    QLineEdit* percentBox_;
    QTimer animationTimer_;
    // Looks at the worker while it stops, so that the dialog closes even when
    // the worker's last report has gone elsewhere or was never sent.
    QTimer stopPoll_;
    int animationFrame_ = 0;
    bool started_ = false;
    bool stopping_ = false;
    bool finished_ = false;
};
