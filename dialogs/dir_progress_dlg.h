#pragma once

#include "dialogs/worker_dialog.h"

// The modal dialog a directory comparison classifies its trees under: the
// progress of the worker and Abort. The worker's thread has been joined
// before the dialog returns.
class CDirProgressDlg : public CWorkerDialog
{
    Q_OBJECT

public:
    // worker: a classification not yet started, whose job reports to sink.
    CDirProgressDlg(CWorker& worker, Sink& sink, QWidget* parent = nullptr);
};
