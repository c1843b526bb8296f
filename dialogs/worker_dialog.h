#pragma once

#include <QDialog>

class QKeyEvent;
class QLineEdit;
class QProgressBar;
class QPushButton;

// A modal dialog that a comparison worker runs under. It must not close while
// the worker runs: whoever asks, by Enter or by a direct call, is ignored
// until then, and the dialog ends through Finish once the worker has ended.
class CWorkerDialog : public QDialog
{
    Q_OBJECT

public:
    using QDialog::QDialog;

    // Ignored while the worker runs.
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

    // The parts both progress dialogs are made of: a bar from 0 to 1000, the
    // button that stops the worker (through reject, and never the default
    // button, so that Enter cannot reach it), and a read-only box wide
    // enough for the widest percentage.
    QProgressBar* MakeProgressBar();
    QPushButton* MakeEndButton(const QString& text);
    QLineEdit* MakePercentBox(const QString& widestText);

    virtual bool WorkerRunning() const = 0;
    // Ends the dialog with the result once the worker has ended.
    virtual void Finish(int result) = 0;
};
