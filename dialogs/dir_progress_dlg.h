#pragma once

#include "dialogs/worker_dialog.h"
#include <QTimer>

#include <thread>

class CDirClassifier;
class QKeyEvent;
class QLineEdit;
class QProgressBar;
class QPushButton;

// The modal dialog a directory comparison classifies its trees under. Shown,
// it runs the classifier on a worker thread and follows its progress; it
// closes with OK when the worker has completed, or with Cancel after Abort (or
// Esc) once the worker has noticed and ended. Either way the worker thread has
// been joined before the dialog returns.
class CDirProgressDlg : public CWorkerDialog
{
    Q_OBJECT

public:
    explicit CDirProgressDlg(CDirClassifier& classifier, QWidget* parent = nullptr);
    ~CDirProgressDlg() override;

    // Cancel (Abort, Esc, closing the window) asks the worker to abort; the
    // dialog closes once it has ended.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool WorkerRunning() const override;
    void Poll();
    void Finish(int result) override;

    CDirClassifier& classifier_;
    std::thread worker_;
    QProgressBar* progressBar_;
    QPushButton* abortButton_;
    QLineEdit* percentBox_;
    // The classifier reports nothing by itself: its progress and its end are
    // read from its flags on the dialog's own thread.
    QTimer poll_;
    bool started_ = false;
    bool aborting_ = false;
    bool finished_ = false;
};
