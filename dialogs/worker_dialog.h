#pragma once

#include "engine/progress_sink.h"

#include <QDialog>
#include <QPointer>

class CWorker;
class QKeyEvent;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QShowEvent;

// A modal dialog that a comparison worker runs under. Shown, it starts the
// worker and shows its progress; it closes with OK when the worker's job has
// returned, or with Cancel after the end button (or Esc, or closing the
// window) once the job has noticed the stop and returned. It must not close
// while the worker runs: whoever asks, by Enter or by a direct call, is
// ignored until then. Either way the worker's thread has ended before the
// dialog returns, so the caller may take the job's result at once.
class CWorkerDialog : public QDialog
{
    Q_OBJECT

public:
    // Where a worker reports its progress: each value is posted to the thread
    // the sink lives on and handed there to the dialog that is showing at
    // that moment, if any. The worker never waits for the window and never
    // touches it. One sink may serve many runs, one dialog after another, and
    // may be handed to a job before its dialog exists.
    class Sink : public QObject, public CProgressSink
    {
    public:
        void PostProgress(int permille) override;

    private:
        friend class CWorkerDialog;
        QPointer<CWorkerDialog> dialog_;
    };

    // worker must not have been started; its job reports to sink. The dialog
    // takes over the sink's reports from whichever dialog had it before.
    CWorkerDialog(CWorker& worker, Sink& sink, QWidget* parent = nullptr);
    ~CWorkerDialog() override;

    // Progress in per mille as the dialogs write it: 57 reads "5.7%".
    static QString PercentText(int permille);

    // Ignored while the worker runs.
    void done(int result) override;
    // Asks the worker to stop; the dialog closes once it has.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    // The parts both progress dialogs are made of: a bar from 0 to 1000, the
    // button that stops the worker (through reject, and never the default
    // button, so that Enter cannot reach it), and a read-only box wide
    // enough for the widest percentage.
    QProgressBar* MakeProgressBar();
    QPushButton* MakeEndButton(const QString& text);
    QLineEdit* MakePercentBox();

    // Told when the worker has started (true) and when the dialog no longer
    // waits for more work: a stop was asked for, or the dialog ends (false).
    virtual void ShowWorking(bool working);

private:
    void ShowProgress(int permille);
    void WorkerEnded();
    void Finish(int result);

    CWorker& worker_;
    QPointer<Sink> sink_;
    QProgressBar* progressBar_ = nullptr;
    QPushButton* endButton_ = nullptr;
    QLineEdit* percentBox_ = nullptr;
    bool started_ = false;
    bool stopping_ = false;
    bool finished_ = false;
};
