#include "dialogs/worker_dialog.h"

#include <QKeyEvent>

void CWorkerDialog::done(int result)
{
    if (WorkerRunning())
        return;
    Finish(result);
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
